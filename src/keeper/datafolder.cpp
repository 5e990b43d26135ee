#include "datafolder.h"

#include "folderprobe.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataFolder {

QString location()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString ensure(QString *errorString)
{
    const QString folder = location();
    if (folder.isEmpty()) {
        if (errorString)
            *errorString = QStringLiteral("il sistema non indica una cartella dei dati personali");
        return QString();
    }
    if (!QDir().mkpath(folder)) {
        if (errorString)
            *errorString = QStringLiteral("impossibile creare la cartella %1")
                               .arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    return folder;
}

QString whyCannotTakeFile()
{
    QString error;
    const QString folder = ensure(&error);
    return folder.isEmpty()
               ? error
               : FolderProbe::whyNotWritable(QDir(folder).filePath(QStringLiteral("prova")));
}

QString freshDatedPath(const QString &folder, const QString &stem, const QString &suffix)
{
    const QString dated =
        stem + QDateTime::currentDateTime().toString(QStringLiteral("-yyyyMMdd-HHmmss"));
    const QDir dir(folder);
    QString path = dir.filePath(dated + suffix);
    // Two in the same second are rare; a counter keeps the earlier one anyway.
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(QStringLiteral("%1-%2%3").arg(dated).arg(n).arg(suffix));
    return path;
}

} // namespace DataFolder
