#pragma once
// Counts the paint events a widget receives: a benchmark that times a repaint checks with it that the
// widget really painted.
#include <QEvent>
#include <QObject>

class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject *watched) : QObject(watched) { watched->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};
