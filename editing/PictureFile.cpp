#include "editing/PictureFile.h"

namespace PictureFile {
bool matchesPattern(const QString &fileName)
{
    for (const char *suffix : {".bmp", ".jpg", ".gif"})
        if (fileName.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace PictureFile
