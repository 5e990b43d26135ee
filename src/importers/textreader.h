// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "importsheet.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// Text files: CSV or TXT as registers and spreadsheets write them.
namespace TextReader {

// The text of bytes: UTF-8 with or without its byte order mark, UTF-16 with
// its mark, and anything else as Windows-1252.
QString decode(const QByteArray &bytes);

// Whether text looks like words rather than the bytes of a binary file.
bool isText(const QString &text);

// Records of text split at separator, quoted fields as RFC 4180 writes them.
QList<QStringList> split(const QString &text, QChar separator);

// Which of comma, semicolon and tab splits text into steady columns.
QChar findSeparator(const QString &text);

// One sheet of the file's rows.
Workbook read(const QByteArray &bytes);

} // namespace TextReader
