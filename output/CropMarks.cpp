#include "output/CropMarks.h"

#include <QPainter>
#include <cmath>

namespace CropMarks {
namespace {
bool onACard(const QVector<QRectF> &cards, const QPointF &point)
{
    constexpr double Slack = 1e-6;
    for (const QRectF &c : cards)
        if (c.adjusted(-Slack, -Slack, Slack, Slack).contains(point))
            return true;
    return false;
}

bool sameMark(const Mark &a, const Mark &b)
{
    constexpr double Slack = 1e-6;
    return std::abs(a.from.x() - b.from.x()) < Slack && std::abs(a.from.y() - b.from.y()) < Slack &&
           std::abs(a.to.x() - b.to.x()) < Slack && std::abs(a.to.y() - b.to.y()) < Slack;
}
} // namespace

QVector<Mark> marks(const QVector<QRectF> &cards, double gap, double length)
{
    QVector<Mark> result;
    const auto add = [&](const QPointF &corner, const QPointF &direction) {
        const Mark m{corner + direction * gap, corner + direction * (gap + length)};
        // A mark that would touch another card is not needed: that card's own edge carries the cut on.
        if (onACard(cards, (m.from + m.to) / 2) || onACard(cards, m.from))
            return;
        for (const Mark &seen : result)
            if (sameMark(seen, m))
                return;
        result.append(m);
    };
    for (const QRectF &c : cards) {
        const double x[2] = {c.left(), c.right()};
        const double y[2] = {c.top(), c.bottom()};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                const QPointF corner(x[i], y[j]);
                add(corner, QPointF(0, j == 0 ? -1 : 1)); // on the vertical cut line, away from the card
                add(corner, QPointF(i == 0 ? -1 : 1, 0)); // on the horizontal cut line
            }
    }
    return result;
}

void paint(QPainter &p, const QVector<QRectF> &cards, double gap, double length, double lineWidth)
{
    const QVector<Mark> all = marks(cards, gap, length);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto &[colour, width] :
         {std::pair<QColor, double>{Qt::white, lineWidth * 3}, {Qt::black, lineWidth}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        for (const Mark &m : all)
            p.drawLine(m.from, m.to);
    }
    p.restore();
}
} // namespace CropMarks
