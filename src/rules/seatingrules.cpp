// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingrules.h"

#include "archivio.h"
#include "classdisplay.h"
#include "freedesks.h"
#include "seatingsolver.h"
#include "seatingview.h"
#include "solvermessages.h"

#include <chrono>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

quint32 clockSeed()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    return quint32(quint64(ticks) ^ (quint64(ticks) >> 32));
}

} // namespace

SeatingRules::SeatingRules(SeatingView &view, Archivio &archivio)
    : m_view(view)
    , m_archivio(archivio)
    , m_random(clockSeed())
{}

void SeatingRules::setRandomGenerator(const QRandomGenerator &generator)
{
    m_random = generator;
}

void SeatingRules::setRulesSource(std::function<QList<SeatingRule>()> source)
{
    m_rulesSource = std::move(source);
}

void SeatingRules::setStoredHandler(std::function<void()> handler)
{
    m_storedHandler = std::move(handler);
}

void SeatingRules::store()
{
    const int tab = m_view.selectedTab();
    const QList<int> positions = positionsToStore();
    for (int slot = 0; slot < Archivio::SlotsPerClass; ++slot) {
        const int row = Archivio::row(tab, slot);
        // Names go in as typed, spaces and all.
        m_archivio.setCell(row, Archivio::NameColumn, m_view.nameText(slot));
        if (slot < Archivio::Pupils)
            m_archivio.setCell(row, Archivio::PositionColumn, QString::number(positions[slot]));
    }
    ClassDisplay::showClass(m_view, m_archivio, tab);
    if (m_storedHandler)
        m_storedHandler();
}

// A position names a pupil through the lists as they were last built; the
// lists about to be built from the names on screen put that pupil's slot
// elsewhere, or nowhere when it is empty now. Writing each desk the new
// position of its pupil keeps everyone at their desk: renaming keeps the
// desk, an emptied slot leaves its desk blank, a name in a gap moves nobody.
QList<int> SeatingRules::positionsToStore() const
{
    QList<int> newPositionOfSlot(Archivio::Pupils, SeatList::Blank);
    for (int slot = 0, position = SeatList::FirstPupil; slot < Archivio::Pupils; ++slot) {
        if (!m_view.nameText(slot).isEmpty())
            newPositionOfSlot[slot] = position++;
    }
    const QList<int> &listed = m_view.listedSlots();
    QList<int> positions;
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int shown = m_view.deskSelection(desk) - SeatList::FirstPupil;
        // The blank item, the marker and nothing selected (-1) mean the same in any list.
        positions.append(shown >= 0 && shown < listed.size() ? newPositionOfSlot[listed[shown]]
                                                             : m_view.deskSelection(desk));
    }
    return positions;
}

void SeatingRules::randomFill()
{
    fill(Rules::Kept);
}

// A class without rules gets the plain draw, uniform over the free pupils.
void SeatingRules::fill(Rules rules)
{
    UpdateGuard updating(m_view);
    const int pupils = pupilsListed();
    if (!countsAddUp(pupils))
        return;
    const QList<SeatingRule> kept =
        rules == Rules::Kept && m_rulesSource ? m_rulesSource() : QList<SeatingRule>();
    if (!kept.isEmpty())
        return fillByRules(kept);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        // Blank desks and desks whose text field was typed into are free.
        if (m_view.deskSelection(desk) < SeatList::Marker)
            m_view.setDeskSelection(desk, drawFreePupil(pupils));
    }
}

void SeatingRules::seatChanged(int desk)
{
    // While a desk is blank the user is still seating the class by hand, and
    // a pupil may sit on two desks for a while.
    if (m_view.aggiornamento() || anyDeskBlank())
        return;
    for (int other = 0; other < SeatingView::Desks; ++other) {
        const int chosen = m_view.deskSelection(desk);
        if (other != desk && chosen != SeatList::Marker && m_view.deskSelection(other) == chosen)
            reseatFrom(other);
    }
}

void SeatingRules::clearSeats()
{
    UpdateGuard updating(m_view);
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) != SeatList::Marker)
            m_view.setDeskSelection(desk, SeatList::Blank);
    }
}

void SeatingRules::deleteNames()
{
    const auto answer =
        m_view.messageBox(u"Sei sicuro di volere cancellare tutti i nomi degli alunni?"_s,
                          MessageTitle::warning(), SeatingView::Buttons::YesNoDefaultNo);
    if (answer != SeatingView::Answer::Yes)
        return;
    for (int box = 0; box < SeatingView::NameBoxes; ++box)
        m_view.setNameText(box, QString());
    // The seat lists keep the old names until the class is shown again.
    clearSeats();
}

// Only free desks are marked, never a seated pupil's: a pupil sitting on two
// desks can leave too few of them.
void SeatingRules::leaveDesksFree()
{
    const int needed = SeatingView::Desks - pupilsListed() - markedDesks();
    if (needed < 0) {
        tellTooManyPupils(-needed);
        return;
    }
    // A desk a rule keeps for a pupil is never marked.
    QList<bool> fixed(SeatingView::Desks, false);
    for (const SeatingRule &rule : m_rulesSource ? m_rulesSource() : QList<SeatingRule>()) {
        if (rule.kind == SeatingRule::Kind::BancoFisso && rule.value >= 0 &&
            rule.value < SeatingView::Desks)
            fixed[rule.value] = true;
    }
    QList<bool> free;
    for (int desk = 0; desk < SeatingView::Desks; ++desk)
        free.append(m_view.deskSelection(desk) < SeatList::Marker && !fixed[desk]);
    const QList<int> chosen = FreeDesks::choose(free, needed);
    if (needed == 0 || chosen.size() < needed) {
        m_view.messageBox(needed == 0 ? u"Nessun banco da segnare: gli alunni e i banchi "
                                        u"da non assegnare sono già 30."_s
                          : fixed.contains(true)
                              ? u"Non ci sono abbastanza banchi vuoti da segnare: un alunno "
                                u"siede su più banchi, o un banco vuoto è il banco fisso di "
                                u"un alunno."_s
                              : u"Non ci sono abbastanza banchi vuoti da segnare: "
                                u"un alunno siede su più banchi."_s,
                          MessageTitle::warning(), SeatingView::Buttons::Ok);
        return;
    }
    UpdateGuard updating(m_view);
    for (const int desk : chosen)
        m_view.setDeskSelection(desk, SeatList::Marker);
}

