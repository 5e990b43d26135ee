// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingsolver.h"

#include "conflictsearch.h"
#include "deadline.h"
#include "fillsearch.h"
#include "planwalk.h"
#include "searchproblem.h"

SeatingSolver::SeatingSolver(QRandomGenerator &random)
    : m_random(random)
{}

void SeatingSolver::setLimits(const Limits &limits)
{
    m_limits = limits;
}

FillResult SeatingSolver::fill(const FillProblem &problem, Explain explain)
{
    const Deadline deadline(m_limits.total);
    const SearchProblem searchProblem(problem);
    FillSearch search(searchProblem, m_random, deadline);
    m_searches = 1;
    FillResult result;
    switch (search.run()) {
    case FillSearch::Answer::Found: {
        std::array<int, Room::Desks> deskOf = search.deskOf();
        walkPlans(searchProblem, deskOf, m_random,
                  m_limits.walkStepsPerPupil * searchProblem.variables);
        result.outcome = FillResult::Outcome::Plan;
        for (int v = 0; v < searchProblem.variables; ++v)
            result.plan.append({problem.freePupils[v], deskOf[v]});
        return result;
    }
    case FillSearch::Answer::OutOfTime:
        return result;
    case FillSearch::Answer::None:
        break;
    }
    result.outcome = FillResult::Outcome::Impossible;
    if (explain == Explain::No)
        return result;
    ConflictSearch conflicts(problem, search.culprits(), m_random);
    const Deadline improveUntil(
        std::min(deadline.end(), Deadline::Clock::now() + m_limits.smallerConflict));
    const std::optional<Conflict> conflict =
        conflicts.find(deadline, improveUntil, m_limits.smallerConflictRuns);
    m_searches += conflicts.searches();
    if (!conflict)
        result.outcome = FillResult::Outcome::OutOfTime;
    else
        result.conflict = *conflict;
    return result;
}
