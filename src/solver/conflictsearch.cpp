// SPDX-License-Identifier: GPL-3.0-or-later
#include "conflictsearch.h"

#include "fillsearch.h"
#include "rulecheck.h"
#include "searchproblem.h"

#include <algorithm>

using Room::bit;

namespace {

// Plans remembered, the newest first; older ones rarely help again.
constexpr int KeptPlans = 64;

} // namespace

// Elements are numbered: the rules first (by index), then the seated pupils,
// then the marked desks.
ConflictSearch::ConflictSearch(const FillProblem &problem, quint32 culprits,
                               QRandomGenerator &random)
    : m_problem(problem)
    , m_random(random)
    , m_rules(int(problem.rules.size()))
{
    QList<int> suspects; // pupils
    for (int v = 0; v < problem.freePupils.size(); ++v) {
        if (culprits & (1u << v))
            suspects.append(problem.freePupils[v]);
    }
    for (int i = 0; i < m_rules; ++i) {
        const SeatingRule &rule = problem.rules[i];
        if (!isFillsToKeep(problem, rule))
            continue;
        const bool amongSuspects = suspects.contains(rule.pupil) &&
                                   (!rule.hasTwoPupils() || suspects.contains(rule.value) ||
                                    !problem.freePupils.contains(rule.value));
        m_tiers[amongSuspects ? 0 : 2].append(i);
    }
    for (int i = 0; i < problem.seated.size(); ++i)
        m_tiers[1].append(m_rules + i);
    const int firstDesk = m_rules + int(problem.seated.size());
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (problem.marked & bit(desk))
            m_tiers[1].append(firstDesk + desk);
    }
}

std::optional<Conflict> ConflictSearch::find(const Deadline &deadline, const Deadline &improveUntil,
                                             int runs)
{
    std::optional<Elements> best = quickXplain(m_tiers[0] + m_tiers[1] + m_tiers[2], deadline);
    if (!best)
        return std::nullopt;
    // No single rule or circumstance is impossible alone, so two is the least.
    for (int run = 0; run < runs && best->size() > 2 && !improveUntil.passed(); ++run) {
        const std::optional<Elements> other = quickXplain(order(run % 2 == 0), improveUntil);
        if (!other)
            break;
        if (other->size() < best->size())
            best = other;
    }
    return conflictOf(*best);
}

// The tiers in their order, each shuffled; or all shuffled together, as a
// conflict elsewhere may be smaller.
ConflictSearch::Elements ConflictSearch::order(bool tiered)
{
    Elements elements;
    for (Elements tier : m_tiers) {
        std::shuffle(tier.begin(), tier.end(), m_random);
        elements += tier;
    }
    if (!tiered)
        std::shuffle(elements.begin(), elements.end(), m_random);
    return elements;
}

std::optional<ConflictSearch::Elements> ConflictSearch::quickXplain(const Elements &candidates,
                                                                    const Deadline &deadline)
{
    m_deadline = &deadline;
    m_outOfTime = false;
    Elements found = split({}, false, candidates);
    if (m_outOfTime)
        return std::nullopt;
    std::sort(found.begin(), found.end());
    return found;
}

// The part of `candidates` that, with `background`, has no plan, found
// half by half; `added` says whether the background grew since the last look.
ConflictSearch::Elements ConflictSearch::split(const Elements &background, bool added,
                                               const Elements &candidates)
{
    if (m_outOfTime || (added && !hasPlan(background)))
        return {};
    if (candidates.size() == 1)
        return candidates;
    const Elements first = candidates.mid(0, candidates.size() / 2);
    const Elements second = candidates.mid(candidates.size() / 2);
    const Elements fromSecond = split(background + first, true, second);
    const Elements fromFirst = split(background + fromSecond, !fromSecond.isEmpty(), first);
    return fromFirst + fromSecond;
}

bool ConflictSearch::hasPlan(const Elements &elements)
{
    const FillProblem problem = restrictedTo(m_problem, conflictOf(elements));
    if (knownPlanKeeps(problem))
        return true;
    const SearchProblem searchProblem(problem);
    FillSearch search(searchProblem, m_random, *m_deadline);
    ++m_searches;
    switch (search.run()) {
    case FillSearch::Answer::Found: {
        std::array<int, Room::Desks> plan;
        plan.fill(-1);
        for (int v = 0; v < searchProblem.variables; ++v)
            plan[problem.freePupils[v]] = search.deskOf()[v];
        m_plans.prepend(plan);
        if (m_plans.size() > KeptPlans)
            m_plans.removeLast();
        return true;
    }
    case FillSearch::Answer::None:
        return false;
    case FillSearch::Answer::OutOfTime:
        m_outOfTime = true;
        return true;
    }
    return true;
}

// Whether a plan found before keeps the rules and circumstances of the
// problem.
bool ConflictSearch::knownPlanKeeps(const FillProblem &problem) const
{
    for (const std::array<int, Room::Desks> &plan : m_plans) {
        std::array<int, Room::Desks> deskOf = plan;
        Room::DeskSet taken = 0;
        for (int pupil : problem.freePupils)
            taken |= bit(plan[pupil]);
        bool keeps = (taken & problem.marked) == 0;
        for (const Placement &placement : problem.seated) {
            keeps = keeps && !(taken & bit(placement.desk));
            deskOf[placement.pupil] = placement.desk;
        }
        for (int i = 0; keeps && i < problem.rules.size(); ++i)
            keeps = RuleCheck::holds(problem.rules[i], deskOf);
        if (keeps)
            return true;
    }
    return false;
}

Conflict ConflictSearch::conflictOf(const Elements &elements) const
{
    Conflict conflict;
    const int firstDesk = m_rules + int(m_problem.seated.size());
    for (int element : elements) {
        if (element < m_rules)
            conflict.rules.append(element);
        else if (element < firstDesk)
            conflict.seated.append(element - m_rules);
        else
            conflict.markedDesks.append(element - firstDesk);
    }
    return conflict;
}
