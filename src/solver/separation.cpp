// SPDX-License-Identifier: GPL-3.0-or-later
#include "separation.h"

#include <QtAlgorithms>

#include <array>

namespace Room {

namespace {

// The ways one row can hold pupils apart: sets of its columns with no two
// side by side.
struct RowChoices
{
    static constexpr int Most = 21; // of the 64 sets of 6 columns
    std::array<int, Most> masks{};
    std::array<int, Most> counts{};
    int size = 0;

    // For each choice, the choices of the row before or after that leave it
    // possible: no desk of one touches a desk of the other, straight or
    // diagonally.
    std::array<std::array<int, Most>, Most> compatible{};
    std::array<int, Most> compatibleCount{};

    RowChoices()
    {
        for (int mask = 0; mask < (1 << Columns); ++mask) {
            if ((mask & (mask << 1)) == 0) {
                masks[size] = mask;
                counts[size++] = int(qPopulationCount(quint32(mask)));
            }
        }
        for (int i = 0; i < size; ++i) {
            const int shadow = masks[i] | (masks[i] << 1) | (masks[i] >> 1);
            for (int j = 0; j < size; ++j) {
                if ((masks[j] & shadow) == 0)
                    compatible[i][compatibleCount[i]++] = j;
            }
        }
    }
};

const RowChoices choices;

using Table = std::array<std::array<int, RowChoices::Most>, Rows>;

// The columns of the row's desks in the set: a bank's row is two bits at
// 10 · bank + 2 · row.
int rowMask(DeskSet desks, int row)
{
    const int shift = 2 * row;
    return int(((desks >> shift) & 3) | (((desks >> (10 + shift)) & 3) << 2) |
               (((desks >> (20 + shift)) & 3) << 4));
}

DeskSet desksOfRow(int mask, int row)
{
    const int shift = 2 * row;
    return (DeskSet(mask & 3) << shift) | (DeskSet((mask >> 2) & 3) << (10 + shift)) |
           (DeskSet((mask >> 4) & 3) << (20 + shift));
}

// best[r][i]: the most pupils apart in rows `first` … r (walking by `step`),
// row r holding choice i; −1 when choice i is not all desks of the set.
Table bestByRow(DeskSet desks, int first, int step)
{
    Table best;
    for (int row = first, previous = -1; row >= 0 && row < Rows; previous = row, row += step) {
        const int available = rowMask(desks, row);
        for (int i = 0; i < choices.size; ++i) {
            best[row][i] = -1;
            if ((choices.masks[i] & ~available) != 0)
                continue;
            int before = previous < 0 ? 0 : -1;
            for (int k = 0; previous >= 0 && k < choices.compatibleCount[i]; ++k)
                before = qMax(before, best[previous][choices.compatible[i][k]]);
            if (before >= 0)
                best[row][i] = before + choices.counts[i];
        }
    }
    return best;
}

} // namespace

// Row by row over the grid, as a row's choice limits only the next row's.
int mostApart(DeskSet desks)
{
    const Table best = bestByRow(desks, 0, 1);
    int most = 0;
    for (int i = 0; i < choices.size; ++i)
        most = qMax(most, best[Rows - 1][i]);
    return most;
}

// The best from the front and from the back meet at each row: a choice in a
// row is part of a set of that size when the two together reach it.
DeskSet desksOfApartSets(DeskSet desks, int size)
{
    const Table fromFront = bestByRow(desks, 0, 1);
    const Table fromBack = bestByRow(desks, Rows - 1, -1);
    DeskSet result = 0;
    for (int row = 0; row < Rows; ++row) {
        for (int i = 0; i < choices.size; ++i) {
            if (fromFront[row][i] < 0 || fromBack[row][i] < 0 ||
                fromFront[row][i] + fromBack[row][i] - choices.counts[i] < size)
                continue;
            result |= desksOfRow(choices.masks[i], row);
        }
    }
    return result;
}

// Row by row as mostApart, keeping for each number of the group seated so
// far the most pairs left whole for desk-mates.
bool apartLeavingPairs(DeskSet groupDesks, int groupSize, DeskSet pairDesks, int pairs)
{
    // Each pupil of the group takes one pair at most.
    if (int(qPopulationCount(pairDesks & mates(pairDesks))) / 2 - groupSize >= pairs)
        return true;
    constexpr int Most = 10; // more than the room keeps apart
    using Counts = std::array<int, Most>;
    std::array<Counts, RowChoices::Most> best;
    std::array<Counts, RowChoices::Most> next;
    const int wanted = qMin(groupSize, Most - 1);
    for (int row = 0; row < Rows; ++row) {
        const int available = rowMask(groupDesks, row);
        const int whole = rowMask(pairDesks, row);
        for (int i = 0; i < choices.size; ++i) {
            next[i].fill(-1);
            const int mask = choices.masks[i];
            if ((mask & ~available) != 0)
                continue;
            // The pairs of the row are columns 0–1, 2–3 and 4–5.
            int left = 0;
            for (int pair = 0; pair < Columns; pair += 2) {
                const int both = 3 << pair;
                if ((whole & both) == both && (mask & both) == 0)
                    ++left;
            }
            const int seated = choices.counts[i];
            if (row == 0) {
                next[i][qMin(seated, wanted)] = left;
                continue;
            }
            for (int k = 0; k < choices.compatibleCount[i]; ++k) {
                const int j = choices.compatible[i][k];
                for (int count = 0; count <= wanted; ++count) {
                    if (best[j][count] < 0)
                        continue;
                    int &slot = next[i][qMin(count + seated, wanted)];
                    slot = qMax(slot, best[j][count] + left);
                }
            }
        }
        best = next;
    }
    for (int i = 0; i < choices.size; ++i) {
        if (best[i][wanted] >= pairs)
            return true;
    }
    return false;
}

} // namespace Room
