#pragma once
// The main window's own title bar `PicBarBg`: the title bitmap, the program name `LabBarInfo` and the
// motto `LabBarMove` that the marquee moves. A press on the bar itself (not on its labels) moves the window.
#include <QPixmap>
#include <QWidget>

class QLabel;

class TitleBar : public QWidget {
    Q_OBJECT
public:
    explicit TitleBar(QWidget *parent = nullptr);

    QLabel *info() const { return m_info; }
    QLabel *motto() const { return m_motto; }
    // The motto's text; the label keeps its place and takes the width of its text.
    void setMotto(const QString &text);
    // Done when the window goes away, so the bar shows nothing in its last moment on screen.
    void clearPicture();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QLabel *m_info;
    QLabel *m_motto;
};
