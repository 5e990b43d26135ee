// SPDX-License-Identifier: GPL-3.0-or-later
#include "reseating.h"

#include "deadline.h"
#include "deskmatching.h"
#include "rulecheck.h"
#include "searchproblem.h"
#include "seatingsolver.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

namespace {

using Mates = DeskMates;

quint32 bitOf(int pupil)
{
    return quint32(1) << pupil;
}

struct Seating
{
    std::array<int, Room::Desks> pupilAt; // Plan::Blank for none
    RuleCheck::DeskOfPupil deskOf;        // −1 for not seated
};

// In the order the plans are preferred: fewer is better, the first first.
struct Cost
{
    int repeats = 0;
    int sameDesk = 0;
    int aloneTwice = 0;
    bool operator<=(const Cost &other) const
    {
        return std::tie(repeats, sameDesk, aloneTwice) <=
               std::tie(other.repeats, other.sameDesk, other.aloneTwice);
    }
};

class ReseatSearch
{
public:
    ReseatSearch(const ReseatProblem &problem, QRandomGenerator &random, const Deadline &deadline,
                 int stepsPerPupil)
        : m_problem(problem)
        , m_random(random)
        , m_deadline(deadline)
        , m_stepsPerPupil(stepsPerPupil)
    {
        for (const Placement &placement : problem.fill.seated)
            m_staying |= bitOf(placement.pupil);
        for (int pupil : problem.fill.freePupils)
            m_moving |= bitOf(pupil);
        m_area = Room::AllDesks & ~problem.fill.marked;
        for (const Placement &placement : problem.fill.seated)
            m_area &= ~Room::bit(placement.desk);
        for (int desk = 0; desk < Room::Desks; ++desk) {
            if (m_area & Room::bit(desk))
                m_areaDesks.append(desk);
            if (desk % 2 == 0 && (m_area & Room::bit(desk)) && (m_area & Room::bit(desk + 1)))
                m_areaPairs.append(desk);
        }
        for (const SeatingRule &rule : problem.fill.rules) {
            if (!isFillsToKeep(problem.fill, rule))
                continue;
            m_rulesOf[rule.pupil].append(int(m_rules.size()));
            m_rules.append(rule);
            if (!rule.hasTwoPupils())
                continue;
            m_rulesOf[rule.value].append(int(m_rules.size()) - 1);
            Mates &mates = rule.kind == SeatingRule::Kind::Compagni ? m_bound : m_forbidden;
            mates[rule.pupil] |= bitOf(rule.value);
            mates[rule.value] |= bitOf(rule.pupil);
        }
        // A pupil sits alone only at a desk beside a marked one or at a pair
        // with no one else: each pair of the area holds at most one alone.
        Room::DeskSet stayingDesks = 0;
        for (const Placement &placement : problem.fill.seated) {
            stayingDesks |= Room::bit(placement.desk);
            m_stayingDesk[placement.pupil] = placement.desk;
        }
        const Room::DeskSet besideMarked =
            m_area & ~Room::mates(m_area) & ~Room::mates(stayingDesks);
        m_pairsNeeded = int(problem.fill.freePupils.size()) - qPopulationCount(besideMarked) -
                        int(m_areaPairs.size());
        m_lastDeskOf.fill(-1);
        if (!problem.history.isEmpty()) {
            const Plan &last = problem.history.last();
            addDeskMates(last, m_lastMates);
            for (int desk = 0; desk < Room::Desks; ++desk) {
                if (last.pupilAt[desk] >= 0)
                    m_lastDeskOf[last.pupilAt[desk]] = desk;
            }
        }
    }

    ReseatResult run();

private:
    // Within `budget` at most, when given: a plan the search may do without.
    std::optional<Seating>
    solve(const Mates &never, std::chrono::milliseconds budget = std::chrono::milliseconds::max());
    bool counts(int a, int b) const;
    void improve(Seating &seating, const Mates &never, int steps);
    bool move(Seating &seating);
    bool swapAtRandom(Seating &seating);
    void scatter(Seating &seating, const Mates &never, int steps);
    template <typename Take> void walk(Seating &seating, const Mates &never, int steps, Take take);
    void improveFromSeveral(Seating &seating, const Mates &never);
    bool keeps(const Seating &seating, const Mates &never) const;
    bool stillKeeps(const Seating &before, const Seating &after, const Mates &never) const;
    bool mayKeepApart(const Mates &never) const;
    int furthestPaired(const std::vector<Mates> &never) const;
    std::optional<Seating> reaching(const Mates &never);
    int reachOf(const Seating &seating, const std::vector<Mates> &never) const;
    Cost cost(const Seating &seating) const;
    QList<PupilPair> repeatedPairs(const Seating &seating) const;

