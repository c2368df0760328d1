#pragma once
// The undo keys of a window: Ctrl+Z undoes the card's last step, Ctrl+Y and Ctrl+Shift+Z redo it, wherever
// the focus is in the window (the side panels included). A text box that can undo (redo) typing of its
// own keeps the key for that; once it cannot, the key goes to the card.
#include <QObject>

class CardHistory;
class QKeyEvent;
class QWidget;

class UndoKeys : public QObject {
    Q_OBJECT
public:
    UndoKeys(QWidget *window, CardHistory *history);

    enum class Key { None, Undo, Redo };
    static Key keyOf(const QKeyEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    CardHistory *m_history;
};
