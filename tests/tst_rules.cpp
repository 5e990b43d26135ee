#include "archivio.h"
#include "classdisplay.h"
#include "fakeview.h"
#include "seatingrules.h"

#include <QSet>
#include <QTest>

using Seating = QList<int>; // the selection of every desk, 0 to 29
using Answer = SeatingView::Answer;
using Buttons = SeatingView::Buttons;

namespace {

const QString Marker = QStringLiteral("-> Non assegnare <-");
const QString TooManyDesks =
    QStringLiteral("Ci sono più banchi che alunni!\r\nSelezionare i banchi da non assegnare.");
const QString DeleteQuestion =
    QStringLiteral("Sei sicuro di volere cancellare tutti i nomi degli alunni?");

QString tooManyPupils(int count)
{
    return QStringLiteral("Ci sono più alunni che banchi liberi!\r\nRimuovere a %1 banchi "
                          "l'indicazione ->Non assegnare<-.")
        .arg(count);
}

QString pupilName(int pupil)
{
    return QStringLiteral("Alunno %1").arg(pupil + 1, 2, 10, QLatin1Char('0'));
}

// With the names in the first slots, pupil i is at position i + 2.
constexpr int seatOf(int pupil)
{
    return pupil + 2;
}

Seating blankRoom(const QList<int> &marked = {})
{
    Seating seating(SeatingView::Desks, 0);
    for (int desk : marked)
        seating[desk] = 1;
    return seating;
}

// Every unmarked desk gets the next pupil, in desk order.
Seating fullRoom(const QList<int> &marked = {})
{
    Seating seating = blankRoom(marked);
    int pupil = 0;
    for (int &selection : seating) {
        if (selection == 0)
            selection = seatOf(pupil++);
    }
    return seating;
}

Seating with(Seating seating, int desk, int selection)
{
    seating[desk] = selection;
    return seating;
}

// A classroom wired as the window wires it: every seat-change event goes to
// the rules, and stores are counted.
struct Room
{
    Archivio archivio;
    FakeSeatingView view;
    SeatingRules rules{view, archivio};
    int stores = 0;

    Room()
    {
        view.setSeatChangeHandler([this](int desk) { rules.seatChanged(desk); });
        rules.setStoredHandler([this] { ++stores; });
        rules.setRandomGenerator(QRandomGenerator(1));
    }
    Room(const Room &) = delete;
    Room &operator=(const Room &) = delete;

    // Puts a class with pupils named in its first slots into the table and
    // shows it, as a click on its tab does.
    void load(int pupils, const Seating &seating, int tab = 1)
    {
        for (int slot = 0; slot < Archivio::Pupils; ++slot) {
            const int row = Archivio::row(tab, slot);
            archivio.setCell(row, Archivio::NameColumn,
                             slot < pupils ? pupilName(slot) : QString());
            archivio.setCell(row, Archivio::PositionColumn, QString::number(seating[slot]));
        }
        view.setSelectedTab(tab);
        ClassDisplay::showClass(view, archivio, tab);
        view.clearLog();
    }

    // The user picks an item of a desk selector.
    void pick(int desk, int position) { view.setDeskSelection(desk, position); }

    QStringList names() const
    {
        QStringList all;
        for (int box = 0; box < SeatingView::NameBoxes; ++box)
            all.append(view.nameText(box));
        return all;
    }

