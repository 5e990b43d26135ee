// The 31 name boxes of the real window: what typing and pasting put in them,
// the hint that explains a refusal, and names read from a file shown as they are.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

namespace {

constexpr int Pupils = 30;
constexpr int ClassName = 30;

QString oldName(int slot)
{
    return QStringLiteral("Vecchio %1").arg(slot + 1);
}

// Class 1 with a name in every pupil box and the class name "3A".
QByteArray namedClassFile()
{
    QByteArray bytes;
    for (int slot = 0; slot < Pupils; ++slot)
        bytes += oldName(slot).toLatin1() + ",0\r\n";
    bytes += "3A,0\r\n";
    for (int row = 31; row < 310; ++row)
        bytes += " ,0\r\n";
    return bytes;
}

void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, c, Qt::NoModifier);
}

} // namespace

class NameBoxesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typingKeepsToWhatTheFileCanHold_data();
    void typingKeepsToWhatTheFileCanHold();
    void namesFromTheFileAreShownAsTheyAre();
    void pastingAListFillsTheFollowingBoxes_data();
    void pastingAListFillsTheFollowingBoxes();
    void pastingOneLineInsertsAtTheCursor_data();
    void pastingOneLineInsertsAtTheCursor();
    void theContextMenuPastesTheSameWay_data();
    void theContextMenuPastesTheSameWay();
    void pastedNamesWaitForMemorizza();

private:
    void openWindow(const QByteArray &file);
    QLineEdit *box(int index) const;
    QStringList boxTexts() const;
    static QString hint();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form2> m_window;
};

// The offscreen platform notes that it cannot raise tooltips or grab the
// keyboard for popups; nothing the tests look at depends on either.
void NameBoxesTest::initTestCase()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

void NameBoxesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QToolTip::hideText();
}

void NameBoxesTest::cleanup()
{
    m_window.reset();
    QToolTip::hideText();
}

void NameBoxesTest::openWindow(const QByteArray &file)
{
    const QString path = m_dir->filePath(QStringLiteral("Posti.bq"));
    // No file at all for a fresh start: an empty file is a damaged one.
    QFile out(path);
    if (!file.isEmpty() && (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()))
        qFatal("cannot write the test file");
    out.close();
    m_window = std::make_unique<Form2>(path);
    m_window->startUp();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qFatal("window not active");
}

QLineEdit *NameBoxesTest::box(int index) const
{
    return m_window->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(index));
}

QStringList NameBoxesTest::boxTexts() const
{
    QStringList texts;
    for (int index = 0; index <= ClassName; ++index)
        texts << box(index)->text();
    return texts;
}

// The hint on screen, or nothing.
QString NameBoxesTest::hint()
{
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

void NameBoxesTest::typingKeepsToWhatTheFileCanHold_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("expectedHint");
    QTest::newRow("apostrophe") << "D'Angelo"
                                << "D'Angelo" << QString();
    QTest::newRow("accents and spaces") << "Niccolò Gesù dè"
                                        << "Niccolò Gesù dè" << QString();
    QTest::newRow("comma") << "Rossi, M"
                           << "Rossi M"
                           << "Carattere non ammesso in un nome: la virgola.";
    QTest::newRow("double quote") << "\"Gigi\""
                                  << "Gigi"
                                  << "Carattere non ammesso in un nome: le virgolette (\").";
    QTest::newRow("outside Windows-1252")
        << "Wałęsa"
        << "Wasa"
        << "Carattere non ammesso in un nome: «ę», che il file dei posti non può contenere.";
}

void NameBoxesTest::typingKeepsToWhatTheFileCanHold()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, expectedHint);
    openWindow(QByteArray());
    for (int index = 0; index <= ClassName; ++index) {
        QToolTip::hideText();
        box(index)->setFocus();
        typeText(box(index), typed);
        QCOMPARE(box(index)->text(), kept);
        QCOMPARE(hint(), expectedHint);
    }
}

