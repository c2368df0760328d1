#pragma once
// The one drawing of the card, used by the canvas on screen, saving, printing and the tests, so what is
// saved equals what is shown pixel for pixel. Draws in card pixels with the card's top-left at the
// painter's origin, clipped to the card: page colour, page picture (once, top-left), painted layer, then the
// visible elements bottom to top.
#include <QImage>

class CardModel;
class QPainter;

void paintCard(QPainter &painter, const CardModel &card);
// The card as a picture of its own size (340 x 207, or 207 x 340 in portrait).
QImage renderCard(const CardModel &card);
