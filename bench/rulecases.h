// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

// What the benchmarks of the fill with rules and of the reseating share: the
// seeded classes of 30 with their rules, and the figures of their times.

constexpr int RulesPerCase = 60;

class CaseMaker
{
public:
    explicit CaseMaker(quint32 seed)
        : m_random(seed)
    {}

    int draw(int bound) { return int(m_random.bounded(quint32(bound))); }

    // A class of 30 with `marked` desks not assigned and `seated` pupils
    // already at a desk; the others are free.
    FillProblem room(int marked, int seated);
    QList<int> shuffled(int count);

    // Random rules up to RulesPerCase, of the kinds teachers set: mostly
    // pupils apart, some desk-mates (each pupil with one at most), some in
    // front, a few fixed desks on free desks for pupils with no other rule.
    void fill(FillProblem &problem, bool inFront = true);

private:
    bool acceptable(const FillProblem &problem, const SeatingRule &rule) const;

    QRandomGenerator m_random;
};

// The value below which `fraction` of the values lie (1: the largest).
double percentile(QList<double> values, double fraction);
// The machine's load average over 1, 5 and 15 minutes, as the figures' context.
QString loadAverage();
