// The window keeping the teacher's classes safe: a damaged or unreadable file
// reported once and copied before anything replaces it, a folder that cannot
// take the file, a failed save at close retried or written to a recovery
// file, and the journal that brings back what was stored before a crash.
// Faults are real: folders that vanish, a folder or a socket where the file
// should be, a child process killed with SIGKILL. Permission bits are not
// used, since root ignores them.

#include "form2.h"
#include "messageboxanswerer.h"
#include "seatingfile.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Names in the data folder.
const QString RecoveryName = QStringLiteral(R"(Posti-recupero-????????-??????.bq)");
const QString JournalName = QStringLiteral(R"(Posti-diario-????????????????.bq)");
const QString AsideName = QStringLiteral(R"(Posti-diario-????????????????-????????-??????.bq)");

// The first rows of a file whose rows all differ, pupil s of class 1 on desk
// s, so that a shifted or lost row shows.
QByteArray distinctFile(int rows = Archivio::Rows)
{
    QByteArray file;
    for (int row = 0; row < rows; ++row)
        file += "Nome" + QByteArray::number(row) + "," +
                QByteArray::number(row < Archivio::Pupils ? row + 2 : 0) + "\r\n";
    return file;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// The table in a file; a fresh one if there is no such file.
Archivio tableIn(const QString &path)
{
    Archivio table;
    SeatingFile::load(path, table);
    return table;
}

// The one file in the data folder the wildcard matches; none if there are
// none or more. A seating file has one journal name, so two cannot be.
QString dataFile(const QString &wildcard)
{
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    const QStringList found = folder.entryList({wildcard}, QDir::Files);
    return found.size() == 1 ? folder.filePath(found.first()) : QString();
}

// Swaps the pupils of desks 5 and 6 by keyboard (an arrow key opens the list,
// Return picks), which stores the class when every desk is taken; then types
// the name into the first name box and clicks "Memorizza", so that nothing is
// left unstored whatever the class was.
void storeAndSwap(Form2 &window)
{
    auto *desk = window.findChild<QComboBox *>(QStringLiteral("Combo1(4)"));
    QTest::keyClick(desk, Qt::Key_Down);
    QTest::keyClick(desk->view(), Qt::Key_Return);
    auto *nameBox = window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    nameBox->selectAll();
    QTest::keyClicks(nameBox, QStringLiteral("Anna"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")), Qt::LeftButton);
}

} // namespace

class HardeningTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;

private slots:
    void init()
    {
        // The program's name, so the child run and this test share a data folder.
        QCoreApplication::setApplicationName(QStringLiteral("posti"));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath(QStringLiteral("prog")));
        m_path = m_dir->filePath(QStringLiteral("prog/Posti.bq"));
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("data"))));
#else
        QStandardPaths::setTestModeEnabled(true);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
