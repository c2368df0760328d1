#pragma once
// `MenuButton`: a picture button of the menu column. It shows one of three 54 x 21 pictures (normal,
// hover, pressed) and reports the mouse; which picture the column's other buttons show is the main
// window's business (the neighbour rule), so the button only says what happened to it.
#include <QPixmap>
#include <QWidget>
#include <array>

class MenuButton : public QWidget {
    Q_OBJECT
public:
    enum Picture { Normal = 0, Hover = 1, Pressed = 2 };

    // The three pictures are the stem followed by 0, 1 and 2.
    MenuButton(const char *name, const char *stem, QWidget *parent = nullptr);

    QString stem() const { return m_stem; }
    Picture picture() const { return m_picture; }
    void showPicture(Picture picture);

signals:
    void mouseMoved(MenuButton *button); // also while a button is held
    // Any mouse button released after a press on this button, wherever the pointer is by then.
    void released(MenuButton *button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_stem;
    Picture m_picture = Normal;
    std::array<QPixmap, 3> m_pictures;
};
