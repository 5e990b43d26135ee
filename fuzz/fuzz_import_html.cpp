// SPDX-License-Identifier: GPL-3.0-or-later
// Web pages with tables, as registers save them under ".xls".

#include "htmltablereader.h"
#include "importcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(HtmlTableReader::read(ImportCheck::bytesOf(data, size)));
    return 0;
}
