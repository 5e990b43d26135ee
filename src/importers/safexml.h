// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

private:
    bool m_declarations = false;
};
