// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "room.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>

// A seating a class was stored with: the pupil (slot 0–29) on each desk, with
// the name shown then, and the desks marked as not to be assigned.
struct Plan
{
    static constexpr int Blank = -1;

    QDate date;
    std::array<int, Room::Desks> pupilAt;
    std::array<QString, Room::Desks> nameAt;
    Room::DeskSet marked = 0;

    Plan() { pupilAt.fill(Blank); }

    // The same pupils at the same desks and the same marks, whatever the
    // date and the names.
    bool sameSeating(const Plan &other) const
    {
        return pupilAt == other.pupilAt && marked == other.marked;
    }
    bool operator==(const Plan &other) const
    {
        return date == other.date && sameSeating(other) && nameAt == other.nameAt;
    }
    // The pupil at the other desk of the desk's pair, Blank for none.
    int mateOf(int desk) const { return pupilAt[Room::mate(desk)]; }
};

// Whether a seating is a plan: every pupil of the class (bit s of `pupils`
// for slot s) seated exactly once, nobody else, and nobody on a marked desk.
// Trial seatings with a pupil missing or twice are not.
bool isPlan(const std::array<int, Room::Desks> &pupilAt, Room::DeskSet marked, quint32 pupils);

// For each pupil (slot), the pupils they shared a pair of desks with in the
// plans (bit s for slot s): the reseating's past desk-mates, and what the
// history dialog counts for each pupil.
using DeskMates = std::array<quint32, Room::Desks>;
void addDeskMates(const Plan &plan, DeskMates &mates);
DeskMates deskMatesIn(const QList<Plan> &plans);

// The plan as put back on screen for the class now: pupils no longer in the
// class (not in `pupils`) leave their desk blank; those added since are in no
// desk, to be seated by hand or by the fill.
Plan restoredFor(const Plan &plan, quint32 pupils);

// The plans of one class, oldest first: at most one a day and at most
// MaxPlans, the oldest going first.
class PlanHistory
{
public:
    static constexpr int MaxPlans = 200;

    // Records a plan unless it seats the class as the last recorded one
    // does; a plan of the last plan's day takes that plan's place. True when
    // the history changed.
    bool record(const Plan &plan);
    // The plans as read back, trimmed to the newest MaxPlans.
    void restore(QList<Plan> plans);
    void clear() { m_plans.clear(); }
    // The pupils (bit s for slot s) left the class: in every plan their desk
    // keeps the name shown then but no pupil, so that whoever takes their
    // slot starts with no past desk-mates.
    void forgetPupils(quint32 gone);

    const QList<Plan> &plans() const { return m_plans; }
    bool isEmpty() const { return m_plans.isEmpty(); }

private:
    QList<Plan> m_plans;
};
