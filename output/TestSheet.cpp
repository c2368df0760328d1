#include "output/TestSheet.h"

#include "card/CardFonts.h"
#include "output/PrintSheet.h"

#include <QPainter>
#include <QStringList>

namespace TestSheet {
namespace {
void crosshair(QPainter &p, const QPointF &at, double arm)
{
    p.drawLine(at - QPointF(arm, 0), at + QPointF(arm, 0));
    p.drawLine(at - QPointF(0, arm), at + QPointF(0, arm));
}

QString mm(double value)
{
    return QString::number(value, 'f', 1);
}

QString signedMm(double value)
{
    return (value >= 0 ? QStringLiteral("+") : QString()) + mm(value);
}
} // namespace

void paint(QPainter &p, const QSize &cardPx, const Page &page)
{
    const QSizeF card = QSizeF(cardPx) * PrintSheet::MmPerPx;
    // The rulers run along the frame's top and left edges on across the printable area.
    const double rulerX = std::max(card.width(), std::min(page.printableMm.width(), 180.0));
    const double rulerY = std::max(card.height(), std::min(page.printableMm.height(), 270.0));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPen thin(Qt::black, 0.1, Qt::SolidLine, Qt::FlatCap);
    p.setPen(thin);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(0, 0), card));
    for (int i = 0; i <= int(rulerX); ++i) {
        const double tick = i % 10 == 0 ? 4 : i % 5 == 0 ? 2.5 : 1.5;
        p.drawLine(QPointF(i, 0), QPointF(i, tick));
    }
    p.drawLine(QPointF(0, 0), QPointF(rulerX, 0));
    for (int j = 0; j <= int(rulerY); ++j) {
        const double tick = j % 10 == 0 ? 4 : j % 5 == 0 ? 2.5 : 1.5;
        p.drawLine(QPointF(0, j), QPointF(tick, j));
    }
    p.drawLine(QPointF(0, 0), QPointF(0, rulerY));
    crosshair(p, QPointF(card.width() / 2, card.height() / 2), 5);
    p.drawEllipse(QPointF(card.width() / 2, card.height() / 2), 2, 2);
    crosshair(p, QPointF(card.width(), card.height()), 3);
    crosshair(p, QPointF(card.width(), 0), 3);
    crosshair(p, QPointF(0, card.height()), 3);

    // Numbers and notes in the card's own units (96 per inch), so the fonts size as on the card.
    p.scale(PrintSheet::MmPerPx, PrintSheet::MmPerPx);
    QFont font = CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false);
    font.setStyleStrategy(QFont::PreferAntialias);
    p.setFont(font);
    const double px = 1 / PrintSheet::MmPerPx;
    for (int i = 10; i <= int(rulerX); i += 10)
        p.drawText(QPointF(i * px + 2, 5.5 * px + 10), QString::number(i));
    for (int j = 10; j <= int(rulerY); j += 10)
        p.drawText(QPointF(5 * px, j * px + 4), QString::number(j));

    const QPointF at = page.cornerOnPaperMm;
    QStringList lines;
    lines << QStringLiteral("Velnor打印校准测试页") << QString()
          << QStringLiteral("名片框应宽 %1 毫米、高 %2 毫米，").arg(mm(card.width()), mm(card.height()))
          << QStringLiteral("左上角应距纸张左边 %1 毫米、上边 %2 毫米。").arg(mm(at.x()), mm(at.y()))
          << QStringLiteral("请用直尺量出名片框实际的位置和宽度：")
          << QStringLiteral("框偏左多少毫米，就把“水平偏移”加大多少；偏右则减小；")
          << QStringLiteral("框偏上多少毫米，就把“垂直偏移”加大多少；偏下则减小；")
          << QStringLiteral("框的宽度比应有的窄百分之几，就把“缩放”加大百分之几，宽则减小。") << QString()
          << QStringLiteral("本页打印时的校准：水平偏移 %1 毫米，垂直偏移 %2 毫米，缩放 %3%")
                 .arg(signedMm(page.offsetXMm), signedMm(page.offsetYMm), mm(page.scalePercent));
    if (!page.printer.isEmpty())
        lines << QStringLiteral("打印机：") + page.printer;
    const QPointF textAt(12 * px, (card.height() + 12) * px);
    for (int k = 0; k < lines.size(); ++k)
        p.drawText(textAt + QPointF(0, k * 18), lines[k]);
    p.restore();
}
} // namespace TestSheet
