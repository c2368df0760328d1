#pragma once
// Dragging without a system title bar. WindowMover moves a frameless top-level window by a press on any
// of the widgets it watches: it asks the window system to move the window, and where there is none that
// offers it (no window manager) follows the mouse itself. ChildMover moves a child widget inside its
// parent while the left button is held.
#include <QList>
#include <QObject>
#include <QPoint>

class QWidget;

class WindowMover : public QObject {
    Q_OBJECT
public:
    explicit WindowMover(QWidget *window);
    // Presses on this widget (any button) move the window.
    void watch(QWidget *handle);
    // Only presses on the widget itself move the window: a press on one of its children that the child
    // leaves unhandled (a label, a frame) does not, as a press reaches only the control under the pointer.
    void watchOwnArea(QWidget *handle);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QList<QObject *> m_ownAreaOnly;
    bool m_manual = false;
    QPoint m_offset;
};

class ChildMover : public QObject {
    Q_OBJECT
public:
    // With keepInside, the child never leaves its parent's area.
    explicit ChildMover(QWidget *child, bool keepInside = true);

signals:
    void moved(const QPoint &topLeft);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_child;
    bool m_keepInside;
    bool m_dragging = false;
    QPoint m_pressPos;
};
