// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>

// SpreadsheetML 2003 ("XML Spreadsheet"), which registers save as ".xls":
// worksheets in order, each cell at its ss:Index.
namespace XmlSpreadsheetReader {

Workbook read(const QByteArray &bytes);

} // namespace XmlSpreadsheetReader
