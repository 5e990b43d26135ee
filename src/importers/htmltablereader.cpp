// SPDX-License-Identifier: GPL-3.0-or-later
#include "htmltablereader.h"

#include "importmessages.h"
#include "textreader.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace HtmlTableReader {
namespace {

constexpr qsizetype MaxEntity = 12;

// The Latin-1 letters, U+00C0 to U+00FF, by their entity names.
constexpr const char *Latin1Names[] = {
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig", "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc", "Iuml",
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",  "times",
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN", "szlig",
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig", "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc", "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",  "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn", "yuml",
};

const QHash<QString, char32_t> &entities()
{
    static const QHash<QString, char32_t> table = [] {
        QHash<QString, char32_t> names = {
            {u"amp"_s, U'&'},    {u"lt"_s, U'<'},     {u"gt"_s, U'>'},     {u"quot"_s, U'"'},
            {u"apos"_s, U'\''},  {u"nbsp"_s, U' '},   {u"rsquo"_s, U'’'},  {u"lsquo"_s, U'‘'},
            {u"acute"_s, U'´'},  {u"ndash"_s, U'–'},  {u"Scaron"_s, U'Š'}, {u"scaron"_s, U'š'},
            {u"Zcaron"_s, U'Ž'}, {u"zcaron"_s, U'ž'}, {u"OElig"_s, U'Œ'},  {u"oelig"_s, U'œ'},
        };
        char32_t letter = 0xC0;
        for (const char *name : Latin1Names)
            names.insert(QString::fromLatin1(name), letter++);
        return names;
    }();
    return table;
}

// "&egrave;", "&#232;" and "&#xE8;" are all "è"; anything else stays as written.
QString decodeEntities(const QString &text)
{
    QString plain;
    qsizetype i = 0;
    while (i < text.size()) {
        // Entity names are short: look no further, or a page of '&' would
        // be read over and over.
        const qsizetype semicolon =
            text.at(i) == u'&' ? QStringView(text).mid(i, MaxEntity).indexOf(u';') : -1;
        const qsizetype end = semicolon < 0 ? -1 : i + semicolon;
        if (end < 0) {
            plain += text.at(i++);
            continue;
        }
        const QString name = text.mid(i + 1, end - i - 1);
        bool ok = false;
        uint code = 0;
        if (name.startsWith(u"#x"_s, Qt::CaseInsensitive))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt(&ok, 10);
        else if (const auto found = entities().constFind(name); found != entities().constEnd())
            code = *found, ok = true;
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t c = code;
            plain += QString::fromUcs4(&c, 1);
            i = end + 1;
        } else {
            plain += text.at(i++);
        }
    }
    return plain;
}

class TableScanner
{
public:
    explicit TableScanner(const QString &text)
        : m_text(text)
    {}

    Sheet scan()
    {
        m_sheet.name = ImportMessages::sheetName(1);
        qsizetype i = 0;
        while (i < m_text.size() && !m_sheet.isFull()) {
            const qsizetype open = m_text.indexOf(u'<', i);
            text(m_text.mid(i, (open < 0 ? m_text.size() : open) - i));
            if (open < 0)
                break;
            i = tag(open);
        }
        endRow();
        return m_sheet;
    }

private:
    void text(const QString &chunk)
    {
        if (m_inCell)
            m_cell += chunk;
    }

    // Reads the tag at open; returns where the text after it starts.
    qsizetype tag(qsizetype open)
    {
        if (m_text.mid(open, 4) == u"<!--"_s)
            return skipPast(open, u"-->"_s);
        const qsizetype close = m_text.indexOf(u'>', open);
        if (close < 0)
            return m_text.size();
        const QString inside = m_text.mid(open + 1, close - open - 1).toLower();
        const bool ending = inside.startsWith(u'/');
        const QString name = inside.mid(ending ? 1 : 0).section(u' ', 0, 0).section(u'/', 0, 0);
        if (!ending && (name == u"script"_s || name == u"style"_s))
            return skipPast(close, u"</"_s + name);
        if (name == u"tr"_s || name == u"table"_s) {
            endRow();
            m_inRow = !ending && name == u"tr"_s;
        } else if (name == u"td"_s || name == u"th"_s) {
            endCell();
            m_inCell = !ending && m_inRow;
            m_span = ending ? 1 : span(inside);
        } else if (name == u"br"_s || name == u"p"_s || name == u"div"_s) {
            text(u" "_s);
        }
        return close + 1;
    }

    qsizetype skipPast(qsizetype from, const QString &end) const
    {
        const qsizetype at = m_text.indexOf(end, from, Qt::CaseInsensitive);
        return at < 0 ? m_text.size() : at + end.size();
    }

    static int span(const QString &inside)
    {
        const qsizetype at = inside.indexOf(u"colspan"_s);
        if (at < 0)
            return 1;
        QString digits;
        for (qsizetype i = at + 7; i < inside.size() && digits.size() < 4; ++i) {
            if (inside.at(i).isDigit())
                digits += inside.at(i);
            else if (!digits.isEmpty())
                break;
        }
        return qBound(1, digits.toInt(), ImportLimits::MaxColumns);
    }

    void endCell()
    {
        if (!m_inCell)
            return;
        for (int i = 0; i < m_span && m_cells.size() < ImportLimits::MaxColumns; ++i)
            m_cells.append(i == 0 ? decodeEntities(m_cell).simplified() : QString());
        m_cell.clear();
        m_inCell = false;
    }

    void endRow()
    {
        endCell();
        if (m_inRow)
            m_sheet.addRow(++m_line, std::exchange(m_cells, {}));
        m_inRow = false;
    }

    const QString &m_text;
    Sheet m_sheet;
    QStringList m_cells;
    QString m_cell;
    int m_line = 0;
    int m_span = 1;
    bool m_inRow = false;
    bool m_inCell = false;
};

} // namespace

Workbook read(const QByteArray &bytes)
{
    const QString text = TextReader::decode(bytes);
    Sheet sheet = TableScanner(text).scan();
    if (sheet.rows.isEmpty())
        return Workbook::failure(ImportMessages::notAList());
    Workbook workbook;
    workbook.sheets.append(sheet);
    return workbook;
}

} // namespace HtmlTableReader
