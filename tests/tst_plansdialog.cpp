// SPDX-License-Identifier: GPL-3.0-or-later
// "Disposizioni precedenti…" driven by the keyboard and the mouse: the plans
// by date, a plan desk by desk, what the dialog tells its caller, the
// desk-mates of each pupil, and the names a screen reader says.

#include "modaldialog.h"
#include "plan.h"
#include "plansdialog.h"
#include "realkeys.h"
#include "testmain.h"

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <functional>

using Action = PlansDialog::Choice::Action;
using Lines = QMap<int, QString>;

namespace {

const QDate Today(2026, 12, 7);
// The class now: Esposito Ugo (slot 4) has left it, Gallo Pia (slot 5) joined.
const QStringList Names = [] {
    QStringList names{"Rossi Anna", "Verdi Luca", "Bianchi Sara", "Neri Marco", "", "Gallo Pia"};
    while (names.size() < Room::Desks)
        names << "";
    return names;
}();
const QStringList NamesThen{"Rossi Anna", "Verdi Luca", "Bianchi Sara", "Neri Marco",
                            "Esposito Ugo"};

// A plan of date with pupil seats[k] at desk k, -1 for none, and desk 30 marked.
Plan plan(const QDate &date, const QList<int> &seats)
{
    Plan plan;
    plan.date = date;
    plan.marked = Room::bit(29);
    for (int desk = 0; desk < seats.size(); ++desk) {
        plan.pupilAt[desk] = seats[desk];
        if (seats[desk] >= 0)
            plan.nameAt[desk] = NamesThen[seats[desk]];
    }
    return plan;
}

// Oldest first. Pairs: 0-3 and 1-2, then 0-2 and 1-3, then 0-1 and 2-4. In
// the middle one, desk 21 keeps the name of a pupil the history no longer
// counts, as after the class's names were cleared.
const QList<Plan> Plans = [] {
    QList<Plan> plans{
        plan(QDate(2025, 10, 12), {0, 3, 1, 2, 4}),
        plan(QDate(2026, 3, 1), {0, 2, 1, 3, -1, -1, -1, -1, -1, -1, 4}),
        plan(QDate(2026, 10, 12), {0, 1, 2, 4, 3}),
    };
    plans[1].nameAt[20] = "Conti Ada";
    return plans;
}();

QStringList texts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; list && row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace

class PlansDialogTest : public QObject
{
    Q_OBJECT

    // Opens the dialog as the window does, runs work on it while it shows and
    // returns what it told its caller.
    static PlansDialog::Choice choose(const QList<Plan> &plans,
                                      const std::function<void(QDialog *)> &work)
    {
        PlansDialog::Choice choice;
        withModalDialog([&] { choice = PlansDialog::choose(nullptr, plans, Names, "3A", Today); },
                        work);
        return choice;
    }

    static bool key(const QKeySequence &keys)
    {
        QWidget *focus = QApplication::focusWidget();
        return focus && RealKeys::press(focus, keys); // none once the dialog closed
    }

    // What a screen reader calls the control with the focus, and the tab's
    // title where it is the tab bar.
    static QString spokenFocus()
    {
        QWidget *focus = QApplication::focusWidget();
        if (auto *tabs = qobject_cast<QTabBar *>(focus))
            return tabs->tabText(tabs->currentIndex()).remove('&');
        return QAccessible::queryAccessibleInterface(focus)->text(QAccessible::Name);
    }

private slots:
    // Newest first in the date's words; the plan chosen desk by desk, with
    // who has left the class since, the blank desks and the marked one.
    void plansByDate_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<Lines>("lines");
        QTest::newRow("newest") << QStringList{}
                                << Lines{{0, "Banco 1, fila 1: Rossi Anna"},
                                         {1, "Banco 2, fila 1: Verdi Luca"},
                                         {3, "Banco 4, fila 2: Esposito Ugo (non più in classe)"},
                                         {4, "Banco 5, fila 3: Neri Marco"},
                                         {5, "Banco 6, fila 3: vuoto"},
                                         {28, "Banco 29, fila 5: vuoto"},
                                         {29, "Banco 30, fila 5: non usato"}};
        QTest::newRow("middle") << QStringList{"Down"}
                                << Lines{{1, "Banco 2, fila 1: Bianchi Sara"},
                                         {9, "Banco 10, fila 5: vuoto"},
                                         {10, "Banco 11, fila 1: Esposito Ugo (non più in classe)"},
                                         {11, "Banco 12, fila 1: vuoto"},
                                         {20, "Banco 21, fila 1: Conti Ada (non più in classe)"}};
        QTest::newRow("oldest") << QStringList{"End"}
                                << Lines{{0, "Banco 1, fila 1: Rossi Anna"},
                                         {1, "Banco 2, fila 1: Neri Marco"},
                                         {2, "Banco 3, fila 2: Verdi Luca"}};
    }
    void plansByDate()
    {
        QFETCH(QStringList, keys);
        QFETCH(Lines, lines);
        QStringList dates, shown;
        QString title;
        choose(Plans, [&](QDialog *dialog) {
            title = dialog->windowTitle();
            dates = texts(dialog->findChild<QListWidget *>("plansList"));
            for (const QString &keys : keys)
                QVERIFY(key(QKeySequence(keys)));
            shown = texts(dialog->findChild<QListWidget *>("deskList"));
        });
        QCOMPARE(title, "Disposizioni precedenti della classe 3A");
        QCOMPARE(dates, (QStringList{"12 ottobre", "1º marzo", "12 ottobre 2025"}));
        QCOMPARE(shown.size(), Room::Desks);
        for (auto line = lines.cbegin(); line != lines.cend(); ++line)
            QCOMPARE(shown[line.key()], line.value());
    }

