#pragma once
// The event rules the editor is written against, mapped once onto Qt:
// - a check box or option button reacts when its state really changes, by the user or by the program
//   (setting the state it already has runs nothing);
// - a drop-down list reacts only to a pick from its list (mouse or arrow keys), never to typing;
// - a text box reacts to every change of its text, also one made by the program;
// - a scroll bar reacts on an arrow click, a track click, the thumb's release and a value set by the
//   program, not while the thumb is dragged.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace EventRules {
template <class F> void onCheckClick(QAbstractButton *box, QObject *context, F reaction)
{
    QObject::connect(box, &QAbstractButton::toggled, context,
                     [reaction](bool checked) { reaction(checked); });
}
// An option button's click: it runs when the button becomes the selected one.
template <class F> void onOptionClick(QRadioButton *option, QObject *context, F reaction)
{
    QObject::connect(option, &QRadioButton::toggled, context, [reaction](bool on) {
        if (on)
            reaction();
    });
}
template <class F> void onPick(QComboBox *list, QObject *context, F reaction)
{
    QObject::connect(list, &QComboBox::activated, context, [reaction](int index) { reaction(index); });
}
template <class F> void onChange(QLineEdit *box, QObject *context, F reaction)
{
    QObject::connect(box, &QLineEdit::textChanged, context, [reaction](const QString &t) { reaction(t); });
}
template <class F> void onChange(QPlainTextEdit *box, QObject *context, F reaction)
{
    QObject::connect(box, &QPlainTextEdit::textChanged, context,
                     [box, reaction] { reaction(box->toPlainText()); });
}
// Range, arrow step (single) and track step (page); no reaction while the thumb is dragged.
void setUpScrollBar(QScrollBar *bar, int minimum, int maximum, int arrowStep, int trackStep);
template <class F> void onChange(QScrollBar *bar, QObject *context, F reaction)
{
    QObject::connect(bar, &QScrollBar::valueChanged, context, [reaction](int v) { reaction(v); });
}
} // namespace EventRules
