// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingdisk.h"

#include "archivio.h"
#include "fileerrorcause.h"
#include "keepermessages.h"
#include "namepattern.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SeatingDisk {
namespace {

// A real file is a few kilobytes; anything this big is not one, and reading
// it whole could exhaust memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Why the call on path that has just failed failed, by its cause.
QString failure(const QString &path, const QFileDevice &file)
{
    return KeeperMessages::reason(FileErrorCause::of(path), file.errorString());
}

// The save's temporary files end in six ASCII letters. A suffix of one case
// only ("….backup") is more likely the teacher's; leaving one of ours behind
// is harmless.
bool isOurTemporarySuffix(QStringView suffix)
{
    const auto lower =
        std::count_if(suffix.begin(), suffix.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
    const auto upper =
        std::count_if(suffix.begin(), suffix.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
    return lower > 0 && upper > 0 && lower + upper == suffix.size();
}

// Whether path holds a regular file or nothing, as what is written or copied
// must; otherwise the reason goes to errorString.
bool isFileOrNothing(const QString &path, QString *errorString)
{
    const QString notAFile = whyNotAFile(path);
    if (!notAFile.isEmpty() && errorString)
        *errorString = notAFile;
    return notAFile.isEmpty();
}

// Writes until all bytes are out or the system refuses. A short write comes
// back without a reason; the next attempt fails with the system's own.
bool writeAll(QSaveFile &file, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

} // namespace

bool replace(const QString &path, const QByteArray &bytes, QString *errorString)
{
    // As QSaveFile itself checks: a file that may not be changed is left alone.
    const QFileInfo existing(resolvedPath(path));
    if (existing.exists() && !existing.isWritable()) {
        if (errorString)
            *errorString = KeeperMessages::reason(FileErrorCause::Cause::NotWritable, QString());
        return false;
    }
    // Unbuffered, so that every short write shows up in writeAll() instead of
    // in the flush on commit, whose failure QSaveFile does not always report.
    QSaveFile file(path);
    FileErrorCause::clear();
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, bytes) &&
        file.commit()) {
        return true;
    }
    if (errorString) {
        *errorString = failure(existing.filePath(), file);
        if (errorString->isEmpty())
            *errorString = KeeperMessages::writeFailed();
    }
    return false; // an uncommitted QSaveFile discards its temporary file
}

LoadResult readBytes(const QString &path, QByteArray &bytes)
{
    LoadResult result;
    // Checked before opening: opening a FIFO waits for a writer for ever.
    result.errorString = whyNotAFile(path);
    if (!result.errorString.isEmpty()) {
        result.status = LoadResult::Status::NotAFile;
        return result;
    }
    QFile file(path);
    FileErrorCause::clear();
    if (!file.open(QIODevice::ReadOnly)) {
        if (QFileInfo::exists(path)) {
            result.status = LoadResult::Status::Unreadable;
            result.errorString = failure(path, file);
        }
        return result;
    }
    FileErrorCause::clear();
    // Qt allocates all that is asked for at once: the file's own size, plus
    // one byte to see a file that grew since, rather than the largest allowed.
    const qint64 expected = std::min(file.size(), MaxFileSize) + 1;
    bytes = file.read(expected);
    if (bytes.size() == expected && expected <= MaxFileSize)
        bytes += file.read(MaxFileSize + 1 - expected);
    result.status = LoadResult::Status::Loaded;
    if (file.error() != QFileDevice::NoError)
        result.errorString = failure(path, file);
    else if (bytes.size() > MaxFileSize)
        result.errorString = KeeperMessages::tooBig();
    if (!result.errorString.isEmpty())
        result.status = LoadResult::Status::Unreadable;
    return result;
}

LoadResult load(const QString &path, Archivio &archivio)
{
    QByteArray bytes;
    LoadResult result = readBytes(path, bytes);
    if (result.status != LoadResult::Status::Loaded) {
        archivio.initialise();
        return result;
    }
    result.problems = SeatingFile::parse(bytes, archivio);
    result.status =
        result.problems.isEmpty() ? LoadResult::Status::Loaded : LoadResult::Status::Damaged;
    return result;
}

QString resolvedPath(const QString &path)
{
    // As QSaveFile does: a chain of links is followed, a loop is left as it is.
    constexpr int MaxLinks = 128;
    QFileInfo info(path);
    for (int n = 0; n < MaxLinks && info.isSymLink(); ++n)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

QString whyNotAFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return QString();
    return info.isDir() ? KeeperMessages::folderInPlace() : KeeperMessages::specialFileInPlace();
}

void removeStaleTemporaries(const QString &path)
{
    const QFileInfo target(resolvedPath(path));
    QDir folder = target.absoluteDir();
    const QStringList found = NamePattern::files(folder, QString(target.fileName() + u".??????"_s));
    for (const QString &name : found) {
        if (isOurTemporarySuffix(QStringView(name).last(6)))
            folder.remove(name);
    }
}

bool save(const QString &path, const Archivio &archivio, QString *errorString)
{
    if (!isFileOrNothing(path, errorString))
        return false;
    SeatingFile::Unstorable unstorable;
    const QByteArray bytes = SeatingFile::serialize(archivio, &unstorable);
    if (bytes.isEmpty()) {
        if (errorString)
            *errorString = KeeperMessages::unstorable(unstorable);
        return false;
    }
    return replace(path, bytes, errorString);
}

bool saveBytes(const QString &path, const QByteArray &bytes, QString *errorString)
{
    return isFileOrNothing(path, errorString) && replace(path, bytes, errorString);
}

QString backupOriginal(const QString &path, QString *errorString)
{
    return backupOriginal(path, QFileInfo(path).absolutePath(), errorString);
}

QString backupOriginal(const QString &path, const QString &folder, QString *errorString)
{
    // Far more copies than anyone keeps; the bound only stops a runaway loop.
    constexpr int MaxCopies = 1000;
    // Copying reads to the end: a FIFO waits for a writer for ever, and a
    // device such as a zero device has no end.
    if (!isFileOrNothing(path, errorString))
        return QString();
    QFile original(path);
    if (!original.open(QIODevice::ReadOnly)) {
        if (errorString)
            *errorString = KeeperMessages::originalUnreadable();
        return QString();
    }
    original.close();
    const QString firstCopy = QDir(folder).filePath(QFileInfo(path).fileName() + u".bak"_s);
    for (int n = 1; n <= MaxCopies; ++n) {
        QString copy = firstCopy;
        if (n > 1)
            copy += u'.' + QString::number(n);
        const QFileInfo info(copy);
        if (isCopyOf(path, copy))
            return copy; // starts that keep failing on one file leave one copy
        if (info.exists() || info.isSymLink())
            continue;
        FileErrorCause::clear();
        if (original.copy(copy))
            return copy;
        if (errorString)
            *errorString = failure(copy, original);
        return QString();
    }
    if (errorString)
        *errorString = KeeperMessages::tooManyCopies(QFileInfo(path).fileName());
    return QString();
}

bool isCopyOf(const QString &path, const QString &copy)
{
    // A link could lead back to the file itself: only a file of its own is a copy.
    const QFileInfo info(copy), file(path);
    if (info.isSymLink() || !info.isFile() || !file.isFile() || info.size() != file.size())
        return false;
    QFile original(path), kept(copy);
    if (!original.open(QIODevice::ReadOnly) || !kept.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 Chunk = 64 * 1024;
    while (!original.atEnd()) {
        const QByteArray bytes = original.read(Chunk);
        if (bytes.isEmpty() || bytes != kept.read(Chunk))
            return false;
    }
    return kept.atEnd();
}

} // namespace SeatingDisk
