#pragma once
// Puts a print image on one page: at the top-left corner of the printable area, at 96 pixels per inch
// (15 twips per pixel), not scaled to the page, so a saved card prints at about 90.0 x 54.8 mm.
#include <QImage>

class QPrinter;

namespace PagePrinter {
enum class Result { Printed, NoPrinter, CannotStart, Failed };

// On the printer as it is set up (tests use a PDF printer).
Result print(QPrinter &printer, const QImage &image);
// On the default printer, in colour.
Result printOnDefaultPrinter(const QImage &image);
} // namespace PagePrinter
