// The rows of the clue lists, computed from the record and the settings
// without a window, so that the legend window and its printed form read the
// same rows: the done mark in column 1, the sort order and the row look-ups.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zx {

// The hidden word index of a row that carries no word.
inline constexpr int NoWord = -1;
inline constexpr int LegendCols = 4;

// One row of a list: four texts (Windows-1252) and the word it stands for.
struct TLegendRow {
    std::array<std::string, LegendCols> Cells;
    int WordIndex = NoWord;
};
using TLegendRows = std::vector<TLegendRow>;

// Both lists; with one list shown, Down holds every word and Across keeps its
// single empty row.
struct TLegendContent {
    bool TwoLists = true;
    TLegendRows Across;
    TLegendRows Down;
    const TLegendRows& List(bool across) const { return across ? Across : Down; }
    TLegendRows& List(bool across) { return across ? Across : Down; }
};

// One row as the grid window reads it for a dropped word.
struct TLegendEntry {
    int WordIndex = NoWord;
    int LineNo = 0; // types 8 to 11: row or column number
    int Number = 0; // types 0, 1: the word number without the done sign
    int Count = 0;  // types 10, 11: block cells of the line
    std::string Word;
    std::string Clue;
};

// Separate across and down lists: always for Swedish, French and American
// crosswords, for the others only with EinfacheLegende off.
bool TwoListsShown(TPuzzleKind kind, const TProgramSettings& settings);
// Whether words of a direction stand in the across list.
inline bool InAcrossList(TWordDir direction, bool twoLists) {
    return twoLists && direction == TWordDir::Across;
}
// Types 8 to 11: the rows name grid lines, not words.
bool LinesListed(TPuzzleKind kind);
// Screen widths of columns 0 and 1 for a kind; column 2 takes the rest.
int LegendColWidth(TPuzzleKind kind, int col);

// Reads a decimal integer (optional sign, digits only, int range).
bool ReadDecimal(std::string_view text, int& value);
// |n| of a number text, "-" in front when done; other texts unchanged.
std::string DoneText(std::string_view text, bool done);
// A number text below zero (a ticked word).
bool IsDoneText(std::string_view text);
// The word number a row's column 1 names: its value without the done sign, 0
// when it is no number.
int RowNumber(std::string_view text);
// Numbers padded to three digits without sign, other texts as they are.
std::string SortKey(std::string_view text);

// Both lists from the record: rows, sort order, at least one row each.
TLegendContent BuildLegend(const TPuzzleData& puzzle, const TProgramSettings& settings);
// Exchange sort by one column; equal keys end where this loop puts them.
void SortLegendList(TLegendRows& rows, int column, bool ascending);
// Removes a row; the last row of a list is emptied instead.
void DeleteLegendRow(TLegendRows& rows, int row);
// First row that carries the word; -1 when none.
int FindRowOfWord(const TLegendRows& rows, int wordIndex);
// First row of a word with |number|, that direction and, unless length < 0,
// an answer of that many letters; -1 when none.
int FindLegendRow(const TPuzzleData& puzzle, const TLegendContent& content, int number,
                  TWordDir direction, int length);
TLegendEntry ReadLegendRow(const TPuzzleData& puzzle, const TLegendRows& rows, int row);

} // namespace zx
