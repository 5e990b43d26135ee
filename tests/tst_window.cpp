// SPDX-License-Identifier: GPL-3.0-or-later
// The real window on the offscreen platform, driven as a teacher drives it:
// its controls, start-up from the seating file, tab display, the buttons and
// desk selectors, and the file written at close. The rules' own logic is
// tested through a fake view in tst_rules; here their wiring is what counts.

#include "messageboxanswerer.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QTest>
#include <QtWidgets>

namespace {

const QString Marker = QStringLiteral("-> Non assegnare <-");

// A file of fresh rows with the given rows replaced.
QByteArray fileWith(const QMap<int, QByteArray> &rows)
{
    QByteArray bytes;
    for (int row = 0; row < Archivio::Rows; ++row)
        bytes += rows.value(row, " ,0") + "\r\n";
    return bytes;
}

template <typename F> auto listOf(int count, F item)
{
    QList<decltype(item(0))> list;
    for (int i = 0; i < count; ++i)
        list << item(i);
    return list;
}

// Desk d at position d + 2, where pupil d sits, or blank; changes override.
QList<int> seats(const QMap<int, int> &changes = {}, bool seated = true)
{
    return listOf(30, [&](int desk) { return changes.value(desk, seated ? desk + 2 : 0); });
}

// Class 1 "3A" with pupils "Alunno 0"... and their desks at the given positions.
QByteArray classFile(const QList<int> &desks)
{
    QMap<int, QByteArray> rows{{30, "3A,0"}};
    for (int slot = 0; slot < 30; ++slot)
        rows[slot] = "Alunno " + QByteArray::number(slot) + ',' + QByteArray::number(desks[slot]);
    return fileWith(rows);
}

// A control at its place in twips, with its caption and point size.
void layoutRow(const char *tag, const char *name, const QRect &twips, const QString &caption = {},
               qreal points = 0)
{
    QTest::newRow(tag) << QString(name) << twips << caption << points;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(m_path); }
    void cleanup() { closeWindow(m_window); }

