// SPDX-License-Identifier: GPL-3.0-or-later
#include "evenspread.h"
#include "room.h"
#include "rulecheck.h"
#include "seatingsolver.h"
#include "separation.h"
#include "solvermessages.h"
#include "testmain.h"

#include <QHash>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

using namespace Qt::StringLiterals;
using Kind = SeatingRule::Kind;
using Rules = QList<SeatingRule>;

Q_DECLARE_METATYPE(FillProblem)
Q_DECLARE_METATYPE(SeatingRule)
Q_DECLARE_METATYPE(Placement)

namespace {

const QStringList Names = {u"Rossi Anna"_s,   u"Bianchi Luca"_s, u"Verdi Marco"_s, u"Neri Sara"_s,
                           u"Gallo Pietro"_s, u"Costa Irene"_s,  u"Fontana Ugo"_s, u"Moretti Ada"_s,
                           u"Villa Enzo"_s,   u"Conti Bruna"_s,  u"Greco Dario"_s, u"Ferri Elsa"_s};

// A room with the given desks marked, pupils seated by hand, and the
// remaining pupils 0 … free − 1 that are not seated to seat.
FillProblem room(int free, const Rules &rules, const QList<int> &marked = {},
                 const QList<Placement> &seated = {})
{
    FillProblem problem;
    for (int desk : marked)
        problem.marked |= Room::bit(desk);
    problem.seated = seated;
    for (int pupil = 0; pupil < free + seated.size(); ++pupil) {
        if (std::none_of(seated.begin(), seated.end(),
                         [&](const Placement &p) { return p.pupil == pupil; }))
            problem.freePupils.append(pupil);
    }
    problem.rules = rules;
    return problem;
}

// All desks but these marked.
QList<int> allBut(const QList<int> &open)
{
    QList<int> marked;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (!open.contains(desk))
            marked.append(desk);
    }
    return marked;
}

// Whether the plan seats every free pupil once on a desk neither marked nor
// taken and keeps every rule that names a pupil it seats.
bool keeps(const FillProblem &problem, const QList<Placement> &plan)
{
    RuleCheck::DeskOfPupil deskOf;
    deskOf.fill(-1);
    Room::DeskSet taken = problem.marked;
    for (const Placement &p : problem.seated) {
        deskOf[p.pupil] = p.desk;
        taken |= Room::bit(p.desk);
    }
    QList<int> seatedByFill;
    for (const Placement &p : plan) {
        if ((taken & Room::bit(p.desk)) || !problem.freePupils.contains(p.pupil))
            return false;
        taken |= Room::bit(p.desk);
        deskOf[p.pupil] = p.desk;
        seatedByFill.append(p.pupil);
    }
    if (seatedByFill.size() != problem.freePupils.size())
        return false;
    return std::all_of(problem.rules.begin(), problem.rules.end(), [&](const SeatingRule &r) {
        const bool fillsRule =
            seatedByFill.contains(r.pupil) || (r.hasTwoPupils() && seatedByFill.contains(r.value));
        return !fillsRule || RuleCheck::holds(r, deskOf);
    });
}

// Limits that never bind, so that the results depend on the seed alone,
// however busy the machine.
SeatingSolver::Limits patient()
{
    SeatingSolver::Limits limits;
    limits.total = std::chrono::minutes(1);
    limits.smallerConflict = std::chrono::minutes(1);
    return limits;
}

FillResult fill(const FillProblem &problem, quint32 seed,
                SeatingSolver::Explain explain = SeatingSolver::Explain::Yes)
{
    QRandomGenerator random(seed);
    SeatingSolver solver(random);
    solver.setLimits(patient());
    return solver.fill(problem, explain);
}

FillResult::Outcome outcome(const FillProblem &problem)
{
    return fill(problem, 1, SeatingSolver::Explain::No).outcome;
}

// The conflict minus its element `skip`, counting its rules, then its seated
// pupils, then its marked desks.
Conflict without(Conflict conflict, int skip)
{
    for (QList<int> *part : {&conflict.rules, &conflict.seated, &conflict.markedDesks}) {
        if (skip < part->size()) {
            part->removeAt(skip);
            break;
        }
        skip -= int(part->size());
    }
    return conflict;
}

