#include "output/CardFile.h"

#include "widgets/ProgramDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace CardFile {
QString cardFolder()
{
    return ProgramDirectory::path() + QStringLiteral("/mycard");
}

QString printImagePath()
{
    return ProgramDirectory::path() + QStringLiteral("/temp.bmp");
}

QString cardPath(const QString &name)
{
    return cardFolder() + QLatin1Char('/') + name + QStringLiteral(".bmp");
}

NameProblem checkName(const QString &name)
{
    // Both separators are refused: a "\" would make a different file name here than the user expects
    // anywhere else, and either could reach outside the card folder.
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return NameProblem::Separator;
    if (name.contains(QChar(0)))
        return NameProblem::Nul;
    if (QFile::encodeName(name + QStringLiteral(".bmp")).size() > MaxFileNameBytes)
        return NameProblem::TooLong;
    return NameProblem::None;
}

QString writeBmp(const QImage &picture, const QString &path)
{
    const QFileInfo target(path);
    // Renaming over a read-only file would succeed in a writable folder; the file's protection wins,
    // also for a user (like root) whom the system would let write it anyway.
    constexpr QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (target.isFile() && (!target.isWritable() || !(target.permissions() & anyWrite)))
        return QStringLiteral("同名的文件是只读的");
    // So does a folder made read-only: no new file appears in it and none is replaced, whoever runs us.
    const QFileInfo folder(target.absolutePath());
    if (folder.isDir() && (!folder.isWritable() || !(folder.permissions() & anyWrite)))
        return QStringLiteral("文件夹“%1”是只读的").arg(QDir::toNativeSeparators(folder.filePath()));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // RGB32 is written as 24 bits per pixel, the depth the card is shown in.
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB32))) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
} // namespace CardFile
