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

// The file in the folder that holds the executable.
QString defaultPath();

struct LoadResult
{
    enum class Status {
        Missing,    // no file: the table is fresh
        Loaded,     // a well-formed file, loaded as it stands
        Damaged,    // loaded, but the file was not as this program writes it
        Unreadable, // the file exists but could not be read: the table is fresh
    };
    Status status = Status::Missing;
    QString errorString;    // Unreadable: the system's reason
    QList<int> damagedRows; // Damaged: table rows (from 0) to check, in order: reset
                            // in full or in part, mended, or kept with
                            // characters Windows-1252 leaves undefined
    QStringList problems;   // Damaged: what was wrong, in Italian, one short line
                            // each, at most about a dozen; line numbers count from 1
};

// Reads the file at path into archivio. Every row is filled whatever the file holds.
LoadResult load(const QString &path, Archivio &archivio);

// Reads file contents into archivio; the same rules as load().
LoadResult parse(const QByteArray &bytes, Archivio &archivio);

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
// left untouched and errorString holds the reason.
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
