// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "searchproblem.h"

#include <QRandomGenerator>

#include <array>

// Evens out the spread of the plans a search hands out: a random walk from
// the plan found through the plans that keep every rule. Each step proposes,
// with equal odds, moving a pupil to a random desk (swapping with whoever
// sits there) or exchanging the pupils of two random pairs of desks (keeping
// desk-mates together), and takes it when every rule still holds. Each
// proposal is as likely as the one that undoes it, so the walk tends to the
// even spread over all the plans it can reach from where it starts.
void walkPlans(const SearchProblem &problem, std::array<int, Room::Desks> &deskOf,
               QRandomGenerator &random, int steps);
