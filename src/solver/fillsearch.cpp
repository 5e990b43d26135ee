// SPDX-License-Identifier: GPL-3.0-or-later
#include "fillsearch.h"

#include "separation.h"

#include <QtAlgorithms>

#include <algorithm>
#include <utility>

using Room::bit;
using Room::DeskSet;

namespace {

bool single(DeskSet set)
{
    return set != 0 && (set & (set - 1)) == 0;
}

int lowest(quint32 set)
{
    return int(qCountTrailingZeroBits(set));
}

int highest(quint32 set)
{
    return 31 - int(qCountLeadingZeroBits(set));
}

// A desk and its neighbours.
struct Surroundings
{
    std::array<DeskSet, Room::Desks> of{};
    Surroundings()
    {
        for (int desk = 0; desk < Room::Desks; ++desk)
            of[desk] = Room::neighbourhood(desk) | bit(desk);
    }
};
const Surroundings surroundings;

// The desks of `others` left possible for one end of a link whose other end
// may sit at `desks`: those that some desk of `desks` goes with.
DeskSet supported(Link::Kind kind, DeskSet desks, DeskSet others)
{
    switch (kind) {
    case Link::Kind::Mates:
        return others & Room::mates(desks);
    case Link::Kind::Apart: {
        // A desk and its neighbours are nine desks at most: more always
        // leave one apart.
        if (qPopulationCount(desks) > 9)
            return others;
        DeskSet kept = 0;
        for (DeskSet rest = others; rest != 0; rest &= rest - 1) {
            const int desk = lowest(rest);
            if (desks & ~surroundings.of[desk])
                kept |= bit(desk);
        }
        return kept;
    }
    case Link::Kind::NotMates: {
        const DeskSet pair = bit(lowest(desks)) | bit(Room::mate(lowest(desks)));
        return (desks & ~pair) ? others : others & ~pair;
    }
    }
    return others;
}

int identity(int desk)
{
    return desk;
}
int mirrored(int desk)
{
    return Room::mirrored(desk);
}
int turned(int desk)
{
    return Room::turned(desk);
}
int mirroredAndTurned(int desk)
{
    return Room::mirrored(Room::turned(desk));
}

DeskSet image(int (*map)(int), DeskSet desks)
{
    DeskSet result = 0;
    for (; desks != 0; desks &= desks - 1)
        result |= bit(map(lowest(desks)));
    return result;
}

} // namespace

FillSearch::FillSearch(const SearchProblem &problem, QRandomGenerator &random,
                       const Deadline &deadline)
    : m_problem(problem)
    , m_random(random)
    , m_deadline(deadline)
    , m_allVariables((1u << problem.variables) - 1)
    , m_weights(problem.links.size(), 1)
{}

FillSearch::Answer FillSearch::run()
{
    State root;
    root.domains = m_problem.domains;
    root.matched.fill(-1);
    root.owner.fill(-1);
    for (const Link &link : m_problem.links) {
        if (link.kind == Link::Kind::Mates)
            m_coupled |= (1u << link.a) | (1u << link.b);
    }
    m_culprits = 0;
    if (!consistent(root, m_allVariables))
        return Answer::None;
    m_culprits = m_allVariables;
    findSymmetries();
    const Answer answer = search(root, orbitLeaders());
    if (answer == Answer::Found)
        anyOfItsImages();
    return answer;
}

// The search looked at one plan of each set of mirror images, and at one
// order of interchangeable pupils: any image, any order, is as good.
void FillSearch::anyOfItsImages()
{
    if (m_symmetries.size() > 1) {
        const auto map = m_symmetries[int(m_random.bounded(quint32(m_symmetries.size())))];
        for (int v = 0; v < m_problem.variables; ++v)
            m_deskOf[v] = map(m_deskOf[v]);
    }
    for (const QList<int> &members : m_problem.interchangeable) {
        QList<int> desks;
        for (int v : members)
            desks.append(m_deskOf[v]);
        std::shuffle(desks.begin(), desks.end(), m_random);
        for (int i = 0; i < members.size(); ++i)
            m_deskOf[members[i]] = desks[i];
    }
}

// The first pupil tried need only try one desk of each set of mirror images:
// a plan with them elsewhere is the mirror image of one with them there.
// The images are those of the problem as given, before interchangeable pupils
// are put in order: the order is then restored among the image's pupils,
// which moves no one else.
void FillSearch::findSymmetries()
{
    m_symmetries = {identity};
    for (auto map : {mirrored, turned, mirroredAndTurned}) {
        bool kept = true;
        for (int v = 0; kept && v < m_problem.variables; ++v)
            kept = image(map, m_problem.domains[v]) == m_problem.domains[v];
        if (kept)
            m_symmetries.append(map);
    }
    // Turned and mirrored alone being kept makes the two together kept.
}

