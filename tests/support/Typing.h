#pragma once
// Typing into a control as a user does, one key per character: QTest's key clicks take Latin-1 only.
#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}
