// SPDX-License-Identifier: GPL-3.0-or-later
// The fill with rules on 30 pupils and 60 rules: a seeded mix of random rule
// sets and of the hard families (groups apart at the room's limit, front rows
// oversubscribed by one, chains and triangles of desk-mates, fixed desks on
// seated pupils, sets one rule away from possible). Prints the time of the
// plans and of the impossible fills with their conflicts.
#include "fullnames.h"
#include "rulecases.h"
#include "seatingsolver.h"
#include "separation.h"
#include "solvermessages.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr int CasesPerFamily = 60;

struct Case
{
    QString family;
    FillProblem problem;
};

Room::DeskSet freeDesks(const FillProblem &problem)
{
    Room::DeskSet desks = Room::AllDesks & ~problem.marked;
    for (const Placement &placement : problem.seated)
        desks &= ~Room::bit(placement.desk);
    return desks;
}

// Pupils who must all sit apart: the room's limit, or one more.
FillProblem apartGroup(CaseMaker &maker, bool overLimit)
{
    FillProblem problem = maker.room(maker.draw(5), maker.draw(3));
    const int size = std::min<int>(Room::mostApart(freeDesks(problem)) + (overLimit ? 1 : 0),
                                   int(problem.freePupils.size()));
    for (int i = 0; i < size; ++i) {
        for (int j = i + 1; j < size; ++j)
            problem.rules.append(
                SeatingRule::separati(problem.freePupils[i], problem.freePupils[j]));
    }
    maker.fill(problem);
    return problem;
}

// The first rows wanted by as many pupils as they have free desks, or one more.
FillProblem frontRows(CaseMaker &maker, bool overfull)
{
    FillProblem problem = maker.room(maker.draw(5), maker.draw(4));
    const int rows = 1 + maker.draw(3);
    const int free = qPopulationCount(freeDesks(problem) & Room::frontRows(rows));
    const int wanted = std::min<int>(free + (overfull ? 1 : 0), int(problem.freePupils.size()));
    for (int i = 0; i < wanted; ++i)
        problem.rules.append(SeatingRule::davanti(problem.freePupils[i], rows));
    maker.fill(problem, false);
    return problem;
}

// Desk-mates in a chain of three or a triangle; or, possible, five pairs of
// desk-mates, each kept apart from the next.
FillProblem deskMates(CaseMaker &maker, bool chained)
{
    FillProblem problem = maker.room(maker.draw(3) * 2, 0);
    const QList<int> &p = problem.freePupils;
    if (chained) {
        problem.rules.append(SeatingRule::compagni(p[0], p[1]));
        problem.rules.append(SeatingRule::compagni(p[1], p[2]));
        if (maker.draw(2))
            problem.rules.append(SeatingRule::compagni(p[2], p[0]));
    } else {
        for (int i = 0; i + 1 < 10; i += 2) {
            problem.rules.append(SeatingRule::compagni(p[i], p[i + 1]));
            if (i >= 2)
                problem.rules.append(SeatingRule::separati(p[i], p[i - 2]));
        }
    }
    maker.fill(problem);
    return problem;
}

// A fixed desk where a pupil already sits, or a free one.
FillProblem fixedOnSeated(CaseMaker &maker, bool colliding)
{
    FillProblem problem = maker.room(maker.draw(3), 2 + maker.draw(5));
    const int desk = colliding ? problem.seated.first().desk
                               : Room::Desks - 1 - qCountLeadingZeroBits(freeDesks(problem));
    problem.rules.append(SeatingRule::bancoFisso(problem.freePupils.first(), desk));
    maker.fill(problem);
    return problem;
}

QList<Case> makeCases()
{
    QList<Case> cases;
    CaseMaker maker(20240917);
    for (int i = 0; i < CasesPerFamily; ++i) {
        FillProblem random = maker.room(0, 0);
        maker.fill(random);
        cases.append({u"casuali"_s, random});
        cases.append({u"separati al limite"_s, apartGroup(maker, false)});
        cases.append({u"separati oltre il limite"_s, apartGroup(maker, true)});
        cases.append({u"prime file piene"_s, frontRows(maker, false)});
        cases.append({u"prime file +1"_s, frontRows(maker, true)});
        cases.append({u"compagni a coppie"_s, deskMates(maker, false)});
        cases.append({u"compagni in catena"_s, deskMates(maker, true)});
        cases.append({u"banco fisso libero"_s, fixedOnSeated(maker, false)});
        cases.append({u"banco fisso occupato"_s, fixedOnSeated(maker, true)});
    }
    return cases;
}

// An impossible case with one rule of its conflict taken away: one rule
// away from possible.
Case oneRuleAway(const Case &impossible, const Conflict &conflict, CaseMaker &maker)
{
    Case near{u"a una regola dal possibile"_s, impossible.problem};
    if (!conflict.rules.isEmpty())
        near.problem.rules.removeAt(conflict.rules[maker.draw(int(conflict.rules.size()))]);
    return near;
}

struct Figures
{
    QList<double> planned;
    QList<double> impossible;
    QList<double> plannedCpu;
    QList<double> impossibleCpu;
    QList<int> conflictSizes;
    int outOfTime = 0;
    QString example;
};

} // namespace

