// SPDX-License-Identifier: GPL-3.0-or-later
// CSV and TXT in every encoding, and the same bytes as a paste into a name box.

#include "classlist.h"
#include "importcheck.h"
#include "textreader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = ImportCheck::bytesOf(data, size);
    ImportCheck::checkWorkbook(TextReader::read(bytes));
    for (const QString &name : ClassListReader::readPaste(TextReader::decode(bytes)).names)
        ImportCheck::checkName(name);
    return 0;
}
