// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingproblem.h"

FillProblem restrictedTo(const FillProblem &problem, const Conflict &conflict)
{
    FillProblem restricted;
    restricted.freePupils = problem.freePupils;
    for (int index : conflict.rules)
        restricted.rules.append(problem.rules[index]);
    for (int index : conflict.seated)
        restricted.seated.append(problem.seated[index]);
    for (int desk : conflict.markedDesks)
        restricted.marked |= Room::bit(desk);
    return restricted;
}
