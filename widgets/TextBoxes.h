#pragma once
// The text boxes that edit a card element's text: the text panel's and the settings dialog's.
#include "card/CardElement.h"

#include <QString>

class QPlainTextEdit;

namespace TextBoxes {
// Shows a chosen element's text in the box, its line breaks as the box holds them, with the part selected
// that typing is to replace (BoxText::ChosenSelection). Loading the box runs the box's change reaction,
// which writes the same text back.
void showChosenText(QPlainTextEdit *box, ElementId id, const QString &elementText);
} // namespace TextBoxes
