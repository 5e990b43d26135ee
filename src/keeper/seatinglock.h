// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include <memory>

class QLockFile;

// Keeps a second copy of the program from writing the seating file the first
// one has open. The lock stands beside the file, or in the data folder when
// the file's folder cannot take it. A copy writes who it is into its lock the
// instant it makes it; a lock is taken over when its copy is gone: one of
// this computer whose process has ended, or one that cannot be read and is
// older than a few seconds or dated more than a day ahead.
class SeatingLock
{
public:
    // Who holds the file, as its lock says.
    struct Holder
    {
        QString host;             // the computer's name; empty when the lock cannot be read
        QDateTime since;          // when the lock was made
        bool thisComputer = true; // this computer, or one that cannot be told
    };

    explicit SeatingLock(const QString &seatingFilePath);
    ~SeatingLock();

    // False when another copy holds the file; true again once held. True also when no place can
    // take a lock: there is then nothing to guard with, and the folder check
    // tells the teacher why.
    bool acquire();

    // After acquire() failed: who holds the file.
    Holder holder() const;

    // After acquire() failed, for a teacher who knows the copy holding the
    // file is closed (on another computer): takes its lock. A copy running on
    // this computer keeps its own, as the system holds it for that copy.
    bool takeOver();

private:
    enum class Outcome { Held, HeldElsewhere, NoPlace };
    Outcome tryLock(const QString &lockPath);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_heldElsewhere; // the lock another copy holds
};
