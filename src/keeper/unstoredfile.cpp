// SPDX-License-Identifier: GPL-3.0-or-later
#include "unstoredfile.h"

#include "archivio.h"
#include "datafolder.h"
#include "seatingdisk.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

// Raised whenever what the file holds changes meaning; a file of another
// version is never offered, only set aside.
constexpr int FormatVersion = 1;
// Far more than 31 names of the longest a box takes.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// The seat list: the blank, the marker and at most 30 pupils.
constexpr int MaxPosition = Archivio::Pupils + 1;

QString stem(const QString &key)
{
    return u"Posti-modifiche-"_s + key;
}

// Each cell with its length, so that no two blocks read the same.
QString blockDigest(const Archivio &archivio, int tab)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int slot = 0; slot < Archivio::SlotsPerClass; ++slot) {
        for (int column = 0; column < Archivio::Columns; ++column) {
            const QByteArray cell = archivio.cell(Archivio::row(tab, slot), column).toUtf8();
            hash.addData(QByteArray::number(cell.size()) + ':' + cell);
        }
    }
    return QString::fromLatin1(hash.result().toHex());
}

QJsonObject toJson(const UnstoredClass &kept, const Archivio &stored)
{
    QJsonArray desks;
    for (int position : kept.desks)
        desks.append(position);
    return QJsonObject{{u"tab"_s, kept.tab},
                       {u"storedBlock"_s, blockDigest(stored, kept.tab)},
                       {u"names"_s, QJsonArray::fromStringList(kept.names)},
                       {u"desks"_s, desks}};
}

// A class as this version writes it, or nothing.
std::optional<UnstoredClass> fromJson(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const QJsonArray names = object.value(u"names"_s).toArray();
    const QJsonArray desks = object.value(u"desks"_s).toArray();
    UnstoredClass kept;
    kept.tab = object.value(u"tab"_s).toInt(0);
    if (kept.tab < 1 || kept.tab > Archivio::Classes || names.size() != Archivio::SlotsPerClass ||
        desks.size() != Archivio::Pupils) {
        return std::nullopt;
    }
    for (const QJsonValue &name : names) {
        if (!name.isString())
            return std::nullopt;
        kept.names.append(name.toString());
    }
    for (const QJsonValue &desk : desks) {
        const int position = desk.toInt(MaxPosition + 1);
        if (position < -1 || position > MaxPosition)
            return std::nullopt;
        kept.desks.append(position);
    }
    return kept;
}

} // namespace

UnstoredFile::UnstoredFile(const QString &seatingFilePath)
    : m_seatingFilePath(DataFolder::keyedPath(seatingFilePath))
    , m_key(DataFolder::keyFor(seatingFilePath))
{}

QString UnstoredFile::path() const
{
    return QDir(DataFolder::location()).filePath(stem(m_key) + u".json"_s);
}

bool UnstoredFile::exists() const
{
    return QFileInfo::exists(path());
}

bool UnstoredFile::write(const QList<UnstoredClass> &classes, const Archivio &stored,
                         QString *errorString) const
{
    if (DataFolder::ensure(errorString).isEmpty())
        return false;
    QJsonArray list;
    for (const UnstoredClass &kept : classes)
        list.append(toJson(kept, stored));
    const QJsonObject root{
        {u"version"_s, FormatVersion}, {u"seatingFile"_s, m_seatingFilePath}, {u"classes"_s, list}};
    return SeatingDisk::replace(path(), QJsonDocument(root).toJson(QJsonDocument::Compact),
                                errorString);
}

UnstoredFile::Found UnstoredFile::read(const Archivio &stored) const
{
    Found found;
    QFile file(path());
    const QJsonDocument document = QJsonDocument::fromJson(
        QFileInfo(file).isFile() && file.open(QIODevice::ReadOnly) ? file.read(MaxFileSize)
                                                                   : QByteArray());
    const QJsonObject root = document.object();
    const QJsonArray classes = root.value(u"classes"_s).toArray();
    found.unreadable = root.value(u"version"_s).toInt() != FormatVersion || classes.isEmpty();
    const bool sameFile = root.value(u"seatingFile"_s).toString() == m_seatingFilePath;
    for (const QJsonValue &value : classes) {
        const std::optional<UnstoredClass> kept = fromJson(value);
        if (!kept) {
            found.unreadable = true;
        } else if (sameFile &&
                   value[u"storedBlock"_s].toString() == blockDigest(stored, kept->tab)) {
            found.matching.append(*kept);
        } else {
            found.stale = true;
        }
    }
    if (found.unreadable)
        found.matching.clear();
    return found;
}

void UnstoredFile::remove() const
{
    QFile::remove(path());
}

void UnstoredFile::removeStaleTemporaries() const
{
    SeatingDisk::removeStaleTemporaries(path());
}

QString UnstoredFile::setAside(QString *errorString) const
{
    return DataFolder::setAside(path(), stem(m_key), u".json"_s, errorString);
}
