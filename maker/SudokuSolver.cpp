// Sudoku geometry and the counting solver.
#include "maker/SudokuSolver.h"

#include <algorithm>
#include <bit>

namespace zx {

bool IsSudokuSize(int n) {
    return n == 4 || n == 6 || n == 8 || n == 9 || n == 12;
}

TSudokuShape SudokuShape(int n) {
    TSudokuShape s;
    s.N = n;
    s.BoxW = std::max(1, n < 9 ? n / 2 : n / 3);
    s.BoxH = std::max(1, n / s.BoxW);
    return s;
}

TSudokuUnits::TSudokuUnits(TSudokuShape shape) : Shape(shape) {
    const int n = shape.N;
    Units.assign(static_cast<std::size_t>(3 * n), {});
    UnitsOf.assign(static_cast<std::size_t>(n * n), {});
    std::vector<int> filled(static_cast<std::size_t>(3 * n), 0);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int cell = r * n + c;
            const int units[3] = {r, n + c, 2 * n + shape.Box(c, r)};
            for (int k = 0; k < 3; ++k) {
                const auto u = static_cast<std::size_t>(units[k]);
                Units[u][static_cast<std::size_t>(filled[u]++)] = static_cast<std::uint8_t>(cell);
                UnitsOf[static_cast<std::size_t>(cell)][static_cast<std::size_t>(k)] =
                    static_cast<std::uint8_t>(units[k]);
            }
        }
    Peers.assign(static_cast<std::size_t>(n * n), {});
    for (int cell = 0; cell < n * n; ++cell) {
        std::vector<int> peers;
        for (const std::uint8_t u : UnitsOf[static_cast<std::size_t>(cell)])
            for (int i = 0; i < n; ++i) {
                const int other = Units[u][static_cast<std::size_t>(i)];
                if (other != cell && std::find(peers.begin(), peers.end(), other) == peers.end())
                    peers.push_back(other);
            }
        PeerCount = static_cast<int>(peers.size());
        for (std::size_t i = 0; i < peers.size(); ++i)
            Peers[static_cast<std::size_t>(cell)][i] = static_cast<std::uint8_t>(peers[i]);
    }
}

TSudokuSolver::TSudokuSolver(TSudokuShape shape) : m_units(shape) {}

bool TSudokuSolver::Start(std::span<const int> grid, TState& s) const {
    const int n = m_units.Shape.N;
    const int cells = n * n;
    if (static_cast<int>(grid.size()) != cells) return false;
    const auto all = static_cast<std::uint16_t>((1u << n) - 1);
    s.Cand.fill(0);
    s.Value.fill(0);
    for (int i = 0; i < cells; ++i)
        s.Cand[static_cast<std::size_t>(i)] = all;
    s.Unsolved = cells;
    for (int i = 0; i < cells; ++i) {
        const int v = grid[static_cast<std::size_t>(i)];
        if (v == 0) continue;
        if (v < 0 || v > n || !Assign(s, i, static_cast<std::uint16_t>(1u << (v - 1))))
            return false;
    }
    return true;
}

// Places the value of bit in cell and takes it from the peers; a peer left
// with one candidate is placed in turn. False on a contradiction.
bool TSudokuSolver::Assign(TState& s, int cell, std::uint16_t bit) const {
    const auto ci = static_cast<std::size_t>(cell);
    if (s.Value[ci]) return s.Cand[ci] == bit;
    if (!(s.Cand[ci] & bit)) return false;
    s.Cand[ci] = bit;
    s.Value[ci] = static_cast<std::uint8_t>(std::countr_zero(bit) + 1);
    --s.Unsolved;
    const auto& peers = m_units.Peers[ci];
    for (int k = 0; k < m_units.PeerCount; ++k) {
        const std::size_t p = peers[static_cast<std::size_t>(k)];
        if (!(s.Cand[p] & bit)) continue;
        if (s.Value[p]) return false;
        s.Cand[p] = static_cast<std::uint16_t>(s.Cand[p] & ~bit);
        if (s.Cand[p] == 0) return false;
        if (std::has_single_bit(s.Cand[p]) && !Assign(s, static_cast<int>(p), s.Cand[p]))
            return false;
    }
    return true;
}

