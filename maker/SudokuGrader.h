// Grading a Sudoku by the hardest technique a human solver needs: the
// techniques are tried from the simplest on, and after every step the
// solver starts again with the simplest.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "maker/SudokuSolver.h"

namespace zx {

// In the order they are tried.
enum class TTechnique : std::uint8_t {
    NakedSingle,
    HiddenSingle,
    Pointing, // a symbol of a box on one line only: gone from the rest of the line
    Claiming, // a symbol of a line in one box only: gone from the rest of the box
    NakedPair,
    HiddenPair,
    NakedTriple,
    HiddenTriple,
    XWing,
    Swordfish,
    SimpleChain, // one symbol's chain of two-place links, coloured alternately
    Trial,       // a cell set to its solution symbol, as a guess that turns out right
};
inline constexpr int TechniqueCount = 12;

// Level of a technique: 0 singles, 1 locked candidates, 2 pairs and triples,
// 3 fish, chains and trial.
int TechniqueLevel(TTechnique t);
// German name (Windows-1252), e.g. "verstecktes Paar".
std::string TechniqueName(TTechnique t);

struct TSudokuGrade {
    bool Solved = false; // false: the allowed techniques got stuck, or the givens clash
    int Level = 0;       // of the hardest technique used
    // Cells set (singles, trial) or candidates struck (the others) by each technique.
    std::array<int, TechniqueCount> Uses{};
    bool used(TTechnique t) const { return Uses[static_cast<std::size_t>(t)] > 0; }
    // "nackter Single, versteckter Single, X-Wing": the techniques used, in order.
    std::string techniques() const;
};

// Grades givens (row-major, 0 empty) with the techniques up to maxLevel.
// Trial needs maxLevel 3 and the solution; without one it is found first.
// Givens that have no single solution are never Solved.
TSudokuGrade GradeSudoku(const TSudokuUnits& units, std::span<const int> givens, int maxLevel = 3,
                         const TSudokuGrid* solution = nullptr);

} // namespace zx
