#include "editing/PagePanel.h"

#include "assets/Assets.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/Twips.h"
#include "editing/PictureBox.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

PagePanel::PagePanel(CardModel *card, QWidget *parent)
    : Panel("FrmPage", QStringLiteral("页面设置"), parent), m_card(card)
{
    buildOrientation();
    buildTextures();
}

// Page orientation: "横向" and "竖向" apply their fixed layout when they become selected; the two page
// pictograms beside them never change. Everything lies above the textures' caption (Top 1365).
void PagePanel::buildOrientation()
{
    auto *caption = new QLabel(QStringLiteral("页面方向："), this);
    caption->setObjectName(QStringLiteral("LabPage"));
    caption->setProperty("index", 0);
    caption->move(Twips::toPx(180, 255));
    caption->adjustSize();

    m_optPageH = place(new QRadioButton(QStringLiteral("横向"), this), "OptPageH", 180, 525, 735, 255);
    m_optPageV = place(new QRadioButton(QStringLiteral("竖向"), this), "OptPageV", 180, 960, 735, 255);
    // A group of their own, so option buttons added elsewhere on the panel never share their exclusion.
    auto *group = new QButtonGroup(this);
    group->addButton(m_optPageH);
    group->addButton(m_optPageV);
    (m_card->orientation() == Orientation::Landscape ? m_optPageH : m_optPageV)->setChecked(true);
    EventRules::onOptionClick(m_optPageH, this, [this] { m_card->setOrientation(Orientation::Landscape); });
    EventRules::onOptionClick(m_optPageV, this, [this] { m_card->setOrientation(Orientation::Portrait); });
    // An undo or redo turns the page back: the options show it without laying the card out again.
    connect(m_card, &CardModel::orientationChanged, this, [this](Orientation o) {
        const QSignalBlocker blockH(m_optPageH);
        const QSignalBlocker blockV(m_optPageV);
        (o == Orientation::Landscape ? m_optPageH : m_optPageV)->setChecked(true);
    });

    // Small page shapes in the window background colour with a flat single border.
    const QRect shapes[] = {Twips::rectToPx(945, 480, 465, 285), Twips::rectToPx(1035, 825, 285, 465)};
    for (int k = 0; k < 2; ++k) {
        auto *shape = new QLabel(this);
        shape->setObjectName(QStringLiteral("LabPageView"));
        shape->setProperty("index", k);
        shape->setGeometry(shapes[k]);
        shape->setFrameStyle(QFrame::Box | QFrame::Plain);
        shape->setLineWidth(1);
        shape->setAutoFillBackground(true);
        Look::setColor(shape, QPalette::Window, VbColors::toQColor(VbColors::WindowBackground));
        Look::setColor(shape, QPalette::WindowText, Qt::black);
    }
}

namespace {
// The twelve thumbnails stand in two columns of six: (Left, Top) in twips by texture index.
struct ThumbnailRow {
    int left, top;
};
constexpr ThumbnailRow TexturePlaces[12] = {
    {240, 1635}, {240, 4005}, {240, 2235}, {855, 2235}, {240, 2820}, {855, 2820},
    {240, 3420}, {855, 3420}, {855, 1635}, {855, 4005}, {240, 4605}, {855, 4605},
};
} // namespace

void PagePanel::buildTextures()
{
    auto *caption = new QLabel(QStringLiteral("页面纸纹："), this);
    caption->setObjectName(QStringLiteral("LabPage"));
    caption->setProperty("index", 1);
    caption->move(Twips::toPx(180, 1365));
    caption->adjustSize();

    for (int k = 0; k < int(std::size(TexturePlaces)); ++k) {
        auto *thumb = new PictureBox(this);
        thumb->setObjectName(QStringLiteral("PicPageImage"));
        thumb->setProperty("index", k);
        Panel::setGeometryTwips(thumb, TexturePlaces[k].left, TexturePlaces[k].top, 480, 480);
        thumb->setPicture(QImage(Assets::texture(k)));
        connect(thumb, &PictureBox::clicked, this, [this, k] { chooseTexture(k); });
    }

    auto *custom =
        place(new QPushButton(QStringLiteral("自定义>>>>"), this), "CmdPgPic", 240, 5220, 1095, 315);
    connect(custom, &QPushButton::clicked, this, [this] {
        // The picture panel, aimed at the page.
        emit openPanelRequested(QStringLiteral("FrmPic"));
    });
}

void PagePanel::chooseTexture(int index)
{
    const QImage texture(Assets::texture(index));
    if (texture.isNull())
        return;
    const CardHistory::Step step(m_card->history(), QStringLiteral("页面纸纹"));
    m_card->choosePagePicture(texture);
}
