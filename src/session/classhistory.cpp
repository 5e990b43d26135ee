// SPDX-License-Identifier: GPL-3.0-or-later
#include "classhistory.h"

#include "classdisplay.h"
#include "seatingrules.h"
#include "seatingview.h"
#include "sessiontexts.h"

#include <QScopedValueRollback>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

// A change already made when it is pushed: the stack's redo on every push has
// nothing to do, and a later redo puts the state after it back.
template <typename Value> class MadeChange : public QUndoCommand
{
public:
    MadeChange(const QString &text, Value before, Value after)
        : QUndoCommand(text)
        , m_before(std::move(before))
        , m_after(std::move(after))
    {}

    void undo() override { putBack(m_before); }
    void redo() override
    {
        if (!std::exchange(m_pushed, false))
            putBack(m_after);
    }

protected:
    virtual void putBack(const Value &value) = 0;

    Value m_before;
    Value m_after;

private:
    bool m_pushed = true;
};

// One reaction's work on a class: its screen, and its stored block.
class ClassStep : public MadeChange<ClassHistory::State>
{
public:
    ClassStep(ClassHistory &history, int tab, const QString &step, ClassHistory::State before,
              ClassHistory::State after)
        : MadeChange(step, std::move(before), std::move(after))
        , m_history(history)
        , m_tab(tab)
    {}

    bool keepsStored() const { return m_before.stored == m_after.stored; }

private:
    void putBack(const ClassHistory::State &state) override { m_history.putBack(m_tab, state); }

    ClassHistory &m_history;
    int m_tab;
};

// A No to the question about changes not stored: its undo brings them back.
class DiscardStep : public ClassStep
{
public:
    DiscardStep(ClassHistory &history, int tab, ClassHistory::State before,
                ClassHistory::State after)
        : ClassStep(history, tab, SessionTexts::discardedStep(), std::move(before),
                    std::move(after))
    {}
};

// Typing in one name box. Later edits of the same box merge into it, and an
// edit typed and then taken back by the box's own undo leaves no step.
class NameEdit : public MadeChange<QString>
{
public:
    NameEdit(ClassHistory &history, int box, QString before, QString after)
        : MadeChange(box == SeatingView::ClassNameBox ? SessionTexts::classNameEdit()
                                                      : SessionTexts::pupilNameEdit(box + 1),
                     std::move(before), std::move(after))
        , m_history(history)
        , m_box(box)
    {}

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *edit = static_cast<const NameEdit *>(other);
        if (edit->m_box != m_box)
            return false;
        m_after = edit->m_after;
        setObsolete(m_after == m_before);
        return true;
    }

private:
    void putBack(const QString &name) override { m_history.putBackName(m_box, name); }

    ClassHistory &m_history;
    int m_box;
};

namespace {

// A step that changed the screen only, since the class was last stored or
// its changes discarded: what a No to the question throws away.
bool isHalfStep(const QUndoCommand *command)
{
    if (dynamic_cast<const DiscardStep *>(command))
        return false;
    const auto *step = dynamic_cast<const ClassStep *>(command);
    return !step || step->keepsStored(); // the others are typing in a name box
}

} // namespace

bool ClassHistory::State::operator==(const State &other) const
{
    return screen == other.screen && stored == other.stored && rules == other.rules &&
           plans == other.plans;
}