void NameBoxesTest::namesFromTheFileAreShownAsTheyAre()
{
    // Another program may write what this one refuses; the file still loads.
    QByteArray file = namedClassFile();
    file.replace("Vecchio 2,", "Ro\"ssi,").replace("Vecchio 3,", "Bianchi\tLuca\x81,");
    file.replace("3A,", "\"3A\",");
    MessageBoxAnswerer answerer(QStringLiteral("OK")); // the undefined byte is reported
    openWindow(file);
    QCOMPARE(answerer.count(), 1);
    QCOMPARE(box(1)->text(), QString("Ro\"ssi"));
    QCOMPARE(box(2)->text(), QStringLiteral("Bianchi\tLuca\u0081"));
    QCOMPARE(box(ClassName)->text(), QString("\"3A\""));
    // A long name shows its beginning.
    QCOMPARE(box(2)->cursorPosition(), 0);

    // The teacher can mend such a name, but not add to what is wrong with it.
    for (int index : {1, 2, ClassName}) {
        const QString before = box(index)->text();
        box(index)->setFocus();
        QTest::keyClick(box(index), Qt::Key_End);
        typeText(box(index), QStringLiteral(",\"x"));
        QCOMPARE(box(index)->text(), before + u'x');
    }
    QTest::keyClick(box(1), Qt::Key_Home);
    QTest::keyClick(box(1), Qt::Key_Right, Qt::NoModifier);
    QTest::keyClick(box(1), Qt::Key_Right, Qt::NoModifier);
    QTest::keyClick(box(1), Qt::Key_Delete);
    QCOMPARE(box(1)->text(), QString("Rossix"));
}

void NameBoxesTest::pastingAListFillsTheFollowingBoxes_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("filled"); // boxes first, first + 1, ...
    QTest::addColumn<QString>("expectedHint");
    const QString three =
        "Incollati 3 nomi, uno per casella a partire da questa. Per conservarli premere "
        "«Memorizza».";
    const QString two = QString(three).replace("3 nomi", "2 nomi");
    QTest::newRow("LF") << 0 << "Rossi\nBianchi\nVerdi" << QStringList{"Rossi", "Bianchi", "Verdi"}
                        << three;
    QTest::newRow("CR LF and a last line end") << 5 << "Rossi\r\nBianchi\r\n"
                                               << QStringList{"Rossi", "Bianchi"} << two;
    QTest::newRow("CR, across the columns")
        << 14 << "Rossi\rBianchi" << QStringList{"Rossi", "Bianchi"} << two;
    QTest::newRow("spaces trimmed, empty lines at the end dropped")
        << 0 << "  Rossi \r\n\tBianchi Anna\t\r\n \r\n\r\n"
        << QStringList{"Rossi", "Bianchi Anna"} << two;
    QTest::newRow("an empty line empties its box")
        << 3 << "Rossi\n\nVerdi" << QStringList{"Rossi", "", "Verdi"} << three;
    QTest::newRow("accents and apostrophes")
        << 0 << "D'Angelo\nNiccolò Gesù\nÈrica" << QStringList{"D'Angelo", "Niccolò Gesù", "Èrica"}
        << three;
    QTest::newRow("two lines too many")
        << 27 << "A\nB\nC\nD\nE" << QStringList{"A", "B", "C"}
        << "Incollati 3 nomi, uno per casella a partire da questa. Le ultime 2 righe non entrano "
           "nelle caselle e sono state scartate. Per conservarli premere «Memorizza».";
    QTest::newRow("into the last box")
        << 29 << "A\nB,C" << QStringList{"A"}
        << "Incollato 1 nome in questa casella. L'ultima riga non entra nelle caselle ed è stata "
           "scartata. Per conservarlo premere «Memorizza».";
    QTest::newRow("comma: nothing pasted")
        << 0 << "Rossi\nBianchi, Anna\nVerdi" << QStringList{}
        << "Nessun nome incollato. Carattere non ammesso alla riga 2: la virgola.";
    QTest::newRow("two columns: nothing pasted")
        << 0 << "Rossi\tMario\nBianchi\tAnna" << QStringList{}
        << "Nessun nome incollato. Carattere non ammesso alla riga 1: la tabulazione.";
    QTest::newRow("double quote: nothing pasted")
        << 10 << "Rossi\nBianchi\n\"Gigi\"" << QStringList{}
        << "Nessun nome incollato. Carattere non ammesso alla riga 3: le virgolette (\").";
    QTest::newRow("outside Windows-1252: nothing pasted")
        << 0 << "Rossi\nWałęsa" << QStringList{}
        << "Nessun nome incollato. Carattere non ammesso alla riga 2: «ł», che il file dei posti "
           "non può contenere.";
}