// Hidden singles until none is left; false when a unit has no place for a symbol.
bool TSudokuSolver::Propagate(TState& s) const {
    const int n = m_units.Shape.N;
    const auto all = static_cast<std::uint16_t>((1u << n) - 1);
    for (bool changed = true; changed && s.Unsolved > 0;) {
        changed = false;
        for (const auto& unit : m_units.Units) {
            unsigned once = 0, twice = 0, solved = 0;
            for (int i = 0; i < n; ++i) {
                const std::size_t c = unit[static_cast<std::size_t>(i)];
                const unsigned m = s.Cand[c];
                twice |= once & m;
                once |= m;
                if (s.Value[c]) solved |= m;
            }
            if (once != all) return false;
            unsigned hidden = once & ~twice & ~solved;
            while (hidden) {
                const auto bit = static_cast<std::uint16_t>(hidden & (0u - hidden));
                hidden &= hidden - 1;
                for (int i = 0; i < n; ++i) {
                    const std::size_t c = unit[static_cast<std::size_t>(i)];
                    if (s.Cand[c] & bit) {
                        if (!Assign(s, static_cast<int>(c), bit)) return false;
                        break;
                    }
                }
                changed = true;
            }
        }
    }
    return true;
}

void TSudokuSolver::Search(TState& s) {
    if (++m_nodes > m_maxNodes) return;
    if (!Propagate(s)) return;
    if (s.Unsolved == 0) {
        if (m_found++ == 0 && m_solution) {
            const int cells = m_units.Shape.Cells();
            m_solution->assign(s.Value.begin(), s.Value.begin() + cells);
        }
        return;
    }
    const int cells = m_units.Shape.Cells();
    int best = -1, bestCount = 99;
    for (int i = 0; i < cells; ++i) {
        const auto ci = static_cast<std::size_t>(i);
        if (s.Value[ci]) continue;
        const int count = std::popcount(s.Cand[ci]);
        if (count < bestCount) {
            best = i;
            bestCount = count;
            if (count == 2) break;
        }
    }
    std::array<std::uint16_t, 16> bits{};
    int count = 0;
    for (unsigned m = s.Cand[static_cast<std::size_t>(best)]; m; m &= m - 1)
        bits[static_cast<std::size_t>(count++)] = static_cast<std::uint16_t>(m & (0u - m));
    if (m_rng) ShuffleWith(*m_rng, std::span(bits.data(), static_cast<std::size_t>(count)));
    for (int k = 0; k < count && m_found < m_limit && m_nodes <= m_maxNodes; ++k) {
        TState next = s;
        if (Assign(next, best, bits[static_cast<std::size_t>(k)])) Search(next);
    }
}

int TSudokuSolver::Count(std::span<const int> grid, int limit, TSudokuGrid* solution,
                         long maxNodes) {
    TState s;
    if (!Start(grid, s)) return 0;
    m_limit = std::max(1, limit);
    m_found = 0;
    m_nodes = 0;
    m_maxNodes = maxNodes;
    m_solution = solution;
    m_rng = nullptr;
    Search(s);
    m_totalNodes += m_nodes;
    if (m_nodes > m_maxNodes && m_found < m_limit) return -1;
    return m_found;
}

bool TSudokuSolver::Fill(std::mt19937_64& rng, TSudokuGrid& out, long maxNodes) {
    TState s;
    const TSudokuGrid empty(static_cast<std::size_t>(m_units.Shape.Cells()), 0);
    Start(empty, s);
    m_limit = 1;
    m_found = 0;
    m_nodes = 0;
    m_maxNodes = maxNodes;
    m_solution = &out;
    m_rng = &rng;
    Search(s);
    m_rng = nullptr;
    m_totalNodes += m_nodes;
    return m_found == 1;
}

} // namespace zx
