// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingsession.h"

#include "classdisplay.h"
#include "deskseat.h"
#include "seatingview.h"
#include "sessiontexts.h"

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
    m_keepTimer.setSingleShot(true);
    m_keepTimer.setInterval(KeepInterval);
    connect(&m_keepTimer, &QTimer::timeout, this, &SeatingSession::keepUnstoredNow);
}

SeatingSession::~SeatingSession() = default;

// Unstored changes offered back come on the screen of their class.
void SeatingSession::startUp(const QString &locationNotice)
{
    m_keeper.startUp(m_archivio, locationNotice);
    const std::optional<UnstoredClass> kept = m_keeper.offerUnstored(m_archivio);
    if (m_ended)
        return; // by a signal while a question was open
    if (kept)
        m_view.selectTab(kept->tab);
    showSelectedClass();
    ClassDisplay::setTabCaptions(m_view, m_archivio);
    m_started = true;
    if (kept)
        restoreUnstored(*kept);
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
    if (!m_started || m_shutDown)
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
    const bool writing = m_started && !m_shutDown;
    keepUnstored();
    m_shutDown = true;
    m_keeper.endWithoutQuestions(writing ? &m_archivio : nullptr);
}

void SeatingSession::keepForSessionEnd()
{
    if (!m_started || m_shutDown)
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
        &SeatingRules::deleteNames};
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
    if (!m_started || m_shutDown)
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
// "Memorizza". An answer that cancels the change would return here.
void SeatingSession::offerStore()
{
    const QString title = classTitle(m_view.nameText(SeatingView::ClassNameBox), m_shownTab);
    if (m_view.messageBox(SessionTexts::unstoredQuestion(title), MessageTitle::warning(),
                          SeatingView::Buttons::YesNo) == SeatingView::Answer::Yes)
        take(Step::Store);
}
