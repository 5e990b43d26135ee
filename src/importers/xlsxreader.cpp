// SPDX-License-Identifier: GPL-3.0-or-later
#include "xlsxreader.h"

#include "importmessages.h"
#include "safexml.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace XlsxReader {
namespace {

struct Relationship
{
    QString target; // a part name, without the leading '/'
    QString type;
};

// Where a relationship's target leads from the folder of its source.
QString resolve(const QString &folder, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList path = folder.isEmpty() ? QStringList() : folder.split(u'/');
    for (const QString &step : target.split(u'/')) {
        if (step == u".."_s && !path.isEmpty())
            path.removeLast();
        else if (step != u"."_s && step != u".."_s)
            path.append(step);
    }
    return path.join(u'/');
}

// Each step of the reading sets problem when its part will not read.
std::optional<QString> workbookPart(const QByteArray &contentTypes, QString &problem)
{
    SafeXml xml(contentTypes);
    while (xml.nextStart()) {
        const QStringView type = xml.attribute(u"ContentType");
        if (xml.name() == u"Override"_s && type.endsWith(u".main+xml"_s) &&
            (type.contains(u"spreadsheetml"_s) || type.contains(u"ms-excel"_s)))
            return resolve(QString(), xml.attribute(u"PartName").toString());
    }
    problem = xml.problem(ImportMessages::xlsxFormat());
    return std::nullopt;
}

QHash<QString, Relationship> relationships(const QByteArray &rels, const QString &folder,
                                           QString &problem)
{
    QHash<QString, Relationship> found;
    SafeXml xml(rels);
    while (xml.nextStart()) {
        if (xml.name() == u"Relationship"_s) {
            found.insert(xml.attribute(u"Id").toString(),
                         {resolve(folder, xml.attribute(u"Target").toString()),
                          xml.attribute(u"Type").toString()});
        }
    }
    problem = xml.problem(ImportMessages::xlsxFormat());
    return found;
}

QStringList sharedStrings(const QByteArray &bytes, QString &problem)
{
    QStringList strings;
    SafeXml xml(bytes);
    QString current;
    while (!xml.atEnd()) {
        const auto token = xml.next();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"si"_s)
                current.clear();
            else if (xml.name() == u"t"_s)
                current += xml.readElementText();
            else if (xml.name() == u"rPh"_s) // the reading of East Asian text
                xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"si"_s) {
            strings.append(current);
        }
    }
    problem = xml.problem(ImportMessages::xlsxFormat());
    return strings;
}

// "C12" is column 2 (from 0); -1 when the reference has no letters.
int columnOf(QStringView reference)
{
    int column = 0;
    qsizetype letters = 0;
    for (QChar c : reference) {
        if (!c.isLetter() || letters == 3)
            break;
        column = column * 26 + (c.toUpper().unicode() - u'A' + 1);
        ++letters;
    }
    return letters == 0 ? -1 : column - 1;
}

class WorksheetReader
{
public:
    WorksheetReader(const QByteArray &bytes, const QStringList &strings)
        : m_xml(bytes)
        , m_strings(strings)
    {}

    Sheet read(const QString &name, QString &problem)
    {
        m_sheet.name = name;
        while (!m_xml.atEnd() && !m_sheet.isFull()) {
            const auto token = m_xml.next();
            if (token == QXmlStreamReader::StartElement)
                start();
            else if (token == QXmlStreamReader::EndElement && m_xml.name() == u"row"_s)
                m_sheet.addRow(m_line, std::exchange(m_cells, {}));
        }
        problem = m_xml.problem(ImportMessages::xlsxFormat());
        return m_sheet;
    }

private:
    void start()
    {
        const QStringView name = m_xml.name();
        if (name == u"row"_s) {
            bool ok = false;
            const int given = m_xml.attribute(u"r").toInt(&ok);
            m_line = ok && given > m_line ? given : m_line + 1;
            m_column = 0;
        } else if (name == u"c"_s) {
            const int given = columnOf(m_xml.attribute(u"r"));
            m_column = given >= m_column ? given : m_column;
            m_shared = m_xml.attribute(u"t") == u"s"_s;
        } else if (name == u"v"_s || name == u"is"_s) {
            const bool inline_ = name == u"is"_s;
            QString text = m_xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (m_shared && !inline_) {
                const int index = text.toInt();
                text = index >= 0 && index < m_strings.size() ? m_strings.at(index) : QString();
            }
            place(text.simplified());
        }
    }

    void place(const QString &text)
    {
        if (m_column < ImportLimits::MaxColumns) {
            while (m_cells.size() < m_column)
                m_cells.append(QString());
            m_cells.append(text);
        }
        ++m_column;
    }

    SafeXml m_xml;
    const QStringList &m_strings;
    Sheet m_sheet;
    QStringList m_cells;
    int m_line = 0;
    int m_column = 0;
    bool m_shared = false;
};

struct SheetEntry
{
    QString name;
    QString relationship;
};

QList<SheetEntry> sheetList(const QByteArray &workbook, QString &problem)
{
    QList<SheetEntry> sheets;
    SafeXml xml(workbook);
    while (xml.nextStart()) {
        if (xml.name() == u"sheet"_s)
            sheets.append({xml.attribute(u"name").toString(), xml.attribute(u"id").toString()});
    }
    problem = xml.problem(ImportMessages::xlsxFormat());
    return sheets;
}

QString folderOf(const QString &part)
{
    return part.section(u'/', 0, -2);
}

QString relsOf(const QString &part)
{
    const QString folder = folderOf(part);
    return (folder.isEmpty() ? QString() : folder + u'/') + u"_rels/"_s + part.section(u'/', -1) +
           u".rels"_s;
}

} // namespace

Workbook read(const QByteArray &contentTypes, const PartSource &part)
{
    QString problem;
    const auto workbookName = workbookPart(contentTypes, problem);
    if (!workbookName) {
        return Workbook::failure(problem.isEmpty() ? ImportMessages::zipNotASpreadsheet()
                                                   : problem);
    }
    const auto workbookBytes = part(*workbookName);
    const auto relsBytes = part(relsOf(*workbookName));
    if (!workbookBytes || !relsBytes)
        return Workbook::failure(ImportMessages::damaged(ImportMessages::xlsxFormat()));
    const QList<SheetEntry> sheets = sheetList(*workbookBytes, problem);
    const auto rels = problem.isEmpty()
                          ? relationships(*relsBytes, folderOf(*workbookName), problem)
                          : QHash<QString, Relationship>();
    QStringList strings;
    for (const Relationship &relationship : rels) {
        const auto bytes = relationship.type.endsWith(u"/sharedStrings"_s)
                               ? part(relationship.target)
                               : std::nullopt;
        if (bytes && problem.isEmpty())
            strings = sharedStrings(*bytes, problem);
    }
    Workbook workbook;
    for (const SheetEntry &entry : sheets) {
        const Relationship relationship = rels.value(entry.relationship);
        if (!problem.isEmpty())
            break;
        if (!relationship.type.endsWith(u"/worksheet"_s))
            continue; // a chart sheet
        const auto bytes = part(relationship.target);
        if (!bytes)
            return Workbook::failure(ImportMessages::damaged(ImportMessages::xlsxFormat()));
        workbook.sheets.append(WorksheetReader(*bytes, strings).read(entry.name, problem));
    }
    if (!problem.isEmpty())
        return Workbook::failure(problem);
    if (workbook.sheets.isEmpty())
        return Workbook::failure(ImportMessages::noSheet());
    return workbook;
}

} // namespace XlsxReader