    QString storedPosition(int tab, int desk) const
    {
        return archivio.cell(Archivio::row(tab, desk), Archivio::PositionColumn);
    }
};

enum class Reaction {
    Store,
    Fill,
    FillRefused,
    Clear,
    DeleteNamesNo,
    DeleteNamesYes,
    Swap,
    SwapRefused,
    Display
};

// Sets up a class in which the reaction has work to do, then runs it.
void run(Room &room, Reaction reaction)
{
    switch (reaction) {
    case Reaction::Store:
        room.load(30, fullRoom());
        room.rules.store();
        break;
    case Reaction::Fill:
        room.load(30, with(fullRoom(), 3, 0));
        room.rules.randomFill();
        break;
    case Reaction::FillRefused:
        room.load(29, blankRoom());
        room.rules.randomFill();
        break;
    case Reaction::Clear:
        room.load(30, fullRoom());
        room.rules.clearSeats();
        break;
    case Reaction::DeleteNamesNo:
    case Reaction::DeleteNamesYes:
        room.load(30, fullRoom());
        room.view.queueAnswer(reaction == Reaction::DeleteNamesYes ? Answer::Yes : Answer::No);
        room.rules.deleteNames();
        break;
    case Reaction::Swap:
        room.load(30, fullRoom());
        room.pick(4, seatOf(17));
        break;
    case Reaction::SwapRefused:
        room.load(29, fullRoom({5}));
        room.pick(5, room.view.deskSelection(9));
        break;
    case Reaction::Display:
        room.load(30, with(fullRoom(), 12, seatOf(4)));
        ClassDisplay::showClass(room.view, room.archivio, 1);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Reaction)
Q_DECLARE_METATYPE(SeatingView::Answer)

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void randomFill_seatsEveryFreePupil_data();
    void randomFill_seatsEveryFreePupil();
    void randomFill_spreadsPupilsAcrossDesks();
    void randomFill_refusesWhenCountsDiffer_data();
    void randomFill_refusesWhenCountsDiffer();
    void randomFill_allMarkedWithoutPupilsDoesNothing();

    void store_writesScreenIntoSelectedBlock_data();
    void store_writesScreenIntoSelectedBlock();
    void store_reindexesPositions_data();
    void store_reindexesPositions();

    void seatChanged_swapsPupils_data();
    void seatChanged_swapsPupils();
    void seatChanged_acceptsPick_data();
    void seatChanged_acceptsPick();
    void seatChanged_fromMarkedDeskReportsAndStores();
    void seatChanged_unselectedDeskDoesNotStopSwap();

    void clearSeats_keepsOnlyMarkers();
    void deleteNames_data();
    void deleteNames();
    void deleteNames_thenStore();
    void deleteNames_thenShowAgain();

    void updateFlag_downAfterEveryReaction_data();
    void updateFlag_downAfterEveryReaction();
    void programChanges_causeNoReconciliation_data();
    void programChanges_causeNoReconciliation();
};

void TestRules::randomFill_seatsEveryFreePupil_data()
{
    QTest::addColumn<int>("pupils");
    QTest::addColumn<Seating>("before");

    QTest::newRow("30 pupils, all desks blank") << 30 << blankRoom();
    QTest::newRow("24 pupils, 6 desks marked") << 24 << blankRoom({0, 7, 13, 18, 22, 29});

    Seating partly = blankRoom({2, 9, 14, 21, 27});
    for (int desk = 0, pupil = 24; pupil >= 5; ++desk) {
        if (partly[desk] == 0)
            partly[desk] = seatOf(pupil--);
    }
    QTest::newRow("25 pupils, 5 marked, 20 seated") << 25 << partly;

    Seating unselected = with(with(with(blankRoom(), 3, -1), 11, -1), 29, -1);
    QTest::newRow("desks with nothing selected") << 30 << unselected;
    QTest::newRow("one free desk") << 30 << with(fullRoom(), 17, 0);
}

void TestRules::randomFill_seatsEveryFreePupil()
{
    QFETCH(int, pupils);
    QFETCH(Seating, before);

    for (quint32 seed = 1; seed <= 100; ++seed) {
        Room room;
        room.load(pupils, before);
        const Archivio stored = room.archivio;
        room.rules.setRandomGenerator(QRandomGenerator(seed));
        room.rules.randomFill();

        const Seating after = room.view.selections();
        QSet<int> seated;
        for (int desk = 0; desk < SeatingView::Desks; ++desk) {
            if (before[desk] >= 1)
                QCOMPARE(after[desk], before[desk]);
            QVERIFY2(after[desk] >= 1 && after[desk] <= pupils + 1,
                     qPrintable(QStringLiteral("seed %1, desk %2").arg(seed).arg(desk)));
            if (after[desk] >= 2)
                seated.insert(after[desk]);
        }
        QCOMPARE(seated.size(), pupils);
        QVERIFY(room.view.messages().isEmpty());
        QVERIFY(room.archivio == stored);
        QCOMPARE(room.stores, 0);
    }
}

void TestRules::randomFill_spreadsPupilsAcrossDesks()
{
    QList<QSet<int>> desksOfPupil(30);
    QSet<Seating> arrangements;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        Room room;
        room.load(30, blankRoom());
        room.rules.setRandomGenerator(QRandomGenerator(seed));
        room.rules.randomFill();
        const Seating after = room.view.selections();
        arrangements.insert(after);
        for (int desk = 0; desk < SeatingView::Desks; ++desk)
            desksOfPupil[after[desk] - 2].insert(desk);
    }
    for (int pupil = 0; pupil < 30; ++pupil)
        QVERIFY2(desksOfPupil[pupil].size() > 1, qPrintable(pupilName(pupil)));
    QVERIFY(arrangements.size() > 1);
}

