// The buttons and desk selectors of the real window, driven as a user drives
// them, on the offscreen platform; message boxes are answered by the test.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString pupil(int slot)
{
    return QStringLiteral("Alunno %1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

QString rowText(int slot, int position)
{
    return slot < 30 ? QStringLiteral("%1,%2\r\n").arg(pupil(slot)).arg(position)
                     : QStringLiteral("3A,0\r\n");
}

// Class 1 with 30 pupils, pupil s on desk s; the other classes empty.
QByteArray fullClassFile()
{
    QByteArray bytes;
    for (int slot = 0; slot <= 30; ++slot)
        bytes += rowText(slot, slot + 2).toLatin1();
    for (int row = 31; row < 310; ++row)
        bytes += " ,0\r\n";
    return bytes;
}

} // namespace

class WindowRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void pickingASeatedPupilSwapsTheTwo();
    void pickingWithTheKeyboardSwapsToo();
    void pickWhileADeskIsBlankIsOnlyAccepted();
    void pickingMarkerOrBlankDoesNothingMore_data();
    void pickingMarkerOrBlankDoesNothingMore();
    void storeKeepsTypedNamesAcrossTabsAndRestart();
    void fillSeatsEveryPupil();
    void fillRefusedExplainsInAMessage();
    void clearKeepsOnlyMarkedDesks();
    void deleteNamesAsksFirst_data();
    void deleteNamesAsksFirst();

private:
    std::unique_ptr<Form2> openWindow(const QByteArray &file);
    QComboBox *desk(int index) const;
    QLineEdit *nameBox(int index) const;
    QPushButton *button(const char *name) const;
    void pick(int deskIndex, int position);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    Form2 *m_window = nullptr;
};

void WindowRulesTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Posti.bq"));
}

std::unique_ptr<Form2> WindowRulesTest::openWindow(const QByteArray &file)
{
    QFile out(m_path);
    if (!file.isEmpty() && (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()))
        qFatal("cannot write the test file");
    out.close();
    auto window = std::make_unique<Form2>(m_path);
    window->startUp();
    window->rules().setRandomGenerator(QRandomGenerator(7));
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("window not exposed");
    m_window = window.get();
    return window;
}

QComboBox *WindowRulesTest::desk(int index) const
{
    return m_window->findChild<QComboBox *>(QStringLiteral("Combo1(%1)").arg(index));
}

QLineEdit *WindowRulesTest::nameBox(int index) const
{
    return m_window->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(index));
}

QPushButton *WindowRulesTest::button(const char *name) const
{
    return m_window->findChild<QPushButton *>(QLatin1String(name));
}

// Opens the desk's list and clicks the item, as a user does.
void WindowRulesTest::pick(int deskIndex, int position)
{
    QComboBox *combo = desk(deskIndex);
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    const QModelIndex item = list->model()->index(position, 0);
    list->scrollTo(item);
    const QPoint at = list->visualRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTRY_VERIFY(!list->isVisible());
}

void WindowRulesTest::pickingASeatedPupilSwapsTheTwo()
{
    auto window = openWindow(fullClassFile());
    // A (pupil 5) sits on desk 4, B (pupil 18) on desk 17.
    pick(4, 17 + 2);
    QCOMPARE(desk(4)->currentText(), pupil(17));
    QCOMPARE(desk(17)->currentText(), pupil(4));
    QCOMPARE(window->archivio().cell(4, 1), QString("19"));
    QCOMPARE(window->archivio().cell(17, 1), QString("6"));

    // The swap is stored, so it is what the file holds after closing.
    QVERIFY(window->close());
    QFile file(m_path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.at(4), QByteArray("Alunno 05,19\r"));
    QCOMPARE(lines.at(17), QByteArray("Alunno 18,6\r"));
}

void WindowRulesTest::pickingWithTheKeyboardSwapsToo()
{
    auto window = openWindow(fullClassFile());
    desk(4)->setFocus();
    QTest::keyClick(desk(4), Qt::Key_Down); // the next pupil, who sits on desk 5
    QCOMPARE(desk(4)->currentText(), pupil(5));
    QCOMPARE(desk(5)->currentText(), pupil(4));
    QCOMPARE(window->archivio().cell(5, 1), QString("6"));
}

void WindowRulesTest::pickWhileADeskIsBlankIsOnlyAccepted()
{
    QByteArray file = fullClassFile();
    file.replace("Alunno 13,14\r\n", "Alunno 13,0\r\n");
    auto window = openWindow(file);
    pick(4, 17 + 2);
    QCOMPARE(desk(4)->currentText(), pupil(17));
    QCOMPARE(desk(17)->currentText(), pupil(17));
    QCOMPARE(window->archivio().cell(4, 1), QString("6"));
}

void WindowRulesTest::pickingMarkerOrBlankDoesNothingMore_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("marker") << 1;
    QTest::newRow("blank") << 0;
}

