// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class Archivio;

// The seating file "Posti.bq": one line per table row, "name,position" in
// Windows-1252 with CR LF line ends, 310 lines, a single space for an empty
// name and "0" for an empty position. No header, no quoting.
//
// Reading is forgiving: line r is always row r, so a damaged line costs at
// most its own row, and every row of the table is filled whatever the file
// holds. A line with several commas or none is mended, not dropped.
namespace SeatingFile {

QString fileName();

struct LoadResult
{
    enum class Status {
        Missing,    // no file: the table is fresh
        Loaded,     // a well-formed file, loaded as it stands
        Damaged,    // loaded, but the file was not as this program writes it
        Unreadable, // the file exists but could not be read: the table is fresh
        NotAFile,   // a folder, device, FIFO or socket stands at the path: never
                    // opened, the table is fresh
    };
    Status status = Status::Missing;
    QString errorString;    // Unreadable, NotAFile: the reason
    QList<int> damagedRows; // Damaged: table rows (from 0) to check, in order: reset
                            // in full or in part, mended, or kept with
                            // characters Windows-1252 leaves undefined
    QStringList problems;   // Damaged: what was wrong, in Italian, one short line
                            // each, at most about a dozen; line numbers count from 1
};

// A name box holds no more than this (QLineEdit's limit); longer names are
// cut when read, so that what is shown is what will be saved.
constexpr qsizetype MaxNameLength = 32767;

// Reads the file at path into archivio. Every row is filled whatever the file holds.
LoadResult load(const QString &path, Archivio &archivio);

// Reads file contents into archivio; the same rules as load(). Contents that
// are UTF-8 (see isUtf8()) are read as such and reported: a line with a
// character Windows-1252 cannot hold is not read.
LoadResult parse(const QByteArray &bytes, Archivio &archivio);

// Whether bytes were written by an editor in UTF-8: they start with its byte
// order mark, or are valid UTF-8 with at least one multi-byte sequence. A
// Windows-1252 file almost never is: its accented letters stand alone.
bool isUtf8(QByteArrayView bytes);

// Where the save writes for path: symbolic links followed to their end, so
// that a link to the file keeps working and the link itself is kept.
QString resolvedPath(const QString &path);

// Why what stands at path (links followed) is not a file the program may
// read or replace (a folder, a device, a FIFO, a socket), in Italian; an empty
// string when it is a regular file or there is nothing.
QString whyNotAFile(const QString &path);

// Removes the temporary files a save killed half-way left beside the file:
// "<name>.XXXXXX" with six letters in both cases, as the save names them.
// Only for the one copy of the program that holds the file.
void removeStaleTemporaries(const QString &path);

// Whether c can stand in a cell that is saved: a Windows-1252 character that
// does not end a field or a line. Anything else would not read back as written.
bool canStore(QChar c);

// Whether c may stand in a name the teacher enters: a character canStore()
// accepts that is neither a double quote, which other readers of the format
// take as the start of a quoted field, nor a control character (tab, the C0
// and C1 controls, DEL), which no one can see in the box.
bool isNameCharacter(QChar c);

// The file contents for archivio, with " " written for an empty name and "0"
// for an empty position; the table itself is left as it is. Returns an empty
// array and the reason in errorString when a cell holds a character
// canStore() refuses.
QByteArray serialize(const Archivio &archivio, QString *errorString = nullptr);

// Writes the whole table to path, atomically: on failure the previous file is
// left untouched and errorString holds the reason. What is not a regular file
// (see whyNotAFile()) is never replaced.
bool save(const QString &path, const Archivio &archivio, QString *errorString = nullptr);

// Copies the file at path, byte for byte, to a new file beside it:
// "<path>.bak", or "<path>.bak.2", "<path>.bak.3" and so on when earlier
// copies exist; an earlier copy is never replaced. Returns the copy's path, or
// an empty string and the reason in errorString.
QString backupOriginal(const QString &path, QString *errorString = nullptr);

// The same, with the copy in folder instead of beside the file, for when the
// file's own folder cannot take it: "<folder>/<file name>.bak", then numbered.
QString backupOriginal(const QString &path, const QString &folder, QString *errorString = nullptr);

} // namespace SeatingFile
