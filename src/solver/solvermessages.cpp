// SPDX-License-Identifier: GPL-3.0-or-later
#include "solvermessages.h"

#include "separation.h"

#include <QSet>
#include <QtAlgorithms>

#include <algorithm>

using namespace Qt::StringLiterals;
using Kind = SeatingRule::Kind;

namespace SolverMessages {

namespace {

QString nameOf(const QStringList &names, int slot)
{
    const QString name = names.value(slot).trimmed();
    return name.isEmpty() ? u"alunno n. %1"_s.arg(slot + 1) : name;
}

QString deskName(int desk)
{
    return u"banco %1"_s.arg(desk + 1);
}

// «A», «A e B», «A, B e C».
QString enumeration(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return QStringList(items.mid(0, items.size() - 1)).join(u", "_s) + u" e "_s + items.last();
}

QString frontRows(int rows)
{
    return rows == 1 ? u"nella prima fila"_s : u"nelle prime %1 file"_s.arg(rows);
}

QString twoPupils(const SeatingRule &rule, const QStringList &names)
{
    return nameOf(names, rule.pupil) + u" e "_s + nameOf(names, rule.value);
}

bool samePupils(const SeatingRule &a, const SeatingRule &b)
{
    return (a.pupil == b.pupil && a.value == b.value) || (a.pupil == b.value && a.value == b.pupil);
}

// The conflict taken apart as its sentences are made of.
class ConflictWording
{
public:
    ConflictWording(const FillProblem &problem, const Conflict &conflict, const QStringList &names)
        : m_problem(problem)
        , m_names(names)
    {
        for (int index : conflict.rules)
            m_rules.append(problem.rules[index]);
        m_free = Room::AllDesks;
        for (int desk : conflict.markedDesks)
            m_free &= ~Room::bit(desk);
        for (int index : conflict.seated)
            m_free &= ~Room::bit(problem.seated[index].desk);
        m_circumstances = !conflict.markedDesks.isEmpty() || !conflict.seated.isEmpty();
        m_conflict = conflict;
    }

    QStringList lines()
    {
        groupsApart();
        groupsInFront();
        for (int i = 0; i < m_rules.size(); ++i) {
            if (!m_said.contains(i))
                m_lines.append(sentence(i));
        }
        for (int index : m_conflict.seated) {
            const Placement &placement = m_problem.seated[index];
            m_lines.append(nameOf(m_names, placement.pupil) + u" siede già al "_s +
                           deskName(placement.desk) + u"."_s);
        }
        markedDesks();
        return m_lines;
    }

private:
    // Groups of three or more who must all sit apart, largest first, each
    // said once with all its pupils rather than one line per pair.
    void groupsApart()
    {
        for (;;) {
            QList<int> group = largestApartGroup();
            if (group.size() < 3)
                return;
            QStringList who;
            for (int pupil : group)
                who.append(nameOf(m_names, pupil));
            for (int i = 0; i < m_rules.size(); ++i) {
                const SeatingRule &rule = m_rules[i];
                if (rule.kind == Kind::Separati && group.contains(rule.pupil) &&
                    group.contains(rule.value))
                    m_said.insert(i);
            }
            const int most = Room::mostApart(m_free);
            if (group.size() > most) {
                m_lines.append(
                    u"Questi %1 alunni devono stare tutti separati, ma %2 se ne possono "
                    u"separare al massimo %3: %4."_s.arg(group.size())
                        .arg(m_circumstances ? u"nei banchi liberi"_s : u"nella stanza"_s)
                        .arg(most)
                        .arg(enumeration(who)));
            } else {
                m_lines.append(
                    u"Questi %1 alunni devono stare tutti separati: %2."_s.arg(group.size())
                        .arg(enumeration(who)));
            }
        }
    }

    QList<int> largestApartGroup() const
    {
        QList<int> best;
        QList<int> pupils;
        for (int i = 0; i < m_rules.size(); ++i) {
            if (m_rules[i].kind == Kind::Separati && !m_said.contains(i)) {
                for (int pupil : {m_rules[i].pupil, m_rules[i].value}) {
                    if (!pupils.contains(pupil))
                        pupils.append(pupil);
                }
            }
        }
        std::sort(pupils.begin(), pupils.end());
        QList<int> group;
        grow(group, pupils, 0, best);
        return best;
    }

    // Every group of pupils apart from each other, by extension; a conflict
    // has few enough Separati rules for this.
    void grow(QList<int> &group, const QList<int> &pupils, int from, QList<int> &best) const
    {
        if (group.size() > best.size())
            best = group;
        for (int i = from; i < pupils.size(); ++i) {
            if (group.size() + (pupils.size() - i) <= best.size())
                return;
            const int pupil = pupils[i];
            if (std::all_of(group.begin(), group.end(),
                            [&](int other) { return apartRuleBetween(pupil, other); })) {
                group.append(pupil);
                grow(group, pupils, i + 1, best);
                group.removeLast();
            }
        }
    }

    bool apartRuleBetween(int a, int b) const
    {
        for (int i = 0; i < m_rules.size(); ++i) {
            const SeatingRule &rule = m_rules[i];
            if (rule.kind == Kind::Separati && !m_said.contains(i) &&
                samePupils(rule, SeatingRule::separati(a, b)))
                return true;
        }
        return false;
    }

