// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingsession.h"

#include "classdisplay.h"
#include "deskseat.h"
#include "seatingview.h"
#include "sessiontexts.h"

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
    : m_view(view)
    , m_keeper(seatingFilePath, view)
{
    m_rules.setStoredHandler([this] {
        m_keeper.stored(m_archivio);
        screenChanged();
    });
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
// saves nothing does not offer to keep anything.
bool SeatingSession::requestClose()
{
    if (m_shutDown)
        return true;
    if (!m_keeper.isReadOnly() && hasUnstoredChanges() && askBeforeLeaving() == Leave::Stay)
        return false;
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
        &SeatingRules::deleteNames, &SeatingRules::leaveDesksFree};
    if ((step == Step::Fill || step == Step::LeaveFree) && !namesStored() && !storeNamesFirst())
        return;
    m_history.perform(SessionTexts::buttonStep(caption(step)),
                      [this, step] { (m_rules.*reactions[int(step)])(); });
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
