// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a file call failed, by its cause rather than by the system's words:
// those come in the system's language, and once Qt's translations are
// installed in Qt's, so that no text can be matched. The one file that knows
// the platform's error numbers.
namespace FileErrorCause {

enum class Cause {
    Unknown, // the system's own words are all there is
    NoPermission,
    NotWritable, // the file is there but may not be changed
    DiskFull,
    NameTooLong,
    MissingFolder,
    ReadOnlyDisk,
    InUse, // another program holds the file
};

// Forgets the system's last error number, so that the next failure's is the
// one read: call it right before the call that may fail.
void clear();

// The cause of a call on path that has just failed: the system's error
// number, read at once, or where the call left none that names a cause, what
// stands at path and its folder.
Cause of(const QString &path);

} // namespace FileErrorCause
