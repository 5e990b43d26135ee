// SPDX-License-Identifier: GPL-3.0-or-later
// XML Spreadsheets 2003.

#include "importcheck.h"
#include "xmlspreadsheetreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(XmlSpreadsheetReader::read(ImportCheck::bytesOf(data, size)));
    return 0;
}
