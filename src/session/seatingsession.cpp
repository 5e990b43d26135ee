// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingsession.h"

#include "classdisplay.h"
#include "deskseat.h"
#include "historymessages.h"
#include "keepermessages.h"
#include "reseating.h"
#include "rulecheck.h"
#include "seatingsolver.h"
#include "seatingview.h"
#include "sessiontexts.h"
#include "solvermessages.h"

#include <QDate>
#include <QRandomGenerator>

#include <utility>

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
    case Step::LeaveFree:
        return SessionTexts::leaveFreeCaption();
    }
    return QString();
}

SeatingSession::SeatingSession(const QString &seatingFilePath, SeatingView &view)
    : m_path(seatingFilePath)
    , m_view(view)
    , m_keeper(seatingFilePath, view)
{
    m_keeper.keepRules(&m_pupilRules.book());
    m_rules.setStoredHandler([this] { classStored(); });
    m_rules.setRulesSource([this] { return m_pupilRules.book().seatingRules(m_shownTab); });
    for (auto putBack : {&ClassHistory::rulesPutBack, &ClassHistory::plansPutBack})
        connect(&m_history, putBack, this, [this] { m_keeper.stored(m_archivio); });
    m_keepTimer.setSingleShot(true);
    m_keepTimer.setInterval(KeepInterval);
    connect(&m_keepTimer, &QTimer::timeout, this, &SeatingSession::keepUnstoredNow);
}

// The rules and the plans follow the pupils, and the teacher is told what
// changed; an undo's store brings its rules and plans back with it instead.
void SeatingSession::classStored()
{
    const bool newPupils = m_pupilRules.newPupils(m_shownTab);
    const quint32 gone = m_plans.namesStored(m_shownTab, m_archivio, newPupils);
    if (!m_history.puttingBack()) {
        const QStringList told =
            m_pupilRules.classStored(m_shownTab, m_archivio, !rulesFrozenReason().isEmpty());
        if (!told.isEmpty())
            m_view.messageBox(told.join(u'\n'), MessageTitle::warning(), SeatingView::Buttons::Ok);
        m_plans.classStored(m_shownTab, gone, seatingToRecord());
    }
    m_keeper.stored(m_archivio);
    screenChanged();
}

// The class as the screen shows it once stored, when it seats every pupil
// once; the read-only copy records nothing.
std::optional<Plan> SeatingSession::seatingToRecord() const
{
    if (m_keeper.isReadOnly())
        return std::nullopt;
    Plan plan;
    plan.date = QDate::currentDate();
    const QList<int> pupils = m_rules.pupilAtDesk();
    const QStringList names = m_rules.listedNames();
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) == SeatList::Marker)
            plan.marked |= Room::bit(desk);
        plan.pupilAt[desk] = pupils[desk];
        if (pupils[desk] >= 0)
            plan.nameAt[desk] = names[pupils[desk]];
    }
    if (!isPlan(plan.pupilAt, plan.marked, listedPupils()))
        return std::nullopt;
    return plan;
}

// The pupils of the desks' lists, bit s for slot s.
quint32 SeatingSession::listedPupils() const
{
    quint32 pupils = 0;
    for (int slot : m_view.listedSlots())
        pupils |= quint32(1) << slot;
    return pupils;
}

const PlanHistory &SeatingSession::recordedPlans()
{
    return m_plans.plans(m_shownTab);
}

void SeatingSession::restorePlan(const Plan &plan)
{
    const Plan restored = restoredFor(plan, listedPupils());
    m_history.perform(SessionTexts::restoreStep(), [&] { showPlan(restored); });
    screenChanged();
}

// Every desk as the plan has it.
void SeatingSession::showPlan(const Plan &plan)
{
    UpdateGuard updating(m_view);
    const QList<int> &listed = m_view.listedSlots();
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int pupil = plan.pupilAt[desk];
        if (plan.marked & Room::bit(desk))
            m_view.setDeskSelection(desk, SeatList::Marker);
        else if (pupil >= 0 && listed.contains(pupil))
            m_view.setDeskSelection(desk, int(listed.indexOf(pupil)) + SeatList::FirstPupil);
        else
            m_view.setDeskSelection(desk, SeatList::Blank);
    }
}

