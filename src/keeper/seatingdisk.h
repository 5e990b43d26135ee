// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingfile.h"

#include <QList>
#include <QString>

class Archivio;

// The seating file on the disk: reading it, replacing it atomically, copying
// it, and what may stand at its path instead. Reasons are in Italian.
namespace SeatingDisk {

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
    QString errorString;                  // Unreadable, NotAFile: the reason
    QList<SeatingFile::Problem> problems; // Damaged: what was wrong
};

// Reads the file at path into archivio. Every row is filled whatever the file holds.
LoadResult load(const QString &path, Archivio &archivio);

// Reads the whole file at path into bytes: Missing, Loaded, Unreadable or
// NotAFile, with the reason.
LoadResult readBytes(const QString &path, QByteArray &bytes);

// Writes bytes over the file at path, atomically, as save() does.
bool saveBytes(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);

// Where the save writes for path: symbolic links followed to their end, so
// that a link to the file keeps working and the link itself is kept.
QString resolvedPath(const QString &path);

// Why what stands at path (links followed) is not a file the program may
// read or replace (a folder, a device, a FIFO, a socket); an empty string
// when it is a regular file or there is nothing.
QString whyNotAFile(const QString &path);

// Removes the temporary files a save killed half-way left beside the file:
// "<name>.XXXXXX" with six letters in both cases, as the save names them.
// Only for the one copy of the program that holds the file.
void removeStaleTemporaries(const QString &path);

// Writes the whole table to path, atomically: on failure the previous file is
// left untouched and errorString holds the reason. What is not a regular file
// (see whyNotAFile()) is never replaced.
bool save(const QString &path, const Archivio &archivio, QString *errorString = nullptr);

// Writes bytes over the file at path, atomically, or says why not.
bool replace(const QString &path, const QByteArray &bytes, QString *errorString = nullptr);

// Copies the file at path, byte for byte, to a new file beside it:
// "<path>.bak", or "<path>.bak.2", "<path>.bak.3" and so on when earlier
// copies exist; an earlier copy is never replaced, and one that holds the
// same bytes is used instead of a new one. Returns the copy's path, or an
// empty string and the reason in errorString.
QString backupOriginal(const QString &path, QString *errorString = nullptr);

// The same, with the copy in folder instead of beside the file, for when the
// file's own folder cannot take it: "<folder>/<file name>.bak", then numbered.
QString backupOriginal(const QString &path, const QString &folder, QString *errorString = nullptr);

// Whether copy is a regular file of its own (not a link) with the very bytes
// of the file at path.
bool isCopyOf(const QString &path, const QString &copy);

} // namespace SeatingDisk
