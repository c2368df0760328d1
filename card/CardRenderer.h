#pragma once
// The one drawing of the card, used by the canvas on screen, saving, printing and the tests, so what is
// saved equals what is shown pixel for pixel. Draws in card pixels with the card's top-left at the
// painter's origin, clipped to the card: page colour, page picture (once, top-left), painted layer, then the
// visible elements bottom to top.
#include <QImage>

class CardModel;
class QPainter;

// Screen draws the 96 ppi picture the canvas shows and saving writes. Sharp draws through the painter's
// transform at any resolution (a printer, a PDF, a large PNG): the texts from their outlines, smoothed
// instead of the small-size bitmaps, and the pictures at their own resolution, each of their pixels a
// square, as a PDF viewer or a printer shows them.
enum class CardTarget { Screen, Sharp };

void paintCard(QPainter &painter, const CardModel &card, CardTarget target = CardTarget::Screen);
// The page alone (page colour, page picture, painted layer), unclipped: the first layer of paintCard,
// and what an export carries on beyond the card's edges.
void paintPage(QPainter &painter, const CardModel &card);
// The card as a picture of its own size (340 x 207, or 207 x 340 in portrait).
QImage renderCard(const CardModel &card);
