// The benchmark program. Without arguments of its own it runs the Google Benchmark figures; with
// `--cold WHAT` it measures, once, something that happens once per process, and prints it for run-all.sh:
//   --cold main-window    the main window's load right after the splash, in the program's own order
//   --cold browser N      the first opening of the browser on N files: time and resident memory growth
//   --cold history-memory the heap taken by 100 undo steps
#include "BenchSupport.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "editing/CardCanvas.h"
#include "output/CardBrowser.h"

#include "app/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <memory>

namespace {
// What main() does before the main window: translations, fonts, the settings, the card, the splash.
void startLikeTheProgram(QApplication &app)
{
    Startup::prepare(app);
}

void showSplash()
{
    auto splash = std::make_unique<SplashWindow>();
    splash->show();
    BenchSupport::waitForPaints(splash.get());
    splash->hide();
}

int coldMainWindow()
{
    BenchSupport::useProgramDirectory(0);
    CardModel card;
    showSplash();
    QElapsedTimer timer;
    timer.start();
    MainWindow window(&card);
    window.load();
    window.show();
    const bool painted = BenchSupport::waitForPaints(window.canvas());
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!painted)
        return 1;
    std::printf("main_window_load_ms %.3f\nfont_families %lld\n", ms,
                qlonglong(QFontDatabase::families().size()));
    return 0;
}

int coldBrowser(int files)
{
    if (BenchSupport::useProgramDirectory(files).isEmpty())
        return 1;
    CardModel card;
    MainWindow window(&card);
    window.load();
    window.show();
    BenchSupport::waitForPaints(window.canvas());
    QCoreApplication::processEvents();
    const double before = BenchSupport::residentMiB();
    QElapsedTimer timer;
    timer.start();
    window.openBrowser();
    CardBrowser *browser = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *b = qobject_cast<CardBrowser *>(w))
            browser = b;
    auto *list = browser ? browser->findChild<QListWidget *>(QStringLiteral("File1")) : nullptr;
    if (!list || !BenchSupport::waitForPaints(list->viewport()) || list->count() != files)
        return 1;
    const double ms = timer.nsecsElapsed() / 1e6;
    const double after = BenchSupport::residentMiB();
    std::printf("browser_open_ms %.3f\nbrowser_rss_growth_mib %.3f\n", ms, after - before);
    return 0;
}
// The heap (small blocks and mapped ones, where large pictures live) taken by 100 undo steps, alternately
// drags (press, 10 moves, release) and typing into a text, on a card with a 1-megapixel page picture:
// the pictures are shared between the steps, not copied.
int coldHistoryMemory()
{
    QImage photo(1250, 800, QImage::Format_RGB32);
    photo.fill(QColor(90, 140, 200));
    CardModel card;
    card.setPictureStore(photo);
    card.setPagePicture(card.pictureStore());
    card.tilePage(card.pictureStore());
    card.history().clear();
    auto heap = [] {
        const struct mallinfo2 m = mallinfo2();
        return double(m.uordblks + m.hblkhd);
    };
    malloc_trim(0);
    const double before = heap();
    for (int step = 0; step < CardHistory::MaxSteps; ++step) {
        if (step % 2 == 0) {
            const CardHistory::Step drag(card.history(), QStringLiteral("移动 名字"));
            for (int move = 1; move <= 10; ++move)
                card.moveElement(ElementId::LabName, 4000 - 15 * move - step, 135);
        } else {
            card.setText(ElementId::LabAdd, BenchSupport::addressOf(20 + step));
            card.history().commit();
            card.history().breakMerge();
        }
    }
    const double after = heap();
    if (card.history().undoCount() != CardHistory::MaxSteps)
        return 1;
    std::printf("history_mib %.4f\n", (after - before) / (1024.0 * 1024.0));
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--cold") == 0) {
        startLikeTheProgram(app);
        if (std::strcmp(argv[2], "main-window") == 0)
            return coldMainWindow();
        if (std::strcmp(argv[2], "history-memory") == 0)
            return coldHistoryMemory();
        if (std::strcmp(argv[2], "browser") == 0 && argc >= 4)
            return coldBrowser(std::atoi(argv[3]));
        std::fprintf(stderr, "bench_velnor: unknown --cold measurement\n");
        return 2;
    }
    startLikeTheProgram(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
