#pragma once
// The page panel: orientation and paper textures.
#include "widgets/Panel.h"

class CardModel;
class QRadioButton;

class PagePanel : public Panel {
    Q_OBJECT
public:
    explicit PagePanel(CardModel *card, QWidget *parent = nullptr);

    // Paper textures: a thumbnail click ticks "背景", keeps the texture as the held page picture and
    // tiles it over the card.
    void chooseTexture(int index);

private:
    void buildOrientation();
    void buildTextures();

    CardModel *m_card;
    // Page orientation
    QRadioButton *m_optPageH = nullptr;
    QRadioButton *m_optPageV = nullptr;
};
