// Where the seating file lives, through real folders: beside the program when
// a file is there or the folder can take one, else in the per-user data
// folder; never in the current folder, even when the program's folder cannot
// be resolved; and a start-up that says so when nothing can be kept. Root
// ignores permission bits, so a folder that takes no file is /proc, and a data
// folder that cannot be had is one whose parent is a plain file.

#include "form2.h"
#include "messageboxanswerer.h"
#include "seatingfile.h"
#include "seatingfilelocation.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray OtherFolderFile = "Classi di un'altra cartella,0\r\n";

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

    // "prog": a folder of the test's own; "proc": one that takes no file;
    // "empty", "dot", "missing": Qt could not resolve the program's folder.
    QString programFolder(const QString &kind) const
    {
        if (kind == "proc")
            return QStringLiteral("/proc");
        if (kind == "empty")
            return QString();
        if (kind == "dot")
            return QStringLiteral(".");
        return m_dir->filePath(kind == "missing" ? "Classe Nicol\uFFFD" : "prog");
    }

    void useDataFolder(bool usable)
    {
        const QString home = m_dir->filePath(usable ? "data" : "data-is-a-file");
        if (!usable)
            writeAll(home, "not a folder");
        qputenv("XDG_DATA_HOME", QFile::encodeName(home));
        m_dataFile = QDir(home).filePath("posti/Posti.bq");
    }

