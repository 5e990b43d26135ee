// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deadline.h"
#include "seatingproblem.h"

#include <QRandomGenerator>

#include <array>
#include <optional>

// Finds, for a fill with no plan, a smallest set of its rules and
// circumstances that cannot hold together: minimal, in that leaving out any
// one of them makes a plan possible.
//
// QuickXplain: the candidates are split in halves, and a half is set aside
// whole when what is kept already has no plan, so a set of k among n is found
// with about 2k·log(n/k) searches rather than n. The result depends on the
// order of the candidates; further runs in other orders, while the time for
// them lasts, keep the smallest set found.
class ConflictSearch
{
public:
    // `culprits` are the free pupils (by their index in the problem's free
    // pupils) where the search for a plan found the conflict: the rules among
    // them are tried first.
    ConflictSearch(const FillProblem &problem, quint32 culprits, QRandomGenerator &random);

    // Nothing when the deadline passed first. At most `runs` further runs
    // look for a smaller conflict, until improveUntil.
    std::optional<Conflict> find(const Deadline &deadline, const Deadline &improveUntil, int runs);
    int searches() const { return m_searches; }

private:
    using Elements = QList<int>;

    std::optional<Elements> quickXplain(const Elements &candidates, const Deadline &deadline);
    Elements order(bool tiered);
    Elements split(const Elements &background, bool added, const Elements &candidates);
    bool hasPlan(const Elements &elements);
    bool knownPlanKeeps(const FillProblem &problem) const;
    Conflict conflictOf(const Elements &elements) const;

    const FillProblem &m_problem;
    QRandomGenerator &m_random;
    const Deadline *m_deadline = nullptr;
    // The rules among the culprits, the circumstances (seated pupils and
    // marked desks), the other rules to keep.
    std::array<Elements, 3> m_tiers;
    int m_rules = 0;
    // Plans found for subsets: a plan for some elements holds for fewer.
    QList<std::array<int, Room::Desks>> m_plans;
    int m_searches = 0;
    bool m_outOfTime = false;
};
