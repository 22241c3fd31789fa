// What a crossword or jigsaw record derives from its grid: cell flags, word
// numbers, start flags, word records, the code table and the border blocks.
// Shared by the source compiler and the puzzle maker.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/PuzzleData.h"

namespace zx {

// A word as it stands in the grid.
struct TRecordWord {
    int Col = 0, Row = 0; // first cell in grid order, 1-based
    TWordDir Dir = TWordDir::Across;
    bool Reversed = false;
    bool Hidden = false; // the number of its first cell is stored negative
    std::string Answer;  // Windows-1252
    std::string Clue;    // Windows-1252
};

// Writes the cells of a crossword grid written as in a source: one string a
// row, '#' a block, 'A'-'Z' a letter, 'a'-'z' a letter of the solution word.
// Sets RowCount and ColCount; rows and columns are at most 50.
void WriteCrosswordCells(TPuzzleData& p, const std::vector<std::string>& rows);

// Writes the cells of a jigsaw: every cell holds its letter; cells of hidden
// words (inWord[row][col], 0-based) are letter cells, the others blocks that
// show their letter as an entry.
void WriteJigsawCells(TPuzzleData& p, const std::vector<std::string>& rows,
                      const std::vector<std::vector<bool>>& inWord);

// Numbers the first cells of the words 1, 2, ... in reading order (one number
// for a cell starting an across and a down word), sets the start flags and
// writes the word records in the order given. Jigsaw puzzles hide every cell
// number; their word records keep the positive number the legend looks up.
void NumberWords(TPuzzleData& p, const std::vector<TRecordWord>& words, bool jigsaw);

// The 26 letters A-Z shuffled by a seed: the same seed, the same order.
std::string ShuffledAlphabet(std::uint32_t seed);

// Code table of number puzzles: record i holds in Code the letter that number
// i stands for (letters: a permutation of A-Z), Guess a blank.
void WriteCodeTable(TPuzzleData& p, std::string_view letters);

// Every cell outside the puzzle (row 0, column 0 and beyond the size) becomes a
// block, so that word scans stop at the border.
void WriteBorderBlocks(TPuzzleData& p);

} // namespace zx
