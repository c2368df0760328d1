#include "output/PagePrinter.h"

#include "output/PrintSheet.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace PagePrinter {
Content imageContent(const QImage &image)
{
    return [image](QPainter &p, const PageInfo &) {
        // Otherwise the picture goes to the printer as a lossy JPEG.
        p.setRenderHint(QPainter::LosslessImageRendering);
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(image.size()) * PrintSheet::MmPerPx), image);
    };
}

Result print(QPrinter &printer, const Content &content, const Calibration &calibration)
{
    if (!content)
        return Result::Failed;
    printer.setFullPage(false); // the origin is the printable area's corner
    // Left alone, a printer without colour defaults prints the card grey.
    printer.setColorMode(QPrinter::Color);
    QPainter p;
    // Without a usable printer Qt falls back to a PDF printer without a file, which only fails here.
    if (!p.begin(&printer))
        return Result::CannotStart;
    const QPageLayout layout = printer.pageLayout();
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    PageInfo info{paint.topLeft(), paint.size(),
                  printer.outputFormat() == QPrinter::NativeFormat ? printer.printerName() : QString(),
                  calibration};
    const double dotsPerMm = printer.resolution() / 25.4;
    p.translate(calibration.offsetXMm * dotsPerMm, calibration.offsetYMm * dotsPerMm);
    p.scale(dotsPerMm * calibration.scalePercent / 100, dotsPerMm * calibration.scalePercent / 100);
    content(p, info);
    if (!p.end() || printer.printerState() == QPrinter::Error)
        return Result::Failed;
    return Result::Printed;
}

QString defaultPrinterName()
{
    return QPrinterInfo::defaultPrinter().printerName();
}

Result printOnDefaultPrinter(const Content &content, QString *notice)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Result::NoPrinter;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Velnor"));
    const Calibration calibration = PrintCalibration::forPrinter(info.printerName(), notice);
    return print(printer, content, calibration);
}
} // namespace PagePrinter
