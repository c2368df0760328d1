#pragma once
// The A4 sheet of the print window: as many copies of a card as fit, edge to edge, without gaps:
// 2 columns x 5 rows of a landscape card (680 x 1035 for a saved card), 3 x 3 of a portrait card
// (621 x 1020). At 96 pixels per inch the landscape sheet prints about 179.9 x 273.8 mm, inside A4.
#include <QImage>
#include <QPoint>
#include <QVector>

namespace PrintSheet {
// Copy places in sheet pixels, column by column, each column top to bottom; none for a picture that is
// neither landscape nor portrait.
QVector<QPoint> copyPlaces(const QSize &card);
// The composed sheet; null when there are no copy places.
QImage compose(const QImage &card);
// Where the sheet sits in the preview area: it is taller than the area and is dragged to see the rest.
QPoint previewPlace(int cardWidthPx);
} // namespace PrintSheet
