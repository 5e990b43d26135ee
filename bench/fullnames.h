// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"

#include <QChar>
#include <QString>
#include <QStringList>

// The names and seats of the full table, apart from the table itself, so that
// the start-up floor can show the same texts without the program's libraries.
namespace FullNames {

// Names of everyday lengths: the seat lists and the file grow with them.
inline QString pupil(int tab, int slot)
{
    static const QStringList surnames = {
        QStringLiteral("Rossi"),   QStringLiteral("Bianchi"), QStringLiteral("Esposito"),
        QStringLiteral("Romano"),  QStringLiteral("Colombo"), QStringLiteral("Ricci"),
        QStringLiteral("Marino"),  QStringLiteral("Greco"),   QStringLiteral("Bruno"),
        QStringLiteral("Gallo"),   QStringLiteral("Conti"),   QStringLiteral("De Luca"),
        QStringLiteral("Mancini"), QStringLiteral("Costa"),   QStringLiteral("Giordano"),
    };
    static const QStringList givenNames = {
        QStringLiteral("Giulia"),     QStringLiteral("Francesco"), QStringLiteral("Sofia"),
        QStringLiteral("Alessandro"), QStringLiteral("Aurora"),    QStringLiteral("Lorenzo"),
        QStringLiteral("Ginevra"),    QStringLiteral("Mattia"),    QStringLiteral("Beatrice"),
        QStringLiteral("Niccolò"),
    };
    const int pupil = (tab - 1) * Archivio::Pupils + slot;
    return surnames.at(pupil % surnames.size()) + QLatin1Char(' ') +
           givenNames.at((pupil / surnames.size()) % givenNames.size());
}

inline QString className(int tab)
{
    return QStringLiteral("%1%2").arg((tab - 1) % 5 + 1).arg(QChar(u'A' + tab / 6));
}

// Desk `desk` of class `tab` seats pupil (7·desk + tab) mod 30: 7 is prime to
// 30, so every pupil gets exactly one desk.
inline int seatedPupil(int tab, int desk)
{
    return (7 * desk + tab) % Archivio::Pupils;
}

} // namespace FullNames
