// SPDX-License-Identifier: GPL-3.0-or-later
#include "seatingfilekeeper.h"

#include "archivio.h"
#include "datafolder.h"
#include "deskseat.h"
#include "folderprobe.h"
#include "keepermessages.h"
#include "rulesfile.h"
#include "seatingfile.h"
#include "seatingview.h"
#include "tabledifferences.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <system_error>
#include <utility>

using namespace Qt::StringLiterals;

using SeatingDisk::LoadResult;

namespace {

// What a regular file holds, in short; nothing when there is no such file.
// Never opens anything else: a FIFO would wait for a writer for ever.
QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

// Where a copy went, or why there is none.
QString copyNote(const QString &copy, const QString &copyError)
{
    return copy.isEmpty() ? KeeperMessages::copyFailed(copyError) : KeeperMessages::copyKept(copy);
}

// Copies the damaged file at path (the rules', the history's) beside it, and
// says where the copy went, or why there is none.
QString copyOfDamaged(const QString &path)
{
    QString copyError;
    const QString copy = SeatingDisk::backupOriginal(path, &copyError);
    return copyNote(copy, copyError);
}

} // namespace

SeatingFileKeeper::SeatingFileKeeper(const QString &seatingFilePath, SeatingView &view)
    : m_path(seatingFilePath)
    , m_view(view)
    , m_journal(seatingFilePath)
    , m_unstored(seatingFilePath)
    , m_lock(seatingFilePath)
{}

void SeatingFileKeeper::readAhead()
{
    if (isReadOnly() || m_reading.valid())
        return;
    // The lock's own sync to the disk alone takes as long as building a
    // good part of the window.
    try {
        m_reading = std::async(std::launch::async, [this]() -> std::unique_ptr<FirstRead> {
            return m_lock.acquire() ? readFile() : nullptr;
        });
    } catch (const std::system_error &) {
        // No thread to be had: startUp() does it all.
    }
}

void SeatingFileKeeper::awaitReadAhead() const
{
    if (m_reading.valid())
        m_reading.wait();
}

SeatingLock &SeatingFileKeeper::lock()
{
    awaitReadAhead();
    return m_lock;
}

// Only the copy that holds the lock sweeps: another's save may be under way.
std::unique_ptr<SeatingFileKeeper::FirstRead> SeatingFileKeeper::readFile() const
{
    SeatingDisk::removeStaleTemporaries(m_path);
    m_journal.removeStaleTemporaries();
    m_unstored.removeStaleTemporaries();
    auto read = std::make_unique<FirstRead>();
    read->loaded = SeatingDisk::load(m_path, read->table);
    read->digest = digestOf(m_path);
    read->asSaved = read->loaded.status == LoadResult::Status::Loaded &&
                    QCryptographicHash::hash(SeatingFile::serialize(read->table),
                                             QCryptographicHash::Sha1) == read->digest;
    read->folderFault = FolderProbe::whyNotWritable(m_path);
    return read;
}

void SeatingFileKeeper::startUp(Archivio &archivio, const QString &locationNotice)
{
    std::unique_ptr<FirstRead> ahead = m_reading.valid() ? m_reading.get() : nullptr;
    if (!isReadOnly() && !m_lock.acquire())
        setReadOnly(ReadOnlyReason::OpenElsewhere);
    if (isReadOnly()) {
        // The copy that holds the file reports damage, keeps copies and owns the journal.
        SeatingDisk::load(m_path, archivio);
        loadRules();
        if (m_readOnlyReason == ReadOnlyReason::OpenElsewhere)
            tell(KeeperMessages::openElsewhere(m_path), MessageTitle::warning());
        return;
    }
    const std::unique_ptr<FirstRead> read = ahead ? std::move(ahead) : readFile();
    archivio = std::move(read->table);
    m_readDigest = read->digest;
    if (read->asSaved)
        m_tableInFile = archivio;
    const LoadResult &loaded = read->loaded;
    QStringList report;
    if (!locationNotice.isEmpty())
        report << locationNotice;
    report << reportLoad(loaded, archivio);
    report << loadRules();
    // Told now, before the teacher does any work that could not be saved.
    if (!read->folderFault.isEmpty())
        report << reportFolderFault(read->folderFault);
    if (!report.isEmpty())
        tell(KeeperMessages::paragraphs(report), MessageTitle::warning());
    offerJournal(archivio);
}

