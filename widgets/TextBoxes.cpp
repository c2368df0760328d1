#include "widgets/TextBoxes.h"

#include "card/BoxText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace TextBoxes {
void showChosenText(QPlainTextEdit *box, ElementId id, const QString &elementText)
{
    box->setPlainText(BoxText::toBox(elementText));
    const BoxText::Range range = BoxText::ChosenSelection[size_t(id)];
    const int end = box->document()->characterCount() - 1; // the document counts a final separator
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(std::min(BoxText::boxPosition(elementText, range.start), end));
    cursor.setPosition(std::min(BoxText::boxPosition(elementText, range.start + range.length), end),
                       QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
}
} // namespace TextBoxes
