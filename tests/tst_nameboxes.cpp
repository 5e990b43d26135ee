// The 31 name boxes of the real window: what typing and pasting put in them,
// the hint that explains a refusal, and names read from a file shown as they are.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QTest>
#include <QtWidgets>

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

    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_window;

    static QString hint() { return QToolTip::isVisible() ? QToolTip::text() : QString(); }
    QLineEdit *box(int i) const
    {
        return m_window->findChild<QLineEdit *>(QString("Text1(%1)").arg(i));
    }
    // What the 31 boxes show, or what the class table holds for them.
    QStringList names(bool stored = false) const
    {
        QStringList names;
        for (int i = 0; i <= ClassName; ++i)
            names << (stored ? m_window->archivio().cell(i, Archivio::NameColumn) : box(i)->text());
        return names;
    }

private slots:
    // Class 1: "Vecchio 1", Quoted, LongName, "Vecchio 4" ... "Vecchio 30", class "3A\u0081".
    void init()
    {
        QByteArray file =
            "Vecchio 1,0\r\n" + Quoted.toLatin1() + ",0\r\n" + LongName.toLatin1() + ",0\r\n";
        for (int slot = 4; slot <= 30; ++slot)
            file += "Vecchio " + QByteArray::number(slot) + ",0\r\n";
        file += "3A\x81,0\r\n";
        QFile out(m_dir.filePath(QStringLiteral("Posti.bq")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size() && out.flush());
        m_window = std::make_unique<Form2>(out.fileName());
        // The file is short and holds an undefined byte: one damage report.
        MessageBoxAnswerer report(QStringLiteral("OK"));
        m_window->startUp();
        QCOMPARE(report.count(), 1);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QToolTip::hideText();
    }
    // A clean close, so that no journal of this run is offered to the next.
    void cleanup()
    {
        m_window->close();
        m_window.reset();
    }

    void namesFromTheFileAreShownAsTheyAre()
    {
        QCOMPARE(names().mid(1, 2), QStringList({Quoted, LongName}));
        QCOMPARE(box(ClassName)->text(), QStringLiteral("3A\u0081"));
        QCOMPARE(box(2)->cursorPosition(), 0); // a long name shows its beginning
    }

    // Each entry starts with the cursor before the box's old name; Memorizza then stores it.
    // Typing goes into a plain name, a name loaded with refused characters (an
    // edit may not add more of them) and the class name.
    void entering_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("input");      // typed or on the clipboard
        QTest::addColumn<QStringList>("filled"); // boxes first, first + 1, ...
        QTest::addColumn<QString>("hintPart");
        QTest::newRow("typed accents, apostrophe, spaces")
            << Typed << ClassName << "D'Ali Gesù " << QStringList{"D'Ali Gesù 3A\u0081"} << "";
        QTest::newRow("typed comma")
            << Typed << 0 << "Rossi, M " << QStringList{"Rossi M Vecchio 1"} << "nome: la virgola.";
        QTest::newRow("typed double quote")
            << Typed << 1 << "\"Gigi\"" << QStringList{"Gigi" + Quoted} << "nome: le virgolette";
        QTest::newRow("typed outside Windows-1252")
            << Typed << ClassName << "Wałęsa" << QStringList{"Wasa3A\u0081"} << "nome: «ę»";
        QTest::newRow("LF") << Pasted << 0 << "Rossi\nBi\nVerdi"
                            << QStringList{"Rossi", "Bi", "Verdi"} << "Incollati 3 nomi";
        QTest::newRow("CR LF, trimmed") << Pasted << 14 << " Rossi\r\nBi\r\n"
                                        << QStringList{"Rossi", "Bi"} << "Incollati 2";
        QTest::newRow("stops at pupil 30")
            << Pasted << 27 << "A\nB\nC\nD\nE" << QStringList{"A", "B", "C"} << "ultime 2 righe";
        QTest::newRow("a bad line pastes nothing")
            << Pasted << 0 << "Rossi\nBi, Anna" << QStringList{} << "Nessun nome incollato";
        QTest::newRow("one line at the cursor")
            << Pasted << 4 << "Mario " << QStringList{"Mario Vecchio 5"} << "";
        QTest::newRow("one line with a comma")
            << Pasted << 4 << ", Mario" << QStringList{} << "nome: la virgola.";
        QTest::newRow("class name takes no list")
            << Pasted << ClassName << "3B\n3C" << QStringList{} << "una riga sola";
        QTest::newRow("menu, a list") << FromMenu << 2 << "Rossi\r\nBi\r\n"
                                      << QStringList{"Rossi", "Bi"} << "Incollati 2";
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
        QTest::keyClick(box(first), Qt::Key_Home);
        if (how == Typed) {
            for (const QChar c : input)
                QTest::sendKeyEvent(QTest::Click, box(first), Qt::Key_unknown, c, Qt::NoModifier);
        } else if (how == FromMenu) {
            QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(box(first), &event);
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menu->hide();
            for (QAction *action : menu->actions()) {
                if (action->text().startsWith(QLatin1String("&Incolla")))
                    action->trigger();
            }
        } else {
            QTest::keyClick(box(first), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(names(), expected);
        QVERIFY2(hintPart.isEmpty() ? hint().isEmpty() : hint().contains(hintPart),
                 qPrintable(hint()));
        QCOMPARE(names(true), loaded);
        QTest::mouseClick(m_window->findChild<QPushButton *>("cmdSalva"), Qt::LeftButton);
        QCOMPARE(names(true), expected);
    }
};

QTEST_MAIN(NameBoxesTest)
#include "tst_nameboxes.moc"
