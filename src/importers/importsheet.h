// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What every reader makes of a file: its sheets in the workbook's own order,
// each a list of the rows that hold anything, as text. Empty rows are left
// out and trailing empty cells never added, so that a file declaring a
// million repeated rows costs no more than the cells it really holds.
namespace ImportLimits {
constexpr qint64 MaxFileBytes = 10 * 1024 * 1024;
// What the parts of a zip may expand to, counted as they are read.
constexpr qint64 MaxUnpackedBytes = 24 * 1024 * 1024;
constexpr int MaxColumns = 256;
constexpr int MaxRows = 10000;
} // namespace ImportLimits

struct SheetRow
{
    int line = 0; // as the spreadsheet numbers it, from 1
    QStringList cells;
};

struct Sheet
{
    QString name;
    QList<SheetRow> rows;

    // Adds cells as row line unless they are all blank; false once the
    // sheet holds ImportLimits::MaxRows rows.
    bool addRow(int line, QStringList cells);
    bool isFull() const { return rows.size() >= ImportLimits::MaxRows; }
};

struct Workbook
{
    QList<Sheet> sheets;
    QString error; // in Italian; when set, sheets is empty

    static Workbook failure(const QString &error);
};
