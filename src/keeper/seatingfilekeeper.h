// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archivio.h"
#include "historyfile.h"
#include "journal.h"
#include "seatingdisk.h"
#include "seatinglock.h"
#include "unstoredfile.h"

#include <QString>
#include <QStringList>

#include <future>
#include <memory>
#include <optional>

class RuleBook;
class SeatingView;

// Carries the table between the seating file and the window so that nothing
// the teacher stored is lost: it reports a damaged or unreadable file once at
// start-up and keeps a copy of it, warns when the file's folder cannot take
// the file, keeps a journal of every store and offers it back after a crash,
// and at close retries a failed save or writes a recovery file. The close is
// never refused. It keeps typing not yet stored aside, and offers it back
// after a crash. A read-only keeper (a second copy of the program on the
// same file, or a file the teacher chose to leave as it is) only shows the
// classes: it writes nothing at all.
class SeatingFileKeeper
{
public:
    enum class ReadOnlyReason {
        None,
        OpenElsewhere,       // another copy of the program holds the file
        OpenOnOtherComputer, // a copy on another computer holds it: the teacher chose
        MostlyUnread,        // most of the file could not be read: the teacher chose
    };

    SeatingFileKeeper(const QString &seatingFilePath, SeatingView &view);

    // Starts what startUp() first does on the disk (taking the lock, sweeping
    // what a killed save left, reading the file) on a thread of its own, so
    // that it is done while the window is being built; lock() and startUp()
    // wait for it. What it read is used only if it took the lock: otherwise
    // the file is read again once the teacher has been asked about the lock.
    // Not for a keeper set read-only.
    void readAhead();

    // Fills the table from the seating file, or from the journal if the
    // teacher restores it, telling the teacher what went wrong, after
    // locationNotice (about where the file is) when there is one.
    void startUp(Archivio &archivio, const QString &locationNotice = QString());

    // The seating rules of every class, kept beside the seating file as
    // the file is: read at start-up when the rules file exists, journaled
    // with every store, written at close once there are rules. Set before
    // startUp(); the book outlives the keeper.
    void keepRules(RuleBook *book) { m_book = book; }
    QString rulesPath() const;
    // Why the rules cannot be changed in this session (a newer file, or one
    // that could not be read); empty when they can.
    QString rulesFrozenReason() const { return m_rulesFrozenReason; }

    // The history of plans of every class, kept beside the seating file as
    // the rules are, but read only when first needed (loadHistory()), never
    // at start-up: a journal restored at start-up is read then instead of
    // the file. Once read, journaled with every store and written at close.
    // Set before startUp(); the histories outlive the keeper.
    void keepHistory(HistoryFile::Histories *histories) { m_histories = histories; }
    // Reads the history the first time, telling the teacher of damage or of
    // why no plan can be recorded in this session; then does nothing.
    void loadHistory();
    bool historyLoaded() const { return m_historyLoaded; }
    QString historyPath() const;
    // Why no plan is recorded in this session (a newer file, or one that
    // could not be read); empty when they are.
    QString historyFrozenReason() const { return m_historyFrozenReason; }

    // After every store, and after every change of the rules or the plans.
    void stored(const Archivio &archivio);

    // At close: writes the table to the seating file, or else to a recovery file.
    void shutDown(const Archivio &archivio);

    // The desktop session is ending and may still be cancelled: writes the
    // table to the seating file, without a word, and goes on.
    void saveNow(const Archivio &archivio);

    // The system ends the program: writes the table (if given) as the close
    // does but without a question or a message, and from then on writes and
    // asks nothing more; a question still open when it came is left unanswered.
    void endWithoutQuestions(const Archivio *archivio);

    // What the screen holds of a class with changes not stored, typed over
    // archivio's block, kept aside until the next call; and nothing kept.
    void keepUnstored(const UnstoredClass &shown, const Archivio &archivio);
    void dropUnstored();

    // After startUp(): the unstored changes a run that did not close left,
    // offered back when they were typed over blocks archivio still holds;
    // others are set aside, and the teacher told.
    std::optional<UnstoredClass> offerUnstored(const Archivio &archivio);

