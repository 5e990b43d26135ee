// The real window without a mouse: the tab order, Enter in the name boxes and
// on the buttons, switching classes, and the names screen readers announce.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Pupil 1 of class t is "Primo t" and its class name "Classe t".
QByteArray namedClassesFile()
{
    QByteArray bytes;
    for (int tab = 1; tab <= 10; ++tab) {
        bytes += "Primo " + QByteArray::number(tab) + ",0\r\n";
        for (int slot = 1; slot < 30; ++slot)
            bytes += " ,0\r\n";
        bytes += "Classe " + QByteArray::number(tab) + ",0\r\n";
    }
    return bytes;
}

QStringList indexed(const QString &name, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("%1(%2)").arg(name).arg(i);
    return names;
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tabVisitsEveryControlOnceInOrder();
    void tabSteps_data();
    void tabSteps();
    void enterMovesToTheNextBox_data();
    void enterMovesToTheNextBox();
    void keysPressButtons_data();
    void keysPressButtons();
    void classesSwitchFromAnywhere_data();
    void classesSwitchFromAnywhere();
    void accessibleNames_data();
    void accessibleNames();
    void everyFocusableControlHasAName();

private:
    QWidget *control(const QString &name) const;
    static QString nameOf(const QWidget *widget);
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form2> m_window;
};

void KeyboardTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString path = m_dir->filePath(QStringLiteral("Posti.bq"));
    QFile out(path);
    const QByteArray file = namedClassesFile();
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    m_window = std::make_unique<Form2>(path);
    m_window->startUp();
    m_window->show();
    QApplication::setActiveWindow(m_window.get());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void KeyboardTest::cleanup()
{
    m_window.reset();
}

QWidget *KeyboardTest::control(const QString &name) const
{
    if (name == QLatin1String("tab bar"))
        return m_window->findChild<QTabWidget *>(QStringLiteral("TabStrip1"))->tabBar();
    QWidget *found = m_window->findChild<QWidget *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The tab strip's bar has Qt's own name; the tests call it by its job.
QString KeyboardTest::nameOf(const QWidget *widget)
{
    if (!widget)
        return QStringLiteral("(none)");
    return qobject_cast<const QTabBar *>(widget) ? QStringLiteral("tab bar") : widget->objectName();
}

void KeyboardTest::press(int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void KeyboardTest::tabVisitsEveryControlOnceInOrder()
{
    const QStringList expected = indexed("Text1", 31) +
                                 QStringList{"cmdCancNomi", "cmdSalva", "CmdRandom", "cmdClear"} +
                                 indexed("Combo1", 30) + QStringList{"tab bar"};
    QCOMPARE(nameOf(QApplication::focusWidget()), QString("Text1(0)"));
    QStringList visited;
    for (int step = 0; step < expected.size(); ++step) {
        visited << nameOf(QApplication::focusWidget());
        press(Qt::Key_Tab);
    }
    QCOMPARE(visited, expected);
    QCOMPARE(nameOf(QApplication::focusWidget()), QString("Text1(0)"));
}

void KeyboardTest::tabSteps_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::newRow("down the left column") << "Text1(3)" << int(Qt::Key_Tab) << "Text1(4)";
    QTest::newRow("to the right column") << "Text1(14)" << int(Qt::Key_Tab) << "Text1(15)";
    QTest::newRow("pupil 30 to the class") << "Text1(29)" << int(Qt::Key_Tab) << "Text1(30)";
    QTest::newRow("class to its button") << "Text1(30)" << int(Qt::Key_Tab) << "cmdCancNomi";
    QTest::newRow("nearest button first") << "cmdCancNomi" << int(Qt::Key_Tab) << "cmdSalva";
    QTest::newRow("last button to desk 1") << "cmdClear" << int(Qt::Key_Tab) << "Combo1(0)";
    QTest::newRow("desks in room order") << "Combo1(9)" << int(Qt::Key_Tab) << "Combo1(10)";
    QTest::newRow("last desk to the classes") << "Combo1(29)" << int(Qt::Key_Tab) << "tab bar";
    QTest::newRow("back from pupil 1") << "Text1(0)" << int(Qt::Key_Backtab) << "tab bar";
    QTest::newRow("back from desk 1") << "Combo1(0)" << int(Qt::Key_Backtab) << "cmdClear";
}

void KeyboardTest::tabSteps()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    control(from)->setFocus(Qt::OtherFocusReason);
    press(key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(nameOf(QApplication::focusWidget()), to);
}

void KeyboardTest::enterMovesToTheNextBox_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("key");
    QTest::newRow("pupil 1") << 0 << 1 << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << 1 << 2 << int(Qt::Key_Enter);
    QTest::newRow("to the right column") << 14 << 15 << int(Qt::Key_Return);
    QTest::newRow("pupil 30 to the class") << 29 << 30 << int(Qt::Key_Return);
    QTest::newRow("class back to pupil 1") << 30 << 0 << int(Qt::Key_Return);
}

