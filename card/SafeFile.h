#pragma once
// Every file the program writes goes through here. The bytes go to a new temporary file in the target's
// folder; every write, the sync and the close are checked, and only a complete file is renamed over the
// target, so a full disk, a file-size limit or a crash leaves the old file as it was. A link in the
// target's place is replaced by the new file, never written through. A read-only file or folder is never
// written, for any user (root included), as the user who protected it expects. A replaced file keeps its
// permissions.
#include <QByteArray>
#include <QString>
#include <vector>

class QImage;

namespace SafeFile {
// Empty on success; otherwise the reason, in Chinese, and the target is as it was.
QString write(const QString &path, const QByteArray &bytes);
// Encodes the picture in the format ("bmp", "png") and writes it as above. RGB32 is written as a 24-bit BMP.
QString writeImage(const QString &path, const QImage &picture, const char *format);
// The bytes writeImage would write, or the reason they cannot be made (then bytes is left empty).
QString encodeImage(const QImage &picture, const char *format, QByteArray *bytes);

// Files that belong together (a card's picture and its design). Every one is first written whole to its
// own temporary file; only when all are complete are they renamed over their targets, in the order given.
// A refusal or a failed write thus leaves every target as it was. Empty on success.
struct Part {
    QString path;
    QByteArray bytes;
};
QString writeTogether(const std::vector<Part> &parts);

// Why the file may not be written (a read-only file or folder, a directory in its place, no folder), or
// empty when it may.
QString whyNotWritable(const QString &path);
// A regular file (not a link) that must not be changed: the running user may not write it, or it allows
// writing to nobody.
bool isReadOnlyFile(const QString &path);
// A folder in which no file may be made or replaced, by the same rule.
bool isReadOnlyFolder(const QString &folder);
} // namespace SafeFile
