#pragma once
// A borderless picture box that shows its picture at its natural size and reports a click: a left-button
// press and release both on it.
#include <QLabel>

class PictureBox : public QLabel {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    // Sizes the box to the picture; a missing picture leaves the box's size as it is.
    void setPicture(const QImage &picture);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};