#endif
    }

    // Whatever the start finds, it says so once and shows the right table;
    // each store and swap goes to the journal at once and to the file only at
    // close, and a close that cannot save asks again, then writes a recovery file.
    void startUpReportsOnceAndCloseKeepsEverything_data()
    {
        QTest::addColumn<QString>("file");        // in the test's folder
        QTest::addColumn<QByteArray>("bytes");    // empty: no file
        QTest::addColumn<QString>("message");     // at start-up; empty: none
        QTest::addColumn<QString>("copy");        // kept beside the file; empty: none
        QTest::addColumn<QStringList>("answers"); // to the start-up message, then at close
        const QString prog("prog/Posti.bq"), damaged("danneggiato"), offer("Ripristinare"), none;
        const QByteArray noFile;
        const QStringList saved, ok{"OK"}, no{"OK", "No", "OK"}, retried{"Sì", "No", "OK"};
        const QStringList restore{"Sì"}, aside{"No"};
        QTest::newRow("well-formed") << prog << distinctFile() << none << none << saved;
        QTest::newRow("missing") << prog << noFile << none << none << saved;
        QTest::newRow("short, comma in a name")
            << prog << distinctFile(200).replace("Nome3,", "Rossi, M,") << damaged << ".bak" << ok;
        QTest::newRow("short, LF line ends, second time")
            << prog << distinctFile(50).replace("\r\n", "\n") << damaged << ".bak.2" << ok;
        QTest::newRow("undefined byte")
            << prog << distinctFile().replace("Nome11,", "Nome\x81,") << damaged << ".bak" << ok;
        QTest::newRow("unreadable: too big")
            << prog << QByteArray(17 << 20, 'x') << "leggere il file" << QString(".bak") << ok;
        QTest::newRow("file is a folder") << prog << noFile << "leggere il file" << none << no;
        QTest::newRow("no folder") << "missing/Posti.bq" << noFile << "non esiste" << none << no;
        QTest::newRow("folder is a file")
            << "prog/plain/Posti.bq" << noFile << "non potrà essere salvato" << none << no;
        QTest::newRow("folder vanished, retried") << prog << noFile << none << none << retried;
        // A socket can be neither read nor copied, yet a save could rename a new file over it.
        QTest::newRow("socket never replaced")
            << prog << noFile << "copiare il file originale" << none << no;
        // A run killed after storing "Bruno" as the first name leaves its journal.
        QTest::newRow("killed run, restored") << prog << distinctFile() << offer << none << restore;
        QTest::newRow("killed run, set aside") << prog << distinctFile() << offer << none << aside;
    }

    void startUpReportsOnceAndCloseKeepsEverything()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, copy);
        QFETCH(QStringList, answers);
        const QString row = QTest::currentDataTag();
        m_path = m_dir->filePath(file);
        writeAll(m_dir->filePath("prog/plain"), "not a folder");
        if (!bytes.isEmpty())
            writeAll(m_path, bytes);
        if (copy.endsWith(".2"))
            writeAll(m_path + ".bak", "earlier");
        QLocalServer socket;
        if (row.startsWith("socket")) {
#ifndef Q_OS_UNIX
            QSKIP("needs a Unix domain socket to stand where the file should be");
#endif
            QVERIFY2(socket.listen(m_path), qPrintable(socket.errorString()));
        }
        if (row == "file is a folder")
            QVERIFY(QDir(m_path).mkpath("inside")); // the folder has contents to lose
        if (row.startsWith("killed run")) {
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
            QSKIP("the child run's data folder can only be set through XDG_DATA_HOME");
#endif
            QProcess child; // inherits this test's XDG_DATA_HOME and platform
            child.start(QStringLiteral(CRASHCHILD_PATH), {m_path, QStringLiteral("Bruno")});
            QTRY_VERIFY_WITH_TIMEOUT(!dataFile(JournalName).isEmpty(), 30000);
            child.kill();
            QVERIFY(child.waitForFinished());
        }
        Archivio expected;
        QStringList named = SeatingFile::load(m_path, expected).problems;
        if (row.endsWith("restored"))
            expected.setCell(0, 0, QStringLiteral("Bruno"));

        const int asking = message.isEmpty() ? 0 : 1; // the first box at close
        MessageBoxAnswerer answerer(answers);
        Form2 window(m_path);
        window.startUp();
        QCOMPARE(answerer.count(), asking);
        if (!copy.isEmpty())
            named << QDir::toNativeSeparators(m_path + copy);
        for (const QString &part : named << message)
            QVERIFY2(answerer.text().contains(part), qPrintable(answerer.text()));
        QVERIFY(readAll(m_path + copy) == bytes); // the copy, or the file still untouched
        QVERIFY(!copy.endsWith(".2") || readAll(m_path + ".bak") == "earlier");
        QCOMPARE(window.archivio(), expected);
        QCOMPARE(tableIn(dataFile(AsideName)).cell(0, 0), row.endsWith("set aside") ? "Bruno" : "");
        storeAndSwap(window);
        const Archivio shown = window.archivio();
        QCOMPARE(tableIn(dataFile(JournalName)), shown);
        QVERIFY(readAll(m_path) == bytes);
        if (row.startsWith("folder vanished"))
            QVERIFY(QDir(m_dir->filePath("prog")).removeRecursively());

        QVERIFY(window.close());
        QCOMPARE(answerer.count(), answers.size());
        QCOMPARE(dataFile(JournalName), QString());
        const bool saves = answers.size() == asking;
        const QString recovery = dataFile(RecoveryName);
        QCOMPARE(recovery.isEmpty(), saves);
        QCOMPARE(tableIn(saves ? m_path : recovery), shown);
        if (saves)
            return;
        QCOMPARE(answerer.allButtons().at(asking), QStringList({"Sì", "No"}));
        const QString asked = answerer.texts().at(asking);
        QVERIFY(asked.contains(QDir::toNativeSeparators(m_path)) && asked.endsWith("Riprovare?"));
        QVERIFY(answerer.texts().last().contains(QDir::toNativeSeparators(recovery)));
        QVERIFY(!QFileInfo(m_path).isFile()); // no file took the place of what was there
        QVERIFY(row != "file is a folder" || QFileInfo(m_path + "/inside").isDir());
    }
};

QTEST_MAIN(HardeningTest)
#include "tst_hardening.moc"
