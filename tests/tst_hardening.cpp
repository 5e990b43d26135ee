// The window keeping the teacher's classes safe: a damaged or unreadable file
// reported once and copied before anything replaces it, a folder that cannot
// take the file, a failed save at close retried or written to a recovery
// file, and the journal that brings back what was stored before a crash.
// Faults are real: folders that vanish, a folder or a socket where the file
// should be, a child process killed with SIGKILL. Permission bits are not
// used, since root ignores them.

#include "archivio.h"
#include "form2.h"
#include "messageboxanswerer.h"
#include "seatingfile.h"

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
// s, so a shifted or lost row shows; the line numbered changed is replaced.
QByteArray distinctFile(int rows = Archivio::Rows, int changed = -1, const QByteArray &line = {},
                        const QByteArray &lineEnd = "\r\n")
{
    QByteArray file;
    for (int row = 0; row < rows; ++row) {
        const QByteArray position = row < Archivio::Pupils ? QByteArray::number(row + 2) : "0";
        file += (row == changed ? line : "Nome" + QByteArray::number(row) + "," + position);
        file += lineEnd;
    }
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

Archivio tableIn(const QString &path)
{
    Archivio table;
    SeatingFile::load(path, table);
    return table;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QStringList dataFiles(const QString &wildcard)
{
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QStringList found = folder.entryList({wildcard}, QDir::Files);
    for (QString &name : found)
        name = folder.filePath(name);
    return found;
}

// Opens the window as the program does; start-up boxes need an answerer made first.
std::unique_ptr<Form2> startWindow(const QString &path)
{
    auto window = std::make_unique<Form2>(path);
    window->startUp();
    return window;
}

// Types the name into a name box and clicks "Memorizza".
void store(Form2 &window, int box, const QString &name)
{
    auto *nameBox = window.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(box));
    nameBox->selectAll();
    QTest::keyClicks(nameBox, name);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")), Qt::LeftButton);
}

} // namespace

class HardeningTest : public QObject
{
    Q_OBJECT

private:
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

    void startUpReportsOnceAndCloseKeepsEverything_data()
    {
        QTest::addColumn<QByteArray>("file");  // empty: no file
        QTest::addColumn<QString>("message");  // empty: no message
        QTest::addColumn<bool>("earlierCopy"); // an earlier damaged start left a copy
        const QString damaged = QStringLiteral("danneggiato");
        const int all = Archivio::Rows;
        QTest::newRow("well-formed") << distinctFile() << QString() << false;
        QTest::newRow("missing") << QByteArray() << QString() << false;
        QTest::newRow("short") << distinctFile(200) << damaged << false;
        QTest::newRow("short, second time") << distinctFile(50) << damaged << true;
        QTest::newRow("comma in a name")
            << distinctFile(all, 3, "Rossi, Mario,5") << damaged << false;
        QTest::newRow("LF line ends") << distinctFile(all, -1, {}, "\n") << damaged << false;
        QTest::newRow("undefined byte")
            << distinctFile(all, 11, "Nome\x81 11,13") << damaged << true;
        QTest::newRow("unreadable: too big")
            << QByteArray(17 * 1024 * 1024, 'x')
            << "Non è stato possibile leggere il file dei posti" << false;
    }

    void startUpReportsOnceAndCloseKeepsEverything()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(bool, earlierCopy);
        if (!file.isEmpty())
            writeAll(m_path, file);
        if (earlierCopy)
            writeAll(m_path + ".bak", "earlier");
        Archivio expected;
        const QStringList problems = SeatingFile::load(m_path, expected).problems;

        MessageBoxAnswerer answerer(QStringLiteral("OK"));
        auto window = startWindow(m_path);
        QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
        const QString copy = m_path + (earlierCopy ? ".bak.2" : ".bak");
        if (!message.isEmpty()) {
            for (const QString &part : problems + QStringList{message, native(copy)})
                QVERIFY2(answerer.text().contains(part), qPrintable(answerer.text()));
            QVERIFY(readAll(copy) == file);
            QVERIFY(!earlierCopy || readAll(m_path + ".bak") == "earlier");
        }
        QCOMPARE(window->archivio(), expected);

