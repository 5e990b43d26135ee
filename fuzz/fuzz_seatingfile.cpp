// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the seating file reader, as Windows-1252 and as
// UTF-8, and checks what it guarantees: every row filled with text that can
// be saved, a report that agrees with itself, and a save that reads back as
// the same table.

#include "archivio.h"
#include "cp1252.h"
#include "fuzzrequire.h"
#include "seatingfile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

bool storable(const QString &text)
{
    return std::all_of(text.begin(), text.end(), SeatingFile::canStore);
}

bool hasUndefinedCharacter(const Archivio &table)
{
    for (int row = 0; row < Archivio::Rows; ++row) {
        for (QChar c : table.cell(row, Archivio::NameColumn)) {
            if (c.unicode() < 0x100 && Cp1252::isUndefined(char(c.unicode())))
                return true;
        }
    }
    return false;
}

void checkRows(const Archivio &table)
{
    for (int row = 0; row < Archivio::Rows; ++row) {
        require(storable(table.cell(row, Archivio::NameColumn)), "name cannot be saved");
        require(positionValue(table.cell(row, Archivio::PositionColumn)).has_value(),
                "position is not a number");
    }
}

// Problems of the whole file have no row; those of rows come in row order.
void checkProblems(const QList<SeatingFile::Problem> &problems)
{
    int previous = 0;
    for (const SeatingFile::Problem &problem : problems) {
        if (problem.row < 0)
            continue;
        require(problem.row >= previous && problem.row < Archivio::Rows,
                "problem rows out of order or range");
        previous = problem.row;
    }
}

void checkSaveReadsBack(const Archivio &table)
{
    Archivio saved = table;
    const QByteArray bytes = SeatingFile::serialize(saved);
    require(!bytes.isEmpty(), "a loaded table cannot be saved");
    // Windows-1252 bytes that happen to be valid UTF-8 ("Ã¨") are taken for
    // UTF-8: the one case where a saved table reads back otherwise.
    if (SeatingFile::isUtf8(bytes))
        return;
    Archivio reread;
    const QList<SeatingFile::Problem> problems = SeatingFile::parse(bytes, reread);
    require(reread == table, "saved table reads back different");
    require(problems.isEmpty() || hasUndefinedCharacter(table), "own file reported as damaged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    // The same bytes behind a UTF-8 mark: read as UTF-8 when they are, else
    // as Windows-1252 after the mark.
    for (const QByteArray &input : {bytes, QByteArray("\xEF\xBB\xBF") + bytes}) {
        Archivio table;
        const QList<SeatingFile::Problem> problems = SeatingFile::parse(input, table);
        checkProblems(problems);
        require(
            SeatingFile::isUtf8(input) ==
                (!problems.isEmpty() && problems.first().kind == SeatingFile::Problem::Kind::Utf8),
            "UTF-8 not reported");
        checkRows(table);
        checkSaveReadsBack(table);
    }
    return 0;
}
