// SPDX-License-Identifier: GPL-3.0-or-later
#include "archivio.h"
#include "classdisplay.h"
#include "fakeview.h"
#include "seatingfile.h"
#include "seatingrules.h"
#include "testmain.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

// The selection of every desk, 0 to 29. Pupil i, named in slot i, is at
// position i + 2.
using Seating = QList<int>;
constexpr int Name = Archivio::NameColumn;
constexpr int Position = Archivio::PositionColumn;

namespace {

const QString TooManyDesks = QStringLiteral(
    "Errore!|Ci sono più banchi che alunni!\r\nSelezionare i banchi da non assegnare.|[OK]");

// What the stored handler adds to the view's log, after any message boxes.
const QString Stored = QStringLiteral("(stored)");
const QString TooManyPupils =
    QStringLiteral("Errore!|Ci sono più alunni che banchi liberi!\r\nRimuovere a %1 "
                   "l'indicazione ->Non assegnare<-.|[OK]");

Seating with(Seating seating, int desk, int selection)
{
    seating[desk] = selection;
    return seating;
}

// Marked desks hold the marker; the others are blank, or hold the pupils in
// desk order.
Seating room(bool seated, const QList<int> &marked = {})
{
    Seating seating;
    for (int desk = 0, position = 2; desk < SeatingView::Desks; ++desk)
        seating.append(marked.contains(desk) ? 1 : seated ? position++ : 0);
    return seating;
}

} // namespace

// The fixture is a classroom wired as the window wires it, fresh for every
// test; whatever a test does, the update flag must be down at its end.
class TestRules : public QObject
{
    Q_OBJECT

    Archivio archivio;
    FakeSeatingView view;
    SeatingRules rules{view, archivio};

    // Puts a class with its pupils in the first slots into the table and shows
    // it, as a click on its tab does.
    void load(int pupils, const Seating &seating, int tab = 1)
    {
        for (int slot = 0; slot < Archivio::Pupils; ++slot) {
            const int row = Archivio::row(tab, slot);
            archivio.setCell(row, Name, slot < pupils ? QString::number(slot) : QString());
            archivio.setCell(row, Position, QString::number(seating[slot]));
        }
        view.tab = tab;
        ClassDisplay::showClass(view, archivio, tab);
    }

    Seating stored(int tab = 1) const
    {
        Seating positions;
        for (int desk = 0; desk < SeatingView::Desks; ++desk)
            positions.append(archivio.cell(Archivio::row(tab, desk), Position).toInt());
        return positions;
    }

private slots:
    void init()
    {
        archivio = Archivio();
        view = FakeSeatingView();
        view.rules = &rules;
        rules.setStoredHandler([this] { view.log.append(Stored); });
    }
    void cleanup() { QVERIFY(!view.aggiornamento()); }

    void randomFill_data()
    {
        QTest::addColumn<int>("pupils");
        QTest::addColumn<Seating>("before");
        QTest::addColumn<QString>("refusal");

        const Seating mixed = with(with(room(true, {2, 9, 14, 21, 27}), 29, -1), 6, 0);
        QTest::newRow("30 pupils, all blank") << 30 << room(false) << QString();
        QTest::newRow("24 + 6 marked") << 24 << room(false, {0, 7, 13, 18, 22, 29}) << QString();
        QTest::newRow("seated, marked, blank, unselected") << 25 << mixed << QString();
        QTest::newRow("no pupils, all marked") << 0 << Seating(SeatingView::Desks, 1) << QString();
        QTest::newRow("24 pupils, 4 marked") << 24 << room(false, {1, 2, 3, 4}) << TooManyDesks;
        QTest::newRow("excess 3") << 28 << room(false, {0, 5, 10, 15, 20})
                                  << TooManyPupils.arg("3 banchi");
        QTest::newRow("excess 1") << 30 << with(room(false, {12}), 0, 5)
                                  << TooManyPupils.arg("1 banco");
    }

    // Every free pupil gets a free desk, and over many draws reaches several;
    // unless the counts do not add up: then the user is told and nothing moves.
    void randomFill()
    {
        QFETCH(int, pupils);
        QFETCH(Seating, before);
        QFETCH(QString, refusal);

        QHash<int, QSet<int>> desksOf;
        for (quint32 seed = 1; seed <= 100; ++seed) {
            load(pupils, before);
            rules.setRandomGenerator(QRandomGenerator(seed));
            rules.randomFill();
            QCOMPARE(view.log.join('\n'), refusal);
            if (!refusal.isEmpty()) {
                QCOMPARE(view.selection, before);
                return;
            }
            // Markers and seated pupils stay; the free desks get distinct pupils.
            for (int desk = 0; desk < SeatingView::Desks; ++desk) {
                const int now = view.selection[desk];
                QVERIFY(before[desk] >= 1 ? now == before[desk] : now >= 2 && now <= pupils + 1);
                if (before[desk] < 1)
                    desksOf[now].insert(desk);
            }
            const QSet<int> distinct(view.selection.cbegin(), view.selection.cend());
            QCOMPARE(distinct.size(), pupils + int(before.contains(1)));
        }
        for (auto pupil = desksOf.cbegin(); pupil != desksOf.cend(); ++pupil)
            QVERIFY2(pupil.value().size() > 1, qPrintable(QString::number(pupil.key())));
        QCOMPARE(view.unflaggedChanges, 0);
    }

