// SPDX-License-Identifier: GPL-3.0-or-later
#include "rulecheck.h"

namespace RuleCheck {

namespace {

int deskOf(const DeskOfPupil &deskOf, int pupil)
{
    return pupil >= 0 && pupil < Room::Desks ? deskOf[pupil] : -1;
}

} // namespace

DeskOfPupil deskOfPupil(const QList<int> &pupilAtDesk)
{
    DeskOfPupil desks;
    desks.fill(-1);
    for (int desk = int(pupilAtDesk.size()) - 1; desk >= 0; --desk) {
        const int pupil = pupilAtDesk[desk];
        if (pupil >= 0 && pupil < Room::Desks)
            desks[pupil] = desk;
    }
    return desks;
}

bool holds(const SeatingRule &rule, const DeskOfPupil &desks)
{
    using Kind = SeatingRule::Kind;
    const int desk = deskOf(desks, rule.pupil);
    const int other = rule.hasTwoPupils() ? deskOf(desks, rule.value) : 0;
    if (desk < 0 || other < 0 || (rule.hasTwoPupils() && rule.pupil == rule.value))
        return true;
    switch (rule.kind) {
    case Kind::Separati:
        return !Room::neighbours(desk, other);
    case Kind::Compagni:
        return Room::samePair(desk, other);
    case Kind::Davanti:
        return Room::row(desk) < rule.value;
    case Kind::BancoFisso:
        return desk == rule.value;
    case Kind::MaiCompagni:
        return !Room::samePair(desk, other);
    }
    return true;
}

QList<int> broken(const QList<SeatingRule> &rules, const QList<int> &pupilAtDesk)
{
    const DeskOfPupil desks = deskOfPupil(pupilAtDesk);
    QList<int> indexes;
    for (int i = 0; i < rules.size(); ++i) {
        if (!holds(rules[i], desks))
            indexes.append(i);
    }
    return indexes;
}

} // namespace RuleCheck
