// The program's icon for the desktop's menus and task bars: two business cards fanned over a rounded
// square in the splash's blues. It is described once, as a list of flat shapes on a 256-unit square,
// and that one description is both painted into the PNGs of every size and written out as the SVG,
// so the scalable icon and the bitmaps cannot drift apart.
#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <vector>

namespace Pictures {
namespace {
constexpr double Units = 256;

const QColor SkyFrom(12, 30, 72);
const QColor SkyMid(20, 70, 136);
const QColor SkyTo(16, 110, 158);

// One filled shape: a rounded rectangle or a polygon, in the coordinates of a card (or of the icon when
// `card` is -1), drawn only at sizes of at least `minSize` pixels so that the small icons stay legible.
struct Shape {
    int card;
    QRectF rect;       // empty for a polygon
    double radius;     // corner radius of the rectangle
    QPolygonF polygon; // used when rect is empty
    QColor colour;     // with alpha
    int minSize;
};

// A card placed on the icon: its size, its centre and its turn in degrees (clockwise, as SVG and
// QPainter both count with y downwards).
struct Placement {
    QSizeF size;
    QPointF centre;
    double angle;
};

// clang-format off
const Placement Cards[] = {
    {{168, 104}, {138, 104}, -14}, // the card behind
    {{176, 108}, {122, 150},  -4}, // the printed card in front
};
// clang-format on

std::vector<Shape> shapes()
{
    const QColor Navy(22, 62, 130), Blue(46, 128, 204), DeepBlue(22, 72, 150), Amber(242, 142, 34);
    const QColor Grey(150, 162, 182), Shadow(0, 0, 0, 70);
    std::vector<Shape> s;
    const auto rect = [&s](int card, QRectF r, double radius, QColor c, int minSize = 0) {
        s.push_back({card, r, radius, {}, c, minSize});
    };
    const auto polygon = [&s](int card, QPolygonF p, QColor c, int minSize = 0) {
        s.push_back({card, {}, 0, p, c, minSize});
    };
    // The card behind: pale blue with a coloured band.
    rect(0, QRectF(5, 8, 168, 104), 8, Shadow, 32);
    rect(0, QRectF(0, 0, 168, 104), 8, QColor(206, 230, 240));
    rect(0, QRectF(12, 12, 144, 16), 3, QColor(58, 146, 190), 24);
    // The card in front: white, a cube mark, the name, an amber rule and lines of small print.
    rect(1, QRectF(5, 8, 176, 108), 8, Shadow, 32);
    rect(1, QRectF(0, 0, 176, 108), 8, QColor(255, 255, 255));
    const QPointF m(40, 44);
    const double a = 22, h = 11, d = 24;
    polygon(1, QPolygonF({m, m + QPointF(-a, -h), m + QPointF(0, -2 * h), m + QPointF(a, -h)}), Amber, 24);
    polygon(1, QPolygonF({m, m + QPointF(-a, -h), m + QPointF(-a, -h + d), m + QPointF(0, d)}), DeepBlue, 24);
    polygon(1, QPolygonF({m, m + QPointF(a, -h), m + QPointF(a, -h + d), m + QPointF(0, d)}), Blue, 24);
    rect(1, QRectF(76, 20, 84, 16), 2, Navy);
    rect(1, QRectF(76, 44, 44, 7), 1, Amber, 24);
    rect(1, QRectF(18, 78, 140, 7), 1, Grey, 32);
    rect(1, QRectF(18, 92, 96, 7), 1, Grey, 32);
    return s;
}

// Where a card's own coordinates land on the icon.
QTransform placement(int card)
{
    if (card < 0)
        return QTransform();
    const Placement &c = Cards[card];
    QTransform t;
    t.translate(c.centre.x(), c.centre.y());
    t.rotate(c.angle);
    t.translate(-c.size.width() / 2, -c.size.height() / 2);
    return t;
}

QString number(double v)
{
    return QString::number(v, 'g', 8);
}

QString svgColour(QColor c)
{
    QString out = QStringLiteral("fill=\"%1\"").arg(c.name(QColor::HexRgb));
    if (c.alpha() != 255)
        out += QStringLiteral(" fill-opacity=\"%1\"").arg(number(c.alpha() / 255.0));
    return out;
}

// The background: a rounded square with the splash's diagonal gradient.
const QRectF Tile(16, 16, 224, 224);
constexpr double TileRadius = 44;
} // namespace

QImage appIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / Units, size / Units);
    QLinearGradient sky(Tile.topLeft(), Tile.bottomRight());
    sky.setColorAt(0.0, SkyFrom);
    sky.setColorAt(0.55, SkyMid);
    sky.setColorAt(1.0, SkyTo);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(Tile, TileRadius, TileRadius);
    for (const Shape &s : shapes()) {
        if (size < s.minSize)
            continue;
        p.save();
        p.setTransform(placement(s.card), true);
        p.setBrush(s.colour);
        if (s.rect.isEmpty())
            p.drawPolygon(s.polygon);
        else
            p.drawRoundedRect(s.rect, s.radius, s.radius);
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray appIconSvg()
{
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                          "viewBox=\"0 0 256 256\">\n"
                          "  <title>Velnor</title>\n"
                          "  <defs>\n");
    svg +=
        QStringLiteral("    <linearGradient id=\"sky\" gradientUnits=\"userSpaceOnUse\" x1=\"%1\" y1=\"%2\" "
                       "x2=\"%3\" y2=\"%4\">\n")
            .arg(number(Tile.left()), number(Tile.top()), number(Tile.right()), number(Tile.bottom()));
    for (const auto &[offset, colour] : {std::pair{0.0, SkyFrom}, {0.55, SkyMid}, {1.0, SkyTo}})
        svg += QStringLiteral("      <stop offset=\"%1\" stop-color=\"%2\"/>\n")
                   .arg(number(offset), colour.name(QColor::HexRgb));
    svg += QStringLiteral("    </linearGradient>\n  </defs>\n");
    svg += QStringLiteral(
               "  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"url(#sky)\"/>\n")
               .arg(number(Tile.left()), number(Tile.top()), number(Tile.width()), number(Tile.height()),
                    number(TileRadius));
    int open = -1;
    for (const Shape &s : shapes()) {
        if (s.card != open) {
            if (open >= 0)
                svg += QStringLiteral("  </g>\n");
            const Placement &c = Cards[s.card];
            svg += QStringLiteral("  <g transform=\"translate(%1 %2) rotate(%3) translate(%4 %5)\">\n")
                       .arg(number(c.centre.x()), number(c.centre.y()), number(c.angle),
                            number(-c.size.width() / 2), number(-c.size.height() / 2));
            open = s.card;
        }
        if (s.rect.isEmpty()) {
            QStringList points;
            for (const QPointF &pt : s.polygon)
                points << number(pt.x()) + QLatin1Char(',') + number(pt.y());
            svg += QStringLiteral("    <polygon points=\"%1\" %2/>\n")
                       .arg(points.join(QLatin1Char(' ')), svgColour(s.colour));
        } else {
            svg += QStringLiteral("    <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" %6/>\n")
                       .arg(number(s.rect.left()), number(s.rect.top()), number(s.rect.width()),
                            number(s.rect.height()), number(s.radius), svgColour(s.colour));
        }
    }
    if (open >= 0)
        svg += QStringLiteral("  </g>\n");
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}
} // namespace Pictures
