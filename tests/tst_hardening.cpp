// The window keeping the teacher's classes safe: a damaged or unreadable file
// reported once and copied before anything replaces it, a folder that cannot
// take the file, a failed save at close retried or written to a recovery
// file, and the journal that brings back what was stored before a crash.
// Faults are real: folders that vanish, a folder where the file should be,
// a child process killed with SIGKILL. Permission bits are not used, since
// root ignores them.

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
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Status = SeatingFile::LoadResult::Status;

namespace {

// A file of the given lines, each ended by CR LF.
QByteArray fileOf(const QByteArrayList &lines)
{
    return lines.join("\r\n") + "\r\n";
}

// 310 distinct rows: pupil s of class 1 sits on desk s, every other row has
// its own name, so a shifted or lost row shows.
QByteArrayList distinctLines()
{
    QByteArrayList lines;
    for (int row = 0; row < Archivio::Rows; ++row) {
        const QByteArray position = row < Archivio::Pupils ? QByteArray::number(row + 2) : "0";
        lines.append("Nome" + QByteArray::number(row) + "," + position);
    }
    return lines;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

Archivio loaded(const QString &path, Status *status = nullptr)
{
    Archivio table;
    const Status result = SeatingFile::load(path, table).status;
    if (status)
        *status = result;
    return table;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class HardeningTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void wellFormedOrMissingFileRaisesNoMessage_data();
    void wellFormedOrMissingFileRaisesNoMessage();
    void damagedFileIsReportedOnceAndKept_data();
    void damagedFileIsReportedOnceAndKept();
    void secondDamagedStartKeepsTheFirstCopy();
    void copyGoesToTheDataFolderWhenItCannotGoBeside();
    void unreadableFileIsCopiedThenReplaced();

    void startUpWarnsWhenTheFolderCannotTakeTheFile_data();
    void startUpWarnsWhenTheFolderCannotTakeTheFile();
    void folderInPlaceOfTheFileIsNeverOverwritten();
    void fileThatCouldNotBeCopiedIsNeverReplaced();
    void vanishedFolderAsksAgainThenWritesRecovery();

    void journalFollowsEveryStoreAndGoesAtClose();
    void journalFollowsASwap();
    void foldersKeepSeparateJournals();
    void journalEqualToTheFileIsRemovedSilently();
    void killedRunOffersItsStores_data();
    void killedRunOffersItsStores();

private:
    std::unique_ptr<Form2> startWindow(const QString &path);
    void store(Form2 &window, int box, const QString &name);
    QString dataFolder() const;
    QStringList dataFiles(const QString &pattern) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QString m_path;
};

void HardeningTest::initTestCase()
{
    // The same name as the program, so the child run and this test share a data folder.
    QCoreApplication::setApplicationName(QStringLiteral("posti"));
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
    // No XDG_DATA_HOME here: Qt's test folder, emptied before every test.
    QStandardPaths::setTestModeEnabled(true);
#endif
}

void HardeningTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("prog")));
    m_folder = m_dir->filePath(QStringLiteral("prog"));
    m_path = QDir(m_folder).filePath(SeatingFile::fileName());
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->filePath(QStringLiteral("data"))));
#else
    QDir(dataFolder()).removeRecursively();
#endif
}

// Opens the window on path as the program does. Start-up messages need an
// answerer made before the call.
std::unique_ptr<Form2> HardeningTest::startWindow(const QString &path)
{
    auto window = std::make_unique<Form2>(path);
    window->startUp();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("window not exposed");
    return window;
}

// Types the name into a name box and clicks "Memorizza".
void HardeningTest::store(Form2 &window, int box, const QString &name)
{
    auto *nameBox = window.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(box));
    QVERIFY(nameBox);
    nameBox->selectAll();
    QTest::keyClicks(nameBox, name);
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")), Qt::LeftButton);
}

QString HardeningTest::dataFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// Full paths of the data folder's files whose names match the pattern.
QStringList HardeningTest::dataFiles(const QString &pattern) const
{
    const QRegularExpression wanted(QRegularExpression::anchoredPattern(pattern));
    QStringList found;
    const QDir folder(dataFolder());
    for (const QString &name : folder.entryList(QDir::Files)) {
        if (wanted.match(name).hasMatch())
            found << folder.filePath(name);
    }
    return found;
}

void HardeningTest::wellFormedOrMissingFileRaisesNoMessage_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("well-formed") << fileOf(distinctLines());
    QTest::newRow("no file") << QByteArray();
}