// Every way of seating the free pupils (a few) that keeps the rules, by brute
// force: the desk of each free pupil.
QList<QList<int>> allPlans(const FillProblem &problem)
{
    QList<int> desks;
    Room::DeskSet taken = problem.marked;
    for (const Placement &p : problem.seated)
        taken |= Room::bit(p.desk);
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (!(taken & Room::bit(desk)))
            desks.append(desk);
    }
    QList<QList<int>> plans;
    do {
        QList<Placement> plan;
        for (int i = 0; i < problem.freePupils.size(); ++i)
            plan.append({problem.freePupils[i], desks[i]});
        if (keeps(problem, plan))
            plans.append(desks.mid(0, problem.freePupils.size()));
    } while (std::next_permutation(desks.begin(), desks.end()));
    return plans;
}

// The conflict has no plan, and leaving out any one element gives one.
void verifyMinimal(const FillProblem &problem, const Conflict &conflict)
{
    QCOMPARE(outcome(restrictedTo(problem, conflict)), FillResult::Outcome::Impossible);
    for (int skip = 0; skip < conflict.size(); ++skip) {
        if (outcome(restrictedTo(problem, without(conflict, skip))) != FillResult::Outcome::Plan)
            QFAIL(qPrintable(u"still impossible without element %1"_s.arg(skip)));
    }
}

// Every conflict of the problem's rules and circumstances has at least
// `size` elements: every smaller subset has a plan (for small problems).
bool noSmallerConflict(const FillProblem &problem, int size)
{
    Conflict all;
    for (int i = 0; i < problem.rules.size(); ++i)
        all.rules.append(i);
    for (int i = 0; i < problem.seated.size(); ++i)
        all.seated.append(i);
    for (int desk = 0; desk < Room::Desks; ++desk) {
        if (problem.marked & Room::bit(desk))
            all.markedDesks.append(desk);
    }
    const int n = all.size();
    for (quint32 subset = 0; subset < (1u << n); ++subset) {
        if (int(qPopulationCount(subset)) >= size)
            continue;
        Conflict part;
        int element = 0;
        for (const auto &[from, to] :
             {std::pair(&all.rules, &part.rules), std::pair(&all.seated, &part.seated),
              std::pair(&all.markedDesks, &part.markedDesks)}) {
            for (int item : *from) {
                if (subset & (1u << element++))
                    to->append(item);
            }
        }
        if (outcome(restrictedTo(problem, part)) != FillResult::Outcome::Plan)
            return false;
    }
    return true;
}

} // namespace

class TestSolver : public QObject
{
    Q_OBJECT

private slots:
    void geometry_data()
    {
        QTest::addColumn<int>("desk");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("side");
        QTest::addColumn<QList<int>>("neighbours");
        QTest::newRow("banco 1, front left corner") << 0 << 0 << 0 << 0 << QList<int>{1, 2, 3};
        QTest::newRow("banco 2, by the aisle") << 1 << 0 << 0 << 1 << QList<int>{0, 2, 3, 10, 12};
        QTest::newRow("banco 11, across the aisle")
            << 10 << 1 << 0 << 0 << QList<int>{1, 3, 11, 12, 13};
        QTest::newRow("banco 16, middle")
            << 15 << 1 << 2 << 1 << QList<int>{12, 13, 14, 16, 17, 22, 24, 26};
        QTest::newRow("banco 30, back right corner") << 29 << 2 << 4 << 1 << QList<int>{26, 27, 28};
    }
    void geometry()
    {
        QFETCH(int, desk);
        QFETCH(int, bank);
        QFETCH(int, row);
        QFETCH(int, side);
        QFETCH(QList<int>, neighbours);
        QCOMPARE(Room::bank(desk), bank);
        QCOMPARE(Room::row(desk), row);
        QCOMPARE(Room::side(desk), side);
        QCOMPARE(Room::mate(desk), desk + (side == 0 ? 1 : -1));
        QList<int> found;
        for (int other = 0; other < Room::Desks; ++other) {
            if (Room::neighbours(desk, other))
                found.append(other);
        }
        QCOMPARE(found, neighbours);
    }