void SeatingFileKeeper::setReadOnly(ReadOnlyReason reason)
{
    m_readOnlyReason = reason;
}

// The close falls back on a recovery file in the data folder: the teacher
// must know at once when that cannot be had either.
QString SeatingFileKeeper::reportFolderFault(const QString &folderFault)
{
    const QString dataFault = DataFolder::whyCannotTakeFile();
    if (dataFault.isEmpty())
        return KeeperMessages::folderCannotTakeFile(m_path, folderFault);
    m_journalFailureTold = true; // the journal's failure is part of what is said now
    const bool inDataFolder = QFileInfo(m_path).absolutePath() == DataFolder::location();
    return KeeperMessages::nothingCanBeKept(m_path, folderFault,
                                            inDataFolder ? QString() : dataFault);
}

// What the start-up message says about the load; nothing for a good file.
// Desks past their lists are blanked, said once: the close writes them so.
QStringList SeatingFileKeeper::reportLoad(const LoadResult &loaded, Archivio &archivio)
{
    QStringList report;
    m_originalUnread = loaded.status == LoadResult::Status::Unreadable ||
                       loaded.status == LoadResult::Status::NotAFile;
    m_mostlyUnread = loaded.status == LoadResult::Status::Unreadable ||
                     SeatingFile::mostlyUnread(loaded.problems);
    if (loaded.status == LoadResult::Status::Damaged)
        report << KeeperMessages::damaged(m_path, loaded.problems);
    else if (loaded.status == LoadResult::Status::Unreadable)
        report << KeeperMessages::unreadable(m_path, loaded.errorString);
    if (const int blanked = blankDesksBeyondLists(archivio))
        report << KeeperMessages::desksBlanked(blanked);
    if (loaded.status != LoadResult::Status::Damaged &&
        loaded.status != LoadResult::Status::Unreadable) {
        return report; // what is not a file is neither read nor copied: the folder check tells
    }
    // The close will replace the file: its bytes are kept first, since what
    // this program could not read another may still make sense of.
    report << keepOriginal();
    return report;
}

// Copies the file as it was read, before anything may replace it, and says
// where the copy went; without one, the close will not replace the file.
QString SeatingFileKeeper::keepOriginal()
{
    QString copyError;
    m_originalCopy = keepCopyOfOriginal(&copyError);
    m_originalAtRisk = m_originalCopy.isEmpty();
    return copyNote(m_originalCopy, copyError);
}

// A copy beside the file, where the teacher will look, or else in the data folder.
QString SeatingFileKeeper::keepCopyOfOriginal(QString *errorString)
{
    QString copy = SeatingDisk::backupOriginal(m_path, errorString);
    if (!copy.isEmpty())
        return copy;
    const QString folder = DataFolder::ensure();
    if (!folder.isEmpty())
        copy = SeatingDisk::backupOriginal(m_path, folder);
    return copy;
}

