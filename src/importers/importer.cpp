// SPDX-License-Identifier: GPL-3.0-or-later
#include "importer.h"

#include "biffchild.h"
#include "formatprobe.h"
#include "htmltablereader.h"
#include "importmessages.h"
#include "textreader.h"
#include "xmlspreadsheetreader.h"
#include "zipreader.h"

#include <QFile>

namespace Importer {

Workbook readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Workbook::failure(ImportMessages::cannotOpen(file.errorString()));
    if (file.size() > ImportLimits::MaxFileBytes)
        return Workbook::failure(ImportMessages::tooLarge());
    // A pipe or a file still growing says nothing true of its size: what
    // is read is what counts.
    const QByteArray bytes = file.read(ImportLimits::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Workbook::failure(ImportMessages::cannotOpen(file.errorString()));
    if (bytes.size() > ImportLimits::MaxFileBytes)
        return Workbook::failure(ImportMessages::tooLarge());
    return readBytes(bytes);
}

Workbook readBytes(const QByteArray &bytes)
{
    using Format = FormatProbe::Format;
    if (bytes.isEmpty())
        return Workbook::failure(ImportMessages::empty());
    switch (FormatProbe::detect(bytes)) {
    case Format::Biff:
        return BiffChild::read(bytes);
    case Format::Zip:
        return ZipReader::read(bytes);
    case Format::Html:
        return HtmlTableReader::read(bytes);
    case Format::XmlSpreadsheet:
        return XmlSpreadsheetReader::read(bytes);
    case Format::Xml:
        return Workbook::failure(ImportMessages::notAList());
    case Format::Text:
        return TextReader::read(bytes);
    }
    return Workbook::failure(ImportMessages::notAList());
}

} // namespace Importer
