// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "classplans.h"
#include "classsnapshot.h"
#include "pupilrules.h"

#include <QObject>
#include <QStringList>
#include <QUndoGroup>

#include <array>
#include <functional>

class QUndoStack;
class SeatingRules;
class SeatingView;

// The undo history of each class, kept while the program runs, whichever
// class is on screen. A step is what one reaction did to the class on screen,
// and to its stored block when the reaction stored it: undoing the step puts
// both back as they were, redoing it as they became. The stored block is put
// back only through the store the buttons use, so the journal follows it.
//
// The history knows the screen as the last step, display or edit left it,
// because a desk pick reaches it only once the desk already shows the pupil.
// The window offers its undo and redo through actions of its own.
class ClassHistory : public QObject
{
    Q_OBJECT

public:
    ClassHistory(SeatingView &view, SeatingRules &rules, Archivio &archivio, PupilRules &pupilRules,
                 ClassPlans &plans);
    ~ClassHistory() override;

    // After the class of the selected tab was shown: its history goes on.
    void classShown();

    // Runs a reaction on the class on screen and keeps what it changed as one
    // step, named by step; a reaction that changed nothing leaves no step.
    void perform(const QString &step, const std::function<void()> &reaction);

    // The user picked an item for a desk, which already shows it.
    void deskPicked(int desk);

    // The user changed the text of a name box: typing, a one-line paste, the
    // box's own undo. Edits of one box in a row make one step.
    void nameEdited(int box, const QString &text);

    // A list of names was pasted over the pupil boxes.
    void namesPasted();

    // While an undo or redo puts a class back: its store is not the
    // teacher's, and the rules come back with the step.
    bool puttingBack() const { return m_puttingBack; }
    // The teacher said No to storing the class on screen, which shows it as
    // stored again: its changes since it was last stored become one step,
    // whose undo brings them all back at once, and the steps that made them
    // go, as they never reached the stored class.
    void discardScreen();

    // The class on screen: whether a step can be undone or redone, and its name.
    bool canUndo() const { return m_group.canUndo(); }
    bool canRedo() const { return m_group.canRedo(); }
    QString undoText() const { return m_group.undoText(); }
    QString redoText() const { return m_group.redoText(); }
    void undo() { m_group.undo(); }
    void redo() { m_group.redo(); }
    // The entries that undo and redo, naming the step.
    QString undoEntry() const;
    QString redoEntry() const;

signals:
    // What can be undone or redone, or its name, may have changed.
    void changed();
    // An undo or redo changed the seating rules of a class, or its plans.
    void rulesPutBack();
    void plansPutBack();

private:
    friend class ClassStep;
    friend class DiscardStep;
    friend class NameEdit;

    struct State
    {
        ClassSnapshot screen;
        QStringList stored; // the class's block of the table, cell by cell
        PupilRules::State rules;
        ClassPlans::State plans;
        bool operator==(const State &other) const;
    };

    State current(int tab) const;
    QStringList storedBlock(int tab) const;
    void record(int tab, const QString &step, State before, const State &after);
    void putBack(int tab, const State &state);
    void putBackName(int box, const QString &text);
    QString pickStep(int desk, const State &before, const State &after) const;
    bool isDiscard(int offset) const;
    QUndoStack *stack(int tab) const { return m_stacks[size_t(tab - 1)]; }

    SeatingView &m_view;
    SeatingRules &m_rules;
    Archivio &m_archivio;
    PupilRules &m_pupilRules;
    ClassPlans &m_plans;
    bool m_puttingBack = false;
    QUndoGroup m_group;
    std::array<QUndoStack *, Archivio::Classes> m_stacks{};
    ClassSnapshot m_shown;
    bool m_dropping = false; // steps undone only to be dropped leave the class alone
};
