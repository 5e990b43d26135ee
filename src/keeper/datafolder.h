// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QDir;

// The per-user data folder (QStandardPaths::AppDataLocation), where the
// program keeps what must survive when its own folder cannot take it: the
// journal of stored classes, recovery files and copies of damaged files.
namespace DataFolder {

// The folder's path as the system names it, which may not exist or be
// usable; empty when the system names none.
QString location();

// The folder's path, created if needed; an empty string and the reason in
// errorString when it cannot be had.
QString ensure(QString *errorString = nullptr);

// Why the folder cannot take a new file (it cannot be created, it is a
// file, it is read-only), in Italian, or an empty string.
QString whyCannotTakeFile();

// A short, stable name for the seating file at seatingFilePath, for the files
// the data folder keeps for it: copies of the program in different folders
// keep separate ones.
QString keyFor(const QString &seatingFilePath);

// The absolute path that key is made of, as it names the seating file.
QString keyedPath(const QString &seatingFilePath);

// A path in folder that no file has yet: "<stem>-AAAAMMGG-HHMMSS<suffix>"
// for the time when, with "-2", "-3" and so on before the suffix when that
// name is taken.
QString freshDatedPath(const QString &folder, const QString &stem, const QString &suffix,
                       const QDateTime &when = QDateTime::currentDateTime());

// The files in folder named as freshDatedPath() names them for stem and
// suffix, numbered ones too.
QStringList datedNames(const QDir &folder, const QString &stem, const QString &suffix);

// Renames the file at path, one of the data folder's own, to a fresh dated
// name "<stem>-AAAAMMGG-HHMMSS<suffix>" beside it, so that the next write does
// not replace it; when one set aside earlier holds the same bytes, removes it
// instead. Returns where it is kept, or an empty string and the reason.
QString setAside(const QString &path, const QString &stem, const QString &suffix,
                 QString *errorString = nullptr);

} // namespace DataFolder
