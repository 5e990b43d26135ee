// SPDX-License-Identifier: GPL-3.0-or-later
// The real window asks before a class with changes not stored is left, by a
// tab change or by closing, and marks such changes while they last.

#include "testmain.h"
#include "windowdriver.h"

#include <QtWidgets>

namespace {

// Class 1 "3A": Anna on desk 1, Bruno not seated; class 2: Zeno.
QByteArray fileWith(const QMap<int, QByteArray> &changes = {})
{
    QMap<int, QByteArray> rows{{0, "Anna,2"}, {1, "Bruno,0"}, {30, "3A,0"}, {31, "Zeno,0"}};
    rows.insert(changes);
    QByteArray bytes;
    for (int row = 0; row < 310; ++row)
        bytes += rows.value(row, " ,0") + "\r\n";
    return bytes;
}

} // namespace

class UnstoredTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(m_path); }
    void cleanup() { closeWindow(m_window); }

    // The changes made, then how class 1 is left ("tab", "Ctrl+Tab" or
    // "close") and the answer, if any, all split by '/'.
    void leavingAsksFirst_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("file"); // written at close
        QTest::addColumn<QString>("asked");   // the class named by the question; empty: none

        const QByteArray stored = fileWith(), seated = fileWith({{5, " ,3"}});
        const QString none;
        QTest::newRow("tab, nothing changed") << "tab" << stored << none;
        QTest::newRow("tab, name, Sì") << "name/tab/Sì" << fileWith({{1, "Bruna,0"}}) << "3A";
        QTest::newRow("tab, name, No") << "name/tab/No" << stored << "3A";
        QTest::newRow("Ctrl+Tab, desk, Sì") << "desk/Ctrl+Tab/Sì" << seated << "3A";
        QTest::newRow("tab, typed back") << "typed back/tab" << stored << none;
        QTest::newRow("close, nothing changed") << "close" << stored << none;
        QTest::newRow("close, class name, Sì")
            << "class name/close/Sì" << fileWith({{30, "3B,0"}}) << "3B";
        QTest::newRow("close, class name blanked, No")
            << "no class name/close/No" << stored << "Classe 1";
        QTest::newRow("close, desk, No") << "desk/close/No" << stored << "3A";
        QTest::newRow("close, typed back") << "typed back/close" << stored << none;
        QTest::newRow("name undone") << "name/name back/close" << stored << none;
        QTest::newRow("desk, stored") << "desk/store/close" << seated << none;
        QTest::newRow("Svuota") << "clear/close/No" << stored << "3A"; // Anna's desk is blank now
        QTest::newRow("Cancella nomi") << "delete/close/No" << stored << "Classe 1";
        QTest::newRow("Cancella nomi, stored")
            << "delete/store/close" << fileWith({{0, " ,0"}, {1, " ,0"}, {30, " ,0"}}) << none;
    }

    // While changes are unstored, the title, the class's tab and Memorizza
    // show it without anything moving. After a tab change class 2 is shown,
    // unmarked, whatever the answer.
    void leavingAsksFirst()
    {
        QFETCH(QString, steps);
        QFETCH(QByteArray, file);
        QFETCH(QString, asked);
        m_window = startWindow(m_path, fileWith());
        QVERIFY(m_window);
        m_window->activateWindow(); // for the shortcut
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QList<QRect> places;
        for (int tab = 0; tab < 10; ++tab)
            places << tabs()->tabBar()->tabRect(tab);
        QPushButton *store = m_window->findChild<QPushButton *>("cmdSalva");
        const QRect storePlace = store->geometry();
        QStringList changes = steps.split('/');
        const QString answer = changes.last().size() == 2 ? changes.takeLast() : QString();
        const QString leave = changes.takeLast();
        for (const QString &change : changes)
            make(change);

        const bool unstored = !asked.isEmpty();
        QCOMPARE(m_window->isWindowModified(), unstored);
        QCOMPARE(m_window->windowTitle(), QString("Posti in classe[*]"));
        QCOMPARE(tabs()->tabText(0), unstored ? QString("3A *") : QString("3A"));
        QCOMPARE(tabs()->tabText(1), QString("2"));
        QCOMPARE(store->font().bold(), unstored);
        QVERIFY(store->fontMetrics().horizontalAdvance(store->text()) <= store->width());
        QCOMPARE(store->geometry(), storePlace);
        for (int tab = 0; tab < 10; ++tab)
            QCOMPARE(tabs()->tabBar()->tabRect(tab), places[tab]);

        MessageBoxAnswerer answerer(answer);
        if (leave == "tab") {
            QTest::mouseClick(tabs()->tabBar(), Qt::LeftButton, {},
                              tabs()->tabBar()->tabRect(1).center());
        } else if (leave == "Ctrl+Tab") {
            // The desk's list may have been the active window last.
            m_window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        }
        if (leave != "close") {
            QCOMPARE(box(0)->text(), QString("Zeno"));
            QCOMPARE(tabs()->currentIndex(), 1);
            QVERIFY(!m_window->isWindowModified());
        }
        QVERIFY(m_window->close());
        QCOMPARE(answerer.count(), unstored ? 1 : 0);
        if (unstored) {
            QCOMPARE(answerer.title() + '|' + answerer.text() + '|' + answerer.buttons().join('/'),
                     "Attenzione!|La classe «" + asked +
                         "» ha modifiche non memorizzate. Memorizzarle?|Sì/No");
        }
        QFile written(m_path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), file);
    }

    // A second window on the same file saves nothing, and says so once at its
    // start; its close offers no store that would go nowhere.
    void secondWindowOffersNoStore()
    {
        m_window = startWindow(m_path, fileWith());
        QVERIFY(m_window);
        MessageBoxAnswerer answerer(QStringList{"OK"});
        Form2 second(m_path);
        second.startUp();
        QCOMPARE(answerer.count(), 1);
        QVERIFY(answerer.text().contains("sola lettura"));
        second.findChild<QLineEdit *>("Text1(2)")->setText("Carla");
        second.close();
        QCOMPARE(answerer.count(), 1);
    }

