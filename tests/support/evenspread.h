// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>

#include <cmath>

// Whether draws fell evenly over `outcomes` equally likely outcomes, counted
// in counts: every outcome drawn, and chi-square within the 99.9th
// percentile of an even spread (Wilson–Hilferty). Else why not, in why.
template <typename Outcome>
bool evenSpread(const QHash<Outcome, int> &counts, int outcomes, int draws, QString *why)
{
    if (counts.size() != outcomes) {
        *why = QStringLiteral("%1 of %2 outcomes drawn").arg(counts.size()).arg(outcomes);
        return false;
    }
    const double expected = double(draws) / double(outcomes);
    double chiSquare = 0;
    for (int count : counts)
        chiSquare += (count - expected) * (count - expected) / expected;
    const double df = double(outcomes - 1);
    const double z = 3.09;
    const double bound = df * std::pow(1 - 2 / (9 * df) + z * std::sqrt(2 / (9 * df)), 3);
    *why = QStringLiteral("chi-square %1, bound %2").arg(chiSquare).arg(bound);
    return chiSquare < bound;
}
