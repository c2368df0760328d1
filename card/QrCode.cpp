#include "card/QrCode.h"

#include <QPainter>
#include <QPainterPath>
#include <qrencode.h>

QrCode QrCode::encode(const QByteArray &bytes)
{
    QrCode code;
    if (bytes.isEmpty())
        return code;
    QRcode *q = QRcode_encodeData(
        int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0, QR_ECLEVEL_M);
    if (!q)
        return code;
    code.m_version = q->version;
    code.m_size = q->width;
    code.m_modules.resize(qsizetype(q->width) * q->width);
    for (int i = 0; i < q->width * q->width; ++i)
        code.m_modules[i] = char(q->data[i] & 1);
    QRcode_free(q);
    return code;
}

QImage QrCode::image(int modulePx, const QColor &darkColor) const
{
    if (isNull() || modulePx < 1)
        return QImage();
    // One pixel per module first, then enlarged without smoothing: every module stays a whole square.
    const int side = sizeWithQuietZone();
    QImage small(side, side, QImage::Format_Indexed8);
    small.setColorTable({qRgb(255, 255, 255), darkColor.rgb()});
    small.fill(0);
    for (int y = 0; y < m_size; ++y) {
        uchar *line = small.scanLine(y + QuietZone) + QuietZone;
        for (int x = 0; x < m_size; ++x)
            line[x] = uchar(dark(x, y));
    }
    return small.scaled(side * modulePx, side * modulePx, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

void QrCode::paint(QPainter &p, const QRectF &area, const QColor &darkColor) const
{
    if (isNull())
        return;
    const double module = area.width() / sizeWithQuietZone();
    // The dark modules of a row joined into runs: fewer, larger rectangles, and no seams between them.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (int y = 0; y < m_size; ++y) {
        for (int x = 0; x < m_size;) {
            if (!dark(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < m_size && dark(end, y))
                ++end;
            path.addRect(area.left() + (x + QuietZone) * module, area.top() + (y + QuietZone) * module,
                         (end - x) * module, module);
            x = end;
        }
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(area, Qt::white);
    p.fillPath(path, darkColor);
    p.restore();
}
