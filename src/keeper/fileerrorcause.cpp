// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileerrorcause.h"

#include <QFileInfo>
#include <QStorageInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#endif

namespace FileErrorCause {
namespace {

#ifdef Q_OS_WIN
Cause fromErrorNumber()
{
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
        return Cause::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::DiskFull;
    case ERROR_FILENAME_EXCED_RANGE:
        return Cause::NameTooLong;
    case ERROR_PATH_NOT_FOUND:
        return Cause::MissingFolder;
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnlyDisk;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Cause::InUse;
    default:
        return Cause::Unknown;
    }
}
#else
Cause fromErrorNumber()
{
    switch (errno) {
    case EACCES:
    case EPERM:
        return Cause::NoPermission;
    case ENOSPC:
    case EDQUOT:
        return Cause::DiskFull;
    case ENAMETOOLONG:
        return Cause::NameTooLong;
    case ENOENT:
    case ENOTDIR:
        return Cause::MissingFolder;
    case EROFS:
        return Cause::ReadOnlyDisk;
    case ETXTBSY:
    case EBUSY:
        return Cause::InUse;
    default:
        return Cause::Unknown;
    }
}
#endif

// What the path shows, for a call that left no error number of its own.
Cause fromPath(const QString &path)
{
    const QFileInfo file(path);
    if (!QFileInfo(file.absolutePath()).isDir())
        return Cause::MissingFolder;
    const QStorageInfo disk(file.absolutePath());
    if (disk.isValid() && disk.isReadOnly())
        return Cause::ReadOnlyDisk;
    if (disk.isValid() && disk.bytesAvailable() == 0)
        return Cause::DiskFull;
    if (file.exists() && !file.isWritable())
        return Cause::NotWritable;
    return Cause::Unknown;
}

} // namespace

void clear()
{
#ifdef Q_OS_WIN
    SetLastError(ERROR_SUCCESS);
#else
    errno = 0;
#endif
}

Cause of(const QString &path)
{
    // Read before anything else can replace it.
    const Cause cause = fromErrorNumber();
    return cause != Cause::Unknown ? cause : fromPath(path);
}

} // namespace FileErrorCause
