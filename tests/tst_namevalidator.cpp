// Which names a name box lets the teacher enter, and how a refusal is put.

#include "namevalidator.h"

#include <QTest>

class NameValidatorTest : public QObject
{
    Q_OBJECT

private slots:
    void namesTheFileCanHold_data();
    void namesTheFileCanHold();
    void namesFromTheFileMayKeepTheirCharacters();
};

// A name and the index of its first refused character, -1 for none, with
// the hint for it.
void NameValidatorTest::namesTheFileCanHold_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("refused");
    QTest::addColumn<QString>("hint");
    QTest::newRow("accented, apostrophe, inner spaces")
        << QStringLiteral("Niccolò D'Angelo  Gesù") << -1 << QString();
    QTest::newRow("Windows-1252 extras") << QStringLiteral("Škoda Œuvre – € ß") << -1 << QString();
    QTest::newRow("comma") << QStringLiteral("Rossi, Mario") << 5 << "la virgola";
    QTest::newRow("double quote") << QStringLiteral("a\"b") << 1 << "le virgolette (\")";
    QTest::newRow("tab") << QStringLiteral("a\tb") << 1 << "la tabulazione";
    QTest::newRow("CR") << QStringLiteral("a\r") << 1 << "l'a capo";
    QTest::newRow("LF") << QStringLiteral("a\nb") << 1 << "l'a capo";
    QTest::newRow("escape") << QStringLiteral("ab\x1B") << 2
                            << "un carattere di controllo (U+001B)";
    // An undefined byte decodes to a C1 control: storable, but unseen.
    QTest::newRow("C1") << QStringLiteral("\u0081") << 0 << "un carattere di controllo (U+0081)";
    QTest::newRow("Polish l") << QStringLiteral("Wałęsa") << 2
                              << "«ł», che il file dei posti non può contenere";
    QTest::newRow("emoji whole") << QStringLiteral("ok \U0001F600") << 3
                                 << "«\U0001F600», che il file dei posti non può contenere";
}

void NameValidatorTest::namesTheFileCanHold()
{
    QFETCH(QString, name);
    QFETCH(int, refused);
    QFETCH(QString, hint);
    QString input = name;
    int pos = 0;
    QCOMPARE(NameValidator().validate(input, pos),
             refused < 0 ? QValidator::Acceptable : QValidator::Invalid);
    QCOMPARE(NameValidator::firstRefused(name), refused);
    if (refused >= 0)
        QCOMPARE(NameValidator::describeRefused(name, refused), hint);
}

// A name read from a file keeps its refused characters; an edit may not add more.
void NameValidatorTest::namesFromTheFileMayKeepTheirCharacters()
{
    NameValidator validator;
    validator.setAllowedText(QStringLiteral("Ro\"s\"si\t"));
    int pos = 0;
    for (QString edit : {"Ro\"s\"si\t Mario", "Rossi"})
        QCOMPARE(validator.validate(edit, pos), QValidator::Acceptable);
    for (QString edit : {"Ro\"s\"s\"i\t", "Ro\"s\"si\t,"})
        QCOMPARE(validator.validate(edit, pos), QValidator::Invalid);
}

QTEST_GUILESS_MAIN(NameValidatorTest)
#include "tst_namevalidator.moc"
