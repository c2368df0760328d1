#include "widgets/WindowMover.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowMover::WindowMover(QWidget *window) : QObject(window), m_window(window) {}

void WindowMover::watch(QWidget *handle)
{
    handle->installEventFilter(this);
}

void WindowMover::watchOwnArea(QWidget *handle)
{
    m_ownAreaOnly.append(handle);
    connect(handle, &QObject::destroyed, this, [this](QObject *gone) { m_ownAreaOnly.removeAll(gone); });
    watch(handle);
}

bool WindowMover::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        // A press passed up from a child lands on the handle at the child's place.
        if (m_ownAreaOnly.contains(watched) &&
            static_cast<QWidget *>(watched)->childAt(e->position().toPoint()) != nullptr)
            return false;
        QWindow *handle = m_window->windowHandle();
        m_manual = !(handle && handle->startSystemMove());
        m_offset = e->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        return false;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (m_manual && e->buttons() != Qt::NoButton)
            m_window->move(e->globalPosition().toPoint() - m_offset);
        return false;
    }
    case QEvent::MouseButtonRelease:
        m_manual = false;
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}

ChildMover::ChildMover(QWidget *child, bool keepInside)
    : QObject(child), m_child(child), m_keepInside(keepInside)
{
    child->installEventFilter(this);
}

bool ChildMover::eventFilter(QObject *watched, QEvent *event)
{
    // Only mouse events are read through it (a cast of any other event would be undefined).
    auto *e = dynamic_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (e->button() == Qt::LeftButton) {
            m_dragging = true;
            m_pressPos = e->position().toPoint();
        }
        return false;
    case QEvent::MouseMove:
        if (m_dragging && (e->buttons() & Qt::LeftButton)) {
            QPoint to = m_child->mapToParent(e->position().toPoint() - m_pressPos);
            if (m_keepInside && m_child->parentWidget()) {
                const QSize room = m_child->parentWidget()->size() - m_child->size();
                to.setX(std::clamp(to.x(), std::min(0, room.width()), std::max(0, room.width())));
                to.setY(std::clamp(to.y(), std::min(0, room.height()), std::max(0, room.height())));
            }
            m_child->move(to);
            emit moved(to);
        }
        return false;
    case QEvent::MouseButtonRelease:
        if (e->button() == Qt::LeftButton)
            m_dragging = false;
        return false;
    default:
        return QObject::eventFilter(watched, event);
    }
}
