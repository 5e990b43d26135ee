// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "room.h"

#include <QList>

// A pupil is their name slot, 0–29, wherever their name goes.
struct SeatingRule
{
    enum class Kind {
        Separati,    // pupil and other never at neighbouring desks
        Compagni,    // pupil and other at the two desks of one pair
        Davanti,     // pupil in one of the first `rows` rows
        BancoFisso,  // pupil at `desk`
        MaiCompagni, // pupil and other not at one pair again (new desk-mates)
    };
    static constexpr int DefaultRows = 2;
    static constexpr int MaxRows = Room::Rows - 1;

    Kind kind = Kind::Separati;
    int pupil = 0;
    // The second pupil, the rows or the desk, as the kind says.
    int value = 0;

    static SeatingRule separati(int a, int b) { return {Kind::Separati, a, b}; }
    static SeatingRule compagni(int a, int b) { return {Kind::Compagni, a, b}; }
    static SeatingRule davanti(int pupil, int rows = DefaultRows)
    {
        return {Kind::Davanti, pupil, rows};
    }
    static SeatingRule bancoFisso(int pupil, int desk) { return {Kind::BancoFisso, pupil, desk}; }
    static SeatingRule maiCompagni(int a, int b) { return {Kind::MaiCompagni, a, b}; }

    bool hasTwoPupils() const { return kind != Kind::Davanti && kind != Kind::BancoFisso; }
    bool involves(int who) const { return pupil == who || (hasTwoPupils() && value == who); }
    bool operator==(const SeatingRule &other) const
    {
        return kind == other.kind && pupil == other.pupil && value == other.value;
    }
};

struct Placement
{
    int pupil = 0;
    int desk = 0;
    bool operator==(const Placement &other) const
    {
        return pupil == other.pupil && desk == other.desk;
    }
};

// What the fill finds on screen and must keep, and whom it seats. Every pupil
// appears at most once, as seated or as free; free pupils are no more than
// the desks neither marked nor taken. Rules naming a pupil who is neither
// (a blank slot) hold by themselves.
struct FillProblem
{
    Room::DeskSet marked = 0; // desks not to be assigned
    QList<Placement> seated;  // pupils seated by hand, who stay
    QList<int> freePupils;    // pupils the fill seats
    QList<SeatingRule> rules;
};

// The smallest set found of rules and circumstances that cannot hold together:
// indexes into FillProblem::rules and ::seated, and marked desks.
struct Conflict
{
    QList<int> rules;
    QList<int> seated;
    QList<int> markedDesks;
    int size() const { return int(rules.size() + seated.size() + markedDesks.size()); }
};

struct FillResult
{
    enum class Outcome { Plan, Impossible, OutOfTime };
    Outcome outcome = Outcome::OutOfTime;
    QList<Placement> plan; // with Plan: where each free pupil sits
    Conflict conflict;     // with Impossible
};

// The fill with only the rules and circumstances of the conflict: the other
// rules, seated pupils and marked desks are left out (a pupil seated by hand
// left out is not in the room).
FillProblem restrictedTo(const FillProblem &problem, const Conflict &conflict);
