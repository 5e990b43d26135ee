// SPDX-License-Identifier: GPL-3.0-or-later
#include "rulecases.h"

#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

FillProblem CaseMaker::room(int marked, int seated)
{
    FillProblem problem;
    QList<int> desks = shuffled(Room::Desks);
    QList<int> pupils = shuffled(Room::Desks);
    for (int i = 0; i < marked; ++i)
        problem.marked |= Room::bit(desks[i]);
    for (int i = 0; i < seated; ++i)
        problem.seated.append({pupils[i], desks[marked + i]});
    problem.freePupils = pupils.mid(seated, Room::Desks - marked - seated);
    return problem;
}

QList<int> CaseMaker::shuffled(int count)
{
    QList<int> items;
    for (int i = 0; i < count; ++i)
        items.append(i);
    std::shuffle(items.begin(), items.end(), m_random);
    return items;
}

void CaseMaker::fill(FillProblem &problem, bool inFront)
{
    QList<int> pupils = problem.freePupils;
    for (const Placement &placement : problem.seated)
        pupils.append(placement.pupil);
    while (problem.rules.size() < RulesPerCase) {
        const int a = pupils[draw(int(pupils.size()))];
        const int b = pupils[draw(int(pupils.size()))];
        const int kind = draw(100);
        SeatingRule rule;
        if (kind < 80 || (kind >= 85 && kind < 97 && !inFront))
            rule = SeatingRule::separati(a, b);
        else if (kind < 85)
            rule = SeatingRule::compagni(a, b);
        else if (kind < 97)
            rule = SeatingRule::davanti(a, 2 + draw(3));
        else
            rule = SeatingRule::bancoFisso(a, draw(Room::Desks));
        if (acceptable(problem, rule))
            problem.rules.append(rule);
    }
}

bool CaseMaker::acceptable(const FillProblem &problem, const SeatingRule &rule) const
{
    if (rule.hasTwoPupils() && rule.pupil == rule.value)
        return false;
    for (const SeatingRule &other : problem.rules) {
        const bool samePupils = rule.hasTwoPupils() && other.hasTwoPupils() &&
                                other.involves(rule.pupil) && other.involves(rule.value);
        if (samePupils || (rule.kind == SeatingRule::Kind::Compagni &&
                           other.kind == SeatingRule::Kind::Compagni &&
                           (other.involves(rule.pupil) || other.involves(rule.value))))
            return false;
        // A fixed desk for a pupil with no other rule, as teachers set it.
        if (rule.kind == SeatingRule::Kind::BancoFisso &&
            (other.involves(rule.pupil) ||
             (other.kind == SeatingRule::Kind::BancoFisso && other.value == rule.value)))
            return false;
        if (other.kind == SeatingRule::Kind::BancoFisso && (rule.involves(other.pupil)))
            return false;
    }
    if (rule.kind == SeatingRule::Kind::BancoFisso) {
        if (problem.marked & Room::bit(rule.value))
            return false;
        for (const Placement &placement : problem.seated) {
            if (placement.desk == rule.value || placement.pupil == rule.pupil)
                return false;
        }
    }
    return true;
}

double percentile(QList<double> values, double fraction)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min<int>(int(values.size()) - 1, int(fraction * values.size()))];
}

QString loadAverage()
{
    QFile file(u"/proc/loadavg"_s);
    if (!file.open(QIODevice::ReadOnly))
        return u"?"_s;
    return QString::fromLatin1(file.readAll()).section(u' ', 0, 2);
}
