// The desk selectors of the real window, driven through the window system as
// the keyboard and the mouse drive them, with every desk taken: only a pick in
// a desk's open list changes the class; keys and the wheel never do.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

namespace {

// Pupil 20 has a name of her own, for the typed letter.
QByteArray nameOf(int slot)
{
    return slot == 20 ? QByteArray("Marta") : "Alunno " + QByteArray::number(slot);
}

// Class 1 with 30 pupils; desk d at position d + 2, where pupil d sits, unless changed.
QList<int> seats(const QMap<int, int> &changes = {})
{
    QList<int> desks;
    for (int desk = 0; desk < 30; ++desk)
        desks << changes.value(desk, desk + 2);
    return desks;
}

QByteArray fileOf(const QList<int> &desks)
{
    QByteArray bytes;
    for (int row = 0; row < 310; ++row) {
        bytes += row < 30 ? nameOf(row) + ',' + QByteArray::number(desks[row]) : " ,0";
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

class DeskPicksTest : public QObject
{
    Q_OBJECT

private slots:
    // Closed, so that no journal of this run's stores is offered to the next.
    void cleanup()
    {
        if (m_window)
            m_window->close();
        m_window.reset();
    }

    // Desk 4 holds pupil 4 at position 6; the list holds 32 items.
    void keysAndWheelOnlyOpenTheList_data()
    {
        QTest::addColumn<int>("key"); // 0: a wheel notch, up or down as the modifier says
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("highlight"); // -1: the list stays closed
        QTest::newRow("wheel down") << 0 << 0 << -1;
        QTest::newRow("wheel up") << 0 << int(Qt::ShiftModifier) << -1;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 7;
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 5;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << 7;
        QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 0 << 5;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 0;
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 31;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << 6;
        QTest::newRow("F4") << int(Qt::Key_F4) << 0 << 6;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 6;
        QTest::newRow("typed letter") << int(Qt::Key_M) << 0 << 22;
    }

    // Whatever opened the list, Escape closes it and nothing has changed,
    // on screen or in the file.
    void keysAndWheelOnlyOpenTheList()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, highlight);
        open(seats());
        QSignalSpy picks(desk(4), &QComboBox::activated);
        if (key)
            press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            turnWheel(desk(4), modifiers ? 120 : -120);
        QCOMPARE(desk(4)->view()->isVisible(), highlight >= 0);
        if (highlight >= 0) {
            QCOMPARE(desk(4)->view()->currentIndex().row(), highlight);
            press(Qt::Key_Escape);
            QTRY_VERIFY(!desk(4)->view()->isVisible());
        }
        QCOMPARE(picks.count(), 0);
        QCOMPARE(m_unexpected->count(), 0);
        QCOMPARE(seating(), seats());
        QCOMPARE(writtenFile(), fileOf(seats()));
    }

    void onlyAPickInTheOpenListCounts_data()
    {
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<int>>("after");
        const QList<int> twice = seats({{4, 19}}); // pupil 17 on desks 4 and 17
        QTest::newRow("Down, Return") << seats() << "Down Return" << seats({{4, 7}, {5, 6}});
        QTest::newRow("Up, Enter") << seats() << "Up Enter" << seats({{4, 5}, {3, 6}});
        QTest::newRow("click") << seats() << "click 19" << seats({{4, 19}, {17, 6}});
        QTest::newRow("the same pupil again")
            << twice << "Space Return" << seats({{4, 19}, {17, 6}});
        QTest::newRow("Down, Escape") << seats() << "Down Escape" << seats();
        QTest::newRow("Down, click outside") << seats() << "Down outside" << seats();
    }

    // A pick is one seat-change reaction; the swap it makes is stored.
    void onlyAPickInTheOpenListCounts()
    {
        QFETCH(QList<int>, before);
        QFETCH(QString, how);
        QFETCH(QList<int>, after);
        open(before);
        QSignalSpy picks(desk(4), &QComboBox::activated);
        const QStringList steps = how.split(' ');
        press(steps[0] == "click"  ? Qt::Key_Space
              : steps[0] == "Up"   ? Qt::Key_Up
              : steps[0] == "Down" ? Qt::Key_Down
                                   : Qt::Key_Space);
        QVERIFY(desk(4)->view()->isVisible());
        if (steps[0] == "click") {
            QAbstractItemView *list = desk(4)->view();
            const QModelIndex item = list->model()->index(steps[1].toInt(), 0);
            list->scrollTo(item);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(item).center());
        } else if (steps[1] == "outside") {
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(1000, 500));
        } else {
            press(steps[1] == "Return"  ? Qt::Key_Return
                  : steps[1] == "Enter" ? Qt::Key_Enter
                                        : Qt::Key_Escape);
        }
        QTRY_VERIFY(!desk(4)->view()->isVisible());
        QCOMPARE(picks.count(), after == before ? 0 : 1);
        QCOMPARE(m_unexpected->count(), 0);
        QCOMPARE(seating(), after);
        QCOMPARE(writtenFile(), fileOf(after));
    }

private:
    void open(const QList<int> &desks)
    {
        QFile file(m_path);
        const QByteArray bytes = fileOf(desks);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        // Any message box fails the test instead of blocking it.
        m_unexpected = std::make_unique<MessageBoxAnswerer>(QStringList());
        m_window = std::make_unique<Form2>(m_path);
        m_window->startUp();
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        desk(4)->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), desk(4));
    }

    // Through the window system, to whatever has the focus, the open list included.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(m_window->windowHandle(), key, modifiers);
    }

    // One notch over the widget's centre.
    static void turnWheel(QWidget *widget, int angle)
    {
        const QPointF centre = QRectF(widget->rect()).center();
        QWheelEvent notch(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &notch);
    }

    QByteArray writtenFile()
    {
        m_window->close();
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QComboBox *desk(int i) const
    {
        return m_window->findChild<QComboBox *>(QString("Combo1(%1)").arg(i));
    }
    QList<int> seating() const
    {
        QList<int> desks;
        for (int i = 0; i < 30; ++i)
            desks << desk(i)->currentIndex();
        return desks;
    }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<MessageBoxAnswerer> m_unexpected;
    std::unique_ptr<Form2> m_window;
};

QTEST_MAIN(DeskPicksTest)
#include "tst_deskpicks.moc"
