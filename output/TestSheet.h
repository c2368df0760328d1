#pragma once
// The calibration test sheet, printed through the same path as a card: a frame of the card's true size
// at the sheet's first place (the printable area's corner), crosshairs at its centre and corners,
// millimetre rulers along its top and left edges running on across the page, and a few lines that say
// where the frame should land and what to measure.
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

class QPainter;

namespace TestSheet {
struct Page {
    QPointF cornerOnPaperMm; // the printable area's corner, from the paper's top-left
    QSizeF printableMm;      // the printable area's size
    QString printer;         // empty when the sheet goes into a file
    double offsetXMm = 0, offsetYMm = 0, scalePercent = 100; // the calibration it is printed with
};
// Draws in millimetres from the printable area's corner.
void paint(QPainter &painter, const QSize &cardPx, const Page &page);
} // namespace TestSheet
