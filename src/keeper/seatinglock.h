// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Keeps a second copy of the program from writing the seating file the first
// one has open. The lock stands beside the file, or in the data folder when
// the file's folder cannot take it; one left by a copy that crashed is taken
// over.
class SeatingLock
{
public:
    explicit SeatingLock(const QString &seatingFilePath);
    ~SeatingLock();

    // False when another running copy holds the file. True also when no
    // place can take a lock: there is then nothing to guard with, and the
    // folder check tells the teacher why.
    bool acquire();

private:
    enum class Outcome { Held, HeldElsewhere, NoPlace };
    Outcome tryLock(const QString &lockPath);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
