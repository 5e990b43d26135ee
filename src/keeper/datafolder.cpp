// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafolder.h"

#include "fileerrorcause.h"
#include "folderprobe.h"
#include "keepermessages.h"
#include "namepattern.h"
#include "seatingdisk.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

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
            *errorString = KeeperMessages::noDataFolder();
        return QString();
    }
    if (!QDir().mkpath(folder)) {
        if (errorString)
            *errorString = KeeperMessages::folderNotCreated(folder);
        return QString();
    }
    return folder;
}

QString whyCannotTakeFile()
{
    QString error;
    const QString folder = ensure(&error);
    return folder.isEmpty() ? error
                            : FolderProbe::whyNotWritable(QDir(folder).filePath(u"prova"_s));
}

QString keyedPath(const QString &seatingFilePath)
{
    QString path = QDir::cleanPath(QFileInfo(seatingFilePath).absoluteFilePath());
#ifdef Q_OS_WIN
    path = path.toCaseFolded(); // one folder, however its name is spelt
#endif
    return path;
}

// 16 hex digits of the absolute path: file names cannot hold a path, and
// this is plenty to tell folders apart.
QString keyFor(const QString &seatingFilePath)
{
    const QByteArray hash =
        QCryptographicHash::hash(keyedPath(seatingFilePath).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.left(8).toHex());
}

QString freshDatedPath(const QString &folder, const QString &stem, const QString &suffix,
                       const QDateTime &when)
{
    const QString dated = stem + when.toString(u"-yyyyMMdd-HHmmss"_s);
    const QDir dir(folder);
    QString path = dir.filePath(dated + suffix);
    // Two in the same second are rare; a counter keeps the earlier one anyway.
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = dir.filePath(u"%1-%2%3"_s.arg(dated).arg(n).arg(suffix));
    return path;
}

QStringList datedNames(const QDir &folder, const QString &stem, const QString &suffix)
{
    return NamePattern::files(folder, QString(stem + uR"(-????????-??????*)"_s + suffix));
}

QString setAside(const QString &path, const QString &stem, const QString &suffix,
                 QString *errorString)
{
    QFile file(path);
    const QDir folder = QFileInfo(file).absoluteDir();
    // Starts that keep failing on one file set it aside once.
    const QStringList earlier = datedNames(folder, stem, suffix);
    for (const QString &name : earlier) {
        if (SeatingDisk::isCopyOf(file.fileName(), folder.filePath(name)) && file.remove())
            return folder.filePath(name);
    }
    const QString aside = freshDatedPath(folder.path(), stem, suffix);
    FileErrorCause::clear();
    if (file.rename(aside))
        return aside;
    if (errorString)
        *errorString = KeeperMessages::reason(FileErrorCause::of(aside), file.errorString());
    return QString();
}

} // namespace DataFolder
