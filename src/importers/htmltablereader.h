// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>

// The rows of the tables in a web page, as registers export them under
// ".xls": read leniently, as browsers do, since such pages are rarely
// well-formed; tags within a cell are dropped, entities decoded.
namespace HtmlTableReader {

Workbook read(const QByteArray &bytes);

} // namespace HtmlTableReader
