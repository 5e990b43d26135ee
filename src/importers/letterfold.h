// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Brings a name within what a name box and the seating file hold
// (SeatingFile::isNameCharacter): a letter Windows-1252 lacks becomes the
// nearest one it has (Ș → S, Ł → L, ǘ → ü), Cyrillic and Greek are spelt in
// Latin letters by a fixed table (Петренко → Petrenko), odd spaces and
// apostrophes become plain ones, commas and double quotes give way to spaces.
namespace LetterFold {

struct Result
{
    QString text;        // spaces collapsed, trimmed
    QString lost;        // the letters that could not be folded, each once
    bool folded = false; // a letter or sign was changed (not counting spaces)
};

Result fold(QStringView name);

// What typing code point c puts in a name box: c itself when a name may
// hold it, its fold (one or more letters) when it has one, nothing when it
// has none or is a sign a name does without.
std::optional<QString> foldCharacter(char32_t c);

} // namespace LetterFold
