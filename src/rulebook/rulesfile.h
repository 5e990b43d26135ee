// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rulebook.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The rules file "Posti-regole.txt", beside the seating file: UTF-8 text a
// teacher may open in an editor. Its first line names the format and its
// version, "Posti-regole versione 1"; then one rule a line, its fields
// separated by tabs:
//
//   class (1–10)  kind  slot (1–30)  name  and, by kind,
//   "separati" or "compagni di banco":  the other pupil's slot and name
//   "davanti":                          the rows (1–4)
//   "banco fisso":                      the desk (1–30)
//
// Blank lines and lines starting with "#" are skipped. A byte order mark and
// CR LF or LF line ends are read alike; the program writes CR LF, no mark.
// A pupil is their slot: the names are there for the reader, and to tell a
// rename.
//
// Reading is forgiving: a damaged line costs that line only. A file of a
// newer version is read as far as this version understands it.
namespace RulesFile {

constexpr int Version = 1;

// The file's name beside a seating file named seatingFileName:
// "Posti.bq" keeps its rules in "Posti-regole.txt".
QString fileNameFor(const QString &seatingFileName);

struct Problem
{
    enum class Kind {
        NoHeader,  // line 1 does not name the format: read as version 1
        NotUtf8,   // the line is not UTF-8 text
        BadLine,   // the line is no rule this version knows
        Duplicate, // the line repeats a rule of its class
    };
    Kind kind{};
    int line = 0; // from 1
    QString text; // the line as read
};

struct ReadResult
{
    RuleBook book;
    int version = Version;
    QList<Problem> problems;
    bool isNewer() const { return version > Version; }
};

ReadResult parse(const QByteArray &bytes);
QByteArray serialize(const RuleBook &book);

} // namespace RulesFile