private slots:
    void initTestCase()
    {
#if !defined(Q_OS_LINUX)
        QSKIP("needs /proc for a folder that takes no file, and XDG_DATA_HOME for the data folder");
#endif
        QCoreApplication::setApplicationName(QStringLiteral("posti"));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath("prog") &&
                QDir(m_dir->path()).mkpath("current"));
        m_current = m_dir->filePath("current");
        writeAll(QDir(m_current).filePath("Posti.bq"), OtherFolderFile);
        QVERIFY(QDir::setCurrent(m_current));
    }

    void cleanup()
    {
        QDir::setCurrent(QDir::tempPath());
    }

    void placeOfTheFile_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("fileBeside");
        QTest::addColumn<bool>("dataUsable");
        QTest::addColumn<QString>("place"); // "beside" or "data"
        QTest::addColumn<bool>("notice");
        QTest::newRow("file beside") << "prog" << true << true << "beside" << false;
        QTest::newRow("folder takes a file") << "prog" << false << true << "beside" << false;
        QTest::newRow("installed") << "proc" << false << true << "data" << false;
        QTest::newRow("installed, no data folder") << "proc" << false << false << "beside" << false;
        QTest::newRow("folder unresolved: empty") << "empty" << false << true << "data" << true;
        QTest::newRow("folder unresolved: dot") << "dot" << false << true << "data" << true;
        QTest::newRow("folder unresolved: missing") << "missing" << false << true << "data" << true;
        QTest::newRow("folder unresolved, no data folder")
            << "empty" << false << false << "data" << true;
    }

    void placeOfTheFile()
    {
        QFETCH(QString, folder);
        QFETCH(bool, fileBeside);
        QFETCH(bool, dataUsable);
        QFETCH(QString, place);
        QFETCH(bool, notice);
        useDataFolder(dataUsable);
        const QString beside = QDir(programFolder(folder)).filePath("Posti.bq");
        if (fileBeside)
            writeAll(beside, "");

        const SeatingFileLocation location = SeatingFileLocation::find(programFolder(folder));
        QCOMPARE(location.path, place == "beside" ? beside : m_dataFile);
        QVERIFY(QFileInfo(location.path).isAbsolute());
        QCOMPARE(location.notice.isEmpty(), !notice);
        QVERIFY(!notice || location.notice.contains(QDir::toNativeSeparators(m_dataFile)));
    }

    // What the teacher is told at start-up, and where a store and a close land.
    void startUpSaysWhereAndWhatCanBeKept_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("dataUsable");
        QTest::addColumn<QStringList>("message"); // parts of the one start-up message
        const QString unknown("Non è stato possibile trovare la cartella del programma");
        const QString nothing("Nulla di questa sessione potrà essere conservato");
        const QString alsoData("Nemmeno la cartella dei dati personali");
        QTest::newRow("installed") << "proc" << true << QStringList();
        QTest::newRow("folder unresolved") << "empty" << true << QStringList{unknown};
        QTest::newRow("installed, no data folder")
            << "proc" << false << QStringList{"/proc", alsoData, nothing};
        QTest::newRow("folder unresolved, no data folder")
            << "dot" << false << QStringList{unknown, nothing};
    }

    void startUpSaysWhereAndWhatCanBeKept()
    {
        QFETCH(QString, folder);
        QFETCH(bool, dataUsable);
        QFETCH(QStringList, message);
        useDataFolder(dataUsable);
        const SeatingFileLocation location = SeatingFileLocation::find(programFolder(folder));
        {
            // Closing when nothing can be kept asks to retry, then reports the loss.
            MessageBoxAnswerer answerer(message.isEmpty() ? QStringList()
                                                          : QStringList{"OK", "No", "OK"});
            Form2 window(location.path);
            window.startUp(location.notice);
            QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
            for (const QString &part : message)
                QVERIFY2(answerer.text().contains(part), qPrintable(answerer.text()));
            // No promise of a recovery file that cannot be written.
            QVERIFY(!answerer.text().contains("verranno salvate in un file di recupero"));

            auto *nameBox = window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
            QTest::keyClicks(nameBox, QStringLiteral("Anna"));
            QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")),
                              Qt::LeftButton);
            QVERIFY(window.close());
            // Said once: the store adds no word about the journal, the close asks to retry and
            // reports the loss.
            QCOMPARE(answerer.count(), message.isEmpty() ? 0 : dataUsable ? 1 : 3);
        }
        QVERIFY(readAll(QDir(m_current).filePath("Posti.bq")) == OtherFolderFile);
        QCOMPARE(readAll(m_dataFile).startsWith("Anna,"), dataUsable);
        if (!dataUsable)
            return;

        // The second start finds the file where the first left it, and says nothing new.
        MessageBoxAnswerer answerer(message.isEmpty() ? QStringList() : QStringList{"OK"});
        const SeatingFileLocation again = SeatingFileLocation::find(programFolder(folder));
        QCOMPARE(again.path, m_dataFile);
        Form2 window(again.path);
        window.startUp(again.notice);
        QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
        QCOMPARE(window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"))->text(), "Anna");
    }

    // A program whose folder's name is not valid UTF-8, as Latin-1 names are,
    // started from a folder that holds another folder's file.
    void latin1ProgramFolderNeverUsesTheCurrentFolder()
    {
        useDataFolder(true);
        QProcess child;
        child.setWorkingDirectory(m_current);
        child.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"),
                     // Qt cannot name the folder to remove it, so the shell does.
                     QStringLiteral("d=\"../$(printf 'Classe Nicol\\362')\" && mkdir \"$d\" && "
                                    "cp \"$1\" \"$d/\" && \"$d/locationchild\"; s=$?; "
                                    "rm -r \"$d\"; exit $s"),
                     QStringLiteral("sh"), QStringLiteral(LOCATIONCHILD_PATH)});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList said = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
        QCOMPARE(said.value(0), m_dataFile);
        QVERIFY(said.value(1).contains("cartella del programma"));
    }

    // Right-click on the room, pick the item: the file manager gets the file's folder.
    void menuOpensTheFolderOfTheFile()
    {
        useDataFolder(true);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
        const QString path = m_dir->filePath("prog/Posti.bq");
        Form2 window(path);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString offered;
        QTimer::singleShot(0, &window, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *action : menu->actions()) {
                offered += action->text() + '|';
                if (action->text() == "Apri la cartella del file dei posti")
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
            }
            if (menu->isVisible())
                menu->close();
        });
        // A right click on the empty room, left of the desks.
        QWidget *room =
            window.findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->currentWidget();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(10, 10),
                                     room->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(room, &rightClick);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QVERIFY2(offered.contains("Apri la cartella del file dei posti"), qPrintable(offered));
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(m_dir->filePath("prog"))});
    }
};

QTEST_MAIN(LocationTest)
#include "tst_location.moc"
