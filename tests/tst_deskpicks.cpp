// SPDX-License-Identifier: GPL-3.0-or-later
// The desk selectors of the real window, driven through the window system as
// the keyboard and the mouse drive them, with every desk taken: only a pick in
// a desk's open list changes the class; keys and the wheel never do.

#include "testmain.h"
#include "windowdriver.h"

#include <QSignalSpy>
#include <QtWidgets>

namespace {

// Class 1 with 30 pupils; desk d at position d + 2, where pupil d sits, unless changed.
QList<int> seats(const QMap<int, int> &changes = {})
{
    QList<int> desks;
    for (int desk = 0; desk < 30; ++desk)
        desks << changes.value(desk, desk + 2);
    return desks;
}

// Pupil 20 has a name of her own, for the typed letter.
QByteArray fileOf(const QList<int> &desks)
{
    QByteArray bytes;
    for (int row = 0; row < 310; ++row) {
        const QByteArray name = row == 20 ? "Marta" : "Alunno " + QByteArray::number(row);
        bytes += (row < 30 ? name + ',' + QByteArray::number(desks[row]) : " ,0") + "\r\n";
    }
    return bytes;
}

} // namespace

class DeskPicksTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { closeWindow(m_window); }

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
        QTest::newRow("Alt+Down") << all << "Alt+Down" << 6 << all;
        QTest::newRow("F4") << all << "F4" << 6 << all;
        QTest::newRow("Space") << all << "Space" << 6 << all;
        QTest::newRow("typed letter") << all << "M" << 22 << all;
        QTest::newRow("Down, Return") << all << "Down Return" << -1 << seats({{4, 7}, {5, 6}});
        QTest::newRow("Up, Enter") << all << "Up Enter" << -1 << seats({{4, 5}, {3, 6}});
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
        MessageBoxAnswerer unexpected(QStringList{});
        m_window = startWindow(m_path, fileOf(before));
        QVERIFY(m_window);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QComboBox *desk = m_window->findChild<QComboBox *>("Combo1(4)");
        desk->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), desk);
        QSignalSpy picks(desk, &QComboBox::activated);
        QAbstractItemView *list = desk->view();
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
            } else {
                const QKeyCombination key = QKeySequence(step)[0];
                QTest::keyClick(m_window->windowHandle(), key.key(), key.keyboardModifiers());
            }
        }
        QTRY_COMPARE(list->isVisible(), highlight >= 0);
        if (highlight >= 0) {
            QCOMPARE(list->currentIndex().row(), highlight);
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY(!list->isVisible());
        }
        QCOMPARE(picks.count(), after == before ? 0 : 1);
        QCOMPARE(unexpected.count(), 0);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(m_window->findChild<QComboBox *>(QString("Combo1(%1)").arg(i))->currentIndex(),
                     after[i]);
        m_window->close();
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), fileOf(after));
    }

private:
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};

POSTI_TEST_MAIN(DeskPicksTest)
#include "tst_deskpicks.moc"
