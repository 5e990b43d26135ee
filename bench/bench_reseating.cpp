// SPDX-License-Identifier: GPL-3.0-or-later
// "Nuovi compagni di banco" on full classes: 30 pupils, 60 rules, and 100
// recorded plans made by the reseating itself, one a day, from a seeded start
// (random plans would let the reach stop after a few plans). Times the
// reseating on each class many times; exits with 1 when the median is over
// 50 ms or the worst over 500 ms.
#include "fullnames.h"
#include "reseating.h"
#include "rulecases.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int Classes = 4;
constexpr int Plans = 100;
constexpr int RunsPerClass = 50;
constexpr double MedianBudgetMs = 50;
constexpr double WorstBudgetMs = 500;

// A class of 30 with 60 rules; pupils with a fixed desk sit there and stay.
ReseatProblem classWithRules(CaseMaker &maker)
{
    ReseatProblem problem;
    problem.fill = maker.room(0, 0);
    maker.fill(problem.fill);
    for (const SeatingRule &rule : problem.fill.rules) {
        if (rule.kind == SeatingRule::Kind::BancoFisso) {
            problem.fill.freePupils.removeOne(rule.pupil);
            problem.fill.seated.append({rule.pupil, rule.value});
        }
    }
    return problem;
}

Plan planOf(const ReseatProblem &problem, const ReseatResult &result, const QDate &date)
{
    Plan plan;
    plan.date = date;
    for (const QList<Placement> &placements : {problem.fill.seated, result.plan}) {
        for (const Placement &placement : placements) {
            plan.pupilAt[placement.desk] = placement.pupil;
            plan.nameAt[placement.desk] = FullNames::pupil(1, placement.pupil);
        }
    }
    return plan;
}

// The class's history: the reseating run once a day for Plans days, each
// plan recorded as the teacher's store would.
void recordPlans(ReseatProblem &problem, QRandomGenerator &random)
{
    PlanHistory history;
    const QDate first(2025, 9, 15);
    for (int day = 0; day < Plans; ++day) {
        problem.history = history.plans();
        const ReseatResult result = Reseating(random).run(problem);
        if (result.outcome == ReseatResult::Outcome::Plan)
            history.record(planOf(problem, result, first.addDays(day)));
    }
    problem.history = history.plans();
}

struct Figures
{
    QList<double> ms;
    QList<double> reach;
    int overLimit = 0; // over the 1 s limit
    int outOfTime = 0; // "may not reach furthest back"
    int impossible = 0;
};

} // namespace

int main()
{
    QTextStream out(stdout);
    CaseMaker maker(20261207);
    QRandomGenerator random(11);
    Figures all;
    out << "Nuovi compagni di banco: " << Room::Desks << " pupils, " << RulesPerCase << " rules, "
        << Plans << " plans made by the reseating, " << RunsPerClass
        << " runs a class, wall times in ms (load average " << loadAverage() << ")\n";
    out << u"  %1 %2 %3 %4 %5 %6 %7\n"_s.arg(u"class"_s, -6)
               .arg(u"plans"_s, 5)
               .arg(u"reach"_s, 9)
               .arg(u"median"_s, 7)
               .arg(u"p99"_s, 7)
               .arg(u"max"_s, 7)
               .arg(u"doubt"_s, 5);
    for (int c = 1; c <= Classes; ++c) {
        ReseatProblem problem = classWithRules(maker);
        recordPlans(problem, random);
        Figures figures;
        for (int run = 0; run < RunsPerClass; ++run) {
            QElapsedTimer timer;
            timer.start();
            const ReseatResult result = Reseating(random).run(problem);
            figures.ms.append(double(timer.nsecsElapsed()) / 1e6);
            figures.overLimit += figures.ms.last() > 1000;
            figures.reach.append(result.reach);
            figures.outOfTime += result.outOfTime;
            figures.impossible += result.outcome != ReseatResult::Outcome::Plan;
        }
        out << u"  %1 %2 %3 %4 %5 %6 %7\n"_s.arg(c, -6)
                   .arg(problem.history.size(), 5)
                   .arg(u"%1–%2"_s.arg(percentile(figures.reach, 0))
                            .arg(percentile(figures.reach, 1)),
                        9)
                   .arg(percentile(figures.ms, 0.5), 7, 'f', 2)
                   .arg(percentile(figures.ms, 0.99), 7, 'f', 2)
                   .arg(percentile(figures.ms, 1), 7, 'f', 2)
                   .arg(figures.outOfTime, 5);
        all.ms += figures.ms;
        all.overLimit += figures.overLimit;
        all.outOfTime += figures.outOfTime;
        all.impossible += figures.impossible;
    }
    const double median = percentile(all.ms, 0.5);
    const double worst = percentile(all.ms, 1);
    out << u"  %1 runs: median %2 ms (≤ %3: %4), p99 %5 ms, worst %6 ms (≤ %7: %8)\n"_s
               .arg(all.ms.size())
               .arg(median, 0, 'f', 2)
               .arg(MedianBudgetMs)
               .arg(median <= MedianBudgetMs ? u"met"_s : u"MISSED"_s)
               .arg(percentile(all.ms, 0.99), 0, 'f', 2)
               .arg(worst, 0, 'f', 2)
               .arg(WorstBudgetMs)
               .arg(worst <= WorstBudgetMs ? u"met"_s : u"MISSED"_s);
    out << u"  over the 1 s limit: %1; may not reach furthest back (doubt): %2; no plan: %3\n"_s
               .arg(all.overLimit)
               .arg(all.outOfTime)
               .arg(all.impossible);
    return median <= MedianBudgetMs && worst <= WorstBudgetMs && all.impossible == 0 ? 0 : 1;
}