    // What the teacher chose, by the keys or the mouse; Enter on the second
    // tab puts back nothing.
    void choices_data()
    {
        QTest::addColumn<QStringList>("keys"); // "click" clicks Ripristina
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("plan");
        QTest::newRow("Enter") << QStringList{"Down", "Return"} << Action::Restore << 1;
        QTest::newRow("newest, Enter") << QStringList{"Return"} << Action::Restore << 2;
        QTest::newRow("click") << QStringList{"End", "click"} << Action::Restore << 0;
        QTest::newRow("Alt+R") << QStringList{"Down", "Alt+R"} << Action::Restore << 1;
        QTest::newRow("Alt+O") << QStringList{"Alt+O"} << Action::ClearHistory << -1;
        QTest::newRow("Escape") << QStringList{"Down", "Escape"} << Action::Close << -1;
        QTest::newRow("Alt+C") << QStringList{"Alt+C"} << Action::Close << -1;
        QTest::newRow("mates tab, Enter")
            << QStringList{"Alt+G", "Return", "Escape"} << Action::Close << -1;
    }
    void choices()
    {
        QFETCH(QStringList, keys);
        QFETCH(Action, action);
        QFETCH(int, plan);
        const PlansDialog::Choice choice = choose(Plans, [&](QDialog *dialog) {
            for (const QString &keys : keys) {
                if (keys == "click")
                    QTest::mouseClick(dialog->findChild<QPushButton *>("restorePlan"),
                                      Qt::LeftButton);
                else
                    QVERIFY2(key(QKeySequence(keys)), qPrintable(keys));
            }
            // A button's mnemonic clicks it after a moment, to show it pressed.
            QTRY_VERIFY(!dialog->isVisible());
        });
        QCOMPARE(choice.action, action);
        QCOMPARE(choice.plan, plan);
    }

    // With no plans the list says so and nothing can be put back or cleared.
    void emptyHistory()
    {
        QStringList dates, desks;
        bool canRestore = true, canClear = true;
        const PlansDialog::Choice choice = choose({}, [&](QDialog *dialog) {
            dates = texts(dialog->findChild<QListWidget *>("plansList"));
            desks = texts(dialog->findChild<QListWidget *>("deskList"));
            canRestore = dialog->findChild<QPushButton *>("restorePlan")->isEnabled();
            canClear = dialog->findChild<QPushButton *>("clearHistory")->isEnabled();
            QVERIFY(key(QKeySequence("Return")));
            QVERIFY(dialog->isVisible());
        });
        QCOMPARE(dates, QStringList{"Non ci sono ancora disposizioni memorizzate."});
        QCOMPARE(desks, QStringList{});
        QVERIFY(!canRestore);
        QVERIFY(!canClear);
        QCOMPARE(choice.action, Action::Close);
    }

