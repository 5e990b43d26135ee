// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo on the real window: each kind of step taken back and done
// again, on screen, in the class table and in the file written at close; one
// history per class, kept across tab changes; and whose Ctrl+Z it is when
// the focus is in a name box.

#include "messageboxanswerer.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QTest>
#include <QtWidgets>

namespace {

// Class 1 "3A" with pupils "Alunno 0" to "Alunno 29", desk d at position d + 2
// (pupil d) or blank, unless changed; class 2 "3B" with pupils "Bruno 0" to
// "Bruno 29", all seated.
QByteArray twoClasses(const QMap<int, int> &changes, bool seated = true)
{
    QByteArray bytes;
    for (int slot = 0; slot < 30; ++slot) {
        const int position = changes.value(slot, seated ? slot + 2 : 0);
        bytes += "Alunno " + QByteArray::number(slot) + ',' + QByteArray::number(position) + "\r\n";
    }
    bytes += "3A,0\r\n";
    for (int slot = 0; slot < 30; ++slot)
        bytes += "Bruno " + QByteArray::number(slot) + ',' + QByteArray::number(slot + 2) + "\r\n";
    bytes += "3B,0\r\n";
    return bytes + QByteArray(" ,0\r\n").repeated(310 - 62);
}

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(m_path); }
    // A clean close, also after a failure, so that no journal of this run is
    // offered to the next.
    void cleanup()
    {
        writtenFile();
        m_window.reset();
    }

    // Each step by its button, a desk's list ("pick") or a pasted list. The Svuota row
    // starts with pupil 17 on desks 17 and 29 and every desk taken: a seat-change
    // reaction to the restored selections would swap.
    void undoAndRedo_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QKeySequence>("redoKeys"); // none: both from the room's menu
        const QKeySequence ctrlY("Ctrl+Y"), ctrlShiftZ("Ctrl+Shift+Z"), menu;
        QTest::newRow("pick") << twoClasses({{12, 0}}) << "pick"
                              << "scelta per il banco 5" << ctrlY;
        QTest::newRow("swap") << twoClasses({}) << "pick"
                              << "scambio tra i banchi 5 e 18" << menu;
        QTest::newRow("Assegna mancanti") << twoClasses({}, false) << "CmdRandom"
                                          << "«Assegna mancanti»" << ctrlShiftZ;
        QTest::newRow("Svuota") << twoClasses({{29, 19}}) << "cmdClear"
                                << "«Svuota»" << ctrlY;
        QTest::newRow("Cancella nomi") << twoClasses({}) << "cmdCancNomi"
                                       << "«Cancella nomi»" << menu;
        QTest::newRow("Memorizza") << twoClasses({{12, 0}}) << "cmdSalva"
                                   << "«Memorizza»" << ctrlShiftZ;
        QTest::newRow("pasted list") << twoClasses({}) << "paste"
                                     << "elenco di nomi incollato" << ctrlY;
    }
    void undoAndRedo()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, action);
        QFETCH(QString, step);
        QFETCH(QKeySequence, redoKeys);
        open(file);
        if (action == "cmdSalva") { // something to store: a name, which the lists take, and a desk
            QTest::keyClicks(box(5), "x");
            pick(12, 14);
        }
        const QStringList before = screen(), storedBefore = stored(1);
        if (action == "pick") {
            pick(4, 19);
        } else if (action == "paste") {
            QGuiApplication::clipboard()->setText(QStringLiteral("Uno\nDue\nTre\n"));
            box(3)->setFocus();
            QTest::keyClick(box(3), Qt::Key_V, Qt::ControlModifier);
        } else {
            MessageBoxAnswerer answerer(QStringLiteral("Sì"));
            click(qPrintable(action));
        }
        const QStringList after = screen(), storedAfter = stored(1);
        QVERIFY(after != before || storedAfter != storedBefore);

        const QKeySequence undoKeys = redoKeys.isEmpty() ? QKeySequence() : QKeySequence("Ctrl+Z");
        QCOMPARE(undo(undoKeys), "Annulla " + step);
        QCOMPARE(screen() + stored(1), before + storedBefore);
        QCOMPARE(redo(redoKeys), "Ripeti " + step);
        QCOMPARE(screen() + stored(1), after + storedAfter);
        // The undo's store reaches the journal too: after a run that ended without closing,
        // the next start finds the journal no newer than the file and asks nothing.
        undo(undoKeys);
        m_window.reset();
        MessageBoxAnswerer answerer(QStringLiteral("Sì"));
        open(QByteArray());
        QCOMPARE(answerer.count(), 0);
        QCOMPARE(writtenFile(), file);
    }

    // Class 1 is filled and stored, then class 2 cleared: an undo on class 2
    // takes back its own step only, and class 1 finds its steps on its return.
    void eachClassHasItsOwnHistory()
    {
        const QByteArray file = twoClasses({}, false);
        open(file);
        const QStringList empty = screen();
        click("CmdRandom");
        click("cmdSalva");
        const QStringList filled = screen(), stored1 = stored(1);
        clickTab(2);
        const QStringList class2 = screen(), stored2 = stored(2);
        click("cmdClear");
        QCOMPARE(undo(), QString("Annulla «Svuota»"));
        QCOMPARE(screen(), class2);
        QCOMPARE(undo(), QString("Annulla")); // nothing left on class 2
        QCOMPARE(stored(2) + stored(1), stored2 + stored1);

        clickTab(1);
        QCOMPARE(screen(), filled);
        QCOMPARE(undo(), QString("Annulla «Memorizza»"));
        QCOMPARE(undo(), QString("Annulla «Assegna mancanti»"));
        QCOMPARE(screen(), empty);
        QCOMPARE(writtenFile(), file);
    }

    // The box's own typing first, then the class's steps; typing in a box
    // the focus has left is one step of the class.
    void undoKeysInANameBox()
    {
        open(twoClasses({}, false));
        const QStringList empty = desks();
        click("CmdRandom");
        const QStringList filled = desks();
        box(0)->setFocus();
        QTest::keyClicks(box(0), "x");
        keys("Ctrl+Z"); // the box's typing
        QCOMPARE(box(0)->text() + desks().join(' '), "Alunno 0" + filled.join(' '));
        keys("Ctrl+Y"); // the box's again
        QCOMPARE(box(0)->text(), QString("xAlunno 0"));
        keys("Ctrl+Z");
        keys("Ctrl+Z"); // nothing left in the box: the fill
        QCOMPARE(box(0)->text() + desks().join(' '), "Alunno 0" + empty.join(' '));
        keys("Ctrl+Shift+Z");
        QCOMPARE(desks(), filled);

        // Pupils 1 and 2 typed into, then Enter on to pupil 3, which has nothing to undo.
        QTest::keyClicks(box(0), "y");
        QTest::keyClick(box(0), Qt::Key_Return);
        QTest::keyClicks(box(1), "z");
        QTest::keyClick(box(1), Qt::Key_Return);
        QCOMPARE(action("undoAction")->text(), QString("Annulla modifica del nome dell'alunno 2"));
        keys("Ctrl+Z");
        QCOMPARE(box(1)->text() + box(0)->text(), QString("Alunno 1yAlunno 0"));
        keys("Ctrl+Z");
        QCOMPARE(box(0)->text() + desks().join(' '), "Alunno 0" + filled.join(' '));
    }

