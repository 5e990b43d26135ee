// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatinglock.h"

#include "datafolder.h"
#include "seatingdisk.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace {

// File times on a USB stick are coarse: younger than this, a lock that cannot
// be read may be a copy's that is writing it right now.
constexpr qint64 UnreadableLockAge = 10;
// A clock this far wrong dated the lock; it cannot be told young.
constexpr qint64 FutureLockAge = -24 * 60 * 60;

// A lock whose owner cannot be read is one whose copy died between making it
// and writing it, unless it is young: QLockFile never takes it over.
bool belongsToNobody(const QLockFile &lock, const QString &lockPath)
{
    const QFileInfo info(lockPath);
    qint64 pid = 0;
    QString host, application;
    if (!info.exists() || lock.getLockInfo(&pid, &host, &application))
        return false;
    const qint64 age = info.lastModified().secsTo(QDateTime::currentDateTime());
    return age > UnreadableLockAge || age < FutureLockAge;
}

} // namespace

SeatingLock::SeatingLock(const QString &seatingFilePath)
    : m_path(seatingFilePath)
{}

SeatingLock::~SeatingLock() = default;

bool SeatingLock::acquire()
{
    if (m_lock)
        return true;
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

SeatingLock::Holder SeatingLock::holder() const
{
    Holder holder;
    qint64 pid = 0;
    QString application;
    QLockFile(m_heldElsewhere).getLockInfo(&pid, &holder.host, &application);
    holder.since = QFileInfo(m_heldElsewhere).lastModified();
    // Windows' computer names have no case.
    holder.thisComputer = holder.host.isEmpty() || holder.host.compare(QSysInfo::machineHostName(),
                                                                       Qt::CaseInsensitive) == 0;
    return holder;
}

bool SeatingLock::takeOver()
{
    if (m_lock)
        return true;
    auto lock = std::make_unique<QLockFile>(m_heldElsewhere);
    lock->setStaleLockTime(0);
    if (!lock->removeStaleLockFile() || !lock->tryLock())
        return false;
    m_lock = std::move(lock);
    m_heldElsewhere.clear();
    return true;
}

SeatingLock::Outcome SeatingLock::tryLock(const QString &lockPath)
{
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only an owner that is gone makes a lock stale: a session lasts hours,
    // and age alone would hand the file to a second copy.
    lock->setStaleLockTime(0);
    // The removal fails while a running copy holds the lock (the system's
    // own file lock): two copies starting at once cannot both take it.
    if (belongsToNobody(*lock, lockPath))
        lock->removeStaleLockFile();
    if (lock->tryLock()) {
        m_lock = std::move(lock);
        return Outcome::Held;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Outcome::NoPlace;
    m_heldElsewhere = lockPath;
    return Outcome::HeldElsewhere;
}
