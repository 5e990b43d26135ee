// The real window on the offscreen platform, driven as a teacher drives it:
// its controls, start-up from the seating file, tab display, the buttons and
// desk selectors, and the file written at close.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Rows = QMap<int, QByteArray>;

// A file of fresh rows with the given rows replaced.
QByteArray fileWith(const Rows &rows)
{
    QByteArray bytes;
    for (int row = 0; row < Archivio::Rows; ++row)
        bytes += rows.value(row, " ,0") + "\r\n";
    return bytes;
}

QByteArray pupil(int slot)
{
    return "Alunno " + QByteArray::number(slot + 101).mid(1);
}

// Class 1 with 30 pupils, pupil s on desk s unless positions says otherwise.
Rows fullClass(const QMap<int, int> &positions = {})
{
    Rows rows{{30, "3A,0"}};
    for (int slot = 0; slot < 30; ++slot)
        rows[slot] = pupil(slot) + ',' + QByteArray::number(positions.value(slot, slot + 2));
    return rows;
}

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_window.reset(); }

    void controlsSitWhereTheLayoutPutsThem_data();
    void controlsSitWhereTheLayoutPutsThem();
    void captionsAndFonts();

    void firstRunShowsEmptyClassesAndWritesFreshFile();
    void startUpShowsClassOneAndNamedTabs();
    void storedPositionsThatCannotBeShownLeaveTheDeskBlank_data();
    void storedPositionsThatCannotBeShownLeaveTheDeskBlank();
    void tabClickShowsTheStoredClassAndCloseWritesIt();
    void storedNamesSurviveARestart();

    void pickingASeatedPupilSwapsTheTwo_data();
    void pickingASeatedPupilSwapsTheTwo();
    void pickingMarkerOrBlankOrWhileADeskIsBlankDoesNothingMore_data();
    void pickingMarkerOrBlankOrWhileADeskIsBlankDoesNothingMore();
    void fillAndClearWorkOnTheDesks();
    void fillRefusedExplainsInAMessage();
    void deleteNamesAsksFirst_data();
    void deleteNamesAsksFirst();

private:
    void open(const QByteArray &file);
    QByteArray readFile() const;
    template <typename T = QWidget> T *control(const QString &name) const;
    QComboBox *desk(int index) const
    {
        return control<QComboBox>(QString("Combo1(%1)").arg(index));
    }
    QLineEdit *box(int index) const { return control<QLineEdit>(QString("Text1(%1)").arg(index)); }
    void click(const char *button) const;
    void clickTab(int tab) const;
    void pick(int deskIndex, int position) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    std::unique_ptr<Form2> m_window;
};

void WindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Posti.bq"));
}

// Starts the window on the given file contents; none means no file.
void WindowTest::open(const QByteArray &file)
{
    QFile out(m_path);
    if (!file.isEmpty() && (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()))
        qFatal("cannot write the test file");
    out.close();
    m_window = std::make_unique<Form2>(m_path);
    m_window->startUp();
    m_window->rules().setRandomGenerator(QRandomGenerator(7));
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        qFatal("window not exposed");
}

