// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QString>
#include <QStringList>

// Every word of the seating rules a teacher reads. `names` holds the name of
// each slot; a desk is "banco k + 1".
namespace SolverMessages {

// The rule as a sentence: «Rossi Anna e Bianchi Luca devono essere separati.»
QString rule(const SeatingRule &rule, const QStringList &names);

// Why no plan exists: the conflict's rules and circumstances in sentences,
// a group of pupils who must all sit apart, or in front, in one.
QStringList conflictLines(const FillProblem &problem, const Conflict &conflict,
                          const QStringList &names);
QString conflict(const FillProblem &problem, const Conflict &conflict, const QStringList &names);

QString outOfTime();

// What a desk's tooltip and description add for the pupil sitting there:
// "regola non rispettata: separati da Bianchi Luca", or empty when the pupil
// keeps every rule. `broken` indexes the rules the seating breaks.
QString deskNote(int pupil, const QList<SeatingRule> &rules, const QList<int> &broken,
                 const QStringList &names);

} // namespace SolverMessages
