// SPDX-License-Identifier: GPL-3.0-or-later
// The content.xml of OpenDocument spreadsheets, repeated rows and cells above all.

#include "importcheck.h"
#include "odsreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(OdsReader::read(ImportCheck::bytesOf(data, size)));
    return 0;
}
