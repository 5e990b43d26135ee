// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importmessages.h"
#include "importsheet.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

// Qt's XML reader for files from anywhere: a document type declaration,
// which no spreadsheet writes and entity tricks need, stops the reading
// before any entity it declares could be expanded.
class SafeXml : public QXmlStreamReader
{
public:
    explicit SafeXml(const QByteArray &bytes);

    // The next token; a DTD ends the reading as an error.
    TokenType next();
    // Moves to the next start element, false at the end or on an error.
    bool nextStart();

    // The value of the attribute with the local name, whatever its prefix.
    QStringView attribute(QStringView localName) const;

    // What to tell the teacher once the reading stopped on an error in a
    // file of the format: empty when it did not.
    QString problem(const QString &format) const;
    Workbook failure(const QString &format) const { return Workbook::failure(problem(format)); }

    // Runs the document through reader.start() and reader.end() at each
    // element's start and end, then gives what the reader gathered, or why the
    // file of the format could not be read: a broken document, or no sheet.
    template <typename Reader>
    Workbook readWorkbook(Reader &reader, const Workbook &gathered, const QString &format);

private:
    bool m_declarations = false;
};

template <typename Reader>
Workbook SafeXml::readWorkbook(Reader &reader, const Workbook &gathered, const QString &format)
{
    while (!atEnd()) {
        const TokenType token = next();
        if (token == StartElement)
            reader.start();
        else if (token == EndElement)
            reader.end();
    }
    if (hasError())
        return failure(format);
    if (gathered.sheets.isEmpty())
        return Workbook::failure(ImportMessages::noSheet());
    return gathered;
}
