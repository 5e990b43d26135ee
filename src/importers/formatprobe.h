// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// What a file is, told by its bytes, not its name: registers save HTML
// tables, XML Spreadsheets and CSV under ".xls".
namespace FormatProbe {

enum class Format {
    Biff,           // the old binary workbook, in an OLE2 container
    Zip,            // XLSX or ODS, told apart by their contents
    Html,           // a web page with a table
    XmlSpreadsheet, // SpreadsheetML 2003
    Xml,            // some other markup
    Text,           // CSV or TXT
};

Format detect(const QByteArray &bytes);

} // namespace FormatProbe
