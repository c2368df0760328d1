#pragma once
// The card on screen (`PicCard`): draws the card with paintCard and carries one transparent child per
// element, named after it, stacked like the drawing, shown only while the element is visible. The children
// take the mouse (so the topmost visible element gets a press, and keeps the moves while a button is held);
// the canvas reports what they receive, in twips from the element's top-left corner. A right-click anywhere
// on the card opens the card's menu: "撤销 …" and "重做 …" with the steps' descriptions, "二维码名片…"
// (qrCodeRequested), then whatever the receivers of contextMenuRequested add.
#include "card/CardElement.h"

#include <QWidget>
#include <array>

class CardModel;
class QMenu;
class QMouseEvent;

class CardCanvas : public QWidget {
    Q_OBJECT
public:
    explicit CardCanvas(CardModel *card, QWidget *parent = nullptr);
    CardModel *card() const { return m_card; }
    QWidget *elementWidget(ElementId id) const { return m_elements[size_t(id)]; }

    // The card's right-click menu, filled afresh (also for tests, which then need not show it).
    QMenu *makeContextMenu(QWidget *parent);

signals:
    void elementPressed(ElementId id, Qt::MouseButton button, Qt::MouseButtons buttons,
                        Qt::KeyboardModifiers modifiers, QPointF twips);
    void elementMoved(ElementId id, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPointF twips);
    void elementReleased(ElementId id, Qt::MouseButton button, Qt::MouseButtons buttons);
    void elementDoubleClicked(ElementId id);
    // "二维码名片…" was chosen: the QR code window is to open.
    void qrCodeRequested();
    // The menu is being made: add entries after undo and redo (a separator first).
    void contextMenuRequested(QMenu *menu);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncElement(ElementId id);
    void syncAll();

    CardModel *m_card;
    std::array<QWidget *, ElementCount> m_elements{};
};
