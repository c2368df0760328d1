#pragma once
// Loading a picture file as the picture panel, the card browser and printing do: BMP, JPEG or GIF by
// content, whole, and not larger than can be held safely. Qt's readers accept a cut-off BMP or GIF without
// complaint, so the file's own structure is checked first; anything wrong gives a reason the user can read.
#include <QImage>
#include <QString>

namespace PictureFile {
// The most memory one decoded picture may take (32 bits a pixel).
inline constexpr qint64 MaxPictureBytes = 128ll * 1024 * 1024;

struct Result {
    QImage image;    // null when the file could not be used
    QString problem; // why, in the user's words; empty on success
    bool ok() const { return !image.isNull(); }
};

Result load(const QString &path);
// The same for a file's bytes already read.
Result decode(const QByteArray &bytes);
} // namespace PictureFile
