// Which names a name box lets the teacher enter, and how a refusal is put.

#include "namevalidator.h"

#include <QTest>

class NameValidatorTest : public QObject
{
    Q_OBJECT

private slots:
    void namesTheFileCanHold_data();
    void namesTheFileCanHold();
    void namesFromTheFileMayKeepTheirCharacters_data();
    void namesFromTheFileMayKeepTheirCharacters();
    void refusalsAreNamed_data();
    void refusalsAreNamed();
};

void NameValidatorTest::namesTheFileCanHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("plain") << QStringLiteral("Rossi") << true;
    QTest::newRow("accented") << QStringLiteral("Niccolò Àlvarez Gesù Perché") << true;
    QTest::newRow("apostrophe") << QStringLiteral("D'Angelo") << true;
    QTest::newRow("inner spaces") << QStringLiteral("Maria  Chiara De Luca") << true;
    QTest::newRow("Windows-1252 extras") << QStringLiteral("Škoda Žana Œuvre Ÿ – € «x» ß") << true;
    QTest::newRow("no-break space") << QStringLiteral("Anna\u00A0Maria") << true;
    QTest::newRow("comma") << QStringLiteral("Rossi, Mario") << false;
    QTest::newRow("double quote") << QStringLiteral("\"Gigi\"") << false;
    QTest::newRow("tab") << QStringLiteral("Rossi\tMario") << false;
    QTest::newRow("CR") << QStringLiteral("Rossi\r") << false;
    QTest::newRow("LF") << QStringLiteral("Rossi\nBianchi") << false;
    QTest::newRow("NUL") << QString(QChar(0)) << false;
    QTest::newRow("escape") << QStringLiteral("a\x1B") << false;
    QTest::newRow("DEL") << QStringLiteral("a\x7F") << false;
    // Bytes Windows-1252 leaves undefined decode to these: storable, but unseen.
    QTest::newRow("C1 control of an undefined byte") << QStringLiteral("a\u0081") << false;
    QTest::newRow("C1 next line") << QStringLiteral("a\u0085") << false;
    QTest::newRow("Polish l") << QStringLiteral("Wałęsa") << false;
    QTest::newRow("Greek") << QStringLiteral("Αλέξης") << false;
    QTest::newRow("emoji") << QStringLiteral("Luca \U0001F600") << false;
}

void NameValidatorTest::namesTheFileCanHold()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    NameValidator validator;
    int pos = int(name.size());
    QString input = name;
    QCOMPARE(validator.validate(input, pos),
             accepted ? QValidator::Acceptable : QValidator::Invalid);
    QCOMPARE(input, name);
    QCOMPARE(NameValidator::firstRefused(name) < 0, accepted);
}

void NameValidatorTest::namesFromTheFileMayKeepTheirCharacters_data()
{
    QTest::addColumn<QString>("fromFile");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("kept as it is") << "Ro\"ssi\t"
                                   << "Ro\"ssi\t" << true;
    QTest::newRow("letters added") << "Ro\"ssi"
                                   << "Ro\"ssi Mario" << true;
    QTest::newRow("refused one removed") << "Ro\"s\"si"
                                         << "Ro\"ssi" << true;
    QTest::newRow("one more of the same") << "Ro\"ssi"
                                          << "Ro\"ss\"i" << false;
    QTest::newRow("another kind") << "Ro\"ssi"
                                  << "Ro\"ssi,M" << false;
    QTest::newRow("file had none") << "Rossi"
                                   << "Rossi," << false;
}

void NameValidatorTest::namesFromTheFileMayKeepTheirCharacters()
{
    QFETCH(QString, fromFile);
    QFETCH(QString, edited);
    QFETCH(bool, accepted);
    NameValidator validator;
    validator.setAllowedText(fromFile);
    int pos = 0;
    QCOMPARE(validator.validate(edited, pos),
             accepted ? QValidator::Acceptable : QValidator::Invalid);
}

void NameValidatorTest::refusalsAreNamed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("description");
    QTest::newRow("comma") << "Rossi, Mario" << 5 << "la virgola";
    QTest::newRow("quote") << "a\"b" << 1 << "le virgolette (\")";
    QTest::newRow("tab") << "a\tb" << 1 << "la tabulazione";
    QTest::newRow("CR") << "a\r\nb" << 1 << "l'a capo";
    QTest::newRow("LF") << "a\nb" << 1 << "l'a capo";
    QTest::newRow("escape") << "ab\x1B" << 2 << "un carattere di controllo (U+001B)";
    QTest::newRow("C1") << QStringLiteral("\u0090") << 0 << "un carattere di controllo (U+0090)";
    QTest::newRow("Polish l") << QStringLiteral("Wałęsa") << 2
                              << "«ł», che il file dei posti non può contenere";
    QTest::newRow("emoji whole") << QStringLiteral("ok \U0001F600") << 3
                                 << QStringLiteral(
                                        "«\U0001F600», che il file dei posti non può contenere");
}

void NameValidatorTest::refusalsAreNamed()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QString, description);
    QCOMPARE(NameValidator::firstRefused(text), index);
    QCOMPARE(NameValidator::describeRefused(text, index), description);
}

QTEST_GUILESS_MAIN(NameValidatorTest)
#include "tst_namevalidator.moc"
