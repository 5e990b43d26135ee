// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include "archivio.h"
#include "datafolder.h"
#include "keepermessages.h"
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

bool Journal::exists() const
{
    return QFileInfo::exists(path());
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

void Journal::remove() const
{
    QFile::remove(path());
}

void Journal::removeStaleTemporaries() const
{
    SeatingDisk::removeStaleTemporaries(path());
}

QString Journal::setAside(QString *errorString) const
{
    return DataFolder::setAside(path(), stem(m_key), u".bq"_s, errorString);
}
