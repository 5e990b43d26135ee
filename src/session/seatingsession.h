// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "classhistory.h"
#include "pupilrules.h"
#include "seatingfilekeeper.h"
#include "seatingrules.h"

#include <QObject>
#include <QString>

class SeatingView;

// What happens to the classes while the program runs, whatever shows them:
// start-up from the seating file, the buttons' steps and the desk picks with
// their undo history, the question about changes not stored when a class is
// left by a tab change or by closing, and keeping the file at close. The
// window builds the controls, implements the view and hands the teacher's
// actions to the session; tests drive it through a fake view.
class SeatingSession : public QObject
{
    Q_OBJECT

public:
    // The buttons' steps.
    enum class Step { Store, Fill, Clear, DeleteNames };
    // The caption of the button that takes step, which names the step too.
    static QString caption(Step step);

    SeatingSession(const QString &seatingFilePath, SeatingView &view);
    ~SeatingSession() override;

    // Loads the seating file and shows the class of the selected tab, telling
    // the teacher locationNotice first when there is one.
    void startUp(const QString &locationNotice = QString());

    // The teacher picked tab: the class shown is left, after the question
    // about its changes not stored if there are any, and tab is shown.
    // Answers whether the change happened; the view shows the class left
    // until it is asked, and the class of tab after a yes.
    bool requestTabChange(int tab);

    // The window is closing: the question about changes not stored, then
    // the seating file is kept. Answers whether the window may close.
    bool requestClose();

    // A button's work, one step of the class's history.
    void take(Step step);
    void deskPicked(int desk);
    void nameEdited(int box, const QString &text);
    void namesPasted();
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
    // For each desk, the rules its pupil breaks in words, empty for none.
    QStringList deskNotes() const;

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
    void showSelectedClass();
    void offerStore();
    void classStored();
    void changeRules(const QString &step, const ClassRules &rules);

    SeatingView &m_view;
    Archivio m_archivio;
    SeatingRules m_rules{m_view, m_archivio};
    PupilRules m_pupilRules;
    SeatingFileKeeper m_keeper;
    ClassHistory m_history{m_view, m_rules, m_archivio, m_pupilRules};
    bool m_shutDown = false;
    int m_shownTab = 1; // whose class the screen shows, also while the tab strip turns
};