void HardeningTest::wellFormedOrMissingFileRaisesNoMessage()
{
    QFETCH(QByteArray, file);
    if (!file.isEmpty())
        writeAll(m_path, file);
    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(m_path);
    QTest::qWait(50); // time for a wrongly shown box to be seen
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden).size(), file.isEmpty() ? 0 : 1);
}

void HardeningTest::damagedFileIsReportedOnceAndKept_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArrayList good = distinctLines();
    QByteArrayList lines = good;
    QTest::newRow("short") << fileOf(good.mid(0, 200));
    lines = good;
    lines.insert(12, "extra,0");
    lines.removeLast();
    lines << "one more,0"
          << "and another,0";
    QTest::newRow("extra lines, one inserted") << fileOf(lines);
    lines = good;
    lines[5] = "Nome5 senza virgola";
    QTest::newRow("no comma") << fileOf(lines);
    lines = good;
    lines[7] = "";
    QTest::newRow("empty line") << fileOf(lines);
    lines = good;
    lines[9] = "Nome9,nove";
    QTest::newRow("position not a number") << fileOf(lines);
    lines = good;
    lines[3] = "Rossi, Mario,5";
    QTest::newRow("comma in a name") << fileOf(lines);
    QTest::newRow("LF line ends") << good.join("\n") + "\n";
    QByteArray loneCr = fileOf(good);
    loneCr.replace("Nome20,22\r\n", "Nome20,22\r");
    QTest::newRow("one lone CR") << loneCr;
    lines = good;
    lines[11] = "Nome\x81"
                "11,13";
    QTest::newRow("undefined byte") << fileOf(lines);
}

void HardeningTest::damagedFileIsReportedOnceAndKept()
{
    QFETCH(QByteArray, file);
    writeAll(m_path, file);
    Archivio expected;
    const SeatingFile::LoadResult result = SeatingFile::parse(file, expected);
    QCOMPARE(result.status, Status::Damaged);

    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(m_path);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QString("Attenzione!"));
    QCOMPARE(answerer.buttons(), QStringList({"OK"}));
    QVERIFY2(answerer.text().contains("danneggiato"), qPrintable(answerer.text()));
    for (const QString &problem : result.problems)
        QVERIFY2(answerer.text().contains(problem), qPrintable(problem));
    const QString copy = m_path + QStringLiteral(".bak");
    QVERIFY2(answerer.text().contains(native(copy)), qPrintable(answerer.text()));
    QCOMPARE(readAll(copy), file);

    // The rows that could be read are where they belong, on screen too.
    QCOMPARE(window->archivio(), expected);
    QCOMPARE(window->findChild<QLineEdit *>("Text1(29)")->text(), expected.cell(29, 0));
}

void HardeningTest::secondDamagedStartKeepsTheFirstCopy()
{
    const QByteArray first = fileOf(distinctLines().mid(0, 100));
    const QByteArray second = fileOf(distinctLines().mid(0, 50));
    writeAll(m_path, first);
    {
        MessageBoxAnswerer answerer(QStringLiteral("OK"));
        auto window = startWindow(m_path);
        QCOMPARE(answerer.count(), 1);
    }
    writeAll(m_path, second);
    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(m_path);
    QCOMPARE(answerer.count(), 1);
    QVERIFY(answerer.text().contains(native(m_path + ".bak.2")));
    QCOMPARE(readAll(m_path + ".bak"), first);
    QCOMPARE(readAll(m_path + ".bak.2"), second);
}

void HardeningTest::copyGoesToTheDataFolderWhenItCannotGoBeside()
{
    const QByteArray damaged = fileOf(distinctLines().mid(0, 10));
    writeAll(m_path, damaged);
    // Every name beside the file is taken: the copy cannot go there.
    writeAll(m_path + ".bak", "earlier");
    for (int n = 2; n <= 1000; ++n)
        writeAll(m_path + ".bak." + QString::number(n), "earlier");

    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(m_path);
    QCOMPARE(answerer.count(), 1);
    const QString copy = QDir(dataFolder()).filePath("Posti.bq.bak");
    QVERIFY2(answerer.text().contains(native(copy)), qPrintable(answerer.text()));
    QCOMPARE(readAll(copy), damaged);
    QCOMPARE(readAll(m_path + ".bak"), QByteArray("earlier"));

    // The original is safe, so the close may replace it.
    const Archivio shown = window->archivio();
    QVERIFY(window->close());
    QCOMPARE(answerer.count(), 1);
    Status status;
    QCOMPARE(loaded(m_path, &status), shown);
    QCOMPARE(status, Status::Loaded);
}

