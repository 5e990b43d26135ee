// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deskgrid.h"

#include <QDate>
#include <QString>

#include <array>

// A class as it is to be printed: its title and what every desk shows. It is
// taken from the screen, not from the class table, so the printout matches
// what the teacher sees, stored or not.
struct PrintableClass
{
    struct Desk
    {
        QString pupil;       // empty for a free desk
        bool unused = false; // marked as not to be used

        // What a desk selector showing shownText at position selection means
        // on paper; selection -1 keeps whatever was typed into the selector.
        static Desk fromSelector(int selection, const QString &shownText);
    };

    QString title;
    std::array<Desk, DeskGrid::Desks> desks;
    QDate printed = QDate::currentDate();

    // The class name, or "Classe <tab>" for a class not named yet.
    static QString titleFor(const QString &className, int tab);

    // The name a saved copy is offered under, "Pianta dei posti - 3B", safe
    // as a file name on every system.
    static QString documentName(const QString &title);
};
