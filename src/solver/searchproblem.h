// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QList>

#include <array>

// Two free pupils bound by a rule, as the search sees them.
struct Link
{
    enum class Kind { Apart, Mates, NotMates };
    Kind kind = Kind::Apart;
    int a = 0;
    int b = 0;
    int other(int variable) const { return variable == a ? b : a; }
};

// The fill reduced to what the search works on: one variable per free pupil
// (in the order of FillProblem::freePupils), its possible desks, and the rules
// between free pupils. Rules with a pupil seated by hand become limits on the
// other pupil's desks; rules among pupils seated by hand, or naming a pupil
// who is neither seated nor free, drop out.
struct SearchProblem
{
    explicit SearchProblem(const FillProblem &problem);

    int variables = 0;
    Room::DeskSet desks = 0; // neither marked nor taken
    std::array<Room::DeskSet, Room::Desks> domains{};
    QList<Link> links;
    std::array<QList<int>, Room::Desks> linksOf; // indexes into links
    // Groups of three or more free pupils who must all sit apart from each
    // other (the largest such groups), as sets of variables.
    QList<quint32> apartGroups;
    // Pupils no rule tells apart (same desks, same rules with every other
    // pupil) are interchangeable: any plan stays a plan with them swapped.
    // The search seats each such set in the order of its desks, and the
    // plan found is shuffled among them. −1: none before or after.
    std::array<int, Room::Desks> seatedBefore{};
    std::array<int, Room::Desks> seatedAfter{};
    QList<QList<int>> interchangeable; // sets of two or more

    bool fits(int variable, const std::array<int, Room::Desks> &deskOf) const;

private:
    void addRule(const SeatingRule &rule, const std::array<int, Room::Desks> &variableOf,
                 const std::array<int, Room::Desks> &seatedDesk);
    void findApartGroups();
    void noTwoDeskMates();
    void findInterchangeable();
};

// Whether a rule is the fill's to keep: it names at least one free pupil, and
// each pupil it names is free or seated.
bool isFillsToKeep(const FillProblem &problem, const SeatingRule &rule);
