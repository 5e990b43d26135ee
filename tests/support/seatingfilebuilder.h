// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"

#include <QByteArray>
#include <QList>
#include <QMap>

// The seating files of the session and window tests, row by row.

using Rows = QMap<int, QByteArray>;

// A seating file of 310 rows, each " ,0" but for the given ones.
inline QByteArray seatingFile(const Rows &rows = {})
{
    QByteArray bytes;
    for (int row = 0; row < Archivio::Rows; ++row)
        bytes += rows.value(row, " ,0") + "\r\n";
    return bytes;
}

// Class tab named name, its pupils "<pupil> 0" to "<pupil> 29" at the given
// desk positions, added to rows.
inline Rows withClass(Rows rows, int tab, const QByteArray &name, const QByteArray &pupil,
                      const QList<int> &positions)
{
    for (int slot = 0; slot < Archivio::Pupils; ++slot)
        rows[Archivio::row(tab, slot)] =
            pupil + ' ' + QByteArray::number(slot) + ',' + QByteArray::number(positions[slot]);
    rows[Archivio::row(tab, Archivio::ClassNameSlot)] = name + ",0";
    return rows;
}

// Desk d at position d + 2, where pupil d sits, or blank; changes override.
inline QList<int> seats(const QMap<int, int> &changes = {}, bool seated = true)
{
    QList<int> desks;
    for (int desk = 0; desk < Archivio::Pupils; ++desk)
        desks << changes.value(desk, seated ? desk + 2 : 0);
    return desks;
}

// The history files beside them, line by line: desk fields by desk.
using Fields = QMap<int, QByteArray>;

// A plan of class 1: pupil d at desk d ("d+1 Alunno d"), but for the fields given.
inline QByteArray planLine(const QByteArray &date, const Fields &fields = {})
{
    QByteArray line = "1\t" + date;
    for (int desk = 0; desk < Archivio::Pupils; ++desk) {
        const QByteArray number = QByteArray::number(desk);
        line += '\t' + fields.value(desk, QByteArray::number(desk + 1) + " Alunno " + number);
    }
    return line;
}

// A history file of the given version holding lines, with its comment line.
inline QByteArray historyFile(const QList<QByteArray> &lines, const QByteArray &version = "1")
{
    QByteArray file =
        "Posti-cronologia versione " + version + "\r\n# classe\tdata\tbanco 1 … banco 30\r\n";
    for (const QByteArray &line : lines)
        file += line + "\r\n";
    return file;
}