// Only a journal that is whole is offered, and No is the default: Return
// pressed on a question not read must not replace the file's classes.
void SeatingFileKeeper::offerJournal(Archivio &archivio)
{
    if (!m_journal.exists())
        return;
    Archivio stored = archivio; // a rules journal alone leaves the classes as they are
    QString fault;
    if (QFileInfo::exists(m_journal.path()) && !m_journal.read(stored, &fault))
        return setJournalAside(fault);
    blankDesksBeyondLists(stored); // as the file's were
    RuleBook storedRules = m_book ? *m_book : RuleBook();
    if (m_book && m_rulesFrozenReason.isEmpty())
        m_journal.readRules(storedRules);
    int rulesChanged = 0;
    for (int tab = 1; m_book && tab <= RuleBook::Classes; ++tab)
        rulesChanged += storedRules.rules(tab) != m_book->rules(tab);
    const bool historyJournaled = m_histories && QFileInfo::exists(m_journal.historyPath());
    if (stored == archivio && rulesChanged == 0) {
        // The history is not read at start-up to compare: the journal's,
        // written after the file's was read, is the newer and is kept.
        m_historyFromJournal = historyJournaled;
        if (!historyJournaled)
            m_journal.remove(); // the files already hold every store
        return;
    }
    const QString folder = QFileInfo(m_journal.path()).absolutePath();
    const QString question = KeeperMessages::restoreJournal(
        folder, TableDifferences::compare(archivio, stored), rulesChanged);
    const SeatingView::Answer answer =
        m_view.messageBox(question, MessageTitle::warning(), SeatingView::Buttons::YesNoDefaultNo);
    if (m_ended)
        return; // left unanswered: offered again at the next start
    if (answer == SeatingView::Answer::Yes) {
        restoreJournal(archivio, stored);
        if (m_book)
            *m_book = storedRules;
        m_historyFromJournal = historyJournaled;
    } else {
        setJournalAside(QString());
    }
}

// The file as it was is copied first, as a damaged one is: the teacher may
// have answered Sì to the wrong question.
void SeatingFileKeeper::restoreJournal(Archivio &archivio, const Archivio &stored)
{
    if (m_originalCopy.isEmpty() && QFileInfo(m_path).isFile())
        tell(keepOriginal(), MessageTitle::warning());
    m_mostlyUnread = false; // the close writes the journal's classes, not the little read
    archivio = stored;      // the journal stays: it matches the table until the next store
}

// Keeps an earlier journal out of the way of this run's stores.
void SeatingFileKeeper::setJournalAside(const QString &unreadableReason)
{
    QString error;
    const QString aside = m_journal.setAside(&error);
    if (aside.isEmpty()) {
        m_journalBlocked = true;
        tell(KeeperMessages::journalNotSetAside(m_journal.path(), error), MessageTitle::warning());
    } else if (!unreadableReason.isEmpty()) {
        tell(KeeperMessages::journalUnreadable(unreadableReason, aside), MessageTitle::warning());
    }
}

void SeatingFileKeeper::stored(const Archivio &archivio)
{
    if (m_journalBlocked || isReadOnly() || m_ended)
        return;
    QString error;
    // A history not read yet is left as the file or the journal holds it.
    const bool historyKept = !m_historyLoaded || !m_historyFrozenReason.isEmpty();
    const bool written =
        m_journal.write(archivio, &error) &&
        (!m_rulesFrozenReason.isEmpty() ||
         m_journal.writeRules(rulesToWrite() ? m_book : nullptr, &error)) &&
        (historyKept || m_journal.writeHistory(historyToWrite() ? m_histories : nullptr, &error));
    if (written || m_journalFailureTold)
        return;
    // Once is enough: the store itself worked, and the close still saves.
    m_journalFailureTold = true;
    tell(KeeperMessages::journalNotWritten(m_journal.path(), error), MessageTitle::warning());
}

void SeatingFileKeeper::shutDown(const Archivio &archivio)
{
    if (!isReadOnly() && !m_ended)
        closeFile(archivio);
}

// Reached from the system's signals, which do not wait for the start:
// whatever was read ahead is waited for first, as in saveNow().
void SeatingFileKeeper::endWithoutQuestions(const Archivio *archivio)
{
    awaitReadAhead();
    const bool ending = !std::exchange(m_ended, true);
    if (ending && archivio && !isReadOnly())
        closeFile(*archivio);
}

