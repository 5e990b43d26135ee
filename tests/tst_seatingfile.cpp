#include "archivio.h"
#include "seatingfile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using SeatingFile::LoadResult;
using Status = LoadResult::Status;

class TestSeatingFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void freshTableIsSavedAsBlankLines();
    void windowsTextSurvivesReload();
    void everyByteSurvivesReload();
    void fieldsAreReadAsWritten_data();
    void fieldsAreReadAsWritten();
    void rowRuleMatchesFile();
    void damageCostsOnlyItsRows_data();
    void damageCostsOnlyItsRows();
    void ownFilesLoadCleanly_data();
    void ownFilesLoadCleanly();
    void problemListStaysShort();
    void missingFileGivesFreshTable();
    void folderIsUnreadableNotMissing();
    void unstorableCellFailsSave_data();
    void unstorableCellFailsSave();
    void saveIntoVanishedFolderFails();
    void saveOverFolderFails();
    void fullDiskKeepsOldFile();
    void killedSaveLeavesOldOrNewFile();
    void backupNeverReplacesEarlierCopy();

private:
    QString path() const { return m_dir->filePath(SeatingFile::fileName()); }
    QByteArray readFile() const;
    void writeFile(const QByteArray &bytes) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

// A file of the given lines, each ended by CR LF.
static QByteArray fileOf(const QByteArrayList &lines)
{
    return lines.isEmpty() ? QByteArray() : lines.join("\r\n") + "\r\n";
}

// 310 distinct rows, so a shifted row cannot go unnoticed.
static QByteArrayList numberedLines()
{
    QByteArrayList lines;
    for (int row = 0; row < Archivio::Rows; ++row)
        lines.append("Nome" + QByteArray::number(row) + "," + QByteArray::number(row % 32 - 1));
    return lines;
}

static Archivio numberedTable(int lines)
{
    Archivio table;
    for (int row = 0; row < lines; ++row) {
        table.setCell(row, 0, QStringLiteral("Nome%1").arg(row));
        table.setCell(row, 1, QString::number(row % 32 - 1));
    }
    return table;
}

QByteArray TestSeatingFile::readFile() const
{
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void TestSeatingFile::writeFile(const QByteArray &bytes) const
{
    QFile file(path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestSeatingFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSeatingFile::freshTableIsSavedAsBlankLines()
{
    Archivio table;
    QString error;
    QVERIFY2(SeatingFile::save(path(), table, &error), qPrintable(error));
    QCOMPARE(readFile(), QByteArray(" ,0\r\n").repeated(Archivio::Rows));
    // The stand-ins are written into the table too.
    QCOMPARE(table.cell(309, 0), QStringLiteral(" "));
}

void TestSeatingFile::windowsTextSurvivesReload()
{
    QByteArrayList lines = numberedLines();
    lines[0] = "Niccol\xF2,-1";
    lines[1] = "Zo\xEB,7";
    lines[2] = "\x80uro,2";
    lines[3] = "  Anna Maria  ,3";
    writeFile(fileOf(lines));
    Archivio table;
    QCOMPARE(SeatingFile::load(path(), table).status, Status::Loaded);
    QCOMPARE(table.cell(0, 0), QStringLiteral("Niccolò"));
    QCOMPARE(table.cell(1, 0), QStringLiteral("Zoë"));
    QCOMPARE(table.cell(2, 0), QStringLiteral("€uro"));
    QCOMPARE(table.cell(3, 0), QStringLiteral("Anna Maria"));
    QCOMPARE(table.cell(0, 1), QStringLiteral("-1"));
    QVERIFY(SeatingFile::save(path(), table));
    lines[3] = "Anna Maria,3";
    QCOMPARE(readFile(), fileOf(lines));
}

void TestSeatingFile::everyByteSurvivesReload()
{
    QByteArray name = "<";
    for (int b = 0; b < 256; ++b) {
        if (b != ',' && b != '\r' && b != '\n')
            name.append(char(b));
    }
    QByteArrayList lines = numberedLines();
    lines[5] = name + ">,4";
    writeFile(fileOf(lines));
    Archivio table;
    const LoadResult result = SeatingFile::load(path(), table);
    QCOMPARE(result.damagedRows, QList<int>{5}); // the undefined bytes are pointed out
    QVERIFY(SeatingFile::save(path(), table));
    QCOMPARE(readFile(), fileOf(lines));
}

void TestSeatingFile::fieldsAreReadAsWritten_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("position");
    QTest::newRow("empty name") << QByteArray(" ,0") << ""
                                << "0";
    QTest::newRow("no space") << QByteArray(",5") << ""
                              << "5";
    QTest::newRow("spaces round name") << QByteArray("  A B  ,3") << "A B"
                                       << "3";
    QTest::newRow("spaces before position") << QByteArray("Anna,   -1") << "Anna"
                                            << "-1";
    QTest::newRow("leading zeros kept") << QByteArray("Anna,007") << "Anna"
                                        << "007";
    QTest::newRow("quotes are text") << QByteArray("\"Anna\",2") << "\"Anna\""
                                     << "2";
    QTest::newRow("tab is not a space") << QByteArray("\tAnna,2") << "\tAnna"
                                        << "2";
}

void TestSeatingFile::fieldsAreReadAsWritten()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, name);
    QFETCH(QString, position);
    QByteArrayList lines = numberedLines();
    lines[7] = line;
    Archivio table;
    const LoadResult result = SeatingFile::parse(fileOf(lines), table);
    QCOMPARE(result.status, Status::Loaded);
    QCOMPARE(table.cell(7, 0), name);
    QCOMPARE(table.cell(7, 1), position);
}

