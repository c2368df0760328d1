#pragma once
// Esc as a window's own key: it closes what the window shows (a side panel, the window itself), as a
// dialog's Esc does. The key acts only when no control took it: an open drop-down list takes Esc and
// closes itself alone, as does any control that has a use for the key.
#include <functional>

class QWidget;

namespace EscapeKey {
void onEscape(QWidget *window, std::function<void()> action);
} // namespace EscapeKey
