// Keeping the teacher's classes safe, at the keeper's own level: whatever
// stands where the seating file should be, the start says so once and shows
// the right table, each store goes to the journal, and the close saves, or
// asks again and writes a recovery file, never replacing what is not a file.
// Faults are real: folders that vanish, FIFOs, sockets, device nodes,
// links, immutable folders. Permission bits are not used, since root ignores
// them.

#include "archivio.h"
#include "datafolder.h"
#include "fakeview.h"
#include "keepermessages.h"
#include "keptfiles.h"
#include "seatingfile.h"
#include "seatingfilekeeper.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <memory>

using Answer = SeatingView::Answer;
using namespace KeptFiles;
Q_DECLARE_METATYPE(Answer)

// What stands at the seating file's path when the program starts.
enum class Stand {
    Nothing,
    File,
    ImmutableFile, // not even root may change it
    Folder,
    Fifo,
    Socket,
    LinkToDevice,
    LinkToFile,
    DanglingLink
};
Q_DECLARE_METATYPE(Stand)

// What happens to the file while the program runs.
enum class During { Nothing, FolderRemoved, FileRewritten };
Q_DECLARE_METATYPE(During)

namespace {

// What stands at path, links spelt out, so that a test can tell it is untouched.
QString kindOf(const QString &path)
{
    const QFileInfo info(path);
    QString kind = info.isSymLink() ? QStringLiteral("link to ") : QString();
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return kind + QStringLiteral("nothing");
    if (S_ISCHR(st.st_mode))
        return kind + QStringLiteral("device ") + QString::number(st.st_rdev);
    if (S_ISFIFO(st.st_mode))
        return kind + QStringLiteral("fifo");
    if (S_ISSOCK(st.st_mode))
        return kind + QStringLiteral("socket");
#endif
    return kind + (info.isDir() ? "folder" : info.isFile() ? "file" : "nothing");
}

// Makes it stand at path; elsewhere is a folder of the test's own.
bool makeStand(Stand stand, const QString &path, const QByteArray &bytes, const QString &elsewhere)
{
    const QByteArray native = QFile::encodeName(path);
    switch (stand) {
    case Stand::Nothing:
        return true;
    case Stand::File:
    case Stand::ImmutableFile: // made so by the test
        return writeAll(path, bytes);
    case Stand::Folder:
        return QDir(path).mkpath(QStringLiteral("inside")); // contents to lose
    case Stand::LinkToFile:
        return QDir().mkpath(elsewhere) && writeAll(elsewhere + "/Posti.bq", bytes) &&
               QFile::link(elsewhere + "/Posti.bq", path);
    case Stand::DanglingLink:
        return QFile::link(elsewhere + "/missing/Posti.bq", path);
#ifdef Q_OS_UNIX
    case Stand::Fifo:
        return ::mkfifo(native.constData(), 0600) == 0;
    case Stand::LinkToDevice: {
        // A null device of our own, so a failing test harms nothing of the machine's.
        const QByteArray device = QFile::encodeName(elsewhere + "/null");
        return QDir().mkpath(elsewhere) &&
               ::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
               QFile::link(elsewhere + "/null", path);
    }
    case Stand::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
        return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
#else
    default:
        return false;
#endif
    }
    return false;
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
        QTest::addColumn<QByteArray>("bytes"); // the file's, or the linked file's
        QTest::addColumn<QString>("message");  // at start-up; empty: none
        QTest::addColumn<QString>("copy");     // kept beside the file; empty: none
        QTest::addColumn<During>("during");
        QTest::addColumn<QString>("reason"); // in the question a failed save asks; empty: saves
        const QString bad("danneggiato"), none, special("file speciale");
        const QByteArray noFile, good = distinctFile();
        const During quiet = During::Nothing;
        auto row = [&](const char *name, Stand stand, const QByteArray &bytes,
                       const QString &message, const QString &reason, const QString &copy = {},
                       During during = During::Nothing, const QString &file = "prog/Posti.bq") {
            QTest::newRow(name) << file << stand << bytes << message << copy << during << reason;
        };
        row("well-formed", Stand::File, good, none, none);
        row("missing", Stand::Nothing, noFile, none, none);
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
        // The other version is kept as "Posti.bq.bak" at close.
        row("changed by another program", Stand::File, good, none, none, none,
            During::FileRewritten);
        row("file nobody may change", Stand::ImmutableFile, good, "sola lettura",
            "il sistema non permette di modificare il file");
        row("folder", Stand::Folder, noFile, "una cartella", "una cartella");
        row("no folder", Stand::Nothing, noFile, "non esiste", "la cartella non esiste", none,
            quiet, "missing/Posti.bq");
        row("name too long", Stand::Nothing, noFile, "troppo lungo", "troppo lungo", none, quiet,
            "prog/" + QString(300, 'n'));
        // Answered Sì once, then No.
        row("folder vanished, retried", Stand::Nothing, noFile, none, "la cartella non esiste",
            none, During::FolderRemoved);
        row("link to a file", Stand::LinkToFile, good, none, none);
        row("link into a missing folder", Stand::DanglingLink, noFile, "non esiste",
            "la cartella non esiste");
        row("socket", Stand::Socket, noFile, special, special);
        row("FIFO", Stand::Fifo, noFile, special, special);
        row("link to a device", Stand::LinkToDevice, noFile, special, special);
    }

