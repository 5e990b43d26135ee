#pragma once

#include <QString>
#include <QStringList>

// What the program tells the teacher about the seating file, in Italian.
// Paths are shown with the system's separators.
namespace KeeperMessages {

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

QString restoreJournal(const QString &journalFolder);
QString journalUnreadable(const QString &reason, const QString &keptAt);
QString journalNotSetAside(const QString &journalPath, const QString &reason);
QString journalNotWritten(const QString &journalPath, const QString &reason);

// Close.
QString originalAtRisk(const QString &reason);
QString saveFailed(const QString &filePath, const QString &reason);
QString recoveryWritten(const QString &recoveryPath, const QString &seatingFilePath);
QString recoveryFailed(const QString &recoveryPath, const QString &reason,
                       const QString &journalPath);

} // namespace KeeperMessages
