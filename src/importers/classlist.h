// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QList>
#include <QString>
#include <QStringList>

// One change made to what the file held, for the preview to show.
struct ImportChange
{
    enum class Kind {
        Capitals,    // written as a name: before, after
        Folded,      // letters the seating file lacks folded: before, after
        Skipped,     // a row with no name
        NotImported, // before: the name; after: the letters it would lose
    };
    Kind kind = Kind::Capitals;
    int line = 0; // the row of the sheet or the line of the paste, from 1
    QString before;
    QString after;

    bool operator==(const ImportChange &other) const
    {
        return kind == other.kind && line == other.line && before == other.before &&
               after == other.after;
    }
};

struct ImportedClass
{
    QString name;       // empty when the sheet has no class column
    QStringList pupils; // in the sheet's order, as boxes 1 to n will hold them
    QList<ImportChange> changes;
};

struct ClassList
{
    QList<ImportedClass> classes; // in the order they first appear
    QString error;                // when no row holds a name
};

namespace ClassListReader {

// The pupils of a sheet, grouped by class, every name written as a name
// and within the letters the seating file holds.
ClassList read(const Sheet &sheet);

struct Paste
{
    QStringList names;
    QList<ImportChange> changes;
};

// Text pasted into a name box by the same rules: tab-separated columns
// joined as "Cognome Nome", a header row skipped, capitals written as names,
// letters folded. One name a line; names that cannot be kept are left out.
Paste readPaste(const QString &text);

} // namespace ClassListReader
