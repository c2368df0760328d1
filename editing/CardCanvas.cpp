#include "editing/CardCanvas.h"

#include "card/CardFonts.h"
#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardRenderer.h"
#include "card/Twips.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

CardCanvas::CardCanvas(CardModel *card, QWidget *parent) : QWidget(parent), m_card(card)
{
    setObjectName(QStringLiteral("PicCard"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (ElementId id : StackingOrder) {
        auto *w = new QWidget(this);
        w->setObjectName(QLatin1String(elementInfo(id).controlName));
        w->setAttribute(Qt::WA_NoSystemBackground);
        w->installEventFilter(this);
        w->raise(); // created bottom to top
        m_elements[size_t(id)] = w;
    }
    syncAll();
    connect(card, &CardModel::elementChanged, this, &CardCanvas::syncElement);
    connect(card, &CardModel::orientationChanged, this, &CardCanvas::syncAll);
    connect(card, &CardModel::changed, this, qOverload<>(&QWidget::update));
}

void CardCanvas::syncAll()
{
    resize(m_card->cardSizePx());
    for (int i = 0; i < ElementCount; ++i)
        syncElement(ElementId(i));
}

void CardCanvas::syncElement(ElementId id)
{
    const CardElement &e = m_card->element(id);
    QWidget *w = m_elements[size_t(id)];
    QRect r = Twips::rectToPx(e.left, e.top, e.width, e.height);
    r.setSize(r.size().expandedTo(QSize(1, 1)));
    w->setGeometry(r);
    w->setVisible(e.visible);
}

void CardCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCard(p, *m_card);
}

QMenu *CardCanvas::makeContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("CardMenu"));
    menu->setFont(CardFonts::fontFor(QStringLiteral("宋体"), 9, false, false));
    CardHistory &history = m_card->history();
    const QString undoText = history.undoText();
    const QString redoText = history.redoText();
    QAction *undo =
        menu->addAction(undoText.isEmpty() ? QStringLiteral("撤销") : QStringLiteral("撤销 ") + undoText);
    undo->setObjectName(QStringLiteral("ActUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(history.canUndo());
    connect(undo, &QAction::triggered, &history, &CardHistory::undo);
    QAction *redo =
        menu->addAction(redoText.isEmpty() ? QStringLiteral("重做") : QStringLiteral("重做 ") + redoText);
    redo->setObjectName(QStringLiteral("ActRedo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setEnabled(history.canRedo());
    connect(redo, &QAction::triggered, &history, &CardHistory::redo);
    menu->addSeparator();
    QAction *qr = menu->addAction(QStringLiteral("二维码名片…"));
    qr->setObjectName(QStringLiteral("ActQrCode"));
    connect(qr, &QAction::triggered, this, &CardCanvas::qrCodeRequested);
    emit contextMenuRequested(menu);
    return menu;
}

void CardCanvas::contextMenuEvent(QContextMenuEvent *event)
{
    // The elements pass the event on to the canvas, so the menu opens wherever the card is clicked.
    QMenu *menu = makeContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

bool CardCanvas::eventFilter(QObject *watched, QEvent *event)
{
    const auto it = std::find(m_elements.begin(), m_elements.end(), watched);
    if (it == m_elements.end())
        return QWidget::eventFilter(watched, event);
    const ElementId id = ElementId(it - m_elements.begin());
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit elementPressed(id, e->button(), e->buttons(), e->modifiers(), e->position() * Twips::PerPixel);
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit elementMoved(id, e->buttons(), e->modifiers(), e->position() * Twips::PerPixel);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(event);
        emit elementReleased(id, e->button(), e->buttons());
        return true;
    }
    case QEvent::MouseButtonDblClick:
        emit elementDoubleClicked(id);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
