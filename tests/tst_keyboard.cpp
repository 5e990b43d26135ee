// The real window without a mouse: the tab order, Enter in the name boxes and
// on the buttons, switching classes, and the names screen readers announce.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QTest>
#include <QtWidgets>

class KeyboardTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_window;

    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }
    // The tab strip's bar has Qt's own name; the tests call it by its job.
    static QString focused()
    {
        QWidget *widget = QApplication::focusWidget();
        if (!widget)
            return QString();
        return qobject_cast<QTabBar *>(widget) ? QStringLiteral("tab bar") : widget->objectName();
    }

private slots:
    // Pupil 1 of class t is "Primo t" and its class name "Classe t".
    void init()
    {
        QByteArray file;
        for (int tab = 1; tab <= 10; ++tab) {
            file += "Primo " + QByteArray::number(tab) + ",0\r\n" +
                    QByteArray(" ,0\r\n").repeated(29) + "Classe " + QByteArray::number(tab) +
                    ",0\r\n";
        }
        QFile out(m_dir.filePath(QStringLiteral("Posti.bq")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size() && out.flush());
        m_window = std::make_unique<Form2>(out.fileName());
        m_window->startUp();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    // Every control once, each announced by its own name.
    void tabVisitsEveryControlInOrder()
    {
        QStringList expected;
        for (int i = 0; i < 30; ++i)
            expected << QString("Text1(%1) Alunno %2").arg(i).arg(i + 1);
        expected +=
            QStringList{"Text1(30) Nome della classe", "cmdCancNomi Cancella nomi",
                        "cmdSalva Memorizza", "CmdRandom Assegna mancanti", "cmdClear Svuota"};
        for (int i = 0; i < 30; ++i)
            expected << QString("Combo1(%1) Banco %2").arg(i).arg(i + 1);
        expected << "tab bar Classi";
        QStringList visited;
        for (int step = 0; step < expected.size(); ++step) {
            visited << focused() + ' ' + QApplication::focusWidget()->accessibleName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
        QCOMPARE(focused(), QString("Text1(0)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focused(), QString("tab bar"));
        QCOMPARE(control("TabStrip1")->accessibleName(), QString("Classi"));
    }

    void keysAct_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("focusTo"); // where the focus goes; empty: "from" is pressed
        QTest::addColumn<int>("tabTo");       // the class shown afterwards
        QTest::newRow("pupil 1") << "Text1(0)" << QKeySequence("Return") << "Text1(1)" << 1;
        QTest::newRow("pupil 30") << "Text1(29)" << QKeySequence("Enter") << "Text1(30)" << 1;
        QTest::newRow("class name") << "Text1(30)" << QKeySequence("Return") << "Text1(0)" << 1;
        QTest::newRow("Memorizza") << "cmdSalva" << QKeySequence("Return") << "" << 1;
        QTest::newRow("Assegna mancanti") << "CmdRandom" << QKeySequence("Enter") << "" << 1;
        QTest::newRow("Svuota") << "cmdClear" << QKeySequence("Space") << "" << 1;
        QTest::newRow("Cancella nomi") << "cmdCancNomi" << QKeySequence("Return") << "" << 1;
        QTest::newRow("Ctrl+Tab") << "Text1(5)" << QKeySequence("Ctrl+Tab") << "Text1(5)" << 2;
        QTest::newRow("Ctrl+PgDn") << "Text1(9)" << QKeySequence("Ctrl+PgDown") << "Text1(9)" << 2;
        QTest::newRow("wraps") << "Text1(0)" << QKeySequence("Ctrl+PgUp") << "Text1(0)" << 10;
    }
    void keysAct()
    {
        QFETCH(QString, from);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, focusTo);
        QFETCH(int, tabTo);
        QStringList pressed;
        for (QPushButton *button : m_window->findChildren<QPushButton *>())
            connect(button, &QPushButton::clicked,
                    [&pressed, button] { pressed << button->objectName(); });
        MessageBoxAnswerer answerer(QStringLiteral("No")); // "Cancella nomi" asks first
        control(from)->setFocus(Qt::TabFocusReason);
        QTest::keySequence(QApplication::focusWidget(), keys);
        QCOMPARE(pressed, focusTo.isEmpty() ? QStringList{from} : QStringList());
        if (!focusTo.isEmpty()) // a message box takes the focus offscreen and keeps it
            QCOMPARE(focused(), focusTo);
        QCOMPARE(m_window->nameText(0), QStringLiteral("Primo %1").arg(tabTo));
        QCOMPARE(m_window->nameText(30), QStringLiteral("Classe %1").arg(tabTo));
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
