#include "archivio.h"
#include "seatingfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    void windowsTextSurvivesReload();
    void damageCostsOnlyItsRows_data();
    void damageCostsOnlyItsRows();
    void noFileInPlace();
    void unstorableCellFailsSave_data();
    void unstorableCellFailsSave();
    void saveIsAllOrNothing();
    void backupNeverReplacesEarlierCopy();

private:
    QString path() const { return m_dir->filePath(SeatingFile::fileName()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

static QByteArray fileOf(const QByteArrayList &lines)
{
    return lines.isEmpty() ? QByteArray() : lines.join("\r\n") + "\r\n";
}

// Distinct rows, so a shifted row cannot go unnoticed.
static QByteArrayList numberedLines(int count = Archivio::Rows)
{
    QByteArrayList lines;
    for (int row = 0; row < count; ++row)
        lines.append("Nome" + QByteArray::number(row) + "," + QByteArray::number(row % 32 - 1));
    return lines;
}

// Every row of table as "name,position".
static QByteArrayList cellsOf(const Archivio &table)
{
    QByteArrayList rows;
    for (int row = 0; row < Archivio::Rows; ++row)
        rows.append((table.cell(row, 0) + u',' + table.cell(row, 1)).toLatin1());
    return rows;
}

static QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

static void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

void TestSeatingFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSeatingFile::windowsTextSurvivesReload()
{
    Archivio table;
    QVERIFY(SeatingFile::save(path(), table));
    QCOMPARE(readFile(path()), QByteArray(" ,0\r\n").repeated(Archivio::Rows));

    QByteArrayList lines = numberedLines();
    lines[0] = "Niccol\xF2,-1";
    lines[1] = "Zo\xEB,7";
    lines[2] = "\x80uro,2";
    lines[3] = "  Anna Maria  ,  3"; // spaces go; a tab is text and stays
    lines[4] = "\tUgo,5";
    lines[62] = "Primo,2"; // tab 3, pupil 1
    lines[92] = "3B,0";    // tab 3, class name
    writeFile(path(), fileOf(lines));
    QCOMPARE(SeatingFile::load(path(), table).status, Status::Loaded);
    QCOMPARE(table.cell(0, 0), QStringLiteral("Niccolò"));
    QCOMPARE(table.cell(2, 0), QStringLiteral("€uro"));
    QCOMPARE(table.cell(3, 0), QStringLiteral("Anna Maria"));
    QCOMPARE(table.cell(0, 1), QStringLiteral("-1"));
    QCOMPARE(table.cell(Archivio::row(3, Archivio::ClassNameSlot), 0), QStringLiteral("3B"));
    QCOMPARE(table.cell(Archivio::row(3, 0), 0), QStringLiteral("Primo"));
    QVERIFY(SeatingFile::save(path(), table));
    lines[3] = "Anna Maria,3";
    QCOMPARE(readFile(path()), fileOf(lines));
    const LoadResult again = SeatingFile::load(path(), table); // its own file reads clean
    QVERIFY(again.status == Status::Loaded && again.problems.isEmpty());
}

static void damageRow(const char *tag, const QByteArray &file, int linesRead, int row = -1,
                      const QByteArray &reads = {})
{
    QTest::newRow(tag) << file << linesRead << row << reads;
}

// A damaged line costs its own row only: every other row stays where it belongs.
void TestSeatingFile::damageCostsOnlyItsRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("linesRead");    // numbered rows the file still has
    QTest::addColumn<int>("row");          // the damaged row, or -1
    QTest::addColumn<QByteArray>("reads"); // what that row reads as

    const auto damaged = [](const QByteArray &line) {
        QByteArrayList lines = numberedLines();
        lines[12] = line;
        return fileOf(lines);
    };
    const QByteArray good = fileOf(numberedLines());
    damageRow("short", fileOf(numberedLines(300)), 300);
    damageRow("extra lines", good + "a,1\r\nb,2\r\n", 310);
    damageRow("no comma", damaged("Nome12 7"), 310, 12, ",0");
    damageRow("empty line", damaged(""), 310, 12, ",0");
    damageRow("word position", damaged("Nome12,sette"), 310, 12, "Nome12,0");
    damageRow("two commas", damaged("Rossi, Mario,7"), 310, 12, ",0");
    damageRow("undefined byte", damaged("Nome\x81,7"), 310, 12, "Nome\x81,7");
    damageRow("lone LF", QByteArray(good).replace("Nome13,12\r\n", "Nome13,12\n"), 310);
    damageRow("lone CR", QByteArray(good).replace("Nome13,12\r\n", "Nome13,12\r"), 310);
    damageRow("every line bad", QByteArray("x\r\n").repeated(400), 0);
}

void TestSeatingFile::damageCostsOnlyItsRows()
{
    QFETCH(QByteArray, file);
    QFETCH(int, linesRead);
    QFETCH(int, row);
    QFETCH(QByteArray, reads);

    QByteArrayList expected = numberedLines(linesRead);
    QList<int> damagedRows;
    for (int r = linesRead; r < Archivio::Rows; ++r) {
        expected.append(",0");
        damagedRows.append(r);
    }
    if (row >= 0) {
        expected[row] = reads;
        damagedRows.prepend(row);
    }
    Archivio table;
    SeatingFile::parse(fileOf(numberedLines()), table); // the load must start afresh
    const LoadResult result = SeatingFile::parse(file, table);
    QCOMPARE(result.status, Status::Damaged);
    QCOMPARE(cellsOf(table), expected);
    QCOMPARE(result.damagedRows, damagedRows);
    const QString problems = result.problems.join(u'\n');
    QVERIFY2(!result.problems.isEmpty() && result.problems.size() <= 13, qPrintable(problems));
}

// No file is a fresh table; a folder in its place is unreadable, not missing.
void TestSeatingFile::noFileInPlace()
{
    Archivio table;
    SeatingFile::parse(fileOf(numberedLines()), table);
    QCOMPARE(SeatingFile::load(path(), table).status, Status::Missing);
    QVERIFY(table == Archivio());
    QString error;
    QVERIFY(!SeatingFile::save(m_dir->filePath(QStringLiteral("gone/Posti.bq")), table, &error));
    QVERIFY(!error.isEmpty());
    error.clear();

    QVERIFY(QDir(m_dir->path()).mkdir(SeatingFile::fileName()));
    SeatingFile::parse(fileOf(numberedLines()), table);
    const LoadResult result = SeatingFile::load(path(), table);
    QCOMPARE(result.status, Status::Unreadable);
    QVERIFY(!result.errorString.isEmpty() && table == Archivio());
    QVERIFY(!SeatingFile::save(path(), table, &error) && !error.isEmpty());
}

void TestSeatingFile::unstorableCellFailsSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("comma") << QStringLiteral("Rossi, Mario");
    QTest::newRow("not in the code page") << QStringLiteral("Łukasz");
}

