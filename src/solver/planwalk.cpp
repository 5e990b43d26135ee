// SPDX-License-Identifier: GPL-3.0-or-later
#include "planwalk.h"

#include <QtAlgorithms>

using Room::bit;

namespace {

class Walk
{
public:
    Walk(const SearchProblem &problem, std::array<int, Room::Desks> &deskOf)
        : m_problem(problem)
        , m_deskOf(deskOf)
    {
        m_occupant.fill(-1);
        for (int v = 0; v < problem.variables; ++v)
            m_occupant[deskOf[v]] = v;
        for (int desk = 0; desk < Room::Desks; ++desk) {
            if (problem.desks & bit(desk))
                m_desks.append(desk);
        }
    }

    void movePupil(QRandomGenerator &random)
    {
        const int variable = int(random.bounded(quint32(m_problem.variables)));
        const int desk = m_desks[int(random.bounded(quint32(m_desks.size())))];
        exchange({m_deskOf[variable]}, {desk});
    }

    // The two desks of one pair go to those of another, straight or crossed;
    // one pair crossed with itself swaps its desk-mates.
    void exchangePairs(QRandomGenerator &random)
    {
        const int first = 2 * int(random.bounded(quint32(Room::Desks / 2)));
        const int second = 2 * int(random.bounded(quint32(Room::Desks / 2)));
        const int crossed = int(random.bounded(2u));
        if (first == second)
            exchange({first}, {first + crossed});
        else
            exchange({first, first + 1}, {second + crossed, second + 1 - crossed});
    }

private:
    // Swaps the occupants of from[i] and to[i], keeping the change only when
    // every pupil moved still keeps their rules.
    void exchange(const QList<int> &from, const QList<int> &to)
    {
        for (int i = 0; i < from.size(); ++i) {
            if (from[i] == to[i] || !(m_problem.desks & bit(from[i])) ||
                !(m_problem.desks & bit(to[i])))
                return;
        }
        swapAll(from, to);
        for (int i = 0; i < from.size(); ++i) {
            for (int desk : {from[i], to[i]}) {
                const int v = m_occupant[desk];
                if (v >= 0 && !m_problem.fits(v, m_deskOf)) {
                    swapAll(from, to);
                    return;
                }
            }
        }
    }

    void swapAll(const QList<int> &from, const QList<int> &to)
    {
        for (int i = 0; i < from.size(); ++i) {
            std::swap(m_occupant[from[i]], m_occupant[to[i]]);
            for (int desk : {from[i], to[i]}) {
                if (m_occupant[desk] >= 0)
                    m_deskOf[m_occupant[desk]] = desk;
            }
        }
    }

    const SearchProblem &m_problem;
    std::array<int, Room::Desks> &m_deskOf;
    std::array<int, Room::Desks> m_occupant{};
    QList<int> m_desks;
};

} // namespace

void walkPlans(const SearchProblem &problem, std::array<int, Room::Desks> &deskOf,
               QRandomGenerator &random, int steps)
{
    if (problem.variables == 0)
        return;
    Walk walk(problem, deskOf);
    for (int step = 0; step < steps; ++step) {
        if (random.bounded(2u) == 0)
            walk.movePupil(random);
        else
            walk.exchangePairs(random);
    }
}
