// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "classhistory.h"
#include "classplans.h"
#include "pupilrules.h"
#include "seatingfilekeeper.h"
#include "seatingrules.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

class SeatingView;

// What happens to the classes while the program runs, whatever shows them:
// start-up from the seating file, the buttons' steps and the desk picks with
// their undo history, the question about changes not stored when a class is
// left by a tab change or by closing, keeping the file at close, and keeping
// typing not yet stored aside against a crash or a kill. A copy is read-only
// when another copy holds the file, or the teacher chose so at start (another
// computer's lock, a file mostly unread): everything works in memory, nothing
// is written, the first store says so and a close that would lose changes
// asks first. The
// window builds the controls, implements the view and hands the teacher's
// actions to the session; tests drive it through a fake view.
class SeatingSession : public QObject
{
    Q_OBJECT

public:
    // The steps of the buttons and of the menu's "Segna i banchi da lasciare liberi".
    enum class Step { Store, Fill, Clear, DeleteNames, LeaveFree };
    // The caption of the button or menu entry that takes step, which names the step too.
    static QString caption(Step step);

    SeatingSession(const QString &seatingFilePath, SeatingView &view);
    ~SeatingSession() override;

    // Loads the seating file and shows the class of the selected tab, telling
    // the teacher locationNotice first when there is one; asks whether to
    // open read-only when another computer's lock holds the file or most of
    // it could not be read.
    void startUp(const QString &locationNotice = QString());
    // Starts reading the seating file, and taking its lock, on a thread of
    // its own, for a window still building its controls; startUp() then
    // waits for it instead of doing it.
    void readAhead() { m_keeper.readAhead(); }

    // The teacher picked tab: the class shown is left, after the question
    // about its changes not stored if there are any, and tab is shown.
    // Answers whether the change happened: not when the teacher chose to
    // stay. The view shows the class left until it is asked, and the class
    // of tab after a yes.
    bool requestTabChange(int tab);

    // The window is closing: the question about changes not stored (for a
    // read-only copy, about losing its changes), then the seating file is
    // kept. Answers whether the window may close: not when the teacher chose
    // to stay.
    bool requestClose();

    // Unstored changes are kept aside this long after the first change since
    // they were last kept, so at least this often while changes go on.
    static constexpr int KeepInterval = 2000; // ms
    // Keeps what the screen holds of its class aside now if it has unstored
    // changes, or drops what was kept if not; what the timer does.
    void keepUnstoredNow();

    // The system ends the program: the unstored changes are kept aside and
    // the file written as at close, without a question; after it, nothing
    // more is asked or written. Before the start-up is over nothing is
    // written: the teacher has done nothing yet.
    void endNow();
    bool hasEnded() const { return m_ended; }

    // The desktop session is ending, which may still be cancelled: the same
    // as endNow(), but the session goes on.
    void keepForSessionEnd();

    // A button's work, one step of the class's history. The steps that seat
    // from the desks' lists first offer to store names not stored yet, as
    // the lists hold the stored names.
    void take(Step step);
    void deskPicked(int desk);
    void nameEdited(int box, const QString &text);
    void namesPasted();
    // "Importa elenco…": the pupils in boxes 1 to n, the others emptied, the
    // class named className unless it is empty, every desk but the marked
    // ones emptied and the seat lists made of the new names; one step.
    void importClass(const QString &className, const QStringList &pupils);
    void undo();
    void redo();

    // After any change of a name box or a desk's selection, the program's
    // own included: tells whether the screen now holds changes not stored.
    void screenChanged();

    // The seat-change event of a desk, from the view.
    void seatChanged(int desk) { m_rules.seatChanged(desk); }

    // The seating rules of the class on screen, and the teacher's changes to
    // them, each a step of the class's history that reaches the journal.
    const ClassRules &classRules() const { return m_pupilRules.book().rules(m_shownTab); }
    void addRule(const NamedRule &rule);
    void removeRule(int index);
    // Why the rules cannot be changed in this session; empty when they can.
    QString rulesFrozenReason() const { return m_keeper.rulesFrozenReason(); }
    // The indexes of the class's rules the screen's seating breaks.
    QList<int> brokenRules() const;
    // Why this copy writes nothing, short and lower case; empty while it writes.
    QString readOnlyReason() const;
    // For each desk, the rules its pupil breaks in words, empty for none.
    QStringList deskNotes() const;

    // The plans the class on screen was stored with, oldest first, read from
    // the history file when first needed; and, once read, why no plan is
    // recorded in this session (empty when they are).
    const PlanHistory &recordedPlans();
    QString historyFrozenReason() const { return m_keeper.historyFrozenReason(); }
    // "Ripristina": the plan on screen, as one step, for the pupils the class
    // has now: those gone leave their desk blank, those added since are in
    // none. Not stored until "Memorizza".
    void restorePlan(const Plan &plan);
    // "Cancella la cronologia": after the question, the plans of the class
    // on screen go, as one step.
    void clearPlanHistory();
    // "Nuovi compagni di banco": after the fill's checks, every pupil but
    // those with a fixed desk gets a desk, with nobody beside a past
    // desk-mate over as many plans back as can be; one step, not stored,
    // and the teacher told how far back it reached.
    void reseat();

    int shownTab() const { return m_shownTab; }
    bool hasUnstoredChanges() const;

    const Archivio &archivio() const { return m_archivio; }
    SeatingRules &rules() { return m_rules; }
    ClassHistory &history() { return m_history; }

signals:
    // Whether the class on screen holds changes not stored, told whenever
    // the screen may have changed.
    void unstoredChanged(bool unstored);

private:
    enum class Leave { Store, Discard, Stay }; // in the order of the question's answers

    void showSelectedClass();
    Leave askBeforeLeaving();
    bool namesStored() const;
    bool storeNamesFirst();
    void classStored();
    std::optional<Plan> seatingToRecord() const;
    quint32 listedPupils() const;
    void showPlan(const Plan &plan);
    FillProblem reseatingProblem() const;
    void tellNoPlan(const FillProblem &problem, bool outOfTime);
    void changeRules(const QString &step, const ClassRules &rules);
    void askAboutOtherComputersLock();
    void offerToLeaveFile();
    bool readOnlyCloseConfirmed();
    void followUnstored(bool unstored);
    void keepUnstored();
    void restoreUnstored(const UnstoredClass &kept);

    QString m_path;
    SeatingView &m_view;
    Archivio m_archivio;
    SeatingRules m_rules{m_view, m_archivio};
    PupilRules m_pupilRules;
    SeatingFileKeeper m_keeper;
    ClassPlans m_plans{m_keeper};
    ClassHistory m_history{m_view, m_rules, m_archivio, m_pupilRules, m_plans};
    QTimer m_keepTimer;
    bool m_startedUp = false; // the start-up is over, with its questions
    bool m_shutDown = false;
    bool m_ended = false; // by the system
    // What a read-only copy started with, to tell whether its close loses anything.
    Archivio m_started;
    QString m_otherComputer; // whose lock the teacher left alone
    bool m_storeTold = false;
    int m_shownTab = 1; // whose class the screen shows, also while the tab strip turns
};
