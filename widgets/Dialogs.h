#pragma once
// The program's modal message and input boxes. Titles are "Velnor" plus a short heading; a two-line text
// is joined by CR LF; no icon except where asked for.
#include <QString>

class QWidget;

namespace Dialogs {
void message(QWidget *parent, const QString &text, const QString &title);
// The exclamation icon and an OK button.
void warning(QWidget *parent, const QString &text, const QString &title);
// Yes and No; true for Yes.
bool askYesNo(QWidget *parent, const QString &text, const QString &title);
// The typed text on OK, an empty text on Cancel or close.
QString inputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText);
// Two lines joined as the message boxes show them.
inline QString lines(const QString &first, const QString &second)
{
    return first + QStringLiteral("\r\n") + second;
}
} // namespace Dialogs
