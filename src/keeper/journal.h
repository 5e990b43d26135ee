// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "historyfile.h"

#include <QString>

class Archivio;
class RuleBook;

// A copy of the table written after every store, so that a crash or a power
// cut between two closes loses nothing stored. It lives in the per-user data
// folder under a name tied to the seating file's absolute path, so copies of
// the program in different folders keep separate journals. A clean close
// removes it: one found at start-up was left by a run that did not end well.
// Beside it the rules journal holds the seating rules, and the history journal
// the plans of every class, written with it, so that rules, plans and names
// are restored or set aside together.
class Journal
{
public:
    explicit Journal(const QString &seatingFilePath);

    QString path() const;
    QString rulesPath() const;
    QString historyPath() const;
    // Whether the journal, the rules journal or the history journal is there.
    bool exists() const;

    // Writes the table atomically, in the seating file's own format.
    bool write(const Archivio &archivio, QString *errorString = nullptr) const;
    // Reads the journal into archivio when it is a whole, well-formed file;
    // otherwise false with the reason, and archivio is fresh.
    bool read(Archivio &archivio, QString *errorString) const;
    // The rules journal, written atomically in the rules file's format, or
    // removed when there are no rules to keep.
    bool writeRules(const RuleBook *book, QString *errorString = nullptr) const;
    // Whether a whole rules journal was there, read into book.
    bool readRules(RuleBook &book) const;
    // The history journal, as the rules journal.
    bool writeHistory(const HistoryFile::Histories *histories,
                      QString *errorString = nullptr) const;
    bool readHistory(HistoryFile::Histories &histories) const;
    // Every journal.
    void remove() const;

    // Removes the temporary files a store killed half-way left, as the seating
    // file's own. Only for the copy of the program that holds the file.
    void removeStaleTemporaries() const;

    // Renames the journal to a dated name beside it, so that the next store
    // does not overwrite it; when a journal set aside earlier holds the same
    // bytes, removes it instead. Returns the path it is kept at, or an empty
    // string and the reason in errorString.
    QString setAside(QString *errorString = nullptr) const;

private:
    QString m_key;
};
