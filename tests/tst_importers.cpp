// SPDX-License-Identifier: GPL-3.0-or-later
#include "biffchild.h"
#include "classlist.h"
#include "importer.h"
#include "importmessages.h"
#include "letterfold.h"
#include "planexport.h"
#include "testmain.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#include <quazip.h>
#include <quazipfile.h>

using namespace Qt::StringLiterals;

namespace {

QString sample(const QString &name)
{
    return QStringLiteral(IMPORT_DATA "/") + name;
}

QByteArray sampleBytes(const QString &name)
{
    QFile file(sample(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A zip of the named parts, as a spreadsheet program or an attacker writes it.
QByteArray zipOf(const QList<std::pair<QString, QByteArray>> &parts)
{
    QBuffer buffer;
    QuaZip zip(&buffer);
    zip.open(QuaZip::mdCreate);
    for (const auto &[name, bytes] : parts) {
        QuaZipFile file(&zip);
        file.open(QIODevice::WriteOnly, QuaZipNewInfo(name));
        file.write(bytes);
    }
    zip.close();
    return buffer.data();
}

QByteArray xlsxOf(const QByteArray &sheetXml)
{
    return zipOf({
        {u"[Content_Types].xml"_s,
         R"(<Types><Override PartName="/xl/workbook.xml" ContentType="application/)"
         R"(vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/></Types>)"},
        {u"xl/workbook.xml"_s,
         R"(<workbook xmlns:r="urn:r"><sheets><sheet name="Uno" r:id="rId1"/></sheets></workbook>)"},
        {u"xl/_rels/workbook.xml.rels"_s,
         R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml" )"
         R"(Type="http://schemas/worksheet"/></Relationships>)"},
        {u"xl/worksheets/sheet1.xml"_s, sheetXml},
    });
}

QByteArray odsOf(const QByteArray &contentXml)
{
    return zipOf({{u"mimetype"_s, "application/vnd.oasis.opendocument.spreadsheet"},
                  {u"content.xml"_s, contentXml}});
}

// Every class of the sheet: "3A: Rossi Mario, Bianchi Anna".
QStringList classesOf(const Sheet &sheet)
{
    QStringList classes;
    for (const ImportedClass &group : ClassListReader::read(sheet).classes)
        classes.append(group.name + u": "_s + group.pupils.join(u", "_s));
    return classes;
}

} // namespace

class TestImporters : public QObject
{
    Q_OBJECT

private slots:
    // Each sample as a teacher's file: sheets in the workbook's order, the
    // classes and pupils of the first, whatever the name says it is.
    void samples_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sheets");
        QTest::addColumn<QStringList>("classes");
        const QStringList classi = {
            u"3A: Rossi Mario, D'Angelo Maria Chiara, De Luca Niccolò, Popescu Stefan"_s,
            u"3B: Kowalski Lukasz, Petrenko Ivan, Ivanova Olena, Dell'Acqua Giulia, "
            u"Rossi-Bianchi Luca"_s};
        QTest::newRow("xlsx") << sampleBytes(u"classi.xlsx"_s) << u"Classi|Docenti"_s << classi;
        QTest::newRow("ods") << sampleBytes(u"classi.ods"_s) << u"Classi|Docenti"_s << classi;
        QTest::newRow("binary xls, title above the header")
            << sampleBytes(u"registro-con-titolo.xls"_s) << u"Alunni 2C"_s
            << QStringList{u": Bianchi Sofia, Çelik Emre, Nguyen Van An, Esposito Gennaro"_s};
        QTest::newRow("html saved as xls")
            << sampleBytes(u"registro-html.xls"_s) << u"Foglio 1"_s
            << QStringList{u"1A: Verdi Anna, D'Angelo Luca, Lupo Niccolò, Ferrari Sébastien "
                           u"Jean, Brambilla & C."_s};
        QTest::newRow("xml spreadsheet saved as xls")
            << sampleBytes(u"registro-xml.xls"_s) << u"Elenco 1A"_s
            << QStringList{u"1A: Verdi Anna, Müller, García López José"_s};
        const QStringList utf8 = {
            u"2B: Rossi Maria Chiara, Bianchi Bibi Anna, Šimic Luka, Dell'Orto Pietro"_s};
        QTest::newRow("utf-8, commas") << sampleBytes(u"elenco-utf8.csv"_s) << u""_s << utf8;
        QTest::newRow("utf-8 with mark")
            << "\xEF\xBB\xBF" + sampleBytes(u"elenco-utf8.csv"_s) << u""_s << utf8;
        QTest::newRow("windows-1252, semicolons, title")
            << sampleBytes(u"elenco-1252.csv"_s) << u""_s
            << QStringList{u"5A: Cantù Niccolò, Mosè Andrea, O'Brien Seán"_s};
        QTest::newRow("utf-16, tabs") << sampleBytes(u"elenco-unicode.txt"_s) << u""_s
                                      << QStringList{u"4B: Nowak Zofia, Stavridis Nikos, "
                                                     u"Horváth Ödön"_s};
    }

    void samples()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sheets);
        QFETCH(QStringList, classes);
        QVERIFY(!bytes.isEmpty());
        const Workbook workbook = Importer::readBytes(bytes);
        QCOMPARE(workbook.error, QString());
        QStringList names;
        for (const Sheet &sheet : workbook.sheets)
            names.append(sheet.name);
        QCOMPARE(names.join(u'|'), sheets);
        QCOMPARE(classesOf(workbook.sheets.first()), classes);
    }

