// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1252.h"
#include "testmain.h"

#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

class TestCp1252 : public QObject
{
    Q_OBJECT

private slots:
    // Text and its bytes both ways, or, where firstBad is not -1, text with a
    // character that has no byte.
    void codePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("firstBad");
        QByteArray every(256, 0);
        for (int b = 0; b < 256; ++b)
            every[b] = char(b);
        // Latin-1 but for 0x80 to 0x9F; the five bytes Windows-1252 leaves undefined
        // read as the C1 controls of the same value.
        const QString text = QString::fromLatin1(every).replace(
            0x80, 32, u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_s);
        QTest::newRow("every byte") << text << every << -1;
        QTest::newRow("polish") << u"Łukasz"_s << QByteArray() << 0;
        QTest::newRow("emoji") << u"ok 😀"_s << QByteArray() << 3;
        QTest::newRow("C1 where the euro sits") << u"a\u0080"_s << QByteArray() << 1;
        QTest::newRow("C1 of a defined byte") << u"ab\u0082"_s << QByteArray() << 2;
    }

    void codePage()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(int, firstBad);
        const auto bad = std::find_if_not(text.begin(), text.end(), Cp1252::canEncode);
        QCOMPARE(bad == text.end() ? -1 : int(bad - text.begin()), firstBad);
        QCOMPARE(Cp1252::encode(text).value_or("failed"), firstBad < 0 ? bytes : "failed");
        if (firstBad < 0)
            QCOMPARE(Cp1252::decode(bytes), text);
    }
};

POSTI_TEST_MAIN(TestCp1252)
#include "tst_cp1252.moc"

using namespace Qt::StringLiterals;
