#pragma once
// What the benchmarks share: the measured card, a program directory of their own with a card folder of a
// given size, the resident memory, and waiting for a widget to be painted.
#include <QObject>
#include <QString>

class CardModel;
class QWidget;

namespace BenchSupport {
// The landscape default card with a 32 x 32 texture tiled over its page, as the page panel leaves it.
void texturedCard(CardModel &card);
// An address of the given length, made of the default address's characters (0: the default text).
QString addressOf(int characters);

// The benchmarks' data directory (beside the benchmark program unless VELNOR_BENCH_DATA says otherwise).
QString dataDirectory();
// A program directory whose card folder holds `files` saved cards (real 24-bit BMPs, hard links of a
// few saved cards, so that any decoding would show), made once and kept; it gets the build's myset.ini.
// Also points ProgramDirectory and the settings store at it. Empty on failure.
QString useProgramDirectory(int files);

// Resident set size of this process, in MiB.
double residentMiB();
// Runs the event loop until the widget has been painted `count` more times (or 5 s have passed).
bool waitForPaints(QWidget *widget, int count = 1);
} // namespace BenchSupport
