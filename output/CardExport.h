#pragma once
// Export for a print shop or the screen, never calibrated: the card as a PDF page of its trade size
// (90 x 54 mm, or 54 x 90) with 2 mm bleed and crop marks; the A4 sheet as a PDF, the cards at the
// places the print image has on paper, with crop marks around them; a PNG at 300 or 600 ppi drawn at that
// resolution; and the calibration test sheet as a PDF. PDF text stays text, with its fonts embedded.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

class CardArt;

namespace CardExport {
enum class Kind { PdfCard, PdfSheet, Png300, Png600, PdfTestSheet };

inline constexpr double CardLongMm = 90;
inline constexpr double CardShortMm = 54;
inline constexpr double BleedMm = 2;
// The A4 sheet's cards start at the corner of the printable area a PDF printer has by default (10 pt).
inline constexpr double SheetMarginMm = 25.4 * 10 / 72;

// The trade size of the card (90 x 54 mm, turned for a portrait card).
QSizeF cardSizeMm(const CardArt &art);
// Where the cards lie on the A4 sheet, in millimetres from the page's top-left.
QVector<QRectF> sheetCardsMm(const CardArt &art);

QByteArray pdfCard(const CardArt &art, const QString &title);
// All the sheet's cards, or only its first `copies`.
QByteArray pdfSheet(const CardArt &art, const QString &title, int copies = -1);
QByteArray pdfTestSheet(const QSize &cardPx);
// The card drawn at that many pixels per inch over its trade size: 1063 x 638 at 300 ppi.
QImage png(const CardArt &art, int ppi);

// Writes the export (through the safe write). Empty on success, otherwise the reason in Chinese, and no
// file is left behind.
QString write(Kind kind, const CardArt &art, const QString &title, const QString &path);
} // namespace CardExport
