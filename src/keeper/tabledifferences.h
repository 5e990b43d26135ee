// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class Archivio;

// What tells two tables apart, class by class.
namespace TableDifferences {

struct ClassDifference
{
    int tab = 0;
    QString className; // as after
    int names = 0;     // pupils' names that differ
    bool classNameChanged = false;
    int desks = 0; // desk positions that differ
};

// One entry for each class that differs, in tab order.
QList<ClassDifference> compare(const Archivio &before, const Archivio &after);

} // namespace TableDifferences
