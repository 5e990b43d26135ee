#include "journal.h"

#include "archivio.h"
#include "datafolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A short, stable stand-in for the seating file's absolute path: file names
// cannot hold a path, and 16 hex digits are plenty to tell folders apart.
QString keyFor(const QString &seatingFilePath)
{
    QString path = QDir::cleanPath(QFileInfo(seatingFilePath).absoluteFilePath());
#ifdef Q_OS_WIN
    path = path.toCaseFolded(); // one folder, however its name is spelt
#endif
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.left(8).toHex());
}

QString stem(const QString &key)
{
    return QStringLiteral("Posti-diario-") + key;
}

} // namespace

Journal::Journal(const QString &seatingFilePath)
    : m_key(keyFor(seatingFilePath))
{}

QString Journal::path() const
{
    // Asked each time: the folder is the system's to say, not fixed at start.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(stem(m_key) + QStringLiteral(".bq"));
}

bool Journal::exists() const
{
    return QFileInfo::exists(path());
}

bool Journal::write(const Archivio &archivio, QString *errorString) const
{
    if (DataFolder::ensure(errorString).isEmpty())
        return false;
    return SeatingFile::save(path(), archivio, errorString);
}

SeatingFile::LoadResult Journal::read(Archivio &archivio) const
{
    return SeatingFile::load(path(), archivio);
}

void Journal::remove() const
{
    QFile::remove(path());
}

QString Journal::setAside(QString *errorString) const
{
    QFile journal(path());
    const QString aside = DataFolder::freshDatedPath(QFileInfo(journal).absolutePath(), stem(m_key),
                                                     QStringLiteral(".bq"));
    if (journal.rename(aside))
        return aside;
    if (errorString)
        *errorString = journal.errorString();
    return QString();
}
