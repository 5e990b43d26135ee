// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deskgrid.h"
#include "deskseat.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

// A class as it is to be printed: its title and what every desk shows. It is
// taken from the screen, not from the class table, so the printout matches
// what the teacher sees, stored or not.
struct PrintableClass
{
    using Desk = DeskSeat;

    QString title;
    std::array<Desk, DeskGrid::Desks> desks;
    QDate printed = QDate::currentDate();
    // The pupils who sit at no desk, listed at the foot of the page.
    QStringList unseated{};

    // Lists as unseated those of pupils (the class's names, blank ones
    // included) whom no desk shows; a name given twice needs two desks.
    void listUnseated(const QStringList &pupils);

    // The name a saved copy is offered under, "Pianta dei posti - 3B", safe
    // as a file name on every system.
    static QString documentName(const QString &title);
};
