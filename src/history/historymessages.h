// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reseating.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Every word of the history and the reseating a teacher reads. `names` holds
// the name of each slot.
namespace HistoryMessages {

// "12 ottobre", "1º marzo"; with the year when it is not today's.
QString date(const QDate &date, const QDate &today);

// How far back the reseating reached, as the window says it after
// "Nuovi compagni di banco": «Nessuno siede con un compagno di banco già avuto
// nelle ultime 6 disposizioni (dal 12 ottobre).»; with no history, that the
// desks were drawn at random; with reach 0, which pairs sit together again.
QString reseated(const ReseatResult &result, int recordedPlans, const QStringList &names,
                 const QDate &today);

} // namespace HistoryMessages
