// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "historyfile.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <array>
#include <optional>

class SeatingFileKeeper;

// The plans each class was stored with, while the program runs: read through
// the keeper when first needed, never at start-up, and a plan recorded
// whenever a class is stored with every pupil seated. Who a pupil is follows
// the rules: a slot blanked and stored, or every slot once the names were
// replaced, is a new pupil, with no past desk-mates; the plans keep the name
// of the one who sat there, for display.
class ClassPlans
{
public:
    // What the undo history keeps of a class's plans: nothing while none
    // were read, which a step taken before the first read leaves as it is.
    using State = std::optional<QList<Plan>>;

    explicit ClassPlans(SeatingFileKeeper &keeper);

    State state(int tab) const;
    void setState(int tab, const State &state);
    // The class's plans as first read: what a step that read them found.
    QList<Plan> asRead(int tab) const { return m_read[size_t(tab - 1)].plans(); }

    // The class's plans, read on first need.
    const PlanHistory &plans(int tab);
    void clear(int tab);

    // After the start-up: the names of every class as stored, to tell which
    // slots a store empties.
    void started(const Archivio &archivio);

    // After the class of tab was stored into archivio, an undo's store too:
    // the slots whose pupil is gone (bit s for slot s), every named one when
    // newPupils (the names were replaced since the last store).
    quint32 namesStored(int tab, const Archivio &archivio, bool newPupils);
    // After the teacher stored the class: the pupils gone leave every plan,
    // and the class's seating, if given, is recorded.
    void classStored(int tab, quint32 gone, const std::optional<Plan> &seating);

private:
    void load();

    SeatingFileKeeper &m_keeper;
    HistoryFile::Histories m_histories;
    HistoryFile::Histories m_read;
    std::array<QStringList, Archivio::Classes> m_names;
};