DeskSet FillSearch::orbitLeaders() const
{
    DeskSet leaders = 0;
    for (int desk = 0; desk < Room::Desks; ++desk) {
        bool least = true;
        for (auto map : m_symmetries)
            least = least && map(desk) >= desk;
        if (least)
            leaders |= bit(desk);
    }
    return leaders;
}

FillSearch::Answer FillSearch::search(const State &state, DeskSet allowed)
{
    if ((++m_nodes & 255) == 1 && m_deadline.passed())
        m_outOfTime = true;
    if (m_outOfTime)
        return Answer::OutOfTime;
    const int variable = chooseVariable(state);
    if (variable < 0) {
        for (int v = 0; v < m_problem.variables; ++v)
            m_deskOf[v] = lowest(state.domains[v]);
        return Answer::Found;
    }
    // The mirror images are left out only for a pupil with no
    // interchangeable ones, whose order would need the same desks.
    if (m_problem.seatedBefore[variable] >= 0 || m_problem.seatedAfter[variable] >= 0)
        allowed = Room::AllDesks;
    for (DeskSet desks = state.domains[variable] & allowed; desks != 0;) {
        const int desk = drawDesk(desks);
        desks &= ~bit(desk);
        State next = state;
        next.domains[variable] = bit(desk);
        if (consistent(next, 1u << variable)) {
            const Answer answer = search(next, Room::AllDesks);
            if (answer != Answer::None)
                return answer;
        }
    }
    return Answer::None;
}

// Narrows the desks until every link holds between every pair of domains
// and a pupil with one desk left has it to themselves; false when some pupil
// is left with no desk.
bool FillSearch::propagate(State &state, quint32 changed, quint32 &touched)
{
    while (changed != 0) {
        touched |= changed;
        const int v = lowest(changed);
        changed &= changed - 1;
        const DeskSet desks = state.domains[v];
        if (desks == 0) {
            blame(1u << v);
            return false;
        }
        if (single(desks) && !(state.placed & (1u << v))) {
            state.placed |= 1u << v;
            for (quint32 others = m_allVariables & ~(1u << v); others != 0; others &= others - 1) {
                const int w = lowest(others);
                if (state.domains[w] & desks) {
                    state.domains[w] &= ~desks;
                    changed |= 1u << w;
                }
            }
        }
        // Interchangeable pupils sit in the order of their desks.
        for (const auto &[w, keep] :
             {std::pair(m_problem.seatedBefore[v], ~((bit(lowest(desks)) << 1) - 1)),
              std::pair(m_problem.seatedAfter[v], bit(highest(desks)) - 1)}) {
            if (w >= 0 && (state.domains[w] & ~keep)) {
                state.domains[w] &= keep;
                if (state.domains[w] == 0) {
                    blame((1u << v) | (1u << w));
                    return false;
                }
                changed |= 1u << w;
            }
        }
        for (int index : m_problem.linksOf[v]) {
            const Link &link = m_problem.links[index];
            const int w = link.other(v);
            const DeskSet narrowed = supported(link.kind, desks, state.domains[w]);
            if (narrowed != state.domains[w]) {
                if (narrowed == 0) {
                    ++m_weights[index];
                    blame((1u << v) | (1u << w));
                    return false;
                }
                state.domains[w] = narrowed;
                changed |= 1u << w;
            }
        }
    }
    return true;
}

// Every pupil must still have a desk of their own: a matching of all the
// pupils to distinct desks of their domains, kept from the step before and
// mended where a step took a matched desk away (Kuhn's augmenting paths).
bool FillSearch::everyoneHasADesk(State &state)
{
    for (int v = 0; v < m_problem.variables; ++v) {
        const int desk = state.matched[v];
        if (desk >= 0 && !(state.domains[v] & bit(desk))) {
            state.owner[desk] = -1;
            state.matched[v] = -1;
        }
    }
    for (int v = 0; v < m_problem.variables; ++v) {
        DeskSet visited = 0;
        if (state.matched[v] < 0 && !augment(state, v, visited)) {
            // These pupils have fewer desks among them than they are.
            blame(1u << v);
            for (; visited != 0; visited &= visited - 1)
                blame(1u << state.owner[lowest(visited)]);
            return false;
        }
    }
    return true;
}

