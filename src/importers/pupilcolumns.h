// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QList>
#include <QString>

// Where a sheet keeps the pupils' names and classes. A header row is known
// by its names ("Cognome", "Nome", "Alunno", "Classe", ...), whatever their
// case and accents, within the first rows, as exports often start with a
// title; without one, the name is in the first two columns that are not
// numbers. Every other column is left alone.
struct PupilColumns
{
    static constexpr int None = -1;
    int surname = None;   // "Cognome"
    int givenName = None; // "Nome"
    int fullName = None;  // "Cognome e nome", "Alunno", "Nominativo", ...
    int className = None; // "Classe"
    int section = None;   // "Sezione"
    int headerRow = None; // index in the sheet's rows; the pupils follow it

    static PupilColumns find(const QList<SheetRow> &rows);

    // The row's name as its parts read, surname first, each part trimmed.
    QStringList nameParts(const QStringList &cells) const;
    // The row's class: "3" and "A" make "3A".
    QString classOf(const QStringList &cells) const;
    bool hasClass() const { return className != None; }
};