QByteArray WindowTest::readFile() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T> T *WindowTest::control(const QString &name) const
{
    T *found = m_window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void WindowTest::click(const char *button) const
{
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

void WindowTest::clickTab(int tab) const
{
    QTabBar *bar = control<QTabWidget>("TabStrip1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
}

// Opens the desk's list and clicks the item, as a user does.
void WindowTest::pick(int deskIndex, int position) const
{
    QComboBox *combo = desk(deskIndex);
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    const QModelIndex item = list->model()->index(position, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    QTRY_VERIFY(!list->isVisible());
}

void WindowTest::controlsSitWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    // Relative to the window, or to the names frame for what it holds.
    QTest::newRow("tab strip") << "TabStrip1" << QRect(120, 0, 18405, 7815);
    QTest::newRow("Svuota") << "cmdClear" << QRect(1200, 6000, 2895, 855);
    QTest::newRow("Assegna") << "CmdRandom" << QRect(4800, 6000, 4215, 855);
    QTest::newRow("Memorizza") << "cmdSalva" << QRect(9840, 6000, 2895, 855);
    QTest::newRow("frame") << "FraNomi" << QRect(13680, 360, 4455, 7335);
    QTest::newRow("class name") << "Text1(30)" << QRect(1440, 360, 1455, 645);
    QTest::newRow("Cancella nomi") << "cmdCancNomi" << QRect(1440, 6840, 1815, 315);
    QTest::newRow("name 15") << "Text1(14)" << QRect(480, 1320 + 360 * 14, 1575, 285);
    QTest::newRow("name 16") << "Text1(15)" << QRect(2520, 1320, 1575, 285);
    QTest::newRow("label 30") << "Label1(29)" << QRect(2160, 1320 + 360 * 14, 255, 255);
    QTest::newRow("desk 9") << "Combo1(9)" << QRect(720 + 1920, 2280 + 2400, 1845, 315);
    QTest::newRow("desk 27") << "Combo1(27)" << QRect(720 + 8640 + 1920, 2280 + 1800, 1845, 315);
}

void WindowTest::controlsSitWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    m_window = std::make_unique<Form2>(m_path);
    const QRect pixels = control(name)->geometry();
    QCOMPARE(pixels, QRect(qRound(twips.x() / 15.0), qRound(twips.y() / 15.0),
                           qRound(twips.width() / 15.0), qRound(twips.height() / 15.0)));
}

void WindowTest::captionsAndFonts()
{
    m_window = std::make_unique<Form2>(m_path);
    QCOMPARE(control<QPushButton>("cmdClear")->text(), QString("Svuota"));
    QCOMPARE(control<QPushButton>("CmdRandom")->text(), QString("Assegna mancanti"));
    QCOMPARE(control<QPushButton>("cmdSalva")->text(), QString("Memorizza"));
    QCOMPARE(control<QPushButton>("cmdCancNomi")->text(), QString("Cancella nomi"));
    QCOMPARE(control<QLabel>("Label1(0)")->text(), QString(" 01"));
    QCOMPARE(control<QLabel>("Label1(29)")->text(), QString(" 30"));
    // The two digits must show in full however wide the default font is.
    auto *label = control<QLabel>("Label1(27)");
    QVERIFY(label->alignment() & Qt::AlignRight);
    QVERIFY(QFontMetrics(label->font()).horizontalAdvance("28") <= label->width());

    QCOMPARE(control<QPushButton>("CmdRandom")->font().pointSizeF(), 24.0);
    QCOMPARE(control("FraNomi")->font().pointSizeF(), 13.5);
    QCOMPARE(box(30)->font().pointSizeF(), 24.0);
    QCOMPARE(box(30)->alignment(), Qt::AlignCenter);
    // Inside the frame, the boxes keep the default size rather than the frame's.
    QCOMPARE(box(0)->font().pointSizeF(), QApplication::font().pointSizeF());
    // The strip lies behind everything else.
    QCOMPARE(m_window->children().indexOf(control("TabStrip1")), 0);
}

void WindowTest::firstRunShowsEmptyClassesAndWritesFreshFile()
{
    open({});
    for (int index = 0; index <= 30; ++index)
        QVERIFY(box(index)->text().isEmpty());
    auto *tabs = control<QTabWidget>("TabStrip1");
    for (int tab = 0; tab < 10; ++tab)
        QCOMPARE(tabs->tabText(tab), QString::number(tab + 1));
    QCOMPARE(tabs->currentIndex(), 0);
    for (int index = 0; index < 30; ++index) {
        QCOMPARE(itemsOf(desk(index)), QStringList({"", "-> Non assegnare <-"}));
        QCOMPARE(desk(index)->currentIndex(), 0);
    }
    QVERIFY(m_window->close());
    QCOMPARE(readFile(), QByteArray(" ,0\r\n").repeated(310));
}

void WindowTest::startUpShowsClassOneAndNamedTabs()
{
    open(fileWith({{0, "Anna,4"},
                   {1, "Bruno,0"},
                   {3, "Dario,1"},
                   {30, "3A,0"},
                   {Archivio::row(2, 30), "4B,0"},
                   {216, "5C,0"}}));
    auto *tabs = control<QTabWidget>("TabStrip1");
    const QStringList captions = {"3A", "4B", "3", "4", "5", "6", "5C", "8", "9", "10"};
    for (int tab = 0; tab < 10; ++tab)
        QCOMPARE(tabs->tabText(tab), captions.at(tab));
    QCOMPARE(box(30)->text(), QString("3A"));
    for (int index = 0; index < 30; ++index) {
        QCOMPARE(itemsOf(desk(index)),
                 QStringList({"", "-> Non assegnare <-", "Anna", "Bruno", "Dario"}));
    }
    QCOMPARE(desk(0)->currentText(), QString("Dario"));
    QCOMPARE(desk(3)->currentIndex(), 1);
}

void WindowTest::storedPositionsThatCannotBeShownLeaveTheDeskBlank_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("shown");
    QTest::newRow("last pupil") << QByteArray("3") << 3;
    QTest::newRow("nothing selected") << QByteArray("-1") << -1;
    QTest::newRow("past the list") << QByteArray("4") << 0;
    QTest::newRow("below -1") << QByteArray("-2") << 0;
    QTest::newRow("not a number") << QByteArray("x7") << 0;
    QTest::newRow("too large") << QByteArray("99999999999") << 0;
}

void WindowTest::storedPositionsThatCannotBeShownLeaveTheDeskBlank()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, shown);
    MessageBoxAnswerer answerer(QStringLiteral("OK")); // a position that is no number is damage
    open(fileWith({{0, "Anna,0"}, {1, "Bruno," + stored}}));
    QCOMPARE(desk(1)->currentIndex(), shown);
}