    const ReseatProblem &m_problem;
    QRandomGenerator &m_random;
    const Deadline &m_deadline;
    quint32 m_staying = 0;
    quint32 m_moving = 0;
    std::array<int, Room::Desks> m_stayingDesk{};
    Mates m_bound{};     // desk-mates by a rule
    Mates m_forbidden{}; // never desk-mates by a rule
    // The pairs a plan must form, of two pupils or of a pupil and one who
    // stays: all the pupils to reseat but those the room lets sit alone.
    int m_pairsNeeded = 0;
    Room::DeskSet m_area = 0; // the desks of the pupils to reseat
    QList<int> m_areaDesks;
    QList<int> m_areaPairs; // their whole pairs, by the first desk
    QList<SeatingRule> m_rules;
    std::array<QList<int>, Room::Desks> m_rulesOf; // indexes into m_rules
    Mates m_lastMates{};
    std::array<int, Room::Desks> m_lastDeskOf{};
    int m_stepsPerPupil = 0;
    bool m_outOfTime = false;
    bool m_unproven = false;      // the last reaching() ended with no proof
    bool m_lastOutOfTime = false; // the last search ran out of its time
};

// Whether sharing a pair counts: not when both pupils stay at a fixed desk or
// a rule makes them desk-mates (the teacher's choice, every time), nor when
// either has left the class.
bool ReseatSearch::counts(int a, int b) const
{
    const quint32 both = bitOf(a) | bitOf(b);
    const quint32 inClass = m_staying | m_moving;
    return (both & inClass) == both && (both & m_moving) != 0 && !(m_bound[a] & bitOf(b));
}

std::optional<Seating> ReseatSearch::solve(const Mates &never, std::chrono::milliseconds budget)
{
    const auto left = std::min(budget, std::chrono::duration_cast<std::chrono::milliseconds>(
                                           m_deadline.end() - Deadline::Clock::now()));
    m_lastOutOfTime = left.count() <= 0;
    if (m_lastOutOfTime) {
        m_outOfTime = true;
        return std::nullopt;
    }
    FillProblem fill = m_problem.fill;
    for (int a = 0; a < Room::Desks; ++a) {
        for (int b = a + 1; b < Room::Desks; ++b) {
            if ((never[a] & bitOf(b)) && counts(a, b))
                fill.rules.append(SeatingRule::maiCompagni(a, b));
        }
    }
    SeatingSolver solver(m_random);
    SeatingSolver::Limits limits;
    limits.total = left;
    // The walks of improveFromSeveral even out the plan found.
    limits.walkStepsPerPupil = 0;
    solver.setLimits(limits);
    const FillResult result = solver.fill(fill, SeatingSolver::Explain::No);
    m_lastOutOfTime = result.outcome == FillResult::Outcome::OutOfTime;
    if (result.outcome == FillResult::Outcome::OutOfTime && left < budget)
        m_outOfTime = true;
    if (result.outcome != FillResult::Outcome::Plan)
        return std::nullopt;
    Seating seating;
    seating.pupilAt.fill(Plan::Blank);
    seating.deskOf.fill(-1);
    for (const QList<Placement> &placements : {m_problem.fill.seated, result.plan}) {
        for (const Placement &placement : placements) {
            seating.pupilAt[placement.desk] = placement.pupil;
            seating.deskOf[placement.pupil] = placement.desk;
        }
    }
    return seating;
}

bool ReseatSearch::keeps(const Seating &seating, const Mates &never) const
{
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        const int a = seating.pupilAt[desk];
        const int b = seating.pupilAt[desk + 1];
        if (a >= 0 && b >= 0 && (never[a] & bitOf(b)) && counts(a, b))
            return false;
    }
    return std::all_of(m_rules.begin(), m_rules.end(), [&](const SeatingRule &rule) {
        return RuleCheck::holds(rule, seating.deskOf);
    });
}

