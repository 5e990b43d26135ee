// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

// Which free desks to leave free, marked as not to be used, when a class has
// fewer pupils than desks: the back of the room empties first, and a pair
// empties whole before a pupil loses a neighbour.
namespace FreeDesks {

// Up to count of the desks that free holds true for, in the order they are
// to be marked: the last row first; in a row, pairs whose two desks are free
// before single free desks, banks from right to left as the screen shows
// them, and of a pair the right desk first.
QList<int> choose(const QList<bool> &free, int count);

} // namespace FreeDesks
