// SPDX-License-Identifier: GPL-3.0-or-later
// The history of plans: what is recorded, its file, the reseating with new
// desk-mates against a search of every plan of small rooms, and its wording.

#include "deskmatching.h"
#include "evenspread.h"
#include "historyfile.h"
#include "historymessages.h"
#include "reseating.h"
#include "rulecheck.h"
#include "seatingsolver.h"
#include "testmain.h"

#include <QHash>
#include <QTest>

#include <algorithm>
#include <numeric>
#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ReseatProblem)

namespace {

const QDate Day1(2026, 10, 1);

// Pupils 0…count−1 on the desks given in order; the rest blank.
Plan planOf(const QList<int> &desks, int day = 0, Room::DeskSet marked = 0)
{
    Plan plan;
    plan.date = Day1.addDays(day);
    plan.marked = marked;
    for (int pupil = 0; pupil < desks.size(); ++pupil) {
        plan.pupilAt[desks[pupil]] = pupil;
        plan.nameAt[desks[pupil]] = u"Alunno %1"_s.arg(pupil + 1);
    }
    return plan;
}

QString daysOf(const PlanHistory &history)
{
    QStringList days;
    for (const Plan &plan : history.plans())
        days.append(u"%1:%2"_s.arg(Day1.daysTo(plan.date)).arg(plan.pupilAt[0]));
    return days.join(u',');
}

// A file of the given lines; a line of the given first fields, then blank desks.
QByteArray fileWith(const QByteArray &line,
                    const QByteArray &header = "Posti-cronologia versione 1")
{
    return header + "\r\n" + line + "\r\n";
}
QByteArray lineOf(const QByteArray &start, int desksGiven)
{
    QByteArray line = start;
    for (int desk = desksGiven; desk < Room::Desks; ++desk)
        line += "\t-";
    return line;
}

// What the test's own count says of a seating (pupil at each desk).
struct Judged
{
    int reach = 0;
    int repeats = 0;
    int sameDesk = 0;
    int aloneTwice = 0;
    // In the order of preference: the furthest reach, then the fewest of each.
    QList<int> key() const { return {-reach, repeats, sameDesk, aloneTwice}; }
};

// Counted here apart from the code under test.
bool shared(const Plan &plan, int a, int b)
{
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        const int x = plan.pupilAt[desk];
        const int y = plan.pupilAt[desk + 1];
        if ((x == a && y == b) || (x == b && y == a))
            return true;
    }
    return false;
}

// Desk-mates by a rule do not count: the teacher wants them together.
Judged judge(const std::array<int, Room::Desks> &at, const ReseatProblem &problem)
{
    const QList<Plan> &history = problem.history;
    Judged judged;
    const int plans = int(history.size());
    judged.reach = plans;
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        int a = at[desk];
        int b = at[desk + 1];
        if (problem.fill.rules.contains(SeatingRule::compagni(a, b)) ||
            problem.fill.rules.contains(SeatingRule::compagni(b, a)))
            a = b = -1;
        for (int k = 1; k <= plans && a >= 0 && b >= 0; ++k) {
            if (shared(history[plans - k], a, b))
                judged.reach = std::min(judged.reach, k - 1);
        }
        if (a >= 0 && b >= 0 && plans > 0 && shared(history.last(), a, b))
            ++judged.repeats;
    }
    if (plans == 0)
        return judged;
    const Plan &last = history.last();
    for (int desk = 0; desk < Room::Desks; ++desk) {
        const int pupil = at[desk];
        if (pupil < 0)
            continue;
        judged.sameDesk += last.pupilAt[desk] == pupil;
        const auto *before = std::find(last.pupilAt.begin(), last.pupilAt.end(), pupil);
        const bool aloneBefore = before != last.pupilAt.end() &&
                                 last.pupilAt[Room::mate(int(before - last.pupilAt.begin()))] < 0;
        judged.aloneTwice += aloneBefore && at[Room::mate(desk)] < 0;
    }
    return judged;
}

// The most pairs among `left`, by trying every way of pairing them off.
int pairsByTryingAll(const std::array<quint32, Room::Desks> &mayPair, quint32 left)
{
    if (left == 0)
        return 0;
    const int v = qCountTrailingZeroBits(left);
    left &= ~(1u << v);
    int most = pairsByTryingAll(mayPair, left);
    for (quint32 others = mayPair[v] & left; others != 0; others &= others - 1) {
        const int w = qCountTrailingZeroBits(others);
        most = std::max(most, 1 + pairsByTryingAll(mayPair, left & ~(1u << w)));
    }
    return most;
}

