// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "deadline.h"
#include "searchproblem.h"

#include <QRandomGenerator>

#include <array>

// A complete search for a plan: depth first, one free pupil at a time, with
// the desks each pupil may still take narrowed after every step. It answers
// None only when no plan exists.
//
// Pupils and desks are tried in random order (the pupil with the fewest
// desks left for the rules that bind them first, ties drawn at random), so that any plan can come
// out and neither the order of the names nor that of the desks favours anyone.
class FillSearch
{
public:
    enum class Answer { Found, None, OutOfTime };

    FillSearch(const SearchProblem &problem, QRandomGenerator &random, const Deadline &deadline);

    Answer run();
    // With Found: the desk of each variable.
    const std::array<int, Room::Desks> &deskOf() const { return m_deskOf; }
    qint64 nodes() const { return m_nodes; }
    // With None found before any pupil was tried: the pupils (variables) the
    // first narrowing found with too few desks, where a conflict likely lies;
    // all of them otherwise.
    quint32 culprits() const { return m_culprits; }

private:
    struct State
    {
        std::array<Room::DeskSet, Room::Desks> domains;
        std::array<qint8, Room::Desks> matched; // each variable's desk in a matching
        std::array<qint8, Room::Desks> owner;   // each desk's variable in it
        quint32 placed = 0;                     // variables whose one desk is taken from the others
    };

    Answer search(const State &state, Room::DeskSet allowed);
    bool consistent(State &state, quint32 changed);
    bool propagate(State &state, quint32 changed, quint32 &touched);
    bool narrowGroups(State &state, quint32 touched, quint32 &changed);
    bool leavesPairs(const State &state, quint32 group, Room::DeskSet usable);
    bool everyoneHasADesk(State &state);
    bool augment(State &state, int variable, Room::DeskSet &visited) const;
    int chooseVariable(const State &state);
    void blame(quint32 variables);
    int drawDesk(Room::DeskSet desks);
    void findSymmetries();
    void anyOfItsImages();
    Room::DeskSet orbitLeaders() const;

    const SearchProblem &m_problem;
    QRandomGenerator &m_random;
    const Deadline &m_deadline;
    quint32 m_allVariables = 0;
    quint32 m_culprits = 0;
    quint32 m_coupled = 0; // pupils with a desk-mate
    std::array<int, Room::Desks> m_deskOf{};
    QList<int> m_weights;                   // of each link: once more for each failure it caused
    std::array<int, Room::Desks> m_blame{}; // of each pupil: the same
    qint64 m_nodes = 0;
    bool m_outOfTime = false;
    // Reflections of the room that map every pupil's desks onto themselves.
    QList<int (*)(int)> m_symmetries;
};
