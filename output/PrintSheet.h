#pragma once
// The A4 sheet of the print window: as many copies of a card as fit, edge to edge, without gaps:
// 2 columns x 5 rows of a landscape card (680 x 1035 for a saved card), 3 x 3 of a portrait card
// (621 x 1020). At 96 pixels per inch the landscape sheet prints about 179.9 x 273.8 mm, inside A4.
#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QVector>

namespace PrintSheet {
// The print image's scale on paper: 96 pixels per inch.
inline constexpr double MmPerPx = 25.4 / 96.0;
// Copy places in sheet pixels, column by column, each column top to bottom; none for a picture that is
// neither landscape nor portrait.
QVector<QPoint> copyPlaces(const QSize &card);
// The cards of a page in millimetres from its origin, where the print image puts them: one card at the
// origin, or the sheet's copies (none for a picture that is neither landscape nor portrait).
QVector<QRectF> cardRectsMm(const QSize &card, bool fullSheet);
// The composed sheet; null when there are no copy places.
QImage compose(const QImage &card);
// Where the sheet sits in the preview area: it is taller than the area and is dragged to see the rest.
QPoint previewPlace(int cardWidthPx);
} // namespace PrintSheet
