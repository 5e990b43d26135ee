// SPDX-License-Identifier: GPL-3.0-or-later
#include "importsheet.h"

#include <algorithm>

bool Sheet::addRow(int line, QStringList cells)
{
    if (isFull())
        return false;
    while (!cells.isEmpty() && cells.constLast().trimmed().isEmpty())
        cells.removeLast();
    if (!cells.isEmpty())
        rows.append({line, std::move(cells)});
    return !isFull();
}

Workbook Workbook::failure(const QString &error)
{
    Workbook workbook;
    workbook.error = error;
    return workbook;
}
