#pragma once
// `PaletteStrip`: the 198 x 15 colour strip shown at its natural size in a flat one-pixel border with a
// crosshair pointer. The pointer at (x, y) pixels in the inner area picks image pixel (x, y).
// Reports hover (no button held), presses (any button) and moves while a button is held.
#include "card/VbColor.h"

#include <QFrame>
#include <QImage>

class PaletteStrip : public QFrame {
    Q_OBJECT
public:
    explicit PaletteStrip(QWidget *parent = nullptr);
    // The colour under a point of the inner area, or nothing off the picture.
    std::optional<VbColor> colorAt(const QPoint &inner) const;

signals:
    void hovered(VbColor color);
    void pressed(VbColor color, Qt::MouseButton button, Qt::MouseButtons buttons);
    void draggedOver(VbColor color, Qt::MouseButtons buttons);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_image;
};
