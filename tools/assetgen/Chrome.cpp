// The program's own window chrome and start-up pictures: the splash, the title bar shared by every
// window, the embossed tile of the grey work areas, and the help panel's banner.
#include "ImageTools.h"
#include "Pictures.h"
#include "PixelArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

namespace Pictures {
namespace {
constexpr double Pi = 3.14159265358979323846;

// A soft shadow under `shape`: rings of growing width and faint ink approximate a blur.
void softShadow(QPainter &p, const QPainterPath &shape, QPointF offset, int radius, int alpha)
{
    p.save();
    p.translate(offset);
    p.setBrush(Qt::NoBrush);
    for (int r = radius; r >= 1; --r) {
        p.setPen(QPen(QColor(0, 0, 0, alpha / radius), 2.0 * r, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.fillPath(shape, QColor(0, 0, 0, alpha / radius));
    p.restore();
}

// A business card seen from above, used by the splash: `face` paints its front in card coordinates.
void drawCard(QPainter &p, QPointF centre, double angle, QSizeF size,
              const std::function<void(QPainter &)> &face)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.translate(-size.width() / 2, -size.height() / 2);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(QPointF(0, 0), size), 3, 3);
    softShadow(p, outline, QPointF(3, 5), 6, 110);
    p.setClipPath(outline);
    face(p);
    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    p.restore();
}

// A row of grey bars standing for a line of small print.
void printLine(QPainter &p, double x, double y, double width, QColor colour, double height = 2.5)
{
    p.fillRect(QRectF(x, y, width, height), colour);
}

// A tiny two-card emblem for the left end of the title bar.
void titleEmblem(QImage &image, int x, int y)
{
    // clang-format off
    PixelArt::paint(image, x, y,
                    {
                        "....dddddddddd",
                        "....dbbbbbbbbd",
                        "....dbllllllbd",
                        "kkkkkkkkkkbbbd",
                        "kwwwwwwwwkbbbd",
                        "kwoowwwwwkbbbd",
                        "kwoowgggwkdddd",
                        "kwwwwwwwwk....",
                        "kwgggggggk....",
                        "kwggggwwwk....",
                        "kwwwwwwwwk....",
                        "kkkkkkkkkk....",
                    },
                    {{'k', qRgb(60, 78, 110)},
                     {'w', qRgb(255, 255, 255)},
                     {'g', qRgb(150, 162, 182)},
                     {'o', qRgb(242, 142, 34)},
                     {'d', qRgb(26, 72, 150)},
                     {'b', qRgb(48, 118, 204)},
                     {'l', qRgb(120, 176, 232)}});
    // clang-format on
}
} // namespace

QFont font(const QString &family, int pixelSize, bool bold, bool antialias)
{
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::StyleStrategy((antialias ? QFont::PreferAntialias : QFont::NoAntialias) |
                                            QFont::NoFontMerging));
    return f;
}

QImage splash()
{
    constexpr int W = 425, H = 213;
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, W, H);
    sky.setColorAt(0.0, QColor(12, 30, 72));
    sky.setColorAt(0.55, QColor(20, 70, 136));
    sky.setColorAt(1.0, QColor(16, 110, 158));
    p.fillRect(image.rect(), sky);

    QRadialGradient glow(QPointF(320, 70), 230);
    glow.setColorAt(0.0, QColor(255, 255, 255, 46));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);

    // Fine arcs sweeping round the lower right, like guide lines on a drawing board.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 26 - 3 * i), 1.0));
        const double r = 120 + 26 * i;
        p.drawEllipse(QPointF(400, 250), r, r);
    }

    // The card motif: three cards fanned out, the front one printed.
    const QSizeF card(150, 91);
    drawCard(p, QPointF(314, 92), -15, card, [&](QPainter &c) {
        c.fillRect(QRectF(QPointF(0, 0), card), QColor(206, 230, 240));
        c.fillRect(QRectF(0, 0, card.width(), 14), QColor(58, 146, 190));
    });
    drawCard(p, QPointF(322, 100), -5, card, [&](QPainter &c) {
        QLinearGradient paper(0, 0, 0, card.height());
        paper.setColorAt(0, QColor(252, 238, 222));
        paper.setColorAt(1, QColor(244, 222, 196));
        c.fillRect(QRectF(QPointF(0, 0), card), paper);
        c.fillRect(QRectF(card.width() - 12, 0, 12, card.height()), QColor(232, 128, 40));
    });
    drawCard(p, QPointF(330, 110), 6, card, [&](QPainter &c) {
        c.fillRect(QRectF(QPointF(0, 0), card), QColor(255, 255, 255));
        c.fillRect(QRectF(0, card.height() - 9, card.width(), 9), QColor(22, 62, 130));
        c.fillRect(QRectF(0, card.height() - 11, card.width(), 2), QColor(242, 142, 34));
        // A small cube mark, the name, the title and the contact lines.
        const QPointF m(22, 22);
        const double a = 11, h = 5.5, s = 12;
        QPolygonF top({m, m + QPointF(-a, -h), m + QPointF(0, -2 * h), m + QPointF(a, -h)});
        QPolygonF left({m, m + QPointF(-a, -h), m + QPointF(-a, -h + s), m + QPointF(0, s)});
        QPolygonF right({m, m + QPointF(a, -h), m + QPointF(a, -h + s), m + QPointF(0, s)});
        c.setPen(Qt::NoPen);
        c.setBrush(QColor(242, 142, 34));
        c.drawPolygon(top);
        c.setBrush(QColor(22, 72, 150));
        c.drawPolygon(left);
        c.setBrush(QColor(46, 128, 204));
        c.drawPolygon(right);
        printLine(c, 96, 14, 40, QColor(30, 44, 70), 5);
        printLine(c, 110, 24, 26, QColor(140, 150, 166));
        printLine(c, 12, 46, 58, QColor(22, 62, 130), 4);
        c.fillRect(QRectF(12, 54, 126, 1), QColor(180, 186, 196));
        printLine(c, 12, 59, 92, QColor(150, 158, 172));
        printLine(c, 12, 64, 64, QColor(150, 158, 172));
        printLine(c, 12, 69, 70, QColor(150, 158, 172));
        printLine(c, 98, 64, 40, QColor(150, 158, 172));
        printLine(c, 90, 69, 48, QColor(150, 158, 172));
    });

    // The product name with a soft shadow, an accent rule and the tag line.
    QFont title = font(Fonts::Serif, 56, true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(QPointF(30, 96), QStringLiteral("Velnor"));
    p.setPen(QColor(255, 255, 255));
    p.drawText(QPointF(28, 94), QStringLiteral("Velnor"));
    p.fillRect(QRectF(31, 108, 44, 3), QColor(242, 142, 34));
    p.fillRect(QRectF(75, 109, 110, 1), QColor(255, 255, 255, 90));
    p.setFont(font(Fonts::Sans, 17));
    p.setPen(QColor(214, 232, 250));
    p.drawText(QPointF(30, 138), QStringLiteral("个性名片编辑系统"));
    p.setFont(font(Fonts::Sans, 12, true));
    p.setPen(QColor(242, 142, 34));
    p.drawText(QPointF(31, 160), QStringLiteral("V2.0"));
    p.setPen(QColor(170, 196, 224));
    p.setFont(font(Fonts::Sans, 12));
    p.drawText(QPointF(64, 160), QStringLiteral("所见即所得 · 即改即现"));

    // A dark band along the bottom carries the white status line.
    p.fillRect(QRectF(0, 186, W, H - 186), QColor(6, 16, 40, 170));
    p.fillRect(QRectF(0, 186, W, 1), QColor(255, 255, 255, 40));
    p.end();
    return image;
}

