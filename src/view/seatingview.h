// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "viewtexts.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the seating logic needs of the screen: the 31 name boxes (30 pupils and
// the class name), the 30 desk selectors, the tab strip and a modal message
// box. The window implements it with widgets; tests implement it with a fake.
//
// Every desk selector holds the same seat list: position 0 is the blank item,
// position 1 the "not to be used" marker, and from position 2 on the non-empty
// pupil names in box order. A selection of -1 means no item is selected.
//
// setDeskSelection() reports a seat change to the seat-change handler before
// it returns, exactly as a user's pick does; the update flag is what keeps the
// logic from reacting to its own changes.
class SeatingView
{
public:
    // The program's message boxes: a message with OK, a Yes/No question
    // with Yes as its default unless it says otherwise; both built on ask().
    enum class Buttons { Ok, YesNo, YesNoDefaultNo };
    enum class Answer { Ok, Yes, No };

    // A modal box with answers of its own, left to right: the one Enter picks
    // and the one Escape or closing the box picks are the question's to say,
    // and for a question that could lose work they are the safe answer.
    struct Question
    {
        QString text;
        QString title;
        QStringList answers;
        int defaultAnswer = 0;
        int escapeAnswer = 0;
    };

    // One name box per slot of a class block, one desk per pupil, one tab per class.
    static constexpr int NameBoxes = Archivio::SlotsPerClass;
    static constexpr int ClassNameBox = Archivio::ClassNameSlot;
    static constexpr int Desks = Archivio::Pupils;
    static constexpr int Tabs = Archivio::Classes;

    virtual ~SeatingView() = default;

    virtual QString nameText(int box) const = 0;
    virtual void setNameText(int box, const QString &text) = 0;
    // What the pupils' name boxes show, box 0 first, blank ones included.
    QStringList pupilNames() const;

    // Replaces the desk's whole list at once, far cheaper for a combo box
    // than item by item; the caller sets the desk's selection after it.
    virtual void setDeskItems(int desk, const QStringList &items) = 0;
    virtual int deskItemCount(int desk) const = 0;
    virtual QString deskItem(int desk, int position) const = 0;
    // The desk's whole list, item by item unless the view keeps it whole.
    virtual QStringList deskItems(int desk) const;
    virtual int deskSelection(int desk) const = 0;
    virtual void setDeskSelection(int desk, int position) = 0;

    // The lowest selected tab, 1 to 10.
    virtual int selectedTab() const = 0;
    // Turns the tab strip to tab, without a tab-change event.
    virtual void selectTab(int tab) = 0;
    virtual void setTabCaption(int tab, const QString &caption) = 0;

    // Shows the question and returns the index of the answer chosen.
    virtual int ask(const Question &question) = 0;
    Answer messageBox(const QString &text, const QString &title, Buttons buttons);

    // True while the program itself changes desk selections ("Aggiornamento").
    bool aggiornamento() const { return m_aggiornamento; }
    void setAggiornamento(bool on) { m_aggiornamento = on; }

    // The name slot of each pupil in the seat lists, in list order, as the
    // lists were last built: what a desk's position means until they are
    // built again, whatever the name boxes hold by then.
    const QList<int> &listedSlots() const { return m_listedSlots; }
    void setListedSlots(const QList<int> &listed) { m_listedSlots = listed; }

private:
    bool m_aggiornamento = false;
    QList<int> m_listedSlots;
};

// Raises the update flag for the lifetime of a scope.
class UpdateGuard
{
public:
    explicit UpdateGuard(SeatingView &view)
        : m_view(view)
    {
        m_view.setAggiornamento(true);
    }
    ~UpdateGuard() { m_view.setAggiornamento(false); }
    UpdateGuard(const UpdateGuard &) = delete;
    UpdateGuard &operator=(const UpdateGuard &) = delete;

private:
    SeatingView &m_view;
};
