// SPDX-License-Identifier: GPL-3.0-or-later
// The real window marks changes not stored while they last and asks before
// the class is left, by a click on a tab, by Ctrl+Tab or by closing. What is
// asked when, and what each answer keeps, is the session's own test.

#include "windowdriver.h"

#include <QTest>

namespace {

// Class 1 "3A": Anna on desk 1, Bruno not seated; class 2: Zeno.
const Rows Stored{{0, "Anna,2"}, {1, "Bruno,0"}, {30, "3A,0"}, {31, "Zeno,0"}};

} // namespace

class UnstoredTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

private slots:
    void cleanup() { m_window.close(); }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<QString>("change"); // "name", "desk" or none
        QTest::addColumn<QString>("leave");  // "tab", "Ctrl+Tab" or "close"
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Rows>("written"); // the rows changed in the file written at close
        QTest::newRow("tab, name, Sì") << "name"
                                       << "tab"
                                       << "Sì" << Rows{{1, "Bruna,0"}};
        QTest::newRow("Ctrl+Tab, desk, Sì") << "desk"
                                            << "Ctrl+Tab"
                                            << "Sì" << Rows{{5, " ,3"}};
        QTest::newRow("close, name, No") << "name"
                                         << "close"
                                         << "No" << Rows{};
        QTest::newRow("close, nothing changed") << ""
                                                << "close"
                                                << "" << Rows{};
    }

    // While changes are unstored, the title, the class's tab and Memorizza
    // show it without anything moving. After a tab change class 2 is shown,
    // unmarked.
    void leavingAsksFirst()
    {
        QFETCH(QString, change);
        QFETCH(QString, leave);
        QFETCH(QString, answer);
        QFETCH(Rows, written);
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

        MessageBoxAnswerer answerer(answer);
        if (leave == "tab") {
            m_window.clickTab(2);
        } else if (leave == "Ctrl+Tab") {
            // The desk's list may have been the active window last.
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        }
        if (leave != "close") {
            QCOMPARE(m_window.box(0)->text(), QString("Zeno"));
            QCOMPARE(m_window.tabs()->currentIndex(), 1);
            QVERIFY(!m_window->isWindowModified());
            QCOMPARE(m_window.tabs()->tabText(0), QString("3A"));
        }
        QVERIFY(m_window->close());
        QCOMPARE(answerer.count(), unstored ? 1 : 0);
        Rows rows = Stored;
        rows.insert(written);
        QCOMPARE(readFile(m_window.path()), seatingFile(rows));
    }
};

QTEST_MAIN(UnstoredTest)
#include "tst_unstored.moc"
