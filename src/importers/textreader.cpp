// SPDX-License-Identifier: GPL-3.0-or-later
#include "textreader.h"

#include "cp1252.h"
#include "importmessages.h"

#include <QHash>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace TextReader {
namespace {

// How many records the separator is judged on.
constexpr int SampleRecords = 50;

bool startsWith(const QByteArray &bytes, const char *mark)
{
    return bytes.startsWith(QByteArrayView(mark));
}

QString decodeAs(QStringConverter::Encoding encoding, QByteArrayView bytes, bool *failed)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (failed)
        *failed = decoder.hasError();
    return text;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return decodeAs(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3), nullptr);
    if (startsWith(bytes, "\xFF\xFE"))
        return decodeAs(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2), nullptr);
    if (startsWith(bytes, "\xFE\xFF"))
        return decodeAs(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2), nullptr);
    bool failed = false;
    QString text = decodeAs(QStringConverter::Utf8, bytes, &failed);
    return failed ? Cp1252::decode(bytes) : text;
}

bool isText(const QString &text)
{
    qsizetype odd = 0;
    for (QChar c : text) {
        if (c.isNull() || c == QChar::ReplacementCharacter)
            return false;
        if (c.category() == QChar::Other_Control && c != u'\t' && c != u'\n' && c != u'\r')
            ++odd;
    }
    // A stray control character or two may come with a hand-kept file.
    return odd * 100 <= text.size();
}

QList<QStringList> split(const QString &text, QChar separator)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    // Fields and records past the limits are dropped, so that a file of
    // nothing but separators costs no more than a sane one.
    const auto endField = [&] {
        if (record.size() < ImportLimits::MaxColumns)
            record.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        records.append(record);
        record.clear();
    };
    for (qsizetype i = 0; i < text.size() && records.size() < ImportLimits::MaxRows; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else
                quoted = false;
        } else if (c == u'"' && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if ((fieldStarted || !record.isEmpty()) && records.size() < ImportLimits::MaxRows)
        endRecord();
    return records;
}

QChar findSeparator(const QString &text)
{
    // The candidate that gives the most records with the same number (two or
    // more) of fields wins; on a tie, the one that gives more fields, then
    // tab before semicolon before comma, as a name may hold a comma.
    QChar best = u',';
    int bestSteady = 0;
    qsizetype bestFields = 0;
    for (QChar separator : {u'\t', u';', u','}) {
        QList<QStringList> records = split(text.left(64 * 1024), separator);
        records = records.mid(0, SampleRecords);
        QHash<qsizetype, int> counts;
        for (const QStringList &record : records) {
            if (record.size() > 1)
                ++counts[record.size()];
        }
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            if (it.value() > bestSteady || (it.value() == bestSteady && it.key() > bestFields)) {
                best = separator;
                bestSteady = it.value();
                bestFields = it.key();
            }
        }
    }
    return best;
}

Workbook read(const QByteArray &bytes)
{
    const QString text = decode(bytes);
    if (!isText(text))
        return Workbook::failure(ImportMessages::notAList());
    Sheet sheet;
    int line = 0;
    for (QStringList &record : split(text, findSeparator(text))) {
        if (!sheet.addRow(++line, std::move(record)))
            break;
    }
    if (sheet.rows.isEmpty())
        return Workbook::failure(ImportMessages::empty());
    Workbook workbook;
    workbook.sheets.append(sheet);
    return workbook;
}

} // namespace TextReader
