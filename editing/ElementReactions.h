#pragma once
// What the card's elements do under the mouse. A double-click on a text asks for its new text in an input
// box; a press on any element records where it was grabbed, and a move with the left button alone held
// drags it so that the grab point stays under the pointer.
#include "card/CardElement.h"

#include <QObject>
#include <QPointF>

class CardCanvas;

class ElementReactions : public QObject {
    Q_OBJECT
public:
    explicit ElementReactions(CardCanvas *canvas, QObject *parent = nullptr);

    // The input box of one text element: its answer replaces the text; an empty answer brings back the
    // stored default text (or leaves the element empty when none is stored).
    void editByInputBox(ElementId id);

private:
    void pressed(ElementId id, Qt::MouseButtons buttons, const QPointF &twips);
    void moved(ElementId id, Qt::MouseButtons buttons, const QPointF &twips);
    void endDrag();

    CardCanvas *m_canvas;
    // One grab point for all twelve elements, in twips from the pressed element's top-left corner;
    // every press on any element overwrites it, whatever the button.
    QPointF m_pressPoint;
    bool m_dragging = false; // a step is open from the press to the release
};
