// The default card's logo and the browser's sample card.
#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Pictures {
namespace {
// Brand colours shared by the logo and the sample card.
const QColor Navy(22, 62, 130);
const QColor Blue(40, 120, 200);
const QColor Amber(242, 142, 34);
const QColor Ink(40, 48, 62);

// An open isometric cube: three faces meeting at `centre`, cut apart by thin gaps.
void cube(QPainter &p, QPointF centre, double a, double s, bool crisp)
{
    const double h = a / 2; // slopes of two across, one down: clean pixel steps
    const QPointF c = centre;
    const QPolygonF top({c, c + QPointF(-a, -h), c + QPointF(0, -2 * h), c + QPointF(a, -h)});
    const QPolygonF left({c, c + QPointF(-a, -h), c + QPointF(-a, -h + s), c + QPointF(0, s)});
    const QPolygonF right({c, c + QPointF(a, -h), c + QPointF(a, -h + s), c + QPointF(0, s)});
    p.setRenderHint(QPainter::Antialiasing, !crisp);
    p.setPen(Qt::NoPen);
    p.setBrush(Amber);
    p.drawPolygon(top);
    p.setBrush(Navy);
    p.drawPolygon(left);
    p.setBrush(Blue);
    p.drawPolygon(right);
    // The seams are cut out, so they show whatever lies under the logo.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c + QPointF(0, -1), c + QPointF(-a, -h - 1));
    p.drawLine(c + QPointF(0, -1), c + QPointF(a, -h - 1));
    p.drawLine(c, c + QPointF(0, s));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}
} // namespace

QImage logo()
{
    constexpr int W = 80, H = 65;
    QImage image(W, H, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    cube(p, QPointF(40, 23), 22, 24, true);
    QFont lettering = font(Fonts::Latin, 11, true, false);
    lettering.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(lettering);
    p.setPen(Navy);
    p.drawText(QRect(0, 52, W, 13), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("LORVIK"));
    p.end();

    // One transparent colour, like a GIF: every pixel either fully clear (and then 0) or fully opaque.
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const QRgb px = image.pixel(x, y);
            image.setPixel(x, y, qAlpha(px) < 128 ? qRgba(0, 0, 0, 0) : (px | 0xff000000u));
        }
    }
    return image;
}

QImage sampleCard()
{
    constexpr int W = 340, H = 207;
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient paper(0, 0, W, H);
    paper.setColorAt(0, QColor(255, 255, 255));
    paper.setColorAt(1, QColor(246, 244, 238));
    p.fillRect(image.rect(), paper);
    // A navy edge with an amber stripe on the left, and a large faint cube in the top right corner.
    p.fillRect(QRectF(0, 0, 8, H), Navy);
    p.fillRect(QRectF(8, 0, 2, H), Amber);
    QImage watermark(W, H, QImage::Format_ARGB32_Premultiplied);
    watermark.fill(Qt::transparent);
    QPainter wp(&watermark);
    cube(wp, QPointF(300, 40), 60, 64, false);
    wp.end();
    p.setOpacity(0.06);
    p.drawImage(0, 0, watermark);
    p.setOpacity(1.0);

    p.drawImage(QPoint(24, 16), logo());

    p.setPen(QColor(20, 36, 70));
    p.setFont(font(Fonts::Serif, 26, true));
    const QString name = QStringLiteral("林晓枫");
    p.drawText(QPointF(316 - p.fontMetrics().horizontalAdvance(name), 46), name);
    p.setPen(QColor(96, 106, 122));
    p.setFont(font(Fonts::Song, 12, false, false));
    p.drawText(QRectF(120, 56, 196, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("创意总监"));

    p.setPen(Navy);
    p.setFont(font(Fonts::Sans, 17, true));
    p.drawText(QPointF(24, 116), QStringLiteral("Lorvik工作室"));
    p.fillRect(QRectF(24, 123, 56, 2), Amber);
    p.fillRect(QRectF(80, 124, 236, 1), QColor(196, 202, 212));

    p.setPen(Ink);
    p.setFont(font(Fonts::Song, 12, false, false));
    const auto row = [&](int y, const QString &left, const QString &right) {
        p.drawText(QRectF(24, y, 292, 14), Qt::AlignLeft | Qt::AlignVCenter, left);
        if (!right.isEmpty())
            p.drawText(QRectF(24, y, 292, 14), Qt::AlignRight | Qt::AlignVCenter, right);
    };
    row(132, QStringLiteral("地址：杭州市西湖区青芝坞路88号3幢201室"), QString());
    row(148, QStringLiteral("电话：0571-88867701"), QStringLiteral("传真：0571-88867702"));
    row(164, QStringLiteral("手机：13905718866"), QStringLiteral("邮编：310013"));
    row(180, QStringLiteral("网址：www.lorvik.cn"), QStringLiteral("电子信箱：zs@lorvik.cn"));
    p.end();
    return image;
}
} // namespace Pictures
