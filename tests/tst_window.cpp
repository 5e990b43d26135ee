// The window on the offscreen platform: its controls, start-up from the
// seating file, the class shown on a tab click, and the file written at close.

#include "form2.h"
#include "messageboxanswerer.h"

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

constexpr int Rows = 310;

QByteArray freshFile()
{
    QByteArray bytes;
    for (int row = 0; row < Rows; ++row)
        bytes += " ,0\r\n";
    return bytes;
}

// A file of fresh rows with the given rows replaced; texts are plain ASCII.
QByteArray fileWith(const QMap<int, QByteArray> &rows)
{
    QByteArray bytes;
    for (int row = 0; row < Rows; ++row)
        bytes += rows.value(row, " ,0") + "\r\n";
    return bytes;
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

    void controlsSitWhereTheLayoutPutsThem_data();
    void controlsSitWhereTheLayoutPutsThem();
    void captionsAndFonts();

    void firstRunShowsEmptyClassesAndWritesFreshFile();
    void startUpShowsClassOneAndNamedTabs();
    void storedPositionsThatCannotBeShownLeaveTheDeskBlank_data();
    void storedPositionsThatCannotBeShownLeaveTheDeskBlank();
    void tabClickShowsTheStoredClass();
    void closingWritesOnlyWhatWasStored();

private:
    QString writeFile(const QByteArray &bytes);
    QByteArray readFile() const;
    template <typename T> T *control(Form2 &window, const QString &name);
    void clickTab(Form2 &window, int tab);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void WindowTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(QStringLiteral("Posti.bq"));
}

QString WindowTest::writeFile(const QByteArray &bytes)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return m_path;
}

QByteArray WindowTest::readFile() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T> T *WindowTest::control(Form2 &window, const QString &name)
{
    T *found = window.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void WindowTest::clickTab(Form2 &window, int tab)
{
    QTabBar *bar = control<QTabWidget>(window, QStringLiteral("TabStrip1"))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab - 1).center());
}

void WindowTest::controlsSitWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");
    // Positions relative to the window, or to the names frame for its contents.
    QTest::newRow("tab strip") << "TabStrip1" << QRect(120, 0, 18405, 7815);
    QTest::newRow("Svuota") << "cmdClear" << QRect(1200, 6000, 2895, 855);
    QTest::newRow("Assegna") << "CmdRandom" << QRect(4800, 6000, 4215, 855);
    QTest::newRow("Memorizza") << "cmdSalva" << QRect(9840, 6000, 2895, 855);
    QTest::newRow("frame") << "FraNomi" << QRect(13680, 360, 4455, 7335);
    QTest::newRow("class name") << "Text1(30)" << QRect(1440, 360, 1455, 645);
    QTest::newRow("Cancella nomi") << "cmdCancNomi" << QRect(1440, 6840, 1815, 315);
    QTest::newRow("name 1") << "Text1(0)" << QRect(480, 1320, 1575, 285);
    QTest::newRow("name 15") << "Text1(14)" << QRect(480, 1320 + 360 * 14, 1575, 285);
    QTest::newRow("name 16") << "Text1(15)" << QRect(2520, 1320, 1575, 285);
    QTest::newRow("name 30") << "Text1(29)" << QRect(2520, 1320 + 360 * 14, 1575, 285);
    QTest::newRow("label 1") << "Label1(0)" << QRect(120, 1320, 255, 255);
    QTest::newRow("label 30") << "Label1(29)" << QRect(2160, 1320 + 360 * 14, 255, 255);
    QTest::newRow("desk 0") << "Combo1(0)" << QRect(720, 2280, 1845, 315);
    QTest::newRow("desk 1") << "Combo1(1)" << QRect(720 + 1920, 2280, 1845, 315);
    QTest::newRow("desk 9") << "Combo1(9)" << QRect(720 + 1920, 2280 + 2400, 1845, 315);
    QTest::newRow("desk 10") << "Combo1(10)" << QRect(720 + 4320, 2280, 1845, 315);
    QTest::newRow("desk 27") << "Combo1(27)" << QRect(720 + 8640 + 1920, 2280 + 1800, 1845, 315);
}

void WindowTest::controlsSitWhereTheLayoutPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);
    Form2 window(m_path);
    const QRect pixels = control<QWidget>(window, name)->geometry();
    QCOMPARE(pixels.x(), qRound(twips.x() / 15.0));
    QCOMPARE(pixels.y(), qRound(twips.y() / 15.0));
    QCOMPARE(pixels.width(), qRound(twips.width() / 15.0));
    QCOMPARE(pixels.height(), qRound(twips.height() / 15.0));
}

