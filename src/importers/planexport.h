// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A class's seating plan as the export writes it, taken by the caller from
// the screen.
struct PlanExport
{
    struct Desk
    {
        int number = 0; // "Banco", as the room numbers it
        int row = 0;    // "Fila"
        QString pupil;  // empty for a free desk
        bool unused = false;
    };

    QString className;
    QList<Desk> desks;    // in the room's order
    QStringList unseated; // pupils of the class on no desk
};

// The plan as CSV for a spreadsheet in Italian: columns Banco, Fila, Alunno
// and Classe, one line per desk ("non usato" for a marked one), then the
// unseated pupils with no desk; semicolons, UTF-8 with its byte order mark,
// CR LF, fields quoted as RFC 4180 wants, and a leading ' before any text a
// spreadsheet would take for a formula.
namespace PlanCsv {

QByteArray write(const PlanExport &plan);

} // namespace PlanCsv
