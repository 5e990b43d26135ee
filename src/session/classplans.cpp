// SPDX-License-Identifier: GPL-3.0-or-later
#include "classplans.h"

#include "archivio.h"
#include "seatingfilekeeper.h"

ClassPlans::ClassPlans(SeatingFileKeeper &keeper)
    : m_keeper(keeper)
{
    m_keeper.keepHistory(&m_histories);
}

ClassPlans::State ClassPlans::state(int tab) const
{
    if (!m_keeper.historyLoaded())
        return std::nullopt;
    return m_histories[size_t(tab - 1)].plans();
}

void ClassPlans::setState(int tab, const State &state)
{
    if (state)
        m_histories[size_t(tab - 1)].restore(*state);
}

const PlanHistory &ClassPlans::plans(int tab)
{
    load();
    return m_histories[size_t(tab - 1)];
}

void ClassPlans::clear(int tab)
{
    load();
    m_histories[size_t(tab - 1)].clear();
}

void ClassPlans::load()
{
    if (m_keeper.historyLoaded())
        return;
    m_keeper.loadHistory();
    m_read = m_histories;
}

void ClassPlans::started(const Archivio &archivio)
{
    for (int tab = 1; tab <= Archivio::Classes; ++tab) {
        QStringList &names = m_names[size_t(tab - 1)];
        names.clear();
        for (int slot = 0; slot < Archivio::Pupils; ++slot)
            names.append(archivio.cell(Archivio::row(tab, slot), Archivio::NameColumn));
    }
}

quint32 ClassPlans::namesStored(int tab, const Archivio &archivio, bool newPupils)
{
    QStringList &names = m_names[size_t(tab - 1)];
    quint32 gone = 0;
    for (int slot = 0; slot < Archivio::Pupils; ++slot) {
        const QString now = archivio.cell(Archivio::row(tab, slot), Archivio::NameColumn);
        if (!names.at(slot).isEmpty() && (newPupils || now.isEmpty()))
            gone |= quint32(1) << slot;
        names[slot] = now;
    }
    return gone;
}

// A store that neither seats everyone nor lets anyone go does not read the plans.
void ClassPlans::classStored(int tab, quint32 gone, const std::optional<Plan> &seating)
{
    if (!gone && !seating)
        return;
    load();
    PlanHistory &history = m_histories[size_t(tab - 1)];
    history.forgetPupils(gone);
    if (seating && m_keeper.historyFrozenReason().isEmpty())
        history.record(*seating);
}
