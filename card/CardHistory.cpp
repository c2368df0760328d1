#include "card/CardHistory.h"

#include "card/CardModel.h"

#include <QGuiApplication>

CardHistory::CardHistory(CardModel *card) : QObject(card), m_card(card)
{
    // Typing merges only while the same text box keeps the keyboard.
    if (qGuiApp)
        connect(qGuiApp, &QGuiApplication::focusObjectChanged, this, &CardHistory::breakMerge);
}

bool CardHistory::openStepChanged() const
{
    return m_open && m_card->state() != m_before;
}

bool CardHistory::canUndo() const
{
    return m_done > 0 || openStepChanged();
}

bool CardHistory::canRedo() const
{
    return !openStepChanged() && m_done < m_steps.size();
}

QString CardHistory::undoText() const
{
    if (openStepChanged())
        return m_openDescription;
    return m_done > 0 ? m_steps[m_done - 1].description : QString();
}

QString CardHistory::redoText() const
{
    return canRedo() ? m_steps[m_done].description : QString();
}

int CardHistory::undoCount() const
{
    return int(m_done);
}

int CardHistory::redoCount() const
{
    return int(m_steps.size() - m_done);
}

void CardHistory::undo()
{
    takeBack(true);
}

void CardHistory::redo()
{
    takeBack(false);
}

void CardHistory::takeBack(bool undo)
{
    // Pressed in the middle of a drag: what was dragged so far is a step, and the rest of the drag another.
    const bool reopen = m_open && m_explicit;
    const QString description = m_openDescription;
    const int depth = m_depth;
    commit();
    if (undo && m_done > 0) {
        --m_done;
        restore(m_steps[m_done].before);
    } else if (!undo && m_done < m_steps.size()) {
        restore(m_steps[m_done].after);
        ++m_done;
    }
    if (reopen) {
        open(description, QString(), true);
        m_depth = depth;
    }
}

void CardHistory::restore(const CardState &state)
{
    m_restoring = true;
    m_card->restore(state);
    m_restoring = false;
    m_mergeBroken = true;
    emit changed();
}

void CardHistory::clear()
{
    m_open = false;
    m_depth = 0;
    m_steps.clear();
    m_done = 0;
    m_before = CardState();
    m_mergeBroken = true;
    emit changed();
}

void CardHistory::beginStep(const QString &description)
{
    if (m_open && m_explicit) {
        ++m_depth;
        return;
    }
    if (m_open)
        close(); // changes made earlier in the same event are a step of their own
    open(description, QString(), true);
}

void CardHistory::endStep()
{
    if (!m_open || !m_explicit)
        return;
    if (--m_depth == 0)
        close();
}

CardHistory::Step::Step(CardHistory &history, const QString &description) : m_history(history)
{
    m_history.beginStep(description);
}

CardHistory::Step::~Step()
{
    m_history.endStep();
}

void CardHistory::breakMerge()
{
    m_mergeBroken = true;
}

void CardHistory::commit()
{
    if (m_open)
        close();
}

void CardHistory::aboutToChange(const QString &description, const QString &mergeKey)
{
    if (m_restoring)
        return;
    if (m_open) {
        // The step is named after the first of its changes that really changes something.
        if (!m_explicit && !m_changing) {
            if (m_card->state() == m_before) {
                m_openDescription = description;
                m_openKey = mergeKey;
            } else {
                m_changing = true;
            }
        }
        return;
    }
    open(description, mergeKey, false);
    if (!m_closeQueued) {
        m_closeQueued = true;
        // Everything the same event goes on to change belongs to this step.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_closeQueued = false;
                if (m_open && !m_explicit)
                    close();
            },
            Qt::QueuedConnection);
    }
}

void CardHistory::open(const QString &description, const QString &mergeKey, bool explicitStep)
{
    m_open = true;
    m_explicit = explicitStep;
    m_depth = explicitStep ? 1 : 0;
    m_openDescription = description;
    m_openKey = mergeKey;
    m_changing = false;
    m_before = m_card->state();
}

void CardHistory::close()
{
    m_open = false;
    m_depth = 0;
    CardState after = m_card->state();
    const CardState before = std::move(m_before);
    m_before = CardState();
    if (after == before)
        return;
    const bool merge = !m_openKey.isEmpty() && !m_mergeBroken && m_done > 0 && m_done == m_steps.size() &&
                       m_steps.back().mergeKey == m_openKey &&
                       m_steps.back().description == m_openDescription;
    if (merge && after == m_steps.back().before) {
        // Typed and taken back again (the text box's own undo): nothing is left of the step.
        m_steps.pop_back();
        m_done = m_steps.size();
    } else if (merge) {
        m_steps.back().after = std::move(after);
    } else {
        m_steps.erase(m_steps.begin() + std::ptrdiff_t(m_done), m_steps.end());
        m_steps.push_back({m_openDescription, m_openKey, before, std::move(after)});
        while (m_steps.size() > size_t(MaxSteps))
            m_steps.pop_front();
        m_done = m_steps.size();
    }
    m_mergeBroken = m_openKey.isEmpty();
    emit changed();
}