void HardeningTest::unreadableFileIsCopiedThenReplaced()
{
    // Far too big to be a seating file, so the loader refuses to read it.
    const QByteArray huge(17 * 1024 * 1024, 'x');
    writeAll(m_path, huge);
    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(m_path);
    QCOMPARE(answerer.count(), 1);
    QVERIFY2(answerer.text().contains("Non è stato possibile leggere il file dei posti"),
             qPrintable(answerer.text()));
    QVERIFY(answerer.text().contains(native(m_path + ".bak")));
    QVERIFY(readAll(m_path + ".bak") == huge);

    store(*window, 0, QStringLiteral("Anna"));
    QVERIFY(window->close());
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(loaded(m_path).cell(0, 0), QString("Anna"));
}

void HardeningTest::startUpWarnsWhenTheFolderCannotTakeTheFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    // Relative to the test's own folder, filled in by the test.
    QTest::newRow("folder missing") << "missing/Posti.bq"
                                    << "non esiste";
    QTest::newRow("folder is a file") << "plain-file/Posti.bq"
                                      << "";
    QTest::newRow("file is a folder") << "Posti.bq"
                                      << "c'è una cartella";
}

void HardeningTest::startUpWarnsWhenTheFolderCannotTakeTheFile()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    writeAll(QDir(m_folder).filePath("plain-file"), "not a folder");
    QVERIFY(QDir(m_folder).mkpath("Posti.bq"));
    const QString target = QDir(m_folder).filePath(path);

    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    auto window = startWindow(target);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QString("Attenzione!"));
    const QString text = answerer.text();
    QVERIFY2(text.contains("non potrà essere salvato in\n" + native(target) + "\n"),
             qPrintable(text));
    // The system's reason follows the path; ours when the system has none.
    const QString after = text.section(native(target) + "\n", -1);
    QVERIFY2(!after.section('\n', 0, 0).trimmed().isEmpty(), qPrintable(text));
    QVERIFY2(after.contains(reason), qPrintable(text));
}

void HardeningTest::folderInPlaceOfTheFileIsNeverOverwritten()
{
    QVERIFY(QDir(m_folder).mkpath(SeatingFile::fileName()));
    QVERIFY(QDir(m_path).mkpath("inside")); // the folder has contents to lose
    std::unique_ptr<Form2> window;
    {
        MessageBoxAnswerer startUp(QStringLiteral("OK"));
        window = startWindow(m_path);
        QCOMPARE(startUp.count(), 1);
        QVERIFY2(startUp.text().contains("Non è stato possibile leggere il file dei posti\n" +
                                         native(m_path)),
                 qPrintable(startUp.text()));
        QVERIFY(startUp.text().contains("non verrà sovrascritto"));
    }

    store(*window, 0, QStringLiteral("Anna"));
    store(*window, 30, QStringLiteral("3A"));
    const Archivio stored = window->archivio();
    MessageBoxAnswerer closing({QStringLiteral("No"), QStringLiteral("OK")});
    QVERIFY(window->close());
    QCOMPARE(closing.titles(), QStringList({"Errore!", "Attenzione!"}));
    QCOMPARE(closing.allButtons().at(0), QStringList({"Sì", "No"}));
    QVERIFY2(closing.texts().at(0).contains(native(m_path)), qPrintable(closing.texts().at(0)));
    QVERIFY(closing.texts().at(0).endsWith("Riprovare?"));

    const QStringList recovery = dataFiles(R"(Posti-recupero-\d{8}-\d{6}\.bq)");
    QCOMPARE(recovery.size(), 1);
    QVERIFY2(closing.texts().at(1).contains(native(recovery.first())),
             qPrintable(closing.texts().at(1)));
    Status status;
    QCOMPARE(loaded(recovery.first(), &status), stored);
    QCOMPARE(status, Status::Loaded);
    QVERIFY(QFileInfo(m_path + "/inside").isDir());
    QCOMPARE(dataFiles("Posti-diario-.*"), QStringList());
}