int main()
{
    QTextStream out(stdout);
    QStringList names;
    for (int slot = 0; slot < Room::Desks; ++slot)
        names.append(FullNames::pupil(1, slot));
    QRandomGenerator random(7);
    SeatingSolver solver(random);
    CaseMaker maker(99);

    QList<Case> cases = makeCases();
    QList<QString> families;
    QHash<QString, Figures> figures;
    for (int i = 0; i < cases.size(); ++i) {
        const Case &c = cases[i];
        if (!families.contains(c.family))
            families.append(c.family);
        QElapsedTimer timer;
        const std::clock_t cpuStart = std::clock();
        timer.start();
        const FillResult result = solver.fill(c.problem);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        Figures &f = figures[c.family];
        switch (result.outcome) {
        case FillResult::Outcome::Plan:
            f.planned.append(ms);
            f.plannedCpu.append(cpuMs);
            break;
        case FillResult::Outcome::Impossible:
            f.impossible.append(ms);
            f.impossibleCpu.append(cpuMs);
            f.conflictSizes.append(result.conflict.size());
            if (f.example.isEmpty())
                f.example = SolverMessages::conflictLines(c.problem, result.conflict, names)
                                .join(u"\n      "_s);
            if (c.family != u"a una regola dal possibile"_s && cases.size() < 20 * CasesPerFamily)
                cases.append(oneRuleAway(c, result.conflict, maker));
            break;
        case FillResult::Outcome::OutOfTime:
            ++f.outOfTime;
            break;
        }
    }

    Figures all;
    out << "Fill with rules: " << Room::Desks << " pupils, " << RulesPerCase
        << " rules a case, wall times in ms (load average " << loadAverage() << ")\n";
    out << u"  %1 %2 %3 %4 %5 | %6 %7 %8 %9 %10\n"_s.arg(u"family"_s, -27)
               .arg(u"plans"_s, 5)
               .arg(u"median"_s, 7)
               .arg(u"p99"_s, 7)
               .arg(u"max"_s, 7)
               .arg(u"impossible"_s, 10)
               .arg(u"median"_s, 7)
               .arg(u"max"_s, 7)
               .arg(u"conflict"_s, 9)
               .arg(u"late"_s, 4);
    for (const QString &family : families) {
        const Figures &f = figures[family];
        all.planned += f.planned;
        all.impossible += f.impossible;
        all.plannedCpu += f.plannedCpu;
        all.impossibleCpu += f.impossibleCpu;
        all.outOfTime += f.outOfTime;
        QString sizes = u"-"_s;
        if (!f.conflictSizes.isEmpty()) {
            const auto [least, most] =
                std::minmax_element(f.conflictSizes.begin(), f.conflictSizes.end());
            sizes = u"%1–%2"_s.arg(*least).arg(*most);
        }
        out << u"  %1 %2 %3 %4 %5 | %6 %7 %8 %9 %10\n"_s.arg(family, -27)
                   .arg(f.planned.size(), 5)
                   .arg(percentile(f.planned, 0.5), 7, 'f', 3)
                   .arg(percentile(f.planned, 0.99), 7, 'f', 3)
                   .arg(percentile(f.planned, 1), 7, 'f', 3)
                   .arg(f.impossible.size(), 10)
                   .arg(percentile(f.impossible, 0.5), 7, 'f', 2)
                   .arg(percentile(f.impossible, 1), 7, 'f', 2)
                   .arg(sizes, 9)
                   .arg(f.outOfTime, 4);
    }
    const double median = percentile(all.planned, 0.5);
    const double p99 = percentile(all.planned, 0.99);
    const double worst = percentile(all.impossible, 1);
    out << u"  plans: %1, median %2 ms (≤ 2: %3), p99 %4 ms (≤ 20: %5)\n"_s.arg(all.planned.size())
               .arg(median, 0, 'f', 3)
               .arg(median <= 2 ? u"met"_s : u"MISSED"_s)
               .arg(p99, 0, 'f', 3)
               .arg(p99 <= 20 ? u"met"_s : u"MISSED"_s);
    out << u"  impossible: %1, median %2 ms, max %3 ms (≤ 100: %4)\n"_s.arg(all.impossible.size())
               .arg(percentile(all.impossible, 0.5), 0, 'f', 2)
               .arg(worst, 0, 'f', 2)
               .arg(worst <= 100 ? u"met"_s : u"MISSED"_s);
    out << u"  processor time: plans median %1 ms, p99 %2 ms; impossible median %3 ms, max %4 ms\n"_s
               .arg(percentile(all.plannedCpu, 0.5), 0, 'f', 3)
               .arg(percentile(all.plannedCpu, 0.99), 0, 'f', 3)
               .arg(percentile(all.impossibleCpu, 0.5), 0, 'f', 2)
               .arg(percentile(all.impossibleCpu, 1), 0, 'f', 2);
    out << u"  past the 1 s limit: %1 (none allowed: %2)\n"_s.arg(all.outOfTime)
               .arg(all.outOfTime == 0 ? u"met"_s : u"MISSED"_s);
    out << "\nA conflict found in each family:\n";
    for (const QString &family : families) {
        if (!figures[family].example.isEmpty())
            out << "  " << family << ":\n      " << figures[family].example << "\n";
    }
    return 0;
}
