// SPDX-License-Identifier: GPL-3.0-or-later
#include "freedesks.h"

#include "deskgrid.h"

namespace FreeDesks {

QList<int> choose(const QList<bool> &free, int count)
{
    using DeskGrid::deskAt;
    QList<int> chosen;
    for (int row = DeskGrid::Rows - 1; row >= 0; --row) {
        for (const bool wholePairs : {true, false}) {
            for (int bank = DeskGrid::Banks - 1; bank >= 0; --bank) {
                const int right = deskAt({bank, row, 1});
                const int left = deskAt({bank, row, 0});
                if ((free[right] && free[left]) != wholePairs)
                    continue;
                for (const int desk : {right, left}) {
                    if (free[desk] && chosen.size() < count)
                        chosen.append(desk);
                }
            }
        }
    }
    return chosen;
}

} // namespace FreeDesks