// Whether a step from a seating that keeps the rules and `never` keeps them:
// only the pairs and the rules of the pupils it moved are looked at.
bool ReseatSearch::stillKeeps(const Seating &before, const Seating &after, const Mates &never) const
{
    quint32 moved = 0;
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        if (after.pupilAt[desk] == before.pupilAt[desk] &&
            after.pupilAt[desk + 1] == before.pupilAt[desk + 1])
            continue;
        const int a = after.pupilAt[desk];
        const int b = after.pupilAt[desk + 1];
        if (a >= 0 && b >= 0 && (never[a] & bitOf(b)) && counts(a, b))
            return false;
        for (int pupil : {a, b}) {
            if (pupil >= 0 && before.deskOf[pupil] != after.deskOf[pupil])
                moved |= bitOf(pupil);
        }
    }
    for (; moved != 0; moved &= moved - 1) {
        for (int index : m_rulesOf[qCountTrailingZeroBits(moved)]) {
            if (!RuleCheck::holds(m_rules[index], after.deskOf))
                return false;
        }
    }
    return true;
}

// The most of the newest plans whose desk-mates the seating keeps apart.
int ReseatSearch::reachOf(const Seating &seating, const std::vector<Mates> &never) const
{
    int reach = 0;
    while (reach + 1 < int(never.size()) && keeps(seating, never[reach + 1]))
        ++reach;
    return reach;
}

Cost ReseatSearch::cost(const Seating &seating) const
{
    Cost cost;
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        const int a = seating.pupilAt[desk];
        const int b = seating.pupilAt[desk + 1];
        cost.repeats += a >= 0 && b >= 0 && (m_lastMates[a] & bitOf(b)) && counts(a, b);
    }
    for (int desk = 0; desk < Room::Desks; ++desk) {
        const int pupil = seating.pupilAt[desk];
        if (pupil < 0) // a pupil staying counts too: who sits beside them moves
            continue;
        const int lastDesk = m_lastDeskOf[pupil];
        if (lastDesk == desk)
            ++cost.sameDesk;
        const bool aloneBefore = lastDesk >= 0 && m_problem.history.last().mateOf(lastDesk) < 0;
        if (aloneBefore && seating.pupilAt[Room::mate(desk)] < 0)
            ++cost.aloneTwice;
    }
    return cost;
}

