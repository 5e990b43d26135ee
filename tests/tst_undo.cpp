// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo on the real window: the keys and the room's menu reach the
// class's history, name its step and clear the mark of unstored changes, and
// whose Ctrl+Z it is when the focus is in a name box. Each kind of step and
// one history per class are the session's own test.

#include "windowdriver.h"

#include <QTest>

class UndoTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

    // A fill of class 1, whose 30 pupils sit nowhere, stored nowhere.
    void openAndFill()
    {
        QVERIFY(m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats({}, false)))));
        m_window.click("CmdRandom");
    }
    static void keys(const QKeySequence &keys)
    {
        QTest::keySequence(QApplication::focusWidget(), keys);
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
        openAndFill();
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
};

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
