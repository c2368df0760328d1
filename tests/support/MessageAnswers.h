#pragma once
// Answers the program's modal message boxes in tests: each box that opens while this object lives is
// recorded (title, text) and answered with the next button of the list (OK once the list runs out).
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class MessageAnswers : public QObject {
public:
    explicit MessageAnswers(QList<QMessageBox::StandardButton> answers = {}) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &MessageAnswers::poll);
        m_timer.start(5);
    }

    QStringList titles;
    QStringList texts;
    int count() const { return int(titles.size()); }
    bool shown() const { return count() > 0; }
    QString lastTitle() const { return titles.isEmpty() ? QString() : titles.last(); }
    QString lastText() const { return texts.isEmpty() ? QString() : texts.last(); }

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || box == m_last.data())
            return;
        m_last = box;
        titles << box->windowTitle();
        texts << box->text();
        const QMessageBox::StandardButton answer =
            m_answers.isEmpty() ? QMessageBox::Ok : m_answers.takeFirst();
        if (QAbstractButton *button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    QList<QMessageBox::StandardButton> m_answers;
    QTimer m_timer;
    QPointer<QMessageBox> m_last; // boxes live on the stack: a later one may reuse an address
};
