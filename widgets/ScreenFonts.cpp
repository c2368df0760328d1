#include "widgets/ScreenFonts.h"

#include <QFontDatabase>
#include <QSet>
#include <fontconfig/fontconfig.h>

namespace ScreenFonts {
QStringList families()
{
    QStringList result;
    QSet<QString> seen;
    // Qt's own list is sorted by name; fontconfig gives the fonts in the order it keeps them.
    FcPattern *pattern = FcPatternCreate();
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    if (fonts) {
        for (int i = 0; i < fonts->nfont; ++i) {
            FcChar8 *name = nullptr;
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch || !name)
                continue;
            const QString family = QString::fromUtf8(reinterpret_cast<const char *>(name));
            if (!family.isEmpty() && !seen.contains(family)) {
                seen.insert(family);
                result.append(family);
            }
        }
        FcFontSetDestroy(fonts);
    }
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    return result.isEmpty() ? QFontDatabase::families() : result;
}
} // namespace ScreenFonts
