#include "output/CardFile.h"

#include "card/SafeFile.h"
#include "widgets/ProgramDirectory.h"

#include <QFile>

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
    // RGB32 is written as 24 bits per pixel, the depth the card is shown in.
    return SafeFile::writeImage(path, picture, "bmp");
}
} // namespace CardFile
