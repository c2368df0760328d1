#pragma once
// The show/hide panel `FrmShow`: one check box per card element, whose state the element's visibility
// follows, and the page background switch `ChkBg`.
#include "card/CardElement.h"
#include "widgets/Panel.h"

#include <array>

class CardModel;
class QCheckBox;

class ShowPanel : public Panel {
    Q_OBJECT
public:
    explicit ShowPanel(CardModel *card, QWidget *parent = nullptr);

private:
    CardModel *m_card;
    std::array<QCheckBox *, ElementCount> m_elementBoxes{};
    QCheckBox *m_chkBg = nullptr;
};