bool FillSearch::augment(State &state, int variable, DeskSet &visited) const
{
    for (DeskSet desks = state.domains[variable] & ~visited; desks != 0; desks &= desks - 1) {
        const int desk = lowest(desks);
        if (visited & bit(desk))
            continue;
        visited |= bit(desk);
        const int holder = state.owner[desk];
        if (holder < 0 || augment(state, holder, visited)) {
            state.matched[variable] = qint8(desk);
            state.owner[desk] = qint8(variable);
            return true;
        }
    }
    return false;
}

// A group that must all sit apart can use only desks of some set of as many
// desks apart from each other, among the desks its pupils may still take.
// Adds to `changed` the pupils whose desks this narrowed; false when a group
// has no such set.
bool FillSearch::narrowGroups(State &state, quint32 touched, quint32 &changed)
{
    for (quint32 group : m_problem.apartGroups) {
        // Nothing to do unless the desks of its pupils or of the desk-mates
        // changed.
        if ((group & state.placed) == group || (touched & (group | m_coupled)) == 0)
            continue;
        DeskSet desks = 0;
        for (quint32 members = group; members != 0; members &= members - 1)
            desks |= state.domains[lowest(members)];
        const DeskSet usable = Room::desksOfApartSets(desks, int(qPopulationCount(group)));
        if (usable == 0 || !leavesPairs(state, group, usable)) {
            blame(group);
            return false;
        }
        if (usable == desks)
            continue;
        for (quint32 members = group; members != 0; members &= members - 1) {
            const int v = lowest(members);
            if (state.domains[v] & ~usable) {
                state.domains[v] &= usable;
                changed |= 1u << v;
            }
        }
    }
    return true;
}

// Whether the group, seated apart on the usable desks, leaves enough whole
// pairs for the couples of desk-mates outside it that have no pair yet: for
// each couple on its own desks, and for all of them together.
bool FillSearch::leavesPairs(const State &state, quint32 group, DeskSet usable)
{
    const int size = int(qPopulationCount(group));
    int couples = 0;
    DeskSet pairDesks = 0;
    quint32 members = 0;
    for (const Link &link : m_problem.links) {
        const quint32 ends = (1u << link.a) | (1u << link.b);
        if (link.kind != Link::Kind::Mates || (ends & group) || (ends & state.placed) == ends)
            continue;
        const DeskSet desks = state.domains[link.a] | state.domains[link.b];
        if (!Room::apartLeavingPairs(usable, size, desks, 1)) {
            blame(ends);
            return false;
        }
        ++couples;
        members |= ends;
        pairDesks |= desks;
    }
    if (couples > 1 && !Room::apartLeavingPairs(usable, size, pairDesks, couples)) {
        blame(members);
        return false;
    }
    return true;
}

// Narrows until nothing more narrows (each step looking only at what the
// step before changed): the links, the groups apart, and a desk
// of their own for every pupil.
bool FillSearch::consistent(State &state, quint32 changed)
{
    do {
        quint32 touched = changed;
        if (!propagate(state, changed, touched))
            return false;
        changed = 0;
        if (!narrowGroups(state, touched, changed))
            return false;
    } while (changed != 0);
    return everyoneHasADesk(state);
}

// The pupils where a narrowing failed: the search turns to them sooner.
void FillSearch::blame(quint32 variables)
{
    m_culprits |= variables;
    for (; variables != 0; variables &= variables - 1)
        ++m_blame[lowest(variables)];
}

// The pupil with the fewest desks left for the weight of their rules and of
// their failures (each rule and pupil weighing one more every time a
// narrowing failed on it), so that the search meets what fails early; among
// equals, one at random.
int FillSearch::chooseVariable(const State &state)
{
    int chosen = -1;
    int bestDesks = 1;
    int bestWeight = 0;
    quint32 ties = 0;
    for (quint32 open = m_allVariables & ~state.placed; open != 0; open &= open - 1) {
        const int v = lowest(open);
        const int desks = int(qPopulationCount(state.domains[v]));
        int weight = 1 + m_blame[v];
        for (int index : m_problem.linksOf[v]) {
            if (!(state.placed & (1u << m_problem.links[index].other(v))))
                weight += m_weights[index];
        }
        // desks / weight < bestDesks / bestWeight, without division.
        const qint64 left = qint64(desks) * bestWeight;
        const qint64 right = qint64(bestDesks) * weight;
        if (chosen < 0 || left < right) {
            chosen = v;
            bestDesks = desks;
            bestWeight = weight;
            ties = 1;
        } else if (left == right && m_random.bounded(++ties) == 0) {
            chosen = v;
        }
    }
    return chosen;
}

int FillSearch::drawDesk(DeskSet desks)
{
    int skip = int(m_random.bounded(quint32(qPopulationCount(desks))));
    for (; skip > 0; --skip)
        desks &= desks - 1;
    return lowest(desks);
}
