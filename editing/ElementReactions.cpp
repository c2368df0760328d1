#include "editing/ElementReactions.h"

#include "card/CardHistory.h"
#include "card/CardModel.h"
#include "card/CardSettings.h"
#include "editing/CardCanvas.h"
#include "widgets/Dialogs.h"

#include <array>

namespace {
// The first line of each text's input box, by text panel list index (fax before telephone).
constexpr std::array<const char *, TextElementCount> PromptLines{
    "在下面的文字输入框中输入您需要的名字",   "在下面的文字输入框中输入您的职位",
    "在下面的文字输入框中输入您的公司名称",   "在下面的文字输入框中输入您的详细地址",
    "在下面的文字输入框中输入您邮政编码",     "在下面的文字输入框中输入您的传真号码",
    "在下面的文字输入框中输入您的电话号码字", "在下面的文字输入框中输入您的手机号码",
    "在下面的文字输入框中输入您的网址",       "在下面的文字输入框中输入您的电子信箱",
};
} // namespace

ElementReactions::ElementReactions(CardCanvas *canvas, QObject *parent) : QObject(parent), m_canvas(canvas)
{
    connect(canvas, &CardCanvas::elementPressed, this,
            [this](ElementId id, Qt::MouseButton, Qt::MouseButtons buttons, Qt::KeyboardModifiers,
                   QPointF twips) { pressed(id, buttons, twips); });
    connect(canvas, &CardCanvas::elementMoved, this,
            [this](ElementId id, Qt::MouseButtons buttons, Qt::KeyboardModifiers, QPointF twips) {
                moved(id, buttons, twips);
            });
    // Press to release is one step, however many moves lie between.
    connect(canvas, &CardCanvas::elementReleased, this,
            [this](ElementId, Qt::MouseButton, Qt::MouseButtons buttons) {
                if (buttons == Qt::NoButton)
                    endDrag();
            });
    connect(canvas, &CardCanvas::elementDoubleClicked, this, [this](ElementId id) {
        // A text emptied without a stored default has shrunk to nothing and is no longer there to be
        // double-clicked; its one-pixel stand-in on the canvas must not open the box either.
        if (isText(id) && !m_canvas->card()->textElement(id).text.isEmpty())
            editByInputBox(id);
    });
}

void ElementReactions::editByInputBox(ElementId id)
{
    if (!isText(id))
        return;
    CardModel *card = m_canvas->card();
    const QString prompt = Dialogs::lines(QString::fromUtf8(PromptLines[size_t(id)]),
                                          QStringLiteral("然后按下“确定”按钮以确定输入。"));
    // The answer is taken as typed: nothing is trimmed or added, not even a prefix the user removed.
    QString text = Dialogs::inputBox(m_canvas->window(), prompt, QStringLiteral("Velnor名片文字更改"),
                                     card->textElement(id).text);
    if (text.isEmpty())
        text = defaultText(id);
    // An answer in the box is a step of its own, never merged with typing in the text panel.
    card->history().breakMerge();
    card->setText(id, text);
    card->history().commit();
    card->history().breakMerge();
}

void ElementReactions::pressed(ElementId id, Qt::MouseButtons buttons, const QPointF &twips)
{
    m_pressPoint = twips;
    endDrag(); // a release that never came
    // Only the left button alone drags; a right press opens the card's menu.
    if (buttons != Qt::LeftButton)
        return;
    m_canvas->card()->history().beginStep(QStringLiteral("移动 ") + CardModel::elementName(id));
    m_dragging = true;
}

void ElementReactions::endDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    m_canvas->card()->history().endStep();
}

void ElementReactions::moved(ElementId id, Qt::MouseButtons buttons, const QPointF &twips)
{
    // Only the left button on its own drags; left and right together, or any other button, do nothing.
    // Keyboard modifiers make no difference.
    if (buttons != Qt::LeftButton)
        return;
    CardModel *card = m_canvas->card();
    const CardElement &e = card->element(id);
    // No limits: an element may go partly or wholly off the card, where the card clips it.
    card->moveElement(id, e.left - m_pressPoint.x() + twips.x(), e.top - m_pressPoint.y() + twips.y());
}
