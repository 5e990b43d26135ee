// SPDX-License-Identifier: GPL-3.0-or-later
#include "pupilrules.h"

#include "archivio.h"
#include "sessiontexts.h"

#include <utility>

PupilRules::State PupilRules::state(int tab) const
{
    return State{m_book.rules(tab), m_newPupils[size_t(tab - 1)]};
}

void PupilRules::setState(int tab, const State &state)
{
    m_book.setRules(tab, state.rules);
    m_newPupils[size_t(tab - 1)] = state.newPupils;
}

void PupilRules::namesReplaced(int tab)
{
    m_newPupils[size_t(tab - 1)] = true;
}

QStringList PupilRules::classStored(int tab, const Archivio &archivio, bool rulesFrozen)
{
    const ClassRules before = m_book.rules(tab);
    const bool replaced = std::exchange(m_newPupils[size_t(tab - 1)], false);
    if (rulesFrozen)
        return {};
    if (replaced) {
        m_book.setRules(tab, {});
        if (before.isEmpty())
            return {};
        return {SessionTexts::rulesOfOldPupilsRemoved(int(before.size()))};
    }
    QStringList told;
    ClassRules after;
    for (NamedRule named : before) {
        const QList<int> pupils = named.rule.hasTwoPupils()
                                      ? QList<int>{named.rule.pupil, named.rule.value}
                                      : QList<int>{named.rule.pupil};
        bool gone = false;
        QStringList renames;
        for (int slot : pupils) {
            const QString now = archivio.cell(Archivio::row(tab, slot), Archivio::NameColumn);
            const QString was = named.nameOf(slot);
            if (now.isEmpty()) {
                told << SessionTexts::ruleRemoved(named.rule.kind, was);
                gone = true;
                break;
            }
            if (now != was)
                renames << SessionTexts::ruleRenamed(named.rule.kind, now, was);
            (slot == named.rule.pupil ? named.name : named.otherName) = now;
        }
        if (gone)
            continue;
        told << renames;
        after.append(named);
    }
    m_book.setRules(tab, after);
    return told;
}
