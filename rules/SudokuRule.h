// The Sudoku rule (no symbol twice in a row, column or box) and the symbols
// still possible in a cell. Works on the player's entries, never on the solution.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "document/PuzzleData.h"

namespace zx {

// Upper-case hexadecimal digits of value ("A" for 10).
std::string SymbolText(int value);
// text read as a hexadecimal number (either case); 0 when empty or not one.
int SymbolValue(std::string_view text);

// Number of symbols: the grid's columns, at most the arrays' size.
int SymbolCount(const TPuzzleData& p);
// Box size: width = symbols div 2 below 9 symbols, else div 3; height = rows
// div width. Both at least 1, so degenerate grids never divide by zero.
int BoxWidth(const TPuzzleData& p);
int BoxHeight(const TPuzzleData& p);

// The box of a cell, both ends inclusive and inside the grid.
struct TBoxBounds {
    int FirstCol = 0;
    int FirstRow = 0;
    int LastCol = 0;
    int LastRow = 0;
};
TBoxBounds BoxBounds(const TPuzzleData& p, int col, int row);

// The symbol of value occurs in no other cell of the row, the column and the
// box of (col, row). The cell's own entry is not looked at. False outside the grid.
bool SymbolAllowed(const TPuzzleData& p, int value, int col, int row);
// How many values 1..SymbolCount are allowed in the cell.
int CountAllowedSymbols(const TPuzzleData& p, int col, int row);
// out[v - 1] := SymbolAllowed(v) for v = 1..min(SymbolCount, out.size());
// further elements become false.
void ListAllowedSymbols(const TPuzzleData& p, int col, int row, std::span<bool> out);

} // namespace zx
