// In-process figures of the windows: the main window's load, opening the card folder browser and
// choosing a card in it.
#include "BenchSupport.h"
#include "PaintCounter.h"
#include "app/MainWindow.h"
#include "card/CardDesign.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "editing/CardCanvas.h"
#include "output/CardBrowser.h"
#include "output/CardFile.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// The main window as the user first sees it: loaded, shown and painted.
struct ShownMainWindow {
    CardModel card;
    MainWindow window{&card};
    ShownMainWindow()
    {
        window.load();
        window.show();
        BenchSupport::waitForPaints(window.canvas());
    }
};

CardBrowser *shownBrowser()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *browser = qobject_cast<CardBrowser *>(w); browser && browser->isVisible())
            return browser;
    return nullptr;
}

void closeBrowser(CardBrowser *browser)
{
    browser->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The main window made, loaded (font lists included) and shown until it has been painted, as after the
// splash. The font list is enumerated afresh only in a new process: run-all.sh measures that one with
// `bench_velnor --cold main-window`; this is the same work with the system's font list at hand.
void BM_MainWindowLoad(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    CardModel card;
    for (auto _ : state) {
        auto window = std::make_unique<MainWindow>(&card);
        window->load();
        window->show();
        if (!BenchSupport::waitForPaints(window->canvas())) {
            state.SkipWithError("the main window was not painted");
            break;
        }
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowLoad)->Unit(benchmark::kMillisecond);

// `ImgView` on a card folder of N files: the main window hides, the browser lists and counts the files
// and is painted. The memory growth of the first opening in a fresh process is measured by
// `bench_velnor --cold browser N`.
void BM_BrowserOpen(benchmark::State &state)
{
    const int files = int(state.range(0));
    if (BenchSupport::useProgramDirectory(files).isEmpty()) {
        state.SkipWithError("no card folder");
        return;
    }
    ShownMainWindow shown;
    MainWindow &window = shown.window;
    for (auto _ : state) {
        window.openBrowser();
        CardBrowser *browser = shownBrowser();
        auto *list = browser ? browser->findChild<QListWidget *>(QStringLiteral("File1")) : nullptr;
        if (!list || !BenchSupport::waitForPaints(list->viewport()) || list->count() != files) {
            state.SkipWithError("the browser did not show the list");
            break;
        }
        state.PauseTiming();
        closeBrowser(browser);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BrowserOpen)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A card chosen in the list of a 10,000-card folder: its BMP read and shown in `PicMyCard`.
void BM_ChooseCard(benchmark::State &state)
{
    constexpr int Files = 10000;
    if (BenchSupport::useProgramDirectory(Files).isEmpty()) {
        state.SkipWithError("no card folder");
        return;
    }
    ShownMainWindow shown;
    MainWindow &window = shown.window;
    window.openBrowser();
    CardBrowser *browser = shownBrowser();
    auto *list = browser ? browser->findChild<QListWidget *>(QStringLiteral("File1")) : nullptr;
    auto *picture = browser ? browser->findChild<QLabel *>(QStringLiteral("PicMyCard")) : nullptr;
    if (!list || !picture || list->count() != Files) {
        state.SkipWithError("the browser did not open");
        return;
    }
    BenchSupport::waitForPaints(list->viewport());
    int row = 0;
    for (auto _ : state) {
        // Neighbouring entries in turn, as with the arrow keys.
        list->setCurrentRow(row);
        row = (row + 1) % 2;
        if (!BenchSupport::waitForPaints(picture) || browser->cardPicture().isNull()) {
            state.SkipWithError("the chosen card was not shown");
            break;
        }
    }
    closeBrowser(browser);
}
BENCHMARK(BM_ChooseCard)->Unit(benchmark::kMillisecond);

// One Ctrl+Z or Ctrl+Y in the shown main window: the step restored, every panel following, the card on
// the screen painted again at once.
void BM_UndoRedo(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    ShownMainWindow shown;
    CardModel &card = shown.card;
    BenchSupport::texturedCard(card);
    card.history().commit();
    card.setText(ElementId::LabName, QStringLiteral("李四"));
    card.history().commit();
    card.moveElement(ElementId::LabJob, 3000, 700);
    card.history().commit();
    CardCanvas *canvas = shown.window.canvas();
    BenchSupport::waitForPaints(canvas);
    PaintCounter paints(canvas);
    int steps = 0;
    for (auto _ : state) {
        if (steps++ % 2 == 0)
            card.history().undo();
        else
            card.history().redo();
        canvas->repaint();
    }
    if (paints.count() < steps || card.history().undoCount() + card.history().redoCount() != 3)
        state.SkipWithError("an undo or redo did not take or did not paint the card");
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMicrosecond);

// "编辑" on a saved card: its design read, its pictures decoded, put into the main window's card as one
// step, and the card painted.
void BM_OpenForEditing(benchmark::State &state)
{
    BenchSupport::useProgramDirectory(0);
    const QString path = CardFile::cardPath(QStringLiteral("打开测试"));
    {
        CardModel saved;
        BenchSupport::texturedCard(saved);
        saved.setText(ElementId::LabName, QStringLiteral("李四"));
        QDir().mkpath(CardFile::cardFolder());
        if (!CardDesign::writeWithPicture(path, renderCard(saved), saved).isEmpty()) {
            state.SkipWithError("the card was not saved");
            return;
        }
    }
    ShownMainWindow shown;
    CardCanvas *canvas = shown.window.canvas();
    for (auto _ : state) {
        QString reason;
        bool opened;
        {
            const CardHistory::Step step(shown.card.history(), QStringLiteral("打开名片"));
            opened = CardDesign::readFile(CardDesign::pathFor(path), shown.card, &reason);
        }
        canvas->repaint();
        if (!opened) {
            state.SkipWithError(qPrintable(reason));
            break;
        }
        state.PauseTiming();
        shown.card.history().undo(); // the next opening changes the card again
        state.ResumeTiming();
    }
    QFile::remove(path);
    QFile::remove(CardDesign::pathFor(path));
}
BENCHMARK(BM_OpenForEditing)->Unit(benchmark::kMillisecond);
} // namespace
