// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Archivio;

// What the screen held of a class whose changes were not stored yet: its 31
// names (the 30 pupils and the class name) and the 30 desks' positions in the
// seat list, which the stored names build.
struct UnstoredClass
{
    int tab = 1;
    QStringList names;
    QList<int> desks;
};

// Typing not yet stored, kept aside while the program runs, as an editor keeps
// a swap file, so that a crash, a kill or the end of the desktop session
// loses at most the last moments of it. It lives beside the journal in the
// per-user data folder, keyed like it, never in the seating file. Each class
// is kept with the seating file's path and a digest of the stored block it
// was typed over: it is worth offering back only while the table holds that
// very block. A small JSON file with a format version.
class UnstoredFile
{
public:
    explicit UnstoredFile(const QString &seatingFilePath);

    QString path() const;
    bool exists() const;

    // Writes what the screen held atomically, with the digest of each class's
    // block in stored.
    bool write(const QList<UnstoredClass> &classes, const Archivio &stored,
               QString *errorString = nullptr) const;

    struct Found
    {
        QList<UnstoredClass> matching; // typed over blocks that stored still holds
        bool stale = false;            // classes typed over other blocks, or another file
        bool unreadable = false;       // not a whole file of a format this program knows
    };
    Found read(const Archivio &stored) const;

    void remove() const;
    // Removes the temporary files a write killed half-way left.
    void removeStaleTemporaries() const;
    // As the journal's: renamed to a dated name, or removed when one set aside
    // earlier holds the same bytes. Returns where it is kept, or an empty
    // string and the reason.
    QString setAside(QString *errorString = nullptr) const;

private:
    QString m_seatingFilePath;
    QString m_key;
};
