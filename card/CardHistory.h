#pragma once
// The card's undo and redo: every change a user makes is one step with a Chinese description ("移动 名字",
// "文字 公司"), kept as the card's value before and after it (pictures are shared between steps, not
// copied). The model's operations report themselves here before they change the card; the changes one
// user action makes (one event handled) become one step, or the changes between beginStep and endStep (a
// drag from press to release). A step with a merge key (typing into one text) goes on growing while the
// next change has the same key, until anything else happens: another step, an undo, a change of the
// keyboard focus or breakMerge(). A step that changes nothing is dropped.
#include "card/CardState.h"

#include <QObject>
#include <QString>
#include <deque>

class CardModel;

class CardHistory : public QObject {
    Q_OBJECT
public:
    // The oldest steps go beyond this.
    static constexpr int MaxSteps = 100;

    explicit CardHistory(CardModel *card); // owned by the card

    bool canUndo() const;
    bool canRedo() const;
    // The description of the step undo or redo would take back or replay; empty when there is none.
    QString undoText() const;
    QString redoText() const;
    int undoCount() const;
    int redoCount() const;
    void undo();
    void redo();
    // What the card is now is where the history starts (after the start-up and its settings).
    void clear();

    // One step for every change until the matching endStep (nested pairs count as one).
    void beginStep(const QString &description);
    void endStep();
    // beginStep / endStep for a scope.
    class Step {
    public:
        Step(CardHistory &history, const QString &description);
        ~Step();
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        CardHistory &m_history;
    };

    // The next change starts a step of its own even when its merge key matches.
    void breakMerge();
    // Ends the step now, rather than when control returns to the event loop.
    void commit();

    // The model's operations call this just before they change the card.
    void aboutToChange(const QString &description, const QString &mergeKey = QString());

signals:
    // What undo and redo would do may have changed.
    void changed();

private:
    struct Entry {
        QString description;
        QString mergeKey;
        CardState before;
        CardState after;
    };
    void open(const QString &description, const QString &mergeKey, bool explicitStep);
    void close();
    void restore(const CardState &state);
    void takeBack(bool undo);
    bool openStepChanged() const;

    CardModel *m_card;
    std::deque<Entry> m_steps;
    size_t m_done = 0; // steps [0, m_done) are done, the rest can be redone

    bool m_open = false;
    bool m_explicit = false;
    int m_depth = 0;
    bool m_closeQueued = false;
    bool m_changing = false; // the open step has changed the card already
    QString m_openDescription;
    QString m_openKey;
    CardState m_before;

    bool m_mergeBroken = true;
    bool m_restoring = false;
};
