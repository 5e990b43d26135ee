// SPDX-License-Identifier: GPL-3.0-or-later
// The seating file: its format byte for byte, what a damaged one becomes and
// how the damage is told, and the file on the disk.

#include "archivio.h"
#include "keepermessages.h"
#include "seatingdisk.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <numeric>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using Status = SeatingDisk::LoadResult::Status;

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

// The lines of the start-up message that list the damage.
static QStringList toldLines(const QList<SeatingFile::Problem> &problems)
{
    return KeeperMessages::damaged(u"Posti.bq"_s, problems).split(u"\n- "_s).mid(1);
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
        QVERIFY(SeatingDisk::save(path(), table));
        QCOMPARE(readFile(path()), freshFile);

        QByteArrayList lines = numberedLines();
        lines[0] = "Niccol\xF2,-1";
        lines[1] = "Zo\xEB,7";
        lines[2] = "\x80uro,2";
        lines[3] = "  Anna Maria  ,  3"; // spaces go; a tab is text and stays
        lines[4] = "\tUgo,5";
        lines[62] = "Primo,2"; // tab 3, pupil 1
        lines[92] = "3B,0";    // tab 3, class name
        writeFile(path(), fileOf(lines));
        QCOMPARE(SeatingDisk::load(path(), table).status, Status::Loaded);
        QCOMPARE(table.cell(2, 0), u"€uro"_s); // Windows-1252, not Latin-1
        QCOMPARE(table.cell(Archivio::row(3, Archivio::ClassNameSlot), 0), u"3B"_s);
        QVERIFY(SeatingDisk::save(path(), table));
        lines[3] = "Anna Maria,3";
        QCOMPARE(readFile(path()), fileOf(lines));
        QCOMPARE(SeatingDisk::load(path(), table).status, Status::Loaded); // its own file is clean
    }

    // A damaged line costs its own row only: every other row stays where it
    // belongs. What was wrong is told line by line, where and what it became;
    // a file with nothing wrong tells nothing.
    void damageIsMendedAndTold_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("rows");  // the rows that read otherwise
        QTest::addColumn<QByteArray>("reads"); // what each of them saves as
        QTest::addColumn<QStringList>("told");

        const QByteArray good = fileOf(numberedLines()), reset = " ,0";
        const auto edit = [&](const char *before, const QByteArray &after) {
            return QByteArray(good).replace(before, after);
        };
        QList<int> all(Archivio::Rows);
        std::iota(all.begin(), all.end(), 0);
        const QList<int> none, row0{0}, row12{12};
        const QString utf8 = u"il file era scritto in UTF-8 da un altro programma: è stato letto "
                             "come tale, e alla chiusura verrà riscritto in Windows-1252 come "
                             "sempre"_s;
        const QString oneEnd = u"una riga non termina con CR LF: letta lo stesso"_s;
        const auto noComma = [](int line, const QString &name) {
            return u"riga %1: manca la virgola: letta come nome «%2», banco vuoto"_s.arg(line).arg(
                name);
        };
        QTest::newRow("310 lines") << good << none << reset << QStringList();
        QTest::newRow("309 lines") << fileOf(numberedLines(309)) << QList<int>{309} << reset
                                   << QStringList{u"il file ha solo 309 righe su 310: le altre "
                                                  "sono vuote"_s};
        QTest::newRow("311 lines")
            << good + "a,1\r\n"
            << none << reset
            << QStringList{u"il file ha una riga in più delle 310 previste: ignorata"_s};
        QTest::newRow("empty") << QByteArray() << all << reset << QStringList{u"il file è vuoto"_s};
        QTest::newRow("last line without CR LF")
            << good.chopped(2) << none << reset << QStringList{oneEnd};
        QTest::newRow("lone CR") << edit("12,11\r\n", "12,11\r") << none << reset
                                 << QStringList{oneEnd};
        QTest::newRow("LF line ends")
            << QByteArray(good).replace("\r\n", "\n") << none << reset
            << QStringList{u"310 righe non terminano con CR LF: lette lo stesso"_s};
        QTest::newRow("no comma: a name, desk blank")
            << edit("Nome12,11", "  Nome12 7 ") << row12 << QByteArray("Nome12 7,0")
            << QStringList{noComma(13, u"Nome12 7"_s)};
        QTest::newRow("empty line")
            << edit("Nome12,11", "") << row12 << reset << QStringList{u"riga 13: riga vuota"_s};
        QTest::newRow("spaces around a position")
            << edit("12,11", "12,  11  ") << none << reset << QStringList();
        QTest::newRow("word position")
            << edit("12,11", "12,sette") << row12 << QByteArray("Nome12,0")
            << QStringList{u"riga 13: posizione «sette» non valida: messa a 0"_s};
        QTest::newRow("past 16 bits")
            << edit("12,11", "12,32768") << row12 << QByteArray("Nome12,0")
            << QStringList{u"riga 13: posizione «32768» non valida: messa a 0"_s};
        QTest::newRow("commas and quotes")
            << edit("Nome12,11", " \"Rossi, Mario\",\"2B\", -1") << row12
            << QByteArray("Rossi  Mario   2B,-1")
            << QStringList{u"riga 13: più di una virgola: letta come nome «Rossi  Mario   2B» "
                           "(virgole e virgolette diventate spazi), posizione -1"_s};
        QTest::newRow("two commas, no position")
            << edit("Nome12,11", "Rossi,Mario,") << row12 << QByteArray("Rossi Mario,0")
            << QStringList{u"riga 13: posizione «» non valida: messa a 0"_s,
                           u"riga 13: più di una virgola: letta come nome «Rossi Mario» (virgole e "
                           "virgolette diventate spazi), posizione 0"_s};
        QTest::newRow("undefined byte")
            << edit("Nome12,", "Nome\x81,") << row12 << QByteArray("Nome\x81,11")
            << QStringList{u"riga 13: caratteri sconosciuti: tenuti come sono"_s};
        QTest::newRow("name longer than a box holds, quoted in part")
            << edit("Nome12,11", QByteArray(40000, 'x')) << row12
            << QByteArray(SeatingFile::MaxNameLength, 'x') + ",0"
            << QStringList{u"riga 13: manca la virgola: letta come nome «%1…», banco vuoto"_s.arg(
                               QString(30, u'x')),
                           u"riga 13: nome di 40000 caratteri, più di quanti ne stiano in una "
                           "casella: tenuti i primi 32767"_s};
        QTest::newRow("UTF-8 mark, plain text")
            << "\xEF\xBB\xBF" + good << none << reset << QStringList{utf8};
        QTest::newRow("UTF-8 mark, twice, before Windows text")
            << "\xEF\xBB\xBF\xEF\xBB\xBF" + edit("Nome0,", "Niccol\xF2,") << row0
            << QByteArray("Niccol\xF2,-1")
            << QStringList{u"il file comincia con il segno che indica UTF-8, ma è scritto in "
                           "Windows-1252: è stato letto come tale, e alla chiusura verrà riscritto "
                           "senza quel segno"_s};
        QTest::newRow("UTF-8 accent, no mark") << edit("Nome0,", "Niccol\xC3\xB2,") << row0
                                               << QByteArray("Niccol\xF2,-1") << QStringList{utf8};
        QTest::newRow("UTF-8 outside the code page")
            << edit("Nome0,", "\xC5\x81ukasz,") << row0 << reset
            << QStringList{utf8, u"riga 1: contiene «Ł» (U+0141), che il file non può contenere: "
                                 "riga non letta"_s};
        QTest::newRow("UTF-8 outside 16 bits")
            << edit("Nome0,", "Ugo \xF0\x9F\x98\x80,") << row0 << reset
            << QStringList{utf8, u"riga 1: contiene «😀» (U+1F600), che il file non può "
                                 "contenere: riga non letta"_s};
        QTest::newRow("not valid UTF-8") << edit("Nome0,", "Niccol\xC3\xB2\xF2,") << row0
                                         << QByteArray("Niccol\xC3\xB2\xF2,-1") << QStringList();
        // Ten rows are listed, the rest counted.
        QStringList ten;
        for (int line = 1; line <= 10; ++line)
            ten << noComma(line, u"x"_s);
        const auto withoutCommas = [](int count) {
            QByteArrayList lines = numberedLines();
            std::fill_n(lines.begin(), count, QByteArray("x"));
            return fileOf(lines);
        };
        QTest::newRow("ten damaged rows")
            << withoutCommas(10) << all.first(10) << QByteArray("x,0") << ten;
        QTest::newRow("eleven") << withoutCommas(11) << all.first(11) << QByteArray("x,0")
                                << ten + QStringList{u"… e un altro problema"_s};
        QTest::newRow("every line without a comma")
            << QByteArray("x\r\n").repeated(400) << all << QByteArray("x,0")
            << QStringList{u"il file ha 90 righe in più delle 310 previste: ignorate"_s} + ten +
                   QStringList{u"… e altri 300 problemi"_s};
    }

    void damageIsMendedAndTold()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, rows);
        QFETCH(QByteArray, reads);
        QFETCH(QStringList, told);
        QByteArrayList expected = numberedLines();
        for (int row : rows)
            expected[row] = reads;
        Archivio table;
        SeatingFile::parse(fileOf(numberedLines(300)), table); // the read must start afresh
        writeFile(path(), file);
        const SeatingDisk::LoadResult loaded = SeatingDisk::load(path(), table);
        QCOMPARE(loaded.status, told.isEmpty() ? Status::Loaded : Status::Damaged);
        QCOMPARE(SeatingFile::serialize(table), fileOf(expected));
        QCOMPARE(toldLines(loaded.problems), told);
    }

    // No file is a fresh table; a folder in its place is not a file, not
    // missing. (What the teacher is told of them is the keeper test's.)
    void noFileInPlace()
    {
        Archivio table;
        SeatingFile::parse(fileOf(numberedLines()), table);
        QCOMPARE(SeatingDisk::load(path(), table).status, Status::Missing);
        QCOMPARE(table, Archivio());
        QVERIFY(QDir().mkdir(path()));
        SeatingFile::parse(fileOf(numberedLines()), table);
        QCOMPARE(SeatingDisk::load(path(), table).status, Status::NotAFile);
        QCOMPARE(table, Archivio());
#ifdef Q_OS_UNIX
        // Opened, a FIFO would wait for a writer for ever: neither read nor copied.
        const QString fifo = m_dir.filePath(u"fifo"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(SeatingDisk::load(fifo, table).status, Status::NotAFile);
        QCOMPARE(SeatingDisk::backupOriginal(fifo), QString());
#endif
    }

    void unstorableCellFailsSave_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("comma") << 0 << u"Rossi, Mario"_s
                               << u"riga 201: il nome «Rossi, Mario» contiene una virgola"_s;
        QTest::newRow("not in the code page")
            << 0 << u"Łukasz"_s
            << u"riga 201: il nome «Łukasz» contiene un carattere che il file non può contenere "
               "(U+0141)"_s;
        QTest::newRow("line break in a position")
            << 1 << u"1\r"_s
            << u"riga 201: la posizione «1\r» contiene un carattere che il file non può "
               "contenere (U+000D)"_s;
    }

    void unstorableCellFailsSave()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, error);
        writeFile(path(), freshFile);
        Archivio table;
        table.setCell(200, column, text);
        QString said;
        QVERIFY(!SeatingDisk::save(path(), table, &said));
        QCOMPARE(said, error);
        QCOMPARE(readFile(path()), freshFile);
    }

    // Neither a full disk nor a kill mid-save leaves anything but the old or the new bytes.
    void saveIsAllOrNothing()
    {
#ifdef Q_OS_UNIX
        Archivio numbered, fresh;
        SeatingFile::parse(fileOf(numberedLines()), numbered);
        const QByteArrayList oldOrNew{fileOf(numberedLines()), freshFile};
        QVERIFY(SeatingDisk::save(path(), numbered));
        if (fork() == 0) {
            // A file size limit below the new file's size acts as a full disk.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            setrlimit(RLIMIT_FSIZE, &limit);
            QString error;
            _exit(!SeatingDisk::save(path(), fresh, &error) && !error.isEmpty() ? 0 : 1);
        }
        int status = -1;
        wait(&status);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readFile(path()), oldOrNew[0]);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{SeatingFile::fileName()});

        for (int round = 0; round < 30; ++round) {
            const pid_t pid = fork();
            if (pid == 0) // the child saves until it is killed
                for (int i = 0;; ++i)
                    SeatingDisk::save(path(), i % 2 ? numbered : fresh);
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
        const QString bak = path() + u".bak"_s, other = m_dir.filePath(u"other"_s);
        QCOMPARE(SeatingDisk::backupOriginal(path()), bak);
        writeFile(path(), "changed");
        QCOMPARE(SeatingDisk::backupOriginal(path()), bak + u".2"_s);
        QCOMPARE(readFile(bak), freshFile);
        QCOMPARE(readFile(bak + u".2"_s), QByteArray("changed"));
        QCOMPARE(SeatingDisk::backupOriginal(path()), bak + u".2"_s); // the same bytes: no .3
        QVERIFY(!QFileInfo::exists(bak + u".3"_s));
        QVERIFY(QDir().mkdir(other));
        QCOMPARE(SeatingDisk::backupOriginal(path(), other), other + u"/Posti.bq.bak"_s);
        QCOMPARE(readFile(other + u"/Posti.bq.bak"_s), QByteArray("changed"));
    }
};

POSTI_TEST_MAIN(TestSeatingFile)
#include "tst_seatingfile.moc"
