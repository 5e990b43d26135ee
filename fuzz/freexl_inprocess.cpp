// SPDX-License-Identifier: GPL-3.0-or-later
// FreeXL on old binary workbooks in this process, as posti-xls runs it. Not
// a fuzz_* target, so not in scripts/fuzz's shared run: FreeXL 1.0.6 reads
// past a buffer inside its iconv call in freexl_open_info on damaged files,
// which AddressSanitizer reports at once. The program is safe from it
// (posti-xls reads in a process of its own); this target is for checking a
// newer FreeXL. Seeds in fuzz/import_freexl-corpus.

#include "biffreader.h"
#include "importcheck.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QTemporaryDir folder;
    QFile copy(folder.filePath(QStringLiteral("elenco.xls")));
    if (!copy.open(QIODevice::WriteOnly))
        return 0;
    copy.write(reinterpret_cast<const char *>(data), qint64(size));
    copy.close();
    ImportCheck::checkWorkbook(BiffReader::readCopy(copy.fileName()));
    return 0;
}
