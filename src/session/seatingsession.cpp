// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingsession.h"

#include "classdisplay.h"
#include "deskseat.h"
#include "rulecheck.h"
#include "seatingview.h"
#include "sessiontexts.h"
#include "solvermessages.h"

QString SeatingSession::caption(Step step)
{
    switch (step) {
    case Step::Store:
        return SessionTexts::storeCaption();
    case Step::Fill:
        return SessionTexts::fillCaption();
    case Step::Clear:
        return SessionTexts::clearCaption();
    case Step::DeleteNames:
        return SessionTexts::deleteNamesCaption();
    }
    return QString();
}

SeatingSession::SeatingSession(const QString &seatingFilePath, SeatingView &view)
    : m_view(view)
    , m_keeper(seatingFilePath, view)
{
    m_keeper.keepRules(&m_pupilRules.book());
    m_rules.setStoredHandler([this] { classStored(); });
    m_rules.setRulesSource([this] { return m_pupilRules.book().seatingRules(m_shownTab); });
    connect(&m_history, &ClassHistory::rulesPutBack, this, [this] { m_keeper.stored(m_archivio); });
}

// The rules follow the pupils, and the teacher is told what changed; an
// undo's store brings its rules back with it instead.
void SeatingSession::classStored()
{
    if (!m_history.puttingBack() && rulesFrozenReason().isEmpty()) {
        const QStringList told = m_pupilRules.classStored(m_shownTab, m_archivio);
        if (!told.isEmpty())
            m_view.messageBox(told.join(u'\n'), MessageTitle::warning(), SeatingView::Buttons::Ok);
    }
    m_keeper.stored(m_archivio);
    screenChanged();
}

void SeatingSession::addRule(const NamedRule &rule)
{
    changeRules(SessionTexts::ruleAdded(), classRules() + ClassRules{rule});
}

void SeatingSession::removeRule(int index)
{
    ClassRules rules = classRules();
    rules.removeAt(index);
    changeRules(SessionTexts::ruleDeleted(), rules);
}

void SeatingSession::changeRules(const QString &step, const ClassRules &rules)
{
    if (!rulesFrozenReason().isEmpty())
        return;
    m_history.perform(step, [&] {
        PupilRules::State state = m_pupilRules.state(m_shownTab);
        state.rules = rules;
        m_pupilRules.setState(m_shownTab, state);
    });
    m_keeper.stored(m_archivio);
    screenChanged();
}

QList<int> SeatingSession::brokenRules() const
{
    return RuleCheck::broken(m_pupilRules.book().seatingRules(m_shownTab), m_rules.pupilAtDesk());
}

// A pupil shown at two desks, as while seating by hand, is noted where the
// check counts them: at the first.
QStringList SeatingSession::deskNotes() const
{
    const QList<SeatingRule> rules = m_pupilRules.book().seatingRules(m_shownTab);
    const QList<int> pupils = m_rules.pupilAtDesk();
    const QList<int> broken = RuleCheck::broken(rules, pupils);
    const RuleCheck::DeskOfPupil deskOf = RuleCheck::deskOfPupil(pupils);
    const QStringList names = m_rules.listedNames();
    QStringList notes;
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int pupil = pupils[desk];
        notes << (pupil >= 0 && deskOf[size_t(pupil)] == desk
                      ? SolverMessages::deskNote(pupil, rules, broken, names)
                      : QString());
    }
    return notes;
}

SeatingSession::~SeatingSession() = default;

void SeatingSession::startUp(const QString &locationNotice)
{
    m_keeper.startUp(m_archivio, locationNotice);
    showSelectedClass();
    ClassDisplay::setTabCaptions(m_view, m_archivio);
}

bool SeatingSession::requestTabChange(int tab)
{
    if (tab != m_shownTab && hasUnstoredChanges())
        offerStore();
    m_view.selectTab(tab);
    showSelectedClass();
    return true;
}

// Asked before the file is written, so that a yes reaches it; a window that
// saves nothing does not offer to keep anything.
bool SeatingSession::requestClose()
{
    if (m_shutDown)
        return true;
    if (!m_keeper.isReadOnly() && hasUnstoredChanges())
        offerStore();
    m_shutDown = true;
    m_keeper.shutDown(m_archivio);
    return true;
}

// The mark of unstored changes skips the reaction's own changes, made with
// the update flag raised, and is told once it ends.
void SeatingSession::take(Step step)
{
    static constexpr void (SeatingRules::*reactions[])() = {
        &SeatingRules::store, &SeatingRules::randomFill, &SeatingRules::clearSeats,
        &SeatingRules::deleteNames};
    m_history.perform(SessionTexts::buttonStep(caption(step)), [this, step] {
        (m_rules.*reactions[int(step)])();
        if (step == Step::DeleteNames && m_view.nameText(0).isEmpty() &&
            !ClassDisplay::showsStoredClass(m_view, m_archivio, m_shownTab))
            m_pupilRules.namesReplaced(m_shownTab);
    });
    screenChanged();
}

void SeatingSession::deskPicked(int desk)
{
    m_history.deskPicked(desk);
}

void SeatingSession::nameEdited(int box, const QString &text)
{
    m_history.nameEdited(box, text);
}

void SeatingSession::namesPasted()
{
    m_history.namesPasted();
}

// An undo or redo puts the class back with the update flag raised; the mark
// follows once it is done.
void SeatingSession::undo()
{
    m_history.undo();
    screenChanged();
}

void SeatingSession::redo()
{
    m_history.redo();
    screenChanged();
}

void SeatingSession::screenChanged()
{
    if (!m_view.aggiornamento())
        emit unstoredChanged(hasUnstoredChanges());
}

bool SeatingSession::hasUnstoredChanges() const
{
    return !ClassDisplay::showsStoredClass(m_view, m_archivio, m_shownTab);
}

// The class display raises the update flag around its own selections.
void SeatingSession::showSelectedClass()
{
    m_shownTab = m_view.selectedTab();
    ClassDisplay::showClass(m_view, m_archivio, m_shownTab);
    m_history.classShown();
    screenChanged();
}

// A store said yes to here is the same step of the class's history as
// "Memorizza". An answer that cancels the change would return here.
void SeatingSession::offerStore()
{
    const QString title = classTitle(m_view.nameText(SeatingView::ClassNameBox), m_shownTab);
    if (m_view.messageBox(SessionTexts::unstoredQuestion(title), MessageTitle::warning(),
                          SeatingView::Buttons::YesNo) == SeatingView::Answer::Yes)
        take(Step::Store);
}
