// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rulebook.h"

#include <QStringList>

#include <array>

class Archivio;

// The seating rules of the classes while the program runs, and who a pupil
// is: their name slot. A name edited and stored is the same pupil renamed,
// who keeps their rules; a slot blanked and stored takes its pupil's rules
// away; after "Cancella nomi" or an import every slot is a new pupil, and the
// next store takes the old pupils' rules away. The history of plans follows
// the same pupils.
class PupilRules
{
public:
    // What the undo history keeps of a class's rules.
    struct State
    {
        ClassRules rules;
        bool newPupils = false; // the names were replaced since the last store
        bool operator==(const State &other) const
        {
            return rules == other.rules && newPupils == other.newPupils;
        }
        bool operator!=(const State &other) const { return !(*this == other); }
    };

    RuleBook &book() { return m_book; }
    const RuleBook &book() const { return m_book; }

    State state(int tab) const;
    void setState(int tab, const State &state);

    // "Cancella nomi" or a list imported over the names.
    void namesReplaced(int tab);
    bool newPupils(int tab) const { return m_newPupils[size_t(tab - 1)]; }

    // After the class of tab was stored into archivio: the rules follow the
    // pupils; returns what the teacher is told, one sentence each. With
    // rulesFrozen the rules stay as they are, and only the pupils are known.
    QStringList classStored(int tab, const Archivio &archivio, bool rulesFrozen = false);

private:
    RuleBook m_book;
    std::array<bool, RuleBook::Classes> m_newPupils{};
};
