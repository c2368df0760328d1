#pragma once
// What the program sets up before it shows anything: Qt's own dialog buttons in Chinese, the card's fonts
// and the application font ("宋体" 9 pt). The program and the benchmarks that start like it share it.
class QApplication;

namespace Startup {
void prepare(QApplication &app);
} // namespace Startup
