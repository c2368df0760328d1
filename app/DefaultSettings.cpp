#include "app/DefaultSettings.h"

#include "card/SafeFile.h"
#include "widgets/Dialogs.h"
#include "widgets/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace DefaultSettings {
bool copyIfMissing(const QString &shippedFile, const QString &dir, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    const QString target = QDir(dir).filePath(FileName);
    // A link in its place is no settings file (the store reads it as missing): the copy replaces it.
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isSymLink())
        return true;
    if (shippedFile.isEmpty() || !QFileInfo::exists(shippedFile))
        return fail(QStringLiteral("找不到程序自带的设置文件"));
    QFile source(shippedFile);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("程序自带的设置文件无法读取"));
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return fail(QStringLiteral("程序自带的设置文件无法读取"));
    // A fresh file of the user's own, writable by them, even though the installed one is read-only.
    const QString why = SafeFile::write(target, bytes);
    if (!why.isEmpty())
        return fail(why);
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

void installForUser(QWidget *parent)
{
    if (!ProgramDirectory::isPerUser())
        return;
    // A copy that was not installed has no default to copy; it starts as a first start always did.
    const QString shipped = shippedFile();
    if (shipped.isEmpty())
        return;
    QString reason;
    if (!copyIfMissing(shipped, ProgramDirectory::path(), &reason)) {
        Dialogs::message(parent,
                         Dialogs::lines(QStringLiteral("默认设置未能复制到您的文件夹“%1”中。")
                                            .arg(QDir::toNativeSeparators(ProgramDirectory::path())),
                                        QStringLiteral("原因：") + reason),
                         QStringLiteral("Velnor设置提示："));
    }
}
} // namespace DefaultSettings
