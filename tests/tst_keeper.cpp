// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the teacher's classes safe, at the keeper's own level: whatever
// stands where the seating file should be, the start says so once and shows
// the right table, each store goes to the journal, and the close saves, or
// asks again and writes a recovery file, never replacing what is not a file.
// Faults are real: folders that vanish, FIFOs, device nodes, links,
// immutable folders. Permission bits are not used, since root ignores them;
// what needs root (device nodes, the immutable attribute) is skipped without.
// Qt's Italian translations are installed, as the program does.

#include "datafolder.h"
#include "fakeview.h"
#include "keepermessages.h"
#include "keptfiles.h"
#include "namepattern.h"
#include "rulesfile.h"
#include "seatingdisk.h"
#include "seatingfilekeeper.h"
#include "seatinglock.h"
#include "testmain.h"

#include <QLibraryInfo>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#include <memory>

using Answer = SeatingView::Answer;
using namespace KeptFiles;
using namespace Qt::StringLiterals;

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
    QString kind = info.isSymLink() ? u"link to "_s : QString();
#ifdef Q_OS_UNIX
    struct stat st;
    const bool found = ::stat(QFile::encodeName(path).constData(), &st) == 0;
    if (found && S_ISCHR(st.st_mode))
        return kind + u"device "_s + QString::number(st.st_rdev);
    if (found && S_ISFIFO(st.st_mode))
        return kind + u"fifo"_s;
#endif
    return kind + (info.isDir() ? u"folder"_s : info.isFile() ? u"file"_s : u"nothing"_s);
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
        return QDir(path).mkpath(u"inside"_s); // contents to lose
    case Stand::Link:
        return QDir().mkpath(elsewhere) && writeAll(elsewhere + u"/Posti.bq"_s, bytes) &&
               QFile::link(elsewhere + u"/Posti.bq"_s, path);
    case Stand::Dangling:
        return QFile::link(elsewhere + u"/missing/Posti.bq"_s, path);
#ifdef Q_OS_UNIX
    case Stand::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Stand::Device: // a null device of our own, so a failing test harms nothing
        return QDir().mkpath(elsewhere) &&
               ::mknod(QFile::encodeName(elsewhere + u"/null"_s).constData(), S_IFCHR | 0666,
                       makedev(1, 3)) == 0 &&
               QFile::link(elsewhere + u"/null"_s, path);
#endif
    default:
        return stand == Stand::Nothing || stand == Stand::Gone;
    }
}

// The start-up's warning that the file cannot be saved where it is.
QString cannotSave(const QString &reason)
{
    return u"Il file dei posti non potrà essere salvato in\n<file>\n"_s + reason +
           u".\nConviene chiudere subito il programma e spostarlo in una cartella dove si possa "
           "scrivere; altrimenti, alla chiusura le classi verranno salvate in un file di "
           "recupero."_s;
}

// What a running copy (this test) writes in its lock.
QByteArray runningCopysLock(const QString &path)
{
    QLockFile lock(path);
    return lock.tryLock() ? readAll(path) : QByteArray();
}

// distinctFile() with its first count lines made line.
QByteArray withLines(int count, const QByteArray &line)
{
    QByteArrayList lines = distinctFile().split('\n');
    std::fill_n(lines.begin(), count, line + '\r');
    return lines.join('\n');
}

// Spells out the places a message names.
QString placed(QString text, const QHash<QString, QString> &places)
{
    for (auto place = places.begin(); place != places.end(); ++place)
        text.replace(place.key(), QDir::toNativeSeparators(place.value()));
    return text;
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
        return QProcess::execute(u"chattr"_s, {u"+i"_s, path}) == 0;
    }

    void release()
    {
        for (const QString &path : std::as_const(m_immutable))
            QProcess::execute(u"chattr"_s, {u"-i"_s, path});
        m_immutable.clear();
    }

