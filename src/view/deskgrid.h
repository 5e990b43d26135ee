// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"

// Where desk k stands in the room: three banks side by side, each five rows
// deep with two desks to a row. Desks 0 to 9 form the left bank as seen on
// screen, 0 and 1 its first row, 8 and 9 its last. The window places its desk
// selectors from this and the printed plan its desks, so both agree.
namespace DeskGrid {

constexpr int Banks = 3;
constexpr int Rows = 5;
constexpr int Sides = 2;
constexpr int DesksPerBank = Rows * Sides;
constexpr int Desks = Archivio::Pupils;
static_assert(Banks * DesksPerBank == Desks, "every desk has a place in the room");

struct Place
{
    int bank = 0; // 0 = left on screen
    int row = 0;  // 0 = top on screen
    int side = 0; // 0 = left desk of the pair
};

constexpr Place placeOf(int desk)
{
    const int pair = desk % DesksPerBank;
    return {desk / DesksPerBank, pair / Sides, pair % Sides};
}

constexpr int deskAt(const Place &place)
{
    return place.bank * DesksPerBank + place.row * Sides + place.side;
}

} // namespace DeskGrid
