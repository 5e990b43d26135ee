// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class Archivio;

// What tells two tables apart, class by class, in Italian, one line per class
// that differs: "classe 3 («3ª B»): 2 nomi, 5 posti".
namespace TableDifferences {

QStringList describe(const Archivio &before, const Archivio &after);

} // namespace TableDifferences
