#include "cp1252.h"

#include <QTest>

class TestCp1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void codePage_data();
    void codePage();
};

void TestCp1252::everyByteRoundTrips()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString text = Cp1252::decode(bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(Cp1252::encode(text).value_or("failed"), bytes);
}

// Text and its bytes both ways, or, where firstBad is not -1, text with a
// character that has no byte.
void TestCp1252::codePage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("firstBad");
    QTest::newRow("grave") << QStringLiteral("Niccolò") << QByteArray("Niccol\xF2") << -1;
    // 0x80 to 0x9F, where Windows-1252 differs from Latin-1; the five bytes it leaves
    // undefined read as the C1 controls of the same value.
    QByteArray high;
    for (int b = 0x80; b < 0xA0; ++b)
        high.append(char(b));
    QTest::newRow("0x80 to 0x9F")
        << QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ") << high
        << -1;
    QTest::newRow("latin-1 ends") << QStringLiteral("\u00A0ÿ") << QByteArray("\xA0\xFF") << -1;
    QTest::newRow("polish") << QStringLiteral("Łukasz") << QByteArray() << 0;
    QTest::newRow("emoji") << QStringLiteral("ok 😀") << QByteArray() << 3;
    QTest::newRow("C1 where the euro sits") << QStringLiteral("a\u0080") << QByteArray() << 1;
    QTest::newRow("C1 of a defined byte") << QStringLiteral("ab\u0082") << QByteArray() << 2;
}

void TestCp1252::codePage()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(int, firstBad);
    QCOMPARE(Cp1252::firstUnencodable(text), firstBad);
    if (firstBad < 0) {
        QCOMPARE(Cp1252::decode(bytes), text);
        QCOMPARE(Cp1252::encode(text).value_or("failed"), bytes);
    } else {
        QVERIFY(!Cp1252::encode(text) && !Cp1252::canEncode(text[firstBad]));
    }
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