private:
    // Starts the window on the given file contents; none means the file left.
    void open(const QByteArray &file)
    {
        m_window.reset(); // its lock on the file goes with it
        m_window = startWindow(m_path, file);
        QVERIFY(m_window);
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // Closes the window, declining to store what the screen holds, and reads the file.
    QByteArray writtenFile() const
    {
        MessageBoxAnswerer answerer(QStringLiteral("No"));
        m_window->close();
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Undoes (0) or redoes (1) with the keys where the focus is, or with the room's
    // menu when there are none; returns what the entry said.
    QString undo(const QKeySequence &keys = QKeySequence("Ctrl+Z")) { return step(0, keys); }
    QString redo(const QKeySequence &keys) { return step(1, keys); }
    QString step(int index, const QKeySequence &keys)
    {
        if (keys.isEmpty())
            return roomMenu(index);
        const QString entry = action(index ? "redoAction" : "undoAction")->text();
        QTest::keySequence(QApplication::focusWidget(), keys);
        return entry;
    }
    static void keys(const char *sequence)
    {
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(sequence));
    }
    QAction *action(const QString &name) const
    {
        const QList<QAction *> actions = m_window->actions();
        return *std::find_if(actions.begin(), actions.end(),
                             [&](QAction *action) { return action->objectName() == name; });
    }

    // Right-clicks the empty room and picks the entry of its menu at index;
    // returns the entry's text.
    QString roomMenu(int index)
    {
        QString text;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                poll.stop();
                menu->setActiveAction(menu->actions().value(index));
                text = menu->activeAction()->text();
                QTest::keyClick(menu, Qt::Key_Return);
            }
        });
        poll.start(10);
        QWidget *room = control<QTabWidget>("TabStrip1")->currentWidget();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                room->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(room, &event);
        return text;
    }

    // Names, then each desk's list and selection, as the screen shows them.
    QStringList screen() const
    {
        QStringList lines;
        for (int i = 0; i <= 30; ++i)
            lines << box(i)->text();
        for (int d = 0; d < 30; ++d) {
            QStringList items;
            for (int i = 0; i < desk(d)->count(); ++i)
                items << desk(d)->itemText(i);
            lines << items.join('|') + " @" + QString::number(desk(d)->currentIndex());
        }
        return lines;
    }
    QStringList desks() const { return screen().mid(31); }
    QStringList stored(int tab) const
    {
        QStringList cells;
        for (int slot = 0; slot <= 30; ++slot) {
            const int row = Archivio::row(tab, slot);
            cells << m_window->archivio().cell(row, 0) + ',' + m_window->archivio().cell(row, 1);
        }
        return cells;
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QComboBox *desk(int i) const { return control<QComboBox>(QString("Combo1(%1)").arg(i)); }
    QLineEdit *box(int i) const { return control<QLineEdit>(QString("Text1(%1)").arg(i)); }
    void click(const char *b) const { QTest::mouseClick(control<QPushButton>(b), Qt::LeftButton); }
    void clickTab(int tab) const
    {
        QTabBar *bar = control<QTabWidget>("TabStrip1")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
    }
    void pick(int index, int position) const { pickFromList(desk(index), position); }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};

POSTI_TEST_MAIN(UndoTest)
#include "tst_undo.moc"
