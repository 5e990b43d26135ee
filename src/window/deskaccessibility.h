// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QComboBox;

// What a screen reader says of a desk selector: its name is the desk,
// "Banco 5", and its value and description who sits there: the pupil's
// name, "vuoto" or "non usato"; the description adds the rules the pupil
// breaks. Qt's own combo box would give the shown item
// as the name on Linux, so a seated desk was heard only as a pupil and a
// marked one as "-> Non assegnare <-".
namespace DeskAccessibility {

// Makes desk speak as desk number (from 1), and tells the screen reader
// whenever its selection changes.
void attach(QComboBox *desk, int number);

// What a desk holds, in words: the pupil, "vuoto" or "non usato".
QString occupant(const QComboBox *desk);

// The occupant and, for a desk selector whose pupil breaks a rule, which:
// "Rossi Anna, regola non rispettata: separati da Bianchi Luca".
QString description(const QComboBox *desk);

} // namespace DeskAccessibility
