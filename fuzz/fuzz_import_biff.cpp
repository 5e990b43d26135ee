// SPDX-License-Identifier: GPL-3.0-or-later
// Old binary workbooks through FreeXL. The sanitizers see our side of it
// (the copy, the limits, the cells taken); FreeXL itself is the system's,
// built without them.

#include "biffreader.h"
#include "importcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(BiffReader::read(ImportCheck::bytesOf(data, size)));
    return 0;
}
