#pragma once
// The whole card as a value: what CardModel holds (everything drawn, and the held page picture and the
// background switch that decide what the next change draws), without the title-bar motto. Pictures are
// QImages and so shared, not copied, between states; a state costs a few kilobytes.
#include "card/CardElement.h"
#include "card/CardLayout.h"
#include "card/ContactCode.h"

#include <QImage>
#include <QPointF>
#include <array>

struct CardState {
    Orientation orientation = Orientation::Landscape;
    double cardWidth = 0;
    double cardHeight = 0;
    QPointF cardPlace;
    QPointF shadowPlace;
    VbColor pageColor = 0;
    QImage pagePicture;
    QImage paintedLayer;
    QImage pictureStore;
    bool backgroundShown = true;
    std::array<TextElement, TextElementCount> texts;
    CardElement line;
    CardElement logoElement;
    QImage logo;
    CardElement qr{ElementId::PicQr, 0, 0, 0, 0, false, 0}; // its size follows the code
    QrOptions qrOptions;

    const CardElement &element(ElementId id) const;
    bool samePage(const CardState &other) const;
    bool operator==(const CardState &other) const;
    bool operator!=(const CardState &other) const { return !(*this == other); }
};

bool sameElement(const CardElement &a, const CardElement &b);
bool sameText(const TextElement &a, const TextElement &b);
// The same picture: one shared image, or two null ones, or equal pixels.
bool samePicture(const QImage &a, const QImage &b);
