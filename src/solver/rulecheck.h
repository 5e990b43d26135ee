// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QList>

#include <array>

// Which rules a seating keeps: the fill's own check, and the marks the screen
// puts on the desks of a rule broken by hand.
namespace RuleCheck {

// The desk of each pupil (slot), −1 when not seated.
using DeskOfPupil = std::array<int, Room::Desks>;

// pupilAtDesk holds the slot at each desk, −1 for none (blank or marked). A
// pupil at two desks, as while seating by hand, counts at the first.
DeskOfPupil deskOfPupil(const QList<int> &pupilAtDesk);

// A rule naming a pupil who is not seated is not broken (yet).
bool holds(const SeatingRule &rule, const DeskOfPupil &deskOf);

// The indexes of the rules the seating breaks.
QList<int> broken(const QList<SeatingRule> &rules, const QList<int> &pupilAtDesk);

} // namespace RuleCheck
