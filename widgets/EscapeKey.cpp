#include "widgets/EscapeKey.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace EscapeKey {
namespace {
// Sees the key presses that reach the window itself: those sent to it and those its controls left
// unhandled, which Qt passes up to the parent. A shortcut would not do: Qt runs a window's shortcut
// even while a list of that window is open, so Esc would close the list and the panel at once.
class Filter : public QObject {
public:
    Filter(QWidget *window, std::function<void()> action)
        : QObject(window), m_window(window), m_action(std::move(action))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                m_action();
                return true;
            }
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_action;
};
} // namespace

void onEscape(QWidget *window, std::function<void()> action)
{
    new Filter(window, std::move(action));
}
} // namespace EscapeKey
