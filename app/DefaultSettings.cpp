#include "app/DefaultSettings.h"

#include "widgets/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DefaultSettings {
bool copyIfMissing(const QString &shippedFile, const QString &dir)
{
    const QString target = QDir(dir).filePath(FileName);
    if (QFileInfo::exists(target))
        return true;
    if (shippedFile.isEmpty() || !QFileInfo::exists(shippedFile))
        return false;
    if (!QFile::copy(shippedFile, target))
        return false;
    // The installed file is read-only; the user's copy is theirs to change.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

QString shippedFile()
{
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/velnor/") + FileName);
    if (QFileInfo::exists(beside))
        return QDir::cleanPath(beside);
    return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("velnor/") + FileName);
}

void installForUser()
{
    if (ProgramDirectory::isPerUser())
        copyIfMissing(shippedFile(), ProgramDirectory::path());
}
} // namespace DefaultSettings