void TestRules::randomFill_refusesWhenCountsDiffer_data()
{
    QTest::addColumn<int>("pupils");
    QTest::addColumn<Seating>("before");
    QTest::addColumn<QString>("text");

    QTest::newRow("24 pupils, 4 marked") << 24 << blankRoom({1, 2, 3, 4}) << TooManyDesks;
    QTest::newRow("no pupils, 29 marked")
        << 0 << with(Seating(SeatingView::Desks, 1), 6, 0) << TooManyDesks;
    QTest::newRow("28 pupils, 5 marked") << 28 << blankRoom({0, 5, 10, 15, 20}) << tooManyPupils(3);
    QTest::newRow("30 pupils, 1 marked, some seated")
        << 30 << with(with(blankRoom({12}), 0, seatOf(3)), 1, -1) << tooManyPupils(1);
}

void TestRules::randomFill_refusesWhenCountsDiffer()
{
    QFETCH(int, pupils);
    QFETCH(Seating, before);
    QFETCH(QString, text);

    Room room;
    room.load(pupils, before);
    const QStringList names = room.names();
    room.rules.randomFill();

    QCOMPARE(room.view.messages().size(), 1);
    QCOMPARE(room.view.messages().first().title, QStringLiteral("Errore!"));
    QCOMPARE(room.view.messages().first().text, text);
    QCOMPARE(room.view.messages().first().buttons, Buttons::Ok);
    QCOMPARE(room.view.selections(), before);
    QCOMPARE(room.names(), names);
}

void TestRules::randomFill_allMarkedWithoutPupilsDoesNothing()
{
    Room room;
    const Seating marked(SeatingView::Desks, 1);
    room.load(0, marked);
    room.rules.randomFill();
    QVERIFY(room.view.messages().isEmpty());
    QCOMPARE(room.view.selections(), marked);
}

void TestRules::store_writesScreenIntoSelectedBlock_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("firstRow");

    QTest::newRow("tab 1") << 1 << 0;
    QTest::newRow("tab 4") << 4 << 93;
    QTest::newRow("tab 10") << 10 << 279;
}

void TestRules::store_writesScreenIntoSelectedBlock()
{
    QFETCH(int, tab);
    QFETCH(int, firstRow);

    Room room;
    for (int row = 0; row < Archivio::Rows; ++row) {
        room.archivio.setCell(row, Archivio::NameColumn, QStringLiteral("row %1").arg(row));
        room.archivio.setCell(row, Archivio::PositionColumn, QStringLiteral("7"));
    }
    room.load(5, with(blankRoom({8}), 2, seatOf(4)), tab);
    room.view.setNameText(0, QStringLiteral("  Anna  "));
    room.view.setNameText(30, QStringLiteral("3ª B"));
    room.view.setAggiornamento(true); // as if typed into the selector's field
    room.view.setDeskSelection(20, -1);
    room.view.setAggiornamento(false);
    const QStringList screen = room.names();
    const Archivio before = room.archivio;

    room.rules.store();

    const int lastRow = firstRow + 30;
    for (int row = 0; row < Archivio::Rows; ++row) {
        const bool inBlock = row >= firstRow && row <= lastRow;
        const int slot = row - firstRow;
        const QString name = inBlock ? screen.at(slot) : before.cell(row, Archivio::NameColumn);
        QCOMPARE(room.archivio.cell(row, Archivio::NameColumn), name);
        if (!inBlock || slot == 30)
            QCOMPARE(room.archivio.cell(row, Archivio::PositionColumn), QStringLiteral("7"));
    }
    QCOMPARE(room.archivio.cell(firstRow, Archivio::NameColumn), QStringLiteral("  Anna  "));
    QCOMPARE(room.archivio.cell(lastRow, Archivio::NameColumn), QStringLiteral("3ª B"));
    QCOMPARE(room.storedPosition(tab, 2), QStringLiteral("6"));
    QCOMPARE(room.storedPosition(tab, 8), QStringLiteral("1"));
    QCOMPARE(room.storedPosition(tab, 20), QStringLiteral("-1"));
    QCOMPARE(room.storedPosition(tab, 21), QStringLiteral("0"));
    QCOMPARE(room.view.deskSelection(20), -1);
    QCOMPARE(room.view.deskSelection(2), seatOf(4));
    QCOMPARE(room.stores, 1);
}

void TestRules::store_reindexesPositions_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("shown");

    QTest::newRow("name typed into an empty slot") << QStringList{"A", "", "C"} << 3 << 1 << "B"
                                                   << QStringList{"", Marker, "A", "B", "C"} << "B";
    QTest::newRow("seated pupil's name blanked")
        << QStringList{"A", "B", "C"} << 4 << 1 << "" << QStringList{"", Marker, "A", "C"} << "";
    QTest::newRow("name renamed in place") << QStringList{"A", "B", "C"} << 3 << 1 << "Bea"
                                           << QStringList{"", Marker, "A", "Bea", "C"} << "Bea";
}

