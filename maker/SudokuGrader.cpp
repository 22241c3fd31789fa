// The Sudoku grader: candidate masks worked on by human techniques.
#include "maker/SudokuGrader.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace zx {

int TechniqueLevel(TTechnique t) {
    switch (t) {
    case TTechnique::NakedSingle:
    case TTechnique::HiddenSingle:
        return 0;
    case TTechnique::Pointing:
    case TTechnique::Claiming:
        return 1;
    case TTechnique::NakedPair:
    case TTechnique::HiddenPair:
    case TTechnique::NakedTriple:
    case TTechnique::HiddenTriple:
        return 2;
    default:
        return 3;
    }
}

std::string TechniqueName(TTechnique t) {
    static constexpr const char* names[TechniqueCount] = {
        "nackter Single", "versteckter Single", "Zeiger (Block-Linie)", "Klemme (Linie-Block)",
        "nacktes Paar",   "verstecktes Paar",   "nackter Drilling",     "versteckter Drilling",
        "X-Wing",         "Swordfish",          "einfache Kette",       "Versuch"};
    return names[static_cast<std::size_t>(t)];
}

std::string TSudokuGrade::techniques() const {
    std::string s;
    for (int t = 0; t < TechniqueCount; ++t)
        if (Uses[static_cast<std::size_t>(t)] > 0)
            s += (s.empty() ? "" : ", ") + TechniqueName(static_cast<TTechnique>(t));
    return s;
}

namespace {

class TGrader {
public:
    TGrader(const TSudokuUnits& units, const TSudokuGrid& solution)
        : m_u(units), m_n(units.Shape.N), m_solution(solution) {}

    bool Start(std::span<const int> givens) {
        const int cells = m_n * m_n;
        const auto all = static_cast<std::uint16_t>((1u << m_n) - 1);
        m_cand.assign(static_cast<std::size_t>(cells), all);
        m_value.assign(static_cast<std::size_t>(cells), 0);
        m_unsolved = cells;
        for (int i = 0; i < cells; ++i) {
            const int v = givens[static_cast<std::size_t>(i)];
            if (v == 0) continue;
            if (v < 1 || v > m_n || !(m_cand[static_cast<std::size_t>(i)] & Bit(v))) return false;
            Place(i, v);
        }
        return !m_broken;
    }

    bool Solved() const { return m_unsolved == 0 && !m_broken; }
    bool Broken() const { return m_broken; }

    int Apply(TTechnique t) {
        switch (t) {
        case TTechnique::NakedSingle:
            return NakedSingles();
        case TTechnique::HiddenSingle:
            return HiddenSingles();
        case TTechnique::Pointing:
            return Pointing();
        case TTechnique::Claiming:
            return Claiming();
        case TTechnique::NakedPair:
            return NakedSubsets(2);
        case TTechnique::HiddenPair:
            return HiddenSubsets(2);
        case TTechnique::NakedTriple:
            return NakedSubsets(3);
        case TTechnique::HiddenTriple:
            return HiddenSubsets(3);
        case TTechnique::XWing:
            return Fish(2);
        case TTechnique::Swordfish:
            return Fish(3);
        case TTechnique::SimpleChain:
            return SimpleChains();
        case TTechnique::Trial:
            return Trial();
        }
        return 0;
    }

private:
    static std::uint16_t Bit(int v) { return static_cast<std::uint16_t>(1u << (v - 1)); }
    bool Open(int cell) const { return m_value[static_cast<std::size_t>(cell)] == 0; }
    std::uint16_t& Cand(int cell) { return m_cand[static_cast<std::size_t>(cell)]; }
    int UnitCell(int unit, int i) const {
        return m_u.Units[static_cast<std::size_t>(unit)][static_cast<std::size_t>(i)];
    }
    int UnitOf(int cell, int kind) const {
        return m_u.UnitsOf[static_cast<std::size_t>(cell)][static_cast<std::size_t>(kind)];
    }
    bool Sees(int a, int b) const {
        for (int k = 0; k < 3; ++k)
            if (UnitOf(a, k) == UnitOf(b, k)) return true;
        return false;
    }

