// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "room.h"

namespace Room {

// How many pupils the desks of the set can keep apart, none at a neighbour of
// another: the largest set of pairwise non-neighbouring desks in it. The empty
// room keeps 9 apart (every other column of every other row).
int mostApart(DeskSet desks);

// The desks of the set that belong to some set of `size` desks in it, none a
// neighbour of another: the only desks a group of that many pupils who must
// all sit apart can use. Empty when there is no such set.
DeskSet desksOfApartSets(DeskSet desks, int size);

// Whether a group of `groupSize` pupils who must all sit apart, at desks of
// `groupDesks`, can leave `pairs` pairs whole within `pairDesks` for as many
// couples of desk-mates: a pupil of the group takes a pair's desk, and the
// pair with it.
bool apartLeavingPairs(DeskSet groupDesks, int groupSize, DeskSet pairDesks, int pairs);

} // namespace Room
