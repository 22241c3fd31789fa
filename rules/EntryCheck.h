// Storing a player's entry together with its verdict in the error grid.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/PuzzleData.h"

namespace zx {

// Stores the first character of text, upper-cased by the plain ASCII rule, as
// the entry of (col, row) (" " for an empty text) and records its verdict in
// errors: evEmpty, evAccepted or evWrong. In crossword types a letter is
// accepted when, with the solution letters of the other cells, it spells a
// listed word of the slot that is not already placed elsewhere. Positions
// outside the record's arrays are ignored.
void SetEntry(TPuzzleData& p, TErrorGrid& errors, int col, int row, std::string_view text);

// The verdict SetEntry gives the entry (col, row) currently holds.
std::uint8_t JudgeEntry(const TPuzzleData& p, int col, int row);

// Clears errors and passes every entry of the grid through SetEntry with its
// own value, e.g. after the record was loaded or replaced wholesale.
void RebuildErrorGrid(TPuzzleData& p, TErrorGrid& errors);

} // namespace zx
