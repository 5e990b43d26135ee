// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileerrorcause.h"
#include "historyfile.h"
#include "rulesfile.h"
#include "seatingfile.h"
#include "tabledifferences.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// What the program tells the teacher about the seating file, in Italian: the
// one place for the keeper's words. Paths are shown with the system's
// separators. Reasons are short and lower case, without a full stop.
namespace KeeperMessages {

// A failure's reason by its cause; for a cause the program has no words of
// its own for, the system's text as it is.
QString reason(FileErrorCause::Cause cause, const QString &systemText);

// Reasons of the program's own.
QString folderInPlace();
QString specialFileInPlace();
QString tooBig();
QString writeFailed();
QString originalUnreadable();
QString tooManyCopies(const QString &fileName);
QString unstorable(const SeatingFile::Unstorable &cell);
QString folderMissing(const QString &folder);
QString fileNotUsable();
QString fileReadOnly();
QString noDataFolder();
QString folderNotCreated(const QString &folder);
QString journalDamaged();

// Start-up: parts of the one message about the file, joined by paragraphs().
// The damage is listed file problems first, then the first ten rows'.
QString damaged(const QString &filePath, const QList<SeatingFile::Problem> &problems);
QString unreadable(const QString &filePath, const QString &reason);
// Desks that pointed past their class's list and were blanked.
QString desksBlanked(int count);
QString copyKept(const QString &copyPath);
QString copyFailed(const QString &reason);
QString folderCannotTakeFile(const QString &filePath, const QString &reason);
// dataFolderReason: why the data folder cannot take a file either; empty when
// the seating file is in the data folder, so the first reason says it all.
QString nothingCanBeKept(const QString &filePath, const QString &reason,
                         const QString &dataFolderReason);
QString programFolderUnknown(const QString &filePath);
QString paragraphs(const QStringList &parts);

QString openElsewhere(const QString &filePath);
// The file's lock was left by a copy on another computer, there since since
// (the year said only when it is not this one's).
QString openOnOtherComputer(const QString &host, const QDateTime &since);

// rulesChanged: the classes whose seating rules differ.
QString restoreJournal(const QString &journalFolder,
                       const QList<TableDifferences::ClassDifference> &differences,
                       int rulesChanged = 0);
QString journalUnreadable(const QString &reason, const QString &keptAt);
QString journalNotSetAside(const QString &journalPath, const QString &reason);
QString journalNotWritten(const QString &journalPath, const QString &reason);

// The rules file: start-up, and why its rules cannot be changed.
QString rulesDamaged(const QString &filePath, const QList<RulesFile::Problem> &problems);
QString rulesNewer(const QString &filePath);
QString rulesUnreadable(const QString &filePath, const QString &reason);
QString rulesNotSaved(const QString &filePath, const QString &reason, const QString &journalPath);
// The history of plans: when first read, and why no plan is recorded.
QString historyDamaged(const QString &filePath, const QList<HistoryFile::Problem> &problems);
QString historyNewer(const QString &filePath);
QString historyUnreadable(const QString &filePath, const QString &reason);
QString historyNotSaved(const QString &filePath, const QString &reason, const QString &journalPath);
// Unstored changes left by a run that did not close: the question offering
// them back, naming the class; and why they are not offered.
QString restoreUnstored(const QString &classTitle);
QString unstoredSetAside(const QString &keptAt, bool unreadable);
QString unstoredNotSetAside(const QString &path, const QString &reason);

// Close.
QString originalAtRisk(const QString &reason);
QString saveFailed(const QString &filePath, const QString &reason);
QString changedElsewhere(const QString &copyPath);
QString changedNotCopied(const QString &reason);
// originalUnread: the file at start-up could not be read, so copying the
// recovery file over it is not the advice to give.
QString recoveryWritten(const QString &recoveryPath, const QString &seatingFilePath,
                        bool originalUnread);
QString recoveryFailed(const QString &recoveryPath, const QString &reason,
                       const QString &journalPath);

} // namespace KeeperMessages
