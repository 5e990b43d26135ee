// SPDX-License-Identifier: GPL-3.0-or-later
// The rules file apart from the disk: what it holds byte for byte, and what a
// damaged, foreign or newer file is read as.

#include "rulesfile.h"
#include "testmain.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Kind = RulesFile::Problem::Kind;

namespace {

const QByteArray Comment =
    "# Una regola per riga, i campi separati da un tabulatore: classe (1-10),\r\n"
    "# regola, posto dell'alunno (1-30) e nome, poi per \"separati\" e \"compagni di\r\n"
    "# banco\" posto e nome dell'altro alunno, per \"davanti\" le file (1-4), per\r\n"
    "# \"banco fisso\" il banco (1-30).\r\n";

RuleBook book()
{
    RuleBook book;
    book.setRules(1, {{SeatingRule::separati(0, 29), u"Rossi Anna"_s, u"Bianchi Luca"_s},
                      {SeatingRule::davanti(4, 4), u"Verdi Ètore"_s, {}}});
    book.setRules(10, {{SeatingRule::compagni(3, 2), u"Neri\tAldo"_s, u"Gialli Eva"_s},
                       {SeatingRule::bancoFisso(29, 0), u"Zeta Ugo"_s, {}}});
    return book;
}

} // namespace

class TestRulesFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void damagedLines_data();
    void damagedLines();
};

// Byte for byte, first and last class, slot and desk; a tab in a name
// becomes a space, which is all the round trip changes.
void TestRulesFile::roundTrip()
{
    const QByteArray bytes = RulesFile::serialize(book());
    QCOMPARE(bytes, "Posti-regole versione 1\r\n" + Comment +
                        "1\tseparati\t1\tRossi Anna\t30\tBianchi Luca\r\n"
                        "1\tdavanti\t5\tVerdi \xC3\x88tore\t4\r\n"
                        "10\tcompagni di banco\t4\tNeri Aldo\t3\tGialli Eva\r\n"
                        "10\tbanco fisso\t30\tZeta Ugo\t1\r\n");
    const RulesFile::ReadResult read = RulesFile::parse(bytes);
    QVERIFY(read.problems.isEmpty());
    QCOMPARE(read.version, 1);
    RuleBook expected = book();
    ClassRules tenth = expected.rules(10);
    tenth[0].name = u"Neri Aldo"_s;
    expected.setRules(10, tenth);
    QVERIFY(read.book == expected);
    QCOMPARE(RulesFile::serialize(RuleBook()), "Posti-regole versione 1\r\n" + Comment);
}

// Every damaged line costs that line only; a mark and LF ends cost nothing;
// a newer version keeps what it understands and allows fields added after.
void TestRulesFile::damagedLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("version");
    QTest::addColumn<QList<int>>("problems"); // kind * 100 + line
    QTest::addColumn<int>("rulesKept");       // of class 2

    const QByteArray good = "2\tdavanti\t1\tA\t2\n";
    const QByteArray head = "Posti-regole versione 1\n";
    auto p = [](Kind kind, int line) {
        return int(kind) * 100 + line;
    };
    QTest::newRow("mark and LF") << QByteArray("\xEF\xBB\xBF" + head + good) << 1 << QList<int>{}
                                 << 1;
    QTest::newRow("no header") << QByteArray(good + good) << 1
                               << QList<int>{p(Kind::NoHeader, 1), p(Kind::Duplicate, 2)} << 1;
    QTest::newRow("empty file") << QByteArray() << 1 << QList<int>{p(Kind::NoHeader, 1)} << 0;
    const QList<QByteArray> bad = {
        "0\tdavanti\t1\tA\t2",      "11\tdavanti\t1\tA\t2",
        "2\tdavanti\t0\tA\t2",      "2\tdavanti\t31\tA\t2",
        "2\tdavanti\t1\tA\t0",      "2\tdavanti\t1\tA\t5",
        "2\tbanco fisso\t1\tA\t31", "2\tseparati\t1\tA\t1\tA",
        "2\tseparati\t1\tA\t2",     "2\tdavanti\t1\tA\t2\textra",
        "2\tDavanti\t1\tA\t2",      "2\tdavanti\t01\tA\t2",
        "2 davanti 1 A 2",          "2\tmai compagni\t1\tA\t2\tB",
    };
    for (const QByteArray &line : bad) {
        QTest::newRow(line.constData())
            << QByteArray(head + line + "\r\n" + good) << 1 << QList<int>{p(Kind::BadLine, 2)} << 1;
    }
    QTest::newRow("not UTF-8") << QByteArray(head + "2\tdavanti\t2\t\xE8\t2\n" + good) << 1
                               << QList<int>{p(Kind::NotUtf8, 2)} << 1;
    QTest::newRow("same pair both ways")
        << QByteArray(head + "2\tseparati\t1\tA\t2\tB\n2\tseparati\t2\tB\t1\tA\n") << 1
        << QList<int>{p(Kind::Duplicate, 3)} << 1;
    QTest::newRow("newer")
        << QByteArray(
               "Posti-regole versione 2\n2\tdavanti\t1\tA\t2\tnuovo\n2\taccanto\t1\tA\t2\tB\n")
        << 2 << QList<int>{p(Kind::BadLine, 3)} << 1;
}

void TestRulesFile::damagedLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    QFETCH(QList<int>, problems);
    QFETCH(int, rulesKept);
    const RulesFile::ReadResult read = RulesFile::parse(bytes);
    QList<int> found;
    for (const RulesFile::Problem &problem : read.problems)
        found.append(int(problem.kind) * 100 + problem.line);
    QCOMPARE(found, problems);
    QCOMPARE(read.version, version);
    QCOMPARE(read.isNewer(), version > 1);
    QCOMPARE(read.book.rules(2).size(), rulesKept);
}

POSTI_TEST_MAIN(TestRulesFile)
#include "tst_rulesfile.moc"
