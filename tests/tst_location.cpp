// SPDX-License-Identifier: GPL-3.0-or-later
// Where the seating file lives and what the whole window does with it, through
// real folders: beside the program when a file is there or the folder can take
// one, else in the per-user data folder; never in the current folder, even
// when the program's folder cannot be resolved; a start-up that says so when
// nothing can be kept; stores that reach the journal at once and the file at
// close; a run killed with SIGKILL offered back at the next start, and its
// typing not yet stored after a kill or an ending signal. Root
// ignores permission bits, so a folder that takes no file is /proc, and a data
// folder that cannot be had is one whose parent is a plain file.

#include "form2.h"
#include "journal.h"
#include "keptfiles.h"
#include "messageboxanswerer.h"
#include "seatingfilelocation.h"
#include "testmain.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

#include <csignal>

using namespace Qt::StringLiterals;

using namespace KeptFiles;

namespace {

const QByteArray OtherFolderFile = "Classi di un'altra cartella,0\r\n";
const QString NothingKept("Nulla di questa sessione potrà essere conservato");

// Types Anna into the first name box and clicks "Memorizza".
void storeAnna(Form2 &window)
{
    auto *nameBox = window.findChild<QLineEdit *>(u"Text1(0)"_s);
    nameBox->selectAll();
    QTest::keyClicks(nameBox, u"Anna"_s);
    QTest::mouseClick(window.findChild<QPushButton *>(u"cmdSalva"_s), Qt::LeftButton);
}

} // namespace

// Takes the URLs QDesktopServices would hand to the file manager.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class LocationTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dataFile; // Posti.bq in the data folder
    QString m_current;  // the current folder, holding another folder's file

    // "prog": a folder of the test's own; "/proc": one that takes no file; "",
    // "." and "Nicol\uFFFD" (a folder that does not exist): Qt could not
    // resolve the program's folder.
    QString programFolder(const QString &kind) const
    {
        return kind == "prog" || kind.startsWith("Nicol") ? m_dir->filePath(kind) : kind;
    }

    void useDataFolder(bool usable)
    {
        const QString home = m_dir->filePath(usable ? "data" : "data-is-a-file");
        QVERIFY(usable || writeAll(home, "not a folder"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home));
        m_dataFile = QDir(home).filePath("posti/Posti.bq");
    }