// The journal goes once the files hold every store; the file's digest is the
// one the close compares with, as this copy wrote it.
void SeatingFileKeeper::saveNow(const Archivio &archivio)
{
    awaitReadAhead();
    QString error;
    if (isReadOnly() || m_ended || !saveOverOriginal(archivio, &error))
        return; // the journal still holds every store
    // The rules and the history are written at close, with words on failure
    // there is no time for now: until then the journal keeps them.
    if (!m_journalBlocked && !rulesToWrite() && !historyToWrite() && !m_historyFromJournal)
        m_journal.remove();
}

// Once the system is ending the program, a failed save goes to the recovery
// file without the question.
void SeatingFileKeeper::closeFile(const Archivio &archivio)
{
    for (;;) {
        QString error;
        if (saveOverOriginal(archivio, &error)) {
            if (saveBeside() && !m_journalBlocked)
                m_journal.remove();
            if (!m_changedCopy.isEmpty())
                tell(KeeperMessages::changedElsewhere(std::exchange(m_changedCopy, QString())),
                     MessageTitle::warning());
            return;
        }
        if (m_ended ||
            m_view.messageBox(KeeperMessages::saveFailed(m_path, error), MessageTitle::error(),
                              SeatingView::Buttons::YesNo) != SeatingView::Answer::Yes) {
            break;
        }
    }
    writeRecoveryFile(archivio);
}

// A file that was never read is replaced only once a copy of it exists; the
// lock or fault that kept it unread may be gone by now.
bool SeatingFileKeeper::saveOverOriginal(const Archivio &archivio, QString *errorString)
{
    if (m_originalAtRisk && QFileInfo::exists(m_path)) {
        QString copyError;
        if (keepCopyOfOriginal(&copyError).isEmpty()) {
            *errorString = KeeperMessages::originalAtRisk(copyError);
            return false;
        }
        m_originalAtRisk = false;
    }
    if (!keepChangedVersion(errorString))
        return false;
    if (holdsAlready(archivio))
        return true;
    if (!SeatingDisk::save(m_path, archivio, errorString))
        return false;
    m_readDigest = digestOf(m_path);
    m_tableInFile = archivio;
    return true;
}

// After keepChangedVersion(), the digest is the file's as it stands. A file
// that already holds, byte for byte, what the save would write is left as it
// is: its date stays that of its last change, and the close spends no write
// and no sync on it. One that may not be written goes the save's way, which
// says so.
bool SeatingFileKeeper::holdsAlready(const Archivio &archivio) const
{
    const QFileInfo file(m_path);
    if (m_readDigest.isEmpty() || !file.isFile() || !file.isWritable())
        return false;
    if (m_tableInFile)
        return *m_tableInFile == archivio;
    const QByteArray bytes = SeatingFile::serialize(archivio);
    return !bytes.isEmpty() &&
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha1) == m_readDigest;
}

// Another program (or a teacher's editor) wrote the file during the session:
// its version is kept before this one replaces it.
bool SeatingFileKeeper::keepChangedVersion(QString *errorString)
{
    const QByteArray now = digestOf(m_path);
    if (now == m_readDigest || now.isEmpty())
        return true;
    m_tableInFile.reset();
    QString copyError;
    m_changedCopy = keepCopyOfOriginal(&copyError);
    if (m_changedCopy.isEmpty()) {
        *errorString = KeeperMessages::changedNotCopied(copyError);
        return false;
    }
    m_readDigest = now;
    return true;
}

void SeatingFileKeeper::writeRecoveryFile(const Archivio &archivio)
{
    QString error;
    QString recovery;
    const QString folder = DataFolder::ensure(&error);
    if (!folder.isEmpty()) {
        recovery = DataFolder::freshDatedPath(folder, u"Posti-recupero"_s, u".bq"_s);
        if (SeatingDisk::save(recovery, archivio, &error)) {
            if (saveBeside() && !m_journalBlocked)
                m_journal.remove();
            tell(KeeperMessages::recoveryWritten(recovery, m_path, m_originalUnread),
                 MessageTitle::warning());
            return;
        }
    }
    const QString journal = !m_journalBlocked && m_journal.exists() ? m_journal.path() : QString();
    tell(KeeperMessages::recoveryFailed(recovery, error, journal), MessageTitle::error());
}

