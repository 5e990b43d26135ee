// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plan.h"
#include "seatingproblem.h"

#include <QRandomGenerator>

#include <chrono>
#include <utility>

// Pupils who shared a pair of desks: the lower slot first.
using PupilPair = std::pair<int, int>;

struct ReseatProblem
{
    // The marked desks, the pupils with a fixed desk (who stay), the pupils
    // to reseat and the class's rules.
    FillProblem fill;
    QList<Plan> history; // newest last
};

struct ReseatResult
{
    enum class Outcome { Plan, Impossible };
    // Impossible: the rules and circumstances alone have no plan (or none was
    // found in time); the fill with rules says why.
    Outcome outcome = Outcome::Impossible;
    QList<Placement> plan; // where each pupil to reseat sits
    // How many of the newest plans nobody shares a pair with a desk-mate of,
    // and the date of the oldest of them.
    int reach = 0;
    QDate since;
    // With reach 0 and a history: the last plan's pairs seated together again.
    QList<PupilPair> repeated;
    // The plan is the best found within the limit, or a search whether one
    // more plan back could be reached ran out of its time: the reach may not
    // be the furthest.
    bool outOfTime = false;
};

// "Nuovi compagni di banco": reseats the pupils so that nobody sits at a pair
// with someone they shared a pair with, over as many of the newest plans as
// possible. Among the plans that reach furthest back it prefers the fewest
// repeated pairs, then the fewest pupils at their desk of the last plan, then
// the fewest pupils alone at a pair twice in a row; then any, at random.
// Two pupils who both stay at a fixed desk, or whom a rule makes desk-mates,
// are the teacher's choice and are not counted.
class Reseating
{
public:
    explicit Reseating(QRandomGenerator &random);
    void setLimit(std::chrono::milliseconds limit) { m_limit = limit; }
    // Steps of the search among equally far-reaching plans, per pupil.
    void setStepsPerPupil(int steps) { m_stepsPerPupil = steps; }

    ReseatResult run(const ReseatProblem &problem);

private:
    QRandomGenerator &m_random;
    std::chrono::milliseconds m_limit{1000};
    int m_stepsPerPupil = 100;
};
