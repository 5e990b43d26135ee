// SPDX-License-Identifier: GPL-3.0-or-later
#include "deskmatching.h"

#include <QtAlgorithms>

namespace {

constexpr int Vertices = Room::Desks;

class Blossoms
{
public:
    explicit Blossoms(const std::array<quint32, Vertices> &mayPair)
        : m_adjacent(mayPair)
    {
        m_match.fill(-1);
    }

    int run()
    {
        int pairs = 0;
        for (int root = 0; root < Vertices; ++root) {
            if (m_match[root] >= 0 || m_adjacent[root] == 0)
                continue;
            const int end = findPath(root);
            if (end < 0)
                continue;
            ++pairs;
            // Flip the path's edges, from its free end back to the root.
            for (int v = end; v >= 0;) {
                const int before = m_parent[v];
                const int next = m_match[before];
                m_match[v] = before;
                m_match[before] = v;
                v = next;
            }
        }
        return pairs;
    }

private:
    // The free end of an augmenting path from the root, −1 for none.
    int findPath(int root)
    {
        m_parent.fill(-1);
        for (int v = 0; v < Vertices; ++v)
            m_base[v] = v;
        quint32 used = bit(root);
        std::array<int, Vertices> queue{};
        int head = 0;
        int tail = 0;
        queue[tail++] = root;
        while (head < tail) {
            const int v = queue[head++];
            for (quint32 rest = m_adjacent[v]; rest != 0; rest &= rest - 1) {
                const int to = int(qCountTrailingZeroBits(rest));
                if (m_base[v] == m_base[to] || m_match[v] == to)
                    continue;
                if (to == root || (m_match[to] >= 0 && m_parent[m_match[to]] >= 0)) {
                    // An odd cycle: shrink it to its base.
                    const int base = commonBase(v, to);
                    quint32 blossom = 0;
                    markPath(v, base, to, blossom);
                    markPath(to, base, v, blossom);
                    for (int u = 0; u < Vertices; ++u) {
                        if (!(blossom & bit(m_base[u])))
                            continue;
                        m_base[u] = base;
                        if (!(used & bit(u))) {
                            used |= bit(u);
                            queue[tail++] = u;
                        }
                    }
                } else if (m_parent[to] < 0) {
                    m_parent[to] = v;
                    if (m_match[to] < 0)
                        return to;
                    used |= bit(m_match[to]);
                    queue[tail++] = m_match[to];
                }
            }
        }
        return -1;
    }

    int commonBase(int a, int b) const
    {
        quint32 seen = 0;
        for (;;) {
            a = m_base[a];
            seen |= bit(a);
            if (m_match[a] < 0)
                break;
            a = m_parent[m_match[a]];
        }
        for (;;) {
            b = m_base[b];
            if (seen & bit(b))
                return b;
            b = m_parent[m_match[b]];
        }
    }

    void markPath(int v, int base, int child, quint32 &blossom)
    {
        while (m_base[v] != base) {
            blossom |= bit(m_base[v]) | bit(m_base[m_match[v]]);
            m_parent[v] = child;
            child = m_match[v];
            v = m_parent[m_match[v]];
        }
    }

    static quint32 bit(int v) { return quint32(1) << v; }

    const std::array<quint32, Vertices> &m_adjacent;
    std::array<int, Vertices> m_match{};
    std::array<int, Vertices> m_parent{};
    std::array<int, Vertices> m_base{};
};

} // namespace

int mostPairs(const std::array<quint32, Room::Desks> &mayPair)
{
    return Blossoms(mayPair).run();
}
