// SPDX-License-Identifier: GPL-3.0-or-later
// The desk selectors of the real window, driven as the keyboard and the mouse
// drive them, with every desk taken: only a pick in a desk's open list changes
// the class; keys and the wheel never do. Under X the first key goes through
// the X server, keypad keys with NumLock off included.

#include "realkeys.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

namespace {

// Class 1 with 30 pupils at the given desks; pupil 20 has a name of her own,
// for the typed letter.
QByteArray fileOf(const QList<int> &desks)
{
    Rows rows = withClass({}, 1, "", "Alunno", desks);
    rows[20] = "Marta," + QByteArray::number(desks[20]);
    rows.remove(30);
    return seatingFile(rows);
}

} // namespace

class DeskPicksTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

private slots:
    void cleanup() { m_window.close(); }

    // Desk 4 holds pupil 4 at position 6; its list holds 32 items. A step is a
    // key, a wheel notch ("wheel+" up), a click on the open list's item
    // ("click19") or beside the list ("outside").
    void onlyAPickInTheOpenListCounts_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("highlight"); // in the list left open; -1: closed
        QTest::addColumn<QList<int>>("after");
        const QList<int> all = seats();
        QTest::newRow("wheel down") << all << "wheel-" << -1 << all;
        QTest::newRow("wheel up") << all << "wheel+" << -1 << all;
        QTest::newRow("Down") << all << "Down" << 7 << all;
        QTest::newRow("Up") << all << "Up" << 5 << all;
        QTest::newRow("Page Down") << all << "PgDown" << 7 << all;
        QTest::newRow("Page Up") << all << "PgUp" << 5 << all;
        QTest::newRow("Home") << all << "Home" << 0 << all;
        QTest::newRow("End") << all << "End" << 31 << all;
        QTest::newRow("keypad Down") << all << "Num+Down" << 7 << all;
        QTest::newRow("keypad Up") << all << "Num+Up" << 5 << all;
        QTest::newRow("keypad Home") << all << "Num+Home" << 0 << all;
        QTest::newRow("keypad End") << all << "Num+End" << 31 << all;
        QTest::newRow("Alt+Down") << all << "Alt+Down" << 6 << all;
        QTest::newRow("F4") << all << "F4" << 6 << all;
        QTest::newRow("Space") << all << "Space" << 6 << all;
        QTest::newRow("typed letter") << all << "M" << 22 << all;
        QTest::newRow("Shift+letter") << all << "Shift+M" << 22 << all;
        QTest::newRow("Down, Return") << all << "Down Return" << -1 << seats({{4, 7}, {5, 6}});
        QTest::newRow("keypad Up, Enter") << all << "Num+Up Enter" << -1 << seats({{4, 5}, {3, 6}});
        QTest::newRow("click") << all << "Space click19" << -1 << seats({{4, 19}, {17, 6}});
        QTest::newRow("the same pupil again") // pupil 17 on desks 4 and 17
            << seats({{4, 19}}) << "Space Return" << -1 << seats({{4, 19}, {17, 6}});
        QTest::newRow("Down, Escape") << all << "Down Esc" << -1 << all;
        QTest::newRow("Down, click outside") << all << "Down outside" << -1 << all;
    }

    // A pick is one seat-change reaction and the swap it makes is stored;
    // whatever only opened the list, Escape closes it and nothing has changed.
    void onlyAPickInTheOpenListCounts()
    {
        QFETCH(QList<int>, before);
        QFETCH(QString, steps);
        QFETCH(int, highlight);
        QFETCH(QList<int>, after);
        QVERIFY(m_window.open(fileOf(before)));
        MessageBoxAnswerer unexpected(QStringList{});
        QComboBox *desk = m_window.desk(4);
        desk->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), desk);
        QSignalSpy picks(desk, &QComboBox::activated);
        QAbstractItemView *list = desk->view();
        bool first = true;
        for (const QString &step : steps.split(' ')) {
            if (step.startsWith("wheel")) {
                const QPointF centre = QRectF(desk->rect()).center();
                QWheelEvent notch(centre, desk->mapToGlobal(centre), {},
                                  {0, step.endsWith('+') ? 120 : -120}, Qt::NoButton, {},
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(desk, &notch);
            } else if (step.startsWith("click")) {
                const QModelIndex item = list->model()->index(step.mid(5).toInt(), 0);
                list->scrollTo(item);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualRect(item).center());
            } else if (step == "outside") {
                QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, {1000, 500});
            } else if (first) {
                QVERIFY(RealKeys::press(desk, QKeySequence(step)));
            } else {
                const QKeyCombination key = QKeySequence(step)[0];
                QTest::keyClick(m_window->windowHandle(), key.key(), key.keyboardModifiers());
            }
            first = false;
        }
        QTRY_COMPARE(list->isVisible(), highlight >= 0);
        if (highlight >= 0) {
            QCOMPARE(list->currentIndex().row(), highlight);
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(!list->isVisible());
        }
        QCOMPARE(picks.count(), after == before ? 0 : 1);
        QCOMPARE(unexpected.count(), 0);
        QCOMPARE(m_window.seating(), after);
        QCOMPARE(m_window.close(), fileOf(after));
    }
};

POSTI_TEST_MAIN(DeskPicksTest)
#include "tst_deskpicks.moc"