    void mostApart_data()
    {
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<int>("most");
        QTest::newRow("empty room") << QList<int>{} << 9;
        // Banks 1 and 3 of the last row gone: that row keeps one apart, the
        // first four rows six.
        QTest::newRow("last row of two banks") << QList<int>{8, 9, 28, 29} << 7;
        QTest::newRow("one desk, one of many sets") << QList<int>{0} << 9;
        QTest::newRow("one bank left") << allBut({20, 21, 22, 23, 24, 25, 26, 27, 28, 29}) << 3;
    }
    void mostApart()
    {
        QFETCH(QList<int>, marked);
        Room::DeskSet desks = Room::AllDesks;
        for (int desk : marked)
            desks &= ~Room::bit(desk);
        QTEST(Room::mostApart(desks), "most");
    }

    // Each kind of rule, alone and mixed, with desks marked and pupils seated
    // by hand, over many seeds: every plan keeps every rule.
    void plans_data()
    {
        QTest::addColumn<Rules>("rules");
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<QList<Placement>>("seated");
        QTest::newRow("separati") << Rules{SeatingRule::separati(0, 1)} << QList<int>{}
                                  << QList<Placement>{};
        QTest::newRow("separati from a seated pupil")
            << Rules{SeatingRule::separati(0, 1)} << QList<int>{} << QList<Placement>{{1, 14}};
        QTest::newRow("compagni") << Rules{SeatingRule::compagni(0, 1)} << QList<int>{3, 27}
                                  << QList<Placement>{};
        QTest::newRow("compagni of a seated pupil")
            << Rules{SeatingRule::compagni(2, 7)} << QList<int>{} << QList<Placement>{{7, 22}};
        QTest::newRow("davanti, first row")
            << Rules{SeatingRule::davanti(0, 1), SeatingRule::davanti(1, 1)} << QList<int>{}
            << QList<Placement>{};
        QTest::newRow("davanti, default rows")
            << Rules{SeatingRule::davanti(5)} << QList<int>{} << QList<Placement>{};
        QTest::newRow("banco fisso")
            << Rules{SeatingRule::bancoFisso(3, 29)} << QList<int>{28} << QList<Placement>{{0, 0}};
        Rules nine;
        for (int a = 0; a < 9; ++a) {
            for (int b = a + 1; b < 9; ++b)
                nine.append(SeatingRule::separati(a, b));
        }
        QTest::newRow("nine apart, the room's limit") << nine << QList<int>{} << QList<Placement>{};
        QTest::newRow("mai compagni") << Rules{SeatingRule::maiCompagni(0, 1)}
                                      << allBut({0, 1, 2, 3, 10, 11}) << QList<Placement>{};
        // The front rows full to the last desk, a couple, pupils apart from
        // the seated ones and each other.
        QTest::newRow("mix") << Rules{SeatingRule::davanti(0, 2),    SeatingRule::davanti(1, 2),
                                      SeatingRule::davanti(2, 2),    SeatingRule::davanti(3, 1),
                                      SeatingRule::compagni(4, 5),   SeatingRule::separati(4, 6),
                                      SeatingRule::separati(6, 7),   SeatingRule::separati(7, 0),
                                      SeatingRule::bancoFisso(8, 9), SeatingRule::separati(9, 10),
                                      SeatingRule::separati(10, 11)}
                             << QList<int>{0, 1, 20} << QList<Placement>{{10, 11}, {11, 12}};
    }
    void plans()
    {
        QFETCH(Rules, rules);
        QFETCH(QList<int>, marked);
        QFETCH(QList<Placement>, seated);
        const FillProblem problem =
            room(Room::Desks - int(marked.size()) - int(seated.size()), rules, marked, seated);
#ifdef POSTI_SANITIZED
        constexpr quint32 Runs = 5;
#else
        constexpr quint32 Runs = 50;
#endif
        for (quint32 run = 0; run < Runs; ++run) {
            const FillResult result = fill(problem, run);
            QCOMPARE(result.outcome, FillResult::Outcome::Plan);
            QVERIFY(keeps(problem, result.plan));
        }
    }

    // Rules among pupils seated by hand are not the fill's to keep: the fill
    // seats the others and leaves them broken.
    void rulesAmongSeatedStayBroken()
    {
        const FillProblem problem =
            room(2, {SeatingRule::separati(0, 1)}, allBut({0, 1, 2, 3}), {{0, 0}, {1, 1}});
        const FillResult result = fill(problem, 3);
        QCOMPARE(result.outcome, FillResult::Outcome::Plan);
        QCOMPARE(result.plan.size(), 2);
    }

