#include "app/WorkArea.h"

#include "card/CardModel.h"
#include "card/TilePicture.h"
#include "card/Twips.h"
#include "editing/CardCanvas.h"
#include "widgets/Look.h"

#include <QMouseEvent>
#include <QPainter>

WorkArea::WorkArea(CardModel *card, QWidget *parent) : QFrame(parent), m_card(card)
{
    setObjectName(QStringLiteral("PicBg"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    m_shadow = new QWidget(this);
    m_shadow->setObjectName(QStringLiteral("PicCardBg"));
    m_shadow->setAutoFillBackground(true);
    Look::setColor(m_shadow, QPalette::Window, VbColors::toQColor(VbColors::GrayText));
    m_canvas = new CardCanvas(card, this);
    placeCard();
    connect(card, &CardModel::orientationChanged, this, &WorkArea::placeCard);
}

void WorkArea::placeCard()
{
    // Places are measured from the inside of the sunken border.
    const QPoint inner = contentsRect().topLeft();
    m_shadow->setGeometry(QRect(inner + Twips::toPx(m_card->shadowPlace().x(), m_card->shadowPlace().y()),
                                m_card->cardSizePx()));
    m_canvas->move(inner + Twips::toPx(m_card->cardPlace().x(), m_card->cardPlace().y()));
    m_canvas->resize(m_card->cardSizePx());
}

void WorkArea::tileBackground(const QImage &tile)
{
    m_background = QImage(contentsRect().size(), QImage::Format_RGB32);
    m_background.fill(Look::Grey);
    if (!tile.isNull()) {
        QPainter p(&m_background);
        TilePicture(p, m_background.size(), tile);
    }
    update();
}

void WorkArea::paintEvent(QPaintEvent *event)
{
    {
        QPainter p(this);
        if (m_background.isNull())
            p.fillRect(contentsRect(), Look::Grey);
        else
            p.drawImage(contentsRect().topLeft(), m_background);
    }
    QFrame::paintEvent(event);
}

void WorkArea::mousePressEvent(QMouseEvent *event)
{
    // Presses on the card or its shadow end here; they must not reach the window background.
    event->accept();
}