void WindowTest::tabClickShowsTheStoredClassAndCloseWritesIt()
{
    const QByteArray stored = fileWith({{0, "Anna,2"}, {Archivio::row(2, 0), "Zeno,1"}});
    open(stored);
    box(0)->selectAll();
    QTest::keyClicks(box(0), "Carla");
    desk(5)->setCurrentIndex(1);

    clickTab(2);
    QCOMPARE(m_window->selectedTab(), 2);
    QCOMPARE(box(0)->text(), QString("Zeno"));
    QCOMPARE(desk(0)->currentIndex(), 1);
    clickTab(1);
    QCOMPARE(box(0)->text(), QString("Anna"));
    QCOMPARE(desk(0)->currentText(), QString("Anna"));

    // What was never stored is not written either.
    QTest::keyClicks(box(1), "Bruno");
    QVERIFY(m_window->close());
    QCOMPARE(readFile(), stored);
}

void WindowTest::storedNamesSurviveARestart()
{
    open({});
    QTest::keyClicks(box(0), "Niccol");
    QTest::sendKeyEvent(QTest::Click, box(0), Qt::Key_Ograve, QStringLiteral("ò"), {});
    QTest::keyClicks(box(30), "2B");
    click("cmdSalva");
    QCOMPARE(desk(0)->itemText(2), QString("Niccolò"));
    clickTab(2);
    clickTab(1);
    QCOMPARE(box(0)->text(), QString("Niccolò"));
    QVERIFY(m_window->close());

    open({});
    QCOMPARE(box(0)->text(), QString("Niccolò"));
    QCOMPARE(control<QTabWidget>("TabStrip1")->tabText(0), QString("2B"));
}

void WindowTest::pickingASeatedPupilSwapsTheTwo_data()
{
    QTest::addColumn<bool>("withKeyboard");
    QTest::newRow("from the list") << false;
    QTest::newRow("with the keyboard") << true;
}

void WindowTest::pickingASeatedPupilSwapsTheTwo()
{
    QFETCH(bool, withKeyboard);
    open(fileWith(fullClass()));
    // Desk 4 holds pupil 4; the pupil picked for it sits on desk 17, or with
    // the Down key on desk 5.
    const int other = withKeyboard ? 5 : 17;
    if (withKeyboard)
        QTest::keyClick(desk(4), Qt::Key_Down);
    else
        pick(4, other + 2);
    QCOMPARE(desk(4)->currentText(), pupil(other));
    QCOMPARE(desk(other)->currentText(), pupil(4));
    QCOMPARE(m_window->archivio().cell(4, 1), QString::number(other + 2));
    QCOMPARE(m_window->archivio().cell(other, 1), QString("6"));

    // The swap is stored, so it is what the file holds after closing.
    QVERIFY(m_window->close());
    const QList<QByteArray> lines = readFile().split('\n');
    QCOMPARE(lines.at(other), pupil(other) + ",6\r");
}