    // What the preview lists for class 3B of the workbook: every change, the
    // name left out with its reason, and no trace of the other columns.
    void changes()
    {
        const Workbook workbook = Importer::readFile(sample(u"classi.ods"_s));
        QCOMPARE(workbook.error, QString());
        const ClassList list = ClassListReader::read(workbook.sheets.first());
        QCOMPARE(list.classes.size(), 2);
        QStringList lines;
        for (const ImportChange &change : list.classes.at(1).changes)
            lines.append(ImportMessages::describe(change));
        const QStringList expected = {
            u"riga 6: «KOWALSKI ŁUKASZ» scritto «KOWALSKI LUKASZ»: il file dei posti non ha "
            u"quelle lettere"_s,
            u"riga 6: «KOWALSKI LUKASZ» scritto come nome: «Kowalski Lukasz»"_s,
            u"riga 7: «ПЕТРЕНКО ІВАН» scritto «PETRENKO IVAN»: il file dei posti non ha quelle "
            u"lettere"_s,
            u"riga 7: «PETRENKO IVAN» scritto come nome: «Petrenko Ivan»"_s,
            u"riga 8: «Іванова Олена» scritto «Ivanova Olena»: il file dei posti non ha quelle "
            u"lettere"_s,
            u"riga 9: «王 小明» non importato: il file dei posti non può contenere «王小明»; "
            u"scriverlo a mano"_s,
            u"riga 10: «DELL'ACQUA GIULIA» scritto come nome: «Dell'Acqua Giulia»"_s,
            u"riga 11: «ROSSI-BIANCHI LUCA» scritto come nome: «Rossi-Bianchi Luca»"_s,
        };
        QCOMPARE(lines, expected);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString notAList = u"Il file non è un elenco leggibile: si leggono i fogli di "
                                 u"calcolo (.xlsx, .ods, .xls) e i testi CSV o TXT."_s;
        const QString dtd =
            u"Il file contiene dichiarazioni XML (DTD) che per sicurezza non vengono lette."_s;
        const QString tooBig =
            u"Il file, una volta decompresso, supera i 24 MB: non è un elenco di alunni."_s;
        QTest::newRow("empty") << sampleBytes(u"vuoto.csv"_s) << u"Il file è vuoto."_s;
        QTest::newRow("blank lines") << QByteArray("\r\n ; \r\n") << u"Il file è vuoto."_s;
        QTest::newRow("junk") << sampleBytes(u"spazzatura.bin"_s) << notAList;
        QTest::newRow("utf-16 without its mark") << QByteArray("R\0o\0s\0s\0i\0", 10) << notAList;
        QTest::newRow("entities") << sampleBytes(u"entita.xls"_s) << dtd;
        QTest::newRow("entities in xlsx")
            << xlsxOf(R"(<!DOCTYPE x [<!ENTITY a "AAAA">]><worksheet/>)") << dtd;
        QTest::newRow("no sheet") << sampleBytes(u"senza-fogli.xlsx"_s)
                                  << u"Il file non contiene nessun foglio."_s;
        QTest::newRow("other zip") << zipOf({{u"foto.jpg"_s, "JFIF"}})
                                   << u"Il file è un archivio compresso ma non un foglio di "
                                      u"calcolo .xlsx o .ods."_s;
        QTest::newRow("zip bomb") << xlsxOf("<worksheet>" + QByteArray(30 * 1024 * 1024, ' ') +
                                            "</worksheet>")
                                  << tooBig;
        QTest::newRow("ods bomb") << odsOf(QByteArray(30 * 1024 * 1024, ' ')) << tooBig;
        QTest::newRow("broken xlsx") << xlsxOf("<worksheet><sheetData><row>")
                                     << u"Il foglio di calcolo (Excel, .xlsx) "
                                        u"è danneggiato e non si può leggere."_s;
        QTest::newRow("broken xls")
            << sampleBytes(u"registro-con-titolo.xls"_s).left(1024)
            << u"Il foglio di calcolo (Excel 97-2003, .xls) è danneggiato e non si può leggere."_s;
        QTest::newRow("other xml") << QByteArray("<?xml version=\"1.0\"?><svg/>") << notAList;
    }

    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const Workbook workbook = Importer::readBytes(bytes);
        QCOMPARE(workbook.error, error);
        QVERIFY(workbook.sheets.isEmpty());
    }

    // posti-xls stands in for FreeXL's faults: a reader that crashes, hangs,
    // answers nonsense or is missing costs the import only.
    void biffChild_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("error");
        const QString stopped = u"Il file .xls è danneggiato: la sua lettura si è interrotta. "
                                u"Salvarlo di nuovo dal foglio di calcolo, meglio come .xlsx o "
                                u".ods, e riprovare."_s;
        const QString damaged =
            u"Il foglio di calcolo (Excel 97-2003, .xls) è danneggiato e non si può leggere."_s;
        QTest::newRow("crash") << QByteArray("kill -SEGV $$") << stopped;
        QTest::newRow("exit code") << QByteArray("printf 'S\\tA\\n'; exit 1") << stopped;
        QTest::newRow("hang") << QByteArray("exec sleep 30")
                              << u"La lettura del file .xls non è finita in 20 secondi ed è "
                                 u"stata interrotta: il file è forse danneggiato. Salvarlo come "
                                 u".xlsx o .ods e riprovare."_s;
        QTest::newRow("no answer") << QByteArray("true") << damaged;
        QTest::newRow("cut short") << QByteArray("printf 'S\\tA\\nR\\t1\\tRossi'") << damaged;
        QTest::newRow("row before a sheet") << QByteArray("printf 'R\\t1\\tRossi\\n'") << damaged;
        QTest::newRow("row 0") << QByteArray("printf 'S\\tA\\nR\\t0\\tRossi\\n'") << damaged;
        QTest::newRow("message") << QByteArray("printf 'E\\tNo.\\n'") << u"No."_s;
        QTest::newRow("missing") << QByteArray()
                                 << u"Manca posti-xls, il programma che legge i "
                                    u"file .xls: reinstallare posti, oppure "
                                    u"salvare il foglio come .xlsx o .ods e "
                                    u"riprovare."_s;
    }

    void biffChild()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QString helper;
        if (!script.isEmpty()) {
            QFile file(folder.filePath(u"lettore"_s));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script + '\n');
            file.setPermissions(file.permissions() | QFile::ExeOwner);
            helper = file.fileName();
        }
        const Workbook workbook = BiffChild::read("xls", helper, 500);
        QCOMPARE(workbook.error, error);
        QVERIFY(workbook.sheets.isEmpty());
    }

    // The size limit on the file as it is on disk, to the byte.
    void fileSize_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("error");
        QTest::newRow("10 MB") << qint64(10 * 1024 * 1024) << QString();
        QTest::newRow("one byte more")
            << qint64(10 * 1024 * 1024 + 1)
            << u"Il file è troppo grande per un elenco di alunni: più di 10 MB."_s;
    }

    void fileSize()
    {
        QFETCH(qint64, size);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QFile file(folder.filePath(u"grande.csv"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray bytes = "Rossi\n";
        bytes.append(size - bytes.size(), ' ');
        file.write(bytes);
        file.close();
        QCOMPARE(Importer::readFile(file.fileName()).error, error);
    }

    // An ODS row or cell "repeated" past any sheet costs only what it holds.
    void repeatedOdsRows()
    {
        const QByteArray content =
            R"(<office:document-content xmlns:office="o" xmlns:table="t" xmlns:text="x">)"
            R"(<table:table table:name="A"><table:table-row table:number-rows-repeated="1048000">)"
            R"(<table:table-cell table:number-columns-repeated="16384"/></table:table-row>)"
            R"(<table:table-row><table:table-cell table:number-columns-repeated="2"/>)"
            R"(<table:table-cell><text:p>ROSSI</text:p></table:table-cell>)"
            R"(<table:table-cell table:number-columns-repeated="16000"/></table:table-row>)"
            R"(<table:table-row table:number-rows-repeated="1048576"><table:table-cell )"
            R"(table:number-columns-repeated="1000000"/></table:table-row>)"
            R"(</table:table></office:document-content>)";
        const Workbook workbook = Importer::readBytes(odsOf(content));
        QCOMPARE(workbook.error, QString());
        QCOMPARE(workbook.sheets.size(), 1);
        QCOMPARE(workbook.sheets.first().rows.size(), 1);
        QCOMPARE(workbook.sheets.first().rows.first().line, 1048001);
        QCOMPARE(workbook.sheets.first().rows.first().cells,
                 QStringList({QString(), QString(), u"ROSSI"_s}));
    }

    // A paste into a name box: one name a line, by the rules of the import.
    void paste_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two columns with header")
            << u"COGNOME\tNOME\r\nD'ANGELO\tMARIA CHIARA\r\nDE LUCA\tNICCOLO'\r\n"_s
            << QStringList{u"D'Angelo Maria Chiara"_s, u"De Luca Niccolò"_s};
        QTest::newRow("number and date columns")
            << u"1\tDELL'ACQUA\tGIULIA\t12/03/2011\n2\tROSSI-BIANCHI\tLUCA\t03/03/2011"_s
            << QStringList{u"Dell'Acqua Giulia"_s, u"Rossi-Bianchi Luca"_s};
        QTest::newRow("mixed case kept")
            << u"McArthur Ronald\nvan der Berg Anna"_s
            << QStringList{u"McArthur Ronald"_s, u"van der Berg Anna"_s};
        QTest::newRow("small letters") << u"de luca anna"_s << QStringList{u"De Luca Anna"_s};
        // µ's capital is Greek, which the seating file cannot hold.
        QTest::newRow("micro sign") << u"µller anna"_s << QStringList{u"µller Anna"_s};
        QTest::newRow("letters folded")
            << u"POPESCU\tȘTEFAN\nKowalski Łukasz\nĐorđević Miloš\nNguyễn Thị\nStraße Jürgen"_s
            << QStringList{u"Popescu Stefan"_s, u"Kowalski Lukasz"_s, u"Dordevic Miloš"_s,
                           u"Nguyên Thi"_s, u"Straße Jürgen"_s};
        QTest::newRow("cyrillic and greek")
            << u"Іван Петренко\nЮлія Шевченко\nИван Жуков\nΓιώργος Παπαδόπουλος"_s
            << QStringList{u"Ivan Petrenko"_s, u"Yuliia Shevchenko"_s, u"Ivan Zhukov"_s,
                           u"Giorgos Papadopoulos"_s};
        QTest::newRow("odd spaces, commas, quotes")
            << u"Rossi,\u00A0Mario\n\"Bibi\" Anna\u200B"_s
            << QStringList{u"Rossi Mario"_s, u"Bibi Anna"_s};
        QTest::newRow("chinese left out")
            << u"王小明\nLi 明\nLi Ming"_s << QStringList{u"Li Ming"_s};
    }

    void paste()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QCOMPARE(ClassListReader::readPaste(text).names, names);
    }

    void pasteTellsWhatChanged()
    {
        const auto paste = ClassListReader::readPaste(u"ROSSI\tMARIO\n\tLi 明"_s);
        QStringList lines;
        for (const ImportChange &change : paste.changes)
            lines.append(ImportMessages::describe(change));
        QCOMPARE(lines, QStringList({u"riga 1: «ROSSI MARIO» scritto come nome: «Rossi Mario»"_s,
                                     u"riga 2: «Li 明» non importato: il file dei posti non può "
                                     u"contenere «明»; scriverlo a mano"_s}));
    }

    // What typing a letter puts in a name box.
    void typedLetter_data()
    {
        QTest::addColumn<uint>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("held") << uint(U'é') << u"é"_s;
        QTest::newRow("euro sign") << uint(U'€') << u"€"_s;
        QTest::newRow("comma below") << uint(U'ș') << u"s"_s;
        QTest::newRow("stroke") << uint(U'Ł') << u"L"_s;
        QTest::newRow("cyrillic capital") << uint(U'Ж') << u"Zh"_s;
        QTest::newRow("ukrainian") << uint(U'ї') << u"yi"_s;
        QTest::newRow("typographic apostrophe") << uint(U'ʼ') << u"'"_s;
        QTest::newRow("comma") << uint(U',') << QString();
        QTest::newRow("double quote") << uint(U'"') << QString();
        QTest::newRow("tab") << uint(U'\t') << QString();
        QTest::newRow("chinese") << uint(U'明') << QString();
        QTest::newRow("emoji") << uint(U'😀') << QString();
    }

    void typedLetter()
    {
        QFETCH(uint, typed);
        QFETCH(QString, kept);
        QCOMPARE(LetterFold::foldCharacter(char32_t(typed)).value_or(QString()), kept);
    }

    void exportCsv()
    {
        PlanExport plan;
        plan.className = u"3A"_s;
        plan.desks = {{1, 1, u"=Rossi Mario"_s, false},
                      {2, 1, QString(), true},
                      {3, 1, QString(), false},
                      {4, 2, u"Bianchi; \"Bibi\""_s, false},
                      {30, 5, u"Mosè Niccolò"_s, false}};
        plan.unseated = {u"@Verdi"_s, u"-Neri"_s, u"+Gialli"_s};
        const QByteArray expected = "\xEF\xBB\xBF"
                                    "Banco;Fila;Alunno;Classe\r\n"
                                    "1;1;'=Rossi Mario;3A\r\n"
                                    "2;1;non usato;3A\r\n"
                                    "3;1;;3A\r\n"
                                    "4;2;\"Bianchi; \"\"Bibi\"\"\";3A\r\n"
                                    "30;5;Mos\xC3\xA8 Niccol\xC3\xB2;3A\r\n"
                                    ";;'@Verdi;3A\r\n"
                                    ";;'-Neri;3A\r\n"
                                    ";;'+Gialli;3A\r\n";
        QCOMPARE(PlanCsv::write(plan), expected);
    }
};

POSTI_TEST_MAIN(TestImporters)
#include "tst_importers.moc"
