// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every importer guarantees, whatever it is fed: a message or sheets,
// never both; no more rows and columns than the limits; and pupils' names
// that a name box takes as they are.

#include "classlist.h"
#include "fuzzrequire.h"
#include "importsheet.h"
#include "seatingfile.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace ImportCheck {

using ::require;

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline void checkName(const QString &name)
{
    require(!name.isEmpty() && name == name.simplified(), "name not trimmed");
    require(std::all_of(name.begin(), name.end(), SeatingFile::isNameCharacter),
            "name holds a character a name box refuses");
}

inline void checkWorkbook(const Workbook &workbook)
{
    require(workbook.error.isEmpty() != workbook.sheets.isEmpty(),
            "both or neither error and sheets");
    for (const Sheet &sheet : workbook.sheets) {
        require(sheet.rows.size() <= ImportLimits::MaxRows, "too many rows");
        for (const SheetRow &row : sheet.rows) {
            require(!row.cells.isEmpty() && row.cells.size() <= ImportLimits::MaxColumns,
                    "empty row kept or too many columns");
            require(!row.cells.constLast().trimmed().isEmpty(), "trailing empty cell kept");
        }
        const ClassList list = ClassListReader::read(sheet);
        require(list.error.isEmpty() != list.classes.isEmpty(), "classes and error disagree");
        for (const ImportedClass &group : list.classes) {
            for (const QString &name : group.pupils)
                checkName(name);
        }
    }
}

} // namespace ImportCheck
