// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// What the program tells the teacher about the seating file, in Italian.
// Paths are shown with the system's separators.
namespace KeeperMessages {

// The system's reason for a failure, in Italian words of our own for the
// common causes (no permission, disk full, name too long, missing folder,
// read-only medium, file in use); any other text as the system gives it.
QString reason(const QString &systemText);

// Start-up: parts of the one message about the file, joined by paragraphs().
QString damaged(const QString &filePath, const QStringList &problems);
QString unreadable(const QString &filePath, const QString &reason);
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

QString restoreJournal(const QString &journalFolder, const QStringList &differences);
QString journalUnreadable(const QString &reason, const QString &keptAt);
QString journalNotSetAside(const QString &journalPath, const QString &reason);
QString journalNotWritten(const QString &journalPath, const QString &reason);

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
