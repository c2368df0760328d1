#include "widgets/Dialogs.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <limits>

namespace Dialogs {
namespace {
int run(QWidget *parent, QMessageBox::Icon icon, const QString &text, const QString &title,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}
} // namespace

void message(QWidget *parent, const QString &text, const QString &title)
{
    run(parent, QMessageBox::NoIcon, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

void warning(QWidget *parent, const QString &text, const QString &title)
{
    run(parent, QMessageBox::Warning, text, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool askYesNo(QWidget *parent, const QString &text, const QString &title)
{
    return run(parent, QMessageBox::NoIcon, text, title, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

QString inputBox(QWidget *parent, const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    // The field holds 32767 characters by default; a longer text must come back whole on OK.
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto *field = dialog.findChild<QLineEdit *>())
        field->setMaxLength(std::numeric_limits<int>::max());
    dialog.setTextValue(defaultText);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}
} // namespace Dialogs