    void layoutCaptionsAndFonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips"); // to the window, or to the names frame inside it
        QTest::addColumn<QString>("caption");
        QTest::addColumn<qreal>("points"); // 0: the default font
        layoutRow("tab strip", "TabStrip1", {120, 0, 18405, 7815});
        layoutRow("wide big button", "CmdRandom", {4800, 6000, 4215, 855}, "Assegna mancanti", 24);
        layoutRow("big button", "cmdSalva", {9840, 6000, 2895, 855}, "Memorizza", 24);
        layoutRow("names frame", "FraNomi", {13680, 360, 4455, 7335}, {}, 13.5);
        layoutRow("class name", "Text1(30)", {1440, 360, 1455, 645}, {}, 24);
        layoutRow("frame's button", "cmdCancNomi", {1440, 6840, 1815, 315}, "Cancella nomi");
        layoutRow("pupil 15, left column's foot", "Text1(14)", {480, 6360, 1575, 285});
        layoutRow("pupil 16, right column's head", "Text1(15)", {2520, 1320, 1575, 285});
        layoutRow("number 1", "Label1(0)", {120, 1320, 255, 255}, " 01");
        layoutRow("number 30, right column's foot", "Label1(29)", {2160, 6360, 255, 255}, " 30");
        layoutRow("desk 10, left bank's last pair", "Combo1(9)", {2640, 4680, 1845, 315});
        layoutRow("desk 27, right bank", "Combo1(26)", {9360, 4080, 1845, 315});
    }

    void layoutCaptionsAndFonts()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        QFETCH(qreal, points);
        // Shown, on a screen that holds it: as drawn, to the pixel.
        m_window = std::make_unique<Form2>(m_path);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QWidget *widget = control(name);
        QCOMPARE(widget->geometry(), QRect(twips.topLeft() / 15.0, twips.size() / 15.0));
        QCOMPARE(widget->property("text").toString(), caption);
        QCOMPARE(widget->font().pointSizeF(), points ? points : QApplication::font().pointSizeF());
        // Captions fit; the labels' digits show in full however wide the default font is.
        QVERIFY(widget->fontMetrics().horizontalAdvance(caption.trimmed()) <= widget->width());
        if (auto *label = qobject_cast<QLabel *>(widget))
            QVERIFY(label->alignment() & Qt::AlignRight);
    }

    void firstRunShowsEmptyClassesAndWritesAFreshFile()
    {
        open({});
        QCOMPARE(listOf(31, [this](int i) { return box(i)->text(); }), QStringList(31, ""));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker}));
        QCOMPARE(seating(), QList<int>(30, 0));
        QCOMPARE(box(30)->alignment(), Qt::AlignCenter);
        QCOMPARE(m_window->size(), QSize(120 + 18405 + 120, 7815 + 120) / 15.0);
        QCOMPARE(m_window->children().indexOf(tabs()), 0); // the strip lies behind everything
        QCOMPARE(writtenFile(), QByteArray(" ,0\r\n").repeated(310));
    }

    // Desk 0 shows the last pupil, desk 3 the marker; -1 selects nothing,
    // and a position past the list leaves the desk blank.
    void startUpShowsClassOneAndNamedTabs()
    {
        open(fileWith({{0, "Anna,4"},
                       {1, "Bruno,0"},
                       {3, "Dario,1"},
                       {5, " ,-1"},
                       {6, " ,5"},
                       {30, "3A,0"},
                       {216, "5C,0"}}));
        QCOMPARE(listOf(10, [this](int tab) { return tabs()->tabText(tab); }),
                 QStringList({"3A", "2", "3", "4", "5", "6", "5C", "8", "9", "10"}));
        QCOMPARE(box(30)->text(), QString("3A"));
        QCOMPARE(seatLists(), QList<QStringList>(30, {"", Marker, "Anna", "Bruno", "Dario"}));
        QCOMPARE(seating(), seats({{0, 4}, {3, 1}, {5, -1}}, false));
    }

    // A stored name and class name outlive a restart, in the file's code
    // page; what is not stored is not written at close (the question is
    // answered No).
    void onlyStoredNamesAreKept()
    {
        open(fileWith({{0, "Anna,2"}}));
        MessageBoxAnswerer no("No");
        box(0)->selectAll();
        QTest::keyClicks(box(0), "Niccol");
        QTest::sendKeyEvent(QTest::Click, box(0), Qt::Key_Ograve, QStringLiteral("ò"), {});
        QTest::keyClicks(box(30), "2B");
        click("cmdSalva");
        QTest::keyClicks(box(1), "Bruno");
        QCOMPARE(writtenFile(), fileWith({{0, "Niccol\xf2,2"}, {30, "2B,0"}}));
        QCOMPARE(no.count(), 1);

        open(QByteArray());
        QCOMPARE(box(0)->text(), QString("Niccolò"));
        QCOMPARE(tabs()->tabText(0), QString("2B"));
    }

    void buttonsThatAskOrRefuse_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message"); // title|text|buttons
        const QString fill = "Errore!|Ci sono più alunni che banchi liberi!\n"
                             "Rimuovere a 3 banchi l'indicazione ->Non assegnare<-.|OK";
        const QString del =
            "Attenzione!|Sei sicuro di volere cancellare tutti i nomi degli alunni?|Sì/No";
        QTest::newRow("Assegna mancanti refused") << QString("OK") << fill;
        QTest::newRow("Cancella nomi: No") << QString("No") << del;
        QTest::newRow("Cancella nomi: Sì") << QString("Sì") << del;
    }

    // 30 pupils and desks 0-2 marked: three too many for the free desks.
    // What each answer does is the rules' own test; here it must reach them.
    void buttonsThatAskOrRefuse()
    {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        open(classFile(seats({{0, 1}, {1, 1}, {2, 1}, {10, 0}, {20, 0}})));
        MessageBoxAnswerer answerer(answer);
        click(answer == "OK" ? "CmdRandom" : "cmdCancNomi");
        QCOMPARE(answerer.count(), 1);
        QCOMPARE(answerer.title() + '|' + answerer.text() + '|' + answerer.buttons().join('/'),
                 message);
        QVERIFY(!answerer.hasIcon());
        QCOMPARE(box(0)->text().isEmpty(), answer == "Sì");
    }

private:
    // Starts the window on the given file contents; none means no file, or the one left.
    void open(const QByteArray &file)
    {
        m_window.reset(); // its lock on the file goes with it
        m_window = startWindow(m_path, file);
        QVERIFY(m_window);
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // Closes the window as the user does and reads what it wrote.
    QByteArray writtenFile() const
    {
        m_window->close();
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QTabWidget *tabs() const { return control<QTabWidget>("TabStrip1"); }
    QComboBox *desk(int i) const { return control<QComboBox>(QString("Combo1(%1)").arg(i)); }
    QLineEdit *box(int i) const { return control<QLineEdit>(QString("Text1(%1)").arg(i)); }
    void click(const char *b) const { QTest::mouseClick(control<QPushButton>(b), Qt::LeftButton); }

    QList<int> seating() const
    {
        return listOf(30, [this](int i) { return desk(i)->currentIndex(); });
    }
    QList<QStringList> seatLists() const
    {
        return listOf(30, [this](int d) {
            return listOf(desk(d)->count(), [&](int i) { return desk(d)->itemText(i); });
        });
    }

    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath(QStringLiteral("Posti.bq"));
    std::unique_ptr<Form2> m_window;
};

POSTI_TEST_MAIN(WindowTest)
#include "tst_window.moc"
