// SPDX-License-Identifier: GPL-3.0-or-later
// The real window's name boxes and keys: what typing and pasting put in the
// boxes, the hint that explains a refusal, names read from a file shown as they
// are, the tab order, Enter and Space, switching classes, and the names screen
// readers announce.

#include "realkeys.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QTest>
#include <QToolTip>

namespace {

constexpr int ClassName = 30;
// Another program may write names this one refuses; the file still loads.
const QString Quoted = QStringLiteral("Ro\"ssi");
const QString LongName = QStringLiteral("Bianchi\tLuca Maria Antonietta Giovanna\u0081");

// How a name goes in: typed, pasted with Ctrl+V, or with "Incolla" in the context menu.
constexpr int Typed = 0, Pasted = 1, FromMenu = 2;

} // namespace

class NameBoxesTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

    static QString hint() { return QToolTip::isVisible() ? QToolTip::text() : QString(); }
    QLineEdit *box(int i) const { return m_window.box(i); }
    // What the 31 boxes show, or what the class table holds for them.
    QStringList names(bool stored = false) const
    {
        QStringList names;
        for (int i = 0; i <= ClassName; ++i)
            names << (stored ? m_window->archivio().cell(i, Archivio::NameColumn) : box(i)->text());
        return names;
    }
    // The tab strip's bar has Qt's own name; the tests call it by its job.
    static QString focused()
    {
        QWidget *widget = QApplication::focusWidget();
        return qobject_cast<QTabBar *>(widget) ? QStringLiteral("tab bar") : widget->objectName();
    }

