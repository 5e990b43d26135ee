// SPDX-License-Identifier: GPL-3.0-or-later
#include "biffreader.h"

#include "importmessages.h"

#include <QFile>

#include <freexl.h>

using namespace Qt::StringLiterals;

namespace BiffReader {
namespace {

// FreeXL lays out every cell a sheet declares: a file claiming more than
// this many is refused before its cells are read.
constexpr quint64 MaxDeclaredCells = 4 * 1024 * 1024;

class Handle
{
public:
    Handle() = default;
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    ~Handle() { freexl_close(m_handle); }

    const void **out() { return &m_handle; }
    const void *get() const { return m_handle; }

private:
    const void *m_handle = nullptr;
};

QString cellText(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_INT:
        return QString::number(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return QString::number(cell.value.double_value, 'g', 15);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return QString::fromUtf8(cell.value.text_value).simplified();
    default:
        return QString();
    }
}

unsigned sheetCount(const void *handle)
{
    unsigned count = 0;
    return freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) == FREEXL_OK ? count : 0;
}

// How many cells the sheets declare, counted on a reading of the file's
// outline only, where FreeXL lays out no cell.
quint64 declaredCells(const QByteArray &path)
{
    Handle outline;
    if (freexl_open_info(path.constData(), outline.out()) != FREEXL_OK)
        return 0;
    quint64 cells = 0;
    for (unsigned i = 0; i < sheetCount(outline.get()); ++i) {
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_select_active_worksheet(outline.get(), i) == FREEXL_OK &&
            freexl_worksheet_dimensions(outline.get(), &rows, &columns) == FREEXL_OK)
            cells += quint64(rows) * columns;
    }
    return cells;
}

Sheet readSheet(const void *handle, unsigned short index)
{
    Sheet sheet;
    const char *name = nullptr;
    if (freexl_get_worksheet_name(handle, index, &name) == FREEXL_OK && name)
        sheet.name = QString::fromUtf8(name);
    if (sheet.name.isEmpty())
        sheet.name = ImportMessages::sheetName(index + 1);
    unsigned rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle, index) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
        return sheet;
    const unsigned short usedColumns = std::min<unsigned short>(columns, ImportLimits::MaxColumns);
    for (unsigned row = 0; row < rows; ++row) {
        QStringList cells;
        for (unsigned short column = 0; column < usedColumns; ++column) {
            FreeXL_CellValue cell;
            cells.append(freexl_get_cell_value(handle, row, column, &cell) == FREEXL_OK
                             ? cellText(cell)
                             : QString());
        }
        if (!sheet.addRow(int(row) + 1, cells))
            break;
    }
    return sheet;
}

} // namespace

Workbook readCopy(const QString &copyPath)
{
    const QByteArray path = QFile::encodeName(copyPath);
    const Workbook damaged =
        Workbook::failure(ImportMessages::damaged(ImportMessages::xlsFormat()));
    if (declaredCells(path) > MaxDeclaredCells)
        return damaged;
    Handle handle;
    if (freexl_open(path.constData(), handle.out()) != FREEXL_OK)
        return damaged;
    unsigned password = 0;
    if (freexl_get_info(handle.get(), FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED)
        return Workbook::failure(ImportMessages::passwordProtected());
    Workbook workbook;
    const unsigned count = std::min(sheetCount(handle.get()), 256u);
    for (unsigned i = 0; i < count; ++i)
        workbook.sheets.append(readSheet(handle.get(), static_cast<unsigned short>(i)));
    if (workbook.sheets.isEmpty())
        return Workbook::failure(ImportMessages::noSheet());
    return workbook;
}

} // namespace BiffReader