private slots:
    // Qt's own error texts are Italian from here on, as in the program.
    void initTestCase()
    {
        auto *translator = new QTranslator(this);
        QVERIFY2(
            translator->load(u"qtbase_it"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)),
            "needs Qt's Italian translations (qt6-translations-l10n)");
        QCoreApplication::installTranslator(translator);
    }

    void cleanup() { release(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath(u"prog"_s));
        m_path = m_dir->filePath(u"prog/Posti.bq"_s);
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
        const QString none, noFolder = u"la cartella non esiste"_s,
                            folder = u"al posto del file c'è una cartella con lo stesso nome"_s,
                            special = u"al posto del file c'è un file speciale (un dispositivo, "
                                      "una FIFO o un socket), che il programma non legge e non "
                                      "sostituisce"_s;
        const QString damaged = u"Il file dei posti\n<file>\nera danneggiato. Sono state "
                                "recuperate tutte le righe leggibili, ognuna al suo posto, e "
                                "aggiustate quelle che si potevano; i problemi trovati sono:"_s,
                      kept = u"\n\nIl file originale, così com'era, è stato copiato in:\n<copy>"_s;
        const QByteArray good = distinctFile();
        auto row = [&](const char *name, Stand stand, const QByteArray &bytes,
                       const QString &message, const QString &reason, const QString &copy = {},
                       const QString &file = u"prog/Posti.bq"_s) {
            QTest::newRow(name) << file << stand << bytes << message << copy << reason;
        };
        row("well-formed", Stand::File, good, none, none);
        row("missing", Stand::Nothing, {}, none, none);
        row("short, LF line ends, second time", Stand::File, distinctFile(50).replace("\r\n", "\n"),
            damaged +
                u"\n- il file ha solo 50 righe su 310: le altre sono vuote\n- 50 righe non "
                "terminano con CR LF: lette lo stesso"_s +
                kept,
            none, u".bak.2"_s);
        row("last line without CR LF", Stand::File, good.chopped(2),
            damaged + u"\n- una riga non termina con CR LF: letta lo stesso"_s + kept, none,
            u".bak"_s);
        row("too big to be the file", Stand::File, QByteArray(17 << 20, 'x'),
            u"Non è stato possibile leggere il file dei posti\n<file>\nil file è troppo grande "
            "per essere un file dei posti.\nIl programma parte con le classi vuote."_s +
                kept,
            none, u".bak"_s);
        row("changed by another program", Stand::Rewritten, good, none, none);
        row("file nobody may change", Stand::Immutable, good,
            cannotSave(u"il file è di sola lettura"_s),
            u"il sistema non permette di modificare il file"_s);
        row("folder", Stand::Folder, {}, cannotSave(folder), folder);
        row("no folder", Stand::Nothing, {}, cannotSave(u"la cartella <dir>/missing non esiste"_s),
            noFolder, none, u"missing/Posti.bq"_s);
        row("name too long", Stand::Nothing, {},
            cannotSave(u"il nome del file o della cartella è troppo lungo"_s),
            u"il nome del file o della cartella è troppo lungo"_s, none,
            u"prog/"_s + QString(300, u'n'));
        row("folder vanished", Stand::Gone, {}, none, noFolder);
        row("link to a file", Stand::Link, good, none, none);
        row("link into a missing folder", Stand::Dangling, {},
            cannotSave(u"la cartella <dir>/elsewhere/missing non esiste"_s), noFolder);
        row("FIFO", Stand::Fifo, {}, cannotSave(special), special);
        row("link to a device", Stand::Device, {}, cannotSave(special), special);
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
        QVERIFY(!copy.endsWith(u".2"_s) || writeAll(m_path + u".bak"_s, "earlier"));
        if (!makeStand(stand, m_path, bytes, m_dir->filePath(u"elsewhere"_s))) {
            QVERIFY2(stand == Stand::Device, "needs a FIFO");
            QSKIP("needs root to make a device node");
        }
        if (stand == Stand::Immutable && !makeImmutable(m_path))
            QSKIP("needs root, chattr and a file system with the immutable attribute");
        const QString standing = kindOf(m_path);
        const bool isFile = !bytes.isEmpty();
        const QHash<QString, QString> places{
            {u"<file>"_s, m_path}, {u"<copy>"_s, m_path + copy}, {u"<dir>"_s, m_dir->path()}};

        FakeSeatingView view;
        view.replies = {u"Sì"_s}; // a failed save is tried again once
        Archivio table;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        keeper->startUp(table);
        QCOMPARE(view.log, message.isEmpty() ? QStringList()
                                             : QStringList{u"Attenzione!|"_s +
                                                           placed(message, places) + u"|[OK]"_s});
        QCOMPARE(readAll(m_path + copy), bytes); // the copy, or the file still untouched
        QVERIFY(!copy.endsWith(u".2"_s) || readAll(m_path + u".bak"_s) == "earlier");
        QCOMPARE(table, message.startsWith(u"Non"_s) ? Archivio() : tableOf(bytes));

        table.setCell(0, Archivio::NameColumn, u"Anna"_s);
        keeper->stored(table);
        QCOMPARE(tableOf(readAll(dataFile(JournalName))), table);
        QCOMPARE(readAll(m_path), bytes);
        const QByteArray other = distinctFile().replace("Nome0,", "Altro,");
        QVERIFY(stand != Stand::Gone || QDir(m_dir->filePath(u"prog"_s)).removeRecursively());
        QVERIFY(stand != Stand::Rewritten || writeAll(m_path, other));
        view.log.clear();
        keeper->shutDown(table);
        keeper.reset();
        QCOMPARE(dataFile(JournalName), QString());
        const QString recovery = dataFile(RecoveryName);
        if (reason.isEmpty()) {
            QCOMPARE(readAll(m_path), SeatingFile::serialize(table));
            QCOMPARE(kindOf(m_path), isFile ? standing : u"file"_s); // a link is kept
            QCOMPARE(recovery, QString());
            // The other version is kept as "Posti.bq.bak", and the teacher told.
            const bool rewritten = stand == Stand::Rewritten;
            QCOMPARE(view.log.size(), int(rewritten));
            QVERIFY(!rewritten || (readAll(m_path + u".bak"_s) == other &&
                                   view.log.first().contains(placed(
                                       u"modificato da un altro programma dopo l'avvio. Ora "
                                       "contiene le classi di questa finestra; l'altra versione è "
                                       "stata conservata in:\n<file>.bak|"_s,
                                       places))));
            return;
        }
        const QString question =
            placed(u"Errore!|Impossibile salvare le classi nel file dei posti\n<file>\n"_s +
                       reason + u".\n\nRiprovare?|[Sì]/No Esc=No"_s,
                   places);
        QCOMPARE(view.log.size(), 3);
        QCOMPARE(view.log.at(0), question);
        QCOMPARE(view.log.at(1), question);
        QCOMPARE(tableOf(readAll(recovery)), table);
        QVERIFY(view.log.at(2).contains(u"salvate nel file di recupero\n"_s + recovery));
        // Only a file that was read, or none, may be replaced by the recovery file.
        QCOMPARE(view.log.at(2).contains(u"Per riaverle, copiarlo nella cartella"_s),
                 isFile || standing.endsWith(u"nothing"_s));
        QCOMPARE(readAll(m_path), bytes);
        QCOMPARE(kindOf(m_path), standing);
        QVERIFY(stand != Stand::Folder || QFileInfo(m_path + u"/inside"_s).isDir());
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
        const QString unreadable = u"non si possono leggere: %1.\nIl file è stato conservato "
                                   "in:\n<aside>|"_s;
        QTest::newRow("truncated") << Stand::File << whole.left(whole.size() / 2) << false
                                   << unreadable.arg(u"il file è incompleto o danneggiato"_s);
        QTest::newRow("a folder")
            << Stand::Folder << QByteArray() << false
            << unreadable.arg(u"al posto del file c'è una cartella con lo stesso nome"_s);
        QTest::newRow("declined") << Stand::File << whole << false << QString();
        QTest::newRow("declined, cannot be set aside")
            << Stand::File << whole << true
            << u"mettere da parte le classi memorizzate prima dell'interruzione (<journal>): il "
               "sistema non concede il permesso."_s;
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
            data.filePath(u"Posti-diario-%1.bq"_s.arg(DataFolder::keyFor(m_path)));
        QVERIFY(makeStand(stand, journalPath, journal, QString()));
        if (immutable && !makeImmutable(dataFolder()))
            QSKIP("needs root, chattr and a file system with the immutable attribute");
        const bool whole =
            stand == Stand::File && SeatingFile::serialize(tableOf(journal)) == journal;
        const bool offered = whole && journal != file;

        FakeSeatingView view; // answers No
        Archivio table;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        keeper->startUp(table);
        release();
        QCOMPARE(table, tableOf(file));
        const QStringList aside = data.entryList({AsideName}, QDir::Files | QDir::Dirs);
        QCOMPARE(aside.size(), int((!whole || offered) && !immutable));
        const QHash<QString, QString> places{{u"<aside>"_s, data.filePath(aside.value(0))},
                                             {u"<journal>"_s, journalPath},
                                             {u"<data>"_s, data.absolutePath()}};
        QCOMPARE(view.log.size(), int(offered) + int(!message.isEmpty()));
        if (offered)
            QCOMPARE(view.log.first(),
                     placed(u"Attenzione!|L'ultima volta il programma non è stato chiuso "
                            "correttamente, e il file dei posti non contiene le classi memorizzate "
                            "prima dell'interruzione. Rispetto al file, cambiano:\n- classe 1 "
                            "(«Nome30»): 2 nomi, 1 posto\n- classe 3 («3B»): il nome della "
                            "classe\n\nRipristinare le classi memorizzate prima dell'interruzione? "
                            "Il file com'è verrà prima copiato.\n\nRispondendo No, verranno "
                            "conservate a parte nella cartella\n<data>|Sì/[No]"_s,
                            places));
        QVERIFY2(view.log.value(offered).contains(placed(message, places)),
                 qPrintable(view.log.join(u'\n')));
        if (!aside.isEmpty()) {
            QCOMPARE(kindOf(data.filePath(aside.first())),
                     stand == Stand::File ? u"file"_s : u"folder"_s);
            QCOMPARE(readAll(data.filePath(aside.first())), journal);
        }

        // A journal that could not be set aside is neither replaced nor removed.
        Archivio stored = table;
        stored.setCell(5, Archivio::NameColumn, u"Carla"_s);
        keeper->stored(stored);
        QCOMPARE(readAll(journalPath), immutable ? journal : SeatingFile::serialize(stored));
        keeper->shutDown(stored);
        QCOMPARE(QFileInfo::exists(journalPath), immutable);
        QCOMPARE(readAll(m_path), SeatingFile::serialize(stored));
    }

    // One copy of the program holds the file, with its lock beside the file or,
    // where the folder takes none, in the data folder; a second one, while the
    // first runs, only shows the classes, says so, and writes nothing: not the
    // file, not the journal, not the first one's leftovers. A lock is not taken
    // over for its age while its owner runs. (A lock whose owner is gone is
    // taken over: the location test kills a run.)
    void secondCopySavesNothing_data()
    {
        QTest::addColumn<bool>("noLockBeside"); // the file's folder takes no lock
        QTest::addColumn<bool>("ahead");        // the file read while the window is built
        QTest::newRow("lock beside the file") << false << false;
        QTest::newRow("lock in the data folder") << true << false;
        QTest::newRow("lock beside the file, read ahead") << false << true;
    }

    void secondCopySavesNothing()
    {
        QFETCH(bool, noLockBeside);
        QFETCH(bool, ahead);
        const QByteArray file = distinctFile();
        QVERIFY(writeAll(m_path, file));
        // What a save killed half-way leaves, there before the first copy or after.
        const auto leftover = [this] {
            return writeAll(m_path + u".AbCdEf"_s, "partial");
        };
        if (noLockBeside && !(leftover() && makeImmutable(QFileInfo(m_path).absolutePath())))
            QSKIP("needs root, chattr and a file system with the immutable attribute");
        FakeSeatingView firstView;
        Archivio first;
        SeatingFileKeeper firstKeeper(m_path, firstView);
        firstKeeper.startUp(first);
        first.setCell(0, Archivio::NameColumn, u"Anna"_s);
        firstKeeper.stored(first);
        QVERIFY(noLockBeside || leftover());
        const QString journal = dataFile(JournalName);
        const QByteArray journalBytes = readAll(journal);
        // A day old, and held by its contents only, as on a file system
        // without file locks: the first copy's own lock is moved out of the way.
        const QDir lockFolder(noLockBeside ? dataFolder() : QFileInfo(m_path).absolutePath());
        const QStringList locks = lockFolder.entryList({u"*.lock"_s}, QDir::Files);
        QCOMPARE(locks.size(), 1);
        const QString lockPath = lockFolder.filePath(locks.first());
        const QByteArray owner = readAll(lockPath);
        QVERIFY(QFile::rename(lockPath, lockPath + u".held"_s) && writeAll(lockPath, owner));
        QVERIFY(setModified(lockPath, QDateTime::currentDateTime().addDays(-1)));

        FakeSeatingView view;
        view.reply = u"Sì"_s;
        Archivio second;
        auto keeper = std::make_unique<SeatingFileKeeper>(m_path, view);
        if (ahead)
            keeper->readAhead();
        keeper->startUp(second);
        release();
        QCOMPARE(second, tableOf(file));
        QCOMPARE(view.log, QStringList{placed(u"Attenzione!|Il file dei posti\n<file>\nè già "
                                              "aperto in un'altra copia del programma.\nQuesta "
                                              "finestra mostra le classi in sola lettura: nulla "
                                              "di quello che vi si fa verrà salvato. Per "
                                              "lavorare, usare l'altra copia.|[OK]"_s,
                                              {{u"<file>"_s, m_path}})});
        QVERIFY(QFileInfo::exists(m_path + u".AbCdEf"_s));
        second.setCell(1, Archivio::NameColumn, u"Bruno"_s);
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

    // A copy writes its lock's contents the instant it makes it: a lock that
    // cannot be read belongs to nobody once it is older than a coarse file
    // time allows, or dated more than a day ahead. One that can be read is
    // held while its copy runs, whatever its age.
    void unreadableLocksAreTakenOver_data()
    {
        QTest::addColumn<QByteArray>("contents"); // none: a running copy's
        QTest::addColumn<int>("age");             // seconds; below 0: ahead
        QTest::addColumn<bool>("taken");
        QTest::newRow("empty, a minute old") << QByteArray("") << 60 << true;
        QTest::newRow("empty, just made") << QByteArray("") << 0 << false;
        QTest::newRow("garbage, a minute old") << QByteArray("\0\xFFgarbage\n", 10) << 60 << true;
        QTest::newRow("empty, two days ahead") << QByteArray("") << -2 * 86400 << true;
        QTest::newRow("empty, an hour ahead") << QByteArray("") << -3600 << false;
        QTest::newRow("a running copy's, a day old") << QByteArray() << 86400 << false;
    }

    void unreadableLocksAreTakenOver()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, age);
        QFETCH(bool, taken);
        const QString lockPath = m_path + u".lock"_s;
        if (contents.isNull())
            contents = runningCopysLock(m_dir->filePath(u"running.lock"_s));
        QVERIFY(writeAll(lockPath, contents) &&
                setModified(lockPath, QDateTime::currentDateTime().addSecs(-age)));
        SeatingLock lock(m_path);
        QCOMPARE(lock.acquire(), taken);
        QCOMPARE(readAll(lockPath) == contents, !taken);
        qint64 pid = 0;
        QString host, application;
        QVERIFY(!taken || QLockFile(lockPath).getLockInfo(&pid, &host, &application));
        QCOMPARE(pid, taken ? QCoreApplication::applicationPid() : 0);
    }

    // A lock from another computer says which and since when, and is taken
    // over only when asked; one of a copy running here never is.
    void lockOfAnotherComputer()
    {
        const QString lockPath = m_path + u".lock"_s;
        const QDateTime since(QDate(2024, 12, 3), QTime(10, 14));
        QVERIFY(writeAll(lockPath, "12345\nposti\nlaptop-casa\n\n\n") &&
                setModified(lockPath, since));
        SeatingLock lock(m_path);
        QVERIFY(!lock.acquire());
        const SeatingLock::Holder holder = lock.holder();
        QCOMPARE(holder.host, u"laptop-casa"_s);
        QCOMPARE(holder.since, since);
        QCOMPARE(holder.thisComputer, false);
        QVERIFY(lock.takeOver());

        SeatingLock second(m_path);
        QVERIFY(!second.acquire());
        QCOMPARE(second.holder().host, QSysInfo::machineHostName());
        QCOMPARE(second.holder().thisComputer, true);
        QVERIFY(!second.takeOver());

        const int year = QDate::currentDate().year();
        QCOMPARE(KeeperMessages::openOnOtherComputer(u"laptop-casa"_s,
                                                     QDateTime(QDate(year, 12, 3), QTime(10, 14))),
                 u"Il file dei posti risulta aperto sul computer «laptop-casa» dal 3 dicembre alle "
                 "10:14."_s);
        QCOMPARE(KeeperMessages::openOnOtherComputer(u"PC-AULA"_s,
                                                     QDateTime(QDate(2023, 3, 5), QTime(9, 5))),
                 u"Il file dei posti risulta aperto sul computer «PC-AULA» dal 5 marzo 2023 alle "
                 "9:05."_s);
    }

    // A desk whose stored position lies past its class's list (a seated
    // pupil's name deleted by an earlier version) is blanked, told once, and
    // written so at close; -1, the list's last pupil and a pupil on two desks
    // are left alone.
    void desksPastTheirListsAreBlankedOnce_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("mended"); // as the close writes it
        QTest::addColumn<QString>("message");
        const QByteArray file = distinctFile(); // class 1: 30 names, desk s on s + 2
        const auto edit = [&](QByteArray bytes, const char *before, const char *after) {
            return bytes.replace(before, after);
        };
        QTest::newRow("one past the list")
            << edit(file, "Nome0,2", "Nome0,32") << edit(file, "Nome0,2", "Nome0,0")
            << u"1 banco indicava un alunno che non c'è più: ora è "
               "vuoto."_s;
        const QByteArray three =
            edit(edit(edit(edit(file, "Nome1,3", "Nome1,-2"), "Nome31,0", " ,0"), "Nome32,0",
                      "Nome32,31"),
                 "Nome33,0", "Nome33,99");
        const QByteArray mended = edit(edit(file, "Nome1,3", "Nome1,0"), "Nome31,0", " ,0");
        QTest::newRow("three, in two classes")
            << three << mended
            << u"3 banchi indicavano un alunno che non c'è più: ora sono vuoti."_s;
        const QByteArray kept = edit(edit(edit(file, "Nome0,2", "Nome0,-1"), "Nome1,3", "Nome1,31"),
                                     "Nome2,4", "Nome2,31");
        QTest::newRow("none past") << kept << kept << QString();
    }

    void desksPastTheirListsAreBlankedOnce()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, mended);
        QFETCH(QString, message);
        // A journal as the file was, desks and all, left by a run that ended
        // badly: it holds nothing the file does not, and is not offered.
        const QString journal =
            QDir(dataFolder()).filePath(u"Posti-diario-%1.bq"_s.arg(DataFolder::keyFor(m_path)));
        QVERIFY(writeAll(m_path, file) && QDir().mkpath(dataFolder()) && writeAll(journal, file));
        for (const QString &told : {message, QString()}) {
            FakeSeatingView view;
            Archivio table;
            SeatingFileKeeper keeper(m_path, view);
            keeper.startUp(table);
            QCOMPARE(view.log, told.isEmpty() ? QStringList()
                                              : QStringList{u"Attenzione!|"_s + told + u"|[OK]"_s});
            keeper.shutDown(table);
            QCOMPARE(readAll(m_path), mended);
        }
        QVERIFY(!QFileInfo::exists(m_path + u".bak"_s) && !QFileInfo::exists(journal));
    }

    // Whether the close would write little over much: every way the reader
    // loses a line, against more than half the file's lines.
    void mostlyUnreadFileIsKnown_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("mostlyUnread");
        QByteArray binary(4096, '\0');
        QRandomGenerator random(22);
        for (char &byte : binary)
            byte = char(random.bounded(256));
        QByteArray letter;
        for (int line = 0; line < 40; ++line)
            letter += "Gentili genitori della classe 3B e cari colleghi di tutto il consiglio\r\n";
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("ten lines without a comma") << withLines(10, "x") << false;
        QTest::newRow("UTF-8, 155 lines outside the code page")
            << withLines(155, "\xD0\x98\xD0\xBC\xD1\x8F,1") << false;
        QTest::newRow("UTF-8, 156 lines outside the code page")
            << withLines(156, "\xD0\x98\xD0\xBC\xD1\x8F,1") << true;
        QTest::newRow("156 empty lines") << withLines(156, "") << true;
        QTest::newRow("156 bad positions") << withLines(156, "Nome,sette") << true;
        QTest::newRow("156 lines with commas") << withLines(156, "Rossi,Mario,1") << true;
        QTest::newRow("mark before Windows text")
            << "\xEF\xBB\xBF" + withLines(200, "Niccol\xF2,1") << false;
        QTest::newRow("binary") << binary << true;
        QTest::newRow("a letter") << letter << true;
        QTest::newRow("a log, 1000 lines") << QByteArray("Nome,1\r\n").repeated(1000) << true;
        QTest::newRow("too big to be the file") << QByteArray(17 << 20, 'x') << true;
    }

    void mostlyUnreadFileIsKnown()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, mostlyUnread);
        QVERIFY(file.isNull() || writeAll(m_path, file));
        FakeSeatingView view;
        Archivio table;
        SeatingFileKeeper keeper(m_path, view);
        keeper.startUp(table);
        QCOMPARE(keeper.fileMostlyUnread(), mostlyUnread);
        const bool copied = !file.isNull() && file != distinctFile();
        QCOMPARE(keeper.originalCopy(), copied ? m_path + u".bak"_s : QString());
        QVERIFY(!copied || readAll(keeper.originalCopy()) == file);
    }

    // Read-only, set before the start or after it, writes nothing at all: not
    // the file, the journal, a copy or a recovery file; nor sweeps leftovers.
    void readOnlyWritesNothing_data()
    {
        QTest::addColumn<bool>("beforeStart");
        QTest::newRow("before the start") << true;
        QTest::newRow("after the start") << false;
    }

    void readOnlyWritesNothing()
    {
        QFETCH(bool, beforeStart);
        const QByteArray file = withLines(200, "x");
        const QString leftover = m_path + u".AbCdEf"_s;
        QVERIFY(writeAll(m_path, file) && writeAll(leftover, "partial"));
        using Reason = SeatingFileKeeper::ReadOnlyReason;
        FakeSeatingView view;
        Archivio table;
        SeatingFileKeeper keeper(m_path, view);
        if (beforeStart)
            keeper.setReadOnly(Reason::OpenOnOtherComputer);
        keeper.startUp(table);
        QCOMPARE(table, tableOf(file));
        QCOMPARE(view.log.isEmpty(), beforeStart);
        QCOMPARE(QFileInfo::exists(leftover), beforeStart);
        QCOMPARE(QFileInfo::exists(m_path + u".bak"_s), !beforeStart);
        if (!beforeStart)
            keeper.setReadOnly(Reason::MostlyUnread);
        QCOMPARE(keeper.readOnlyReason(),
                 beforeStart ? Reason::OpenOnOtherComputer : Reason::MostlyUnread);
        table.setCell(0, Archivio::NameColumn, u"Anna"_s);
        keeper.stored(table);
        keeper.shutDown(table);
        QCOMPARE(readAll(m_path), file);
        QVERIFY(!QDir(dataFolder()).exists() || QDir(dataFolder()).isEmpty());
    }

    // The close writes a file only when its bytes would change: a file left as
    // it was keeps its date; a changed class, or a file a save would mend, is written.
    void closeWritesOnlyWhatChanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("change");
        QTest::addColumn<QByteArray>("meanwhile"); // written by another program
        QTest::newRow("as it was") << distinctFile() << false << QByteArray();
        QTest::newRow("a class changed") << distinctFile() << true << QByteArray();
        QTest::newRow("last line without its end")
            << distinctFile().chopped(2) << false << QByteArray();
        QTest::newRow("as it was, another program wrote it")
            << distinctFile() << false << SeatingFile::serialize(Archivio());
    }

    void closeWritesOnlyWhatChanged()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, change);
        QFETCH(QByteArray, meanwhile);
        QVERIFY(writeAll(m_path, file));
        const QDateTime lastWeek = QDateTime::currentDateTime().addDays(-7);
        {
            QFile dated(m_path);
            QVERIFY(dated.open(QIODevice::ReadWrite) &&
                    dated.setFileTime(lastWeek, QFileDevice::FileModificationTime));
        }
        FakeSeatingView view;
        Archivio table;
        SeatingFileKeeper keeper(m_path, view);
        keeper.startUp(table);
        if (change)
            table.setCell(0, Archivio::NameColumn, u"Anna"_s);
        if (!meanwhile.isEmpty())
            QVERIFY(writeAll(m_path, meanwhile));
        keeper.shutDown(table);
        QCOMPARE(readAll(m_path), SeatingFile::serialize(table));
        if (!meanwhile.isEmpty()) {
            QCOMPARE(readAll(m_path + u".bak"_s), meanwhile); // kept before it was replaced
            return;
        }
        const bool written = readAll(m_path) != file;
        QCOMPARE(written, change || file != distinctFile());
        QCOMPARE(QFileInfo(m_path).lastModified().secsTo(lastWeek) == 0, !written);
    }

    // Starts killed again and again on one damaged file and one damaged
    // journal leave one copy of each; the leftovers of a store killed while
    // renaming the journal go at the next start, another file's stay.
    void nothingPilesUp()
    {
        const QByteArray damaged = withLines(3, "x"), journal = distinctFile().left(100);
        const QDir data(dataFolder());
        const QString journalPath =
            data.filePath(u"Posti-diario-%1.bq"_s.arg(DataFolder::keyFor(m_path)));
        const QString others = data.filePath(u"Posti-diario-0123456789abcdef.bq.XyZabc"_s);
        QVERIFY(data.mkpath(u"."_s) && writeAll(others, "other"));
        for (int start = 0; start < 3; ++start) {
            QVERIFY(writeAll(m_path, damaged) && writeAll(journalPath, journal) &&
                    writeAll(journalPath + u".QwErTy"_s, "partial"));
            FakeSeatingView view;
            Archivio table;
            SeatingFileKeeper(m_path, view).startUp(table); // and killed
            QCOMPARE(QDir(m_dir->filePath(u"prog"_s)).entryList({u"*.bak*"_s}),
                     QStringList{u"Posti.bq.bak"_s});
            QCOMPARE(data.entryList({u"Posti-diario-*-*.bq"_s}).size(), 1); // numbered too
            QVERIFY(!QFileInfo::exists(journalPath + u".QwErTy"_s));
        }
        QVERIFY(QFileInfo::exists(others));
    }

    // A file is read whole up to 16 MiB; one byte more is no seating file.
    void readUpToTheLimit_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("read");
        QTest::newRow("empty") << 0 << true;
        QTest::newRow("at the limit") << (16 << 20) << true;
        QTest::newRow("one byte past") << (16 << 20) + 1 << false;
    }

    void readUpToTheLimit()
    {
        QFETCH(int, size);
        QFETCH(bool, read);
        const QByteArray bytes(size, 'x');
        QVERIFY(writeAll(m_path, bytes));
        QByteArray got;
        const SeatingDisk::LoadResult result = SeatingDisk::readBytes(m_path, got);
        QCOMPARE(result.status, read ? SeatingDisk::LoadResult::Status::Loaded
                                     : SeatingDisk::LoadResult::Status::Unreadable);
        QCOMPARE(result.errorString,
                 read ? QString() : u"il file è troppo grande per essere un file dei posti"_s);
        if (read)
            QCOMPARE(got, bytes);
    }

    // The names the leftovers above are found by: the save's temporaries and
    // the dated copies, as QDir's wildcards would match them, but brackets
    // taken as they stand.
    void leftoversAreFoundByName_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        const QString temporary = u"Posti.bq.??????"_s, dated = uR"(P-1f-????????-??????*.bq)"_s;
        QTest::newRow("temporary") << temporary << u"Posti.bq.QwErTy"_s << true;
        QTest::newRow("one letter short") << temporary << u"Posti.bq.QwErT"_s << false;
        QTest::newRow("one letter past") << temporary << u"Posti.bq.QwErTyU"_s << false;
        QTest::newRow("case aside") << temporary << u"posti.BQ.QwErTy"_s << true;
        QTest::newRow("another file's") << temporary << u"Posti.bqx.QwErTy"_s << false;
        QTest::newRow("brackets") << u"Classe [A].bq.??????"_s << u"Classe [A].bq.QwErTy"_s << true;
        QTest::newRow("letter beyond 16 bits")
            << temporary << u"Posti.bq.QwErT\U0001D49C"_s << true;
        QTest::newRow("dated") << dated << u"P-1f-20240906-080503.bq"_s << true;
        QTest::newRow("dated, numbered") << dated << u"P-1f-20240906-080503-2.bq"_s << true;
        QTest::newRow("time one short") << dated << u"P-1f-20240906-08050.bq"_s << false;
        QTest::newRow("other suffix") << dated << u"P-1f-20240906-080503.bq.QwErTy"_s << false;
        QTest::newRow("other stem") << dated << u"P-1-20240906-080503.bq"_s << false;
    }

    void leftoversAreFoundByName()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(NamePattern::matches(pattern, name), matches);
    }

    // Set-aside and recovery files are dated; a name already taken, even by a
    // link to nothing, gets the next number.
    void datedNamesAreNumbered()
    {
        const QString folder = m_dir->path(), dated = folder + u"/Posti-recupero-20240906-080503"_s;
        const QDateTime when(QDate(2024, 9, 6), QTime(8, 5, 3));
        const auto fresh = [&] {
            return DataFolder::freshDatedPath(folder, u"Posti-recupero"_s, u".bq"_s, when);
        };
        QCOMPARE(fresh(), dated + u".bq"_s);
        QVERIFY(writeAll(dated + u".bq"_s, "first"));
        QCOMPARE(fresh(), dated + u"-2.bq"_s);
        QVERIFY(QFile::link(dated + u"-gone.bq"_s, dated + u"-2.bq"_s));
        QCOMPARE(fresh(), dated + u"-3.bq"_s);
    }

    // The reason is told by its cause: a system's text, whatever its
    // language, is never read for one.
    void systemWordsAreNeverMatched()
    {
        QCOMPARE(KeeperMessages::reason(FileErrorCause::Cause::Unknown, u"Permission denied"_s),
                 u"Permission denied"_s);
    }

    // The rules file beside the seating file: read only when it is there,
    // written at close once a rule exists, never in read-only mode or over a
    // newer file; a damaged one is told with the rest and copied aside.
    void rulesKeptBesideTheFile_data()
    {
        QTest::addColumn<QByteArray>("rules"); // the file at start; empty: none
        QTest::addColumn<bool>("addRule");     // the session adds one
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");    // at start-up; empty: none
        QTest::addColumn<int>("rulesRead");      // of class 1
        QTest::addColumn<QByteArray>("atClose"); // empty: no file
        const QByteArray head = "Posti-regole versione 1\r\n", line = "1\tdavanti\t1\tAnna\t2\r\n",
                         added = "1\tseparati\t1\tAnna\t2\tBruno\r\n";
        const QByteArray comment = RulesFile::serialize(RuleBook()).mid(head.size());
        QTest::newRow("none") << QByteArray() << false << false << QString() << 0 << QByteArray();
        QTest::newRow("none, a rule added")
            << QByteArray() << true << false << QString() << 0 << head + comment + added;
        QTest::newRow("as written")
            << head + comment + line << false << false << QString() << 1 << head + comment + line;
        QTest::newRow("LF and a line damaged")
            << QByteArray("Posti-regole versione 1\n1\tdavanti\t1\tAnna\t9\n" + line) << true
            << false
            << u"Il file delle regole\n<rules>\nera danneggiato. Sono state lette tutte le regole "
               "leggibili; non sono state lette:\n- riga 2, non è una regola: «1\tdavanti\t1\t"
               "Anna\t9»\n\nIl file originale, così com'era, è stato copiato in:\n<rules>.bak"_s
            << 1 << head + comment + line + added;
        QTest::newRow("newer") << QByteArray("Posti-regole versione 2\n" + line) << true << false
                               << u"Il file delle regole\n<rules>\nè stato scritto da una "
                                  "versione più recente del programma: sono state lette le "
                                  "regole che questa versione comprende. In questa sessione le "
                                  "regole non si possono cambiare, e il file resta com'è."_s
                               << 1 << QByteArray("Posti-regole versione 2\n" + line);
        QTest::newRow("read-only") << head + line << true << true << QString() << 1 << head + line;
    }

    void rulesKeptBesideTheFile()
    {
        QFETCH(QByteArray, rules);
        QFETCH(bool, addRule);
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        QFETCH(int, rulesRead);
        QFETCH(QByteArray, atClose);
        const QString rulesPath = m_dir->filePath(u"prog/Posti-regole.txt"_s);
        QVERIFY(writeAll(m_path, distinctFile()) &&
                (rules.isEmpty() || writeAll(rulesPath, rules)));
        FakeSeatingView view;
        Archivio table;
        RuleBook book;
        SeatingFileKeeper keeper(m_path, view);
        keeper.keepRules(&book);
        if (readOnly)
            keeper.setReadOnly(SeatingFileKeeper::ReadOnlyReason::OpenOnOtherComputer);
        keeper.startUp(table);
        const QString told = message.isEmpty() ? QString()
                                               : placed(u"Attenzione!|"_s + message + u"|[OK]"_s,
                                                        {{u"<rules>"_s, rulesPath}});
        QCOMPARE(view.log.join(u'\n'), told);
        QCOMPARE(book.rules(1).size(), rulesRead);
        QCOMPARE(keeper.rulesFrozenReason().isEmpty(),
                 !rules.startsWith("Posti-regole versione 2"));
        ClassRules first = book.rules(1);
        first.append({SeatingRule::separati(0, 1), u"Anna"_s, u"Bruno"_s});
        if (addRule)
            book.setRules(1, first);
        keeper.stored(table);
        keeper.shutDown(table);
        QCOMPARE(readAll(rulesPath), atClose);
        QCOMPARE(QFileInfo::exists(rulesPath + u".bak"_s), message.contains(u"danneggiato"_s));
    }

    // A crash after a rule changed and a name was stored: the journal
    // question restores both, or sets both aside.
    void rulesAndNamesComeBackTogether_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::newRow("Sì") << true;
        QTest::newRow("No") << false;
    }

    void rulesAndNamesComeBackTogether()
    {
        QFETCH(bool, restore);
        QVERIFY(writeAll(m_path, distinctFile()));
        FakeSeatingView view;
        Archivio table, changed;
        RuleBook book;
        {
            SeatingFileKeeper crashed(m_path, view);
            crashed.keepRules(&book);
            crashed.startUp(table);
            changed = table;
            changed.setCell(0, Archivio::NameColumn, u"Anna"_s);
            book.setRules(1, {{SeatingRule::davanti(0), u"Anna"_s, QString()}});
            crashed.stored(changed);
        }
        const RuleBook journaled = book;
        book = RuleBook();
        view.reply = restore ? u"Sì"_s : u"No"_s;
        SeatingFileKeeper keeper(m_path, view);
        keeper.keepRules(&book);
        keeper.startUp(table);
        QCOMPARE(view.log.size(), 1 + int(restore)); // and where the file was copied
        QVERIFY2(view.log.first().contains(u"\n- classe 1 («Nome30»): 1 nome\n- le regole di una "
                                           "classe\n\nRipristinare"_s),
                 qPrintable(view.log.first()));
        QCOMPARE(table, restore ? changed : tableOf(distinctFile()));
        QVERIFY(book == (restore ? journaled : RuleBook()));
        const QStringList aside =
            QDir(dataFolder()).entryList({uR"(Posti-diario-*-????????-??????*)"_s});
        QCOMPARE(aside.size(), restore ? 0 : 2);
    }
};

POSTI_TEST_MAIN(KeeperTest)
#include "tst_keeper.moc"
