// SPDX-License-Identifier: GPL-3.0-or-later
// The seating rules on screen: the mark, tooltip and description of a desk
// whose pupil breaks a rule, and the rules dialog driven by the keyboard.

#include "modaldialog.h"
#include "realkeys.h"
#include "realmouse.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <functional>

namespace {

const QByteArray Head = "Posti-regole versione 1\n";
// Separati, Alunno 0 (desk 1) from Alunno 1 (desk 2), neighbours.
const QByteArray ApartBroken = "1\tseparati\t1\tAlunno 0\t2\tAlunno 1\n";
// Separati, Alunno 0 (desk 1) from Alunno 29 (desk 30), far apart.
const QByteArray ApartKept = "1\tseparati\t1\tAlunno 0\t30\tAlunno 29\n";
const QColor Red(0xd0, 0, 0);
using Tips = QMap<int, QString>;

} // namespace

class RulesDialogTest : public QObject
{
    Q_OBJECT

    TestWindow m_window;

    // The window on class 1, Alunno d at desk d + 1, with the given rules.
    bool open(const QByteArray &rules, MessageBoxAnswerer *answerer = nullptr)
    {
        QFile file(m_window.besideFile("Posti-regole.txt"));
        return file.open(QIODevice::WriteOnly) && file.write(rules) == rules.size() &&
               (file.close(),
                m_window.open(seatingFile(withClass({}, 1, "3A", "Alunno", seats())), answerer));
    }

    // To the focus, in the dialog or else in the window.
    bool key(const QKeySequence &keys) const
    {
        m_window.activateIfNone();
        QWidget *focus = QApplication::focusWidget();
        return RealKeys::press(focus ? focus : m_window.get(), keys);
    }

    // Opens the dialog with Ctrl+R, runs work on it, closes it with Escape,
    // and returns the texts of its list as they were when work began.
    QStringList withDialog(const std::function<void(QDialog *)> &work = {})
    {
        QStringList listed;
        const bool focused =
            withModalDialog([&] { QVERIFY(key(QKeySequence("Ctrl+R"))); },
                            [&](QDialog *dialog) {
                                auto *list = dialog->findChild<QListWidget *>("rulesList");
                                for (int row = 0; list && row < list->count(); ++row)
                                    listed << list->item(row)->text();
                                if (work)
                                    work(dialog);
                                key(Qt::Key_Escape);
                            });
        [&] {
            QVERIFY2(focused, "the rules dialog never took the focus");
        }();
        return listed;
    }

    // What a screen reader calls a control: on Linux Qt names a choice list by
    // its value and points to its label, which the reader says.
    static QString spokenName(QWidget *control)
    {
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
        if (qobject_cast<QComboBox *>(control))
            spoken = spoken->relations(QAccessible::Label).value(0).first;
        return spoken ? spoken->text(QAccessible::Name) : QString();
    }
    QString description(int desk) const
    {
        return QAccessible::queryAccessibleInterface(m_window.desk(desk))
            ->text(QAccessible::Description);
    }
    QColor frame(int desk) const
    {
        const QImage image = m_window.desk(desk)->grab().toImage();
        return image.pixelColor(0, image.height() / 2);
    }
    // Each desk's tooltip, where there is one.
    Tips toolTips() const
    {
        Tips tips;
        for (int desk = 0; desk < SeatingView::Desks; ++desk) {
            const QString tip = RealMouse::shownToolTip(m_window.desk(desk));
            if (!tip.isEmpty())
                tips[desk] = tip;
        }
        return tips;
    }

private slots:
    void cleanup() { m_window.close(); }

