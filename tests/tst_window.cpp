// SPDX-License-Identifier: GPL-3.0-or-later
// The real window driven as a teacher drives it: start-up from the seating
// file, what the screen shows, the file written at close, every question the
// program asks with its default button, the mark of unstored changes and the
// question on leaving a class by a tab or by closing, undo and redo by keys
// and the room's menu, and the factor that fits the window to a small screen.
// The rules' and the session's own logic is tested through the fake view;
// here their wiring is what counts.

#include "readonlybar.h"
#include "realkeys.h"
#include "testmain.h"
#include "windowdriver.h"
#include "windowfit.h"

#include <QLockFile>
#include <QProcess>
#include <QTest>

namespace {

const QString Marker = QStringLiteral("-> Non assegnare <-");

// Class 1 "3A": Anna on desk 1, Bruno not seated; class 2: Zeno.
const Rows Stored{{0, "Anna,2"}, {1, "Bruno,0"}, {30, "3A,0"}, {31, "Zeno,0"}};

template <typename F> auto listOf(int count, F item)
{
    QList<decltype(item(0))> list;
    for (int i = 0; i < count; ++i)
        list << item(i);
    return list;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;
    QList<QStringList> seatLists() const
    {
        return listOf(30, [this](int d) {
            QComboBox *desk = m_window.desk(d);
            return listOf(desk->count(), [desk](int i) { return desk->itemText(i); });
        });
    }

    // To the focus, or to the window while a closed menu has not given it back yet.
    void keys(const QKeySequence &keys) const
    {
        m_window.activateIfNone();
        QWidget *focus = QApplication::focusWidget();
        QTest::keySequence(focus ? focus : m_window.get(), keys);
    }
    // Keys that open a question, under X through the server: their release
    // may go to the question, so its answer tells that they arrived.
    static void pressAsking(const QKeySequence &keys, const MessageBoxAnswerer &answerer)
    {
        if (QGuiApplication::platformName() != "xcb")
            return QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(QProcess::execute("xdotool", {"key", RealKeys::xdotoolName(keys[0])}), 0);
        QTRY_COMPARE(answerer.count(), 1);
    }
    QStringList desks() const
    {
        QStringList desks;
        for (int d = 0; d < SeatingView::Desks; ++d)
            desks << m_window.desk(d)->currentText();
        return desks;
    }

private slots:
    void cleanup() { m_window.close(); }

    void firstRunShowsEmptyClassesAndWritesAFreshFile()
    {
        QVERIFY(m_window.open());
        QCOMPARE(m_window.names(), QStringList(31, ""));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker}));
        QCOMPARE(m_window.seating(), QList<int>(30, 0));
        QCOMPARE(m_window->windowTitle(), QString("Posti in classe[*]"));
        QCOMPARE(m_window.close(), QByteArray(" ,0\r\n").repeated(310));
    }

    // Desk 0 shows the last pupil, desk 3 the marker; -1 selects nothing,
    // and a position past the list leaves the desk blank, said once.
    void startUpShowsClassOneAndNamedTabs()
    {
        MessageBoxAnswerer answerer(QString("OK"));
        QVERIFY(m_window.open(seatingFile({{0, "Anna,4"},
                                           {1, "Bruno,0"},
                                           {3, "Dario,1"},
                                           {5, " ,-1"},
                                           {6, " ,5"},
                                           {30, "3A,0"},
                                           {216, "5C,0"}}),
                              &answerer));
        QCOMPARE(answerer.texts(),
                 QStringList{"1 banco indicava un alunno che non c'è più: ora è vuoto."});
        QCOMPARE(listOf(10, [this](int tab) { return m_window.tabs()->tabText(tab); }),
                 QStringList({"3A", "2", "3", "4", "5", "6", "5C", "8", "9", "10"}));
        QCOMPARE(m_window.box(30)->text(), QString("3A"));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker, "Anna", "Bruno", "Dario"}));
        QCOMPARE(m_window.seating(), seats({{0, 4}, {3, 1}, {5, -1}}, false));
    }

    // A stored name and class name outlive a restart, in the file's code
    // page; what is not stored is not written at close.
    void onlyStoredNamesAreKept()
    {
        QVERIFY(m_window.open(seatingFile({{0, "Anna,2"}})));
        m_window.box(0)->selectAll();
        QTest::keyClicks(m_window.box(0), "Niccol");
        QTest::sendKeyEvent(QTest::Click, m_window.box(0), Qt::Key_Ograve, QStringLiteral("ò"), {});
        QTest::keyClicks(m_window.box(30), "2B");
        m_window.click("cmdSalva");
        QTest::keyClicks(m_window.box(1), "Bruno");
        QCOMPARE(m_window.close(), seatingFile({{0, "Niccol\xf2,2"}, {30, "2B,0"}}));

        QVERIFY(m_window.open());
        QCOMPARE(m_window.box(0)->text(), QString("Niccolò"));
        QCOMPARE(m_window.tabs()->tabText(0), QString("2B"));
    }

    // A name changed and stored reaches every desk's list, also one as long
    // as the name it replaces, and the desk keeps its pupil.
    void storedNameReachesEveryDesk()
    {
        QVERIFY(m_window.open(seatingFile({{0, "Anna,2"}, {1, "Bruno,0"}})));
        m_window.box(0)->selectAll();
        QTest::keyClicks(m_window.box(0), "Alba");
        m_window.click("cmdSalva");
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker, "Alba", "Bruno"}));
        QCOMPARE(desks().first(), QString("Alba"));
    }

    // 30 pupils and desks 0-2 marked: three too many for the free desks.
    // What each answer does is the rules', the session's and the keeper's
    // own test; here the box must reach the teacher as they ask for it.
    void everyQuestionWithItsDefault_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("box"); // title|buttons|default|text, the text's start
        const QString del = "Attenzione!|Sì/No|No|"
                            "Sei sicuro di volere cancellare tutti i nomi degli alunni?";
        QTest::newRow("Assegna mancanti refused")
            << "CmdRandom"
            << "OK"
            << "Errore!|OK|OK|Ci sono più alunni che banchi liberi!\n"
               "Rimuovere a 3 banchi l'indicazione ->Non assegnare<-.";
        QTest::newRow("Cancella nomi: No") << "cmdCancNomi"
                                           << "No" << del;
        QTest::newRow("Cancella nomi: Sì") << "cmdCancNomi"
                                           << "Sì" << del;
        QTest::newRow("changes not stored")
            << "tab"
            << "No"
            << "Attenzione!|Sì/No/Annulla|Sì|La classe «3A» ha modifiche non memorizzate.";
        QTest::newRow("names not stored")
            << "fill"
            << "Annulla"
            << "Attenzione!|Sì/Annulla|Sì|I nomi sullo schermo non sono ancora memorizzati.";
        QTest::newRow("journal after a crash")
            << "crash"
            << "No"
            << "Attenzione!|Sì/No|No|L'ultima volta il programma non è stato chiuso correttamente";
    }
    void everyQuestionWithItsDefault()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QString, box);
        QVERIFY(m_window.open(seatingFile(
            withClass({}, 1, "3A", "Alunno", seats({{0, 1}, {1, 1}, {2, 1}, {10, 0}, {20, 0}})))));
        MessageBoxAnswerer answerer(answer);
        if (action == "tab" || action == "fill") {
            QTest::keyClicks(m_window.box(1), "x");
            action == "tab" ? m_window.clickTab(2) : m_window.click("CmdRandom");
        } else if (action == "crash") {
            QTest::keyClicks(m_window.box(1), "x");
            m_window.click("cmdSalva");
            m_window.crash();
            QVERIFY(m_window.open({}, &answerer));
        } else {
            m_window.click(action);
        }
        QCOMPARE(answerer.count(), 1);
        const QString seen = answerer.title() + '|' + answerer.buttons().join('/') + '|' +
                             answerer.defaultButtons().value(0) + '|' + answerer.text();
        QCOMPARE(seen.left(box.size()), box);
        QVERIFY(!answerer.hasIcon());
        if (action == "cmdCancNomi")
            QCOMPARE(m_window.box(0)->text().isEmpty(), answer == "Sì");
    }

    void leavingAsksFirst_data()
    {
        // The change ("name", "desk" or none), how the class is left (a click on
        // a tab, keys, "close" or "Alt+F4") and the answer (a button, "Esc" or "×").
        QTest::addColumn<QString>("how");
        QTest::addColumn<Rows>("written"); // the rows changed in the file, closed with Sì
        const Rows bruna{{1, "Bruna,0"}};
        for (const QString leave :
             {"tab", "Ctrl+Tab", "Ctrl+PgDown", "Ctrl+Shift+Tab", "Ctrl+PgUp", "close", "Alt+F4"}) {
            for (const QString answer : {"Sì", "No", "Annulla"})
                QTest::addRow("%s, %s", qPrintable(leave), qPrintable(answer))
                    << "name/" + leave + '/' + answer << (answer == "No" ? Rows{} : bruna);
        }
        QTest::newRow("tab, Escape") << "name/tab/Esc" << bruna;
        QTest::newRow("close, the box's ×") << "name/close/×" << bruna;
        QTest::newRow("Ctrl+Tab, desk, Sì") << "desk/Ctrl+Tab/Sì" << Rows{{5, " ,3"}};
        QTest::newRow("close, nothing changed") << "/close/" << Rows{};
    }

    // While changes are unstored, the title, the class's tab and Memorizza
    // show it without anything moving. After a Sì or a No the next or the
    // previous class is shown, unmarked, or the window closes; Annulla,
    // Escape and the box's × stay, changes and all, and the close after it
    // stores them.
    void leavingAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(Rows, written);
        const QString change = how.section('/', 0, 0), leave = how.section('/', 1, 1);
        const QString answer = how.section('/', 2);
        if (leave == "Alt+F4" && QGuiApplication::platformName() != "xcb")
            QSKIP("Alt+F4 is the window manager's");
        QVERIFY(m_window.open(seatingFile(Stored)));
        QTabBar *bar = m_window.tabs()->tabBar();
        QList<QRect> places;
        for (int tab = 0; tab < 10; ++tab)
            places << bar->tabRect(tab);
        QPushButton *store = button(m_window.get(), "cmdSalva");
        const QRect storePlace = store->geometry();
        if (change == "name") {
            m_window.box(1)->end(false);
            QTest::keyClick(m_window.box(1), Qt::Key_Backspace);
            QTest::keyClick(m_window.box(1), Qt::Key_A);
        } else if (change == "desk") {
            m_window.pick(5, 3); // Bruno
        }

        const bool unstored = !answer.isEmpty();
        QCOMPARE(m_window->isWindowModified(), unstored);
        QCOMPARE(m_window.tabs()->tabText(0), unstored ? QString("3A *") : QString("3A"));
        QCOMPARE(m_window.tabs()->tabText(1), QString("2"));
        QCOMPARE(store->font().bold(), unstored);
        QVERIFY(store->fontMetrics().horizontalAdvance(store->text()) <= store->width());
        QCOMPARE(store->geometry(), storePlace);
        for (int tab = 0; tab < 10; ++tab)
            QCOMPARE(bar->tabRect(tab), places[tab]);

        const bool stays = answer == "Annulla" || answer == "Esc" || answer == "×";
        // The desk's list may have been the active window last.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto answerer = std::make_unique<MessageBoxAnswerer>(answer);
        if (leave == "tab") {
            m_window.clickTab(2);
        } else if (leave == "close") {
            QCOMPARE(m_window->close(), !stays);
        } else {
            pressAsking(QKeySequence(leave), *answerer);
        }
        QCOMPARE(answerer->count(), unstored ? 1 : 0);
        answerer.reset(); // the close below has its own
        if (leave == "close" || leave == "Alt+F4") {
            QCOMPARE(m_window->isVisible(), stays);
        } else {
            const int back = leave.contains("Shift") || leave.contains("Up") ? 9 : 1;
            QCOMPARE(m_window.tabs()->currentIndex(), stays ? 0 : back);
            QCOMPARE(m_window.tabs()->tabText(0) + '|' + m_window.box(0)->text(),
                     stays       ? "3A *|Anna"
                     : back == 1 ? "3A|Zeno"
                                 : "3A|");
        }
        Rows rows = Stored;
        rows.insert(written);
        QCOMPARE(m_window.close("Sì"), seatingFile(rows));
    }

    // A class of 22, its names not stored: Ctrl+L offers to store them, then
    // marks the desks the fill needs as one step, and the fill runs.
    void markFreeDesks()
    {
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats({}, false)))));
        for (int box = 22; box < 30; ++box)
            m_window.box(box)->clear();
        m_window.box(0)->setFocus();
        MessageBoxAnswerer answerer(QString("Sì"));
        pressAsking(QKeySequence("Ctrl+L"), answerer);
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(desks().count(Marker), 8); // which ones is the rules' test
        QCOMPARE(m_window.action("undoAction")->text(),
                 QString("Annulla «Segna i banchi da lasciare liberi»"));
        m_window.click("CmdRandom");
        QVERIFY(!desks().contains(""));
    }

    // Ctrl+B reseats the whole class as one step and says how far back it
    // looked: with no plan stored yet, that the desks were drawn at random.
    void newDeskMates()
    {
        QFile::remove(m_window.besideFile("Posti-cronologia.txt"));
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats()))));
        const QStringList before = desks();
        m_window.box(0)->setFocus();
        MessageBoxAnswerer answerer(QString("OK"));
        pressAsking(QKeySequence("Ctrl+B"), answerer);
        QCOMPARE(answerer.title() + '|' + answerer.text(),
                 "Nuovi compagni di banco|Non ci sono ancora disposizioni memorizzate: i banchi "
                 "sono assegnati a caso.");
        QCOMPARE(m_window.action("undoAction")->text(),
                 QString("Annulla «Nuovi compagni di banco»"));
        QStringList after = desks();
        QCOMPARE(QSet<QString>(after.begin(), after.end()),
                 QSet<QString>(before.begin(), before.end()));
        QVERIFY(after != before);
    }

    void undoAndRedo_data()
    {
        QTest::addColumn<QKeySequence>("undoKeys"); // none: from the room's menu
        QTest::addColumn<QKeySequence>("redoKeys");
        QTest::newRow("Ctrl+Z, Ctrl+Y") << QKeySequence("Ctrl+Z") << QKeySequence("Ctrl+Y");
        QTest::newRow("Ctrl+Z, Ctrl+Shift+Z")
            << QKeySequence("Ctrl+Z") << QKeySequence("Ctrl+Shift+Z");
        QTest::newRow("room's menu") << QKeySequence() << QKeySequence();
    }
    void undoAndRedo()
    {
        QFETCH(QKeySequence, undoKeys);
        QFETCH(QKeySequence, redoKeys);
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats({}, false)))));
        const QStringList empty = desks();
        QCOMPARE(m_window.roomMenu().mid(0, 2), (QStringList{"Annulla", "Ripeti"}));
        QVERIFY(!m_window.action("undoAction")->isEnabled());
        m_window.click("CmdRandom");
        const QStringList filled = desks();
        QVERIFY(m_window->isWindowModified());

        QCOMPARE(m_window.action("undoAction")->text(), QString("Annulla «Assegna mancanti»"));
        undoKeys.isEmpty() ? void(m_window.roomMenu(0)) : keys(undoKeys);
        QCOMPARE(desks(), empty);
        QVERIFY(!m_window->isWindowModified());
        QCOMPARE(m_window.action("redoAction")->text(), QString("Ripeti «Assegna mancanti»"));
        redoKeys.isEmpty() ? void(m_window.roomMenu(1)) : keys(redoKeys);
        QCOMPARE(desks(), filled);
        QVERIFY(m_window->isWindowModified());
    }

    // The box's own typing first, then the class's steps; typing in a box
    // the focus has left is one step of the class.
    void undoKeysInANameBox()
    {
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats({}, false)))));
        m_window.click("CmdRandom");
        const QStringList filled = desks();
        QLineEdit *box0 = m_window.box(0), *box1 = m_window.box(1);
        box0->setFocus();
        QTest::keyClicks(box0, "x");
        keys(QKeySequence("Ctrl+Z")); // the box's typing
        QCOMPARE(box0->text() + desks().join(' '), "Alunno 0" + filled.join(' '));
        keys(QKeySequence("Ctrl+Y")); // the box's again
        QCOMPARE(box0->text(), QString("xAlunno 0"));
        keys(QKeySequence("Ctrl+Z"));
        keys(QKeySequence("Ctrl+Z")); // nothing left in the box: the fill
        QCOMPARE(box0->text() + desks().join(' '), "Alunno 0" + QString(" ").repeated(29));
        keys(QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(desks(), filled);

        // Pupils 1 and 2 typed into, then Enter on to pupil 3, which has nothing to undo.
        QTest::keyClicks(box0, "y");
        QTest::keyClick(box0, Qt::Key_Return);
        QTest::keyClicks(box1, "z");
        QTest::keyClick(box1, Qt::Key_Return);
        QCOMPARE(m_window.action("undoAction")->text(),
                 QString("Annulla modifica del nome dell'alunno 2"));
        keys(QKeySequence("Ctrl+Z"));
        QCOMPARE(box1->text() + box0->text(), QString("Alunno 1yAlunno 0"));
        keys(QKeySequence("Ctrl+Z"));
        QCOMPARE(box0->text() + desks().join(' '), "Alunno 0" + filled.join(' '));
    }

    // A read-only copy (another copy holds the file) says so in its title and in
    // a bar above the room, which pushes the room down whole. The marks, the
    // store, a desk's pick, undo and the print work in memory; the first store
    // says so; the close asks, Annulla by default and by Escape; nothing is written.
    void readOnlyCopy()
    {
        QLockFile other(m_window.path() + ".lock");
        QVERIFY(other.tryLock());
        {
            MessageBoxAnswerer started(QString("OK"));
            QVERIFY(m_window.open(seatingFile(Stored), &started));
        }
        QCOMPARE(m_window->windowTitle(), QString("Posti in classe[*] — sola lettura"));
        auto *bar = m_window.control<ReadOnlyBar>("readOnlyBar");
        QCOMPARE(bar->shownText(), "Sola lettura, nulla verrà salvato: il file è già aperto in "
                                   "un'altra copia del programma. File: " +
                                       QDir::toNativeSeparators(m_window.path()));
        QCOMPARE(m_window.box(0)->mapTo(m_window.get(), QPoint()), QPoint(944, 134));

        QTest::keyClicks(m_window.box(2), "Carla");
        QVERIFY(m_window->isWindowModified());
        {
            MessageBoxAnswerer stored(QString("OK"));
            m_window.click("cmdSalva");
            m_window.click("cmdSalva");
            QCOMPARE(stored.count(), 1);
        }
        QVERIFY(!m_window->isWindowModified());
        m_window.pick(5, 4);
        QCOMPARE(m_window->printableClass().desks[5].pupil, QString("Carla"));
        m_window.action("undoAction")->trigger();
        QCOMPARE(m_window.desk(5)->currentIndex(), 0);
        {
            MessageBoxAnswerer closing(QString("Esc"));
            QVERIFY(!m_window->close());
            QCOMPARE(closing.defaultButtons(), QStringList{"Annulla"});
        }
        QCOMPARE(m_window.close("Chiudi senza salvare"), seatingFile(Stored));
    }

    // The factor that fits a window of 1243 × 529 with a frame of 4, 30, 4, 4
    // to the screen's free area: two decimals, rounded down, at most 1.
    void fitFactor_data()
    {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<qreal>("factor");
        QTest::newRow("just fits") << QSize(1251, 563) << 1.0;
        QTest::newRow("a pixel too narrow") << QSize(1250, 563) << 0.99;
        QTest::newRow("a pixel too low") << QSize(1251, 562) << 0.99;
        QTest::newRow("1366 × 768 at 125 %") << QSize(1093, 614) << 0.87;
        QTest::newRow("1600 × 900 at 150 %") << QSize(1067, 600) << 0.85;
        QTest::newRow("wide and low") << QSize(1920, 400) << 0.69;
        QTest::newRow("large screen") << QSize(2560, 1600) << 1.0;
        QTest::newRow("no room at all") << QSize(100, 100) << 0.1;
    }
    void fitFactor()
    {
        QFETCH(QSize, available);
        QFETCH(qreal, factor);
        QCOMPARE(WindowFit::factorFor(QSize(1243, 529), QMargins(4, 30, 4, 4),
                                      QRect(QPoint(50, 20), available)),
                 factor);
    }
};

POSTI_TEST_MAIN(WindowTest)
#include "tst_window.moc"
