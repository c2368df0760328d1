#pragma once
// The files of the card output: the card folder mycard/ and the print image temp.bmp in the program
// directory, the rules a card name must meet, and writing a picture as a 24-bit BMP that replaces an
// existing file only when the new one is complete.
#include <QImage>
#include <QString>

namespace CardFile {
QString cardFolder();     // program directory + "/mycard"
QString printImagePath(); // program directory + "/temp.bmp"
// The saved card of this name: the name as typed, then ".bmp".
QString cardPath(const QString &name);

enum class NameProblem { None, Separator, Nul, TooLong };
// A name is used as typed (an empty one gives ".bmp"); only what cannot be a single file name is refused.
NameProblem checkName(const QString &name);
// The longest file name, in bytes, a card can get: the file system's 255 less the room the temporary
// file of an atomic write needs beside it.
inline constexpr int MaxFileNameBytes = 255 - 7;

// Writes the picture as a BMP (24 bits per pixel) through SafeFile: a complete new file replaces the
// target (a link in its place is replaced, not followed; a read-only file or folder is refused). On
// failure the target is untouched and the reason (in Chinese) is returned; empty on success.
QString writeBmp(const QImage &picture, const QString &path);
} // namespace CardFile