    // From now on nothing is written: not the seating file, not the journal,
    // not copies; set before startUp(), neither are leftovers swept.
    void setReadOnly(ReadOnlyReason reason);
    bool isReadOnly() const { return m_readOnlyReason != ReadOnlyReason::None; }
    ReadOnlyReason readOnlyReason() const { return m_readOnlyReason; }

    // The file's lock, for a start-up that asks the teacher about another
    // computer's lock before startUp(), which takes it if it can.
    SeatingLock &lock();

    // Whether more than half of the file read at start-up could not be read
    // (see SeatingFile::mostlyUnread()), or none of it, and no journal was
    // restored in its place: the close would write little over much.
    bool fileMostlyUnread() const { return m_mostlyUnread; }
    // Where the file as it was at start-up has been copied; empty if nowhere.
    QString originalCopy() const { return m_originalCopy; }

private:
    // What the start reads of the seating file and learns of its folder.
    struct FirstRead
    {
        SeatingDisk::LoadResult loaded;
        Archivio table;
        QByteArray digest;
        // The file holds byte for byte what the save writes for table.
        bool asSaved = false;
        QString folderFault; // why the folder cannot take the file
    };
    std::unique_ptr<FirstRead> readFile() const;
    void awaitReadAhead() const;
    QString keepOriginal();
    QString keepCopyOfOriginal(QString *errorString);
    QString reportFolderFault(const QString &folderFault);
    QStringList reportLoad(const SeatingDisk::LoadResult &loaded, Archivio &archivio);
    void offerJournal(Archivio &archivio);
    void restoreJournal(Archivio &archivio, const Archivio &stored);
    bool keepChangedVersion(QString *errorString);
    void setJournalAside(const QString &unreadableReason);
    bool saveOverOriginal(const Archivio &archivio, QString *errorString);
    bool holdsAlready(const Archivio &archivio) const;
    void writeRecoveryFile(const Archivio &archivio);
    void closeFile(const Archivio &archivio);
    void setUnstoredAside(bool unreadable);
    void tell(const QString &text, const QString &title);
    QStringList loadRules();
    bool rulesToWrite() const;
    bool saveRules();
    bool historyToWrite() const;
    bool saveHistory();
    bool saveBeside();

    QString m_path;
    SeatingView &m_view;
    Journal m_journal;
    UnstoredFile m_unstored;
    SeatingLock m_lock;
    ReadOnlyReason m_readOnlyReason = ReadOnlyReason::None;
    bool m_mostlyUnread = false;
    // What the file held when it was read, to tell whether another program
    // has written it since.
    QByteArray m_readDigest;
    // The table the file holds, byte for byte as the save writes it, when
    // known: the close then compares tables instead of writing the table
    // out to compare bytes.
    std::optional<Archivio> m_tableInFile;
    // Where the file as it was at start-up has been copied, if anywhere.
    QString m_originalCopy;
    // Where the version another program wrote during the session was kept.
    QString m_changedCopy;
    // The file at start-up could not be read (or was not a file at all).
    bool m_originalUnread = false;
    // The file could be neither read nor copied: it must not be replaced.
    bool m_originalAtRisk = false;
    // An earlier journal could not be set aside: writing would replace it.
    bool m_journalBlocked = false;
    bool m_journalFailureTold = false;
    RuleBook *m_book = nullptr;
    bool m_rulesFileFound = false;
    QString m_rulesFrozenReason;
    HistoryFile::Histories *m_histories = nullptr;
    bool m_historyLoaded = false;
    bool m_historyFileFound = false;
    bool m_historyFromJournal = false; // read from the journal restored at start-up
    QString m_historyFrozenReason;
    // Unstored changes are kept aside now, and may be written over.
    bool m_unstoredKept = false;
    bool m_unstoredBlocked = false;
    // The system is ending the program: nothing more is asked or written.
    bool m_ended = false;
    // What readAhead() reads, nothing if it could not take the lock, until
    // startUp() takes it; on the heap, as a table is too large to pass along
    // the stack. Last, so that it is waited for before the lock, the journal
    // and the unstored file it uses are gone.
    std::future<std::unique_ptr<FirstRead>> m_reading;
};
