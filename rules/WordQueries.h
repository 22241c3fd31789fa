// Cell and word queries over the puzzle record: which words pass through a
// cell, where they start, what they read, which word record they belong to.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/PuzzleData.h"

namespace zx {

struct TProgramSettings;

// Bits of WordDirections.
enum : int { wbAcross = 2, wbDown = 4 };

// The grid window's input direction: none yet, across or down.
enum class TInputDir : std::uint8_t { None = 0, Across = 1, Down = 2 };
// The word direction an input direction reads: across, or down for any other.
constexpr TWordDir WordDirOf(TInputDir d) {
    return d == TInputDir::Across ? TWordDir::Across : TWordDir::Down;
}

// The word through one cell in one direction, as filled by GetWordData.
struct TGridWordData {
    // Letters in grid order, one character per cell (from the solution or from
    // the entries, an empty cell reading " "); reversed on request when the
    // word record says so.
    std::string Text;
    // One character per cell in grid order: the solution letter of a crossing
    // cell, "?" elsewhere. Never reversed.
    std::string Pattern;
    // Number of the word's first cell in grid order, without the sign that
    // hides it: a hidden number is still the word's number.
    std::int32_t Number = 0;
    std::int32_t Index = -1;   // word record (FindWord), -1 when none
    std::int32_t Length = 0;   // characters of Text
    std::int32_t Position = 0; // 1-based position of the queried cell in Text
    std::int32_t Col = 0;      // first cell of the word in grid order
    std::int32_t Row = 0;
    bool Reversed = false; // the word record's Reversed; false without a record
    TWordDir Direction = TWordDir::Across;
};

// A word number without the sign that hides it (Number < 0 hides the number
// of a cell or word record; look-ups use its value).
constexpr int PlainNumber(std::int32_t n) {
    return n >= 0 ? n : (n == INT32_MIN ? 0 : -n);
}

// Columns and rows in use, never more than the arrays hold (files may say more).
inline int UsedCols(const TPuzzleData& p) {
    return std::min<int>(p.ColCount, MaxGridSize);
}
inline int UsedRows(const TPuzzleData& p) {
    return std::min<int>(p.RowCount, MaxGridSize);
}
// 1 <= col <= UsedCols, 1 <= row <= UsedRows.
inline bool InsideGrid(const TPuzzleData& p, int col, int row) {
    return col >= 1 && row >= 1 && col <= UsedCols(p) && row <= UsedRows(p);
}
// The flags of (col, row); positions beyond the record's arrays count as
// blocks, as the border cells do.
inline std::uint32_t FlagsAt(const TPuzzleData& p, int col, int row) {
    if (col < 0 || row < 0 || col >= GridDim || row >= GridDim) return cfBlock;
    return p.cell(col, row).Flags;
}
// The flag that ends a word for the player: in American crosswords the blank
// marks, since the real blocks are hidden; the blocks elsewhere.
constexpr std::uint32_t StopFlag(TPuzzleKind kind) {
    return IsAmerican(kind) ? cfBlank : cfBlock;
}
// A block for the word queries: a cfBlock cell, or any position outside the
// grid in use (stored puzzles mark their border cells as blocks anyway).
inline bool IsBlock(const TPuzzleData& p, int col, int row) {
    return !InsideGrid(p, col, row) || (p.cell(col, row).Flags & cfBlock) != 0;
}
// An entry holding no character: " " or, in damaged files, length 0.
inline bool IsEmptyEntry(const PuzzleEntry& e) {
    return e.empty() || e.Chars[0] == ' ';
}

// 2 when an across word passes through the cell, 4 when a down word does (by
// the neighbours only); 0 for Sudoku types.
int WordDirections(const TPuzzleData& p, int col, int row);

// The word through (col, row) in that direction. reverse: read a reversed
// word in the order of its Answer. useEntries: letters from the player's
// entries instead of the solution. Positions outside the grid give an empty
// word without a record.
void GetWordData(const TPuzzleData& p, int col, int row, TGridWordData& out, bool reverse,
                 bool useEntries, TWordDir direction);
TGridWordData GetWordData(const TPuzzleData& p, int col, int row, bool reverse, bool useEntries,
                          TWordDir direction);

// Moves (col, row) to the cell after the nearest block at or before it, in
// that direction. Positions outside the grid become (0, 0).
void WordStart(const TPuzzleData& p, int& col, int& row, TWordDir direction);
// Number of the word starting at WordStart of (col, row) in that direction
// (PlainNumber); 0 when no word of that direction starts there.
int WordNumberAt(const TPuzzleData& p, int col, int row, TWordDir direction);

// First cell in column-major order carrying the number, hidden or not; false
// and (-1, -1) when none.
bool FindCellByNumber(const TPuzzleData& p, int number, int& col, int& row);
// Last word record in use with that number (hidden or not) and direction;
// -1 when none. A
// record whose direction byte is neither wdDown nor wdAcross matches neither.
int FindWord(const TPuzzleData& p, int number, TWordDir direction);
// Last word record in use whose Answer equals text exactly, of that direction; -1 when none.
int FindWordByText(const TPuzzleData& p, std::string_view text, TWordDir direction);
std::string ClueOf(const TPuzzleData& p, int number, TWordDir direction);
int WordLength(const TPuzzleData& p, int number, TWordDir direction);
// The clues of the words that start in grid row line (across) or column line
// (down), joined by "  |  ", without separators at the ends: what French and
// American crosswords list for a line.
std::string LineClues(const TPuzzleData& p, int line, bool across);
// cfBlock cells of column index (rowFlag false) or of row index (rowFlag true).
int CountBlocks(const TPuzzleData& p, int index, bool rowFlag);
// Number puzzles: code table index (0..25) of the first character of text; -1 when none.
int CodeOfLetter(const TPuzzleData& p, std::string_view text);
// Some cell of the grid has exactly the one-character solution c.
bool LetterInGrid(const TPuzzleData& p, char c);
// Whether every cell of the word through (col, row) is filled (FehlerZeigen
// off) or filled correctly (FehlerZeigen on); number receives the Number of
// the word's first cell.
bool WordIsFilled(const TPuzzleData& p, int col, int row, int& number, TWordDir direction,
                  const TProgramSettings& settings);
// Whether the player's entries spell the Answer of word record index in its slot.
bool WordSolved(const TPuzzleData& p, int index);

// "A".."Z" kept, Ä Ö Ü ß written as AE OE UE SS, everything else dropped.
std::string FoldUmlauts(std::string_view text);
// Upper case by the Windows ANSI rule, then FoldUmlauts: a typed word in the
// form of the stored answers ("Straße" -> "STRASSE").
std::string NormalizeWord(std::string_view text);
std::string ReverseText(std::string_view text);

// The word through the cursor (col, row) as the player sees it: across for an
// input direction other than down, bounded by the player's stop flag (the
// blank marks in American crosswords, else the blocks); letters from the
// entries (" " for an empty cell) or from the solution.
std::string CurrentWordText(const TPuzzleData& p, int col, int row, TInputDir direction,
                            bool fromEntries);
// The number of the clue of the word through (col, row) in a direction: the
// Number of the cell after the nearest block before it; 0 when the cell holds
// no letter.
int ClueNumberAtCursor(const TPuzzleData& p, int col, int row, TInputDir direction);
// Each letter that follows a letter in lower case, every other character in
// upper case (Windows-1252; umlauts and ß count as letters): KUERBIS -> Kuerbis.
std::string TitleCase(std::string_view text);

} // namespace zx
