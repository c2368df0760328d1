// In-process figures of the card itself: drawing it, dragging an element, saving it, the A4 sheet.
#include "BenchSupport.h"
#include "PaintCounter.h"
#include "card/CardDesign.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/ContactCode.h"
#include "editing/CardCanvas.h"
#include "editing/ElementReactions.h"
#include "output/CardFile.h"
#include "output/PrintSheet.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
// The card drawn into a 340 x 207 image, as saving does; the argument is the address's length
// (0: the default texts).
void BM_RenderCard(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    if (state.range(0) > 0)
        card.setText(ElementId::LabAdd, BenchSupport::addressOf(int(state.range(0))));
    QImage image(card.cardSizePx(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        paintCard(p, card);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderCard)->Arg(0)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// The landscape card with the contact QR code shown (the default texts in it, 2 px modules).
void BM_RenderCardWithQr(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    card.setVisible(ElementId::PicQr, true);
    QImage image(card.cardSizePx(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        paintCard(p, card);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    if (card.qrCode().isNull())
        state.SkipWithError("no QR code was drawn");
}
BENCHMARK(BM_RenderCardWithQr)->Unit(benchmark::kMicrosecond);

// One character typed into the name with all nine texts in the QR code: the text laid out, the code
// encoded again, and the canvas on the screen painted at once.
void BM_QrTypedCharacter(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    card.setQrFields(ContactCode::AllFields);
    card.setVisible(ElementId::PicQr, true);
    CardCanvas canvas(&card);
    canvas.show();
    BenchSupport::waitForPaints(&canvas);
    PaintCounter paints(&canvas);
    const QString name = card.textElement(ElementId::LabName).text;
    int step = 0;
    bool followed = true;
    for (auto _ : state) {
        // One character more, one less, as typing and deleting do; every step changes the code.
        const QString text = (step++ & 1) ? name : name + QChar(u'四');
        card.setText(ElementId::LabName, text);
        canvas.repaint();
        followed = followed && card.qrText().contains(text.toUtf8());
    }
    if (!followed || paints.count() < step || card.qrCode().isNull())
        state.SkipWithError("the code did not follow the text or the canvas was not painted");
}
BENCHMARK(BM_QrTypedCharacter)->Unit(benchmark::kMicrosecond);

// One mouse move on the name while the left button is held: the canvas's element reports it, the
// editor's own reactions move the element in the model, and the canvas on the screen is painted again
// at once (as the next frame would).
void BM_DragStep(benchmark::State &state)
{
    CardModel card;
    BenchSupport::texturedCard(card);
    CardCanvas canvas(&card);
    ElementReactions reactions(&canvas);
    canvas.show();
    BenchSupport::waitForPaints(&canvas);
    PaintCounter paints(&canvas);
    QWidget *name = canvas.elementWidget(ElementId::LabName);
    const QPointF grab(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, grab, name->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(name, &press);
    const double startLeft = card.element(ElementId::LabName).left;
    int step = 0;
    for (auto _ : state) {
        // To and fro by three pixels, so the name stays on the card.
        const QPointF to(grab.x() + ((step++ & 1) ? -3 : 3), grab.y());
        QMouseEvent move(QEvent::MouseMove, to, name->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(name, &move);
        canvas.repaint();
    }
    QMouseEvent release(QEvent::MouseButtonRelease, grab, name->mapToGlobal(grab), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(name, &release);
    // Every step must have moved the name and painted the canvas, or the figure means nothing.
    const double left = card.element(ElementId::LabName).left;
    const double expectedLeft = startLeft + ((step & 1) ? 45 : 0);
    if (paints.count() < step || left != expectedLeft)
        state.SkipWithError("the drag did not move the name or paint the canvas at every step");
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// "保存": the card drawn, the folder made when missing, the 24-bit BMP written beside the target and
// renamed over it.
void BM_SaveCard(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    CardModel card;
    BenchSupport::texturedCard(card);
    const QString path = CardFile::cardPath(QStringLiteral("速度测试"));
    for (auto _ : state) {
        const QImage picture = renderCard(card);
        QDir().mkpath(CardFile::cardFolder());
        const QString reason = CardFile::writeBmp(picture, path);
        if (!reason.isEmpty()) {
            state.SkipWithError(qPrintable(reason));
            break;
        }
    }
    QFile::remove(path);
}
BENCHMARK(BM_SaveCard)->Unit(benchmark::kMicrosecond);

// "保存" as it is now: the card drawn, the BMP and the design beside it (pictures as PNG) written together.
void BM_SaveWithDesign(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    CardModel card;
    BenchSupport::texturedCard(card);
    const QString path = CardFile::cardPath(QStringLiteral("速度测试"));
    for (auto _ : state) {
        const QImage picture = renderCard(card);
        QDir().mkpath(CardFile::cardFolder());
        const QString reason = CardDesign::writeWithPicture(path, picture, card);
        if (!reason.isEmpty()) {
            state.SkipWithError(qPrintable(reason));
            break;
        }
    }
    QFile::remove(path);
    QFile::remove(CardDesign::pathFor(path));
}
BENCHMARK(BM_SaveWithDesign)->Unit(benchmark::kMicrosecond);

// "排满页面": ten copies of a saved card (read from its file, as the browser hands it to the print
// window) composed on the sheet and written to temp.bmp.
void BM_PrintSheet(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    CardModel card;
    BenchSupport::texturedCard(card);
    const QString saved = CardFile::cardPath(QStringLiteral("打印测试"));
    QDir().mkpath(CardFile::cardFolder());
    CardFile::writeBmp(renderCard(card), saved);
    const QImage picture = QImageReader(saved).read();
    QFile::remove(saved);
    for (auto _ : state) {
        const QImage sheet = PrintSheet::compose(picture);
        const QString reason = CardFile::writeBmp(sheet, CardFile::printImagePath());
        if (!reason.isEmpty() || sheet.size() != QSize(680, 1035)) {
            state.SkipWithError("the sheet was not written");
            break;
        }
    }
    QFile::remove(CardFile::printImagePath());
}
BENCHMARK(BM_PrintSheet)->Unit(benchmark::kMicrosecond);
} // namespace