ClassHistory::ClassHistory(SeatingView &view, SeatingRules &rules, Archivio &archivio,
                           PupilRules &pupilRules, ClassPlans &plans)
    : m_view(view)
    , m_rules(rules)
    , m_archivio(archivio)
    , m_pupilRules(pupilRules)
    , m_plans(plans)
{
    for (QUndoStack *&stack : m_stacks)
        stack = new QUndoStack(&m_group);
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(&m_group, signal, this, &ClassHistory::changed);
    for (auto signal : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
        connect(&m_group, signal, this, &ClassHistory::changed);
}

ClassHistory::~ClassHistory() = default;

void ClassHistory::classShown()
{
    m_shown = ClassSnapshot::take(m_view);
    m_group.setActiveStack(stack(m_view.selectedTab()));
}

void ClassHistory::perform(const QString &step, const std::function<void()> &reaction)
{
    const int tab = m_view.selectedTab();
    const State before{m_shown, storedBlock(tab), m_pupilRules.state(tab), m_plans.state(tab)};
    reaction();
    record(tab, step, before, current(tab));
}

void ClassHistory::deskPicked(int desk)
{
    const int tab = m_view.selectedTab();
    const State before{m_shown, storedBlock(tab), m_pupilRules.state(tab), m_plans.state(tab)};
    m_rules.seatChanged(desk);
    const State after = current(tab);
    record(tab, pickStep(desk, before, after), before, after);
}

void ClassHistory::nameEdited(int box, const QString &text)
{
    const QString before = m_shown.name(box);
    m_shown.setName(box, text);
    stack(m_view.selectedTab())->push(new NameEdit(*this, box, before, text));
}

void ClassHistory::namesPasted()
{
    const int tab = m_view.selectedTab();
    record(tab, SessionTexts::namesPasted(),
           State{m_shown, storedBlock(tab), m_pupilRules.state(tab), m_plans.state(tab)},
           current(tab));
}

void ClassHistory::discardScreen()
{
    const int tab = m_view.selectedTab();
    const State before = current(tab);
    QUndoStack *steps = stack(tab);
    int first = steps->index();
    while (first > 0 && isHalfStep(steps->command(first - 1)))
        --first;
    // Undone without touching the class, then dropped by the push.
    m_dropping = true;
    steps->setIndex(first);
    m_dropping = false;
    ClassDisplay::showClass(m_view, m_archivio, tab);
    m_shown = ClassSnapshot::take(m_view);
    steps->push(new DiscardStep(*this, tab, before, current(tab)));
}

QString ClassHistory::undoEntry() const
{
    return isDiscard(-1) ? undoText() : SessionTexts::undoEntry(undoText());
}

QString ClassHistory::redoEntry() const
{
    return isDiscard(0) ? SessionTexts::redoDiscard() : SessionTexts::redoEntry(redoText());
}

// Whether the step at offset from the active stack's index is a discard.
bool ClassHistory::isDiscard(int offset) const
{
    const QUndoStack *steps = m_group.activeStack();
    return steps && dynamic_cast<const DiscardStep *>(steps->command(steps->index() + offset));
}

ClassHistory::State ClassHistory::current(int tab) const
{
    return State{ClassSnapshot::take(m_view), storedBlock(tab), m_pupilRules.state(tab),
                 m_plans.state(tab)};
}

QStringList ClassHistory::storedBlock(int tab) const
{
    QStringList cells;
    for (int slot = 0; slot < Archivio::SlotsPerClass; ++slot) {
        for (int column = 0; column < Archivio::Columns; ++column)
            cells.append(m_archivio.cell(Archivio::row(tab, slot), column));
    }
    return cells;
}

// A step that read the plans found them as the file held them.
void ClassHistory::record(int tab, const QString &step, State before, const State &after)
{
    m_shown = after.screen;
    if (!before.plans && after.plans)
        before.plans = m_plans.asRead(tab);
    if (after == before)
        return;
    stack(tab)->push(new ClassStep(*this, tab, step, std::move(before), after));
}

// The store writes the block from the screen, so the screen first shows the
// block as it is to be, is stored, and then is put back as it was. A stored
// position the screen cannot show (not a number, past the seat list) comes
// back blank, as the screen showed it.
void ClassHistory::putBack(int tab, const State &state)
{
    if (m_dropping)
        return;
    const QScopedValueRollback puttingBack(m_puttingBack, true);
    if (storedBlock(tab) != state.stored) {
        Archivio toStore = m_archivio;
        for (int cell = 0; cell < state.stored.size(); ++cell) {
            const int slot = cell / Archivio::Columns;
            toStore.setCell(Archivio::row(tab, slot), cell % Archivio::Columns,
                            state.stored.at(cell));
        }
        ClassDisplay::showClass(m_view, toStore, tab);
        m_rules.store();
    }
    state.screen.restore(m_view);
    m_shown = state.screen;
    if (m_pupilRules.state(tab) != state.rules) {
        m_pupilRules.setState(tab, state.rules);
        emit rulesPutBack();
    }
    if (state.plans && m_plans.state(tab) != state.plans) {
        m_plans.setState(tab, state.plans);
        emit plansPutBack();
    }
}

void ClassHistory::putBackName(int box, const QString &text)
{
    if (m_dropping)
        return;
    m_view.setNameText(box, text);
    m_shown.setName(box, text);
}

// A pick that stored the class was a swap: name the desks whose pupils moved.
QString ClassHistory::pickStep(int desk, const State &before, const State &after) const
{
    if (after.stored == before.stored)
        return SessionTexts::deskPick(desk + 1);
    QList<int> others;
    for (int other = 0; other < SeatingView::Desks; ++other) {
        if (other != desk && after.screen.selection(other) != before.screen.selection(other))
            others.append(other);
    }
    if (others.size() == 1)
        return SessionTexts::swapBetween(desk + 1, others.first() + 1);
    return SessionTexts::swapFrom(desk + 1);
}