void TestSeatingFile::unstorableCellFailsSave()
{
    QFETCH(QString, name);
    const QByteArray old = fileOf(numberedLines());
    writeFile(path(), old);
    Archivio table;
    table.setCell(200, 0, name);
    const Archivio before = table;
    QString error;
    QVERIFY2(!SeatingFile::save(path(), table, &error) &&
                 error.contains(QStringLiteral("riga 201")),
             qPrintable(error));
    QCOMPARE(readFile(path()), old);
    QVERIFY(table == before); // no stand-ins for empty cells either
}

// Neither a full disk nor a kill mid-save leaves anything but the old or the new bytes.
void TestSeatingFile::saveIsAllOrNothing()
{
#ifdef Q_OS_UNIX
    Archivio first, second;
    SeatingFile::parse(fileOf(numberedLines()), first);
    const QByteArray firstBytes = SeatingFile::serialize(first);
    const QByteArray secondBytes = SeatingFile::serialize(second);
    QVERIFY(SeatingFile::save(path(), first));
    const pid_t full = fork();
    if (full == 0) {
        // A file size limit below the new file's size acts as a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        _exit(!SeatingFile::save(path(), second, &error) && !error.isEmpty() ? 0 : 1);
    }
    int status = -1;
    waitpid(full, &status, 0);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(readFile(path()), firstBytes);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{SeatingFile::fileName()});

    for (int round = 0; round < 30; ++round) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (;;) {
                SeatingFile::save(path(), second);
                SeatingFile::save(path(), first);
            }
        }
        usleep(useconds_t(500 + 600 * round));
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        const QByteArray bytes = readFile(path());
        QVERIFY2(bytes == firstBytes || bytes == secondBytes, qPrintable(QString::number(round)));
    }
#else
    QSKIP("needs fork(), kill() and a file size limit");
#endif
}

void TestSeatingFile::backupNeverReplacesEarlierCopy()
{
    const QByteArray original = fileOf(numberedLines());
    writeFile(path(), original);
    const QString bak = path() + QStringLiteral(".bak");
    QCOMPARE(SeatingFile::backupOriginal(path()), bak);
    writeFile(path(), "changed");
    QCOMPARE(SeatingFile::backupOriginal(path()), bak + QStringLiteral(".2"));
    QCOMPARE(readFile(bak), original);
    QCOMPARE(readFile(bak + QStringLiteral(".2")), QByteArray("changed"));

    const QString other = m_dir->filePath(QStringLiteral("other"));
    QVERIFY(QDir().mkdir(other));
    QCOMPARE(SeatingFile::backupOriginal(path(), other), other + QStringLiteral("/Posti.bq.bak"));
    QCOMPARE(readFile(other + QStringLiteral("/Posti.bq.bak")), QByteArray("changed"));
}

QTEST_GUILESS_MAIN(TestSeatingFile)
#include "tst_seatingfile.moc"