void SeatingFileKeeper::keepUnstored(const UnstoredClass &shown, const Archivio &archivio)
{
    // A failure is not told: a box popping up while the teacher types would
    // be worse, and the close still asks about what the screen holds.
    if (!isReadOnly() && !m_unstoredBlocked && m_unstored.write({shown}, archivio))
        m_unstoredKept = true;
}

void SeatingFileKeeper::dropUnstored()
{
    if (std::exchange(m_unstoredKept, false))
        m_unstored.remove();
}

// Yes is the default: they come back as changes still to be stored, which
// the teacher can look at and store or not; no store happens here. The screen
// holds one class at a time, so only one is ever kept.
std::optional<UnstoredClass> SeatingFileKeeper::offerUnstored(const Archivio &archivio)
{
    if (isReadOnly() || m_ended || !m_unstored.exists())
        return std::nullopt;
    const UnstoredFile::Found found = m_unstored.read(archivio);
    if (found.unreadable || found.stale || found.matching.size() > 1)
        setUnstoredAside(found.unreadable);
    if (found.matching.isEmpty())
        return std::nullopt;
    const UnstoredClass &kept = found.matching.first();
    const QString title = classTitle(
        archivio.cell(Archivio::row(kept.tab, Archivio::ClassNameSlot), Archivio::NameColumn),
        kept.tab);
    const SeatingView::Answer answer =
        m_view.messageBox(KeeperMessages::restoreUnstored(title), MessageTitle::warning(),
                          SeatingView::Buttons::YesNo);
    if (m_ended)
        return std::nullopt; // left unanswered: offered again at the next start
    m_unstoredKept = m_unstored.exists();
    if (answer == SeatingView::Answer::Yes)
        return kept;
    dropUnstored();
    return std::nullopt;
}

void SeatingFileKeeper::setUnstoredAside(bool unreadable)
{
    QString error;
    const QString aside = m_unstored.setAside(&error);
    m_unstoredBlocked = aside.isEmpty();
    tell(aside.isEmpty() ? KeeperMessages::unstoredNotSetAside(m_unstored.path(), error)
                         : KeeperMessages::unstoredSetAside(aside, unreadable),
         MessageTitle::warning());
}

void SeatingFileKeeper::tell(const QString &text, const QString &title)
{
    if (!m_ended)
        m_view.messageBox(text, title, SeatingView::Buttons::Ok);
}

QString SeatingFileKeeper::rulesPath() const
{
    const QFileInfo target(SeatingDisk::resolvedPath(m_path));
    return target.dir().filePath(RulesFile::fileNameFor(target.fileName()));
}

// Read only when the file is there: without it there are no rules. What
// cannot be read, or comes from a newer version, is never written over.
QStringList SeatingFileKeeper::loadRules()
{
    if (!m_book)
        return {};
    const QString path = rulesPath();
    QByteArray bytes;
    const LoadResult loaded = SeatingDisk::readBytes(path, bytes);
    m_rulesFileFound = loaded.status != LoadResult::Status::Missing;
    if (loaded.status == LoadResult::Status::Missing)
        return {};
    if (loaded.status != LoadResult::Status::Loaded) {
        m_rulesFrozenReason = KeeperMessages::rulesUnreadable(path, loaded.errorString);
        return {m_rulesFrozenReason};
    }
    const RulesFile::ReadResult read = RulesFile::parse(bytes);
    *m_book = read.book;
    if (read.isNewer()) {
        m_rulesFrozenReason = KeeperMessages::rulesNewer(path);
        return {m_rulesFrozenReason};
    }
    if (read.problems.isEmpty() || isReadOnly())
        return {};
    return {KeeperMessages::rulesDamaged(path, read.problems), copyOfDamaged(path)};
}

