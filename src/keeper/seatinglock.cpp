// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatinglock.h"

#include "datafolder.h"
#include "seatingdisk.h"

#include <QDir>
#include <QLockFile>

using namespace Qt::StringLiterals;

SeatingLock::SeatingLock(const QString &seatingFilePath)
    : m_path(seatingFilePath)
{}

SeatingLock::~SeatingLock() = default;

bool SeatingLock::acquire()
{
    // Beside the file the links lead to, so that every way to the one file
    // meets the same lock.
    const QString file = SeatingDisk::resolvedPath(m_path);
    switch (tryLock(file + u".lock"_s)) {
    case Outcome::Held:
        return true;
    case Outcome::HeldElsewhere:
        return false;
    case Outcome::NoPlace:
        break;
    }
    const QString dataFolder = DataFolder::ensure();
    if (dataFolder.isEmpty())
        return true;
    const QString name = u"Posti-"_s + DataFolder::keyFor(file) + u".lock"_s;
    return tryLock(QDir(dataFolder).filePath(name)) != Outcome::HeldElsewhere;
}

SeatingLock::Outcome SeatingLock::tryLock(const QString &lockPath)
{
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only an owner that is gone makes a lock stale: a session lasts hours,
    // and age alone would hand the file to a second copy.
    lock->setStaleLockTime(0);
    if (lock->tryLock()) {
        m_lock = std::move(lock);
        return Outcome::Held;
    }
    return lock->error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere : Outcome::NoPlace;
}
