// In-process figures of sharp output: the card's PDF with bleed and crop marks, the A4 sheet's PDF by
// the cards on it, the 600 ppi PNG, and the sharp A4 sheet printed to a PDF printer at 600 dpi.
#include "BenchSupport.h"
#include "card/CardModel.h"
#include "output/CardArt.h"
#include "output/CardExport.h"
#include "output/PagePrinter.h"
#include "output/PrintSheet.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
void BM_ExportPdfCard(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    const CardArt art(card);
    for (auto _ : state) {
        const QByteArray pdf = CardExport::pdfCard(art, QStringLiteral("名片"));
        if (pdf.isEmpty()) {
            state.SkipWithError("no PDF");
            break;
        }
        benchmark::DoNotOptimize(pdf.constData());
    }
}
BENCHMARK(BM_ExportPdfCard)->Unit(benchmark::kMicrosecond);

// The argument is the number of cards on the sheet (10 fill it).
void BM_ExportPdfSheet(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    const CardArt art(card);
    for (auto _ : state) {
        const QByteArray pdf = CardExport::pdfSheet(art, QStringLiteral("名片"), int(state.range(0)));
        if (pdf.isEmpty()) {
            state.SkipWithError("no PDF");
            break;
        }
        benchmark::DoNotOptimize(pdf.constData());
    }
}
BENCHMARK(BM_ExportPdfSheet)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_ExportPng600(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    const CardArt art(card);
    for (auto _ : state) {
        const QImage png = CardExport::png(art, 600);
        if (png.size() != QSize(2126, 1276)) {
            state.SkipWithError("wrong size");
            break;
        }
        benchmark::DoNotOptimize(png.constBits());
    }
}
BENCHMARK(BM_ExportPng600)->Unit(benchmark::kMillisecond);

// The same, encoded as PNG and written through the safe write, as "导出…" does.
void BM_ExportPng600File(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    const CardArt art(card);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/card.png");
    for (auto _ : state) {
        if (!CardExport::write(CardExport::Kind::Png600, art, QString(), path).isEmpty()) {
            state.SkipWithError("not written");
            break;
        }
    }
}
BENCHMARK(BM_ExportPng600File)->Unit(benchmark::kMillisecond);

// The print button on a card with its design, "排满页面打印（A4规格）", into a PDF printer at 600 dpi.
void BM_SharpPrintSheet(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    const CardArt art(card);
    const QVector<QRectF> cards = PrintSheet::cardRectsMm(card.cardSizePx(), true);
    const PagePrinter::Content content = [&](QPainter &p, const PagePrinter::PageInfo &) {
        for (const QRectF &c : cards)
            art.paint(p, c);
    };
    QTemporaryDir dir;
    const QString pdf = dir.path() + QStringLiteral("/sheet.pdf");
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(600);
        if (PagePrinter::print(printer, content, Calibration{0.5, -0.5, 100.5}) !=
            PagePrinter::Result::Printed) {
            state.SkipWithError("not printed");
            break;
        }
    }
}
BENCHMARK(BM_SharpPrintSheet)->Unit(benchmark::kMillisecond);
} // namespace
