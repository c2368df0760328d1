#include "app/DefaultSettings.h"

#include "card/SafeFile.h"
#include "widgets/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DefaultSettings {
bool copyIfMissing(const QString &shippedFile, const QString &dir)
{
    const QString target = QDir(dir).filePath(FileName);
    // A link in its place is no settings file (the store reads it as missing): the copy replaces it.
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isSymLink())
        return true;
    if (shippedFile.isEmpty() || !QFileInfo::exists(shippedFile))
        return false;
    QFile shipped(shippedFile);
    if (!shipped.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = shipped.readAll();
    if (shipped.error() != QFileDevice::NoError)
        return false;
    // Written as a new file of the user's (the installed one is read-only): theirs to change.
    return SafeFile::write(target, bytes).isEmpty();
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
