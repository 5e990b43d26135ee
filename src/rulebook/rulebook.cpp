// SPDX-License-Identifier: GPL-3.0-or-later
#include "rulebook.h"

#include <algorithm>

bool RuleBook::isEmpty() const
{
    return std::all_of(m_classes.begin(), m_classes.end(),
                       [](const ClassRules &rules) { return rules.isEmpty(); });
}

QList<SeatingRule> RuleBook::seatingRules(int tab) const
{
    QList<SeatingRule> result;
    for (const NamedRule &named : rules(tab))
        result.append(named.rule);
    return result;
}