    // A plan stored before its rule, or a swap, breaks it: the desk wears a
    // red frame, its tooltip and its description name the rule.
    void brokenRuleMarksDesk_data()
    {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<int>("pickDesk"); // -1 for none
        QTest::addColumn<int>("position");
        QTest::addColumn<Tips>("tips");
        QTest::addColumn<QString>("heard"); // the last desk marked
        QTest::newRow("stored plan") << ApartBroken << -1 << 0
                                     << Tips{{0, "regola non rispettata: separati da Alunno 1"},
                                             {1, "regola non rispettata: separati da Alunno 0"}}
                                     << "Alunno 1, regola non rispettata: separati da Alunno 0";
        QTest::newRow("kept") << ApartKept << -1 << 0 << Tips{} << "";
        // Alunno 29 picked for desk 2 swaps with Alunno 1.
        QTest::newRow("swap") << ApartKept << 1 << 31
                              << Tips{{0, "regola non rispettata: separati da Alunno 29"},
                                      {1, "regola non rispettata: separati da Alunno 0"}}
                              << "Alunno 29, regola non rispettata: separati da Alunno 0";
        QTest::newRow("two rules")
            << ApartBroken + "1\tcompagni di banco\t1\tAlunno 0\t3\tAlunno 2\n"
            << -1 << 0
            << Tips{{0, "regole non rispettate: separati da Alunno 1; compagni di banco con "
                        "Alunno 2"},
                    {1, "regola non rispettata: separati da Alunno 0"},
                    {2, "regola non rispettata: compagni di banco con Alunno 0"}}
            << "Alunno 2, regola non rispettata: compagni di banco con Alunno 0";
    }
    void brokenRuleMarksDesk()
    {
        QFETCH(QByteArray, rules);
        QFETCH(int, pickDesk);
        QFETCH(int, position);
        QFETCH(Tips, tips);
        QFETCH(QString, heard);
        QVERIFY(open(Head + rules));
        if (pickDesk >= 0)
            m_window.pick(pickDesk, position);
        QCOMPARE(toolTips(), tips);
        if (!tips.isEmpty()) {
            const int marked = tips.lastKey();
            QCOMPARE(description(marked), heard);
            QCOMPARE(frame(marked), Red);
        }
        QCOMPARE(description(15), "Alunno 15");
        QVERIFY(frame(15) != Red);
    }