void TestSeatingFile::rowRuleMatchesFile()
{
    QByteArrayList lines(Archivio::Rows, " ,0");
    lines[92] = "3B,0";
    lines[62] = "Primo,2";
    writeFile(fileOf(lines));
    Archivio table;
    SeatingFile::load(path(), table);
    QCOMPARE(table.cell(Archivio::row(3, Archivio::ClassNameSlot), 0), QStringLiteral("3B"));
    QCOMPARE(table.cell(Archivio::row(3, 0), 0), QStringLiteral("Primo"));
    QCOMPARE(table.cell(Archivio::row(3, 0), 1), QStringLiteral("2"));
}

void TestSeatingFile::damageCostsOnlyItsRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("linesRead"); // numbered rows the file still has
    QTest::addColumn<int>("row");       // the damaged row, or -1
    QTest::addColumn<QString>("name");  // what that row reads as
    QTest::addColumn<QString>("position");
    QTest::addColumn<QList<int>>("damagedRows");
    QTest::addColumn<QString>("problem");

    const auto damaged = [](int row, const QByteArray &line) {
        QByteArrayList lines = numberedLines();
        lines[row] = line;
        return fileOf(lines);
    };
    const QByteArray good = fileOf(numberedLines());
    QList<int> lastTen;
    for (int row = 300; row < 310; ++row)
        lastTen.append(row);

    QTest::newRow("no comma") << damaged(12, "Nome12 7") << 310 << 12 << ""
                              << "0" << QList<int>{12} << "riga 13: manca la virgola";
    QTest::newRow("empty line") << damaged(12, "") << 310 << 12 << ""
                                << "0" << QList<int>{12} << "riga 13: riga vuota";
    QTest::newRow("word position") << damaged(12, "Nome12,sette") << 310 << 12 << "Nome12"
                                   << "0" << QList<int>{12} << "riga 13: posizione «sette»";
    QTest::newRow("empty position") << damaged(12, "Nome12,") << 310 << 12 << "Nome12"
                                    << "0" << QList<int>{12} << "non valida";
    QTest::newRow("too big") << damaged(12, "Nome12,40000") << 310 << 12 << "Nome12"
                             << "0" << QList<int>{12} << "non valida";
    QTest::newRow("trailing space") << damaged(12, "Nome12,7 ") << 310 << 12 << "Nome12"
                                    << "0" << QList<int>{12} << "non valida";
    QTest::newRow("comma in name") << damaged(12, "Rossi, Mario,7") << 310 << 12 << ""
                                   << "0" << QList<int>{12} << "riga 13: più di una virgola";
    QTest::newRow("undefined byte")
        << damaged(12, "Nome\x81,7") << 310 << 12 << QStringLiteral("Nome\u0081") << "7"
        << QList<int>{12} << "caratteri sconosciuti";
    QTest::newRow("lone LF") << QByteArray(good).replace("Nome13,12\r\n", "Nome13,12\n") << 310
                             << -1 << ""
                             << "" << QList<int>{} << "una riga non termina";
    QTest::newRow("lone CR") << QByteArray(good).replace("Nome13,12\r\n", "Nome13,12\r") << 310
                             << -1 << ""
                             << "" << QList<int>{} << "una riga non termina";
    QTest::newRow("LF file") << numberedLines().join('\n') + '\n'
                             << 310 << -1 << ""
                             << "" << QList<int>{} << "310 righe non terminano";
    QTest::newRow("no last end") << good.chopped(2) << 310 << -1 << ""
                                 << "" << QList<int>{} << "una riga non termina";
    QTest::newRow("short") << fileOf(numberedLines().mid(0, 300)) << 300 << -1 << ""
                           << "" << lastTen << "solo 300 righe";
    QTest::newRow("empty file") << QByteArray() << 0 << -1 << ""
                                << "" << QList<int>() << "il file è vuoto";
    QTest::newRow("long") << good + "a,1\r\nb,2\r\n"
                          << 310 << -1 << ""
                          << "" << QList<int>{} << "2 righe in più";
}

