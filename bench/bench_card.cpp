// In-process figures: the card's rendering and a drag step.
#include "assets/Assets.h"
#include "card/CardFonts.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "editing/CardCanvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
void texturedCard(CardModel &card)
{
    const QImage texture(Assets::texture(4));
    card.setBackgroundShown(true);
    card.setPictureStore(texture);
    card.setPagePicture(texture);
    card.tilePage(texture);
}

void BM_RenderCard(benchmark::State &state)
{
    CardModel card;
    texturedCard(card);
    if (state.range(0) > 0)
        card.setText(ElementId::LabAdd, QString(int(state.range(0)), QChar(0x5730)));
    QImage image(card.cardSizePx(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        paintCard(p, card);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderCard)->Arg(0)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_DragStep(benchmark::State &state)
{
    CardModel card;
    texturedCard(card);
    CardCanvas canvas(&card);
    canvas.show();
    QWidget *name = canvas.elementWidget(ElementId::LabName);
    const QPointF grab(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, grab, name->mapToGlobal(grab), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(name, &press);
    int step = 0;
    for (auto _ : state) {
        const QPointF to(grab.x() + ((step++ & 1) ? 3 : -3), grab.y());
        QMouseEvent move(QEvent::MouseMove, to, name->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(name, &move);
        canvas.repaint();
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CardFonts::install();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