// The best a reseating could do, by trying every plan: nothing when none
// keeps the rules; and, when asked, every seating that does that best.
std::optional<Judged> bestByTryingAll(const ReseatProblem &problem,
                                      QList<QList<int>> *bestSeatings = nullptr)
{
    QList<int> desks;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (!(problem.fill.marked & Room::bit(desk)))
            desks.append(desk);
    }
    for (const Placement &placement : problem.fill.seated)
        desks.removeOne(placement.desk);
    std::optional<Judged> best;
    do {
        std::array<int, Room::Desks> at;
        at.fill(-1);
        for (const Placement &placement : problem.fill.seated)
            at[placement.desk] = placement.pupil;
        for (int i = 0; i < problem.fill.freePupils.size(); ++i)
            at[desks[i]] = problem.fill.freePupils[i];
        const auto deskOf = RuleCheck::deskOfPupil(QList<int>(at.begin(), at.end()));
        const bool keeps =
            std::all_of(problem.fill.rules.begin(), problem.fill.rules.end(),
                        [&](const SeatingRule &r) { return RuleCheck::holds(r, deskOf); });
        const Judged judged = judge(at, problem);
        if (!keeps || (best && best->key() < judged.key()))
            continue;
        if (bestSeatings && (!best || judged.key() < best->key()))
            bestSeatings->clear();
        if (bestSeatings)
            bestSeatings->append(QList<int>(at.begin(), at.end()));
        best = judged;
    } while (std::next_permutation(desks.begin(), desks.end()));
    return best;
}