void TestSeatingFile::damageCostsOnlyItsRows()
{
    QFETCH(QByteArray, file);
    QFETCH(int, linesRead);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, position);
    QFETCH(QList<int>, damagedRows);
    QFETCH(QString, problem);

    Archivio expected = numberedTable(linesRead);
    if (row >= 0) {
        expected.setCell(row, 0, name);
        expected.setCell(row, 1, position);
    }
    if (linesRead == 0) {
        for (int r = 0; r < Archivio::Rows; ++r)
            damagedRows.append(r);
    }
    Archivio table = numberedTable(Archivio::Rows);
    const LoadResult result = SeatingFile::parse(file, table);
    QCOMPARE(result.status, Status::Damaged);
    QVERIFY(table == expected);
    QCOMPARE(result.damagedRows, damagedRows);
    QVERIFY2(result.problems.join('\n').contains(problem), qPrintable(result.problems.join('\n')));
}

void TestSeatingFile::ownFilesLoadCleanly_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("position");
    QTest::newRow("fresh") << 0 << ""
                           << "";
    QTest::newRow("numbered") << 310 << ""
                              << "";
    QTest::newRow("extremes") << 310 << QStringLiteral("  Zoë €  ") << "-32768";
}

void TestSeatingFile::ownFilesLoadCleanly()
{
    QFETCH(int, lines);
    QFETCH(QString, name);
    QFETCH(QString, position);
    Archivio table = numberedTable(lines);
    table.setCell(40, 0, name);
    table.setCell(40, 1, position);
    Archivio reloaded;
    const LoadResult result = SeatingFile::parse(SeatingFile::serialize(table), reloaded);
    QCOMPARE(result.status, Status::Loaded);
    QCOMPARE(result.problems, QStringList());
    QCOMPARE(result.damagedRows, QList<int>());
    QCOMPARE(reloaded.cell(40, 0), name.trimmed());
    QCOMPARE(reloaded.cell(41, 0), table.cell(41, 0).trimmed());
}

void TestSeatingFile::problemListStaysShort()
{
    Archivio table;
    const LoadResult result = SeatingFile::parse(QByteArray("x\r\n").repeated(400), table);
    QCOMPARE(result.damagedRows.size(), Archivio::Rows);
    QVERIFY(result.problems.size() <= 13);
    QVERIFY(result.problems.last().contains(QStringLiteral("altri 300")));
}

void TestSeatingFile::missingFileGivesFreshTable()
{
    Archivio table = numberedTable(Archivio::Rows);
    QCOMPARE(SeatingFile::load(path(), table).status, Status::Missing);
    QVERIFY(table == Archivio());
}

void TestSeatingFile::folderIsUnreadableNotMissing()
{
    QVERIFY(QDir(m_dir->path()).mkdir(SeatingFile::fileName()));
    Archivio table = numberedTable(Archivio::Rows);
    const LoadResult result = SeatingFile::load(path(), table);
    QCOMPARE(result.status, Status::Unreadable);
    QVERIFY(!result.errorString.isEmpty());
    QVERIFY(table == Archivio());
}

void TestSeatingFile::unstorableCellFailsSave_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("polish") << 0 << QStringLiteral("Łukasz") << "U+0141";
    QTest::newRow("emoji") << 0 << QStringLiteral("Ugo 😀") << "U+D83D";
    QTest::newRow("comma") << 0 << QStringLiteral("Rossi, Mario") << "virgola";
    QTest::newRow("line feed") << 0 << QStringLiteral("Ugo\nBassi") << "U+000A";
    QTest::newRow("comma in position") << 1 << QStringLiteral("1,2") << "virgola";
}

