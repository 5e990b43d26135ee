// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>

// OpenDocument spreadsheets (.ods), from their content.xml: the tables in
// order. Repeated rows and cells are counted, never laid out: a row of
// empty cells "repeated" a million times, as the format writes the rest of
// a sheet, costs nothing; empty cells are only placed before a full one.
namespace OdsReader {

Workbook read(const QByteArray &contentXml);

} // namespace OdsReader
