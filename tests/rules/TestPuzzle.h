// Readable fixtures for the rule tests: records built from grid strings.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "document/Settings.h"
#include "rules/Rules.h"

namespace zx::test {

// A record with its error grid and settings, as the windows share them.
struct TTestPuzzle {
    std::unique_ptr<TPuzzleData> Data = std::make_unique<TPuzzleData>();
    std::unique_ptr<TErrorGrid> Errors = std::make_unique<TErrorGrid>();
    TProgramSettings Settings;

    TPuzzleData& p() { return *Data; }
    std::uint8_t type(int col, int row, std::string_view text) {
        SetEntry(*Data, *Errors, col, row, text);
        return Errors->get(col, row);
    }
    TResultMessage check() { return CheckCompletion(*Data, *Errors, Settings).Message; }
    // Types the solution into every letter cell; returns the last check.
    TResultMessage fillSolution();
};

// Rows of a crossword: '#' block, 'A'-'Z' letter cell, 'a'-'z' letter cell of
// the solution word. Words of two or more cells are numbered in reading order
// and listed, across before down for each number.
TTestPuzzle MakeCrossword(TPuzzleKind kind, std::initializer_list<std::string_view> rows);
// Rows of a Sudoku's solution symbols; entries stay empty.
TTestPuzzle MakeSudoku(TPuzzleKind kind, std::initializer_list<std::string_view> rows);
// Types rows of symbols into a Sudoku; '.' leaves a cell alone.
void EnterRows(TTestPuzzle& t, std::initializer_list<std::string_view> rows);

// Appends a word record; returns its index.
int AddWord(TPuzzleData& p, int number, TWordDir direction, std::string_view answer);
// Marks the word as written backwards: its Answer becomes the grid letters reversed.
void MakeReversed(TPuzzleData& p, int number, TWordDir direction);

} // namespace zx::test