private:
    // Changes class 1 on screen as the teacher does. "typed back" changes a
    // name and then types it back as it was, "name back" undoes "name": the
    // screen shows the stored class again.
    void make(const QString &change)
    {
        if (change == "name" || change == "name back" || change == "typed back") {
            box(1)->end(false);
            if (change == "typed back")
                QTest::keyClick(box(1), Qt::Key_O);
            QTest::keyClick(box(1), Qt::Key_Backspace);
            QTest::keyClicks(box(1), change == "name" ? "a" : change == "name back" ? "o" : "");
        } else if (change == "class name" || change == "no class name") {
            box(30)->selectAll();
            QTest::keyClicks(box(30), change == "class name" ? "3B" : "");
            if (change == "no class name")
                QTest::keyClick(box(30), Qt::Key_Delete);
        } else if (change == "store" || change == "clear") {
            QTest::mouseClick(
                m_window->findChild<QPushButton *>(change == "store" ? "cmdSalva" : "cmdClear"),
                Qt::LeftButton);
        } else if (change == "delete") {
            MessageBoxAnswerer yes("Sì");
            QTest::mouseClick(m_window->findChild<QPushButton *>("cmdCancNomi"), Qt::LeftButton);
            QCOMPARE(yes.count(), 1);
        } else if (change == "desk") {
            pickFromList(m_window->findChild<QComboBox *>("Combo1(5)"), 3); // Bruno
        }
    }

    QTabWidget *tabs() const { return m_window->findChild<QTabWidget *>("TabStrip1"); }
    QLineEdit *box(int i) const
    {
        return m_window->findChild<QLineEdit *>(QString("Text1(%1)").arg(i));
    }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};

POSTI_TEST_MAIN(UnstoredTest)
#include "tst_unstored.moc"