void TestRules::store_reindexesPositions()
{
    QFETCH(QStringList, names);
    QFETCH(int, position);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QStringList, list);
    QFETCH(QString, shown);

    Room room;
    for (int slot = 0; slot < names.size(); ++slot)
        room.archivio.setCell(slot, Archivio::NameColumn, names[slot]);
    room.archivio.setCell(0, Archivio::PositionColumn, QString::number(position));
    ClassDisplay::showClass(room.view, room.archivio, 1);
    room.view.setNameText(box, typed);

    room.rules.store();

    QCOMPARE(room.storedPosition(1, 0), QString::number(position));
    for (int desk = 0; desk < SeatingView::Desks; ++desk)
        QCOMPARE(room.view.deskItems(desk), list);
    const int selection = room.view.deskSelection(0);
    QCOMPARE(selection >= 0 ? list.at(selection) : QString(), shown);
}

void TestRules::seatChanged_swapsPupils_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<int>("desk");
    QTest::addColumn<int>("from");

    QTest::newRow("30 pupils") << 1 << QList<int>{} << 4 << 17;
    QTest::newRow("pupil from a lower desk") << 1 << QList<int>{} << 20 << 3;
    QTest::newRow("24 pupils, 6 marked, tab 7") << 7 << QList<int>{0, 9, 10, 19, 20, 29} << 4 << 17;
}

void TestRules::seatChanged_swapsPupils()
{
    QFETCH(int, tab);
    QFETCH(QList<int>, marked);
    QFETCH(int, desk);
    QFETCH(int, from);

    Room room;
    const Seating before = fullRoom(marked);
    room.load(30 - int(marked.size()), before, tab);
    const int a = before[desk];
    const int b = before[from];

    room.pick(desk, b);

    Seating expected = with(with(before, desk, b), from, a);
    QCOMPARE(room.view.selections(), expected);
    QCOMPARE(room.storedPosition(tab, desk), QString::number(b));
    QCOMPARE(room.storedPosition(tab, from), QString::number(a));
    QCOMPARE(room.stores, 1);
    QVERIFY(room.view.messages().isEmpty());
}

void TestRules::seatChanged_acceptsPick_data()
{
    QTest::addColumn<Seating>("before");
    QTest::addColumn<int>("desk");
    QTest::addColumn<int>("picked");

    QTest::newRow("a desk elsewhere is blank") << with(fullRoom(), 12, 0) << 4 << seatOf(17);
    QTest::newRow("marker picked") << fullRoom() << 5 << 1;
    QTest::newRow("marker picked beside marked desks")
        << fullRoom({0, 9, 10, 19, 20, 29}) << 5 << 1;
    QTest::newRow("blank picked") << fullRoom() << 5 << 0;
    QTest::newRow("same pupil again") << fullRoom() << 5 << seatOf(5);
}

void TestRules::seatChanged_acceptsPick()
{
    QFETCH(Seating, before);
    QFETCH(int, desk);
    QFETCH(int, picked);

    Room room;
    room.load(30 - int(before.count(1)), before);
    const Archivio stored = room.archivio;

    room.pick(desk, picked);

    QCOMPARE(room.view.selections(), with(before, desk, picked));
    QVERIFY(room.archivio == stored);
    QCOMPARE(room.stores, 0);
    QVERIFY(room.view.messages().isEmpty());
}

void TestRules::seatChanged_fromMarkedDeskReportsAndStores()
{
    Room room;
    const Seating before = fullRoom({5});
    room.load(29, before);
    const int b = before[9];

    room.pick(5, b);

    QCOMPARE(room.view.messages().size(), 1);
    QCOMPARE(room.view.messages().first().text, TooManyDesks);
    QCOMPARE(room.view.selections(), with(with(before, 5, b), 9, 0));
    QCOMPARE(room.storedPosition(1, 5), QString::number(b));
    QCOMPARE(room.storedPosition(1, 9), QStringLiteral("0"));
    QCOMPARE(room.stores, 1);
}

void TestRules::seatChanged_unselectedDeskDoesNotStopSwap()
{
    Room room;
    const Seating before = with(fullRoom(), 12, -1); // pupil 12 sits nowhere
    room.load(30, before);

    room.pick(4, seatOf(17));

    const Seating after = room.view.selections();
    QCOMPARE(after[4], seatOf(17));
    const QSet<int> refilled{after[12], after[17]};
    QCOMPARE(refilled, (QSet<int>{seatOf(4), seatOf(12)}));
    QCOMPARE(room.stores, 1);
}

