// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The room the rules speak of. Desk k (0–29, "banco k+1" to the teacher) is in
// bank k / 10, row (k % 10) / 2 and side k % 2, as in the window's table; row 0
// is nearest the teacher's desk. Seen from above the desks form a grid of 6
// columns (2 · bank + side) and 5 rows.
namespace Room {

constexpr int Desks = 30;
constexpr int Banks = 3;
constexpr int Rows = 5;
constexpr int Columns = 2 * Banks;

// A set of desks, bit k for desk k.
using DeskSet = quint32;
constexpr DeskSet AllDesks = (DeskSet(1) << Desks) - 1;

constexpr int bank(int desk)
{
    return desk / 10;
}
constexpr int row(int desk)
{
    return desk % 10 / 2;
}
constexpr int side(int desk)
{
    return desk % 2;
}
constexpr int column(int desk)
{
    return 2 * bank(desk) + side(desk);
}
constexpr int deskAt(int column, int row)
{
    return 10 * (column / 2) + 2 * row + column % 2;
}

constexpr DeskSet bit(int desk)
{
    return DeskSet(1) << desk;
}

// The other desk of the pair: the two desks of a bank's row. A bank starts at
// an even desk, so the pair's desks differ in the lowest bit only.
constexpr int mate(int desk)
{
    return desk ^ 1;
}
constexpr bool samePair(int a, int b)
{
    return a != b && mate(a) == b;
}

constexpr int distance(int a, int b)
{
    return a < b ? b - a : a - b;
}

// Desk-mate, in front, behind, diagonal and across the aisle.
constexpr bool neighbours(int a, int b)
{
    return a != b && distance(row(a), row(b)) <= 1 && distance(column(a), column(b)) <= 1;
}

constexpr DeskSet neighbourhood(int desk)
{
    DeskSet set = 0;
    for (int other = 0; other < Desks; ++other) {
        if (neighbours(desk, other))
            set |= bit(other);
    }
    return set;
}

// The desks whose mate is in the set.
constexpr DeskSet mates(DeskSet set)
{
    constexpr DeskSet even = 0x15555555; // desks 0, 2, 4 … 28
    return ((set & even) << 1) | ((set >> 1) & even);
}

// The desks of rows 0 … rows − 1.
constexpr DeskSet frontRows(int rows)
{
    DeskSet set = 0;
    for (int desk = 0; desk < Desks; ++desk) {
        if (row(desk) < rows)
            set |= bit(desk);
    }
    return set;
}

// The room seen in a mirror across its middle aisle: left and right swap,
// rows stay. It keeps pairs and neighbours.
constexpr int mirrored(int desk)
{
    return deskAt(Columns - 1 - column(desk), row(desk));
}
// Front and back swap: it keeps pairs and neighbours, but not the front rows.
constexpr int turned(int desk)
{
    return deskAt(column(desk), Rows - 1 - row(desk));
}

} // namespace Room
