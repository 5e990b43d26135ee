// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Names written all in capitals, or all in small letters, as registers and
// offices often export them, written as names: "D'ANGELO MARIA CHIARA"
// becomes "D'Angelo Maria Chiara", "ROSSI-BIANCHI" "Rossi-Bianchi", and a
// final vowel with an apostrophe, the capitals' way of writing an accent,
// the accented letter: "NICCOLO'" becomes "Niccolò". A name in mixed case is
// returned as written.
namespace NameCase {

QString asName(const QString &text);

} // namespace NameCase
