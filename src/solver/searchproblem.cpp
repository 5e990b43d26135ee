// SPDX-License-Identifier: GPL-3.0-or-later
#include "searchproblem.h"

#include <QtAlgorithms>

#include <utility>

using Room::bit;
using Room::DeskSet;

namespace {

enum class Presence { Absent, Free, Seated };

bool validSlot(int slot)
{
    return slot >= 0 && slot < Room::Desks;
}

Presence presence(const FillProblem &problem, int slot)
{
    if (problem.freePupils.contains(slot))
        return Presence::Free;
    for (const Placement &placement : problem.seated) {
        if (placement.pupil == slot)
            return Presence::Seated;
    }
    return Presence::Absent;
}

// Bron–Kerbosch with a pivot over the apart graph: every largest group of
// variables bound pairwise by Apart.
void maximalCliques(const std::array<quint32, Room::Desks> &adjacent, quint32 clique,
                    quint32 candidates, quint32 excluded, QList<quint32> &found)
{
    if (candidates == 0 && excluded == 0) {
        if (qPopulationCount(clique) >= 3)
            found.append(clique);
        return;
    }
    const int pivot = qCountTrailingZeroBits(candidates | excluded);
    for (quint32 rest = candidates & ~adjacent[pivot]; rest != 0; rest &= rest - 1) {
        const int v = qCountTrailingZeroBits(rest);
        maximalCliques(adjacent, clique | (1u << v), candidates & adjacent[v],
                       excluded & adjacent[v], found);
        candidates &= ~(1u << v);
        excluded |= 1u << v;
    }
}

} // namespace

bool isFillsToKeep(const FillProblem &problem, const SeatingRule &rule)
{
    if (!validSlot(rule.pupil))
        return false;
    const Presence first = presence(problem, rule.pupil);
    if (!rule.hasTwoPupils())
        return first == Presence::Free;
    if (!validSlot(rule.value) || rule.value == rule.pupil)
        return false;
    const Presence second = presence(problem, rule.value);
    return first != Presence::Absent && second != Presence::Absent &&
           (first == Presence::Free || second == Presence::Free);
}

SearchProblem::SearchProblem(const FillProblem &problem)
    : variables(int(problem.freePupils.size()))
{
    std::array<int, Room::Desks> variableOf;
    std::array<int, Room::Desks> seatedDesk;
    variableOf.fill(-1);
    seatedDesk.fill(-1);
    for (int v = 0; v < variables; ++v)
        variableOf[problem.freePupils[v]] = v;
    desks = Room::AllDesks & ~problem.marked;
    for (const Placement &placement : problem.seated) {
        seatedDesk[placement.pupil] = placement.desk;
        desks &= ~bit(placement.desk);
    }
    domains.fill(0);
    for (int v = 0; v < variables; ++v)
        domains[v] = desks;
    for (const SeatingRule &rule : problem.rules) {
        if (isFillsToKeep(problem, rule))
            addRule(rule, variableOf, seatedDesk);
    }
    findApartGroups();
    noTwoDeskMates();
    findInterchangeable();
}

void SearchProblem::findInterchangeable()
{
    // The kinds of links between two pupils, one bit each.
    std::array<std::array<quint8, Room::Desks>, Room::Desks> kinds{};
    for (const Link &link : links) {
        kinds[link.a][link.b] |= quint8(1 << int(link.kind));
        kinds[link.b][link.a] |= quint8(1 << int(link.kind));
    }
    const auto alike = [&](int u, int v) {
        if (domains[u] != domains[v])
            return false;
        for (int w = 0; w < variables; ++w) {
            if (w != u && w != v && kinds[u][w] != kinds[v][w])
                return false;
        }
        return true;
    };
    seatedBefore.fill(-1);
    seatedAfter.fill(-1);
    quint32 classed = 0;
    for (int u = 0; u < variables; ++u) {
        if (classed & (1u << u))
            continue;
        QList<int> members{u};
        for (int v = u + 1; v < variables; ++v) {
            if (!(classed & (1u << v)) && alike(u, v)) {
                seatedBefore[members.last()] = v;
                seatedAfter[v] = members.last();
                members.append(v);
                classed |= 1u << v;
            }
        }
        if (members.size() > 1)
            interchangeable.append(members);
    }
}

// A pupil with two desk-mates would have both at the one desk beside them.
void SearchProblem::noTwoDeskMates()
{
    std::array<int, Room::Desks> mate;
    mate.fill(-1);
    for (const Link &link : links) {
        if (link.kind != Link::Kind::Mates)
            continue;
        for (const auto &[v, w] : {std::pair(link.a, link.b), std::pair(link.b, link.a)}) {
            if (mate[v] >= 0 && mate[v] != w)
                domains[v] = 0;
            mate[v] = w;
        }
    }
}

void SearchProblem::addRule(const SeatingRule &rule, const std::array<int, Room::Desks> &variableOf,
                            const std::array<int, Room::Desks> &seatedDesk)
{
    using Kind = SeatingRule::Kind;
    int v = variableOf[rule.pupil];
    switch (rule.kind) {
    case Kind::Davanti:
        domains[v] &= Room::frontRows(rule.value);
        return;
    case Kind::BancoFisso:
        domains[v] &= validSlot(rule.value) ? bit(rule.value) : 0;
        return;
    default:
        break;
    }
    int w = variableOf[rule.value];
    int seated = seatedDesk[rule.value];
    if (v < 0) {
        v = w;
        w = -1;
        seated = seatedDesk[rule.pupil];
    }
    if (w >= 0) {
        const Link::Kind kind = rule.kind == Kind::Separati   ? Link::Kind::Apart
                                : rule.kind == Kind::Compagni ? Link::Kind::Mates
                                                              : Link::Kind::NotMates;
        linksOf[v].append(int(links.size()));
        linksOf[w].append(int(links.size()));
        links.append({kind, v, w});
        return;
    }
    // The other pupil sits at a desk already.
    switch (rule.kind) {
    case Kind::Separati:
        domains[v] &= ~(Room::neighbourhood(seated) | bit(seated));
        break;
    case Kind::Compagni:
        domains[v] &= bit(Room::mate(seated));
        break;
    default:
        domains[v] &= ~bit(Room::mate(seated));
        break;
    }
}

void SearchProblem::findApartGroups()
{
    std::array<quint32, Room::Desks> adjacent{};
    for (const Link &link : links) {
        if (link.kind == Link::Kind::Apart) {
            adjacent[link.a] |= 1u << link.b;
            adjacent[link.b] |= 1u << link.a;
        }
    }
    quint32 linked = 0;
    for (int v = 0; v < variables; ++v) {
        if (adjacent[v])
            linked |= 1u << v;
    }
    maximalCliques(adjacent, 0, linked, 0, apartGroups);
}

// Whether the variable's desk keeps its limits and its rules, the other
// variables being where deskOf says.
bool SearchProblem::fits(int variable, const std::array<int, Room::Desks> &deskOf) const
{
    const int desk = deskOf[variable];
    if (!(domains[variable] & bit(desk)))
        return false;
    for (int index : linksOf[variable]) {
        const Link &link = links[index];
        const int other = deskOf[link.other(variable)];
        switch (link.kind) {
        case Link::Kind::Apart:
            if (Room::neighbours(desk, other))
                return false;
            break;
        case Link::Kind::Mates:
            if (!Room::samePair(desk, other))
                return false;
            break;
        case Link::Kind::NotMates:
            if (Room::samePair(desk, other))
                return false;
            break;
        }
    }
    return true;
}
