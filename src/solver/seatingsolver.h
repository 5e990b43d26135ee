// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QRandomGenerator>

#include <chrono>

// The fill with rules: seats every free pupil so that every rule naming one
// of them holds, at random; or, when no plan exists, names a smallest set of
// rules and circumstances that cannot hold together. A class without rules
// keeps the plain draw of the fill, not this.
class SeatingSolver
{
public:
    struct Limits
    {
        // Past it the fill says it found no plan in time.
        std::chrono::milliseconds total{1000};
        // How long, and in how many more runs at most, to look for a smaller
        // conflict once one is found.
        std::chrono::milliseconds smallerConflict{40};
        int smallerConflictRuns = 16;
        // The steps of the walk that evens out the plans, per free pupil.
        int walkStepsPerPupil = 100;
    };

    enum class Explain { Yes, No };

    explicit SeatingSolver(QRandomGenerator &random);
    void setLimits(const Limits &limits);

    // With Explain::No an impossible fill comes back with an empty conflict.
    FillResult fill(const FillProblem &problem, Explain explain = Explain::Yes);

    // The searches the last fill ran (one, plus those of the conflict).
    int searches() const { return m_searches; }

private:
    QRandomGenerator &m_random;
    Limits m_limits;
    int m_searches = 0;
};