void HardeningTest::fileThatCouldNotBeCopiedIsNeverReplaced()
{
#ifdef Q_OS_UNIX
    // A socket where the file should be: it cannot be opened, so neither read
    // nor copied, yet a save could rename a new file over it.
    QLocalServer socket;
    socket.setSocketOptions(QLocalServer::UserAccessOption);
    QVERIFY2(socket.listen(m_path), qPrintable(socket.errorString()));
    std::unique_ptr<Form2> window;
    {
        MessageBoxAnswerer startUp(QStringLiteral("OK"));
        window = startWindow(m_path);
        QCOMPARE(startUp.count(), 1);
        QVERIFY2(startUp.text().contains("Non è stato possibile copiare il file originale"),
                 qPrintable(startUp.text()));
    }
    store(*window, 0, QStringLiteral("Anna"));
    const Archivio stored = window->archivio();
    MessageBoxAnswerer closing({QStringLiteral("No"), QStringLiteral("OK")});
    QVERIFY(window->close());
    QCOMPARE(closing.titles(), QStringList({"Errore!", "Attenzione!"}));
    QVERIFY2(closing.texts().at(0).contains("sovrascriverlo lo perderebbe"),
             qPrintable(closing.texts().at(0)));
    QVERIFY(!QFileInfo(m_path).isFile()); // still the socket
    const QStringList recovery = dataFiles(R"(Posti-recupero-\d{8}-\d{6}\.bq)");
    QCOMPARE(recovery.size(), 1);
    QCOMPARE(loaded(recovery.first()), stored);
#else
    QSKIP("needs a Unix domain socket to stand where the file should be");
#endif
}

void HardeningTest::vanishedFolderAsksAgainThenWritesRecovery()
{
    auto window = startWindow(m_path);
    store(*window, 0, QStringLiteral("Bruno"));
    const Archivio stored = window->archivio();
    QVERIFY(QDir(m_folder).removeRecursively());

    QStringList recovery;
    {
        MessageBoxAnswerer closing({QStringLiteral("Sì"), QStringLiteral("No"), "OK"});
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
        QCOMPARE(closing.titles(), QStringList({"Errore!", "Errore!", "Attenzione!"}));
        QCOMPARE(closing.texts().at(0), closing.texts().at(1)); // asked again after the retry
        recovery = dataFiles(R"(Posti-recupero-\d{8}-\d{6}\.bq)");
        QCOMPARE(recovery.size(), 1);
        QVERIFY(closing.texts().at(2).contains(native(recovery.first())));
        QCOMPARE(loaded(recovery.first()), stored);
    }

    // Another failed close never replaces the first recovery file.
    MessageBoxAnswerer again({QStringLiteral("OK"), QStringLiteral("No"), QStringLiteral("OK")});
    auto second = startWindow(m_path);
    QVERIFY(second->close());
    QCOMPARE(again.titles(), QStringList({"Attenzione!", "Errore!", "Attenzione!"}));
    QCOMPARE(dataFiles(R"(Posti-recupero-\d{8}-\d{6}(-\d+)?\.bq)").size(), 2);
    QCOMPARE(loaded(recovery.first()), stored);
}

void HardeningTest::journalFollowsEveryStoreAndGoesAtClose()
{
    auto window = startWindow(m_path);
    QCOMPARE(dataFiles("Posti-diario-.*"), QStringList());
    store(*window, 0, QStringLiteral("Anna"));
    QStringList journal = dataFiles(R"(Posti-diario-[0-9a-f]{16}\.bq)");
    QCOMPARE(journal.size(), 1);
    QCOMPARE(loaded(journal.first()), window->archivio());
    store(*window, 1, QStringLiteral("Bruno"));
    QCOMPARE(loaded(journal.first()).cell(1, 0), QString("Bruno"));
    QVERIFY(!QFileInfo::exists(m_path)); // the seating file waits for the close

    QVERIFY(window->close());
    QCOMPARE(dataFiles("Posti-diario-.*"), QStringList());
    QCOMPARE(loaded(m_path).cell(1, 0), QString("Bruno"));
}

void HardeningTest::journalFollowsASwap()
{
    writeAll(m_path, fileOf(distinctLines()));
    auto window = startWindow(m_path);
    auto *desk = window->findChild<QComboBox *>("Combo1(4)");
    desk->setFocus();
    QTest::keyClick(desk, Qt::Key_Down); // the pupil of desk 5: the two swap
    QCOMPARE(window->archivio().cell(5, 1), QString("6"));
    const QStringList journal = dataFiles("Posti-diario-.*");
    QCOMPARE(journal.size(), 1);
    QCOMPARE(loaded(journal.first()), window->archivio());
}