    // Impossible fills: the conflict named, in the words the teacher reads,
    // and minimal: without any one element a plan exists.
    void conflicts_data()
    {
        QTest::addColumn<FillProblem>("problem");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("compagni and separati")
            << room(30, {SeatingRule::separati(2, 3), SeatingRule::compagni(0, 1),
                         SeatingRule::separati(1, 0)})
            << QStringList{u"Rossi Anna e Bianchi Luca devono essere compagni di banco e anche "
                           u"separati."_s};
        QTest::newRow("fixed desk taken by hand")
            << room(29, {SeatingRule::bancoFisso(0, 4)}, {}, {{1, 4}})
            << QStringList{u"Rossi Anna deve stare al banco 5."_s,
                           u"Bianchi Luca siede già al banco 5."_s};
        QTest::newRow("fixed desk marked")
            << room(28, {SeatingRule::bancoFisso(0, 4)}, {4, 9})
            << QStringList{u"Rossi Anna deve stare al banco 5."_s, u"Il banco 5 non si assegna."_s};
        QTest::newRow("chain of desk-mates")
            << room(30, {SeatingRule::compagni(0, 1), SeatingRule::compagni(2, 1)})
            << QStringList{u"Rossi Anna e Bianchi Luca devono essere compagni di banco."_s,
                           u"Verdi Marco e Bianchi Luca devono essere compagni di banco."_s};
        Rules inFront;
        for (int pupil = 0; pupil < 5; ++pupil)
            inFront.append(SeatingRule::davanti(pupil, 2));
        QTest::newRow("front rows one short")
            << room(22, inFront, {0, 2, 10, 12, 20, 22, 23}, {{11, 1}})
            << QStringList{u"5 alunni devono stare nelle prime 2 file, che hanno 4 banchi liberi: "
                           u"Rossi Anna, Bianchi Luca, Verdi Marco, Neri Sara e Gallo Pietro."_s,
                           u"Ferri Elsa siede già al banco 2."_s,
                           u"I banchi 1, 3, 11, 13, 21, 23 e 24 non si assegnano."_s};
        Rules apart;
        for (int a = 0; a < 10; ++a) {
            for (int b = a + 1; b < 10; ++b)
                apart.append(SeatingRule::separati(a, b));
        }
        QTest::newRow("ten apart")
            << room(30, apart)
            << QStringList{u"Questi 10 alunni devono stare tutti separati, ma nella stanza se ne "
                           u"possono separare al massimo 9: Rossi Anna, Bianchi Luca, Verdi "
                           u"Marco, Neri Sara, Gallo Pietro, Costa Irene, Fontana Ugo, Moretti "
                           u"Ada, Villa Enzo e Conti Bruna."_s};
        QTest::newRow("new desk-mates, fixed desks")
            << room(30, {SeatingRule::bancoFisso(0, 4), SeatingRule::maiCompagni(1, 0),
                         SeatingRule::bancoFisso(1, 5)})
            << QStringList{u"Rossi Anna deve stare al banco 5."_s,
                           u"Bianchi Luca e Rossi Anna non devono essere di nuovo compagni di "
                           u"banco."_s,
                           u"Bianchi Luca deve stare al banco 6."_s};
        // The first row keeps two apart once banchi 11 and 22 are marked.
        QTest::newRow("apart in the first row")
            << room(28,
                    {SeatingRule::separati(0, 1), SeatingRule::davanti(0, 1),
                     SeatingRule::separati(1, 2), SeatingRule::davanti(1, 1),
                     SeatingRule::separati(0, 2), SeatingRule::davanti(2, 1)},
                    {10, 21})
            << QStringList{u"Questi 3 alunni devono stare tutti separati: Rossi Anna, Bianchi "
                           u"Luca e Verdi Marco."_s,
                           u"Questi 3 alunni devono stare nella prima fila: Rossi Anna, Bianchi "
                           u"Luca e Verdi Marco."_s,
                           u"I banchi 11 e 22 non si assegnano."_s};
        QTest::newRow("in front of a seated desk-mate")
            << room(29, {SeatingRule::davanti(0, 1), SeatingRule::compagni(0, 1)}, {}, {{1, 3}})
            << QStringList{u"Rossi Anna deve stare nella prima fila."_s,
                           u"Rossi Anna e Bianchi Luca devono essere compagni di banco."_s,
                           u"Bianchi Luca siede già al banco 4."_s};
    }
    void conflicts()
    {
        QFETCH(FillProblem, problem);
        const FillResult result = fill(problem, 11);
        QCOMPARE(result.outcome, FillResult::Outcome::Impossible);
        QTEST(SolverMessages::conflictLines(problem, result.conflict, Names), "lines");
        verifyMinimal(problem, result.conflict);
    }