    // Each kind chosen with the keys alone, the list then says whether the
    // screen keeps it, the desks show it, and Ctrl+Z takes it back.
    void addEachKindByKeyboard_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<Tips>("tips");
        QTest::newRow("Separati") << QStringList{"Alt+A", "Down", "Alt+S", "End", "Return"}
                                  << "Alunno 1 e Alunno 29 devono essere separati. (ora rispettata)"
                                  << Tips{};
        QTest::newRow("Compagni di banco")
            << QStringList{"Alt+I", "Down", "Alt+S", "End", "Return"}
            << "Alunno 0 e Alunno 29 devono essere compagni di banco. (ora NON rispettata)"
            << Tips{{0, "regola non rispettata: compagni di banco con Alunno 29"},
                    {29, "regola non rispettata: compagni di banco con Alunno 0"}};
        QTest::newRow("Davanti, 3 file")
            << QStringList{"Alt+I", "Down", "Down", "Alt+A", "End", "Alt+F", "Up", "Return"}
            << "Alunno 29 deve stare nelle prime 3 file. (ora NON rispettata)"
            << Tips{{29, "regola non rispettata: nelle prime 3 file"}};
        QTest::newRow("Davanti, 2 file") << QStringList{"Alt+I", "Down", "Down", "Return"}
                                         << "Alunno 0 deve stare nelle prime 2 file. (ora "
                                            "rispettata)"
                                         << Tips{};
        QTest::newRow("Banco fisso, 30")
            << QStringList{"Alt+I", "End", "Alt+B", "Ctrl+A", "3", "0", "Return"}
            << "Alunno 0 deve stare al banco 30. (ora NON rispettata)"
            << Tips{{0, "regola non rispettata: al banco 30"}};
    }
    void addEachKindByKeyboard()
    {
        QFETCH(QStringList, keys);
        QFETCH(QString, listed);
        QFETCH(Tips, tips);
        QVERIFY(open(Head));
        QStringList after;
        withDialog([&](QDialog *dialog) {
            for (const QString &keys : keys)
                QVERIFY2(key(QKeySequence(keys)), qPrintable(keys));
            auto *list = dialog->findChild<QListWidget *>("rulesList");
            for (int row = 0; row < list->count(); ++row)
                after << list->item(row)->text();
        });
        QCOMPARE(after, QStringList{listed});
        QCOMPARE(toolTips(), tips);
        QCOMPARE(m_window.action("undoAction")->text(), "Annulla «Aggiungi regola»");
        QVERIFY(key(QKeySequence("Ctrl+Z")));
        QCOMPARE(withDialog(), QStringList{});
        QCOMPARE(toolTips(), (Tips{}));
    }

    // The rule picked with the keys goes, and so does its mark; every control
    // has a name a screen reader says; Ctrl+Z brings the rule back.
    void removeByKeyboard()
    {
        QVERIFY(open(Head + ApartBroken + "1\tdavanti\t1\tAlunno 0\t2\n"));
        const QStringList both{"Alunno 0 e Alunno 1 devono essere separati. (ora NON rispettata)",
                               "Alunno 0 deve stare nelle prime 2 file. (ora rispettata)"};
        QStringList names, left;
        QCOMPARE(withDialog([&](QDialog *dialog) {
                     for (QWidget *control : dialog->findChildren<QWidget *>()) {
                         if (control->focusPolicy() != Qt::NoFocus && control->isVisibleTo(dialog))
                             names << spokenName(control);
                     }
                     for (const char *keys : {"Alt+R", "Home", "Delete"})
                         QVERIFY(key(QKeySequence(keys)));
                     auto *list = dialog->findChild<QListWidget *>("rulesList");
                     for (int row = 0; row < list->count(); ++row)
                         left << list->item(row)->text();
                 }),
                 both);
        QCOMPARE(left, QStringList{both[1]});
        names.sort();
        QCOMPARE(names,
                 (QStringList{"Aggiungi la regola", "Alunno:", "Chiudi", "Regole della classe",
                              "Secondo alunno:", "Tipo:", "Togli la regola"}));
        QCOMPARE(toolTips(), (Tips{}));
        QVERIFY(key(QKeySequence("Ctrl+Z")));
        QCOMPARE(withDialog(), both);
        QCOMPARE(toolTips().value(0), "regola non rispettata: separati da Alunno 1");
    }

    // Rules from a newer version are shown, never changed, and the dialog says why.
    void newerRulesFileIsReadOnly()
    {
        MessageBoxAnswerer startUp("OK");
        QVERIFY(open("Posti-regole versione 2\n1\tdavanti\t1\tAlunno 0\t2\n", &startUp));
        QString why;
        bool canAdd = true, canRemove = true;
        QCOMPARE(withDialog([&](QDialog *dialog) {
                     why = dialog->findChild<QLabel *>("frozenReason")->text();
                     QVERIFY(key(QKeySequence("Delete")));
                     canAdd = dialog->findChild<QPushButton *>("addRule")->isEnabled();
                     canRemove = dialog->findChild<QPushButton *>("removeRule")->isEnabled();
                 }),
                 QStringList{"Alunno 0 deve stare nelle prime 2 file. (ora rispettata)"});
        QVERIFY2(why.startsWith("Il file delle regole\n") &&
                     why.endsWith("\nè stato scritto da una versione più recente del programma: "
                                  "sono state lette le regole che questa versione comprende. In "
                                  "questa sessione le regole non si possono cambiare, e il file "
                                  "resta com'è."),
                 qPrintable(why));
        QVERIFY(!canAdd);
        QVERIFY(!canRemove);
        QCOMPARE(withDialog().size(), 1);
    }
};

POSTI_TEST_MAIN(RulesDialogTest)
#include "tst_rulesdialog.moc"
