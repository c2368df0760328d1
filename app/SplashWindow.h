#pragma once
// The start-up window `FrmWelcome`: its picture and `LabRInfo` in a thin frame, centred on the screen.
// `Timer2` (4000 ms) or a click starts `Timer1` (5 ms), whose ticks shrink the window towards the centre
// of the screen; the first tick that brings its width or height to 200 twips or less ends it.
#include <QPixmap>
#include <QRectF>
#include <QWidget>

class QLabel;
class QTimer;

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int WaitInterval = 4000; // ms, `Timer2`
    static constexpr int StepInterval = 5;    // ms, `Timer1`
    static constexpr int WidthStep = 350;     // twips per tick
    static constexpr int HeightStep = 200;
    static constexpr int Smallest = 200; // the last tick reaches this width or height

    // The splash on a screen of the given size in twips (the primary screen's by default).
    explicit SplashWindow(const QSizeF &screenTwips = QSizeF());

    // One closing step of a window whose outer place and size are given in twips: narrower and lower,
    // and centred again on the screen.
    static QRectF shrinkStep(const QRectF &window, const QSizeF &screen);
    static bool isLastStep(const QRectF &window);

    QTimer *timer1() const { return m_timer1; }
    QTimer *timer2() const { return m_timer2; }
    QRectF geometryTwips() const { return m_place; }
    bool isClosing() const;
    // One tick of `Timer1`, as the timer runs it.
    void closingStep();

signals:
    // Once, just after the splash was first painted: it is on the screen.
    void onScreen();
    // The splash is gone; the main window is shown next.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void startClosing();
    void applyPlace();

    QSizeF m_screen;
    QRectF m_place; // outer place and size in twips, real-valued
    QPixmap m_picture;
    QLabel *m_info;
    QTimer *m_timer1;
    QTimer *m_timer2;
    bool m_pressed = false;
    bool m_painted = false;
};