// A small room: `free` desks left unmarked, as many pupils or one fewer,
// past plans seating them in a few pairs, perhaps a rule.
ReseatProblem smallRoom(QRandomGenerator &random)
{
    ReseatProblem problem;
    const int free = 4 + int(random.bounded(3));
    // At the back, where the past plans sat them too.
    QList<int> desks(14);
    std::iota(desks.begin(), desks.end(), 16);
    std::shuffle(desks.begin(), desks.end(), random);
    problem.fill.marked = Room::AllDesks;
    for (int i = 0; i < free; ++i)
        problem.fill.marked &= ~Room::bit(desks[i]);
    const int pupils = free - int(random.bounded(2));
    for (int pupil = 0; pupil < pupils; ++pupil)
        problem.fill.freePupils.append(pupil);
    if (random.bounded(3) == 0) // the last stays at a fixed desk
        problem.fill.seated.append({problem.fill.freePupils.takeLast(), desks[0]});
    const int plans = int(random.bounded(9));
    for (int day = 0; day < plans; ++day) {
        QList<int> past(8);
        std::iota(past.begin(), past.end(), 20);
        std::shuffle(past.begin(), past.end(), random);
        past.resize(pupils);
        problem.history.append(planOf(past, day));
    }
    if (random.bounded(3) == 0)
        problem.fill.rules.append(SeatingRule::separati(0, 1));
    else if (random.bounded(3) == 0)
        problem.fill.rules.append(SeatingRule::compagni(0, 1));
    return problem;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void planOrNot_data()
    {
        QTest::addColumn<QList<int>>("desks");
        QTest::addColumn<quint32>("pupils");
        QTest::addColumn<bool>("plan");
        QTest::newRow("every pupil once") << QList<int>{0, 1, 7} << 0b111u << true;
        QTest::newRow("a pupil missing") << QList<int>{0, 1} << 0b111u << false;
        QTest::newRow("a stranger seated") << QList<int>{0, 1, 7} << 0b011u << false;
        QTest::newRow("on a marked desk") << QList<int>{0, 1, 29} << 0b111u << false;
    }
    void planOrNot()
    {
        QFETCH(QList<int>, desks);
        QFETCH(quint32, pupils);
        QFETCH(bool, plan);
        QCOMPARE(::isPlan(planOf(desks).pupilAt, Room::bit(29), pupils), plan);
        std::array<int, Room::Desks> twice = planOf({0, 1, 7}).pupilAt;
        twice[8] = 1;
        QCOMPARE(::isPlan(twice, 0, 0b111u), false);
    }

    // Recorded as "day:pupil at desk 1": seating a puts pupil 0 there, b pupil 1.
    void record_data()
    {
        QTest::addColumn<QStringList>("stores");
        QTest::addColumn<QString>("kept");
        QTest::newRow("a new day") << QStringList{u"0a"_s, u"1b"_s} << u"0:0,1:1"_s;
        QTest::newRow("the day's last") << QStringList{u"0a"_s, u"0b"_s} << u"0:1"_s;
        QTest::newRow("unchanged") << QStringList{u"0a"_s, u"3a"_s} << u"0:0"_s;
        QTest::newRow("unchanged the same day") << QStringList{u"0a"_s, u"0a"_s} << u"0:0"_s;
        QTest::newRow("back to the day before")
            << QStringList{u"0a"_s, u"1b"_s, u"1a"_s} << u"0:0"_s;
        QTest::newRow("back and forth")
            << QStringList{u"0a"_s, u"1b"_s, u"2a"_s} << u"0:0,1:1,2:0"_s;
    }
    void record()
    {
        QFETCH(QStringList, stores);
        QFETCH(QString, kept);
        PlanHistory history;
        for (const QString &store : stores) {
            const int day = store.left(1).toInt();
            history.record(planOf(store.endsWith(u'a') ? QList<int>{0, 1} : QList<int>{1, 0}, day));
        }
        QCOMPARE(daysOf(history), kept);
    }

    void limit()
    {
        PlanHistory history;
        for (int day = 0; day <= 200; ++day)
            history.record(planOf(day % 2 ? QList<int>{0, 1} : QList<int>{1, 0}, day));
        QCOMPARE(history.plans().size(), 200);
        QCOMPARE(history.plans().first().date, Day1.addDays(1));
        QCOMPARE(history.plans().last().date, Day1.addDays(200));
    }

    // The second tab of the history dialog, and Ripristina with a pupil gone.
    void deskMatesAndRestore()
    {
        const QList<Plan> plans{planOf({0, 1, 2, 4}), planOf({0, 2, 1, 3}, 1)};
        const DeskMates mates = deskMatesIn(plans);
        QCOMPARE(mates[0], 0b0110u);
        QCOMPARE(mates[3], 0b0010u);
        const Plan restored = restoredFor(plans[1], 0b1101u);
        QCOMPARE(restored.pupilAt[2], Plan::Blank);
        QCOMPARE(restored.nameAt[2], QString());
        QCOMPARE(restored.pupilAt[3], 3);
    }

    void fileRoundTrip()
    {
        HistoryFile::Histories histories;
        Plan first = planOf({0, 3}, 0, Room::bit(1));
        first.nameAt[3] = u"Nicolò D'Amico"_s;
        first.nameAt[4] = u"Rossi Anna"_s; // no longer in the class
        histories[0].record(first);
        histories[9].record(planOf({29}, 11));
        const QByteArray expected =
            "Posti-cronologia versione 1\r\n"
            "# classe\tdata\tbanco 1 … banco 30\r\n" +
            lineOf("1\t2026-10-01\t1 Alunno 1\t*\t-\t2 Nicolò D'Amico\t- Rossi Anna", 5) + "\r\n" +
            lineOf("10\t2026-10-12", 0).chopped(2) + "\t1 Alunno 1\r\n";
        QCOMPARE(HistoryFile::serialize(histories), expected);
        const HistoryFile::ReadResult read = HistoryFile::parse(expected);
        QVERIFY(read.problems.isEmpty());
        QCOMPARE(read.histories[0].plans(), histories[0].plans());
        QCOMPARE(read.histories[9].plans(), histories[9].plans());
        QCOMPARE(HistoryFile::fileNameFor(u"/a/Posti.bq"_s), u"Posti-cronologia.txt"_s);
    }

    void fileDamage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("plans");        // of class 1
        QTest::addColumn<QString>("problems"); // kind:line
        const QByteArray good = lineOf("1\t2026-10-01\t1 A", 1);
        QTest::newRow("good") << fileWith(good) << 1 << u""_s;
        QTest::newRow("mark and LF")
            << QByteArray("\xEF\xBB\xBFPosti-cronologia versione 1\n" + good + "\n") << 1 << u""_s;
        QTest::newRow("class 0") << fileWith("0" + good.mid(1) + "\r\n" + good) << 1 << u"2:2"_s;
        QTest::newRow("class 11") << fileWith("11" + good.mid(1)) << 0 << u"2:2"_s;
        QTest::newRow("30 February") << fileWith(lineOf("1\t2026-02-30\t1 A", 1)) << 0 << u"2:2"_s;
        QTest::newRow("date unpadded") << fileWith(lineOf("1\t2026-10-1\t1 A", 1)) << 0 << u"2:2"_s;
        QTest::newRow("a pupil twice")
            << fileWith(lineOf("1\t2026-10-01\t1 A\t1 A", 2)) << 0 << u"2:2"_s;
        QTest::newRow("slot 31") << fileWith(lineOf("1\t2026-10-01\t31 A", 1)) << 0 << u"2:2"_s;
        QTest::newRow("slot with no name")
            << fileWith(lineOf("1\t2026-10-01\t1", 1)) << 0 << u"2:2"_s;
        QTest::newRow("29 desks") << fileWith(good.chopped(2)) << 0 << u"2:2"_s;
        QTest::newRow("31 desks") << fileWith(good + "\t-") << 0 << u"2:2"_s;
        QTest::newRow("not UTF-8")
            << fileWith(lineOf("1\t2026-10-01\t1 \xFF", 1) + "\r\n" + good) << 1 << u"1:2"_s;
        QTest::newRow("no header") << good + "\r\n" << 1 << u"0:1"_s;
        QTest::newRow("newer, a field more")
            << fileWith(good + "\tnuovo", "Posti-cronologia versione 2") << 1 << u""_s;
    }
    void fileDamage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, plans);
        QFETCH(QString, problems);
        const HistoryFile::ReadResult read = HistoryFile::parse(bytes);
        QStringList found;
        for (const HistoryFile::Problem &problem : read.problems)
            found.append(u"%1:%2"_s.arg(int(problem.kind)).arg(problem.line));
        QCOMPARE(found.join(u','), problems);
        QCOMPARE(read.histories[0].plans().size(), plans);
        QCOMPARE(read.isNewer(), bytes.startsWith("Posti-cronologia versione 2"));
    }

    // The reseating reaches as far back as any plan could, and among those
    // plans chooses as the order says, on small rooms where every plan is tried.
    void reseatAgainstEveryPlan_data()
    {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed = 1; seed <= 30; ++seed)
            QTest::addRow("seed %llu", seed) << seed;
    }
    void reseatAgainstEveryPlan()
    {
        QFETCH(quint64, seed);
        QRandomGenerator random(seed);
        for (int round = 0; round < 25; ++round) {
            const ReseatProblem problem = smallRoom(random);
            const std::optional<Judged> best = bestByTryingAll(problem);
            Reseating reseating(random);
            const ReseatResult result = reseating.run(problem);
            QCOMPARE(result.outcome == ReseatResult::Outcome::Plan, best.has_value());
            if (!best)
                continue;
            std::array<int, Room::Desks> at;
            at.fill(-1);
            for (const Placement &placement : problem.fill.seated)
                at[placement.desk] = placement.pupil;
            for (const Placement &placement : result.plan) {
                QVERIFY(!(problem.fill.marked & Room::bit(placement.desk)));
                QCOMPARE(at[placement.desk], -1);
                at[placement.desk] = placement.pupil;
            }
            const auto deskOf = RuleCheck::deskOfPupil(QList<int>(at.begin(), at.end()));
            for (const SeatingRule &rule : problem.fill.rules)
                QVERIFY(RuleCheck::holds(rule, deskOf));
            const Judged judged = judge(at, problem);
            QCOMPARE(result.reach, best->reach);
            QCOMPARE(judged.key(), best->key());
            QCOMPARE(result.repeated.size(), best->reach == 0 ? judged.repeats : 0);
            const int plans = int(problem.history.size());
            QCOMPARE(result.since,
                     best->reach ? problem.history[plans - best->reach].date : QDate());
            QVERIFY(!result.outOfTime);
        }
    }

    // Among the seatings that do best, none is out of reach and none is
    // favoured: the reseatings fall evenly over them.
    void spread_data()
    {
        QTest::addColumn<ReseatProblem>("problem");
        ReseatProblem pairs; // two pairs at the back, seated 0-1 and 2-3 last time
        pairs.fill.marked =
            Room::AllDesks & ~(Room::bit(26) | Room::bit(27) | Room::bit(28) | Room::bit(29));
        pairs.fill.freePupils = {0, 1, 2, 3};
        pairs.history = {planOf({26, 27, 28, 29})};
        QTest::newRow("two pairs") << pairs;
        ReseatProblem loose = pairs; // and a desk whose mate is marked
        loose.fill.marked &= ~Room::bit(18);
        loose.fill.freePupils.append(4);
        loose.history = {planOf({26, 27, 28, 29, 18}), planOf({18, 26, 27, 28, 29}, 1)};
        QTest::newRow("a loose desk, two plans") << loose;
        ReseatProblem apart = loose;
        apart.fill.rules = {SeatingRule::separati(0, 2)};
        QTest::newRow("a rule") << apart;
    }
    void spread()
    {
        QFETCH(ReseatProblem, problem);
        QList<QList<int>> best;
        QVERIFY(bestByTryingAll(problem, &best));
        QRandomGenerator random(9);
        Reseating reseating(random);
        QHash<QList<int>, int> counts;
        constexpr int Draws = 600;
        for (int draw = 0; draw < Draws; ++draw) {
            QList<int> at(Room::Desks, -1);
            for (const Placement &placement : reseating.run(problem).plan)
                at[placement.desk] = placement.pupil;
            QVERIFY(best.contains(at));
            ++counts[at];
        }
        QString why;
        QVERIFY2(evenSpread(counts, int(best.size()), Draws, &why), qPrintable(why));
    }

    // On rooms too large to try every plan, with plans the reseating made
    // itself: no further back than the complete search, given as long as it
    // takes, finds a plan for.
    void reseatAsFarAsTheSearch_data()
    {
        QTest::addColumn<quint64>("seed");
        for (quint64 seed = 1; seed <= 6; ++seed)
            QTest::addRow("seed %llu", seed) << seed;
    }
    void reseatAsFarAsTheSearch()
    {
        QFETCH(quint64, seed);
        QRandomGenerator random(seed);
        ReseatProblem problem;
        problem.fill.marked = Room::AllDesks & ~(Room::AllDesks << 18); // 12 desks at the back
        for (int pupil = 0; pupil < 12 - int(random.bounded(2)); ++pupil)
            problem.fill.freePupils.append(pupil);
        problem.fill.rules = {SeatingRule::separati(0, 1), SeatingRule::davanti(2, 4)};
        for (int day = 0; day < 12; ++day) {
            const ReseatResult made = Reseating(random).run(problem);
            Plan plan;
            plan.date = Day1.addDays(day);
            for (const Placement &placement : made.plan)
                plan.pupilAt[placement.desk] = placement.pupil;
            problem.history.append(plan);
        }
        const ReseatResult result = Reseating(random).run(problem);
        QVERIFY(!result.outOfTime);
        const int plans = int(problem.history.size());
        for (int k = 1; k <= plans; ++k) {
            FillProblem fill = problem.fill;
            for (int a = 0; a < 12; ++a) {
                for (int b = a + 1; b < 12; ++b) {
                    for (int back = 1; back <= k; ++back) {
                        if (shared(problem.history[plans - back], a, b)) {
                            fill.rules.append(SeatingRule::maiCompagni(a, b));
                            break;
                        }
                    }
                }
            }
            SeatingSolver solver(random);
            solver.setLimits({std::chrono::minutes(1)});
            const bool found = solver.fill(fill).outcome == FillResult::Outcome::Plan;
            QCOMPARE(found, k <= result.reach);
        }
    }

    // The pairing that proves a reach impossible, on graphs of up to 12
    // pupils anywhere among the 30 slots, sparse to dense: odd cycles need
    // the blossoms.
    void mostPairs()
    {
        QRandomGenerator random(5);
        for (int round = 0; round < 400; ++round) {
            QList<int> labels(Room::Desks);
            std::iota(labels.begin(), labels.end(), 0);
            std::shuffle(labels.begin(), labels.end(), random);
            labels.resize(2 + int(random.bounded(11)));
            const int density = 10 + int(random.bounded(60));
            std::array<quint32, Room::Desks> mayPair{};
            quint32 pupils = 0;
            for (int i = 0; i < labels.size(); ++i) {
                pupils |= 1u << labels[i];
                for (int j = i + 1; j < labels.size(); ++j) {
                    if (int(random.bounded(100)) < density) {
                        mayPair[labels[i]] |= 1u << labels[j];
                        mayPair[labels[j]] |= 1u << labels[i];
                    }
                }
            }
            QCOMPARE(::mostPairs(mayPair), pairsByTryingAll(mayPair, pupils));
        }
    }

    // Two pupils staying at their fixed desks, or desk-mates by a rule, are
    // the teacher's choice: the pair they share again is not counted, the
    // other is.
    void stayingTogether()
    {
        ReseatProblem problem;
        problem.fill.marked = Room::AllDesks & ~0b1111u;
        problem.fill.seated = {{0, 0}, {1, 1}};
        problem.fill.freePupils = {2, 3};
        problem.history = {planOf({0, 1, 4, 5})};
        QRandomGenerator random(7);
        const ReseatResult result = Reseating(random).run(problem);
        QCOMPARE(result.reach, 0);
        QCOMPARE(result.repeated, (QList<PupilPair>{{2, 3}}));
        problem.fill.freePupils = {2};
        QCOMPARE(Reseating(random).run(problem).reach, 1);
        problem.fill.freePupils = {2, 3};
        problem.fill.rules = {SeatingRule::compagni(3, 2)};
        QCOMPARE(Reseating(random).run(problem).reach, 1);
    }

    void wording_data()
    {
        QTest::addColumn<int>("plans");
        QTest::addColumn<int>("reach");
        QTest::addColumn<QDate>("since");
        QTest::addColumn<bool>("outOfTime");
        QTest::addColumn<QString>("text");
        const QDate today(2026, 12, 7);
        QTest::newRow("six") << 9 << 6 << QDate(2026, 10, 12) << false
                             << u"Nessuno siede con un compagno di banco già avuto nelle ultime 6 "
                                "disposizioni (dal 12 ottobre)."_s;
        QTest::newRow("one") << 1 << 1 << QDate(2026, 12, 1) << false
                             << u"Nessuno siede con un compagno di banco già avuto nell'ultima "
                                "disposizione (dal 1º dicembre)."_s;
        QTest::newRow("last year") << 40 << 30 << QDate(2025, 9, 8) << false
                                   << u"Nessuno siede con un compagno di banco già avuto nelle "
                                      "ultime 30 disposizioni (dall'8 settembre 2025)."_s;
        QTest::newRow("none") << 0 << 0 << QDate() << false
                              << u"Non ci sono ancora disposizioni memorizzate: i banchi sono "
                                 "assegnati a caso."_s;
        QTest::newRow("out of time") << 100 << 11 << QDate(2026, 3, 11) << true
                                     << u"Nessuno siede con un compagno di banco già avuto nelle "
                                        "ultime 11 disposizioni (dall'11 marzo). La ricerca si è "
                                        "fermata prima di finire: forse si poteva risalire più "
                                        "indietro."_s;
        QTest::newRow("pairs again") << 3 << 0 << QDate() << false
                                     << u"Non è possibile evitare tutti i compagni di banco "
                                        "dell'ultima disposizione: siedono di nuovo insieme Rossi "
                                        "Anna e Bianchi Luca; Verdi Ada e Neri Ugo."_s;
    }
    void wording()
    {
        QFETCH(int, plans);
        QFETCH(int, reach);
        QFETCH(QDate, since);
        QFETCH(bool, outOfTime);
        QFETCH(QString, text);
        ReseatResult result;
        result.outcome = ReseatResult::Outcome::Plan;
        result.reach = reach;
        result.since = since;
        result.outOfTime = outOfTime;
        if (reach == 0 && plans > 0)
            result.repeated = {{0, 1}, {2, 5}};
        const QStringList names{u"Rossi Anna"_s, u"Bianchi Luca"_s, u"Verdi Ada"_s, u"X"_s,
                                u"Y"_s,          u"Neri Ugo"_s};
        QCOMPARE(HistoryMessages::reseated(result, plans, names, QDate(2026, 12, 7)), text);
    }
};

POSTI_TEST_MAIN(TestHistory)
#include "tst_history.moc"
