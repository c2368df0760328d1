#pragma once
// The screen fonts by family, in the order the system's font configuration enumerates them (not sorted).
#include <QStringList>

namespace ScreenFonts {
QStringList families();
} // namespace ScreenFonts
