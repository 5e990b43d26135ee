// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "room.h"

#include <array>

// The most pupils that can be paired off at once, each pair two pupils who
// may share a pair of desks (bit b of mayPair[a], and of mayPair[b] for a):
// a maximum matching of a general graph (Edmonds' blossoms). The reseating
// uses it to know, in a moment, that no plan can keep the desk-mates of so
// many plans apart: fewer pairs than the room needs is a proof.
int mostPairs(const std::array<quint32, Room::Desks> &mayPair);