private slots:
    void initTestCase()
    {
#if !defined(Q_OS_LINUX)
        QSKIP("needs /proc for a folder that takes no file, and XDG_DATA_HOME for the data folder");
#endif
        QCoreApplication::setApplicationName(u"posti"_s);
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath("prog") &&
                QDir(m_dir->path()).mkpath("current"));
        m_current = m_dir->filePath("current");
        QVERIFY(writeAll(QDir(m_current).filePath("Posti.bq"), OtherFolderFile));
        QVERIFY(QDir::setCurrent(m_current));
        useDataFolder(true);
    }

    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
    }

    // Where the file is, what the teacher is told at start-up, and where a
    // store and a close land.
    void placeAndWhatCanBeKept_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("fileBeside");
        QTest::addColumn<bool>("dataUsable");
        QTest::addColumn<bool>("beside");         // else in the data folder
        QTest::addColumn<QStringList>("message"); // parts of the one start-up message
        const QString unknown("Non è stato possibile trovare la cartella del programma");
        const QString alsoData("Nemmeno la cartella dei dati personali");
        const QStringList none;
        QTest::newRow("file beside") << "prog" << true << true << true << none;
        QTest::newRow("folder takes a file") << "prog" << false << true << true << none;
        QTest::newRow("installed") << "/proc" << false << true << false << none;
        QTest::newRow("installed, no data folder")
            << "/proc" << false << false << true << QStringList{"/proc", alsoData, NothingKept};
        QTest::newRow("unresolved: dot") << "." << false << true << false << QStringList{unknown};
        QTest::newRow("unresolved: missing")
            << "Nicol\uFFFD" << false << true << false << QStringList{unknown};
        QTest::newRow("unresolved, no data folder")
            << "." << false << false << false << QStringList{unknown, NothingKept};
    }

    void placeAndWhatCanBeKept()
    {
        QFETCH(QString, folder);
        QFETCH(bool, fileBeside);
        QFETCH(bool, dataUsable);
        QFETCH(bool, beside);
        QFETCH(QStringList, message);
        useDataFolder(dataUsable);
        const QString besidePath = QDir(programFolder(folder)).filePath("Posti.bq");
        QVERIFY(!fileBeside || writeAll(besidePath, distinctFile()));
        const SeatingFileLocation location = SeatingFileLocation::find(programFolder(folder));
        QCOMPARE(location.path, beside ? besidePath : m_dataFile);
        const bool kept = !message.contains(NothingKept);
        {
            // Closing when nothing can be kept asks to retry, then reports the loss.
            MessageBoxAnswerer answerer(message.isEmpty() ? QStringList()
                                                          : QStringList{"OK", "No", "OK"});
            Form2 window(location.path);
            window.startUp(location.notice);
            QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
            if (!message.isEmpty())
                message << QDir::toNativeSeparators(location.path);
            for (const QString &part : std::as_const(message))
                QVERIFY2(answerer.text().contains(part), qPrintable(answerer.text()));
            // No promise of a recovery file that cannot be written.
            QVERIFY(!answerer.text().contains("verranno salvate in un file di recupero"));
            storeAnna(window);
            QVERIFY(window.close());
            // Said once: no word about the journal at the store.
            QCOMPARE(answerer.count(), message.isEmpty() ? 0 : kept ? 1 : 3);
        }
        QVERIFY(readAll(QDir(m_current).filePath("Posti.bq")) == OtherFolderFile);
        QCOMPARE(readAll(location.path).startsWith("Anna,"), kept);
        if (!kept)
            return;

        // The second start finds the file where the first left it, and says nothing new.
        MessageBoxAnswerer answerer(message.isEmpty() ? QStringList() : QStringList{"OK"});
        const SeatingFileLocation again = SeatingFileLocation::find(programFolder(folder));
        QCOMPARE(again.path, location.path);
        Form2 window(again.path);
        window.startUp(again.notice);
        QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
        QCOMPARE(window.findChild<QLineEdit *>(u"Text1(0)"_s)->text(), "Anna");
    }

    // A link standing beside the program is the teacher's way to the file,
    // wherever it leads: it is used, and the start-up says what is wrong there.
    void linkBesideTheProgramIsUsed_data()
    {
        QTest::addColumn<QString>("target"); // in the test's folder
        QTest::newRow("to a file") << u"current/Posti.bq"_s;
        QTest::newRow("dangling") << u"prog/nothing.bq"_s;
        QTest::newRow("to a missing folder") << u"missing/Posti.bq"_s;
    }

    void linkBesideTheProgramIsUsed()
    {
        QFETCH(QString, target);
        const QString beside = m_dir->filePath(u"prog/Posti.bq"_s);
        QVERIFY(QFile::link(m_dir->filePath(target), beside));
        const SeatingFileLocation location = SeatingFileLocation::find(m_dir->filePath(u"prog"_s));
        QCOMPARE(location.path, beside);
        QCOMPARE(location.notice, QString());
    }

    // A program whose folder's name is not valid UTF-8, as Latin-1 names are,
    // started from a folder that holds another folder's file.
    void latin1ProgramFolderNeverUsesTheCurrentFolder()
    {
        QProcess child;
        child.setWorkingDirectory(m_current);
        child.start(u"/bin/sh"_s, {u"-c"_s,
                                   // Qt cannot name the folder to remove it, so the shell does.
                                   u"d=\"../$(printf 'Classe Nicol\\362')\" && mkdir \"$d\" && "
                                   "cp \"$1\" \"$d/\" && \"$d/childrun\"; s=$?; "
                                   "rm -r \"$d\"; exit $s"_s,
                                   u"sh"_s, QStringLiteral(CHILDRUN_PATH)});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList said = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
        QCOMPARE(said.value(0), m_dataFile);
        QVERIFY(said.value(1).contains("cartella del programma"));
    }

    // Right-click on the room, pick the item: the file manager gets the file's folder.
    void menuOpensTheFolderOfTheFile()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"file"_s, &catcher, "open");
        Form2 window(m_dir->filePath("prog/Posti.bq"));
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTimer::singleShot(0, &window, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *action : menu->actions()) {
                if (action->text() == "Apri la cartella del file dei posti")
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
            }
            if (menu->isVisible())
                menu->close();
        });
        // A right click on the empty room, left of the desks.
        QWidget *room = window.findChild<QTabWidget *>(u"TabStrip1"_s)->currentWidget();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 10),
                                     room->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(room, &rightClick);
        QDesktopServices::unsetUrlHandler(u"file"_s);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(m_dir->filePath("prog"))});
    }

    // A run killed after storing Bruno is offered back, No being the default;
    // either way the next store and swap reach the journal at once, and the
    // file only at close.
    void killedRunOfferedBack_data()
    {
        QTest::addColumn<QStringList>("answers");               // at start-up
        QTest::newRow("restored") << QStringList({"Sì", "OK"}); // then the copy's place
        QTest::newRow("set aside") << QStringList({"No"});
    }

    void killedRunOfferedBack()
    {
        QFETCH(QStringList, answers);
        const QString path = m_dir->filePath("prog/Posti.bq");
        const QByteArray bytes = distinctFile();
        QVERIFY(writeAll(path, bytes));
        const bool restored = answers.first() == "Sì";
        // What a save killed half-way leaves, and a file of the teacher's.
        QVERIFY(writeAll(path + ".AbCdEf", "partial") && writeAll(path + ".backup", "mine"));
        QProcess child; // inherits this test's XDG_DATA_HOME and platform
        child.start(QStringLiteral(CHILDRUN_PATH), {path, u"Bruno"_s});
        QTRY_VERIFY_WITH_TIMEOUT(!dataFile(JournalName).isEmpty(), 30000);
        child.kill();
        QVERIFY(child.waitForFinished());

        MessageBoxAnswerer answerer(answers);
        Form2 window(path);
        window.startUp();
        // The killed run's lock is taken over: its stores are offered, not refused.
        QCOMPARE(answerer.count(), answers.size());
        QCOMPARE(answerer.defaultButtons().first(), "No");
        QVERIFY(readAll(path + ".bak") == (restored ? bytes : QByteArray()));
        QVERIFY(!QFileInfo::exists(path + ".AbCdEf") && readAll(path + ".backup") == "mine");
        Archivio expected = tableOf(bytes);
        expected.setCell(0, 0, restored ? u"Bruno"_s : expected.cell(0, 0));
        QCOMPARE(window.archivio(), expected);
        QCOMPARE(tableOf(readAll(dataFile(AsideName))).cell(0, 0), restored ? "" : "Bruno");
        storeAnna(window);
        QTest::keyClick(window.findChild<QComboBox *>(u"Combo1(4)"_s), Qt::Key_Down);
        const Archivio shown = window.archivio();
        QCOMPARE(tableOf(readAll(dataFile(JournalName))), shown);
        QVERIFY(readAll(path) == bytes);
        QVERIFY(window.close());
        QCOMPARE(answerer.count(), answers.size());
        QCOMPARE(dataFile(JournalName), QString());
        QCOMPARE(dataFile(RecoveryName), QString());
        QCOMPARE(tableOf(readAll(path)), shown);
    }

    // Typing not stored, in a run killed once it is kept aside, or ended by a
    // signal at once, or while its close asks about it: the signal writes the
    // file as the close does, and the typing comes back, unstored. A signal
    // while the journal is offered at start leaves both as they were.
    void typingKeptThroughEnds_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("mode");
        QTest::newRow("kill -9") << int(SIGKILL) << "type";
        QTest::newRow("SIGTERM") << int(SIGTERM) << "type";
        QTest::newRow("SIGINT") << int(SIGINT) << "type";
        QTest::newRow("SIGHUP, question open") << int(SIGHUP) << "close";
        QTest::newRow("SIGTERM, start-up question") << int(SIGTERM) << "start";
    }

    void typingKeptThroughEnds()
    {
        QFETCH(int, signal);
        QFETCH(QString, mode);
        const QString path = m_dir->filePath("prog/Posti.bq"); // none yet
        const Journal journal(path);
        QVERIFY(mode != "start" || journal.write(tableOf("Carla,0\r\n")));
        QProcess child;
        child.start(QStringLiteral(CHILDRUN_PATH), {path, u"Bruno"_s, mode});
        const QByteArray awaited = mode == "type" ? "typed\n" : "box: ";
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains(awaited), 30000);
        if (signal == SIGKILL)
            QTRY_VERIFY_WITH_TIMEOUT(!dataFile(UnstoredName).isEmpty(), 30000);
        ::kill(pid_t(child.processId()), signal);
        QVERIFY(child.waitForFinished(30000));
        const bool clean = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
        QCOMPARE(clean, signal != SIGKILL);
        QCOMPARE(QFileInfo::exists(path), signal != SIGKILL && mode != "start");
        QCOMPARE(child.readAllStandardOutput(), QByteArray()); // no more questions
        QCOMPARE(journal.exists(), mode == "start");
        if (mode == "start")
            return;

        // Sì to the offer; No to the question at close, which they make.
        MessageBoxAnswerer answerer(QStringList{u"Sì"_s, u"No"_s});
        Form2 window(path);
        window.startUp();
        QCOMPARE(answerer.texts(),
                 QStringList{
                     "Quando il programma si è interrotto, la classe «Classe 1» aveva modifiche "
                     "non memorizzate, conservate a parte.\n\nRimetterle sullo schermo? Resteranno "
                     "da memorizzare."});
        QCOMPARE(answerer.defaultButtons(), QStringList{"Sì"});
        QCOMPARE(window.findChild<QLineEdit *>(u"Text1(0)"_s)->text(), "Bruno");
        QCOMPARE(window.archivio(), Archivio());
        QVERIFY(window.isWindowModified());
        QVERIFY(window.close());
        QCOMPARE(answerer.count(), 2);
        QCOMPARE(dataFile(UnstoredName), QString());
    }
};

POSTI_TEST_MAIN(LocationTest)
#include "tst_location.moc"
