#include "widgets/ProgramDirectory.h"

#include "card/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramDirectory {
namespace {
QString g_path;
bool g_perUser = false;

void resolve()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    // A copy that carries its own settings file keeps its files beside it even where that folder is
    // read-only: the user's settings are read from there, and a save there is refused with a message
    // rather than going somewhere else unseen. An installed program has no settings file beside it.
    if (QFileInfo(exeDir).isWritable() || QFileInfo::exists(QDir(exeDir).filePath(SettingsFileName))) {
        g_path = exeDir;
        return;
    }
    g_path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(g_path);
    g_perUser = true;
}
} // namespace

QString path()
{
    if (g_path.isEmpty())
        resolve();
    return g_path;
}

void setPath(const QString &dir)
{
    g_path = dir;
    g_perUser = false;
}

bool isPerUser()
{
    path();
    return g_perUser;
}
} // namespace ProgramDirectory
