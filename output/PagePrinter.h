#pragma once
// Puts one page on a printer: its content is drawn in millimetres from the top-left corner of the
// printable area, at the printer's own resolution, with the printer's calibration (offset, then scale
// about that corner). A print image lands there at 96 pixels per inch (15 twips per pixel), not scaled
// to the page, so a saved card prints at about 90.0 x 54.8 mm, as a sharp card does.
#include "output/PrintCalibration.h"

#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <functional>

class QPainter;
class QPrinter;

namespace PagePrinter {
enum class Result { Printed, NoPrinter, CannotStart, Failed };

// What the page is printed on, for contents that tell the user where things should land.
struct PageInfo {
    QPointF cornerOnPaperMm; // the printable area's corner, from the paper's top-left
    QSizeF printableMm;
    QString printer; // empty for a PDF file
    Calibration calibration;
};
using Content = std::function<void(QPainter &painter, const PageInfo &page)>;

// The print image drawn at 96 pixels per inch from the corner.
Content imageContent(const QImage &image);

// On the printer as it is set up (tests use a PDF printer).
Result print(QPrinter &printer, const Content &content, const Calibration &calibration = {});
// On the default printer, in colour, with its calibration; a damaged calibration store is said in
// notice and the page printed uncalibrated.
Result printOnDefaultPrinter(const Content &content, QString *notice);
// The default printer's name, empty when there is none.
QString defaultPrinterName();
} // namespace PagePrinter
