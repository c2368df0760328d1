#include "app/Marquee.h"

#include "card/Twips.h"

#include <QLabel>
#include <QTimer>

namespace {
QTimer *marqueeTimer(const char *name, QObject *parent)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(Marquee::Interval);
    return timer;
}
} // namespace

Marquee::Marquee(QLabel *info, QLabel *motto, QWidget *window)
    : QObject(window), m_info(info), m_motto(motto), m_window(window), m_timer1(marqueeTimer("Timer1", this)),
      m_timer2(marqueeTimer("Timer2", this))
{
    connect(m_timer1, &QTimer::timeout, this, &Marquee::timer1Tick);
    connect(m_timer2, &QTimer::timeout, this, &Marquee::timer2Tick);
    place();
    m_timer1->start();
}

bool Marquee::movingLeft() const
{
    return m_timer1->isActive();
}

void Marquee::timer1Tick()
{
    m_left -= Step;
    place();
    const double infoRight = Twips::fromPx(m_info->x()) + Twips::fromPx(m_info->width());
    if (infoRight + Gap >= m_left) {
        m_timer1->stop();
        m_timer2->start();
    }
}

void Marquee::timer2Tick()
{
    // A tick already queued when the direction changed must not move the motto twice.
    if (m_timer1->isActive())
        return;
    m_left += Step;
    place();
    if (m_left >= Twips::fromPx(m_window->width()) - Gap) {
        m_timer1->start();
        m_timer2->stop();
    }
}

void Marquee::stop()
{
    m_timer1->stop();
    m_timer2->stop();
}

void Marquee::place()
{
    m_motto->move(Twips::toPx(m_left), m_motto->y());
}
