// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivio.h"
#include "seatingfile.h"
#include "testmain.h"

#include <QTest>
#include <QtCore>

#include <numeric>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using Status = SeatingFile::LoadResult::Status;

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

static const QByteArray freshFile = QByteArray(" ,0\r\n").repeated(Archivio::Rows);

class TestSeatingFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(SeatingFile::fileName()); }

private slots:
    void init() { QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkdir(m_dir.path())); }

    void windowsTextSurvivesReload()
    {
        Archivio table;
        table.setCell(5, Archivio::PositionColumn, QString());
        QVERIFY(SeatingFile::save(path(), table));
        QCOMPARE(readFile(path()), freshFile);
        QCOMPARE(table.cell(0, Archivio::PositionColumn), "0");

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
        QCOMPARE(table.cell(2, 0), QStringLiteral("€uro")); // Windows-1252, not Latin-1
        QCOMPARE(table.cell(Archivio::row(3, Archivio::ClassNameSlot), 0), QStringLiteral("3B"));
        QVERIFY(SeatingFile::save(path(), table));
        lines[3] = "Anna Maria,3";
        QCOMPARE(readFile(path()), fileOf(lines));
        QCOMPARE(SeatingFile::load(path(), table).status, Status::Loaded); // its own file is clean
    }

    // A damaged line costs its own row only: every other row stays where it belongs.
    void damageCostsOnlyItsRows_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("damaged"); // the rows reported, in order
        QTest::addColumn<QByteArray>("reads");   // what each of them saves as

        const QByteArray good = fileOf(numberedLines()), reset = " ,0";
        const auto edit = [&](const char *before, const char *after) {
            return QByteArray(good).replace(before, after);
        };
        QList<int> all(Archivio::Rows);
        std::iota(all.begin(), all.end(), 0);
        const QList<int> none, row12{12};
        QTest::newRow("short") << fileOf(numberedLines(300)) << all.mid(300) << reset;
        QTest::newRow("extra lines") << good + "a,1\r\nb,2\r\n" << none << reset;
        QTest::newRow("no comma: a name, desk blank")
            << edit("Nome12,11", "  Nome12 7 ") << row12 << QByteArray("Nome12 7,0");
        QTest::newRow("empty line") << edit("Nome12,11", "") << row12 << reset;
        QTest::newRow("only spaces") << edit("Nome12,11", "   ") << row12 << reset;
        QTest::newRow("word position")
            << edit("12,11", "12,sette") << row12 << QByteArray("Nome12,0");
        QTest::newRow("past 16 bits")
            << edit("12,11", "12,32768") << row12 << QByteArray("Nome12,0");
        QTest::newRow("empty position")
            << edit("Nome12,11", "Nome12,") << row12 << QByteArray("Nome12,0");
        QTest::newRow("two commas")
            << edit("Nome12,11", "Bellini, Anna, 3") << row12 << QByteArray("Bellini  Anna,3");
        QTest::newRow("commas and quotes") << edit("Nome12,11", " \"Rossi, Mario\",\"2B\", -1")
                                           << row12 << QByteArray("Rossi  Mario   2B,-1");
        QTest::newRow("two commas, no position")
            << edit("Nome12,11", "Rossi,Mario,sette") << row12 << QByteArray("Rossi Mario,0");
        QTest::newRow("undefined byte")
            << edit("Nome12,", "Nome\x81,") << row12 << QByteArray("Nome\x81,11");
        QTest::newRow("lone LF") << edit("12,11\r\n", "12,11\n") << none << reset;
        QTest::newRow("lone CR") << edit("12,11\r\n", "12,11\r") << none << reset;
        QTest::newRow("every line without a comma")
            << QByteArray("x\r\n").repeated(400) << all << QByteArray("x,0");
        QTest::newRow("name longer than a box holds")
            << edit("Nome12,", QByteArray(40000, 'x') + ",") << row12
            << QByteArray(SeatingFile::MaxNameLength, 'x') + ",11";
    }

    void damageCostsOnlyItsRows()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, damaged);
        QFETCH(QByteArray, reads);
        QByteArrayList expected = numberedLines();
        for (int row : damaged)
            expected[row] = reads;
        Archivio table;
        SeatingFile::parse(fileOf(numberedLines()), table); // the load must start afresh
        const auto result = SeatingFile::parse(file, table);
        QCOMPARE(result.status, Status::Damaged);
        QCOMPARE(SeatingFile::serialize(table), fileOf(expected));
        QCOMPARE(result.damagedRows, damaged);
        QVERIFY(!result.problems.isEmpty() && result.problems.size() <= 13);
    }

    // A file an editor saved in UTF-8 reads as the teacher wrote it, and says
    // so; what Windows-1252 cannot hold costs its line, and is named. A
    // mended line is told where it is and what it became.
    void firstLineReads_data()
    {
        QTest::addColumn<QByteArray>("line"); // the first of a good file
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem"); // empty: none
        const QString utf8("UTF-8");
        QTest::newRow("mark, plain text") << QByteArray("\xEF\xBB\xBF"
                                                        "Anna,2")
                                          << "Anna" << utf8;
        QTest::newRow("no mark, accent") << QByteArray("Niccol\xC3\xB2,2") << "Niccolò" << utf8;
        QTest::newRow("class name") << QByteArray("3\xC2\xAA B,2") << "3ª B" << utf8;
        QTest::newRow("outside the code page") << QByteArray("\xC5\x81ukasz,2") << ""
                                               << "riga 1: contiene «Ł» (U+0141)";
        QTest::newRow("outside 16 bits") << QByteArray("Ugo \xF0\x9F\x98\x80,2") << ""
                                         << "riga 1: contiene «😀» (U+1F600)";
        QTest::newRow("Windows-1252 accent") << QByteArray("Niccol\xF2,2") << "Niccolò"
                                             << "";
        QTest::newRow("not valid UTF-8") << QByteArray("Niccol\xC3\xB2\xF2,2") << "NiccolÃ²ò"
                                         << "";
        QTest::newRow("no comma")
            << QByteArray("Nome0 7") << "Nome0 7"
            << "riga 1: manca la virgola: letta come nome «Nome0 7», banco vuoto";
        QTest::newRow("two commas")
            << QByteArray("\"Bellini, Anna\",3") << "Bellini  Anna"
            << "riga 1: più di una virgola: letta come nome «Bellini  Anna» (virgole e "
               "virgolette diventate spazi), posizione 3";
    }

    void firstLineReads()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QByteArrayList lines = numberedLines();
        lines[0] = line;
        Archivio table;
        const auto result = SeatingFile::parse(fileOf(lines), table);
        QCOMPARE(table.cell(0, Archivio::NameColumn), name);
        QCOMPARE(table.cell(1, Archivio::NameColumn), QStringLiteral("Nome1"));
        QCOMPARE(result.problems.join('\n').contains(problem), true);
        QCOMPARE(result.status, problem.isEmpty() ? Status::Loaded : Status::Damaged);
    }

    // No file is a fresh table; a folder in its place is not a file, not missing.
    void noFileInPlace()
    {
        Archivio table;
        SeatingFile::parse(fileOf(numberedLines()), table);
        QCOMPARE(SeatingFile::load(path(), table).status, Status::Missing);
        QVERIFY(table == Archivio());
        QString error;
        QVERIFY(!SeatingFile::save(m_dir.filePath("gone/Posti.bq"), table, &error) &&
                !error.isEmpty());

        QVERIFY(QDir().mkdir(path()));
        SeatingFile::parse(fileOf(numberedLines()), table);
        const auto result = SeatingFile::load(path(), table);
        QVERIFY(result.status == Status::NotAFile && !result.errorString.isEmpty());
        QVERIFY(table == Archivio());
        error.clear();
        QVERIFY(!SeatingFile::save(path(), table, &error) && !error.isEmpty());
#ifdef Q_OS_UNIX
        // Opened, a FIFO would wait for a writer for ever: neither read nor copied.
        const QString fifo = m_dir.filePath("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(SeatingFile::load(fifo, table).status, Status::NotAFile);
        QVERIFY(SeatingFile::backupOriginal(fifo, &error).isEmpty());
        QVERIFY(!SeatingFile::save(fifo, table) && QFileInfo(fifo).isSymLink() == false &&
                !QFileInfo(fifo).isFile());
#endif
    }

    void unstorableCellFailsSave_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("comma") << QStringLiteral("Rossi, Mario");
        QTest::newRow("not in the code page") << QStringLiteral("Łukasz");
        QTest::newRow("line break") << QStringLiteral("Rossi\rMario");
    }

    void unstorableCellFailsSave()
    {
        QFETCH(QString, name);
        writeFile(path(), freshFile);
        Archivio table;
        table.setCell(200, 0, name);
        QString error;
        QVERIFY2(!SeatingFile::save(path(), table, &error) && error.contains("riga 201"),
                 qPrintable(error));
        QCOMPARE(readFile(path()), freshFile);
    }

    // Neither a full disk nor a kill mid-save leaves anything but the old or the new bytes.
    void saveIsAllOrNothing()
    {
#ifdef Q_OS_UNIX
        Archivio numbered, fresh;
        SeatingFile::parse(fileOf(numberedLines()), numbered);
        const QByteArrayList oldOrNew{fileOf(numberedLines()), freshFile};
        QVERIFY(SeatingFile::save(path(), numbered));
        if (fork() == 0) {
            // A file size limit below the new file's size acts as a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
            QString error;
            _exit(!SeatingFile::save(path(), fresh, &error) && !error.isEmpty() ? 0 : 1);
        }
        int status = -1;
        wait(&status);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(readFile(path()), oldOrNew[0]);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{SeatingFile::fileName()});

        for (int round = 0; round < 30; ++round) {
            const pid_t pid = fork();
            if (pid == 0) // the child saves until it is killed
                for (int i = 0;; ++i)
                    SeatingFile::save(path(), i % 2 ? numbered : fresh);
            usleep(useconds_t(500 + 600 * round));
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            QVERIFY2(oldOrNew.contains(readFile(path())), qPrintable(QString::number(round)));
        }
#else
        QSKIP("needs fork(), kill() and a file size limit");
#endif
    }

    void backupNeverReplacesEarlierCopy()
    {
        writeFile(path(), freshFile);
        const QString bak = path() + ".bak", other = m_dir.filePath("other");
        QCOMPARE(SeatingFile::backupOriginal(path()), bak);
        writeFile(path(), "changed");
        QCOMPARE(SeatingFile::backupOriginal(path()), bak + ".2");
        QCOMPARE(readFile(bak), freshFile);
        QCOMPARE(readFile(bak + ".2"), QByteArray("changed"));
        QVERIFY(QDir().mkdir(other));
        QCOMPARE(SeatingFile::backupOriginal(path(), other), other + "/Posti.bq.bak");
        QCOMPARE(readFile(other + "/Posti.bq.bak"), QByteArray("changed"));
    }
};

POSTI_TEST_MAIN(TestSeatingFile)
#include "tst_seatingfile.moc"
