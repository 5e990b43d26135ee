// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct ImportChange;

// Every word the importers say to a teacher, in one place.
namespace ImportMessages {

QString cannotOpen(const QString &reason);
QString empty();
QString tooLarge();
QString notAList();
QString unpackedTooLarge();
QString zipNotASpreadsheet();
QString damaged(const QString &format);
QString xmlDeclarations();
QString noSheet();
QString passwordProtected();
QString xlsReaderMissing();
QString xlsReaderStopped();
QString xlsTooSlow();
QString noNames();

// The names of the formats, as damaged() uses them.
QString xlsFormat();
QString xlsxFormat();
QString odsFormat();
QString xmlSpreadsheetFormat();

// The default name of a sheet that has none: "Foglio 1".
QString sheetName(int number);

// A change as the preview lists it: "riga 4: «ROSSI» scritto come nome: «Rossi»".
QString describe(const ImportChange &change);

} // namespace ImportMessages
