#include "output/CardExport.h"

#include "card/SafeFile.h"
#include "output/CardArt.h"
#include "output/CropMarks.h"
#include "output/PrintSheet.h"
#include "output/TestSheet.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <functional>

namespace CardExport {
namespace {
constexpr int PdfResolution = 1200;
constexpr double MarkLineMm = 0.1;

bool portrait(const CardArt &art)
{
    const QSize s = art.sizePx();
    return s.height() > s.width();
}

// Qt's PDF pages are whole points (94 mm would be 93.84); the page box is set to the exact size in
// place, in a number of the same length, so the file's offsets stay right. Qt hangs the drawing from the
// top of its rounded page, so the drawing is moved by the difference to hang from the exact top.
QByteArray exactPageBox(QByteArray bytes, const QSizeF &pageMm, const QSize &qtPoints)
{
    const auto number = [](double v) { return QByteArray::number(v, 'f', 6); };
    const QSizeF exact = pageMm / 25.4 * 72;
    const QByteArray from =
        "/MediaBox [0 0 " + number(qtPoints.width()) + ' ' + number(qtPoints.height()) + ']';
    const QByteArray to = "/MediaBox [0 0 " + number(exact.width()) + ' ' + number(exact.height()) + ']';
    if (from.size() == to.size() && bytes.count(from) == 1)
        bytes.replace(from, to);
    return bytes;
}

// A PDF of one page of the given size, drawn in millimetres from its top-left corner.
QByteArray pdf(const QSizeF &pageMm, const QString &title, const std::function<void(QPainter &)> &paint)
{
    const QPageSize pageSize(pageMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    const QSize qtPoints = pageSize.sizePoints();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(PdfResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Velnor"));
    writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    QPainter p;
    if (!p.begin(&writer))
        return QByteArray();
    p.scale(PdfResolution / 25.4, PdfResolution / 25.4);
    p.translate(0, (qtPoints.height() - pageMm.height() / 25.4 * 72) * 25.4 / 72);
    paint(p);
    if (!p.end())
        return QByteArray();
    buffer.close();
    return exactPageBox(bytes, pageMm, qtPoints);
}
} // namespace

QSizeF cardSizeMm(const CardArt &art)
{
    return portrait(art) ? QSizeF(CardShortMm, CardLongMm) : QSizeF(CardLongMm, CardShortMm);
}

QVector<QRectF> sheetCardsMm(const CardArt &art)
{
    QVector<QRectF> cards = PrintSheet::cardRectsMm(art.sizePx(), true);
    for (QRectF &c : cards)
        c.translate(SheetMarginMm, SheetMarginMm);
    return cards;
}

QByteArray pdfCard(const CardArt &art, const QString &title)
{
    const QSizeF card = cardSizeMm(art);
    const QRectF trim(QPointF(BleedMm, BleedMm), card);
    return pdf(card + QSizeF(2 * BleedMm, 2 * BleedMm), title, [&](QPainter &p) {
        art.paintBleed(p, trim, BleedMm);
        art.paint(p, trim);
        // The page is the card and its bleed: the marks stand in the bleed's outer part, on the cut
        // lines, and go with it when the card is cut.
        CropMarks::paint(p, {trim}, 0.5, BleedMm - 0.5, MarkLineMm);
    });
}

QByteArray pdfSheet(const CardArt &art, const QString &title, int copies)
{
    QVector<QRectF> cards = sheetCardsMm(art);
    if (copies >= 0 && copies < cards.size())
        cards.resize(copies);
    return pdf(QSizeF(210, 297), title, [&](QPainter &p) {
        for (const QRectF &c : cards)
            art.paint(p, c);
        CropMarks::paint(p, cards, 0.8, SheetMarginMm - 1.0, MarkLineMm);
    });
}

QByteArray pdfTestSheet(const QSize &cardPx)
{
    TestSheet::Page page;
    page.cornerOnPaperMm = QPointF(SheetMarginMm, SheetMarginMm);
    page.printableMm = QSizeF(210 - 2 * SheetMarginMm, 297 - 2 * SheetMarginMm);
    return pdf(QSizeF(210, 297), QStringLiteral("Velnor打印校准测试页"), [&](QPainter &p) {
        p.translate(SheetMarginMm, SheetMarginMm);
        TestSheet::paint(p, cardPx, page);
    });
}

QImage png(const CardArt &art, int ppi)
{
    const QSizeF mm = cardSizeMm(art);
    const QSize size(int(std::lround(mm.width() / 25.4 * ppi)), int(std::lround(mm.height() / 25.4 * ppi)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(ppi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter p(&image);
    art.paint(p, QRectF(QPointF(0, 0), QSizeF(size)));
    p.end();
    return image;
}

QString write(Kind kind, const CardArt &art, const QString &title, const QString &path)
{
    // Refused before the work when the place cannot take the file at all.
    const QString refused = SafeFile::whyNotWritable(path);
    if (!refused.isEmpty())
        return refused;
    QByteArray bytes;
    switch (kind) {
    case Kind::Png300:
    case Kind::Png600:
        return SafeFile::writeImage(path, png(art, kind == Kind::Png300 ? 300 : 600), "png");
    case Kind::PdfCard:
        bytes = pdfCard(art, title);
        break;
    case Kind::PdfSheet:
        bytes = pdfSheet(art, title);
        break;
    case Kind::PdfTestSheet:
        bytes = pdfTestSheet(art.sizePx());
        break;
    }
    if (bytes.isEmpty())
        return QStringLiteral("无法生成 PDF 文件");
    return SafeFile::write(path, bytes);
}
} // namespace CardExport
