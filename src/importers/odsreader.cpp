// SPDX-License-Identifier: GPL-3.0-or-later
#include "odsreader.h"

#include "importmessages.h"
#include "safexml.h"

using namespace Qt::StringLiterals;

namespace OdsReader {
namespace {

// Past any row a spreadsheet program numbers, and far from overflowing.
constexpr qint64 LastLine = 1 << 24;

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_xml(bytes)
    {}

    Workbook read() { return m_xml.readWorkbook(*this, m_workbook, ImportMessages::odsFormat()); }

private:
    friend class ::SafeXml; // which calls start() and end(), element by element

    qint64 repeat(QStringView attribute) const
    {
        bool ok = false;
        const qint64 count = m_xml.attribute(attribute).toLongLong(&ok);
        return ok && count > 1 ? std::min(count, LastLine) : 1;
    }

    void start()
    {
        const QStringView name = m_xml.name();
        if (name == u"table"_s) {
            m_sheet = Sheet();
            m_sheet.name = m_xml.attribute(u"name").toString();
            if (m_sheet.name.isEmpty())
                m_sheet.name = ImportMessages::sheetName(int(m_workbook.sheets.size()) + 1);
            m_line = 0;
        } else if (name == u"table-row"_s) {
            m_rowRepeat = repeat(u"number-rows-repeated");
            m_cells.clear();
            m_emptyCells = 0;
        } else if (name == u"table-cell"_s || name == u"covered-table-cell"_s) {
            const qint64 count = repeat(u"number-columns-repeated");
            const QString text = cellText();
            if (text.isEmpty()) {
                m_emptyCells += count;
                return;
            }
            for (qint64 i = 0; i < m_emptyCells + count && !rowFull(); ++i)
                m_cells.append(i < m_emptyCells ? QString() : text);
            m_emptyCells = 0;
        }
    }

    void end()
    {
        const QStringView name = m_xml.name();
        if (name == u"table-row"_s) {
            // A row repeated with cells in it is laid out as often as the
            // sheet has room for; an empty one only moves the line on.
            for (qint64 i = 0; i < m_rowRepeat && !m_cells.isEmpty() && !m_sheet.isFull(); ++i)
                m_sheet.addRow(int(std::min(m_line + i + 1, LastLine)), m_cells);
            m_line = std::min(m_line + m_rowRepeat, LastLine);
        } else if (name == u"table"_s) {
            m_workbook.sheets.append(std::exchange(m_sheet, {}));
        }
    }

    bool rowFull() const { return m_cells.size() >= ImportLimits::MaxColumns; }

    // The paragraphs of the cell, one space between them; notes left out.
    QString cellText()
    {
        QStringList paragraphs;
        while (!m_xml.atEnd()) {
            const auto token = m_xml.next();
            if (token == QXmlStreamReader::EndElement &&
                (m_xml.name() == u"table-cell"_s || m_xml.name() == u"covered-table-cell"_s))
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            if (m_xml.name() == u"p"_s)
                paragraphs.append(m_xml.readElementText(QXmlStreamReader::IncludeChildElements));
            else if (m_xml.name() == u"annotation"_s || m_xml.name() == u"table"_s)
                m_xml.skipCurrentElement();
        }
        return paragraphs.join(u' ').simplified();
    }

    SafeXml m_xml;
    Workbook m_workbook;
    Sheet m_sheet;
    QStringList m_cells;
    qint64 m_line = 0;
    qint64 m_rowRepeat = 1;
    qint64 m_emptyCells = 0;
};

} // namespace

Workbook read(const QByteArray &contentXml)
{
    return Reader(contentXml).read();
}

} // namespace OdsReader
