#pragma once
// Crop marks for cutting cards apart: short lines on each cut line, outside the cards, pointing away
// from them. Only the cards that are there get marks, and none falls on a neighbouring card.
#include <QRectF>
#include <QVector>

class QPainter;

namespace CropMarks {
struct Mark {
    QPointF from, to;
};
// The marks of the cards' corners: each starts `gap` away from the corner and is `length` long.
QVector<Mark> marks(const QVector<QRectF> &cards, double gap, double length);
// Draws them in black, lineWidth wide, on a white edge so they also show on a dark bleed.
void paint(QPainter &painter, const QVector<QRectF> &cards, double gap, double length, double lineWidth);
} // namespace CropMarks