    // Seeded random impossible fills: a few rules among six pupils, two of
    // them seated by hand, two desks of the first row marked. Each conflict
    // is minimal and, trying every smaller subset, the smallest.
    void randomConflicts()
    {
        QRandomGenerator random(2024);
        const QList<int> someDesks{0, 1, 2, 3, 10, 11};
        int found = 0;
        for (int attempt = 0; found < 25 && attempt < 1000; ++attempt) {
            const auto draw = [&](int bound) {
                return int(random.bounded(quint32(bound)));
            };
            const QList<Placement> seated{{4, someDesks[draw(6)]}, {5, 12 + draw(2)}};
            const QList<int> marked{20 + draw(2), 10 + draw(4)};
            if (marked.contains(seated[0].desk))
                continue;
            Rules rules;
            while (rules.size() < 7) {
                const int a = draw(6);
                const int b = draw(6);
                const Kind kind = Kind(draw(4));
                if (kind == Kind::Davanti)
                    rules.append(SeatingRule::davanti(a, 1 + draw(2)));
                else if (kind == Kind::BancoFisso)
                    rules.append(SeatingRule::bancoFisso(a, someDesks[draw(6)]));
                else if (a != b)
                    rules.append({kind, a, b});
            }
            const FillProblem problem = room(26, rules, marked, seated);
            const FillResult result = fill(problem, quint32(attempt));
            if (result.outcome != FillResult::Outcome::Impossible)
                continue;
            ++found;
            verifyMinimal(problem, result.conflict);
            QVERIFY(noSmallerConflict(problem, result.conflict.size()));
        }
        QCOMPARE(found, 25);
    }

    // No plan is out of reach and none is favoured: on small rooms where the
    // plans can be counted, the fills fall evenly over them (chi-square
    // within the 0.1 % bound of an even spread).
    void spread_data()
    {
        QTest::addColumn<FillProblem>("problem");
        // Two rows of bank 1 apart: the two must sit in different rows.
        QTest::newRow("apart") << room(4, {SeatingRule::separati(0, 1)}, allBut({0, 1, 4, 5}));
        // Two pairs and a desk whose mate is marked: the couple takes a pair,
        // either way round.
        QTest::newRow("couple and a loose desk")
            << room(5, {SeatingRule::compagni(3, 4)}, allBut({0, 1, 2, 3, 20}));
        // Banks 1 and 3 of the first row, mirror images of each other: the
        // one apart from both others takes either pair.
        QTest::newRow("mirror images") << room(
            3, {SeatingRule::separati(0, 1), SeatingRule::separati(1, 2)}, allBut({0, 1, 20, 21}));
        QTest::newRow("first row and last") << room(
            4, {SeatingRule::davanti(2, 1), SeatingRule::separati(0, 3)}, allBut({0, 1, 8, 9}));
    }
    // With the walk that evens the plans out, and with the search alone,
    // whose random order must reach every plan too.
    void spread()
    {
        QFETCH(FillProblem, problem);
        const QList<QList<int>> plans = allPlans(problem);
        for (int walkSteps : {SeatingSolver::Limits().walkStepsPerPupil, 0}) {
            QRandomGenerator random(5);
            SeatingSolver solver(random);
            SeatingSolver::Limits limits = patient();
            limits.walkStepsPerPupil = walkSteps;
            solver.setLimits(limits);
            QHash<QList<int>, int> counts;
            constexpr int Fills = 3000;
            for (int run = 0; run < Fills; ++run) {
                const FillResult result = solver.fill(problem);
                QList<int> deskOf(problem.freePupils.size());
                for (const Placement &p : result.plan)
                    deskOf[p.pupil] = p.desk;
                QVERIFY(plans.contains(deskOf));
                ++counts[deskOf];
            }
            QString why;
            QVERIFY2(evenSpread(counts, int(plans.size()), Fills, &why),
                     qPrintable(u"walk %1: "_s.arg(walkSteps) + why));
        }
    }

