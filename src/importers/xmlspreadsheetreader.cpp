// SPDX-License-Identifier: GPL-3.0-or-later
#include "xmlspreadsheetreader.h"

#include "importmessages.h"
#include "safexml.h"

using namespace Qt::StringLiterals;

namespace XmlSpreadsheetReader {
namespace {

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_xml(bytes)
    {}

    Workbook read()
    {
        return m_xml.readWorkbook(*this, m_workbook, ImportMessages::xmlSpreadsheetFormat());
    }

private:
    friend class ::SafeXml; // which calls start() and end(), element by element

    void start()
    {
        const QStringView name = m_xml.name();
        if (name == u"Worksheet"_s) {
            m_sheet = Sheet();
            m_sheet.name = m_xml.attribute(u"Name").toString();
            if (m_sheet.name.isEmpty())
                m_sheet.name = ImportMessages::sheetName(int(m_workbook.sheets.size()) + 1);
            m_line = 0;
        } else if (name == u"Row"_s) {
            m_line = index(m_line + 1);
            m_cells.clear();
            m_nextColumn = 0;
        } else if (name == u"Cell"_s) {
            // An empty cell takes its place too, and a merged one all of its.
            m_column = index(m_nextColumn + 1) - 1;
            m_nextColumn = m_column + 1 + qBound(0, m_xml.attribute(u"MergeAcross").toInt(), 256);
        } else if (name == u"Data"_s) {
            const QString text =
                m_xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
            if (m_column < ImportLimits::MaxColumns && !text.isEmpty()) {
                while (m_cells.size() < m_column)
                    m_cells.append(QString());
                m_cells.append(text);
            }
        } else if (name == u"Comment"_s) {
            m_xml.skipCurrentElement();
        }
    }

    void end()
    {
        const QStringView name = m_xml.name();
        if (name == u"Row"_s)
            m_sheet.addRow(m_line, std::exchange(m_cells, {}));
        else if (name == u"Worksheet"_s)
            m_workbook.sheets.append(std::exchange(m_sheet, {}));
    }

    // The ss:Index of the element, or next when it has none or a wrong one
    // (one that goes back, or past what a sheet can hold).
    int index(int next) const
    {
        bool ok = false;
        const int given = m_xml.attribute(u"Index").toInt(&ok);
        return ok && given >= next && given <= 1048576 ? given : next;
    }

    SafeXml m_xml;
    Workbook m_workbook;
    Sheet m_sheet;
    QStringList m_cells;
    int m_line = 0;
    int m_column = 0;
    int m_nextColumn = 0;
};

} // namespace

Workbook read(const QByteArray &bytes)
{
    return Reader(bytes).read();
}

} // namespace XmlSpreadsheetReader