        // Each store and swap goes to the journal at once, and to the file only at close.
        store(*window, 0, QStringLiteral("Anna"));
        auto *desk = window->findChild<QComboBox *>("Combo1(4)");
        desk->setFocus();
        QTest::keyClick(desk,
                        Qt::Key_Down); // swaps the pupils of desks 5 and 6 when both are known
        const Archivio shown = window->archivio();
        QCOMPARE(dataFiles(JournalName).size(), 1);
        QCOMPARE(tableIn(dataFiles(JournalName).first()), shown);
        QVERIFY(readAll(m_path) == file);
        QVERIFY(window->close());
        QCOMPARE(answerer.count(), message.isEmpty() ? 0 : 1);
        QCOMPARE(tableIn(m_path), shown);
        QCOMPARE(dataFiles(JournalName), QStringList());
    }

    void failedCloseWritesARecoveryFile_data()
    {
        QTest::addColumn<QString>("file");        // in the test's folder
        QTest::addColumn<QString>("startUpText"); // empty: no start-up message
        QTest::addColumn<QStringList>("closeAnswers");
        const QStringList no{"No", "OK"};
        QTest::newRow("file is a folder") << "prog/Posti.bq"
                                          << "leggere il file" << no;
        QTest::newRow("folder missing") << "missing/Posti.bq"
                                        << "non esiste" << no;
        QTest::newRow("folder is a file") << "prog/plain/Posti.bq"
                                          << "non potrà essere salvato" << no;
        QTest::newRow("folder vanished, retried")
            << "prog/Posti.bq" << QString() << QStringList{"Sì", "No", "OK"};
        // A socket can be neither read nor copied, yet a save could rename a new file over it.
        QTest::newRow("socket never replaced") << "prog/Posti.bq"
                                               << "copiare il file originale" << no;
    }

    void failedCloseWritesARecoveryFile()
    {
        QFETCH(QString, file);
        QFETCH(QString, startUpText);
        QFETCH(QStringList, closeAnswers);
        const QString row = QTest::currentDataTag();
#ifndef Q_OS_UNIX
        if (row.startsWith("socket"))
            QSKIP("needs a Unix domain socket to stand where the file should be");
#endif
        m_path = m_dir->filePath(file);
        writeAll(m_dir->filePath("prog/plain"), "not a folder");
        QLocalServer socket;
        if (row.startsWith("socket"))
            QVERIFY2(socket.listen(m_path), qPrintable(socket.errorString()));
        if (row == "file is a folder")
            QVERIFY(QDir(m_path).mkpath("inside"));       // the folder has contents to lose
        const int asking = startUpText.isEmpty() ? 0 : 1; // the first box at close
        MessageBoxAnswerer answerer(QStringList(asking, "OK") + closeAnswers);
        auto window = startWindow(m_path);
        QCOMPARE(answerer.count(), asking);
        QVERIFY2(answerer.text().contains(startUpText), qPrintable(answerer.text()));
        store(*window, 0, QStringLiteral("Anna"));
        const Archivio stored = window->archivio();
        if (row.startsWith("folder vanished"))
            QVERIFY(QDir(m_dir->filePath("prog")).removeRecursively());

        QVERIFY(window->close());
        QCOMPARE(answerer.count(), asking + closeAnswers.size());
        QCOMPARE(answerer.allButtons().at(asking), QStringList({"Sì", "No"}));
        const QString asked = answerer.texts().at(asking);
        QVERIFY2(asked.contains(native(m_path)) && asked.endsWith("Riprovare?"), qPrintable(asked));
        const QStringList recovery = dataFiles(RecoveryName);
        QCOMPARE(recovery.size(), 1);
        QVERIFY(answerer.texts().last().contains(native(recovery.first())));
        QCOMPARE(tableIn(recovery.first()), stored);
        QCOMPARE(dataFiles(JournalName), QStringList());
        QVERIFY(!QFileInfo(m_path).isFile()); // no file took the place of what was there
        QVERIFY(row != "file is a folder" || QFileInfo(m_path + "/inside").isDir());
    }

    void killedRunOffersItsStores_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("restore") << QString("Sì") << QString("Bruno");
        QTest::newRow("set aside") << QString("No") << QString("Nome0");
    }

    void killedRunOffersItsStores()
    {
        QFETCH(QString, answer);
        QFETCH(QString, shown);
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
        QSKIP("the child run's data folder can only be set through XDG_DATA_HOME");
#endif
        writeAll(m_path, distinctFile());
        QProcess child; // inherits this test's XDG_DATA_HOME and platform
        child.start(QStringLiteral(CRASHCHILD_PATH), {m_path, QStringLiteral("Bruno")});
        while (!child.canReadLine())
            QVERIFY2(child.waitForReadyRead(30000), "the child never stored");
        child.kill();
        QVERIFY(child.waitForFinished());

        MessageBoxAnswerer answerer(answer);
        auto window = startWindow(m_path);
        QCOMPARE(answerer.count(), 1);
        QVERIFY(answerer.text().contains("Ripristinare le classi memorizzate"));
        QCOMPARE(window->findChild<QLineEdit *>("Text1(0)")->text(), shown);
        QCOMPARE(window->archivio().cell(1, 0), QString("Nome1"));
        const QStringList aside = dataFiles(AsideName);
        QCOMPARE(aside.size(), answer == "No" ? 1 : 0);
        if (!aside.isEmpty())
            QCOMPARE(tableIn(aside.first()).cell(0, 0), QString("Bruno"));
    }
};

QTEST_MAIN(HardeningTest)
#include "tst_hardening.moc"
