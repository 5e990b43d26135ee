#include "cp1252.h"

#include <QStringDecoder>
#include <QTest>

class TestCp1252 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips();
    void decodesLikeWindows_data();
    void decodesLikeWindows();
    void agreesWithSystemCodec();
    void refusesWhatHasNoByte_data();
    void refusesWhatHasNoByte();
};

static QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

void TestCp1252::everyByteRoundTrips()
{
    const QString text = Cp1252::decode(allBytes());
    QCOMPARE(text.size(), 256);
    QCOMPARE(Cp1252::firstUnencodable(text), -1);
    QCOMPARE(Cp1252::encode(text).value_or("failed"), allBytes());
}

void TestCp1252::decodesLikeWindows_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Anna B.") << QStringLiteral("Anna B.");
    QTest::newRow("grave") << QByteArray("Niccol\xF2") << QStringLiteral("Niccolò");
    QTest::newRow("diaeresis") << QByteArray("Zo\xEB") << QStringLiteral("Zoë");
    QTest::newRow("euro") << QByteArray("\x80uro") << QStringLiteral("€uro");
    QTest::newRow("quotes") << QByteArray("\x91\x92\x93\x94") << QStringLiteral("‘’“”");
    QTest::newRow("high table ends") << QByteArray("\x8A\x9F") << QStringLiteral("ŠŸ");
    QTest::newRow("latin-1 ends") << QByteArray("\xA0\xFF") << QStringLiteral("\u00A0ÿ");
    QTest::newRow("undefined") << QByteArray("\x81\x8D\x8F\x90\x9D")
                               << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
}

void TestCp1252::decodesLikeWindows()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp1252::decode(bytes), text);
    QCOMPARE(Cp1252::encode(text).value_or("failed"), bytes);
}

// The table against an independent one, where the system has it.
void TestCp1252::agreesWithSystemCodec()
{
    QStringDecoder system("windows-1252");
    if (!system.isValid()) {
        // What QSKIP does; the macro with one argument trips clang's -Wpedantic.
        QTest::qSkip("this Qt has no Windows-1252 codec to compare with", __FILE__, __LINE__);
        return;
    }
    for (int b = 0x80; b < 0xA0; ++b) {
        const QByteArray byte(1, char(b));
        if (!Cp1252::isUndefined(byte[0]))
            QCOMPARE(Cp1252::decode(byte), system.decode(byte));
    }
}

void TestCp1252::refusesWhatHasNoByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstBad");
    QTest::newRow("polish") << QStringLiteral("Łukasz") << 0;
    QTest::newRow("chinese") << QStringLiteral("Li 李") << 3;
    QTest::newRow("emoji") << QStringLiteral("ok 😀") << 3;
    QTest::newRow("C1 where the euro sits") << QStringLiteral("a\u0080") << 1;
    QTest::newRow("defined C1 slot") << QStringLiteral("ab\u0082") << 2;
}

void TestCp1252::refusesWhatHasNoByte()
{
    QFETCH(QString, text);
    QFETCH(int, firstBad);
    QVERIFY(!Cp1252::encode(text));
    QCOMPARE(Cp1252::firstUnencodable(text), firstBad);
    QVERIFY(!Cp1252::canEncode(text[firstBad]));
}

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