    // Two or more pupils who must sit in the same front rows, in one line.
    void groupsInFront()
    {
        for (int rows = 1; rows <= SeatingRule::MaxRows; ++rows) {
            QStringList who;
            QList<int> indexes;
            for (int i = 0; i < m_rules.size(); ++i) {
                if (m_rules[i].kind == Kind::Davanti && m_rules[i].value == rows) {
                    who.append(nameOf(m_names, m_rules[i].pupil));
                    indexes.append(i);
                }
            }
            if (indexes.size() < 2)
                continue;
            for (int i : indexes)
                m_said.insert(i);
            const int free = int(qPopulationCount(m_free & Room::frontRows(rows)));
            if (who.size() > free) {
                const QString have = rows == 1 ? u"che ha"_s : u"che hanno"_s;
                const QString desks = free == 1 ? u"banco libero"_s : u"banchi liberi"_s;
                m_lines.append(u"%1 alunni devono stare %2, %3 %4 %5: %6."_s.arg(who.size())
                                   .arg(frontRows(rows), have)
                                   .arg(free)
                                   .arg(desks, enumeration(who)));
            } else {
                m_lines.append(u"Questi %1 alunni devono stare %2: %3."_s.arg(who.size())
                                   .arg(frontRows(rows), enumeration(who)));
            }
        }
    }

    QString sentence(int index)
    {
        const SeatingRule &rule = m_rules[index];
        if (rule.kind == Kind::Compagni || rule.kind == Kind::Separati) {
            // Both rules for the same two pupils: one sentence.
            for (int j = index + 1; j < m_rules.size(); ++j) {
                const SeatingRule &other = m_rules[j];
                if (!m_said.contains(j) && other.kind != rule.kind &&
                    (other.kind == Kind::Compagni || other.kind == Kind::Separati) &&
                    samePupils(rule, other)) {
                    m_said.insert(j);
                    return twoPupils(rule, m_names) +
                           u" devono essere compagni di banco e anche separati."_s;
                }
            }
        }
        return SolverMessages::rule(rule, m_names);
    }

    void markedDesks()
    {
        QStringList desks;
        QList<int> sorted = m_conflict.markedDesks;
        std::sort(sorted.begin(), sorted.end());
        for (int desk : sorted)
            desks.append(QString::number(desk + 1));
        if (desks.size() == 1)
            m_lines.append(u"Il banco %1 non si assegna."_s.arg(desks.first()));
        else if (desks.size() > 1)
            m_lines.append(u"I banchi %1 non si assegnano."_s.arg(enumeration(desks)));
    }

    const FillProblem &m_problem;
    const QStringList &m_names;
    Conflict m_conflict;
    QList<SeatingRule> m_rules;
    QSet<int> m_said; // indexes of m_rules already in a sentence
    Room::DeskSet m_free = 0;
    bool m_circumstances = false;
    QStringList m_lines;
};

QString notePhrase(const SeatingRule &rule, int pupil, const QStringList &names)
{
    const QString other = nameOf(names, rule.pupil == pupil ? rule.value : rule.pupil);
    switch (rule.kind) {
    case Kind::Separati:
        return u"separati da "_s + other;
    case Kind::Compagni:
        return u"compagni di banco con "_s + other;
    case Kind::Davanti:
        return frontRows(rule.value);
    case Kind::BancoFisso:
        return u"al "_s + deskName(rule.value);
    case Kind::MaiCompagni:
        return u"non di nuovo compagni di banco con "_s + other;
    }
    return {};
}

} // namespace

QString rule(const SeatingRule &rule, const QStringList &names)
{
    switch (rule.kind) {
    case Kind::Separati:
        return twoPupils(rule, names) + u" devono essere separati."_s;
    case Kind::Compagni:
        return twoPupils(rule, names) + u" devono essere compagni di banco."_s;
    case Kind::Davanti:
        return nameOf(names, rule.pupil) + u" deve stare "_s + frontRows(rule.value) + u"."_s;
    case Kind::BancoFisso:
        return nameOf(names, rule.pupil) + u" deve stare al "_s + deskName(rule.value) + u"."_s;
    case Kind::MaiCompagni:
        return twoPupils(rule, names) + u" non devono essere di nuovo compagni di banco."_s;
    }
    return {};
}

QStringList conflictLines(const FillProblem &problem, const Conflict &conflict,
                          const QStringList &names)
{
    return ConflictWording(problem, conflict, names).lines();
}

QString conflict(const FillProblem &problem, const Conflict &conflict, const QStringList &names)
{
    return u"Nessuna disposizione dei banchi rispetta insieme queste condizioni:\n"_s + u"• "_s +
           conflictLines(problem, conflict, names).join(u"\n• "_s) +
           u"\nTogliendone una qualsiasi, i banchi si possono assegnare."_s;
}

QString outOfTime()
{
    return u"Non è stata trovata in tempo una disposizione che rispetti tutte le regole.\n"
           u"Riprovare, oppure togliere qualche regola."_s;
}

QString deskNote(int pupil, const QList<SeatingRule> &rules, const QList<int> &broken,
                 const QStringList &names)
{
    QStringList phrases;
    for (int index : broken) {
        if (rules[index].involves(pupil))
            phrases.append(notePhrase(rules[index], pupil, names));
    }
    if (phrases.isEmpty())
        return {};
    return (phrases.size() == 1 ? u"regola non rispettata: "_s : u"regole non rispettate: "_s) +
           phrases.join(u"; "_s);
}

} // namespace SolverMessages