// Every desk holds the same seat list.
int SeatingRules::pupilsListed() const
{
    return m_view.deskItemCount(0) - SeatList::FirstPupil;
}

// The marked desks and the pupils must make exactly one pupil per free desk;
// otherwise the user is told what to change and nobody is seated.
bool SeatingRules::countsAddUp(int pupils)
{
    const int excess = markedDesks() + pupils - SeatingView::Desks;
    if (excess < 0) {
        m_view.messageBox(u"Ci sono più banchi che alunni!\r\n"
                          u"Selezionare i banchi da non assegnare."_s,
                          MessageTitle::error(), SeatingView::Buttons::Ok);
    } else if (excess > 0) {
        tellTooManyPupils(excess);
    }
    return excess == 0;
}

void SeatingRules::tellTooManyPupils(int excess)
{
    const QString desks = excess == 1 ? u"1 banco"_s : u"%1 banchi"_s.arg(excess);
    m_view.messageBox(u"Ci sono più alunni che banchi liberi!\r\n"
                      u"Rimuovere a %1 l'indicazione ->Non assegnare<-."_s.arg(desks),
                      MessageTitle::error(), SeatingView::Buttons::Ok);
}

int SeatingRules::markedDesks() const
{
    int marked = 0;
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) == SeatList::Marker)
            ++marked;
    }
    return marked;
}

// Only the blank item counts: a desk with nothing selected does not hold the
// swap back.
bool SeatingRules::anyDeskBlank() const
{
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) == SeatList::Blank)
            return true;
    }
    return false;
}

bool SeatingRules::isSeated(int position) const
{
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        if (m_view.deskSelection(desk) == position)
            return true;
    }
    return false;
}

// Draws pupils until one sits on no desk. Called only for a free desk when the
// counts add up, so the other desks hold at most pupils − 1 pupils and a free
// one exists.
int SeatingRules::drawFreePupil(int pupils)
{
    int position;
    do {
        position = int(m_random.generateDouble() * pupils) + SeatList::FirstPupil;
    } while (isSeated(position));
    return position;
}

// The pupil just picked for another desk also sat on this one: empty it, seat
// whoever is left over there, and keep the result.
void SeatingRules::reseatFrom(int desk)
{
    // Blanked with the flag down, as a user's change: its own seat-change
    // reaction stops at once because a desk is now blank.
    m_view.setAggiornamento(false);
    m_view.setDeskSelection(desk, SeatList::Blank);
    m_view.setAggiornamento(true);
    fill(Rules::Ignored); // one pupil for one desk: the rules have no say
    store();
}

QList<int> SeatingRules::pupilAtDesk() const
{
    const QList<int> &listed = m_view.listedSlots();
    QList<int> pupils;
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int shown = m_view.deskSelection(desk) - SeatList::FirstPupil;
        pupils.append(shown >= 0 && shown < listed.size() ? listed[shown] : -1);
    }
    return pupils;
}

QStringList SeatingRules::listedNames() const
{
    QStringList names(Archivio::Pupils);
    const QList<int> &listed = m_view.listedSlots();
    for (int position = 0; position < listed.size(); ++position)
        names[listed[position]] = m_view.deskItem(0, position + SeatList::FirstPupil);
    return names;
}

// Pupils seated and marked desks stay. A pupil shown at a second desk, as
// while seating by hand, sits at the first; the second is free.
void SeatingRules::fillByRules(const QList<SeatingRule> &rules)
{
    FillProblem problem;
    problem.rules = rules;
    QList<bool> seated(Archivio::Pupils, false);
    const QList<int> pupils = pupilAtDesk();
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const int pupil = pupils[desk];
        if (m_view.deskSelection(desk) == SeatList::Marker) {
            problem.marked |= Room::bit(desk);
        } else if (pupil >= 0 && !seated[pupil]) {
            seated[pupil] = true;
            problem.seated.append({pupil, desk});
        }
    }
    for (int slot : m_view.listedSlots()) {
        if (!seated[slot])
            problem.freePupils.append(slot);
    }
    SeatingSolver solver(m_random);
    const FillResult result = solver.fill(problem);
    if (result.outcome == FillResult::Outcome::Plan) {
        for (const Placement &placement : result.plan) {
            m_view.setDeskSelection(placement.desk,
                                    int(m_view.listedSlots().indexOf(placement.pupil)) +
                                        SeatList::FirstPupil);
        }
        return;
    }
    const QString why = result.outcome == FillResult::Outcome::Impossible
                            ? SolverMessages::conflict(problem, result.conflict, listedNames())
                            : SolverMessages::outOfTime();
    m_view.messageBox(why, MessageTitle::error(), SeatingView::Buttons::Ok);
}
