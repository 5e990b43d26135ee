// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of an XLSX workbook: the input up to its first NUL byte is the
// worksheet, the rest the shared strings; the other parts are fixed.

#include "importcheck.h"
#include "xlsxreader.h"

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = ImportCheck::bytesOf(data, size);
    const qsizetype split = bytes.indexOf('\0');
    const QByteArray sheet = split < 0 ? bytes : bytes.left(split);
    const QByteArray strings = split < 0 ? QByteArray() : bytes.mid(split + 1);
    const auto part = [&](const QString &name) -> std::optional<QByteArray> {
        if (name == u"xl/workbook.xml"_s)
            return QByteArray(R"(<workbook><sheets><sheet name="A" id="r1"/></sheets></workbook>)");
        if (name == u"xl/_rels/workbook.xml.rels"_s)
            return QByteArray(
                R"(<Relationships><Relationship Id="r1" Target="s.xml" Type="/worksheet"/>)"
                R"(<Relationship Id="r2" Target="t.xml" Type="/sharedStrings"/></Relationships>)");
        if (name == u"xl/s.xml"_s)
            return sheet;
        if (name == u"xl/t.xml"_s)
            return strings;
        return std::nullopt;
    };
    const QByteArray types = R"(<Types><Override PartName="/xl/workbook.xml" )"
                             R"(ContentType="spreadsheetml.sheet.main+xml"/></Types>)";
    ImportCheck::checkWorkbook(XlsxReader::read(types, part));
    return 0;
}
