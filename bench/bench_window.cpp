// SPDX-License-Identifier: GPL-3.0-or-later
// The window's reactions on the full table, timed on the real window on the
// offscreen platform: showing a class on a tab change, emptying and filling
// the desks, and the swap a pick on a taken desk sets off.

#include "form2.h"
#include "fullfile.h"
#include "seatingfile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class WindowBench : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tabDisplay();
    void tabDisplayAndPaint();
    void clearAndFill();
    void swap();

private:
    QComboBox *desk(int index) const;
    int emptyDesks() const;

    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Form2> m_window;
};

void WindowBench::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_path = m_dir.filePath(SeatingFile::fileName());
}

// Every benchmark starts from a freshly opened window on the full file.
void WindowBench::init()
{
    QVERIFY(FullFile::write(m_path));
    m_window = std::make_unique<Form2>(m_path);
    m_window->startUp();
    m_window->rules().setRandomGenerator(QRandomGenerator(7));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

// A clean close, as the teacher's: the class stored first, so the close asks
// nothing, and the close removes the journal of the stores.
void WindowBench::cleanup()
{
    m_window->rules().store();
    m_window->close();
    m_window.reset();
}

QComboBox *WindowBench::desk(int index) const
{
    return m_window->findChild<QComboBox *>(QStringLiteral("Combo1(%1)").arg(index));
}

int WindowBench::emptyDesks() const
{
    int empty = 0;
    for (int index = 0; index < 30; ++index)
        empty += desk(index)->currentIndex() < 2 ? 1 : 0;
    return empty;
}

void WindowBench::tabDisplay()
{
    auto *tabStrip = m_window->findChild<QTabWidget *>(QStringLiteral("TabStrip1"));
    QLineEdit *className = m_window->findChild<QLineEdit *>(QStringLiteral("Text1(30)"));
    int tab = 0;
    // Each iteration moves to the next class, so every one shows a class.
    QBENCHMARK
    {
        tab = (tab + 1) % 10;
        tabStrip->setCurrentIndex(tab);
    }
    Archivio expected;
    FullFile::fill(expected);
    QCOMPARE(className->text(), expected.cell(Archivio::row(tab + 1, 30), 0));
    QCOMPARE(emptyDesks(), 0);
}

// The same with the frame the user sees: the whole window painted at once.
void WindowBench::tabDisplayAndPaint()
{
    auto *tabStrip = m_window->findChild<QTabWidget *>(QStringLiteral("TabStrip1"));
    int tab = 0;
    QBENCHMARK
    {
        tab = (tab + 1) % 10;
        tabStrip->setCurrentIndex(tab);
        m_window->repaint();
    }
    QCOMPARE(emptyDesks(), 0);
}

// The fill needs free desks, so each iteration empties them first ("Svuota"
// then "Assegna mancanti"): the figure is the two reactions together.
void WindowBench::clearAndFill()
{
    QBENCHMARK
    {
        m_window->rules().clearSeats();
        m_window->rules().randomFill();
    }
    QCOMPARE(emptyDesks(), 0);
}

// Desk 0 is given the next pupil in its list and then its own pupil back, as
// a pick in its open list gives them (opening the list is Qt's own work and
// not timed): both picks take a pupil seated elsewhere,
// so every iteration swaps two pupils, refills the desk left empty and stores the class.
void WindowBench::swap()
{
    QComboBox *first = desk(0);
    first->setFocus();
    const int own = first->currentIndex();
    QVERIFY(own + 1 < first->count());
    bool forward = true;
    QBENCHMARK
    {
        const int pick = forward ? own + 1 : own;
        first->setCurrentIndex(pick);
        emit first->activated(pick);
        forward = !forward;
    }
    QCOMPARE(first->currentIndex(), forward ? own : own + 1);
    QCOMPARE(emptyDesks(), 0);
    // The swap was stored.
    QCOMPARE(m_window->archivio().cell(0, 1), QString::number(first->currentIndex()));
}

QTEST_MAIN(WindowBench)
#include "bench_window.moc"