void HardeningTest::foldersKeepSeparateJournals()
{
    QVERIFY(QDir(m_dir->path()).mkpath("other"));
    auto first = startWindow(m_path);
    // The same folder spelt differently is the same program.
    auto second = startWindow(m_dir->filePath("prog/../other/./Posti.bq"));
    store(*first, 0, QStringLiteral("Anna"));
    store(*second, 0, QStringLiteral("Zeno"));
    const QStringList journals = dataFiles("Posti-diario-.*");
    QCOMPARE(journals.size(), 2);
    QStringList names = {loaded(journals.at(0)).cell(0, 0), loaded(journals.at(1)).cell(0, 0)};
    names.sort();
    QCOMPARE(names, QStringList({"Anna", "Zeno"}));

    QVERIFY(second->close()); // a clean close removes its own journal only
    QCOMPARE(dataFiles("Posti-diario-.*").size(), 1);
    QCOMPARE(loaded(dataFiles("Posti-diario-.*").first()).cell(0, 0), QString("Anna"));
}

void HardeningTest::journalEqualToTheFileIsRemovedSilently()
{
    {
        auto window = startWindow(m_path);
        store(*window, 0, QStringLiteral("Anna"));
    } // gone without a close: the journal stays
    const QStringList journal = dataFiles("Posti-diario-.*");
    QCOMPARE(journal.size(), 1);
    writeAll(m_path, readAll(journal.first()));

    MessageBoxAnswerer answerer(QStringLiteral("No"));
    auto window = startWindow(m_path);
    QTest::qWait(50);
    QCOMPARE(answerer.count(), 0);
    QCOMPARE(dataFiles("Posti-diario-.*"), QStringList());
    QCOMPARE(window->findChild<QLineEdit *>("Text1(0)")->text(), QString("Anna"));
}

void HardeningTest::killedRunOffersItsStores_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::newRow("restore") << "Sì"
                             << "Bruno";
    QTest::newRow("set aside") << "No"
                               << "Anna";
}

void HardeningTest::killedRunOffersItsStores()
{
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QByteArrayList lines = distinctLines();
    lines[0] = "Anna,2";
    const QByteArray file = fileOf(lines);
    writeAll(m_path, file);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    environment.insert("XDG_DATA_HOME", m_dir->filePath("data"));
#else
    QSKIP("the child run's data folder can only be set through XDG_DATA_HOME");
#endif
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(CRASHCHILD_PATH), {m_path, QStringLiteral("Bruno")});
    QVERIFY2(child.waitForStarted(), qPrintable(child.errorString()));
    while (!child.canReadLine())
        QVERIFY2(child.waitForReadyRead(30000), "the child never stored");
    QCOMPARE(child.readLine().trimmed(), QByteArray("stored"));
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(readAll(m_path), file); // the seating file waits for a close that never came

    MessageBoxAnswerer answerer(answer);
    auto window = startWindow(m_path);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(answerer.title(), QString("Attenzione!"));
    QCOMPARE(answerer.buttons(), QStringList({"Sì", "No"}));
    QVERIFY(
        answerer.text().contains("Ripristinare le classi memorizzate prima dell'interruzione?"));
    QVERIFY(answerer.text().contains(native(dataFolder())));
    QCOMPARE(window->findChild<QLineEdit *>("Text1(0)")->text(), shown);
    QCOMPARE(window->archivio().cell(0, 0), shown);
    QCOMPARE(window->archivio().cell(1, 0), QString("Nome1"));

    const QStringList aside = dataFiles(R"(Posti-diario-[0-9a-f]{16}-\d{8}-\d{6}\.bq)");
    if (answer == "No") {
        QCOMPARE(aside.size(), 1);
        QCOMPARE(loaded(aside.first()).cell(0, 0), QString("Bruno"));
        QCOMPARE(dataFiles(R"(Posti-diario-[0-9a-f]{16}\.bq)"), QStringList());
    } else {
        QCOMPARE(aside, QStringList());
    }
    QVERIFY(window->close());
    QCOMPARE(loaded(m_path).cell(0, 0), shown);
    QCOMPARE(dataFiles(R"(Posti-diario-[0-9a-f]{16}\.bq)"), QStringList());
}

QTEST_MAIN(HardeningTest)
#include "tst_hardening.moc"
