#include "editing/ShowPanel.h"

#include "card/CardModel.h"
#include "widgets/EventRules.h"

#include <QCheckBox>

namespace {
constexpr int Background = -1;

// Top to bottom; names and captions of the element boxes come from the element identity table.
struct ShowBoxRow {
    int element; // ElementId, or Background for `ChkBg`
    int left;
    int top;
    int height;
};
constexpr int BoxWidth = 675;
constexpr int QrBoxWidth = 900; // "二维码" is a character longer than the others
constexpr std::array<ShowBoxRow, 14> ShowBoxes{{
    {int(ElementId::PicCardLogo), 240, 360, 255},
    {Background, 240, 808, 255},
    {int(ElementId::Hline), 240, 1256, 255},
    {int(ElementId::LabName), 240, 1704, 195},
    {int(ElementId::LabJob), 240, 2092, 195},
    {int(ElementId::LabOffice), 240, 2480, 255},
    {int(ElementId::LabAdd), 240, 2928, 195},
    {int(ElementId::LabPost), 240, 3316, 195},
    {int(ElementId::LabTel), 240, 3704, 195},
    {int(ElementId::LabMob), 240, 4092, 195},
    {int(ElementId::LabFax), 240, 4480, 195},
    {int(ElementId::LabHttp), 240, 4868, 195},
    {int(ElementId::LabMail), 225, 5265, 195},
    // The design's column is full to the frame's bottom: the QR code's box starts a second column, beside
    // the first box, in a panel made wider for it.
    {int(ElementId::PicQr), 975, 360, 255},
}};
} // namespace

ShowPanel::ShowPanel(CardModel *card, QWidget *parent)
    : Panel("FrmShow", QStringLiteral("显示/隐藏"), parent), m_card(card)
{
    for (const ShowBoxRow &b : ShowBoxes) {
        if (b.element == Background) {
            m_chkBg = place(new QCheckBox(QStringLiteral("背景"), this), "ChkBg", b.left, b.top, BoxWidth,
                            b.height);
            m_chkBg->setChecked(card->backgroundShown());
            continue;
        }
        const ElementRow &info = elementInfo(ElementId(b.element));
        auto *box = place(new QCheckBox(QString::fromUtf8(info.checkCaption), this), info.checkBox, b.left,
                          b.top, info.id == ElementId::PicQr ? QrBoxWidth : BoxWidth, b.height);
        box->setChecked(card->element(info.id).visible);
        m_elementBoxes[size_t(b.element)] = box;
        // The element takes the box's state each time, so the two always agree.
        EventRules::onCheckClick(box, this,
                                 [card, id = info.id](bool ticked) { card->setVisible(id, ticked); });
    }

    // What the background switch does is the card's; the box only shows and sets the card's state.
    EventRules::onCheckClick(m_chkBg, this, [card](bool ticked) { card->setBackgroundShown(ticked); });
    connect(card, &CardModel::backgroundShownChanged, m_chkBg, &QCheckBox::setChecked);
    // A box that already shows its element's state runs nothing when set again.
    connect(card, &CardModel::elementChanged, this,
            [this](ElementId id) { m_elementBoxes[size_t(id)]->setChecked(m_card->element(id).visible); });
}