QList<PupilPair> ReseatSearch::repeatedPairs(const Seating &seating) const
{
    QList<PupilPair> pairs;
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        const int a = std::min(seating.pupilAt[desk], seating.pupilAt[desk + 1]);
        const int b = std::max(seating.pupilAt[desk], seating.pupilAt[desk + 1]);
        if (a >= 0 && (m_lastMates[a] & bitOf(b)) && counts(a, b))
            pairs.append({a, b});
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// One random step: one to three swaps at once, each a pupil to a random desk
// of the area (swapping with whoever sits there) or the pupils of two whole
// pairs exchanged, so that desk-mates bound by a rule can move together and
// a plan is reached past plans that break the rules.
bool ReseatSearch::move(Seating &seating)
{
    const int swaps = 1 + int(m_random.bounded(3));
    for (int i = 0; i < swaps; ++i) {
        if (!swapAtRandom(seating))
            return false;
    }
    return true;
}

bool ReseatSearch::swapAtRandom(Seating &seating)
{
    auto place = [&](int desk, int pupil) {
        seating.pupilAt[desk] = pupil;
        if (pupil >= 0)
            seating.deskOf[pupil] = desk;
    };
    auto swapDesks = [&](int a, int b) {
        const int first = seating.pupilAt[a];
        place(a, seating.pupilAt[b]);
        place(b, first);
    };
    const QList<int> &areaDesks = m_areaDesks;
    const QList<int> &areaPairs = m_areaPairs;
    if (areaDesks.size() < 2)
        return false;
    if (areaPairs.size() >= 2 && m_random.bounded(2) == 0) {
        const int first = areaPairs[m_random.bounded(int(areaPairs.size()))];
        const int second = areaPairs[m_random.bounded(int(areaPairs.size()))];
        const int flip = int(m_random.bounded(2));
        swapDesks(first, second + flip);
        swapDesks(first + 1, second + 1 - flip);
        return true;
    }
    const int a = areaDesks[m_random.bounded(int(areaDesks.size()))];
    const int b = areaDesks[m_random.bounded(int(areaDesks.size()))];
    swapDesks(a, b);
    return true;
}

// Walks steps from seating, a pupil or a pair moved at each (move()): a plan
// that keeps the rules and `never` is offered to take(tried, step), and the
// walk goes on from it when take says so. It stops when time or moves run out.
template <typename Take>
void ReseatSearch::walk(Seating &seating, const Mates &never, int steps, Take take)
{
    for (int step = 0; step < steps; ++step) {
        if (step % 64 == 0 && m_deadline.passed())
            break;
        Seating tried = seating;
        if (!move(tried))
            break;
        if (stillKeeps(seating, tried, never) && take(tried, step))
            seating = tried;
    }
}

// Walks among the plans that keep the rules and `never`. In its first half
// it takes, now and then, a step that makes the plan worse, to get out of
// plans every better one is several steps away from; otherwise only steps
// that leave the plan no worse. It ends on the best plan it met, drawn at
// random among equally good ones.
void ReseatSearch::improve(Seating &seating, const Mates &never, int steps)
{
    Cost current = cost(seating);
    Seating best = seating;
    Cost bestCost = current;
    walk(seating, never, steps, [&](const Seating &tried, int step) {
        const Cost triedCost = cost(tried);
        const bool wander = step < steps / 2 && m_random.bounded(8) == 0;
        if (!(triedCost <= current) && !wander)
            return false;
        current = triedCost;
        if (current <= bestCost) {
            best = tried;
            bestCost = current;
        }
        return true;
    });
    seating = best;
}

// Walks at random among the plans that keep the rules and `never`, however
// good: a start for the walk above as far from the plan given as a search
// of its own would give, at a small part of its cost near the furthest reach.
void ReseatSearch::scatter(Seating &seating, const Mates &never, int steps)
{
    walk(seating, never, steps, [](const Seating &, int) { return true; });
}

// The walk can stop where every better plan is several steps away: it starts
// again from further plans, each scattered from the first, and the best end
// is kept.
void ReseatSearch::improveFromSeveral(Seating &seating, const Mates &never)
{
    constexpr int Starts = 4;
    // Small rooms, where most steps break a rule, get a few thousand at least.
    constexpr int LeastSteps = 3000;
    const int steps = std::max(LeastSteps, m_stepsPerPupil * int(m_problem.fill.freePupils.size()));
    const Seating first = seating;
    improve(seating, never, steps);
    for (int start = 1; start < Starts && !m_deadline.passed(); ++start) {
        Seating other = first;
        scatter(other, never, steps);
        improve(other, never, steps);
        if (!(cost(seating) <= cost(other)))
            seating = other;
    }
}

// Whether the pupils can be paired off as a plan keeping `never` must pair
// them: false proves that no plan does.
bool ReseatSearch::mayKeepApart(const Mates &never) const
{
    if (m_pairsNeeded <= 0)
        return true;
    const quint32 inClass = m_staying | m_moving;
    Mates mayPair{};
    for (int a = 0; a < Room::Desks; ++a) {
        if (!(m_moving & bitOf(a)))
            continue;
        for (int b = 0; b < Room::Desks; ++b) {
            if (b == a || !(inClass & bitOf(b)) || (m_forbidden[a] & bitOf(b)) ||
                ((never[a] & bitOf(b)) && counts(a, b)) ||
                (m_bound[a] && !(m_bound[a] & bitOf(b))) ||
                (m_bound[b] && !(m_bound[b] & bitOf(a))))
                continue;
            // One who stays pairs only with the desk beside theirs.
            if ((m_staying & bitOf(b)) && !(m_area & Room::bit(Room::mate(m_stayingDesk[b]))))
                continue;
            mayPair[a] |= bitOf(b);
            mayPair[b] |= bitOf(a);
        }
    }
    return mostPairs(mayPair) >= m_pairsNeeded;
}

// The most of the newest plans the pupils can be paired off for.
int ReseatSearch::furthestPaired(const std::vector<Mates> &never) const
{
    int lo = 0;
    int hi = int(never.size()) - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (mayKeepApart(never[mid]))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// A plan keeping `never`, by the complete search. Near the furthest reach its
// time to find a plan varies widely from one random order to another: short
// runs, two of each length and each length twice the last, find one sooner
// than one long run would. Nothing, with m_unproven, when the last ran out
// of its time.
std::optional<Seating> ReseatSearch::reaching(const Mates &never)
{
    constexpr std::chrono::milliseconds FirstBudget{2};
    constexpr int Runs = 10;
    m_unproven = false;
    for (int run = 0; run < Runs; ++run) {
        const auto budget = FirstBudget * (1 << (run / 2));
        if (auto found = solve(never, budget))
            return found;
        if (!m_lastOutOfTime)
            return std::nullopt; // proven: no plan
    }
    m_unproven = true;
    return std::nullopt;
}

ReseatResult ReseatSearch::run()
{
    ReseatResult result;
    const QList<Plan> &history = m_problem.history;
    const int plans = int(history.size());
    // never[k]: the desk-mates of the newest k plans.
    std::vector<Mates> never(size_t(plans) + 1, Mates{});
    for (int k = 1; k <= plans; ++k) {
        never[k] = never[k - 1];
        addDeskMates(history[plans - k], never[k]);
    }
    // A plan keeping the newest k plans keeps every fewer. From the plain
    // fill's plan, the reach grows by steps doubling while plans are found,
    // then halves between what was found and what was not. No plan reaches
    // further than the pupils can be paired off: proven in a moment, where
    // the complete search would take long.
    std::optional<Seating> best = solve(never[0]);
    if (!best) {
        result.outOfTime = m_outOfTime;
        return result;
    }
    int reach = reachOf(*best, never);
    int provenNone = furthestPaired(never) + 1; // the fewest plans proven out of reach
    int cap = provenNone - 1;                   // the most not yet ruled out
    int step = 1;
    bool halving = false;
    while (reach < cap && !m_deadline.passed()) {
        const int k = halving ? reach + (cap - reach + 1) / 2 : std::min(cap, reach + step);
        if (auto found = reaching(never[k])) {
            best = found;
            reach = std::max(k, reachOf(*best, never));
            step *= 2;
        } else {
            cap = k - 1;
            if (!m_unproven)
                provenNone = k;
            halving = true;
        }
    }
    // The reach is the furthest when one more is proven out of reach.
    const bool doubtful = reach + 1 < provenNone;
    Mates kept = never[reach];
    if (reach == 0 && plans > 0) {
        // Even the last plan cannot be kept: keep as many of its pairs apart
        // as can be, one at a time in random order.
        QList<PupilPair> pairs;
        for (int a = 0; a < Room::Desks; ++a) {
            for (int b = a + 1; b < Room::Desks; ++b) {
                if ((m_lastMates[a] & bitOf(b)) && counts(a, b))
                    pairs.append({a, b});
            }
        }
        std::shuffle(pairs.begin(), pairs.end(), m_random);
        for (const PupilPair &pair : pairs) {
            Mates tried = kept;
            tried[pair.first] |= bitOf(pair.second);
            tried[pair.second] |= bitOf(pair.first);
            if (keeps(*best, tried)) {
                kept = tried;
            } else if (auto found = reaching(tried)) {
                best = found;
                kept = tried;
            } else if (m_unproven) {
                m_outOfTime = true; // the pair might have been kept apart
            }
        }
        kept = Mates{}; // the walk may trade one repeated pair for another
    }
    improveFromSeveral(*best, kept);
    result.outcome = ReseatResult::Outcome::Plan;
    result.reach = reach;
    if (reach > 0)
        result.since = history[plans - reach].date;
    result.repeated = repeatedPairs(*best);
    for (int pupil : m_problem.fill.freePupils)
        result.plan.append({pupil, best->deskOf[pupil]});
    result.outOfTime = m_outOfTime || doubtful;
    return result;
}

} // namespace

Reseating::Reseating(QRandomGenerator &random)
    : m_random(random)
{}

ReseatResult Reseating::run(const ReseatProblem &problem)
{
    const Deadline deadline(std::chrono::duration_cast<std::chrono::microseconds>(m_limit));
    ReseatSearch search(problem, m_random, deadline, m_stepsPerPupil);
    return search.run();
}
