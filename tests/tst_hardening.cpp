// The window keeping the teacher's classes safe, where only the whole window
// will do: its stores and swaps reach the journal and the close, and a run
// killed with SIGKILL is offered back at the next start. What stands at the
// file's path and what the close does with it are tested on the keeper alone.

#include "form2.h"
#include "keptfiles.h"
#include "messageboxanswerer.h"
#include "seatingfile.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace KeptFiles;

namespace {

// Swaps the pupils of desks 5 and 6 by keyboard (an arrow key opens the list,
// Return picks), which stores the class when every desk is taken; then types
// the name into the first name box and clicks "Memorizza", so that nothing is
// left unstored whatever the class was.
void storeAndSwap(Form2 &window)
{
    auto *desk = window.findChild<QComboBox *>(QStringLiteral("Combo1(4)"));
    QTest::keyClick(desk, Qt::Key_Down);
    QTest::keyClick(desk->view(), Qt::Key_Return);
    auto *nameBox = window.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    nameBox->selectAll();
    QTest::keyClicks(nameBox, QStringLiteral("Anna"));
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("cmdSalva")), Qt::LeftButton);
}

} // namespace

class HardeningTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;

private slots:
    void init()
    {
        // The program's name, so the child run and this test share a data folder.
        QCoreApplication::setApplicationName(QStringLiteral("posti"));
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid() && QDir(m_dir->path()).mkpath(QStringLiteral("prog")));
        m_path = m_dir->filePath(QStringLiteral("prog/Posti.bq"));
        useDataFolderIn(m_dir->path());
    }

    // Each store and swap goes to the journal at once and to the file only at
    // close; a killed run's stores are offered back, No being the default.
    void storesReachJournalAndClose_data()
    {
        QTest::addColumn<QByteArray>("bytes");    // empty: no file
        QTest::addColumn<bool>("killed");         // a run killed after storing "Bruno"
        QTest::addColumn<QStringList>("answers"); // at start-up
        QTest::newRow("well-formed") << distinctFile() << false << QStringList();
        QTest::newRow("missing") << QByteArray() << false << QStringList();
        QTest::newRow("killed run, restored")
            << distinctFile() << true << QStringList({"Sì", "OK"}); // then the copy's place
        QTest::newRow("killed run, set aside") << distinctFile() << true << QStringList({"No"});
    }

    void storesReachJournalAndClose()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, killed);
        QFETCH(QStringList, answers);
        if (!bytes.isEmpty())
            QVERIFY(writeAll(m_path, bytes));
        const bool restored = answers.value(0) == "Sì";
        if (killed) {
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
            QSKIP("the child run's data folder can only be set through XDG_DATA_HOME");
#endif
            QProcess child; // inherits this test's XDG_DATA_HOME and platform
            child.start(QStringLiteral(CRASHCHILD_PATH), {m_path, QStringLiteral("Bruno")});
            QTRY_VERIFY_WITH_TIMEOUT(!dataFile(JournalName).isEmpty(), 30000);
            child.kill();
            QVERIFY(child.waitForFinished());
        }
        Archivio expected = tableOf(readAll(m_path));
        if (restored)
            expected.setCell(0, 0, QStringLiteral("Bruno"));

        MessageBoxAnswerer answerer(answers);
        Form2 window(m_path);
        window.startUp();
        // The killed run's lock is taken over: its stores are offered, not refused.
        QCOMPARE(answerer.count(), answers.size());
        if (killed) {
            QVERIFY2(answerer.text().contains("Ripristinare"), qPrintable(answerer.text()));
            QCOMPARE(answerer.defaultButtons().first(), "No");
        }
        QVERIFY(!restored || readAll(m_path + ".bak") == bytes);
        QCOMPARE(window.archivio(), expected);
        QCOMPARE(tableOf(readAll(dataFile(AsideName))).cell(0, 0),
                 killed && !restored ? "Bruno" : "");
        storeAndSwap(window);
        const Archivio shown = window.archivio();
        QCOMPARE(tableOf(readAll(dataFile(JournalName))), shown);
        QVERIFY(readAll(m_path) == bytes);

        QVERIFY(window.close());
        QCOMPARE(answerer.count(), answers.size());
        QCOMPARE(dataFile(JournalName), QString());
        QCOMPARE(dataFile(RecoveryName), QString());
        QCOMPARE(tableOf(readAll(m_path)), shown);
    }
};

QTEST_MAIN(HardeningTest)
#include "tst_hardening.moc"
