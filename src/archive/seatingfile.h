// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class Archivio;

// The seating file "Posti.bq": one line per table row, "name,position" in
// Windows-1252 with CR LF line ends, 310 lines, a single space for an empty
// name and "0" for an empty position. No header, no quoting.
//
// Reading is forgiving: line r is always row r, so a damaged line costs at
// most its own row, and every row of the table is filled whatever the file
// holds. A line with several commas or none is mended, not dropped. What was
// found wrong is given as problems; the words for them are the keeper's.
namespace SeatingFile {

QString fileName();

// One thing a read found wrong: where, what, and what was made of it.
struct Problem
{
    enum class Kind {
        // The whole file; row is -1.
        Utf8,                  // written in UTF-8 by another program: read as such
        MarkBeforeWindowsText, // UTF-8's byte order mark before Windows-1252 text: read as
                               // such, the mark dropped
        TooFewLines,           // only count lines (maybe none): the rows after them are fresh
        ExtraLines,            // count lines past the last row: ignored
        BadLineEnds,           // count lines not ended by CR LF: read all the same
        // One row.
        EmptyLine,      // nothing in it: the row is fresh
        UndefinedBytes, // bytes Windows-1252 leaves undefined: kept as they are
        NoComma,        // read as the name `name`, the desk blank
        BadPosition,    // `found` is no position: 0 instead
        SeveralCommas,  // read as `name` (commas and double quotes made spaces), `position`
        LongName,       // a name of count characters, cut to MaxNameLength
        NotInCodePage,  // UTF-8 only: `found` is a character the file cannot hold; row not read
    };
    Kind kind{};
    int row = -1;        // table row, from 0
    qsizetype count = 0; // lines or characters, as the kind says
    QString found;       // the piece that was wrong
    QString name;        // what the row became
    QString position;
};

// A name box holds no more than this (QLineEdit's limit); longer names are
// cut when read, so that what is shown is what will be saved.
constexpr qsizetype MaxNameLength = 32767;

// Reads file contents into archivio, fresh first; every row is filled
// whatever the bytes hold. Contents that are UTF-8 (see isUtf8()) are read as
// such and reported: a line with a character Windows-1252 cannot hold is not
// read. Returns what was wrong, file problems and row problems in the order
// found; none for a file as this program writes it.
QList<Problem> parse(const QByteArray &bytes, Archivio &archivio);

// Whether bytes were written by an editor in UTF-8: valid UTF-8 after its
// byte order mark, or valid UTF-8 with at least one multi-byte sequence. A
// Windows-1252 file almost never is: its accented letters stand alone.
bool isUtf8(QByteArrayView bytes);

// Whether more than half the file's lines, as problems describe it, were not
// read as a name and a position: lines mended, emptied, not read at all or
// past the last row. Another file's contents or a binary file are; a file of
// this program's with a few damaged lines is not.
bool mostlyUnread(const QList<Problem> &problems);

// Whether c can stand in a cell that is saved: a Windows-1252 character that
// does not end a field or a line. Anything else would not read back as written.
bool canStore(QChar c);

// Whether c may stand in a name the teacher enters: a character canStore()
// accepts that is neither a double quote, which other readers of the format
// take as the start of a quoted field, nor a control character (tab, the C0
// and C1 controls, DEL), which no one can see in the box.
bool isNameCharacter(QChar c);

// A cell that cannot be saved: the first character canStore() refuses.
struct Unstorable
{
    int row = -1;
    int column = 0;
    QString text; // the cell
    QChar character;
};

// The file contents for archivio, with " " written for an empty name and "0"
// for an empty position; the table itself is left as it is. Returns an empty
// array, and the first cell that cannot be saved in unstorable, when a cell
// holds a character canStore() refuses.
QByteArray serialize(const Archivio &archivio, Unstorable *unstorable = nullptr);

} // namespace SeatingFile
