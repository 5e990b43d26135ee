// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a desk selector's selection means: who sits at the desk, nobody, or
// that the desk is not to be used. The printed plan draws it, a screen reader
// says it.
struct DeskSeat
{
    QString pupil;       // empty for a free desk
    bool unused = false; // marked as not to be used

    // What a desk selector showing shownText at position selection means;
    // selection -1 keeps whatever was typed into the selector.
    static DeskSeat fromSelector(int selection, const QString &shownText);

    // In words: the pupil, "vuoto" or "non usato".
    QString inWords() const;
};

// The class name as the teacher wrote it, or "Classe <tab>" for a class not
// named yet: what the question about unstored changes and the printed plan
// call the class.
QString classTitle(const QString &className, int tab);
