// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the teacher's classes safe, at the keeper's own level: whatever
// stands where the seating file should be, the start says so once and shows
// the right table, each store goes to the journal, and the close saves, or
// asks again and writes a recovery file, never replacing what is not a file.
// Faults are real: folders that vanish, FIFOs, device nodes,
// links, immutable folders. Permission bits are not used, since root ignores
// them.

#include "datafolder.h"
#include "fakeview.h"
#include "keepermessages.h"
#include "keptfiles.h"
#include "seatingfilekeeper.h"
#include "testmain.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#include <memory>

using Answer = SeatingView::Answer;
using namespace KeptFiles;

// What stands at the seating file's path when the program starts (a link to a
// file, a dangling link, a link to a device); the last two change while it
// runs: the folder is removed, the file rewritten by another program.
enum class Stand {
    Nothing,
    File,
    Immutable,
    Folder,
    Fifo,
    Device,
    Link,
    Dangling,
    Gone,
    Rewritten
};
Q_DECLARE_METATYPE(Stand)

namespace {

// What stands at path, links spelt out, so that a test can tell it is untouched.
QString kindOf(const QString &path)
{
    const QFileInfo info(path);
    QString kind = info.isSymLink() ? QStringLiteral("link to ") : QString();
#ifdef Q_OS_UNIX
    struct stat st;
    const bool found = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (found && S_ISCHR(st.st_mode))
        return kind + QStringLiteral("device ") + QString::number(st.st_rdev);
    if (found && S_ISFIFO(st.st_mode))
        return kind + QStringLiteral("fifo");
#endif
    return kind + (info.isDir() ? "folder" : info.isFile() ? "file" : "nothing");
}

// Makes it stand at path; elsewhere is a folder of the test's own.
bool makeStand(Stand stand, const QString &path, const QByteArray &bytes, const QString &elsewhere)
{
    switch (stand) {
    case Stand::File:
    case Stand::Immutable: // made so by the test
    case Stand::Rewritten:
        return writeAll(path, bytes);
    case Stand::Folder:
        return QDir(path).mkpath(QStringLiteral("inside")); // contents to lose
    case Stand::Link:
        return QDir().mkpath(elsewhere) && writeAll(elsewhere + "/Posti.bq", bytes) &&
               QFile::link(elsewhere + "/Posti.bq", path);
    case Stand::Dangling:
        return QFile::link(elsewhere + "/missing/Posti.bq", path);
#ifdef Q_OS_UNIX
    case Stand::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Stand::Device: // a null device of our own, so a failing test harms nothing
        return QDir().mkpath(elsewhere) &&
               ::mknod(QFile::encodeName(elsewhere + "/null").constData(), S_IFCHR | 0666,
                       makedev(1, 3)) == 0 &&
               QFile::link(elsewhere + "/null", path);
#endif
    default:
        return stand == Stand::Nothing || stand == Stand::Gone;
    }
}

} // namespace

class KeeperTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    QStringList m_immutable;

    // Gives path the immutable attribute, which stops even root from
    // changing the file, or renaming or creating anything in the folder.
    bool makeImmutable(const QString &path)
    {
        m_immutable << path;
        return QProcess::execute(QStringLiteral("chattr"), {"+i", path}) == 0;
    }

    void release()
    {
        for (const QString &path : std::as_const(m_immutable))
            QProcess::execute(QStringLiteral("chattr"), {"-i", path});
        m_immutable.clear();
    }

