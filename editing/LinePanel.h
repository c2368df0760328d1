#pragma once
// The line panel `FrmHLine`: two scroll bars size the card's line (it can become a vertical rule or a
// coloured block) and a colour strip colours it.
#include "widgets/Panel.h"

class CardModel;
class PaletteStrip;
class QScrollBar;

class LinePanel : public Panel {
    Q_OBJECT
public:
    explicit LinePanel(CardModel *card, QWidget *parent = nullptr);

    // The bars show the line's width and height (rounded half to even).
    void load() override;

    // The bars' range in twips and their arrow and track steps.
    static constexpr int MinSize = 1;
    static constexpr int MaxSize = 5100;
    static constexpr int ArrowStep = 10;
    static constexpr int TrackStep = 50;

private:
    CardModel *m_card;
    PaletteStrip *m_strip = nullptr;
    QScrollBar *m_width = nullptr;  // `HScroll1`
    QScrollBar *m_height = nullptr; // `HScroll2`
};
