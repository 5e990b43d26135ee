// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>
#include <QString>

// Old binary workbooks read in a process of their own: FreeXL reads some
// damaged files past its buffers, so posti-xls reads a temporary copy and
// writes the cells to its standard output. A crash, a hang past the time
// limit or an answer too long costs only this import, with a message.
namespace BiffChild {

constexpr int TimeLimitMs = 20000;

// posti-xls beside the program or in the installed module folder, or empty.
QString findHelper();

// Reads bytes with helper, which gets the copy's path as its one argument
// and is stopped after timeLimitMs.
Workbook read(const QByteArray &bytes, const QString &helper = findHelper(),
              int timeLimitMs = TimeLimitMs);

// The answer posti-xls writes, in UTF-8, one record a line: "E<TAB>message"
// for a failure, "S<TAB>name" opening a sheet, "R<TAB>line<TAB>cell<TAB>..."
// for a row. Cells and names are single lines without tabs (simplified).
QByteArray answer(const Workbook &workbook);
Workbook fromAnswer(QByteArray answer);

} // namespace BiffChild
