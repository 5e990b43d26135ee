// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderprobe.h"

#include "seatingfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace FolderProbe {

QString whyNotWritable(const QString &filePath)
{
    // Checked where the save writes: a link to a file in a missing folder
    // cannot take the file even though the link's own folder could.
    const QFileInfo file(SeatingFile::resolvedPath(filePath));
    const QString notAFile = SeatingFile::whyNotAFile(file.filePath());
    if (!notAFile.isEmpty())
        return notAFile;
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("la cartella %1 non esiste").arg(QDir::toNativeSeparators(folder));
    // Permission bits do not tell the whole story (access lists, read-only
    // media, quotas): creating a file, as the save does, is the real test.
    QTemporaryFile probe(QDir(folder).filePath(file.fileName() + QStringLiteral(".XXXXXX")));
    if (!probe.open())
        return probe.errorString();
    // The scratch file may have no name at all (Linux can open it unnamed),
    // and a name too long fails only when it is given: a name as long as the
    // file's is tried as well.
    if (!file.exists()) {
        QFile sameLength(QDir(folder).filePath(QLatin1Char('~') + file.fileName().chopped(1)));
        if (sameLength.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            sameLength.remove();
        else if (!sameLength.exists())
            return sameLength.errorString();
    }
    if (file.exists() && !file.isReadable())
        return QStringLiteral("il programma non ha il permesso di usare il file");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("il file è di sola lettura");
    return QString();
}

} // namespace FolderProbe
