#include "card/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

namespace {
quint32 u32(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint32>(d.constData() + at);
}
quint16 u16(const QByteArray &d, qsizetype at)
{
    return qFromLittleEndian<quint16>(d.constData() + at);
}

// A BMP is whole when its header is complete and the file holds every row the header announces.
bool bmpComplete(const QByteArray &d)
{
    if (d.size() < 26)
        return false;
    const qint64 dataStart = u32(d, 10);
    const quint32 headerSize = u32(d, 14);
    if (d.size() < 14 + qint64(headerSize))
        return false;
    qint64 width, height;
    int bits;
    quint32 compression = 0, imageSize = 0;
    if (headerSize == 12) { // OS/2 core header
        width = u16(d, 18);
        height = u16(d, 20);
        bits = u16(d, 24);
    } else {
        if (headerSize < 40)
            return false;
        width = qint32(u32(d, 18));
        height = qint32(u32(d, 22));
        bits = u16(d, 28);
        compression = u32(d, 30);
        imageSize = u32(d, 34);
    }
    height = qAbs(height);
    if (width <= 0 || height <= 0 || dataStart > d.size())
        return false;
    qint64 needed;
    if (compression == 0 || compression == 3 || compression == 6) {
        // Uncompressed rows padded to four bytes; some writers leave the last row unpadded. (Width and
        // bits are below 2^32 and 2^16, so only the row count can make the product overflow.)
        const qint64 stride = (width * bits + 31) / 32 * 4;
        if (stride > 0 && height - 1 > d.size() / stride)
            return false;
        needed = dataStart + stride * (height - 1) + (width * bits + 7) / 8;
    } else {
        // Run-length data: only the announced data size can be checked.
        needed = dataStart + qMax<qint64>(imageSize, 1);
    }
    return d.size() >= needed;
}

// Skips a chain of GIF data sub-blocks; false when the file ends inside it.
bool skipSubBlocks(const QByteArray &d, qsizetype &pos)
{
    while (pos < d.size()) {
        const int n = quint8(d[pos]);
        ++pos;
        if (n == 0)
            return true;
        pos += n;
    }
    return false;
}

// A GIF is usable when its first image is complete (the reader shows the first frame only).
bool gifComplete(const QByteArray &d)
{
    if (d.size() < 13)
        return false;
    qsizetype pos = 13;
    const int flags = quint8(d[10]);
    if (flags & 0x80)
        pos += 3 * (1 << ((flags & 7) + 1));
    while (pos < d.size()) {
        switch (quint8(d[pos])) {
        case 0x21: // extension: label, then sub-blocks
            pos += 2;
            if (!skipSubBlocks(d, pos))
                return false;
            break;
        case 0x2C: { // image descriptor, local colour table, code size, image data
            if (pos + 10 > d.size())
                return false;
            const int imageFlags = quint8(d[pos + 9]);
            pos += 10;
            if (imageFlags & 0x80)
                pos += 3 * (1 << ((imageFlags & 7) + 1));
            pos += 1;
            return pos < d.size() && skipSubBlocks(d, pos);
        }
        default: // the trailer before any image, or a broken block
            return false;
        }
    }
    return false;
}

// A JPEG is whole when its end-of-image marker follows the first scan. Markers before the scan are
// walked by their lengths, so an embedded thumbnail's end marker does not count.
bool jpegComplete(const QByteArray &d)
{
    qsizetype pos = 2;
    while (pos + 4 <= d.size()) {
        if (quint8(d[pos]) != 0xFF)
            return false;
        const int marker = quint8(d[pos + 1]);
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        const qsizetype length = (quint8(d[pos + 2]) << 8) | quint8(d[pos + 3]);
        if (marker == 0xDA)
            return d.indexOf(QByteArrayLiteral("\xFF\xD9"), pos + 2 + length) >= 0;
        pos += 2 + length;
    }
    return false;
}
} // namespace

namespace PictureFile {
Result load(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, QStringLiteral("找不到这个文件，它可能已被删除或移走。")};
    if (!info.isFile())
        return {{}, QStringLiteral("这不是一个图片文件。")};
    if (info.size() == 0)
        return {{}, QStringLiteral("这个文件是空的，不是图片。")};
    // A compressed picture takes far less room on disk than in memory; a file beyond the memory limit
    // cannot hold a picture that fits.
    if (info.size() > MaxPictureBytes)
        return {{}, QStringLiteral("图片太大，无法安全载入。")};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("无法读取这个文件（没有读取权限或文件正被占用）。")};
    QByteArray data = file.readAll();
    file.close();
    if (data.size() != info.size())
        return {{}, QStringLiteral("无法完整读取这个文件。")};
    return decode(data);
}

Result decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {{}, QStringLiteral("这个文件是空的，不是图片。")};
    if (bytes.size() > MaxPictureBytes)
        return {{}, QStringLiteral("图片太大，无法安全载入。")};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(int(MaxPictureBytes / (1024 * 1024)));
    const QByteArray format = reader.format();
    bool whole;
    if (format == "bmp")
        whole = bmpComplete(data);
    else if (format == "gif")
        whole = gifComplete(data);
    else if (format == "jpeg")
        whole = jpegComplete(data);
    else
        return {{}, QStringLiteral("这个文件不是BMP、JPEG或GIF图片。")};
    if (!whole)
        return {{}, QStringLiteral("图片文件不完整，可能已损坏或被截断。")};

    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > MaxPictureBytes)
        return {{}, QStringLiteral("图片太大，无法安全载入。")};
    QImage image = reader.read();
    if (image.isNull())
        return {{}, QStringLiteral("图片已损坏，无法读取。")};
    return {image, {}};
}
} // namespace PictureFile
