// SPDX-License-Identifier: GPL-3.0-or-later
#include "formatprobe.h"

#include "textreader.h"

using namespace Qt::StringLiterals;

namespace FormatProbe {
namespace {

// Enough of the start to see what kind of markup it is.
constexpr qsizetype HeadBytes = 8 * 1024;

} // namespace

Format detect(const QByteArray &bytes)
{
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Format::Biff;
    if (bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06"))
        return Format::Zip;
    const QString head = TextReader::decode(bytes.left(HeadBytes)).trimmed().toLower();
    if (!head.startsWith(u'<'))
        return Format::Text;
    // Excel's web pages name Office's namespaces too, but start as HTML;
    // an XML Spreadsheet has a <Table> of its own.
    if (head.contains(u"<html"_s) || head.contains(u"<!doctype html"_s))
        return Format::Html;
    if (head.contains(u"urn:schemas-microsoft-com:office:spreadsheet"_s) ||
        head.contains(u"progid=\"excel.sheet\""_s))
        return Format::XmlSpreadsheet;
    if (head.contains(u"<table"_s))
        return Format::Html;
    return Format::Xml;
}

} // namespace FormatProbe