void WindowTest::captionsAndFonts()
{
    Form2 window(m_path);
    QCOMPARE(control<QPushButton>(window, "cmdClear")->text(), QString("Svuota"));
    QCOMPARE(control<QPushButton>(window, "CmdRandom")->text(), QString("Assegna mancanti"));
    QCOMPARE(control<QPushButton>(window, "cmdSalva")->text(), QString("Memorizza"));
    QCOMPARE(control<QPushButton>(window, "cmdCancNomi")->text(), QString("Cancella nomi"));
    QCOMPARE(control<QLabel>(window, "Label1(0)")->text(), QString(" 01"));
    QCOMPARE(control<QLabel>(window, "Label1(9)")->text(), QString(" 10"));
    QCOMPARE(control<QLabel>(window, "Label1(29)")->text(), QString(" 30"));

    QCOMPARE(control<QPushButton>(window, "CmdRandom")->font().pointSizeF(), 24.0);
    QCOMPARE(control<QWidget>(window, "FraNomi")->font().pointSizeF(), 13.5);
    auto *className = control<QLineEdit>(window, "Text1(30)");
    QCOMPARE(className->font().pointSizeF(), 24.0);
    QCOMPARE(className->alignment(), Qt::AlignCenter);
    // Inside the frame, the boxes keep the default size rather than the frame's.
    QCOMPARE(control<QLineEdit>(window, "Text1(0)")->font().pointSizeF(),
             QApplication::font().pointSizeF());

    auto *tabs = control<QTabWidget>(window, "TabStrip1");
    QCOMPARE(tabs->count(), 10);
    QCOMPARE(tabs->tabText(9), QString("10"));
    // The strip lies behind everything else.
    QCOMPARE(window.children().indexOf(tabs), 0);
}

void WindowTest::firstRunShowsEmptyClassesAndWritesFreshFile()
{
    Form2 window(m_path);
    window.startUp();
    for (int box = 0; box <= 30; ++box)
        QVERIFY(control<QLineEdit>(window, QString("Text1(%1)").arg(box))->text().isEmpty());
    auto *tabs = control<QTabWidget>(window, "TabStrip1");
    for (int tab = 0; tab < 10; ++tab)
        QCOMPARE(tabs->tabText(tab), QString::number(tab + 1));
    QCOMPARE(tabs->currentIndex(), 0);
    for (int desk = 0; desk < 30; ++desk) {
        auto *combo = control<QComboBox>(window, QString("Combo1(%1)").arg(desk));
        QCOMPARE(itemsOf(combo), QStringList({"", "-> Non assegnare <-"}));
        QCOMPARE(combo->currentIndex(), 0);
    }

    window.show();
    QVERIFY(window.close());
    QCOMPARE(readFile(), freshFile());
}

void WindowTest::startUpShowsClassOneAndNamedTabs()
{
    writeFile(fileWith({{0, "Anna,4"},
                        {1, "Bruno,0"},
                        {3, "Dario,1"},
                        {30, "3A,0"},
                        {Archivio::row(2, 30), "4B,0"},
                        {216, "5C,0"}}));
    Form2 window(m_path);
    window.startUp();

    auto *tabs = control<QTabWidget>(window, "TabStrip1");
    const QStringList expectedCaptions = {"3A", "4B", "3", "4", "5", "6", "5C", "8", "9", "10"};
    for (int tab = 0; tab < 10; ++tab)
        QCOMPARE(tabs->tabText(tab), expectedCaptions.at(tab));

    QCOMPARE(control<QLineEdit>(window, "Text1(30)")->text(), QString("3A"));
    QCOMPARE(control<QLineEdit>(window, "Text1(3)")->text(), QString("Dario"));
    const QStringList seatList = {"", "-> Non assegnare <-", "Anna", "Bruno", "Dario"};
    for (int desk = 0; desk < 30; ++desk)
        QCOMPARE(itemsOf(control<QComboBox>(window, QString("Combo1(%1)").arg(desk))), seatList);
    QCOMPARE(control<QComboBox>(window, "Combo1(0)")->currentText(), QString("Dario"));
    QCOMPARE(control<QComboBox>(window, "Combo1(3)")->currentIndex(), 1);
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
    writeFile(fileWith({{0, "Anna,0"}, {1, "Bruno," + stored}}));
    Form2 window(m_path);
    MessageBoxAnswerer answerer(QStringLiteral("OK")); // a position that is no number is damage
    window.startUp();
    QCOMPARE(control<QComboBox>(window, "Combo1(1)")->currentIndex(), shown);
}

void WindowTest::tabClickShowsTheStoredClass()
{
    writeFile(fileWith({{0, "Anna,2"}, {Archivio::row(2, 0), "Zeno,1"}}));
    Form2 window(m_path);
    window.startUp();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto *firstName = control<QLineEdit>(window, "Text1(0)");
    firstName->selectAll();
    QTest::keyClicks(firstName, "Carla");
    QCOMPARE(firstName->text(), QString("Carla"));

    clickTab(window, 2);
    QCOMPARE(window.selectedTab(), 2);
    QCOMPARE(firstName->text(), QString("Zeno"));
    QCOMPARE(control<QComboBox>(window, "Combo1(0)")->currentIndex(), 1);

    clickTab(window, 1);
    QCOMPARE(firstName->text(), QString("Anna"));
    QCOMPARE(control<QComboBox>(window, "Combo1(0)")->currentText(), QString("Anna"));
}

void WindowTest::closingWritesOnlyWhatWasStored()
{
    const QByteArray stored = fileWith({{0, "Anna,2"}, {30, "3A,0"}});
    writeFile(stored);
    Form2 window(m_path);
    window.startUp();
    window.show();
    QTest::keyClicks(control<QLineEdit>(window, "Text1(1)"), "Bruno");
    control<QComboBox>(window, "Combo1(5)")->setCurrentIndex(1);
    QVERIFY(window.close());
    QCOMPARE(readFile(), stored);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