    void startUpReportsOnceAndCloseKeepsEverything()
    {
        QFETCH(QString, file);
        QFETCH(Stand, stand);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, copy);
        QFETCH(During, during);
        QFETCH(QString, reason);
        const int retries = during == During::FolderRemoved ? 1 : 0;
        m_path = m_dir->filePath(file);
        const QString elsewhere = m_dir->filePath(QStringLiteral("elsewhere"));
        if (copy.endsWith(".2"))
            QVERIFY(writeAll(m_path + ".bak", "earlier"));
#ifndef Q_OS_UNIX
        if (stand == Stand::Fifo || stand == Stand::Socket || stand == Stand::LinkToDevice)
            QSKIP("needs a FIFO, socket or device node");
#endif
        QVERIFY(makeStand(stand, m_path, bytes, elsewhere));
        if (stand == Stand::ImmutableFile && !makeImmutable(m_path))
            QSKIP("needs chattr and a file system with the immutable attribute");
        const QString standing = kindOf(m_path);
        const bool isFile =
            stand == Stand::File || stand == Stand::LinkToFile || stand == Stand::ImmutableFile;
        Archivio expected;
        QStringList named = isFile ? SeatingFile::load(m_path, expected).problems : QStringList();

        FakeSeatingView view;
        view.answers = QList<Answer>(retries, Answer::Yes);
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
        QVERIFY(readAll(m_path) == (isFile ? bytes : QByteArray()));
        const QByteArray other = distinctFile().replace("Nome0,", "Altro,");
        if (during == During::FolderRemoved)
            QVERIFY(QDir(m_dir->filePath("prog")).removeRecursively());
        if (during == During::FileRewritten)
            QVERIFY(writeAll(m_path, other));

        view.log.clear();
        keeper->shutDown(table);
        keeper.reset();
        QCOMPARE(dataFile(JournalName), QString());
        if (reason.isEmpty()) {
            QVERIFY(readAll(m_path) == SeatingFile::serialize(table));
            QCOMPARE(kindOf(m_path), isFile ? standing : "file"); // a link is kept
            QCOMPARE(dataFile(RecoveryName), QString());
            if (during != During::FileRewritten) {
                QCOMPARE(view.log, QStringList());
                return;
            }
            QVERIFY(readAll(m_path + ".bak") == other);
            QVERIFY2(view.log.size() == 1 && view.log.first().contains("modificato da un altro") &&
                         view.log.first().contains(QDir::toNativeSeparators(m_path + ".bak")),
                     qPrintable(view.log.join('\n')));
            return;
        }
        QCOMPARE(view.log.size(), retries + 2);
        for (int asked = 0; asked <= retries; ++asked) {
            const QString question = view.log.at(asked);
            QVERIFY2(question.startsWith(MessageTitle::error()) && question.endsWith("|YesNo") &&
                         question.contains(QDir::toNativeSeparators(m_path)) &&
                         question.contains(reason),
                     qPrintable(question));
        }
        const QString recovery = dataFile(RecoveryName);
        QCOMPARE(tableOf(readAll(recovery)), table);
        QVERIFY(view.log.last().contains(QDir::toNativeSeparators(recovery)));
        // Only a file that was read may be replaced by the recovery file.
        const bool unread = stand == Stand::Folder || stand == Stand::Fifo ||
                            stand == Stand::Socket || stand == Stand::LinkToDevice;
        QCOMPARE(view.log.last().contains("copiarlo"), !unread);
        QVERIFY(!isFile || readAll(m_path) == bytes);
        QCOMPARE(kindOf(m_path), during == During::FolderRemoved ? "nothing" : standing);
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

    // The system's common reasons in Italian words, whichever system gives them.
    void systemReasonsInItalian_data()
    {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("italian");
        const QString denied("il sistema non concede il permesso"),
            noFolder("la cartella non esiste");
        QTest::newRow("Linux, no permission") << "Permission denied" << denied;
        QTest::newRow("Windows, no permission") << "Access is denied." << denied;
        QTest::newRow("Linux, disk full") << "No space left on device"
                                          << "il disco è pieno";
        QTest::newRow("Windows, name too long")
            << "The filename or extension is too long."
            << "il nome del file o della cartella è troppo lungo";
        QTest::newRow("Linux, no folder") << "No such file or directory" << noFolder;
        QTest::newRow("Windows, no folder")
            << "The system cannot find the path specified." << noFolder;
        QTest::newRow("Windows, read-only medium") << "The media is write protected."
                                                   << "il disco è di sola lettura";
        QTest::newRow("macOS, in use") << "Resource busy"
                                       << "il file è in uso da un altro programma";
        QTest::newRow("save, file not writable") << "Existing file /x/Posti.bq is not writable"
                                                 << "il sistema non permette di modificare il file";
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
        QVERIFY(KeeperMessages::saveFailed("/x/Posti.bq", system).contains(italian + "."));
    }
};

QTEST_MAIN(KeeperTest)
#include "tst_keeper.moc"
