// The real window asks before a class with changes not stored is left, by a
// tab change or by closing, and marks such changes while they last.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QTest>
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

QString question(const QString &name)
{
    return "Attenzione!|La classe «" + name + "» ha modifiche non memorizzate. Memorizzarle?|Sì/No";
}

} // namespace

class UnstoredTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(m_path); }
    void cleanup() { m_window.reset(); }

    void leavingAsksFirst_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("leave");   // "tab", "Ctrl+Tab" or "close"
        QTest::addColumn<QString>("answer");  // empty: nothing may be asked
        QTest::addColumn<QString>("asked");   // the question, title|text|buttons
        QTest::addColumn<QByteArray>("file"); // written at close

        const QByteArray stored = fileWith();
        const QByteArray renamed = fileWith({{1, "Bruna,0"}});
        const QByteArray seated = fileWith({{5, " ,3"}});
        QTest::newRow("tab, nothing changed") << "none"
                                              << "tab"
                                              << ""
                                              << "" << stored;
        QTest::newRow("tab, name, Sì") << "name"
                                       << "tab"
                                       << "Sì" << question("3A") << renamed;
        QTest::newRow("tab, name, No") << "name"
                                       << "tab"
                                       << "No" << question("3A") << stored;
        QTest::newRow("Ctrl+Tab, desk, Sì") << "desk"
                                            << "Ctrl+Tab"
                                            << "Sì" << question("3A") << seated;
        QTest::newRow("tab, typed back") << "typed back"
                                         << "tab"
                                         << ""
                                         << "" << stored;
        QTest::newRow("close, nothing changed") << "none"
                                                << "close"
                                                << ""
                                                << "" << stored;
        QTest::newRow("close, class name, Sì")
            << "class name"
            << "close"
            << "Sì" << question("3B") << fileWith({{30, "3B,0"}});
        QTest::newRow("close, class name blanked, No") << "no class name"
                                                       << "close"
                                                       << "No" << question("Classe 1") << stored;
        QTest::newRow("close, desk, No") << "desk"
                                         << "close"
                                         << "No" << question("3A") << stored;
        QTest::newRow("close, typed back") << "typed back"
                                           << "close"
                                           << ""
                                           << "" << stored;
    }

    // After a tab change class 2 is shown, whatever the answer.
    void leavingAsksFirst()
    {
        QFETCH(QString, change);
        QFETCH(QString, leave);
        QFETCH(QString, answer);
        QFETCH(QString, asked);
        QFETCH(QByteArray, file);
        open();
        make(change);
        MessageBoxAnswerer answerer(answer);
        if (leave == "close") {
            QVERIFY(m_window->close());
        } else {
            if (leave == "tab")
                clickTab(2);
            else {
                // The desk's list may have been the active window last.
                m_window->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
                QTest::keyClick(m_window->windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
            }
            QCOMPARE(box(0)->text(), QString("Zeno"));
            QCOMPARE(tabs()->currentIndex(), 1);
            QVERIFY(!m_window->isWindowModified());
            QVERIFY(m_window->close());
        }
        QCOMPARE(answerer.count(), asked.isEmpty() ? 0 : 1);
        if (!asked.isEmpty()) {
            QCOMPARE(answerer.title() + '|' + answerer.text() + '|' + answerer.buttons().join('/'),
                     asked);
        }
        QCOMPARE(writtenFile(), file);
    }

    void unstoredChangesAreMarked_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("unstored");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("name") << QStringList{"name"} << true;
        QTest::newRow("name typed back") << QStringList{"name", "name back"} << false;
        QTest::newRow("class name") << QStringList{"class name"} << true;
        QTest::newRow("desk") << QStringList{"desk"} << true;
        QTest::newRow("desk, stored") << QStringList{"desk", "store"} << false;
        QTest::newRow("Svuota") << QStringList{"clear"} << true; // Anna's desk is blank now
        QTest::newRow("Cancella nomi") << QStringList{"delete"} << true;
        QTest::newRow("Cancella nomi, stored") << QStringList{"delete", "store"} << false;
    }

    // The title, the class's tab and Memorizza show the unstored change
    // without anything moving, until it is stored or undone.
    void unstoredChangesAreMarked()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, unstored);
        open();
        QList<QRect> places;
        for (int tab = 0; tab < 10; ++tab)
            places << tabs()->tabBar()->tabRect(tab);
        QPushButton *store = m_window->findChild<QPushButton *>("cmdSalva");
        const QRect storePlace = store->geometry();
        for (const QString &step : steps)
            make(step);
        QCOMPARE(m_window->isWindowModified(), unstored);
        QCOMPARE(m_window->windowTitle(), QString("Posti in classe[*]"));
        QCOMPARE(tabs()->tabText(0), unstored ? QString("3A *") : QString("3A"));
        QCOMPARE(tabs()->tabText(1), QString("2"));
        QCOMPARE(store->font().bold(), unstored);
        QVERIFY(store->fontMetrics().horizontalAdvance(store->text()) <= store->width());
        QCOMPARE(store->geometry(), storePlace);
        for (int tab = 0; tab < 10; ++tab)
            QCOMPARE(tabs()->tabBar()->tabRect(tab), places[tab]);
        MessageBoxAnswerer no("No");
        m_window->close();
    }

private:
    void open()
    {
        QFile out(m_path);
        const QByteArray file = fileWith();
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        out.close();
        m_window = std::make_unique<Form2>(m_path);
        m_window->startUp();
        m_window->show();
        m_window->activateWindow(); // for the shortcut
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

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
            QComboBox *desk = m_window->findChild<QComboBox *>("Combo1(5)");
            desk->showPopup();
            QAbstractItemView *list = desk->view();
            const QModelIndex bruno = list->model()->index(3, 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualRect(bruno).center());
            QTRY_VERIFY(!list->isVisible());
        }
    }

    QByteArray writtenFile() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTabWidget *tabs() const { return m_window->findChild<QTabWidget *>("TabStrip1"); }
    QLineEdit *box(int i) const
    {
        return m_window->findChild<QLineEdit *>(QString("Text1(%1)").arg(i));
    }
    void clickTab(int tab) const
    {
        QTest::mouseClick(tabs()->tabBar(), Qt::LeftButton, {},
                          tabs()->tabBar()->tabRect(tab - 1).center());
    }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};

QTEST_MAIN(UnstoredTest)
#include "tst_unstored.moc"
