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

bool samePlace(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}
} // namespace

bool isInstalledCopy(const QString &exeDir, const QString &installBinDir)
{
    if (QFileInfo(QDir(exeDir).filePath(QStringLiteral("../share/velnor/") + SettingsFileName)).isFile())
        return true;
    return !installBinDir.isEmpty() && samePlace(exeDir, installBinDir);
}

QString resolveFor(const QString &exeDir, const QString &installBinDir, bool *perUser)
{
    *perUser = false;
    if (!isInstalledCopy(exeDir, installBinDir)) {
        // A copy that carries its own settings file keeps its files beside it even where that folder is
        // read-only: the user's settings are read from there, and a save there is refused with a message
        // rather than going somewhere else unseen.
        if (QFileInfo(exeDir).isWritable() || QFileInfo::exists(QDir(exeDir).filePath(SettingsFileName)))
            return exeDir;
    }
    *perUser = true;
    return perUserDirectory();
}

QString perUserDirectory()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!dir.isEmpty() && !QFileInfo(dir).isDir()) {
        // Cards and settings are private: the folder is made for its owner alone. An existing folder
        // keeps whatever its owner chose.
        QDir().mkpath(QFileInfo(dir).absolutePath());
        QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return dir;
}

QString path()
{
    if (g_path.isEmpty())
        g_path = resolveFor(QCoreApplication::applicationDirPath(), QStringLiteral(VELNOR_INSTALL_BINDIR),
                            &g_perUser);
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