    // Pupils 0 to pupils − 1, pupil 0's fixed desk if any; the desks marked,
    // in any order, or the message.
    void leaveDesksFree_data()
    {
        QTest::addColumn<int>("fixedDesk");
        QTest::addColumn<int>("pupils");
        QTest::addColumn<Seating>("before");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QString>("log");

        QTest::newRow("20, 2 marked") << -1 << 20 << room(false, {0, 1})
                                      << QList<int>{29, 28, 19, 18, 9, 8, 27, 26} << QString();
        QTest::newRow("29: the right desk")
            << -1 << 29 << room(false) << QList<int>{29} << QString();
        QTest::newRow("29, the right desk a pupil's fixed desk")
            << 29 << 29 << room(false) << QList<int>{19} << QString();
        // Desks 29 and 18 taken: the pair 8-9 first, then 28 alone, not 19.
        QTest::newRow("pairs before singles") << -1 << 27 << with(with(room(false), 29, 2), 18, 3)
                                              << QList<int>{9, 8, 28} << QString();
        QTest::newRow("too many pupils") << -1 << 28 << room(false, {0, 5, 10, 15, 20})
                                         << QList<int>{} << TooManyPupils.arg("3 banchi");
        QTest::newRow("already 30")
            << -1 << 24 << room(false, {0, 7, 13, 18, 22, 29}) << QList<int>{}
            << "Attenzione!|Nessun banco da segnare: gli alunni e i banchi da non assegnare sono "
               "già 30.|[OK]";
        QTest::newRow("a pupil on two desks")
            << -1 << 28 << with(with(room(true), 28, 2), 29, 3) << QList<int>{}
            << "Attenzione!|Non ci sono abbastanza banchi vuoti da segnare: un alunno siede su "
               "più banchi.|[OK]";
    }
    void leaveDesksFree()
    {
        QFETCH(int, fixedDesk);
        QFETCH(int, pupils);
        QFETCH(Seating, before);
        QFETCH(QList<int>, marked);
        QFETCH(QString, log);
        load(pupils, before);
        rules.setRulesSource([fixedDesk] {
            return fixedDesk < 0 ? QList<SeatingRule>()
                                 : QList<SeatingRule>{SeatingRule::bancoFisso(0, fixedDesk)};
        });
        rules.leaveDesksFree();
        Seating after = before;
        for (const int desk : marked)
            after[desk] = 1;
        QCOMPARE(view.selection, after);
        QCOMPARE(view.log.join('\n'), log);
        QCOMPARE(view.unflaggedChanges, 0);
    }

    // Class 10: Anna, Bruno, Carla and Elia in slots 0, 1, 2 and 4; desks 0
    // to 5 show Carla, Anna, the marker, nothing (-1), Elia and the blank
    // item; Bruno is not seated. The names change on screen, as typed, and
    // the class name too; then the class is stored. Only its 31 rows change,
    // all but the class name's position.
    void storeKeepsEveryoneAtTheirDesk_data()
    {
        QTest::addColumn<QStringList>("names"); // slots 0 to 4 on screen
        QTest::addColumn<QStringList>("shown"); // desks 0 to 5 after, "-1" for nothing
        QTest::addColumn<QByteArray>("rows");   // the first 6 lines of the file

        const QString marker = SeatList::markerText();
        QTest::newRow("no change")
            << QStringList{"Anna", "Bruno", "Carla", "", "Elia"}
            << QStringList{"Carla", "Anna", marker, "-1", "Elia", ""}
            << QByteArray("Anna,4\r\nBruno,2\r\nCarla,1\r\n ,-1\r\nElia,5\r\n ,0\r\n");
        QTest::newRow("seated pupil blanked")
            << QStringList{"", "Bruno", "Carla", "", "Elia"}
            << QStringList{"Carla", "", marker, "-1", "Elia", ""}
            << QByteArray(" ,3\r\nBruno,0\r\nCarla,1\r\n ,-1\r\nElia,4\r\n ,0\r\n");
        QTest::newRow("unseated pupil blanked")
            << QStringList{"Anna", "", "Carla", "", "Elia"}
            << QStringList{"Carla", "Anna", marker, "-1", "Elia", ""}
            << QByteArray("Anna,3\r\n ,2\r\nCarla,1\r\n ,-1\r\nElia,4\r\n ,0\r\n");
        QTest::newRow("name in a gap")
            << QStringList{"Anna", "Bruno", "Carla", "Dario", "Elia"}
            << QStringList{"Carla", "Anna", marker, "-1", "Elia", ""}
            << QByteArray("Anna,4\r\nBruno,2\r\nCarla,1\r\nDario,-1\r\nElia,6\r\n ,0\r\n");
        QTest::newRow("renamed, spaces kept")
            << QStringList{"Anna", "Bruno", "  Carla Maria ", "", "Elia"}
            << QStringList{"  Carla Maria ", "Anna", marker, "-1", "Elia", ""}
            << QByteArray("Anna,4\r\nBruno,2\r\n  Carla Maria ,1\r\n ,-1\r\nElia,5\r\n ,0\r\n");
        QTest::newRow("every name blanked")
            << QStringList{"", "", "", "", ""} << QStringList{"", "", marker, "-1", "", ""}
            << QByteArray(" ,0\r\n ,0\r\n ,1\r\n ,-1\r\n ,0\r\n ,0\r\n");
    }