void TestRules::clearSeats_keepsOnlyMarkers()
{
    Room room;
    room.load(28, with(fullRoom({3, 8}), 5, -1));
    const QStringList names = room.names();
    const Archivio stored = room.archivio;

    room.rules.clearSeats();

    QCOMPARE(room.view.selections(), blankRoom({3, 8}));
    QCOMPARE(room.names(), names);
    QVERIFY(room.archivio == stored);
}

void TestRules::deleteNames_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("deleted");

    QTest::newRow("No") << Answer::No << false;
    QTest::newRow("Yes") << Answer::Yes << true;
}

void TestRules::deleteNames()
{
    QFETCH(Answer, answer);
    QFETCH(bool, deleted);

    Room room;
    const Seating before = with(fullRoom({3, 8}), 5, -1);
    room.load(28, before);
    room.view.setNameText(30, QStringLiteral("3ª B"));
    const QStringList names = room.names();
    const QStringList list = room.view.deskItems(0);
    const Archivio stored = room.archivio;
    room.view.queueAnswer(answer);

    room.rules.deleteNames();

    QCOMPARE(room.view.messages().size(), 1);
    QCOMPARE(room.view.messages().first().title, QStringLiteral("Attenzione!"));
    QCOMPARE(room.view.messages().first().text, DeleteQuestion);
    QCOMPARE(room.view.messages().first().buttons, Buttons::YesNo);
    QCOMPARE(room.names(), deleted ? QStringList(31, QString()) : names);
    QCOMPARE(room.view.selections(), deleted ? blankRoom({3, 8}) : before);
    QCOMPARE(room.view.deskItems(29), list);
    QVERIFY(room.archivio == stored);
}

void TestRules::deleteNames_thenStore()
{
    Room room;
    room.load(28, fullRoom({3, 8}), 6);
    room.view.queueAnswer(Answer::Yes);
    room.rules.deleteNames();
    room.rules.store();

    for (int slot = 0; slot <= 30; ++slot)
        QCOMPARE(room.archivio.cell(Archivio::row(6, slot), Archivio::NameColumn), QString());
    for (int desk = 0; desk < SeatingView::Desks; ++desk) {
        const bool marked = desk == 3 || desk == 8;
        QCOMPARE(room.storedPosition(6, desk), marked ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(room.view.deskItems(desk), (QStringList{QString(), Marker}));
    }
}

void TestRules::deleteNames_thenShowAgain()
{
    Room room;
    room.load(30, fullRoom());
    const QStringList names = room.names();
    room.view.queueAnswer(Answer::Yes);
    room.rules.deleteNames();

    ClassDisplay::showClass(room.view, room.archivio, 1);

    QCOMPARE(room.names(), names);
    QCOMPARE(room.view.selections(), fullRoom());
}

void TestRules::updateFlag_downAfterEveryReaction_data()
{
    QTest::addColumn<Reaction>("reaction");

    QTest::newRow("store") << Reaction::Store;
    QTest::newRow("random fill") << Reaction::Fill;
    QTest::newRow("random fill refused") << Reaction::FillRefused;
    QTest::newRow("clear seats") << Reaction::Clear;
    QTest::newRow("delete names, No") << Reaction::DeleteNamesNo;
    QTest::newRow("delete names, Yes") << Reaction::DeleteNamesYes;
    QTest::newRow("swap") << Reaction::Swap;
    QTest::newRow("swap refused by the fill") << Reaction::SwapRefused;
}

void TestRules::updateFlag_downAfterEveryReaction()
{
    QFETCH(Reaction, reaction);

    Room room;
    run(room, reaction);
    QVERIFY(!room.view.aggiornamento());
}

void TestRules::programChanges_causeNoReconciliation_data()
{
    QTest::addColumn<Reaction>("reaction");

    QTest::newRow("class display") << Reaction::Display;
    QTest::newRow("random fill") << Reaction::Fill;
    QTest::newRow("clear seats") << Reaction::Clear;
    QTest::newRow("delete names") << Reaction::DeleteNamesYes;
}

// Each of these changes desks; a reconciliation would need the flag down.
void TestRules::programChanges_causeNoReconciliation()
{
    QFETCH(Reaction, reaction);

    Room room;
    run(room, reaction);

    QVERIFY(!room.view.seatChanges().isEmpty());
    for (const auto &change : room.view.seatChanges())
        QVERIFY2(change.updating, qPrintable(QStringLiteral("desk %1").arg(change.desk)));
    QCOMPARE(room.stores, 0);
}

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
