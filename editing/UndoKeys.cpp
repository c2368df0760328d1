#include "editing/UndoKeys.h"

#include "card/CardHistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {
// Whether the text box has its own step to take back (or replay) for this key.
bool boxKeepsKey(QObject *watched, UndoKeys::Key key)
{
    const bool undo = key == UndoKeys::Key::Undo;
    if (auto *line = qobject_cast<QLineEdit *>(watched))
        return !line->isReadOnly() && (undo ? line->isUndoAvailable() : line->isRedoAvailable());
    QTextDocument *document = nullptr;
    if (auto *plain = qobject_cast<QPlainTextEdit *>(watched); plain && !plain->isReadOnly())
        document = plain->document();
    else if (auto *rich = qobject_cast<QTextEdit *>(watched); rich && !rich->isReadOnly())
        document = rich->document();
    return document && (undo ? document->isUndoAvailable() : document->isRedoAvailable());
}
} // namespace

UndoKeys::UndoKeys(QWidget *window, CardHistory *history)
    : QObject(window), m_window(window), m_history(history)
{
    // Seen before any control of the window: a text box or a list would otherwise take the keys itself.
    qApp->installEventFilter(this);
}

UndoKeys::Key UndoKeys::keyOf(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Z && mods == Qt::ControlModifier)
        return Key::Undo;
    if ((event->key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
        (event->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)))
        return Key::Redo;
    return Key::None;
}

bool UndoKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    const Key key = keyOf(static_cast<QKeyEvent *>(event));
    if (key == Key::None || boxKeepsKey(watched, key))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // Taken as an ordinary key press, which comes here next.
        event->accept();
        return true;
    }
    if (key == Key::Undo)
        m_history->undo();
    else
        m_history->redo();
    return true;
}