void TestSeatingFile::unstorableCellFailsSave()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const QByteArray old = fileOf(numberedLines());
    writeFile(old);
    Archivio table;
    table.setCell(200, column, text);
    const Archivio before = table;
    QString error;
    QVERIFY(!SeatingFile::save(path(), table, &error));
    QVERIFY2(error.contains(QStringLiteral("riga 201")) && error.contains(reason),
             qPrintable(error));
    QCOMPARE(readFile(), old);
    QVERIFY(table == before); // no stand-ins for empty cells either
}

void TestSeatingFile::saveIntoVanishedFolderFails()
{
    const QString folder = m_dir->filePath(QStringLiteral("gone"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QDir().rmdir(folder));
    Archivio table;
    QString error;
    QVERIFY(!SeatingFile::save(folder + QStringLiteral("/Posti.bq"), table, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(folder));
}

void TestSeatingFile::saveOverFolderFails()
{
    QVERIFY(QDir(m_dir->path()).mkdir(SeatingFile::fileName()));
    Archivio table;
    QString error;
    QVERIFY(!SeatingFile::save(path(), table, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path()).isDir());
}

#ifdef Q_OS_UNIX
// Runs work in a child process and returns how it ended, as waitpid reports it.
template <typename Work> static int statusOfChild(Work work)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(work());
    int status = -1;
    waitpid(pid, &status, 0);
    return status;
}
#endif

void TestSeatingFile::fullDiskKeepsOldFile()
{
#ifdef Q_OS_UNIX
    const QByteArray old = fileOf(numberedLines());
    writeFile(old);
    const int status = statusOfChild([this, &old] {
        // A file size limit below the new file's size acts as a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(old.size() / 2), rlim_t(old.size() / 2)};
        setrlimit(RLIMIT_FSIZE, &limit);
        Archivio table = numberedTable(Archivio::Rows);
        table.setCell(0, 0, QStringLiteral("Un nome più lungo di prima"));
        QString error;
        return !SeatingFile::save(path(), table, &error) && !error.isEmpty() ? 0 : 1;
    });
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(readFile(), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{SeatingFile::fileName()});
#else
    QSKIP("needs fork() and a file size limit");
#endif
}

void TestSeatingFile::killedSaveLeavesOldOrNewFile()
{
#ifdef Q_OS_UNIX
    Archivio first = numberedTable(Archivio::Rows);
    Archivio second;
    const QByteArray firstBytes = SeatingFile::serialize(first);
    const QByteArray secondBytes = SeatingFile::serialize(second);
    QVERIFY(SeatingFile::save(path(), first));
    for (int round = 0; round < 30; ++round) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (;;) {
                SeatingFile::save(path(), second);
                SeatingFile::save(path(), first);
            }
        }
        QThread::usleep(QRandomGenerator::global()->bounded(500, 20000));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        const QByteArray bytes = readFile();
        QVERIFY2(bytes == firstBytes || bytes == secondBytes, qPrintable(QString::number(round)));
    }
#else
    QSKIP("needs fork() and kill()");
#endif
}

void TestSeatingFile::backupNeverReplacesEarlierCopy()
{
    const QByteArray original = fileOf(numberedLines());
    writeFile(original);
    QFile(path() + QStringLiteral(".bak.2")).open(QIODevice::WriteOnly); // a gap is fine
    QString error;
    QCOMPARE(SeatingFile::backupOriginal(path(), &error), path() + QStringLiteral(".bak"));
    writeFile("changed");
    QCOMPARE(SeatingFile::backupOriginal(path(), &error), path() + QStringLiteral(".bak.3"));
    QCOMPARE(SeatingFile::backupOriginal(path(), &error), path() + QStringLiteral(".bak.4"));

    const auto contents = [this](const char *suffix) {
        QFile file(path() + QLatin1String(suffix));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    };
    QCOMPARE(contents(".bak"), original);
    QCOMPARE(contents(".bak.2"), QByteArray());
    QCOMPARE(contents(".bak.3"), QByteArray("changed"));
    QVERIFY(QFile::remove(path()));
    QCOMPARE(SeatingFile::backupOriginal(path(), &error), QString());
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestSeatingFile)
#include "tst_seatingfile.moc"
