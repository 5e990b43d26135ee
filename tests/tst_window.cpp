// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on the offscreen platform, driven as a teacher drives it:
// start-up from the seating file, what the screen shows, the file written at
// close, every question the program asks with its default button, and the
// factor that fits the window to a small screen. The rules' and the
// session's own logic is tested through the fake view; here their wiring is
// what counts.

#include "windowdriver.h"
#include "windowfit.h"

#include <QTest>

namespace {

const QString Marker = QStringLiteral("-> Non assegnare <-");

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

    std::unique_ptr<TestWindow> m_window;
    QList<QStringList> seatLists() const
    {
        return listOf(30, [this](int d) {
            QComboBox *desk = m_window->desk(d);
            return listOf(desk->count(), [desk](int i) { return desk->itemText(i); });
        });
    }

private slots:
    void init() { m_window = std::make_unique<TestWindow>(); }
    void cleanup() { m_window.reset(); }

    void firstRunShowsEmptyClassesAndWritesAFreshFile()
    {
        QVERIFY(m_window->open());
        QCOMPARE(m_window->names(), QStringList(31, ""));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker}));
        QCOMPARE(m_window->seating(), QList<int>(30, 0));
        QCOMPARE((*m_window)->windowTitle(), QString("Posti in classe[*]"));
        QCOMPARE(m_window->close(), QByteArray(" ,0\r\n").repeated(310));
    }

    // Desk 0 shows the last pupil, desk 3 the marker; -1 selects nothing,
    // and a position past the list leaves the desk blank.
    void startUpShowsClassOneAndNamedTabs()
    {
        QVERIFY(m_window->open(seatingFile({{0, "Anna,4"},
                                            {1, "Bruno,0"},
                                            {3, "Dario,1"},
                                            {5, " ,-1"},
                                            {6, " ,5"},
                                            {30, "3A,0"},
                                            {216, "5C,0"}})));
        QCOMPARE(listOf(10, [this](int tab) { return m_window->tabs()->tabText(tab); }),
                 QStringList({"3A", "2", "3", "4", "5", "6", "5C", "8", "9", "10"}));
        QCOMPARE(m_window->box(30)->text(), QString("3A"));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker, "Anna", "Bruno", "Dario"}));
        QCOMPARE(m_window->seating(), seats({{0, 4}, {3, 1}, {5, -1}}, false));
    }

    // A stored name and class name outlive a restart, in the file's code
    // page; what is not stored is not written at close.
    void onlyStoredNamesAreKept()
    {
        QVERIFY(m_window->open(seatingFile({{0, "Anna,2"}})));
        m_window->box(0)->selectAll();
        QTest::keyClicks(m_window->box(0), "Niccol");
        QTest::sendKeyEvent(QTest::Click, m_window->box(0), Qt::Key_Ograve, QStringLiteral("ò"),
                            {});
        QTest::keyClicks(m_window->box(30), "2B");
        m_window->click("cmdSalva");
        QTest::keyClicks(m_window->box(1), "Bruno");
        QCOMPARE(m_window->close(), seatingFile({{0, "Niccol\xf2,2"}, {30, "2B,0"}}));

        QVERIFY(m_window->open());
        QCOMPARE(m_window->box(0)->text(), QString("Niccolò"));
        QCOMPARE(m_window->tabs()->tabText(0), QString("2B"));
    }

    // 30 pupils and desks 0-2 marked: three too many for the free desks.
    // What each answer does is the rules', the session's and the keeper's
    // own test; here the box must reach the teacher as they ask for it.
    void everyQuestionWithItsDefault_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("box"); // title|buttons|default|text, the text's start
        const QString del = "Attenzione!|Sì/No|Sì|"
                            "Sei sicuro di volere cancellare tutti i nomi degli alunni?";
        QTest::newRow("Assegna mancanti refused")
            << "CmdRandom"
            << "OK"
            << "Errore!|OK||Ci sono più alunni che banchi liberi!\n"
               "Rimuovere a 3 banchi l'indicazione ->Non assegnare<-.";
        QTest::newRow("Cancella nomi: No") << "cmdCancNomi"
                                           << "No" << del;
        QTest::newRow("Cancella nomi: Sì") << "cmdCancNomi"
                                           << "Sì" << del;
        QTest::newRow("changes not stored")
            << "tab"
            << "No"
            << "Attenzione!|Sì/No|Sì|La classe «3A» ha modifiche non memorizzate. Memorizzarle?";
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
        QVERIFY(m_window->open(seatingFile(
            withClass({}, 1, "3A", "Alunno", seats({{0, 1}, {1, 1}, {2, 1}, {10, 0}, {20, 0}})))));
        MessageBoxAnswerer answerer(answer);
        if (action == "tab") {
            QTest::keyClicks(m_window->box(1), "x");
            m_window->clickTab(2);
        } else if (action == "crash") {
            QTest::keyClicks(m_window->box(1), "x");
            m_window->click("cmdSalva");
            m_window->crash();
            QVERIFY(m_window->open({}, &answerer));
        } else {
            m_window->click(action);
        }
        QCOMPARE(answerer.count(), 1);
        const QString seen = answerer.title() + '|' + answerer.buttons().join('/') + '|' +
                             answerer.defaultButtons().value(0) + '|' + answerer.text();
        QCOMPARE(seen.left(box.size()), box);
        QVERIFY(!answerer.hasIcon());
        if (action == "cmdCancNomi")
            QCOMPARE(m_window->box(0)->text().isEmpty(), answer == "Sì");
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

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