void WindowRulesTest::pickingMarkerOrBlankDoesNothingMore()
{
    QFETCH(int, position);
    auto window = openWindow(fullClassFile());
    pick(5, position);
    QCOMPARE(desk(5)->currentIndex(), position);
    for (int other = 0; other < 30; ++other) {
        if (other != 5)
            QCOMPARE(desk(other)->currentIndex(), other + 2);
    }
    QCOMPARE(window->archivio().cell(5, 1), QString("7"));
}

void WindowRulesTest::storeKeepsTypedNamesAcrossTabsAndRestart()
{
    {
        auto window = openWindow({});
        QTest::keyClicks(nameBox(0), "Niccol");
        QTest::sendKeyEvent(QTest::Click, nameBox(0), Qt::Key_Ograve, QStringLiteral("ò"),
                            Qt::NoModifier);
        QTest::keyClicks(nameBox(30), "2B");
        QTest::mouseClick(button("cmdSalva"), Qt::LeftButton);
        QCOMPARE(desk(0)->itemText(2), QString("Niccolò"));

        QTabBar *tabs = window->findChild<QTabWidget *>("TabStrip1")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(nameBox(0)->text(), QString());
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        QCOMPARE(nameBox(0)->text(), QString("Niccolò"));
        QVERIFY(window->close());
    }
    auto reopened = openWindow({});
    QCOMPARE(nameBox(0)->text(), QString("Niccolò"));
    QCOMPARE(reopened->findChild<QTabWidget *>("TabStrip1")->tabText(0), QString("2B"));
}

void WindowRulesTest::fillSeatsEveryPupil()
{
    QByteArray file = fullClassFile();
    for (int slot = 0; slot < 30; ++slot)
        file.replace(rowText(slot, slot + 2).toLatin1(), rowText(slot, 0).toLatin1());
    auto window = openWindow(file);
    QTest::mouseClick(button("CmdRandom"), Qt::LeftButton);
    QSet<int> seated;
    for (int index = 0; index < 30; ++index)
        seated.insert(desk(index)->currentIndex());
    QCOMPARE(seated.size(), 30);
    QVERIFY(!seated.contains(0) && !seated.contains(1));
    // Seating is on screen only until the class is stored.
    QCOMPARE(window->archivio().cell(0, 1), QString("0"));
}

void WindowRulesTest::fillRefusedExplainsInAMessage()
{
    QByteArray file = fullClassFile();
    for (int slot = 0; slot < 30; ++slot)
        file.replace(rowText(slot, slot + 2).toLatin1(),
                     rowText(slot, slot < 3 ? 1 : 0).toLatin1());
    auto window = openWindow(file);
    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    QTest::mouseClick(button("CmdRandom"), Qt::LeftButton);
    QVERIFY(answerer.seen());
    QCOMPARE(answerer.title(), QString("Errore!"));
    QCOMPARE(answerer.text(), QString("Ci sono più alunni che banchi liberi!\n"
                                      "Rimuovere a 3 banchi l'indicazione ->Non assegnare<-."));
    QCOMPARE(answerer.buttons(), QStringList({"OK"}));
    QVERIFY(!answerer.hasIcon());
    for (int index = 3; index < 30; ++index)
        QCOMPARE(desk(index)->currentIndex(), 0);
}

void WindowRulesTest::clearKeepsOnlyMarkedDesks()
{
    QByteArray file = fullClassFile();
    file.replace(rowText(3, 5).toLatin1(), rowText(3, 1).toLatin1());
    auto window = openWindow(file);
    QTest::mouseClick(button("cmdClear"), Qt::LeftButton);
    for (int index = 0; index < 30; ++index)
        QCOMPARE(desk(index)->currentIndex(), index == 3 ? 1 : 0);
}

void WindowRulesTest::deleteNamesAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("No") << "No" << false;
    QTest::newRow("Sì") << "Sì" << true;
}

void WindowRulesTest::deleteNamesAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    auto window = openWindow(fullClassFile());
    MessageBoxAnswerer answerer(answer);
    QTest::mouseClick(button("cmdCancNomi"), Qt::LeftButton);
    QVERIFY(answerer.seen());
    QCOMPARE(answerer.title(), QString("Attenzione!"));
    QCOMPARE(answerer.text(),
             QString("Sei sicuro di volere cancellare tutti i nomi degli alunni?"));
    QCOMPARE(answerer.buttons(), QStringList({"Sì", "No"}));
    QCOMPARE(nameBox(0)->text().isEmpty(), deleted);
    QCOMPARE(nameBox(30)->text().isEmpty(), deleted);
    QCOMPARE(desk(0)->currentIndex(), deleted ? 0 : 2);
}

QTEST_MAIN(WindowRulesTest)
#include "tst_windowrules.moc"