    void ruleSentences_data()
    {
        QTest::addColumn<SeatingRule>("rule");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("note"); // at the desk of the rule's first pupil
        QTest::newRow("separati") << SeatingRule::separati(0, 1)
                                  << u"Rossi Anna e Bianchi Luca devono essere separati."_s
                                  << u"regola non rispettata: separati da Bianchi Luca"_s;
        QTest::newRow("compagni") << SeatingRule::compagni(0, 1)
                                  << u"Rossi Anna e Bianchi Luca devono essere compagni di banco."_s
                                  << u"regola non rispettata: compagni di banco con Bianchi Luca"_s;
        QTest::newRow("davanti") << SeatingRule::davanti(0, 2)
                                 << u"Rossi Anna deve stare nelle prime 2 file."_s
                                 << u"regola non rispettata: nelle prime 2 file"_s;
        QTest::newRow("davanti, first row")
            << SeatingRule::davanti(0, 1) << u"Rossi Anna deve stare nella prima fila."_s
            << u"regola non rispettata: nella prima fila"_s;
        QTest::newRow("banco fisso")
            << SeatingRule::bancoFisso(0, 29) << u"Rossi Anna deve stare al banco 30."_s
            << u"regola non rispettata: al banco 30"_s;
    }
    void ruleSentences()
    {
        QFETCH(SeatingRule, rule);
        QTEST(SolverMessages::rule(rule, Names), "sentence");
        // Pupil 0 at banco 5, pupil 1 beside them: each rule broken.
        QList<int> pupilAtDesk(Room::Desks, -1);
        pupilAtDesk[4] = 0;
        pupilAtDesk[6] = 1;
        const QList<int> broken = RuleCheck::broken({rule}, pupilAtDesk);
        QCOMPARE(broken, QList<int>{0});
        QTEST(SolverMessages::deskNote(0, {rule}, broken, Names), "note");
    }

    // The checker on the screen's seating: only the broken rules, and the
    // note of each desk names all of the rules broken there.
    void brokenRules()
    {
        const Rules rules{SeatingRule::separati(0, 1), SeatingRule::separati(0, 2),
                          SeatingRule::compagni(0, 3), SeatingRule::davanti(3, 1),
                          SeatingRule::bancoFisso(4, 8)};
        QList<int> pupilAtDesk(Room::Desks, -1);
        pupilAtDesk[0] = 0;  // banco 1
        pupilAtDesk[11] = 1; // banco 12, across the aisle: not beside banco 1
        pupilAtDesk[3] = 2;  // banco 4, diagonal
        pupilAtDesk[1] = 3;  // desk-mate, first row
        // Pupil 4 not seated: their fixed desk is not broken yet.
        const QList<int> broken = RuleCheck::broken(rules, pupilAtDesk);
        QCOMPARE(broken, QList<int>{1});
        pupilAtDesk[1] = -1;
        pupilAtDesk[2] = 3; // row 2, another pair
        const QList<int> more = RuleCheck::broken(rules, pupilAtDesk);
        QCOMPARE(more, (QList<int>{1, 2, 3}));
        QCOMPARE(
            SolverMessages::deskNote(0, rules, more, Names),
            u"regole non rispettate: separati da Verdi Marco; compagni di banco con Neri Sara"_s);
        QCOMPARE(SolverMessages::deskNote(1, rules, more, Names), QString());
    }

    // Past the time limit the fill gives up, with its own message.
    void outOfTime()
    {
        Rules apart;
        for (int a = 0; a < 10; ++a) {
            for (int b = a + 1; b < 10; ++b)
                apart.append(SeatingRule::separati(a, b));
        }
        QRandomGenerator random(1);
        SeatingSolver solver(random);
        SeatingSolver::Limits limits;
        limits.total = std::chrono::milliseconds(0);
        solver.setLimits(limits);
        QCOMPARE(solver.fill(room(30, apart)).outcome, FillResult::Outcome::OutOfTime);
        QCOMPARE(solver.fill(room(30, {})).outcome, FillResult::Outcome::OutOfTime);
        QCOMPARE(SolverMessages::outOfTime(),
                 u"Non è stata trovata in tempo una disposizione che rispetti tutte le regole.\n"
                 u"Riprovare, oppure togliere qualche regola."_s);
    }
};

POSTI_TEST_MAIN(TestSolver)
#include "tst_solver.moc"
