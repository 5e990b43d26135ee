// What a screen reader is told about the desks: each one's name, who sits
// there, and that it changed, as the accessibility bridge asks for it.

#include "form2.h"
#include "messageboxanswerer.h"

#include <QAccessible>
#include <QTest>
#include <QtWidgets>

namespace {

// Who is told what: "desk|event|value" for every value or description change of a desk.
QStringList *announcements = nullptr;

void record(QAccessibleEvent *event)
{
    auto *desk = qobject_cast<QComboBox *>(event->object());
    if (!announcements || !desk)
        return;
    QString value;
    if (event->type() == QAccessible::ValueChanged)
        value = static_cast<QAccessibleValueChangeEvent *>(event)->value().toString();
    else if (event->type() == QAccessible::DescriptionChanged)
        value = event->accessibleInterface()->text(QAccessible::Description);
    else
        return;
    *announcements << QStringLiteral("%1|%2|%3")
                          .arg(desk->objectName())
                          .arg(event->type() == QAccessible::ValueChanged ? "value" : "description")
                          .arg(value);
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_window;

    QComboBox *desk(int i) const
    {
        return m_window->findChild<QComboBox *>(QStringLiteral("Combo1(%1)").arg(i));
    }
    // Name, value and description of a desk, as a screen reader reads them.
    QString heard(int i) const
    {
        QAccessibleInterface *desk = QAccessible::queryAccessibleInterface(this->desk(i));
        return QStringList{desk->text(QAccessible::Name), desk->text(QAccessible::Value),
                           desk->text(QAccessible::Description)}
            .join(u'|');
    }

private slots:
    // Class 1: Anna on desk 1, desk 2 not to be used, Bruno and Carla not seated.
    void init()
    {
        QFile out(m_dir.filePath(QStringLiteral("Posti.bq")));
        QByteArray file = "Anna,2\r\n Bruno,1\r\nCarla,0\r\n";
        for (int row = 3; row < Archivio::Rows; ++row)
            file += row == 30 ? "3A,0\r\n" : " ,0\r\n";
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size() && out.flush());
        m_window = std::make_unique<Form2>(out.fileName());
        m_window->startUp();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        MessageBoxAnswerer no("No"); // to the question about unstored changes
        m_window->close();
        m_window.reset();
    }

    void eachDeskSaysWhoSitsThere_data()
    {
        QTest::addColumn<int>("desk");
        QTest::addColumn<QString>("heard");
        QTest::newRow("seated") << 0 << "Banco 1|Anna|Anna";
        QTest::newRow("not to be used") << 1 << "Banco 2|non usato|non usato";
        QTest::newRow("free") << 2 << "Banco 3|vuoto|vuoto";
        QTest::newRow("last") << 29 << "Banco 30|vuoto|vuoto";
    }
    void eachDeskSaysWhoSitsThere()
    {
        QFETCH(int, desk);
        QFETCH(QString, heard);
        QCOMPARE(this->heard(desk), heard);
        QAccessibleInterface *selector = QAccessible::queryAccessibleInterface(this->desk(desk));
        QCOMPARE(selector->role(), QAccessible::ComboBox);
        QVERIFY(selector->state().focusable);
    }

    // A pupil picked from the list, the desks emptied, another class shown: each change is
    // told as it happens, and the desk then reads as it is.
    void changesAreTold()
    {
        if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
            QTRY_VERIFY(QAccessible::isActive()); // once the bridge has found the bus
        QStringList told;
        announcements = &told;
        QAccessible::setActive(true);
        const auto previous = QAccessible::installUpdateHandler(record);
        auto restore = qScopeGuard([previous] {
            QAccessible::installUpdateHandler(previous);
            announcements = nullptr;
        });

        desk(2)->showPopup();
        QAbstractItemView *list = desk(2)->view();
        const QModelIndex carla = list->model()->index(4, 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(carla).center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(heard(2), QStringLiteral("Banco 3|Carla|Carla"));
        // Qt tells only a running accessibility bridge (under X, with the bus up).
        const bool bridge = QAccessible::isActive();
        QVERIFY2(!bridge || (told.contains("Combo1(2)|value|Carla") &&
                             told.contains("Combo1(2)|description|Carla")),
                 qPrintable(told.join(u'\n')));

        told.clear();
        QTest::mouseClick(m_window->findChild<QPushButton *>(QStringLiteral("cmdClear")),
                          Qt::LeftButton);
        QCOMPARE(
            heard(0) + u'/' + heard(1) + u'/' + heard(2),
            QStringLiteral("Banco 1|vuoto|vuoto/Banco 2|non usato|non usato/Banco 3|vuoto|vuoto"));
        QVERIFY2(!bridge || (told.contains("Combo1(0)|value|vuoto") &&
                             told.contains("Combo1(2)|value|vuoto")),
                 qPrintable(told.join(u'\n')));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