void NameBoxesTest::pastingAListFillsTheFollowingBoxes()
{
    QFETCH(int, first);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, filled);
    QFETCH(QString, expectedHint);
    openWindow(namedClassFile());
    QStringList expected = boxTexts();
    for (int i = 0; i < filled.size(); ++i)
        expected[first + i] = filled[i];

    QGuiApplication::clipboard()->setText(clipboard);
    box(first)->setFocus();
    QTest::keyClick(box(first), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boxTexts(), expected);
    QCOMPARE(hint(), expectedHint);
}

void NameBoxesTest::pastingOneLineInsertsAtTheCursor_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("expectedHint");
    QTest::newRow("plain") << 4 << " Mario"
                           << " Mario" << QString();
    QTest::newRow("a spreadsheet cell") << 4 << "Mario \r\n"
                                        << "Mario" << QString();
    QTest::newRow("comma") << 4 << ", Mario"
                           << ""
                           << "Carattere non ammesso in un nome: la virgola.";
    QTest::newRow("tab") << 4 << "\tMario"
                         << ""
                         << "Carattere non ammesso in un nome: la tabulazione.";
    QTest::newRow("class name, one line") << ClassName << " bis\n"
                                          << "bis" << QString();
    QTest::newRow("class name, a list")
        << ClassName << "3B\n3C"
        << ""
        << "Nel nome della classe si incolla una riga sola; un elenco di nomi va incollato nelle "
           "caselle degli alunni.";
}

void NameBoxesTest::pastingOneLineInsertsAtTheCursor()
{
    QFETCH(int, index);
    QFETCH(QString, clipboard);
    QFETCH(QString, added);
    QFETCH(QString, expectedHint);
    openWindow(namedClassFile());
    QStringList expected = boxTexts();
    expected[index] += added;

    QGuiApplication::clipboard()->setText(clipboard);
    box(index)->setFocus();
    QTest::keyClick(box(index), Qt::Key_End);
    QTest::keyClick(box(index), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(boxTexts(), expected);
    QCOMPARE(hint(), expectedHint);
}

void NameBoxesTest::theContextMenuPastesTheSameWay_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("filled");
    QTest::addColumn<QString>("hintStart");
    QTest::newRow("a list") << "Rossi\r\nBianchi\r\nVerdi\r\n"
                            << QStringList{"Rossi", "Bianchi", "Verdi"} << "Incollati 3 nomi";
    QTest::newRow("a list with a comma") << "Rossi\r\nBianchi, A\r\n"
                                         << QStringList{} << "Nessun nome incollato";
    QTest::newRow("one name with a comma")
        << "Bianchi, A" << QStringList{} << "Carattere non ammesso in un nome: la virgola.";
}

void NameBoxesTest::theContextMenuPastesTheSameWay()
{
    QFETCH(QString, clipboard);
    QFETCH(QStringList, filled);
    QFETCH(QString, hintStart);
    openWindow(namedClassFile());
    QStringList expected = boxTexts();
    for (int i = 0; i < filled.size(); ++i)
        expected[2 + i] = filled[i];
    QGuiApplication::clipboard()->setText(clipboard);

    QLineEdit *target = box(2);
    target->setFocus();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, target->rect().center(),
                            target->mapToGlobal(target->rect().center()));
    QApplication::sendEvent(target, &event);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
    const QList<QAction *> actions = menu->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction *action) {
        return action->text().startsWith(QLatin1String("&Incolla"));
    });
    QVERIFY(paste != actions.end());
    menu->setActiveAction(*paste);
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    QCOMPARE(boxTexts(), expected);
    QVERIFY2(hint().startsWith(hintStart), qPrintable(hint()));
}

void NameBoxesTest::pastedNamesWaitForMemorizza()
{
    openWindow(namedClassFile());
    QGuiApplication::clipboard()->setText(QStringLiteral("Rossi\nBianchi\n"));
    box(0)->setFocus();
    QTest::keyClick(box(0), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_window->archivio().cell(0, 0), oldName(0));
    QCOMPARE(m_window->archivio().cell(1, 0), oldName(1));

    QTest::mouseClick(m_window->findChild<QPushButton *>("cmdSalva"), Qt::LeftButton);
    QCOMPARE(m_window->archivio().cell(0, 0), QString("Rossi"));
    QCOMPARE(m_window->archivio().cell(1, 0), QString("Bianchi"));
    QCOMPARE(m_window->archivio().cell(2, 0), oldName(2));
}

QTEST_MAIN(NameBoxesTest)
#include "tst_nameboxes.moc"
