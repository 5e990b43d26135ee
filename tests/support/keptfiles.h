// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "seatingfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

// Files the keeping tests write and look for: the seating file, and what the
// program keeps in the per-user data folder.
namespace KeptFiles {

using namespace Qt::StringLiterals;

inline const QString RecoveryName = uR"(Posti-recupero-????????-??????.bq)"_s;
inline const QString JournalName = uR"(Posti-diario-????????????????.bq)"_s;
inline const QString AsideName = uR"(Posti-diario-????????????????-????????-??????.bq)"_s;
inline const QString UnstoredName = uR"(Posti-modifiche-????????????????.json)"_s;
inline const QString UnstoredAside = uR"(Posti-modifiche-????????????????-????????-??????.json)"_s;

// Points the per-user data folder into folder, so that a test (and a child
// run, which inherits the environment) keeps nothing of the user's.
inline void useDataFolderIn(const QString &folder)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    qputenv("XDG_DATA_HOME", QFile::encodeName(QDir(folder).filePath(u"data"_s)));
#else
    Q_UNUSED(folder);
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
#endif
}

inline QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// The one file in the data folder the wildcard matches; none if none or more.
inline QString dataFile(const QString &wildcard)
{
    const QDir folder(dataFolder());
    const QStringList found = folder.entryList({wildcard}, QDir::Files);
    return found.size() == 1 ? folder.filePath(found.first()) : QString();
}

// The first rows of a file whose rows all differ, pupil s of class 1 on desk
// s, so that a shifted or lost row shows.
inline QByteArray distinctFile(int rows = Archivio::Rows)
{
    QByteArray file;
    for (int row = 0; row < rows; ++row)
        file += "Nome" + QByteArray::number(row) + "," +
                QByteArray::number(row < Archivio::Pupils ? row + 2 : 0) + "\r\n";
    return file;
}

// What a regular file holds; nothing for anything else.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll()
                                                                      : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline bool setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(when, QFileDevice::FileModificationTime);
}

inline Archivio tableOf(const QByteArray &bytes)
{
    Archivio table;
    SeatingFile::parse(bytes, table);
    return table;
}

} // namespace KeptFiles