private slots:
    // Class t: "Primo t", Quoted, LongName, "Vecchio 4" ... "Vecchio 30", class "3A\u0081".
    void init()
    {
        QByteArray file;
        for (int tab = 1; tab <= 10; ++tab) {
            file += "Primo " + QByteArray::number(tab) + ",0\r\n" + Quoted.toLatin1() + ",0\r\n" +
                    LongName.toLatin1() + ",0\r\n";
            for (int slot = 4; slot <= 30; ++slot)
                file += "Vecchio " + QByteArray::number(slot) + ",0\r\n";
            file += "3A\x81,0\r\n";
        }
        // The file holds undefined bytes: one damage report.
        MessageBoxAnswerer report(QStringLiteral("OK"));
        QVERIFY(m_window.open(file, &report));
        QCOMPARE(report.count(), 1);
        QToolTip::hideText();
    }
    void cleanup() { m_window.close(); }

    // Names read from a file are shown as they are, from their beginning: each entry goes in
    // before the box's old name, and Memorizza then stores it. An edit may keep the refused
    // characters of a loaded name but not add more.
    void entering_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("input");      // typed or on the clipboard
        QTest::addColumn<QStringList>("filled"); // boxes first, first + 1, ...
        QTest::addColumn<QString>("hintPart");
        const QString accepted = QStringLiteral("D'Ali  Gesù Škoda Œuvre – € ß ");
        QTest::newRow("typed accents, apostrophe, spaces, Windows-1252")
            << Typed << ClassName << accepted << QStringList{accepted + "3A\u0081"} << "";
        QTest::newRow("typed comma, long name")
            << Typed << 2 << "Dott, " << QStringList{"Dott " + LongName} << "nome: la virgola.";
        QTest::newRow("typed double quote")
            << Typed << 1 << "\"Gigi\"" << QStringList{"Gigi" + Quoted} << "nome: le virgolette";
        QTest::newRow("typed outside Windows-1252, folded")
            << Typed << ClassName << "Wałęsa" << QStringList{"Walesa3A\u0081"}
            << "«ę» scritto «e»: il file dei posti non ha questa lettera";
        QTest::newRow("tab") << Pasted << 4 << "\tMario" << QStringList{} << "la tabulazione";
        QTest::newRow("C1") << Pasted << 4 << "\u009D" << QStringList{}
                            << "un carattere di controllo (U+009D)";
        QTest::newRow("emoji, whole")
            << Pasted << 4 << "ok \U0001F600" << QStringList{} << "nome: «\U0001F600», che";
        QTest::newRow("stops at pupil 30")
            << Pasted << 27 << "A\nB\nC\nD\nE" << QStringList{"A", "B", "C"} << "ultime 2 righe";
        QTest::newRow("columns, header, capitals, folds; a name with no letter left out")
            << Pasted << 0 << "COGNOME\tNOME\nPOPESCU\tȘTEFAN\nBi, Anna\n王\t小明\n"
            << QStringList{"Popescu Stefan", "Bi Anna"}
            << "Incollati 2 nomi, uno per casella a partire da questa. Per conservarli premere "
               "«Memorizza».\nriga 2: «POPESCU ȘTEFAN» scritto «POPESCU STEFAN»: il file dei "
               "posti non ha quelle lettere\nriga 2: «POPESCU STEFAN» scritto come nome: "
               "«Popescu Stefan»\nriga 3: «Bi, Anna» scritto «Bi Anna»: il file dei posti non "
               "ha quelle lettere\nriga 4: «王 小明» non importato: il file dei posti non può "
               "contenere «王小明»; scriverlo a mano";
        QTest::newRow("one line at the cursor")
            << Pasted << 4 << "Mario " << QStringList{"Mario Vecchio 5"} << "";
        QTest::newRow("class name takes no list")
            << Pasted << ClassName << "3B\n3C" << QStringList{} << "una riga sola";
        QTest::newRow("menu, CR LF, lone CR, trimmed, empty lines at the end")
            << FromMenu << 2 << " Rossi\r\nBi\rVerdi \r\n\n \n"
            << QStringList{"Rossi", "Bi", "Verdi"} << "Incollati 3 nomi";
    }
    void entering()
    {
        QFETCH(int, how);
        QFETCH(int, first);
        QFETCH(QString, input);
        QFETCH(QStringList, filled);
        QFETCH(QString, hintPart);
        const QStringList loaded = names();
        QStringList expected = loaded;
        for (int i = 0; i < filled.size(); ++i)
            expected[first + i] = filled[i];
        QGuiApplication::clipboard()->setText(input);
        box(first)->setFocus();
        if (how == Typed) {
            for (const QChar c : input)
                QTest::sendKeyEvent(QTest::Click, box(first), Qt::Key_unknown, c, Qt::NoModifier);
        } else if (how == FromMenu) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(box(first), &event);
            QVERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_I); // &Incolla
        } else {
            QTest::keyClick(box(first), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(names() + names(true), expected + loaded);
        QVERIFY2(hintPart.isEmpty() ? hint().isEmpty() : hint().contains(hintPart),
                 qPrintable(hint()));
        m_window.click("cmdSalva");
        QCOMPARE(names(true), expected);
    }

    // Every control once, each announced by its own name.
    void tabVisitsEveryControlInOrder()
    {
        QStringList expected{"Text1(30) Nome della classe", "cmdCancNomi Cancella nomi",
                             "cmdSalva Memorizza", "CmdRandom Assegna mancanti", "cmdClear Svuota"};
        for (int i = 0; i < 30; ++i) {
            expected.insert(i, QString("Text1(%1) Alunno %2").arg(i).arg(i + 1));
            expected << QString("Combo1(%1) Banco %2").arg(i).arg(i + 1);
        }
        expected << "tab bar Classi";
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            visited << focused() + ' ' + QApplication::focusWidget()->accessibleName();
            QVERIFY(RealKeys::press(QApplication::focusWidget(), Qt::Key_Tab));
        }
        QCOMPARE(visited, expected);
        QCOMPARE(focused(), QString("Text1(0)"));
        QVERIFY(RealKeys::press(QApplication::focusWidget(), Qt::SHIFT | Qt::Key_Backtab));
        QCOMPARE(focused(), QString("tab bar"));
    }

    void keysAct_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("focusTo"); // where the focus goes; a button stays and is pressed
        QTest::addColumn<int>("tabTo");       // the class shown afterwards
        QTest::newRow("pupil 30") << "Text1(29)" << QKeySequence("Enter") << "Text1(30)" << 1;
        QTest::newRow("class name") << "Text1(30)" << QKeySequence("Return") << "Text1(0)" << 1;
        QTest::newRow("Memorizza") << "cmdSalva" << QKeySequence("Return") << "cmdSalva" << 1;
        QTest::newRow("Assegna") << "CmdRandom" << QKeySequence("Enter") << "CmdRandom" << 1;
        QTest::newRow("Svuota") << "cmdClear" << QKeySequence("Space") << "cmdClear" << 1;
        QTest::newRow("Ctrl+Tab") << "Text1(5)" << QKeySequence("Ctrl+Tab") << "Text1(5)" << 2;
        QTest::newRow("Ctrl+PgDn") << "Text1(9)" << QKeySequence("Ctrl+PgDown") << "Text1(9)" << 2;
        QTest::newRow("wraps") << "Text1(0)" << QKeySequence("Ctrl+PgUp") << "Text1(0)" << 10;
        QTest::newRow("Ctrl+Shift+Tab")
            << "Text1(30)" << QKeySequence("Ctrl+Shift+Tab") << "Text1(30)" << 10;
        QTest::newRow("Ctrl+Shift+Tab twice")
            << "Combo1(3)" << QKeySequence("Ctrl+Shift+Tab, Ctrl+Shift+Tab") << "Combo1(3)" << 9;
    }
    void keysAct()
    {
        QFETCH(QString, from);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, focusTo);
        QFETCH(int, tabTo);
        QStringList pressed;
        for (QPushButton *button : m_window->findChildren<QPushButton *>())
            connect(button, &QPushButton::clicked,
                    [&pressed, button] { pressed << button->objectName(); });
        m_window->findChild<QWidget *>(from)->setFocus(Qt::TabFocusReason);
        QVERIFY(RealKeys::press(QApplication::focusWidget(), keys));
        QCOMPARE(pressed.join("") + focused() + box(0)->text(),
                 (from.startsWith("cmd", Qt::CaseInsensitive) ? from : "") + focusTo + "Primo " +
                     QString::number(tabTo));
    }

    // A held Enter on a button presses it once, not again with every repeat.
    void heldEnterPressesOnce()
    {
        QPushButton *store = button(m_window.get(), "cmdSalva");
        int pressed = 0;
        connect(store, &QPushButton::clicked, [&pressed] { ++pressed; });
        for (bool repeat : {false, true, true}) {
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", repeat);
            QApplication::sendEvent(store, &enter);
        }
        QCOMPARE(pressed, 1);
    }
};

POSTI_TEST_MAIN(NameBoxesTest)
#include "tst_nameboxes.moc"
