#include "output/PagePrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace PagePrinter {
Result print(QPrinter &printer, const QImage &image)
{
    if (image.isNull())
        return Result::Failed;
    printer.setFullPage(false); // the origin is the printable area's corner
    // Left alone, a printer without colour defaults prints the card grey.
    printer.setColorMode(QPrinter::Color);
    QPainter p;
    // Without a usable printer Qt falls back to a PDF printer without a file, which only fails here.
    if (!p.begin(&printer))
        return Result::CannotStart;
    // Otherwise the picture goes to the printer as a lossy JPEG.
    p.setRenderHint(QPainter::LosslessImageRendering);
    const qreal scale = printer.resolution() / 96.0;
    p.drawImage(QRectF(0, 0, image.width() * scale, image.height() * scale), image);
    if (!p.end() || printer.printerState() == QPrinter::Error)
        return Result::Failed;
    return Result::Printed;
}

Result printOnDefaultPrinter(const QImage &image)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Result::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Velnor"));
    return print(printer, image);
}
} // namespace PagePrinter
