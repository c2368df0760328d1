#include "output/PrintSheet.h"

#include "output/CardShape.h"

#include <QPainter>

namespace PrintSheet {
QVector<QPoint> copyPlaces(const QSize &card)
{
    int columns = 0;
    int rows = 0;
    switch (cardShape(card.width())) {
    case CardShape::Landscape:
        columns = 2;
        rows = 5;
        break;
    case CardShape::Portrait:
        columns = 3;
        rows = 3;
        break;
    case CardShape::Neither:
        break;
    }
    QVector<QPoint> places;
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            places.append(QPoint(i * card.width(), j * card.height()));
    return places;
}

QVector<QRectF> cardRectsMm(const QSize &card, bool fullSheet)
{
    const QSizeF size = QSizeF(card) * MmPerPx;
    if (!fullSheet)
        return {QRectF(QPointF(0, 0), size)};
    QVector<QRectF> rects;
    for (const QPoint &at : copyPlaces(card))
        rects.append(QRectF(QPointF(at) * MmPerPx, size));
    return rects;
}

QImage compose(const QImage &card)
{
    const QVector<QPoint> places = copyPlaces(card.size());
    if (places.isEmpty() || card.isNull())
        return QImage();
    const QPoint last = places.last();
    QImage sheet(last.x() + card.width(), last.y() + card.height(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (const QPoint &at : places)
        p.drawImage(at, card);
    p.end();
    return sheet;
}

QPoint previewPlace(int cardWidthPx)
{
    return cardShape(cardWidthPx) == CardShape::Portrait ? QPoint(50, 8) : QPoint(20, 8);
}
} // namespace PrintSheet
