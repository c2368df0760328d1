#pragma once
// The title bar's motto gliding to and fro: `Timer1` moves it left, `Timer2` right, 50 twips every 100 ms,
// exactly one of them running. It turns just right of the program name and just inside the window's
// right edge, which follows the window's current width. It runs as long as the window exists, hidden or not.
#include <QObject>

class QLabel;
class QTimer;
class QWidget;

class Marquee : public QObject {
    Q_OBJECT
public:
    static constexpr int Step = 50;        // twips per tick
    static constexpr int Interval = 100;   // ms
    static constexpr int StartLeft = 7650; // twips, where the motto stands at load
    static constexpr int Gap = 100;        // twips kept from the name and from the window's edge

    // info is `LabBarInfo`, motto is `LabBarMove`; both lie on the title bar of window.
    Marquee(QLabel *info, QLabel *motto, QWidget *window);

    QTimer *timer1() const { return m_timer1; }
    QTimer *timer2() const { return m_timer2; }
    bool movingLeft() const;
    double mottoLeft() const { return m_left; } // twips

    // One tick of each timer, as the timers run them.
    void timer1Tick();
    void timer2Tick();
    void stop();

private:
    void place();

    QLabel *m_info;
    QLabel *m_motto;
    QWidget *m_window;
    QTimer *m_timer1;
    QTimer *m_timer2;
    double m_left = StartLeft;
};
