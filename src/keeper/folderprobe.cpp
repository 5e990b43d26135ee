// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderprobe.h"

#include "fileerrorcause.h"
#include "keepermessages.h"
#include "seatingdisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace FolderProbe {

QString whyNotWritable(const QString &filePath)
{
    // Checked where the save writes: a link to a file in a missing folder
    // cannot take the file even though the link's own folder could.
    const QFileInfo file(SeatingDisk::resolvedPath(filePath));
    const QString notAFile = SeatingDisk::whyNotAFile(file.filePath());
    if (!notAFile.isEmpty())
        return notAFile;
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return KeeperMessages::folderMissing(folder);
    // Permission bits do not tell the whole story (access lists, read-only
    // media, quotas): creating a file, as the save does, is the real test.
    QTemporaryFile probe(QDir(folder).filePath(file.fileName() + u".XXXXXX"_s));
    FileErrorCause::clear();
    if (!probe.open())
        return KeeperMessages::reason(FileErrorCause::of(probe.fileTemplate()),
                                      probe.errorString());
    // The scratch file may have no name at all (Linux can open it unnamed),
    // and a name too long fails only when it is given: a name as long as the
    // file's is tried as well.
    if (!file.exists()) {
        QFile sameLength(QDir(folder).filePath(u'~' + file.fileName().chopped(1)));
        FileErrorCause::clear();
        if (sameLength.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            sameLength.remove();
        } else {
            const FileErrorCause::Cause cause = FileErrorCause::of(sameLength.fileName());
            if (!sameLength.exists()) // else another run took the name first
                return KeeperMessages::reason(cause, sameLength.errorString());
        }
    }
    if (file.exists() && !file.isReadable())
        return KeeperMessages::fileNotUsable();
    if (file.exists() && !file.isWritable())
        return KeeperMessages::fileReadOnly();
    return QString();
}

} // namespace FolderProbe
