// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QList>
#include <QRandomGenerator>
#include <QStringList>

#include <functional>

class Archivio;
class SeatingView;

// What the buttons and the desk selectors do to the class on screen: store it
// in the table, fill its free desks at random, swap two pupils when a pupil is
// picked for a second desk, and clear desks and names.
//
// Every reaction runs to its end on the caller's thread. The reactions that
// change desk selections raise the view's update flag around their changes so
// that seatChanged() ignores them.
class SeatingRules
{
public:
    SeatingRules(SeatingView &view, Archivio &archivio);

    // Replaces the clock-seeded generator, so that a fill can be repeated.
    void setRandomGenerator(const QRandomGenerator &generator);

    // The seating rules of the class on screen, asked at every fill.
    void setRulesSource(std::function<QList<SeatingRule>()> source);

    // Called after every store, whether the user asked for it or a swap did.
    void setStoredHandler(std::function<void()> handler);

    // "Memorizza": copies the screen into the block of the selected tab and
    // shows that class again. Every desk keeps the pupil it showed, whatever
    // names were blanked, added or changed since the lists were built.
    void store();

    // "Assegna mancanti": seats the unseated pupils on the free desks, or
    // tells the user why the pupils and the desks do not add up. With rules,
    // every rule naming a pupil it seats holds, or nobody is seated and the
    // user is told which rules cannot hold together.
    void randomFill();

    // Whether the marked desks and the pupils of the desks' lists make the
    // room, as the fill needs them to; if not, the user is told what to change.
    bool pupilsFitDesks() { return countsAddUp(pupilsListed()); }

    // The pupil seated at each desk as a slot, −1 for none; and the name of
    // each slot as the seat lists show it.
    QList<int> pupilAtDesk() const;
    QStringList listedNames() const;

    // The seat-change event of a desk, from the user or from the program.
    void seatChanged(int desk);

    // "Svuota": empties every desk not marked as unused.
    void clearSeats();

    // "Cancella nomi": after confirmation, blanks all names and the desks.
    void deleteNames();

    // "Segna i banchi da lasciare liberi": marks as not to be used as many
    // free desks as the fill needs, so that pupils and marked desks make the
    // room; or tells the user why it can't.
    void leaveDesksFree();

private:
    enum class Rules { Kept, Ignored };
    void fill(Rules rules);
    void fillByRules(const QList<SeatingRule> &rules);
    int pupilsListed() const;
    bool countsAddUp(int pupils);
    void tellTooManyPupils(int excess);
    int markedDesks() const;
    bool anyDeskBlank() const;
    bool isSeated(int position) const;
    int drawFreePupil(int pupils);
    void reseatFrom(int desk);
    QList<int> positionsToStore() const;

    SeatingView &m_view;
    Archivio &m_archivio;
    QRandomGenerator m_random;
    std::function<void()> m_storedHandler;
    std::function<QList<SeatingRule>()> m_rulesSource;
};
