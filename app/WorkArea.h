#pragma once
// The grey work area `PicBg`: a sunken box tiled once with the work-area tile, holding the card's
// shadow `PicCardBg` and the card canvas at the places of the current orientation.
#include <QFrame>
#include <QImage>

class CardModel;
class CardCanvas;

class WorkArea : public QFrame {
    Q_OBJECT
public:
    WorkArea(CardModel *card, QWidget *parent = nullptr);
    CardCanvas *canvas() const { return m_canvas; }
    // Tiles the picture over the whole inner area once; the result is kept and not painted again.
    void tileBackground(const QImage &tile);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void placeCard();

    CardModel *m_card;
    CardCanvas *m_canvas;
    QWidget *m_shadow;
    QImage m_background;
};