// No is the default: the plans cannot be had back once the program closes.
void SeatingSession::clearPlanHistory()
{
    if (recordedPlans().isEmpty())
        return;
    if (const QString frozen = historyFrozenReason(); !frozen.isEmpty()) {
        m_view.messageBox(frozen, MessageTitle::warning(), SeatingView::Buttons::Ok);
        return;
    }
    const QString title = classTitle(m_view.nameText(SeatingView::ClassNameBox), m_shownTab);
    if (m_view.messageBox(SessionTexts::clearHistoryQuestion(title), MessageTitle::warning(),
                          SeatingView::Buttons::YesNoDefaultNo) != SeatingView::Answer::Yes)
        return;
    m_history.perform(SessionTexts::clearHistoryStep(), [this] { m_plans.clear(m_shownTab); });
    m_keeper.stored(m_archivio);
    screenChanged();
}

// The fill's checks and question come first, as for "Assegna mancanti".
void SeatingSession::reseat()
{
    if (!namesStored() && !storeNamesFirst())
        return;
    if (!m_rules.pupilsFitDesks())
        return;
    ReseatProblem problem;
    problem.fill = reseatingProblem();
    problem.history = recordedPlans().plans();
    Reseating reseating(*QRandomGenerator::global());
    const ReseatResult result = reseating.run(problem);
    if (result.outcome != ReseatResult::Outcome::Plan)
        return tellNoPlan(problem.fill, result.outOfTime);
    Plan plan;
    plan.marked = problem.fill.marked;
    for (const QList<Placement> &placements : {problem.fill.seated, result.plan}) {
        for (const Placement &placement : placements)
            plan.pupilAt[placement.desk] = placement.pupil;
    }
    m_history.perform(SessionTexts::buttonStep(SessionTexts::reseatCaption()),
                      [&] { showPlan(plan); });
    screenChanged();
    m_view.messageBox(HistoryMessages::reseated(result, int(problem.history.size()),
                                                m_rules.listedNames(), QDate::currentDate()),
                      SessionTexts::reseatCaption(), SeatingView::Buttons::Ok);
}

// The marked desks stay marked and the pupils with a fixed desk sit there;
// everyone else is to be seated. A fixed desk that is marked, or another's,
// is left to the rules, which then tell why no plan exists.
FillProblem SeatingSession::reseatingProblem() const
{
    FillProblem problem;
    problem.rules = m_pupilRules.book().seatingRules(m_shownTab);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) == SeatList::Marker)
            problem.marked |= Room::bit(desk);
    }
    const quint32 pupils = listedPupils();
    quint32 staying = 0;
    Room::DeskSet taken = problem.marked;
    for (const SeatingRule &rule : problem.rules) {
        const quint32 pupil = quint32(1) << rule.pupil;
        if (rule.kind != SeatingRule::Kind::BancoFisso || !(pupils & pupil) || (staying & pupil) ||
            rule.value < 0 || rule.value >= Room::Desks || (taken & Room::bit(rule.value)))
            continue;
        staying |= pupil;
        taken |= Room::bit(rule.value);
        problem.seated.append({rule.pupil, rule.value});
    }
    for (int slot : m_view.listedSlots()) {
        if (!(staying & (quint32(1) << slot)))
            problem.freePupils.append(slot);
    }
    return problem;
}

