// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "seatingproblem.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// A class's rule as the teacher set it: the solver's rule (pupils are their
// name slots) and the names those slots held, so that the file reads well
// and a rename can be told.
struct NamedRule
{
    SeatingRule rule;
    QString name;      // of rule.pupil
    QString otherName; // of rule.value, for a rule of two pupils

    // The name recorded for slot, which the rule involves.
    QString nameOf(int slot) const { return slot == rule.pupil ? name : otherName; }
    bool operator==(const NamedRule &other) const
    {
        return rule == other.rule && name == other.name && otherName == other.otherName;
    }
    bool operator!=(const NamedRule &other) const { return !(*this == other); }
};

using ClassRules = QList<NamedRule>;

// The rules of the ten classes, by tab (1 to 10).
class RuleBook
{
public:
    static constexpr int Classes = 10;

    const ClassRules &rules(int tab) const { return m_classes[size_t(tab - 1)]; }
    void setRules(int tab, const ClassRules &rules) { m_classes[size_t(tab - 1)] = rules; }
    bool isEmpty() const;

    // The solver's rules of a class.
    QList<SeatingRule> seatingRules(int tab) const;

    bool operator==(const RuleBook &other) const { return m_classes == other.m_classes; }
    bool operator!=(const RuleBook &other) const { return !(*this == other); }

private:
    std::array<ClassRules, Classes> m_classes;
};
