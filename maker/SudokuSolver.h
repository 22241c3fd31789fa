// Sudoku geometry and a solver that counts solutions up to a cap: candidate
// bit masks, naked and hidden singles after every step, and a search that
// branches on the cell with the fewest candidates.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <span>
#include <utility>
#include <vector>

namespace zx {

// Grids are row-major vectors of N * N values, 0 for an empty cell, 1..N a symbol.
using TSudokuGrid = std::vector<int>;

// Sizes a Sudoku can have: 4, 6, 8, 9 and 12 symbols.
bool IsSudokuSize(int n);

// Boxes as the rules divide the grid: W = N div 2 below 9 symbols, otherwise
// N div 3, and H = N div W (4: 2 x 2, 6: 3 x 2, 8: 4 x 2, 9: 3 x 3, 12: 4 x 3).
struct TSudokuShape {
    int N = 9;
    int BoxW = 3;
    int BoxH = 3;
    int Cells() const { return N * N; }
    int Box(int col, int row) const { return (row / BoxH) * (N / BoxW) + col / BoxW; }
};
// The shape of an N x N Sudoku; N must be a Sudoku size.
TSudokuShape SudokuShape(int n);

// Rows, columns and boxes of a shape: 3 N units of N cells, and every
// cell's units and peers (the other cells it shares a unit with).
struct TSudokuUnits {
    static constexpr int MaxCells = 144;
    static constexpr int MaxPeers = 32;
    explicit TSudokuUnits(TSudokuShape shape);
    TSudokuShape Shape;
    std::vector<std::array<std::uint8_t, 12>> Units;  // rows 0..N-1, columns N..2N-1, boxes
    std::vector<std::array<std::uint8_t, 3>> UnitsOf; // row, column and box unit of a cell
    std::vector<std::array<std::uint8_t, MaxPeers>> Peers;
    int PeerCount = 0;
};

// Fisher-Yates shuffle drawing from rng directly, so that a seed gives the
// same order with every standard library (std::shuffle's use of the engine
// is left to the library).
template <class T> void ShuffleWith(std::mt19937_64& rng, std::span<T> items) {
    for (std::size_t i = items.size(); i > 1; --i)
        std::swap(items[i - 1], items[static_cast<std::size_t>(rng() % i)]);
}

class TSudokuSolver {
public:
    explicit TSudokuSolver(TSudokuShape shape);

    // How many solutions the grid has, counted up to limit; the first one
    // found goes to solution when given. -1 when the search stopped after
    // maxNodes nodes without an answer (an empty grid has countless
    // solutions, and a sparse one without any can take long to refute).
    int Count(std::span<const int> grid, int limit, TSudokuGrid* solution = nullptr,
              long maxNodes = DefaultMaxNodes);

    // A complete grid that obeys the rule, its symbols tried in an order
    // drawn from rng. False when the search needed more than maxNodes.
    bool Fill(std::mt19937_64& rng, TSudokuGrid& out, long maxNodes = DefaultMaxNodes);

    // Search nodes of all calls so far: the measure of work the generator limits.
    long TotalNodes() const { return m_totalNodes; }
    const TSudokuUnits& Units() const { return m_units; }

    static constexpr long DefaultMaxNodes = 2'000'000;

private:
    struct TState {
        std::array<std::uint16_t, TSudokuUnits::MaxCells> Cand; // bit v-1: value v possible
        std::array<std::uint8_t, TSudokuUnits::MaxCells> Value; // 0 while unsolved
        int Unsolved = 0;
    };
    bool Start(std::span<const int> grid, TState& s) const;
    bool Assign(TState& s, int cell, std::uint16_t bit) const;
    bool Propagate(TState& s) const;
    void Search(TState& s);

    TSudokuUnits m_units;
    int m_limit = 0;
    int m_found = 0;
    long m_nodes = 0;
    long m_maxNodes = 0;
    long m_totalNodes = 0;
    TSudokuGrid* m_solution = nullptr;
    std::mt19937_64* m_rng = nullptr;
};

} // namespace zx