// As the fill with rules says it.
void SeatingSession::tellNoPlan(const FillProblem &problem, bool outOfTime)
{
    FillResult fill;
    if (!outOfTime) {
        SeatingSolver solver(*QRandomGenerator::global());
        fill = solver.fill(problem);
    }
    const QString why =
        fill.outcome == FillResult::Outcome::Impossible
            ? SolverMessages::conflict(problem, fill.conflict, m_rules.listedNames())
            : SolverMessages::outOfTime();
    m_view.messageBox(why, MessageTitle::error(), SeatingView::Buttons::Ok);
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

// Unstored changes offered back come on the screen of their class.
void SeatingSession::startUp(const QString &locationNotice)
{
    askAboutOtherComputersLock();
    m_keeper.startUp(m_archivio, locationNotice);
    if (!m_keeper.isReadOnly() && m_keeper.fileMostlyUnread())
        offerToLeaveFile();
    m_started = m_archivio;
    m_plans.started(m_archivio);
    const std::optional<UnstoredClass> kept = m_keeper.offerUnstored(m_archivio);
    if (m_ended)
        return; // by a signal while a question was open
    if (kept)
        m_view.selectTab(kept->tab);
    showSelectedClass();
    ClassDisplay::setTabCaptions(m_view, m_archivio);
    m_startedUp = true;
    if (kept)
        restoreUnstored(*kept);
}

bool SeatingSession::requestTabChange(int tab)
{
    if (tab != m_shownTab && hasUnstoredChanges()) {
        const Leave leave = askBeforeLeaving();
        if (leave == Leave::Stay)
            return false;
        if (leave == Leave::Discard)
            m_history.discardScreen();
    }
    m_view.selectTab(tab);
    showSelectedClass();
    return true;
}

// Asked before the file is written, so that a yes reaches it; a window that
// saves nothing does not offer to keep anything, but asks before losing it.
bool SeatingSession::requestClose()
{
    if (m_shutDown)
        return true;
    if (m_keeper.isReadOnly()) {
        if (!readOnlyCloseConfirmed())
            return false;
    } else if (hasUnstoredChanges() && askBeforeLeaving() == Leave::Stay) {
        return false;
    }
    if (m_shutDown)
        return true; // ended by the system while asking
    m_shutDown = true;
    m_keepTimer.stop();
    m_keeper.dropUnstored(); // stored or declined by now
    m_keeper.shutDown(m_archivio);
    return true;
}

void SeatingSession::keepUnstoredNow()
{
    // In the middle of a reaction (one showing a message) the screen is half
    // done: kept once the reaction is over.
    if (m_view.aggiornamento())
        m_keepTimer.start();
    else
        keepUnstored();
}

void SeatingSession::keepUnstored()
{
    m_keepTimer.stop();
    if (!m_startedUp || m_shutDown)
        return;
    if (!hasUnstoredChanges())
        return m_keeper.dropUnstored();
    UnstoredClass shown;
    shown.tab = m_shownTab;
    for (int box = 0; box < SeatingView::NameBoxes; ++box)
        shown.names.append(m_view.nameText(box));
    for (int desk = 0; desk < SeatingView::Desks; ++desk)
        shown.desks.append(m_view.deskSelection(desk));
    m_keeper.keepUnstored(shown, m_archivio);
}

void SeatingSession::endNow()
{
    if (std::exchange(m_ended, true))
        return;
    const bool writing = m_startedUp && !m_shutDown;
    keepUnstored();
    m_shutDown = true;
    m_keeper.endWithoutQuestions(writing ? &m_archivio : nullptr);
}

void SeatingSession::keepForSessionEnd()
{
    if (!m_startedUp || m_shutDown)
        return;
    keepUnstored();
    m_keeper.saveNow(m_archivio);
}

// One step of the class's history, so that an undo takes them back off the
// screen; nothing is stored.
void SeatingSession::restoreUnstored(const UnstoredClass &kept)
{
    m_history.perform(SessionTexts::unstoredRestored(), [this, &kept] {
        UpdateGuard updating(m_view);
        for (int box = 0; box < SeatingView::NameBoxes; ++box)
            m_view.setNameText(box, kept.names.at(box));
        for (int desk = 0; desk < SeatingView::Desks; ++desk)
            m_view.setDeskSelection(desk, kept.desks.at(desk));
    });
    screenChanged();
}

// The mark of unstored changes skips the reaction's own changes, made with
// the update flag raised, and is told once it ends.
void SeatingSession::take(Step step)
{
    static constexpr void (SeatingRules::*reactions[])() = {
        &SeatingRules::store, &SeatingRules::randomFill, &SeatingRules::clearSeats,
        &SeatingRules::deleteNames, &SeatingRules::leaveDesksFree};
    if ((step == Step::Fill || step == Step::LeaveFree) && !namesStored() && !storeNamesFirst())
        return;
    m_history.perform(SessionTexts::buttonStep(caption(step)), [this, step] {
        (m_rules.*reactions[int(step)])();
        if (step == Step::DeleteNames && m_view.nameText(0).isEmpty() &&
            !ClassDisplay::showsStoredClass(m_view, m_archivio, m_shownTab))
            m_pupilRules.namesReplaced(m_shownTab);
    });
    screenChanged();
    if (step == Step::Store && m_keeper.isReadOnly() && !m_storeTold) {
        m_storeTold = true;
        m_view.messageBox(SessionTexts::storedInMemoryOnly(), MessageTitle::warning(),
                          SeatingView::Buttons::Ok);
    }
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

void SeatingSession::importClass(const QString &className, const QStringList &pupils)
{
    m_history.perform(SessionTexts::importStep(), [&] {
        UpdateGuard updating(m_view);
        QList<bool> marked;
        for (int desk = 0; desk < SeatingView::Desks; ++desk)
            marked.append(m_view.deskSelection(desk) == SeatList::Marker);
        for (int slot = 0; slot < Archivio::Pupils; ++slot)
            m_view.setNameText(slot, pupils.value(slot));
        if (!className.isEmpty())
            m_view.setNameText(SeatingView::ClassNameBox, className);
        ClassDisplay::rebuildSeatLists(m_view);
        for (int desk = 0; desk < SeatingView::Desks; ++desk)
            m_view.setDeskSelection(desk, marked.at(desk) ? SeatList::Marker : SeatList::Blank);
        m_pupilRules.namesReplaced(m_shownTab);
    });
    screenChanged();
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
    if (m_view.aggiornamento())
        return;
    const bool unstored = hasUnstoredChanges();
    followUnstored(unstored);
    emit unstoredChanged(unstored);
}

// Kept aside within KeepInterval of a change; what is kept goes as soon as
// the screen shows what is stored (stored, undone, or declined at a tab change).
void SeatingSession::followUnstored(bool unstored)
{
    if (!m_startedUp || m_shutDown)
        return;
    if (!unstored) {
        m_keepTimer.stop();
        m_keeper.dropUnstored();
    } else if (!m_keepTimer.isActive()) {
        m_keepTimer.start();
    }
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
// "Memorizza". Escape, or closing the box, stays.
SeatingSession::Leave SeatingSession::askBeforeLeaving()
{
    const QString title = classTitle(m_view.nameText(SeatingView::ClassNameBox), m_shownTab);
    const int answer = m_view.ask({SessionTexts::unstoredQuestion(title),
                                   MessageTitle::warning(),
                                   {AnswerText::yes(), AnswerText::no(), AnswerText::cancel()},
                                   0,
                                   2});
    if (answer == 0)
        take(Step::Store);
    return Leave(answer);
}

// The class name is not in the desks' lists.
bool SeatingSession::namesStored() const
{
    for (int box = 0; box < Archivio::Pupils; ++box) {
        if (m_view.nameText(box) !=
            m_archivio.cell(Archivio::row(m_shownTab, box), Archivio::NameColumn))
            return false;
    }
    return true;
}

// Seated from lists of names no longer on screen, the desks would hold pupils
// whose boxes are empty, or miss the ones just typed.
bool SeatingSession::storeNamesFirst()
{
    const int answer = m_view.ask({SessionTexts::storeNamesQuestion(),
                                   MessageTitle::warning(),
                                   {AnswerText::yes(), AnswerText::cancel()},
                                   0,
                                   1});
    if (answer == 0)
        take(Step::Store);
    return answer == 0;
}

// A lock left on another computer may be a copy still open there, or one
// never closed (the computer switched off, the stick carried home): only the
// teacher can tell. A copy running on this computer is the keeper's to report.
void SeatingSession::askAboutOtherComputersLock()
{
    SeatingLock &lock = m_keeper.lock();
    if (lock.acquire())
        return;
    const SeatingLock::Holder holder = lock.holder();
    if (holder.thisComputer)
        return;
    const QString opened = KeeperMessages::openOnOtherComputer(holder.host, holder.since);
    const int answer = m_view.ask({SessionTexts::otherComputerQuestion(opened),
                                   MessageTitle::warning(),
                                   {SessionTexts::openReadOnly(), SessionTexts::openAnyway()}});
    if (answer == 1 && lock.takeOver())
        return;
    m_otherComputer = holder.host;
    m_keeper.setReadOnly(SeatingFileKeeper::ReadOnlyReason::OpenOnOtherComputer);
}

// The close would write the little that was read over the much that was
// not. A fresh start begins empty: what was read of a file of other content
// is no class; the file stays in its copy.
void SeatingSession::offerToLeaveFile()
{
    const int answer =
        m_view.ask({SessionTexts::mostlyUnreadQuestion(m_path, m_keeper.originalCopy()),
                    MessageTitle::warning(),
                    {SessionTexts::leaveFile(), SessionTexts::startAfresh()}});
    if (answer == 1)
        m_archivio = Archivio();
    else
        m_keeper.setReadOnly(SeatingFileKeeper::ReadOnlyReason::MostlyUnread);
}

// Whatever was stored in memory or typed since the start is lost; Annulla
// leaves the teacher time to print it.
bool SeatingSession::readOnlyCloseConfirmed()
{
    if (m_archivio == m_started && !hasUnstoredChanges())
        return true;
    return m_view.ask({SessionTexts::readOnlyCloseQuestion(),
                       MessageTitle::warning(),
                       {AnswerText::cancel(), SessionTexts::closeWithoutSaving()}}) == 1;
}

QString SeatingSession::readOnlyReason() const
{
    using Reason = SeatingFileKeeper::ReadOnlyReason;
    switch (m_keeper.readOnlyReason()) {
    case Reason::None:
        break;
    case Reason::OpenElsewhere:
        return SessionTexts::openElsewhere();
    case Reason::OpenOnOtherComputer:
        return SessionTexts::openOnComputer(m_otherComputer);
    case Reason::MostlyUnread:
        return SessionTexts::leftAsItWas();
    }
    return QString();
}
