// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "archivio.h"
#include "datafolder.h"
#include "fileerrorcause.h"
#include "keepermessages.h"
#include "rulesfile.h"
#include "seatingdisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QString stem(const QString &key)
{
    return u"Posti-diario-"_s + key;
}

// The rules and history journals beside a journal named journalPath.
QString rulesPathFor(const QString &journalPath)
{
    return journalPath.chopped(3) + u"-regole.txt"_s;
}
QString historyPathFor(const QString &journalPath)
{
    return journalPath.chopped(3) + u"-cronologia.txt"_s;
}

} // namespace

Journal::Journal(const QString &seatingFilePath)
    : m_key(DataFolder::keyFor(seatingFilePath))
{}

QString Journal::path() const
{
    // Asked each time: the folder is the system's to say, not fixed at start.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(stem(m_key) + u".bq"_s);
}

QString Journal::rulesPath() const
{
    return rulesPathFor(path());
}

QString Journal::historyPath() const
{
    return historyPathFor(path());
}

bool Journal::exists() const
{
    return QFileInfo::exists(path()) || QFileInfo::exists(rulesPath()) ||
           QFileInfo::exists(historyPath());
}

bool Journal::write(const Archivio &archivio, QString *errorString) const
{
    if (DataFolder::ensure(errorString).isEmpty())
        return false;
    return SeatingDisk::save(path(), archivio, errorString);
}

bool Journal::read(Archivio &archivio, QString *errorString) const
{
    using Status = SeatingDisk::LoadResult::Status;
    const SeatingDisk::LoadResult loaded = SeatingDisk::load(path(), archivio);
    if (loaded.status == Status::Unreadable || loaded.status == Status::NotAFile) {
        *errorString = loaded.errorString;
        return false;
    }
    // The journal is only ever written whole by the save, so it is good only
    // if saving what was read gives back its very bytes: anything empty,
    // truncated or garbled fails, while characters kept from a damaged file
    // still pass.
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != SeatingFile::serialize(archivio)) {
        archivio.initialise();
        *errorString = KeeperMessages::journalDamaged();
        return false;
    }
    return true;
}

bool Journal::writeRules(const RuleBook *book, QString *errorString) const
{
    if (!book) {
        QFile::remove(rulesPath());
        return true;
    }
    if (DataFolder::ensure(errorString).isEmpty())
        return false;
    return SeatingDisk::saveBytes(rulesPath(), RulesFile::serialize(*book), errorString);
}

bool Journal::readRules(RuleBook &book) const
{
    QByteArray bytes;
    if (SeatingDisk::readBytes(rulesPath(), bytes).status !=
        SeatingDisk::LoadResult::Status::Loaded)
        return false;
    // Written whole by this program, so anything else is not a journal to offer.
    const RulesFile::ReadResult read = RulesFile::parse(bytes);
    if (!read.problems.isEmpty() || read.isNewer())
        return false;
    book = read.book;
    return true;
}

bool Journal::writeHistory(const HistoryFile::Histories *histories, QString *errorString) const
{
    if (!histories) {
        QFile::remove(historyPath());
        return true;
    }
    if (DataFolder::ensure(errorString).isEmpty())
        return false;
    return SeatingDisk::saveBytes(historyPath(), HistoryFile::serialize(*histories), errorString);
}

bool Journal::readHistory(HistoryFile::Histories &histories) const
{
    QByteArray bytes;
    if (SeatingDisk::readBytes(historyPath(), bytes).status !=
        SeatingDisk::LoadResult::Status::Loaded)
        return false;
    const HistoryFile::ReadResult read = HistoryFile::parse(bytes);
    if (!read.problems.isEmpty() || read.isNewer())
        return false;
    histories = read.histories;
    return true;
}

void Journal::remove() const
{
    QFile::remove(path());
    QFile::remove(rulesPath());
    QFile::remove(historyPath());
}

void Journal::removeStaleTemporaries() const
{
    SeatingDisk::removeStaleTemporaries(path());
}

QString Journal::setAside(QString *errorString) const
{
    QFile journal(path());
    const QDir folder = QFileInfo(journal).absoluteDir();
    // Starts that keep failing on one journal set it aside once.
    const QStringList earlier = DataFolder::datedNames(folder, stem(m_key), u".bq"_s);
    const QString aside = DataFolder::freshDatedPath(folder.path(), stem(m_key), u".bq"_s);
    // The rules and history journals go aside first, under the name the journal takes.
    if (QFileInfo::exists(rulesPath()))
        QFile::rename(rulesPath(), rulesPathFor(aside));
    if (QFileInfo::exists(historyPath()))
        QFile::rename(historyPath(), historyPathFor(aside));
    if (!journal.exists())
        return QFileInfo::exists(rulesPathFor(aside)) ? rulesPathFor(aside) : historyPathFor(aside);
    for (const QString &name : earlier) {
        if (SeatingDisk::isCopyOf(journal.fileName(), folder.filePath(name)) && journal.remove())
            return folder.filePath(name);
    }
    FileErrorCause::clear();
    if (journal.rename(aside))
        return aside;
    if (errorString)
        *errorString = KeeperMessages::reason(FileErrorCause::of(aside), journal.errorString());
    return QString();
}
