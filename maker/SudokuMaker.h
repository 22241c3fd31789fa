// Making a Sudoku of a given size and level with exactly one solution, and the
// record of a Sudoku from its givens and solution.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "document/PuzzleData.h"
#include "maker/SudokuGrader.h"
#include "maker/SudokuSolver.h"

namespace zx {

struct TSudokuRequest {
    int Size = 9;  // 4, 6, 8, 9 or 12 symbols
    int Level = 0; // 0 leicht .. 3 sehr schwer
    std::uint64_t Seed = 0;
    // Work allowed (search nodes plus grading steps); the search stops there
    // and keeps the Sudoku whose level came closest. The same request always
    // does the same work, so the limit never depends on the machine's speed.
    long MaxWork = DefaultMaxWork;
    static constexpr long DefaultMaxWork = 10'000'000;
};

struct TSudokuMade {
    TSudokuShape Shape;
    TSudokuGrid Givens;   // row-major, 0 empty
    TSudokuGrid Solution; // the one solution
    TSudokuGrade Grade;   // Grade.Level may differ from the request when the limit was reached
    int Attempts = 0;     // complete grids tried
    long Work = 0;
    int givenCount() const;
};

// The highest level a symmetric Sudoku of n symbols can have: every symmetric
// 4 x 4 Sudoku with one solution falls to singles (all 288 grids times all
// 256 symmetric sets of givens tried), so a 4 x 4 request for more is made
// at level 0 at once rather than searched for until the limit.
int HighestSudokuLevel(int n);

// Fills a random complete grid drawn from the seed, then takes givens away in
// pairs symmetric about the centre for as long as the Sudoku stays within the
// level (levels 0-2: the techniques up to the level still solve it, which
// also proves a single solution) or, for level 3, keeps one solution. A
// result of another level starts over with the next grid. False with a German
// message for a size or level the maker has not, or when not one grid could be
// filled within the limit.
bool MakeSudoku(const TSudokuRequest& request, TSudokuMade& made, std::string& error);

// The cells of an N x N Sudoku record: every cell holds its solution symbol
// and cfLetter, a given also cfSolution and its symbol as the entry; every
// cell outside the grid is a block. Grids are row-major, 0 = no given.
void FillSudokuCells(TPuzzleData& p, int n, std::span<const int> givens,
                     std::span<const int> solution);

// A whole cleared record of kind (Sudoku or timed Sudoku) holding made, its
// level the graded one.
void SudokuRecord(const TSudokuMade& made, TPuzzleKind kind, TPuzzleData& p);

// The givens of a Sudoku record (cells marked cfSolution), row-major; empty
// when the record is no Sudoku of a size the maker knows.
TSudokuGrid SudokuGivens(const TPuzzleData& p);

} // namespace zx
