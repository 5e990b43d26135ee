// SPDX-License-Identifier: GPL-3.0-or-later
// Old binary workbooks as the program reads them: FreeXL runs in posti-xls,
// and what comes back from it is read here. A reader gone wrong may answer
// anything, so the answer is fuzzed; seeds in fuzz/import_biff-corpus.

#include "biffchild.h"
#include "importcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    ImportCheck::checkWorkbook(BiffChild::fromAnswer(ImportCheck::bytesOf(data, size)));
    return 0;
}
