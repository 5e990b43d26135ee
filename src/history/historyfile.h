// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "plan.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// The history file "Posti-cronologia.txt", beside the seating file: UTF-8
// text a teacher may open in an editor. Its first line names the format and
// its version, "Posti-cronologia versione 1"; then one plan a line, oldest
// first within a class, its fields separated by tabs:
//
//   class (1–10)  date (YYYY-MM-DD)  desk 1  …  desk 30
//
// where a desk is "-" when blank, "*" when marked, and otherwise the pupil's
// slot (1–30), a space and the name shown then ("4 Rossi Anna"). A desk of a
// pupil no longer in the class keeps their name after "- " ("- Rossi Anna"):
// shown, but nobody's desk-mate any more.
//
// Blank lines and lines starting with "#" are skipped. A byte order mark and
// CR LF or LF line ends are read alike; the program writes CR LF, no mark.
// Reading is forgiving: a damaged line costs that plan only. A file of a
// newer version is read as far as this version understands it (fields after
// the thirtieth desk are left aside).
namespace HistoryFile {

constexpr int Version = 1;

using Histories = std::array<PlanHistory, Archivio::Classes>;

// "Posti.bq" keeps its history in "Posti-cronologia.txt".
QString fileNameFor(const QString &seatingFileName);

struct Problem
{
    enum class Kind {
        NoHeader, // line 1 does not name the format: read as version 1
        NotUtf8,  // the line is not UTF-8 text
        BadLine,  // the line is no plan this version knows
    };
    Kind kind{};
    int line = 0; // from 1
    QString text; // the line as read
};

struct ReadResult
{
    Histories histories; // of class 1 at index 0
    int version = Version;
    QList<Problem> problems;
    bool isNewer() const { return version > Version; }
};

ReadResult parse(const QByteArray &bytes);
QByteArray serialize(const Histories &histories);

} // namespace HistoryFile