void KeyboardTest::enterMovesToTheNextBox()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, key);
    control(QStringLiteral("Text1(%1)").arg(from))->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), "Ro");
    press(key);
    auto *next = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QCOMPARE(nameOf(next), QStringLiteral("Text1(%1)").arg(to));
    // As after Tab, typing replaces what the box held.
    QTest::keyClicks(next, "Bi");
    QCOMPARE(next->text(), QString("Bi"));
}

void KeyboardTest::keysPressButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    for (const char *button : {"cmdSalva", "CmdRandom", "cmdClear", "cmdCancNomi"}) {
        QTest::addRow("%s Space", button) << button << int(Qt::Key_Space);
        QTest::addRow("%s Return", button) << button << int(Qt::Key_Return);
        QTest::addRow("%s Enter", button) << button << int(Qt::Key_Enter);
    }
}

void KeyboardTest::keysPressButtons()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    auto *target = qobject_cast<QPushButton *>(control(button));
    QSignalSpy clicked(target, &QPushButton::clicked);
    MessageBoxAnswerer answerer(QStringLiteral("No")); // "Cancella nomi" asks first
    target->setFocus(Qt::TabFocusReason);
    press(key);
    QCOMPARE(clicked.count(), 1);
}

void KeyboardTest::classesSwitchFromAnywhere_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("fromTab");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("toTab");
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+Tab in a name") << "Text1(0)" << 1 << int(Qt::Key_Tab) << ctrl << 2;
    QTest::newRow("Ctrl+Tab wraps") << "Text1(5)" << 10 << int(Qt::Key_Tab) << ctrl << 1;
    QTest::newRow("Ctrl+Shift+Tab wraps")
        << "Text1(30)" << 1 << int(Qt::Key_Backtab) << ctrlShift << 10;
    QTest::newRow("Ctrl+PgDown on a desk")
        << "Combo1(3)" << 3 << int(Qt::Key_PageDown) << ctrl << 4;
    QTest::newRow("Ctrl+PgUp on a button") << "cmdSalva" << 3 << int(Qt::Key_PageUp) << ctrl << 2;
    QTest::newRow("Ctrl+Tab on the strip") << "tab bar" << 4 << int(Qt::Key_Tab) << ctrl << 5;
}

void KeyboardTest::classesSwitchFromAnywhere()
{
    QFETCH(QString, focus);
    QFETCH(int, fromTab);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, toTab);
    auto *strip = m_window->findChild<QTabWidget *>(QStringLiteral("TabStrip1"));
    strip->setCurrentIndex(fromTab - 1);
    control(focus)->setFocus();
    press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(strip->currentIndex() + 1, toTab);
    // The class of the new tab is on screen, and the focus stayed.
    QCOMPARE(m_window->nameText(0), QStringLiteral("Primo %1").arg(toTab));
    QCOMPARE(m_window->nameText(30), QStringLiteral("Classe %1").arg(toTab));
    QCOMPARE(nameOf(QApplication::focusWidget()), focus);
}

void KeyboardTest::accessibleNames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("accessibleName");
    QTest::newRow("pupil 1") << "Text1(0)"
                             << "Alunno 1";
    QTest::newRow("pupil 16") << "Text1(15)"
                              << "Alunno 16";
    QTest::newRow("pupil 30") << "Text1(29)"
                              << "Alunno 30";
    QTest::newRow("class name") << "Text1(30)"
                                << "Nome della classe";
    QTest::newRow("desk 1") << "Combo1(0)"
                            << "Banco 1";
    QTest::newRow("desk 30") << "Combo1(29)"
                             << "Banco 30";
    QTest::newRow("Svuota") << "cmdClear"
                            << "Svuota";
    QTest::newRow("Assegna mancanti") << "CmdRandom"
                                      << "Assegna mancanti";
    QTest::newRow("Memorizza") << "cmdSalva"
                               << "Memorizza";
    QTest::newRow("Cancella nomi") << "cmdCancNomi"
                                   << "Cancella nomi";
    QTest::newRow("tab strip") << "TabStrip1"
                               << "Classi";
    QTest::newRow("its bar") << "tab bar"
                             << "Classi";
}

void KeyboardTest::accessibleNames()
{
    QFETCH(QString, control);
    QFETCH(QString, accessibleName);
    QCOMPARE(this->control(control)->accessibleName(), accessibleName);
}

void KeyboardTest::everyFocusableControlHasAName()
{
    QStringList unnamed;
    QSet<QString> names;
    for (QWidget *widget : m_window->findChildren<QWidget *>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(m_window.get()))
            continue;
        if (widget->accessibleName().isEmpty())
            unnamed << nameOf(widget);
        names.insert(widget->accessibleName());
    }
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(names.size(), 31 + 30 + 4 + 1); // no two controls announced alike
}

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