    void Place(int cell, int v) {
        const std::uint16_t bit = Bit(v);
        m_value[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(v);
        Cand(cell) = bit;
        --m_unsolved;
        const auto& peers = m_u.Peers[static_cast<std::size_t>(cell)];
        for (int k = 0; k < m_u.PeerCount; ++k) {
            const int p = peers[static_cast<std::size_t>(k)];
            if (!(Cand(p) & bit)) continue;
            if (!Open(p)) {
                m_broken = true;
                continue;
            }
            Cand(p) = static_cast<std::uint16_t>(Cand(p) & ~bit);
            if (Cand(p) == 0) m_broken = true;
        }
    }
    // Takes the symbols of mask from an open cell; how many were there.
    int Remove(int cell, unsigned mask) {
        if (!Open(cell)) return 0;
        const int struck = std::popcount(Cand(cell) & mask);
        Cand(cell) = static_cast<std::uint16_t>(Cand(cell) & ~mask);
        if (Cand(cell) == 0) m_broken = true;
        return struck;
    }
    // Cells of a unit (as a bit mask of positions 0..N-1) still open for v's bit.
    unsigned Places(int unit, unsigned bit) const {
        unsigned places = 0;
        for (int i = 0; i < m_n; ++i) {
            const auto c = static_cast<std::size_t>(UnitCell(unit, i));
            if (m_value[c] == 0 && (m_cand[c] & bit)) places |= 1u << i;
        }
        return places;
    }
    unsigned SolvedIn(int unit) const {
        unsigned solved = 0;
        for (int i = 0; i < m_n; ++i) {
            const auto c = static_cast<std::size_t>(UnitCell(unit, i));
            if (m_value[c]) solved |= m_cand[c];
        }
        return solved;
    }

    int NakedSingles() {
        int progress = 0;
        for (int c = 0; c < m_n * m_n && !m_broken; ++c)
            if (Open(c) && std::has_single_bit(Cand(c))) {
                Place(c, std::countr_zero(Cand(c)) + 1);
                ++progress;
            }
        return progress;
    }

    int HiddenSingles() {
        int progress = 0;
        for (int u = 0; u < 3 * m_n && !m_broken; ++u) {
            const unsigned open = ((1u << m_n) - 1) & ~SolvedIn(u);
            for (int v = 1; v <= m_n; ++v) {
                if (!(open & Bit(v))) continue;
                const unsigned places = Places(u, Bit(v));
                if (places == 0) {
                    m_broken = true;
                    return progress;
                }
                if (std::has_single_bit(places)) {
                    Place(UnitCell(u, std::countr_zero(places)), v);
                    ++progress;
                }
            }
        }
        return progress;
    }

    // A box's symbol whose places lie on one row or column leaves the rest of that line.
    int Pointing() {
        int progress = 0;
        for (int b = 2 * m_n; b < 3 * m_n; ++b)
            for (int v = 1; v <= m_n; ++v) {
                const unsigned places = Places(b, Bit(v));
                if (std::popcount(places) < 2) continue;
                for (int kind = 0; kind < 2; ++kind) {
                    int line = -1;
                    bool one = true;
                    for (unsigned m = places; m; m &= m - 1) {
                        const int l = UnitOf(UnitCell(b, std::countr_zero(m)), kind);
                        if (line >= 0 && l != line) one = false;
                        line = l;
                    }
                    if (!one) continue;
                    for (int i = 0; i < m_n; ++i) {
                        const int c = UnitCell(line, i);
                        if (UnitOf(c, 2) != b) progress += Remove(c, Bit(v));
                    }
                }
            }
        return progress;
    }

    // A line's symbol whose places lie in one box leaves the rest of that box.
    int Claiming() {
        int progress = 0;
        for (int line = 0; line < 2 * m_n; ++line)
            for (int v = 1; v <= m_n; ++v) {
                const unsigned places = Places(line, Bit(v));
                if (std::popcount(places) < 2) continue;
                int box = -1;
                bool one = true;
                for (unsigned m = places; m; m &= m - 1) {
                    const int b = UnitOf(UnitCell(line, std::countr_zero(m)), 2);
                    if (box >= 0 && b != box) one = false;
                    box = b;
                }
                if (!one) continue;
                const int kind = line < m_n ? 0 : 1;
                for (int i = 0; i < m_n; ++i) {
                    const int c = UnitCell(box, i);
                    if (UnitOf(c, kind) != line) progress += Remove(c, Bit(v));
                }
            }
        return progress;
    }

    // Calls f on every k-subset (k = 2 or 3) of the items, as index lists.
    template <class F> static void Subsets(int count, int k, F f) {
        for (int a = 0; a < count; ++a)
            for (int b = a + 1; b < count; ++b) {
                if (k == 2) {
                    f(std::array<int, 3>{a, b, -1});
                    continue;
                }
                for (int c = b + 1; c < count; ++c)
                    f(std::array<int, 3>{a, b, c});
            }
    }

    // k open cells of a unit holding k symbols between them: those symbols
    // leave the unit's other cells.
    int NakedSubsets(int k) {
        int progress = 0;
        for (int u = 0; u < 3 * m_n; ++u) {
            std::array<int, 12> cells{};
            int count = 0;
            for (int i = 0; i < m_n; ++i) {
                const int c = UnitCell(u, i);
                const int p = std::popcount(Cand(c));
                if (Open(c) && p >= 2 && p <= k) cells[static_cast<std::size_t>(count++)] = c;
            }
            Subsets(count, k, [&](const std::array<int, 3>& s) {
                unsigned symbols = 0;
                for (int j = 0; j < k; ++j)
                    symbols |=
                        Cand(cells[static_cast<std::size_t>(s[static_cast<std::size_t>(j)])]);
                if (std::popcount(symbols) != k) return;
                for (int i = 0; i < m_n; ++i) {
                    const int c = UnitCell(u, i);
                    bool inSet = false;
                    for (int j = 0; j < k; ++j)
                        inSet |=
                            cells[static_cast<std::size_t>(s[static_cast<std::size_t>(j)])] == c;
                    if (!inSet) progress += Remove(c, symbols);
                }
            });
            if (progress) return progress;
        }
        return 0;
    }

    // k symbols of a unit with only k places between them: those cells lose
    // every other symbol.
    int HiddenSubsets(int k) {
        int progress = 0;
        for (int u = 0; u < 3 * m_n; ++u) {
            std::array<int, 12> symbols{};
            std::array<unsigned, 12> places{};
            int count = 0;
            const unsigned open = ((1u << m_n) - 1) & ~SolvedIn(u);
            for (int v = 1; v <= m_n; ++v) {
                if (!(open & Bit(v))) continue;
                const unsigned pl = Places(u, Bit(v));
                const int p = std::popcount(pl);
                if (p >= 2 && p <= k) {
                    symbols[static_cast<std::size_t>(count)] = v;
                    places[static_cast<std::size_t>(count++)] = pl;
                }
            }
            Subsets(count, k, [&](const std::array<int, 3>& s) {
                unsigned where = 0, keep = 0;
                for (int j = 0; j < k; ++j) {
                    const auto i = static_cast<std::size_t>(s[static_cast<std::size_t>(j)]);
                    where |= places[i];
                    keep |= Bit(symbols[i]);
                }
                if (std::popcount(where) != k) return;
                for (unsigned m = where; m; m &= m - 1)
                    progress += Remove(UnitCell(u, std::countr_zero(m)), ~keep & 0xFFFFu);
            });
            if (progress) return progress;
        }
        return 0;
    }

    // k rows (or columns) whose places for a symbol lie in k columns (rows)
    // between them: the symbol leaves those columns (rows) elsewhere.
    int Fish(int k) {
        int progress = 0;
        for (int v = 1; v <= m_n; ++v)
            for (int base = 0; base < 2; ++base) {
                const int first = base * m_n, cover = (1 - base) * m_n;
                std::array<int, 12> lines{};
                std::array<unsigned, 12> places{};
                int count = 0;
                for (int l = 0; l < m_n; ++l) {
                    const unsigned pl = Places(first + l, Bit(v));
                    const int p = std::popcount(pl);
                    if (p >= 2 && p <= k) {
                        lines[static_cast<std::size_t>(count)] = l;
                        places[static_cast<std::size_t>(count++)] = pl;
                    }
                }
                Subsets(count, k, [&](const std::array<int, 3>& s) {
                    unsigned where = 0, baseLines = 0;
                    for (int j = 0; j < k; ++j) {
                        const auto i = static_cast<std::size_t>(s[static_cast<std::size_t>(j)]);
                        where |= places[i];
                        baseLines |= 1u << lines[i];
                    }
                    if (std::popcount(where) != k) return;
                    // Position i of a row is column i, and position i of a column is row i.
                    for (unsigned m = where; m; m &= m - 1) {
                        const int line = cover + std::countr_zero(m);
                        for (int i = 0; i < m_n; ++i)
                            if (!(baseLines & (1u << i)))
                                progress += Remove(UnitCell(line, i), Bit(v));
                    }
                });
                if (progress) return progress;
            }
        return 0;
    }

    // Simple colouring: the cells of a symbol joined by units with exactly two
    // places take alternating colours. Two cells of one colour in one unit make
    // that colour false; a cell that sees both colours cannot hold the symbol.
    int SimpleChains() {
        const int cells = m_n * m_n;
        for (int v = 1; v <= m_n; ++v) {
            const unsigned bit = Bit(v);
            std::vector<std::vector<int>> links(static_cast<std::size_t>(cells));
            for (int u = 0; u < 3 * m_n; ++u) {
                const unsigned pl = Places(u, bit);
                if (std::popcount(pl) != 2) continue;
                const int a = UnitCell(u, std::countr_zero(pl));
                const int b = UnitCell(u, 31 - std::countl_zero(pl));
                links[static_cast<std::size_t>(a)].push_back(b);
                links[static_cast<std::size_t>(b)].push_back(a);
            }
            std::vector<int> colour(static_cast<std::size_t>(cells), -1);
            for (int start = 0; start < cells; ++start) {
                if (links[static_cast<std::size_t>(start)].empty() ||
                    colour[static_cast<std::size_t>(start)] >= 0)
                    continue;
                std::vector<int> chain{start};
                colour[static_cast<std::size_t>(start)] = 0;
                for (std::size_t i = 0; i < chain.size(); ++i)
                    for (const int next : links[static_cast<std::size_t>(chain[i])])
                        if (colour[static_cast<std::size_t>(next)] < 0) {
                            colour[static_cast<std::size_t>(next)] =
                                1 - colour[static_cast<std::size_t>(chain[i])];
                            chain.push_back(next);
                        }
                if (chain.size() < 3) continue;
                for (int col = 0; col < 2; ++col) {
                    bool clash = false;
                    for (std::size_t i = 0; i < chain.size() && !clash; ++i)
                        for (std::size_t j = i + 1; j < chain.size() && !clash; ++j)
                            clash = colour[static_cast<std::size_t>(chain[i])] == col &&
                                    colour[static_cast<std::size_t>(chain[j])] == col &&
                                    Sees(chain[i], chain[j]);
                    if (!clash) continue;
                    int progress = 0;
                    for (const int c : chain)
                        if (colour[static_cast<std::size_t>(c)] == col) progress += Remove(c, bit);
                    if (progress) return progress;
                }
                int progress = 0;
                for (int c = 0; c < cells; ++c) {
                    if (!Open(c) || !(Cand(c) & bit) ||
                        std::find(chain.begin(), chain.end(), c) != chain.end())
                        continue;
                    bool sees[2] = {false, false};
                    for (const int x : chain)
                        if (Sees(c, x)) sees[colour[static_cast<std::size_t>(x)]] = true;
                    if (sees[0] && sees[1]) progress += Remove(c, bit);
                }
                if (progress) return progress;
            }
        }
        return 0;
    }

    // The open cell with the fewest candidates gets its solution symbol.
    int Trial() {
        int best = -1, bestCount = 99;
        for (int c = 0; c < m_n * m_n; ++c)
            if (Open(c) && std::popcount(Cand(c)) < bestCount) {
                best = c;
                bestCount = std::popcount(Cand(c));
            }
        if (best < 0 || m_solution.size() != m_cand.size()) return 0;
        Place(best, m_solution[static_cast<std::size_t>(best)]);
        return 1;
    }

    const TSudokuUnits& m_u;
    int m_n;
    const TSudokuGrid& m_solution;
    std::vector<std::uint16_t> m_cand;
    std::vector<std::uint8_t> m_value;
    int m_unsolved = 0;
    bool m_broken = false;
};

} // namespace

TSudokuGrade GradeSudoku(const TSudokuUnits& units, std::span<const int> givens, int maxLevel,
                         const TSudokuGrid* solution) {
    TSudokuGrade grade;
    const int cells = units.Shape.Cells();
    if (static_cast<int>(givens.size()) != cells) return grade;
    TSudokuGrid found;
    if (maxLevel >= 3 && !solution) {
        TSudokuSolver solver(units.Shape);
        if (solver.Count(givens, 2, &found) != 1) return grade;
        solution = &found;
    }
    const TSudokuGrid none;
    TGrader g(units, solution ? *solution : none);
    if (!g.Start(givens)) return grade;
    while (!g.Solved() && !g.Broken()) {
        int progress = 0;
        for (int t = 0; t < TechniqueCount && !progress; ++t) {
            const auto tech = static_cast<TTechnique>(t);
            if (TechniqueLevel(tech) > maxLevel) break;
            if (const int steps = g.Apply(tech)) {
                grade.Uses[static_cast<std::size_t>(t)] += steps;
                grade.Level = std::max(grade.Level, TechniqueLevel(tech));
                progress = true;
            }
        }
        if (!progress) break;
    }
    grade.Solved = g.Solved();
    return grade;
}

} // namespace zx