void WindowTest::pickingMarkerOrBlankOrWhileADeskIsBlankDoesNothingMore_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("blankDesk");
    QTest::newRow("marker") << 1 << -1;
    QTest::newRow("blank") << 0 << -1;
    QTest::newRow("seated pupil, desk 12 blank") << 17 + 2 << 12;
}

void WindowTest::pickingMarkerOrBlankOrWhileADeskIsBlankDoesNothingMore()
{
    QFETCH(int, position);
    QFETCH(int, blankDesk);
    open(fileWith(fullClass({{blankDesk, 0}})));
    pick(4, position);
    QCOMPARE(desk(4)->currentIndex(), position);
    for (int other = 0; other < 30; ++other) {
        if (other != 4)
            QCOMPARE(desk(other)->currentIndex(), other == blankDesk ? 0 : other + 2);
    }
    QCOMPARE(m_window->archivio().cell(4, 1), QString("6"));
}

void WindowTest::fillAndClearWorkOnTheDesks()
{
    QMap<int, int> positions;
    for (int slot = 0; slot < 30; ++slot)
        positions[slot] = slot == 3 ? 1 : 0;
    positions[0] = 0;
    Rows rows = fullClass(positions);
    rows.remove(29); // 29 pupils and one marked desk
    open(fileWith(rows));

    click("CmdRandom");
    QSet<int> seated;
    for (int index = 0; index < 30; ++index) {
        if (index != 3)
            seated.insert(desk(index)->currentIndex());
    }
    QCOMPARE(seated.size(), 29);
    QVERIFY(!seated.contains(0) && !seated.contains(1));
    QCOMPARE(desk(3)->currentIndex(), 1);
    // Seating is on screen only until the class is stored.
    QCOMPARE(m_window->archivio().cell(0, 1), QString("0"));

    click("cmdClear");
    for (int index = 0; index < 30; ++index)
        QCOMPARE(desk(index)->currentIndex(), index == 3 ? 1 : 0);
}

void WindowTest::fillRefusedExplainsInAMessage()
{
    QMap<int, int> positions;
    for (int slot = 0; slot < 30; ++slot)
        positions[slot] = slot < 3 ? 1 : 0;
    open(fileWith(fullClass(positions)));
    MessageBoxAnswerer answerer(QStringLiteral("OK"));
    click("CmdRandom");
    QVERIFY(answerer.seen());
    QCOMPARE(answerer.title(), QString("Errore!"));
    QCOMPARE(answerer.text(), QString("Ci sono più alunni che banchi liberi!\n"
                                      "Rimuovere a 3 banchi l'indicazione ->Non assegnare<-."));
    QCOMPARE(answerer.buttons(), QStringList({"OK"}));
    QVERIFY(!answerer.hasIcon());
    for (int index = 3; index < 30; ++index)
        QCOMPARE(desk(index)->currentIndex(), 0);
}

void WindowTest::deleteNamesAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("No") << "No" << false;
    QTest::newRow("Sì") << "Sì" << true;
}

void WindowTest::deleteNamesAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(bool, deleted);
    open(fileWith(fullClass()));
    MessageBoxAnswerer answerer(answer);
    click("cmdCancNomi");
    QVERIFY(answerer.seen());
    QCOMPARE(answerer.title(), QString("Attenzione!"));
    QCOMPARE(answerer.text(),
             QString("Sei sicuro di volere cancellare tutti i nomi degli alunni?"));
    QCOMPARE(answerer.buttons(), QStringList({"Sì", "No"}));
    QCOMPARE(box(0)->text().isEmpty(), deleted);
    QCOMPARE(box(30)->text().isEmpty(), deleted);
    QCOMPARE(desk(0)->currentIndex(), deleted ? 0 : 2);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
