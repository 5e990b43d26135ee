#include "folderprobe.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace FolderProbe {

QString whyNotWritable(const QString &filePath)
{
    const QFileInfo file(filePath);
    if (file.isDir())
        return QStringLiteral("al posto del file c'è una cartella con lo stesso nome");
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("la cartella %1 non esiste").arg(QDir::toNativeSeparators(folder));
    // Permission bits do not tell the whole story (access lists, read-only
    // media, quotas): creating a file, as the save does, is the real test.
    QTemporaryFile probe(QDir(folder).filePath(file.fileName() + QStringLiteral(".XXXXXX")));
    if (!probe.open())
        return probe.errorString();
    if (file.exists() && !file.isWritable())
        return QStringLiteral("il file è di sola lettura");
    return QString();
}

} // namespace FolderProbe