QImage titleBar()
{
    constexpr int W = 800, H = 20;
    QImage image(W, H, QImage::Format_RGB32);
    // A light glassy bar: the titles drawn on it are dark (the caption colour, black for the motto).
    for (int y = 0; y < H; ++y) {
        QRgb c;
        if (y == 0)
            c = qRgb(255, 255, 255);
        else if (y < 10)
            c = ImageTools::mix(qRgb(248, 250, 254), qRgb(233, 240, 249), (y - 1) / 8.0);
        else if (y < H - 1)
            c = ImageTools::mix(qRgb(221, 231, 245), qRgb(208, 222, 240), (y - 10) / 8.0);
        else
            c = qRgb(146, 166, 196);
        for (int x = 0; x < W; ++x)
            image.setPixel(x, y, c);
    }
    titleEmblem(image, 3, 4);
    return image;
}

QImage workTile()
{
    constexpr int Size = 60;
    // Raised rounded squares on a diagonal lattice (two per tile), with bevels two pixels wide.
    const auto height = [](double x, double y) {
        double h = 0;
        for (const QPointF c : {QPointF(15, 15), QPointF(45, 45)}) {
            const double dx = std::abs(ImageTools::wrapDelta(x - c.x(), Size));
            const double dy = std::abs(ImageTools::wrapDelta(y - c.y(), Size));
            // Signed distance to a square of half side 7 with corners rounded by 3.
            const double qx = dx - 7 + 3, qy = dy - 7 + 3;
            const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
            const double sd = outside + std::min(std::max(qx, qy), 0.0) - 3;
            h = std::max(h, std::clamp(-sd / 2.0, 0.0, 1.0));
        }
        // Small dimples between the squares.
        for (const QPointF c : {QPointF(45, 15), QPointF(15, 45)}) {
            const double d =
                std::hypot(ImageTools::wrapDelta(x - c.x(), Size), ImageTools::wrapDelta(y - c.y(), Size));
            h -= 0.6 * std::clamp((2.5 - d) / 1.5, 0.0, 1.0);
        }
        return h;
    };
    QImage image(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const double light = height(cx - 1, cy - 1) - height(cx + 1, cy + 1);
            image.setPixel(x, y, ImageTools::shade(qRgb(224, 224, 224), 18.0 * light + 3.0 * height(cx, cy)));
        }
    }
    return image;
}

QImage helpBanner()
{
    constexpr int W = 226, H = 48;
    QImage image(W, H, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, W, 0);
    band.setColorAt(0.0, QColor(18, 54, 116));
    band.setColorAt(1.0, QColor(30, 128, 172));
    p.fillRect(image.rect(), band);
    QRadialGradient glow(QPointF(60, 0), 140);
    glow.setColorAt(0.0, QColor(255, 255, 255, 40));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(230, 60), 40.0 + 14 * i, 40.0 + 14 * i);
    p.fillRect(QRectF(0, H - 3, W, 3), QColor(242, 142, 34));

    // An open book with a question mark.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QPointF(24, 22), 15, 15);
    p.setFont(font(Fonts::Sans, 22, true));
    p.setPen(QColor(22, 72, 150));
    p.drawText(QRectF(9, 6, 30, 32), Qt::AlignCenter, QStringLiteral("?"));

    p.setPen(QColor(255, 255, 255));
    p.setFont(font(Fonts::Sans, 17, true));
    p.drawText(QPointF(48, 24), QStringLiteral("操作指南"));
    p.setPen(QColor(196, 222, 248));
    p.setFont(font(Fonts::Sans, 11));
    p.drawText(QPointF(49, 39), QStringLiteral("Velnor V2.0 · 快速上手"));
    p.end();
    return image;
}
} // namespace Pictures
