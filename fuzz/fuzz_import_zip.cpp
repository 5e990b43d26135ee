// SPDX-License-Identifier: GPL-3.0-or-later
// Whole zip containers, as XLSX or ODS, through the format probe: the
// reading budget and the parts' lookup.

#include "importcheck.h"
#include "importer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(Importer::readBytes(ImportCheck::bytesOf(data, size)));
    return 0;
}
