#include "seatinglock.h"

#include "datafolder.h"
#include "seatingfile.h"

#include <QDir>
#include <QLockFile>

SeatingLock::SeatingLock(const QString &seatingFilePath)
    : m_path(seatingFilePath)
{}

SeatingLock::~SeatingLock() = default;

bool SeatingLock::acquire()
{
    // Beside the file the links lead to, so that every way to the one file
    // meets the same lock.
    QStringList places{SeatingFile::resolvedPath(m_path) + QStringLiteral(".lock")};
    const QString dataFolder = DataFolder::ensure();
    if (!dataFolder.isEmpty()) {
        places << QDir(dataFolder)
                      .filePath(QStringLiteral("Posti-") + DataFolder::keyFor(m_path) +
                                QStringLiteral(".lock"));
    }
    for (const QString &place : std::as_const(places)) {
        auto lock = std::make_unique<QLockFile>(place);
        // Only an owner that is gone makes a lock stale: a session lasts
        // hours, and age alone would hand the file to a second copy.
        lock->setStaleLockTime(0);
        if (lock->tryLock()) {
            m_lock = std::move(lock);
            return true;
        }
        if (lock->error() == QLockFile::LockFailedError)
            return false;
    }
    return true;
}