    // Each pupil of the class now, fewest desk-mates first, the class's order
    // among equals; one who has left is named as such.
    void deskMates_data()
    {
        QTest::addColumn<QList<Plan>>("plans");
        QTest::addColumn<QString>("intro");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("three plans")
            << Plans
            << "Quanti compagni di banco diversi ha avuto ogni alunno nelle 3 disposizioni "
               "memorizzate, e chi erano: in cima chi ne ha avuti meno."
            << QStringList{"Gallo Pia|0|nessuno", "Neri Marco|2|Rossi Anna, Verdi Luca",
                           "Rossi Anna|3|Verdi Luca, Bianchi Sara, Neri Marco",
                           "Verdi Luca|3|Rossi Anna, Bianchi Sara, Neri Marco",
                           "Bianchi Sara|3|Rossi Anna, Verdi Luca, Esposito Ugo (non più in "
                           "classe)"};
        QTest::newRow("one plan")
            << QList<Plan>{Plans.first()}
            << "Quanti compagni di banco diversi ha avuto ogni alunno nell'unica disposizione "
               "memorizzata, e chi erano: in cima chi ne ha avuti meno."
            << QStringList{"Gallo Pia|0|nessuno", "Rossi Anna|1|Neri Marco",
                           "Verdi Luca|1|Bianchi Sara", "Bianchi Sara|1|Verdi Luca",
                           "Neri Marco|1|Rossi Anna"};
        QTest::newRow("none") << QList<Plan>{} << "Non ci sono ancora disposizioni memorizzate."
                              << QStringList{"Rossi Anna|0|nessuno", "Verdi Luca|0|nessuno",
                                             "Bianchi Sara|0|nessuno", "Neri Marco|0|nessuno",
                                             "Gallo Pia|0|nessuno"};
    }
    void deskMates()
    {
        QFETCH(QList<Plan>, plans);
        QFETCH(QString, intro);
        QFETCH(QStringList, rows);
        QStringList shown;
        QString said;
        QStringList headers;
        choose(plans, [&](QDialog *dialog) {
            QVERIFY(key(QKeySequence("Alt+G")));
            auto *table = dialog->findChild<QTableWidget *>("matesTable");
            QVERIFY(table->isVisible());
            said = table->accessibleDescription();
            for (int row = 0; row < table->rowCount(); ++row)
                shown << table->item(row, 0)->text() + '|' + table->item(row, 1)->text() + '|' +
                             table->item(row, 2)->text();
            for (int column = 0; column < table->columnCount(); ++column)
                headers << table->horizontalHeaderItem(column)->text();
        });
        QCOMPARE(shown, rows);
        QCOMPARE(said, intro);
        QCOMPARE(headers, (QStringList{"Alunno", "Compagni", "Chi erano"}));
    }

    // Tab goes round every control of each tab, each with an Italian name
    // and description.
    void tabOrderAndNames_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("Disposizioni")
            << "" // the dialog opens on it, in the list
            << QStringList{"Disposizioni memorizzate", "Ripristina", "Banco per banco",
                           "Cancella la cronologia",   "Chiudi",     "Disposizioni"};
        QTest::newRow("Compagni di banco")
            << "Alt+G"
            << QStringList{"Compagni di banco di ogni alunno", "Cancella la cronologia", "Chiudi",
                           "Compagni di banco"};
    }
    void tabOrderAndNames()
    {
        QFETCH(QString, tab);
        QFETCH(QStringList, heard);
        QStringList said, undescribed;
        QString roomName;
        choose(Plans, [&](QDialog *dialog) {
            if (!tab.isEmpty())
                QVERIFY(key(QKeySequence(tab)));
            for (int step = 0; step < heard.size(); ++step) {
                said << spokenFocus();
                // Every control but the tab bar also says what it is for.
                QWidget *focus = QApplication::focusWidget();
                if (!qobject_cast<QTabBar *>(focus) && focus->accessibleDescription().isEmpty())
                    undescribed << said.last();
                QVERIFY(key(QKeySequence("Tab")));
            }
            roomName =
                QAccessible::queryAccessibleInterface(dialog->findChild<QWidget *>("planRoom"))
                    ->text(QAccessible::Name);
        });
        QCOMPARE(said, heard);
        QCOMPARE(undescribed, QStringList{});
        QCOMPARE(roomName, "Pianta della disposizione");
    }

    // The dialog on the smallest screen it is made for: whole, and the texts
    // of its lists not cut.
    void fitsScreen()
    {
        choose(Plans, [&](QDialog *dialog) {
            const QRect screen = dialog->screen()->availableGeometry();
            QVERIFY2(screen.contains(dialog->frameGeometry()),
                     qPrintable(QString("%1x%2")
                                    .arg(dialog->frameGeometry().width())
                                    .arg(dialog->frameGeometry().height())));
            for (const char *name : {"plansList", "deskList"}) {
                auto *list = dialog->findChild<QListWidget *>(name);
                QVERIFY2(!list->horizontalScrollBar()->isVisible(), name);
            }
        });
    }
};

POSTI_TEST_MAIN(PlansDialogTest)
#include "tst_plansdialog.moc"
