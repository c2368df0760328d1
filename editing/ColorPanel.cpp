#include "editing/ColorPanel.h"

#include "assets/Assets.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/Twips.h"
#include "widgets/EventRules.h"
#include "widgets/Look.h"
#include "widgets/PaletteStrip.h"
#include "widgets/RgbReadout.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace {
QCursor grabCursor()
{
    const QPixmap hand(Assets::GrabCursor);
    return hand.isNull() ? QCursor(Qt::ClosedHandCursor) : QCursor(hand);
}
} // namespace

ColorPanel::ColorPanel(CardModel *card, QWidget *parent)
    : Panel("FrmColor", QStringLiteral("设置颜色"), parent), m_card(card)
{
    buildStrip();
    buildPreview();
    copyLogo();
    // After an undo or redo the preview shows the logo the card now has.
    connect(card, &CardModel::restored, this, &ColorPanel::copyLogo);
}

void ColorPanel::buildStrip()
{
    m_swatch = place(new QLabel(this), "LabColorView", 135, 225, 915, 825);
    m_swatch->setAutoFillBackground(true);
    setSwatch(VbColors::WindowBackground);

    // The design-time captions; the ASCII-colon start values are written at the main window's load.
    auto *r = Look::label(this, "LabR", Look::NoIndex, QStringLiteral("R：0"), 1125, 315);
    auto *g = Look::label(this, "LabG", Look::NoIndex, QStringLiteral("G：58"), 1125, 585);
    auto *b = Look::label(this, "LabB", Look::NoIndex, QStringLiteral("B：114"), 1125, 855);
    m_readout = new RgbReadout(r, g, b, this);

    m_strip = place(new PaletteStrip(this), "PicColor", 120, 1155, 3000, 255);
    connect(m_strip, &PaletteStrip::hovered, this, &ColorPanel::setSwatch);
    // While a button is held after a press the swatch keeps following; the strip reports the nearest
    // strip pixel when the pointer is off it, so the swatch always shows a colour.
    connect(m_strip, &PaletteStrip::draggedOver, this, [this](VbColor c) { setSwatch(c); });
    connect(m_strip, &PaletteStrip::pressed, this, [this](VbColor c) { pickWholeCard(c); });

    Look::label(this, "LabObj", 0, QStringLiteral("操作对象："), 90, 1560);
    m_foreground = Look::indexed(
        place(new QRadioButton(QStringLiteral("前景色"), this), "OptColor", 1200, 1530, 840, 240), "OptColor",
        0);
    m_background = Look::indexed(
        place(new QRadioButton(QStringLiteral("背景色"), this), "OptColor", 2175, 1530, 840, 240), "OptColor",
        1);
    m_background->setChecked(true);
    EventRules::onOptionClick(m_foreground, this, [this] { modeChanged(); });
    EventRules::onOptionClick(m_background, this, [this] { modeChanged(); });
}

void ColorPanel::buildPreview()
{
    Look::label(this, "LabObj", 1, QStringLiteral("选取标志底色为背景色："), 135, 1935);

    auto *viewBg = place(new QFrame(this), "PicViewBg", 120, 2160, 2955, 2535);
    viewBg->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    viewBg->setAutoFillBackground(true);
    Look::setColor(viewBg, QPalette::Window, Look::Grey);
    // The preview lives in the area inside the border, which clips it.
    m_viewClient = new QWidget(viewBg);
    m_viewClient->setGeometry(viewBg->contentsRect());

    m_logoView = new QLabel(m_viewClient);
    m_logoView->setObjectName(QStringLiteral("PicLogo"));
    m_logoView->move(Twips::toPx(300, 240));
    m_logoView->installEventFilter(this);

    auto *hint = place(new QLabel(QStringLiteral("    使用提示：用鼠标左键按住不放则可以拖移浏览图片；"
                                                 "单击右键则可以确定一种颜色为背景色。"),
                                  this),
                       "Label10", 135, 4860, 2910, 585);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The grab pointer is kept in a hidden image, as the preview's left-button pointer.
    auto *cursorImage = new QLabel(this);
    cursorImage->setObjectName(QStringLiteral("ImgCursor"));
    cursorImage->setPixmap(QPixmap(Assets::GrabCursor));
    cursorImage->hide();
}

void ColorPanel::setSwatch(VbColor color)
{
    Look::setColor(m_swatch, QPalette::Window, VbColors::toQColor(color));
}

void ColorPanel::load()
{
    m_readout->setTexts(QStringLiteral("R:0"), QStringLiteral("G:58"), QStringLiteral("B:114"));
}

void ColorPanel::openedByMenu()
{
    setSwatch(m_card->pageColor());
    copyLogo();
}

void ColorPanel::copyLogo()
{
    // The preview's background (the window colour) shows where the logo is transparent; the copy is
    // flattened onto it so that a right-click reads exactly what is seen. The preview keeps its place.
    const QImage &logo = m_card->logo();
    if (logo.isNull()) {
        m_logoPicture = QImage();
        m_logoView->clear();
        m_logoView->resize(0, 0);
        return;
    }
    m_logoPicture = QImage(logo.size(), QImage::Format_RGB32);
    m_logoPicture.fill(VbColors::toQColor(VbColors::WindowBackground));
    {
        QPainter p(&m_logoPicture);
        p.drawImage(0, 0, logo);
    }
    m_logoView->setPixmap(QPixmap::fromImage(m_logoPicture));
    m_logoView->resize(m_logoPicture.size());
}

void ColorPanel::pickWholeCard(VbColor color)
{
    m_readout->show(color);
    if (m_background->isChecked()) {
        m_card->setPageColor(color);
        m_card->setPagePicture(QImage());
        // Unticking "背景" runs its reaction only when it was ticked.
        m_card->setBackgroundShown(false);
        return;
    }
    m_card->setAllForeColors(color);
}

void ColorPanel::modeChanged()
{
    if (m_background->isChecked()) {
        m_card->setPagePicture(QImage());
        // The logo is drawn again on the cleared page.
        m_card->setLogo(m_card->logo());
        resize(width(), Twips::toPx(FullHeight));
    } else {
        resize(width(), Twips::toPx(ShortHeight));
    }
}

bool ColorPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_logoView && previewMouse(event))
        return true;
    return Panel::eventFilter(watched, event);
}

bool ColorPanel::previewMouse(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (e->button() == Qt::RightButton) {
            m_logoView->setCursor(Qt::CrossCursor);
            const QPoint at = e->position().toPoint();
            if (!m_logoPicture.rect().contains(at))
                return true;
            const VbColor c = VbColors::fromQColor(QColor(m_logoPicture.pixel(at)));
            setSwatch(c);
            m_readout->show(c);
            // Only the page colour: the page picture and "背景" stay as they are.
            m_card->setPageColor(c);
            return true;
        }
        m_logoView->setCursor(grabCursor());
        m_dragging = true;
        m_dragOffset = e->position().toPoint();
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!m_dragging || e->buttons() == Qt::NoButton)
            return false;
        // The pointer stays inside the preview's window while it drags, so the grabbed point never
        // leaves the visible area and the preview cannot be lost outside it.
        QPoint pointer = m_logoView->mapToParent(e->position().toPoint());
        const QRect room = m_viewClient->rect();
        pointer.setX(qBound(room.left(), pointer.x(), room.right()));
        pointer.setY(qBound(room.top(), pointer.y(), room.bottom()));
        m_logoView->move(pointer - m_dragOffset);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            m_dragging = false;
        return true;
    default:
        return false;
    }
}