// No file is written until a rule exists; one that was there is kept up to
// date, also when its last rule goes.
bool SeatingFileKeeper::rulesToWrite() const
{
    return m_book && m_rulesFrozenReason.isEmpty() && (m_rulesFileFound || !m_book->isEmpty());
}

// Whether the rules are where they belong; when they are not, the journal
// keeps them for the next start.
bool SeatingFileKeeper::saveRules()
{
    QString error;
    if (!rulesToWrite() ||
        SeatingDisk::saveBytes(rulesPath(), RulesFile::serialize(*m_book), &error))
        return true;
    const bool journaled = !m_journalBlocked && m_journal.writeRules(m_book);
    tell(KeeperMessages::rulesNotSaved(rulesPath(), error,
                                       journaled ? m_journal.rulesPath() : QString()),
         MessageTitle::error());
    return !journaled;
}

// The rules and the history; whether the journal may go.
bool SeatingFileKeeper::saveBeside()
{
    const bool rulesSaved = saveRules();
    return saveHistory() && rulesSaved;
}

QString SeatingFileKeeper::historyPath() const
{
    const QFileInfo target(SeatingDisk::resolvedPath(m_path));
    return target.dir().filePath(HistoryFile::fileNameFor(target.fileName()));
}

// As the rules are read at start-up, but when first needed: the file holds up
// to 200 plans a class, which the start has no use for.
void SeatingFileKeeper::loadHistory()
{
    if (!m_histories || std::exchange(m_historyLoaded, true))
        return;
    if (m_historyFromJournal && m_journal.readHistory(*m_histories))
        return;
    m_historyFromJournal = false;
    const QString path = historyPath();
    QByteArray bytes;
    const LoadResult loaded = SeatingDisk::readBytes(path, bytes);
    m_historyFileFound = loaded.status != LoadResult::Status::Missing;
    QStringList report;
    if (loaded.status == LoadResult::Status::Missing)
        return;
    if (loaded.status != LoadResult::Status::Loaded) {
        m_historyFrozenReason = KeeperMessages::historyUnreadable(path, loaded.errorString);
        report << m_historyFrozenReason;
    } else {
        const HistoryFile::ReadResult read = HistoryFile::parse(bytes);
        *m_histories = read.histories;
        if (read.isNewer()) {
            m_historyFrozenReason = KeeperMessages::historyNewer(path);
            report << m_historyFrozenReason;
        } else if (!read.problems.isEmpty() && !isReadOnly()) {
            report << KeeperMessages::historyDamaged(path, read.problems) << copyOfDamaged(path);
        }
    }
    // The copy that holds the file tells, as for the rules.
    if (!report.isEmpty() && !isReadOnly())
        tell(KeeperMessages::paragraphs(report), MessageTitle::warning());
}

// No file is written until a plan exists, nor one read from a newer version
// or not read at all; one that was there is kept up to date.
bool SeatingFileKeeper::historyToWrite() const
{
    if (!m_histories || !m_historyLoaded || !m_historyFrozenReason.isEmpty())
        return false;
    if (m_historyFileFound || m_historyFromJournal)
        return true;
    return std::any_of(m_histories->begin(), m_histories->end(),
                       [](const PlanHistory &history) { return !history.isEmpty(); });
}

// A journal restored at start-up holds the history even when it was never
// needed since: it reaches the file now.
bool SeatingFileKeeper::saveHistory()
{
    if (m_historyFromJournal)
        loadHistory();
    QString error;
    if (!historyToWrite() ||
        SeatingDisk::saveBytes(historyPath(), HistoryFile::serialize(*m_histories), &error))
        return true;
    const bool journaled = !m_journalBlocked && m_journal.writeHistory(m_histories);
    tell(KeeperMessages::historyNotSaved(historyPath(), error,
                                         journaled ? m_journal.historyPath() : QString()),
         MessageTitle::error());
    return !journaled;
}
