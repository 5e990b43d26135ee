#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Archivio;

// The seating file "Posti.bq": one line per table row, "name,position" in
// Windows-1252 with CR LF line ends, 310 lines, a single space for an empty
// name and "0" for an empty position. No header, no quoting.
namespace SeatingFile {

QString fileName();

// The file in the folder that holds the executable.
QString defaultPath();

struct LoadResult
{
    enum class Status {
        Missing,    // no file: the table is fresh
        Loaded,     // a well-formed file, loaded as it stands
        Damaged,    // loaded, but some rows could not be read as written
        Unreadable, // the file exists but could not be read: the table is fresh
    };
    Status status = Status::Missing;
    QString errorString;   // Unreadable: the system's reason
    QList<int> damagedRows; // Damaged: rows reset (in full or in part) to a fresh row
    QStringList problems;  // Damaged: what was wrong, in Italian, one line each
};

// Reads the file at path into archivio. Every row is filled whatever the file holds.
LoadResult load(const QString &path, Archivio &archivio);

// Reads file contents into archivio; the same rules as load().
LoadResult parse(const QByteArray &bytes, Archivio &archivio);

// The file contents for archivio. Like the save, it first replaces empty
// names by " " and empty positions by "0" in the table itself.
// Returns an empty array, and the reason in errorString, when a name holds a
// character the file cannot represent.
QByteArray serialize(Archivio &archivio, QString *errorString = nullptr);

// Writes the whole table to path, atomically: on failure the previous file is
// left untouched and errorString holds the system's reason.
bool save(const QString &path, Archivio &archivio, QString *errorString = nullptr);

} // namespace SeatingFile