private slots:
    void cleanup() { release(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath(QStringLiteral("prog")));
        m_path = m_dir->filePath(QStringLiteral("prog/Posti.bq"));
        useDataFolderIn(m_dir->path());
    }

    void startUpReportsOnceAndCloseKeepsEverything_data()
    {
        QTest::addColumn<QString>("file");     // in the test's folder
        QTest::addColumn<Stand>("stand");      // what stands there
        QTest::addColumn<QByteArray>("bytes"); // the file's, or the linked file's; none: no file
        QTest::addColumn<QString>("message");  // at start-up; empty: none
        QTest::addColumn<QString>("copy");     // kept beside the file; empty: none
        QTest::addColumn<QString>("reason");   // in the question a failed save asks; empty: saves
        const QString bad("danneggiato"), none, special("file speciale"),
            noFolder("la cartella non esiste");
        const QByteArray good = distinctFile();
        auto row = [&](const char *name, Stand stand, const QByteArray &bytes,
                       const QString &message, const QString &reason, const QString &copy = {},
                       const QString &file = "prog/Posti.bq") {
            QTest::newRow(name) << file << stand << bytes << message << copy << reason;
        };
        row("well-formed", Stand::File, good, none, none);
        row("missing", Stand::Nothing, {}, none, none);
        row("short, LF line ends, second time", Stand::File, distinctFile(50).replace("\r\n", "\n"),
            bad, none, ".bak.2");
        row("undefined byte", Stand::File, distinctFile().replace("Nome11,", "Nome\x81,"), bad,
            none, ".bak");
        row("UTF-8 with its mark, accents", Stand::File,
            "\xEF\xBB\xBF" + distinctFile().replace("Nome1,", "Niccol\xC3\xB2,"), "UTF-8", none,
            ".bak");
        row("name longer than a box holds", Stand::File,
            distinctFile().replace("Nome30,", QByteArray(40000, 'x') + ","), "casella", none,
            ".bak");
        row("too big to be the file", Stand::File, QByteArray(17 << 20, 'x'), "leggere il file",
            none, ".bak");
        row("changed by another program", Stand::Rewritten, good, none, none);
        row("file nobody may change", Stand::Immutable, good, "sola lettura",
            "il sistema non permette di modificare il file");
        row("folder", Stand::Folder, {}, "una cartella", "una cartella");
        row("no folder", Stand::Nothing, {}, "non esiste", noFolder, none, "missing/Posti.bq");
        row("name too long", Stand::Nothing, {}, "troppo lungo", "troppo lungo", none,
            "prog/" + QString(300, 'n'));
        row("folder vanished", Stand::Gone, {}, none, noFolder);
        row("link to a file", Stand::Link, good, none, none);
        row("link into a missing folder", Stand::Dangling, {}, "non esiste", noFolder);
        row("FIFO", Stand::Fifo, {}, special, special);
        row("link to a device", Stand::Device, {}, special, special);
    }

    void startUpReportsOnceAndCloseKeepsEverything()
    {
        QFETCH(QString, file);
        QFETCH(Stand, stand);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, copy);
        QFETCH(QString, reason);
        m_path = m_dir->filePath(file);
        QVERIFY(!copy.endsWith(".2") || writeAll(m_path + ".bak", "earlier"));
        QVERIFY2(makeStand(stand, m_path, bytes, m_dir->filePath("elsewhere")),
                 "needs a FIFO and a device node");
        if (stand == Stand::Immutable && !makeImmutable(m_path))
            QSKIP("needs chattr and a file system with the immutable attribute");
        const QString standing = kindOf(m_path);
        const bool isFile = !bytes.isEmpty();
        Archivio expected;
        QStringList named = isFile ? SeatingFile::load(m_path, expected).problems : QStringList();

        FakeSeatingView view;
        view.answers = {Answer::Yes}; // a failed save is tried again once
        Archivio table;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        keeper->startUp(table);
        QCOMPARE(view.log.size(), message.isEmpty() ? 0 : 1);
        if (!copy.isEmpty())
            named << QDir::toNativeSeparators(m_path + copy);
        for (const QString &part : named << message)
            QVERIFY2(view.log.value(0).contains(part), qPrintable(view.log.value(0)));
        QVERIFY(readAll(m_path + copy) == bytes); // the copy, or the file still untouched
        QVERIFY(!copy.endsWith(".2") || readAll(m_path + ".bak") == "earlier");
        QCOMPARE(table, expected);

        table.setCell(0, Archivio::NameColumn, QStringLiteral("Anna"));
        keeper->stored(table);
        QCOMPARE(tableOf(readAll(dataFile(JournalName))), table);
        QVERIFY(readAll(m_path) == bytes);
        const QByteArray other = distinctFile().replace("Nome0,", "Altro,");
        QVERIFY(stand != Stand::Gone || QDir(m_dir->filePath("prog")).removeRecursively());
        QVERIFY(stand != Stand::Rewritten || writeAll(m_path, other));
        view.log.clear();
        keeper->shutDown(table);
        keeper.reset();
        QCOMPARE(dataFile(JournalName), QString());
        const QString recovery = dataFile(RecoveryName), log = view.log.join('\n');
        if (reason.isEmpty()) {
            QVERIFY(readAll(m_path) == SeatingFile::serialize(table));
            QCOMPARE(kindOf(m_path), isFile ? standing : "file"); // a link is kept
            QCOMPARE(recovery, QString());
            // The other version is kept as "Posti.bq.bak", and the teacher told.
            const bool rewritten = stand == Stand::Rewritten;
            QVERIFY(!rewritten || readAll(m_path + ".bak") == other);
            QVERIFY2(view.log.size() == int(rewritten) &&
                         (!rewritten || (log.contains("modificato da un altro") &&
                                         log.contains(QDir::toNativeSeparators(m_path + ".bak")))),
                     qPrintable(log));
            return;
        }
        QVERIFY2(view.log.size() == 3 && view.log.first().startsWith(MessageTitle::error()) &&
                     view.log.first().endsWith("|YesNo") &&
                     view.log.first().contains(QDir::toNativeSeparators(m_path)) &&
                     view.log.first().contains(reason),
                 qPrintable(log));
        QCOMPARE(tableOf(readAll(recovery)), table);
        QVERIFY(view.log.last().contains(QDir::toNativeSeparators(recovery)));
        // Only a file that was read, or none, may be replaced by the recovery file.
        QCOMPARE(view.log.last().contains("copiarlo"), isFile || standing.endsWith("nothing"));
        QVERIFY(readAll(m_path) == bytes);
        QCOMPARE(kindOf(m_path), standing);
        QVERIFY(stand != Stand::Folder || QFileInfo(m_path + "/inside").isDir());
    }

    // Only a journal that loads as a whole, well-formed file and differs from
    // the file is offered, with a question that says what differs and
    // defaults to No. What is not restored is set aside, never replaced; the
    // restore and the set-aside after a No are driven through the window in
    // the location test.
    void onlyAWholeJournalIsOffered_data()
    {
        QTest::addColumn<Stand>("stand");        // what stands at the journal's path
        QTest::addColumn<QByteArray>("journal"); // its bytes
        QTest::addColumn<bool>("immutable");     // the data folder takes no renaming
        QTest::addColumn<QString>("message");    // the last at start-up; empty: none
        const QByteArray whole = distinctFile()
                                     .replace("Nome0,2", "Anna,2")
                                     .replace("Nome1,3", "Bruno,7")
                                     .replace("Nome92,", "3B,");
        const QString bad("incompleto o danneggiato");
        QTest::newRow("empty") << Stand::File << QByteArray() << false << bad;
        QTest::newRow("truncated") << Stand::File << whole.left(whole.size() / 2) << false << bad;
        QTest::newRow("a folder") << Stand::Folder << QByteArray() << false << "cartella";
        QTest::newRow("declined, cannot be set aside")
            << Stand::File << whole << true << "mettere da parte";
        QTest::newRow("same as the file") << Stand::File << distinctFile() << false << QString();
    }

    void onlyAWholeJournalIsOffered()
    {
        QFETCH(Stand, stand);
        QFETCH(QByteArray, journal);
        QFETCH(bool, immutable);
        QFETCH(QString, message);
        const QByteArray file = distinctFile();
        QVERIFY(writeAll(m_path, file) && QDir().mkpath(dataFolder()));
        const QDir data(dataFolder());
        const QString journalPath =
            data.filePath(QStringLiteral("Posti-diario-%1.bq").arg(DataFolder::keyFor(m_path)));
        QVERIFY(makeStand(stand, journalPath, journal, QString()));
        if (immutable && !makeImmutable(dataFolder()))
            QSKIP("needs chattr and a file system with the immutable attribute");
        const bool whole =
            stand == Stand::File && SeatingFile::serialize(tableOf(journal)) == journal;
        const bool offered = whole && journal != file;

        FakeSeatingView view; // answers No
        Archivio table;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        keeper->startUp(table);
        release();
        QCOMPARE(table, tableOf(file));
        QCOMPARE(view.log.size(), int(offered) + int(!message.isEmpty()));
        QVERIFY(!offered || view.log.first() == MessageTitle::warning() + "|" +
                                                    KeeperMessages::restoreJournal(
                                                        data.absolutePath(),
                                                        {"classe 1 («Nome30»): 2 nomi, 1 posto",
                                                         "classe 3 («3B»): il nome della classe"}) +
                                                    "|YesNoDefaultNo");
        QVERIFY2(view.log.value(offered).contains(message), qPrintable(view.log.join('\n')));
        const QStringList aside = data.entryList({AsideName}, QDir::Files | QDir::Dirs);
        QCOMPARE(aside.size(), int(!whole));
        QVERIFY(whole ||
                kindOf(data.filePath(aside.first())) == (stand == Stand::File ? "file" : "folder"));
        QVERIFY(whole || readAll(data.filePath(aside.first())) == journal);

        // A journal that could not be set aside is neither replaced nor removed.
        Archivio stored = table;
        stored.setCell(5, Archivio::NameColumn, QStringLiteral("Carla"));
        keeper->stored(stored);
        QCOMPARE(readAll(journalPath), immutable ? journal : SeatingFile::serialize(stored));
        keeper->shutDown(stored);
        QCOMPARE(QFileInfo::exists(journalPath), immutable);
        QCOMPARE(readAll(m_path), SeatingFile::serialize(stored));
    }

    // One copy of the program holds the file, with its lock beside the file or,
    // where the folder takes none, in the data folder; a second one, while the
    // first runs, only shows the classes, says so, and writes nothing: not the
    // file, not the journal, not the first one's leftovers. (A lock whose owner
    // is gone is taken over: the location test kills a run.)
    void secondCopySavesNothing_data()
    {
        QTest::addColumn<bool>("noLockBeside"); // the file's folder takes no lock
        QTest::newRow("lock beside the file") << false;
        QTest::newRow("lock in the data folder") << true;
    }

    void secondCopySavesNothing()
    {
        QFETCH(bool, noLockBeside);
        const QByteArray file = distinctFile();
        QVERIFY(writeAll(m_path, file));
        // What a save killed half-way leaves, there before the first copy or after.
        const auto leftover = [this] {
            return writeAll(m_path + ".AbCdEf", "partial");
        };
        if (noLockBeside && !(leftover() && makeImmutable(QFileInfo(m_path).absolutePath())))
            QSKIP("needs chattr and a file system with the immutable attribute");
        FakeSeatingView firstView;
        Archivio first;
        SeatingFileKeeper firstKeeper(m_path, firstView);
        firstKeeper.startUp(first);
        first.setCell(0, Archivio::NameColumn, QStringLiteral("Anna"));
        firstKeeper.stored(first);
        QVERIFY(noLockBeside || leftover());
        const QString journal = dataFile(JournalName);
        const QByteArray journalBytes = readAll(journal);

        FakeSeatingView view;
        view.answer = Answer::Yes;
        Archivio second;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        keeper->startUp(second);
        release();
        QCOMPARE(second, tableOf(file));
        QCOMPARE(view.log, QStringList(MessageTitle::warning() + "|" +
                                       KeeperMessages::openElsewhere(m_path) + "|Ok"));
        QVERIFY(QFileInfo::exists(m_path + ".AbCdEf"));
        second.setCell(1, Archivio::NameColumn, QStringLiteral("Bruno"));
        keeper->stored(second);
        keeper->shutDown(second);
        keeper.reset();
        QCOMPARE(view.log.size(), 1);
        QCOMPARE(dataFile(RecoveryName), QString());
        QCOMPARE(readAll(m_path), file);
        QCOMPARE(readAll(journal), journalBytes);
        firstKeeper.shutDown(first);
        QCOMPARE(readAll(m_path), SeatingFile::serialize(first));
        QCOMPARE(dataFile(JournalName), QString());
    }

    // The common reasons of the other systems in Italian words; those of this
    // one are met for real above.
    void systemReasonsInItalian_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("italian");
        QTest::newRow("Windows, no permission") << "Access is denied."
                                                << "il sistema non concede il permesso";
        QTest::newRow("Windows, no folder") << "The system cannot find the path specified."
                                            << "la cartella non esiste";
        QTest::newRow("macOS, in use") << "Resource busy"
                                       << "il file è in uso da un altro programma";
        QTest::newRow("copy, original unreadable") << "Cannot open /x/Posti.bq for input"
                                                   << "il file originale non si può leggere";
        QTest::newRow("anything else, as it is") << "Input/output error"
                                                 << "Input/output error";
    }

    void systemReasonsInItalian()
    {
        QFETCH(QString, system);
        QFETCH(QString, italian);
        QCOMPARE(KeeperMessages::reason(system), italian);
    }
};

POSTI_TEST_MAIN(KeeperTest)
#include "tst_keeper.moc"
