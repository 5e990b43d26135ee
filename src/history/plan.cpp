// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan.h"

bool isPlan(const std::array<int, Room::Desks> &pupilAt, Room::DeskSet marked, quint32 pupils)
{
    quint32 seated = 0;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        const int pupil = pupilAt[desk];
        if (pupil == Plan::Blank)
            continue;
        if (pupil < 0 || pupil >= Room::Desks || (marked & Room::bit(desk)))
            return false;
        const quint32 bit = quint32(1) << pupil;
        if ((seated & bit) || !(pupils & bit))
            return false;
        seated |= bit;
    }
    return seated == pupils;
}

void addDeskMates(const Plan &plan, DeskMates &mates)
{
    for (int desk = 0; desk < Room::Desks; desk += 2) {
        const int a = plan.pupilAt[desk];
        const int b = plan.pupilAt[desk + 1];
        if (a >= 0 && b >= 0) {
            mates[a] |= quint32(1) << b;
            mates[b] |= quint32(1) << a;
        }
    }
}

DeskMates deskMatesIn(const QList<Plan> &plans)
{
    DeskMates mates{};
    for (const Plan &plan : plans)
        addDeskMates(plan, mates);
    return mates;
}

Plan restoredFor(const Plan &plan, quint32 pupils)
{
    Plan restored = plan;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        const int pupil = plan.pupilAt[desk];
        if (pupil >= 0 && !(pupils & (quint32(1) << pupil))) {
            restored.pupilAt[desk] = Plan::Blank;
            restored.nameAt[desk].clear();
        }
    }
    return restored;
}

bool PlanHistory::record(const Plan &plan)
{
    if (!m_plans.isEmpty() && m_plans.last().date == plan.date) {
        // The day's earlier plan goes; the new one is compared with the plan
        // before it, so that going back to it records nothing.
        const Plan replaced = m_plans.takeLast();
        if (m_plans.isEmpty() || !m_plans.last().sameSeating(plan)) {
            m_plans.append(plan);
            return !(replaced == plan);
        }
        return true;
    }
    if (!m_plans.isEmpty() && m_plans.last().sameSeating(plan))
        return false;
    m_plans.append(plan);
    if (m_plans.size() > MaxPlans)
        m_plans.removeFirst();
    return true;
}

void PlanHistory::restore(QList<Plan> plans)
{
    if (plans.size() > MaxPlans)
        plans.remove(0, plans.size() - MaxPlans);
    m_plans = std::move(plans);
}

void PlanHistory::forgetPupils(quint32 gone)
{
    for (Plan &plan : m_plans) {
        for (int &pupil : plan.pupilAt) {
            if (pupil >= 0 && (gone & (quint32(1) << pupil)))
                pupil = Plan::Blank;
        }
    }
}