    void storeKeepsEveryoneAtTheirDesk()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, shown);
        QFETCH(QByteArray, rows);
        const QStringList before{"Anna", "Bruno", "Carla", "", "Elia"};
        const Seating desks{4, 2, 1, -1, 5, 0};
        for (int row = 0; row < Archivio::Rows; ++row) {
            archivio.setCell(row, Name, QStringLiteral("x"));
            archivio.setCell(row, Position, QStringLiteral("7"));
        }
        const int first = Archivio::row(10, 0);
        for (int slot = 0; slot < Archivio::Pupils; ++slot) {
            archivio.setCell(first + slot, Name, before.value(slot));
            archivio.setCell(first + slot, Position, QString::number(desks.value(slot, 0)));
        }
        view.tab = 10;
        ClassDisplay::showClass(view, archivio, 10);
        for (int slot = 0; slot < names.size(); ++slot)
            view.names[slot] = names[slot];
        view.names[30] = QStringLiteral("3ª C");

        rules.store();

        QStringList after;
        for (int desk = 0; desk < shown.size(); ++desk) {
            const int position = view.selection[desk];
            after << (position < 0 ? QStringLiteral("-1") : view.items[desk].value(position));
        }
        QCOMPARE(after, shown);
        const QByteArray others = QByteArray("x,7\r\n").repeated(first);
        QCOMPARE(SeatingFile::serialize(archivio),
                 others + rows + QByteArray(" ,0\r\n").repeated(24) + "3\xaa C,7\r\n");
        QCOMPARE(view.log, QStringList{Stored});
    }

    // The user picks for desk 4 what it holds after.
    void seatChanged_data()
    {
        QTest::addColumn<Seating>("before");
        QTest::addColumn<Seating>("after");
        QTest::addColumn<QString>("log");

        const Seating full = room(true);
        const Seating gap = with(full, 12, 0);
        const Seating marked = room(true, {4});
        // 29 pupils: pupil 12 sits on desk 29, desk 12 has nothing selected.
        const Seating unselected = with(with(full, 12, -1), 29, full[12]);
        QTest::newRow("swap") << full << with(with(full, 4, full[17]), 17, full[4]) << Stored;
        QTest::newRow("a desk is blank") << gap << with(gap, 4, full[17]) << QString();
        QTest::newRow("marker") << full << with(full, 4, 1) << QString();
        QTest::newRow("marker, another desk marked")
            << room(true, {9}) << with(room(true, {9}), 4, 1) << QString();
        QTest::newRow("a desk has nothing selected")
            << unselected << with(with(unselected, 4, full[17]), 17, 0)
            << TooManyDesks + '\n' + Stored;
        QTest::newRow("blank") << full << with(full, 4, 0) << QString();
        QTest::newRow("marked desk given a seated pupil")
            << marked << with(with(marked, 4, marked[9]), 9, 0) << TooManyDesks + '\n' + Stored;
    }

    void seatChanged()
    {
        QFETCH(Seating, before);
        QFETCH(Seating, after);
        QFETCH(QString, log);

        load(30 - int(before.count(1) + before.count(-1)), before);
        view.setDeskSelection(4, after[4]);
        QCOMPARE(view.selection, after);
        QCOMPARE(view.log.join('\n'), log);
        QCOMPARE(stored(), log.endsWith(Stored) ? after : before);
    }

    // Desks 3 and 8 are marked, desk 20 has nothing selected: it is blanked too.
    void deleteNames()
    {
        archivio.setCell(Archivio::row(6, 30), Name, QStringLiteral("3ª B"));
        const Seating before = with(room(true, {3, 8}), 20, -1);
        load(28, before, 6);
        const QStringList names = view.names;
        const Archivio table = archivio;

        rules.deleteNames(); // answered No
        QCOMPARE(view.log.join('\n'), "Attenzione!|Sei sicuro di volere cancellare tutti i nomi "
                                      "degli alunni?|Sì/[No]");
        QCOMPARE(view.names, names);
        QCOMPARE(view.selection, before);

        // Until stored, the names are gone only from the screen.
        view.reply = u"Sì"_s;
        rules.deleteNames();
        QVERIFY(archivio == table);
        rules.store();
        QCOMPARE(view.names, QStringList(31, QString())); // as shown again from the table
        QCOMPARE(stored(6), room(false, {3, 8}));
        QCOMPARE(view.unflaggedChanges, 0);
    }
};

POSTI_TEST_MAIN(TestRules)
#include "tst_rules.moc"
