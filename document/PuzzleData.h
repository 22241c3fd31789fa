// The puzzle record: one complete puzzle with the player's progress, laid out
// byte for byte as it is stored in puzzle files and player containers.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little,
              "the record is read and written as a little-endian byte image");

namespace zx {

// Length-prefixed Windows-1252 string of fixed capacity N (N + 1 bytes).
// The length byte comes from files and may exceed N: every accessor clamps it.
template <std::size_t N> struct ShortString {
    std::uint8_t Len;
    char Chars[N];

    static constexpr std::size_t Capacity = N;

    std::size_t size() const { return std::min<std::size_t>(Len, N); }
    bool empty() const { return size() == 0; }
    std::string_view view() const { return std::string_view(Chars, size()); }
    std::string str() const { return std::string(view()); }
    // Character at 1-based position i, or 0 when i is beyond the length.
    char at(std::size_t i) const { return (i >= 1 && i <= size()) ? Chars[i - 1] : '\0'; }
    // Stores s, cut to the capacity; unused slots are zeroed as in stored files.
    void assign(std::string_view s) {
        const std::size_t n = std::min(s.size(), N);
        Len = static_cast<std::uint8_t>(n);
        std::memset(Chars, 0, N);
        if (n) std::memcpy(Chars, s.data(), n);
    }
    void clear() { assign({}); }
};

inline constexpr int GridDim = 52;        // cells per array side, border included
inline constexpr int MaxGridSize = 50;    // largest RowCount / ColCount
inline constexpr int ErrorGridDim = 51;   // error grid side (indices 0..50)
inline constexpr int MaxWords = 201;      // word records
inline constexpr int CodeTableSize = 26;  // code table of number puzzles: records 0..25
inline constexpr int MaxPuzzleType = 15;
inline constexpr int MaxLevel = 3;
inline constexpr int MaxSudokuSymbols = 12;
inline constexpr int MinSudokuSymbols = 4;

// Cell flag bits.
enum : std::uint32_t {
    cfBlock = 1,
    cfLetter = 2,
    cfSolution = 4,
    cfMarked = 8,
    cfBlank = 16,
};

// Help options the puzzle's author allows (bits of HelpOptions).
enum : std::uint8_t {
    hoMarkErrors = 1,
    hoInsertLetter = 2,
    hoShowSolution = 4,
    hoEditPuzzle = 64,
};

// Word directions as stored in word records.
enum : std::uint8_t { wdDown = 0, wdAcross = 1 };

// The direction of a word, typed; the values are the bytes word records store.
enum class TWordDir : std::uint8_t { Down = 0, Across = 1 };

// The puzzle kinds; the values are the type codes the record stores (13 is unused).
enum class TPuzzleKind : std::uint8_t {
    Swedish = 0,
    SwedishWithSolution = 1,
    Number = 2,
    NumberWithSolution = 3,
    FillIn = 4,
    FillInWithSolution = 5,
    BrainTeaser = 6,
    BrainTeaserWithSolution = 7,
    French = 8,
    FrenchWithSolution = 9,
    American = 10,
    AmericanWithSolution = 11,
    Jigsaw = 12,
    Sudoku = 14,
    TimedSudoku = 15,
};

struct TPuzzleCell {
    ShortString<3> Text;      // solution letter or Sudoku symbol; empty for blocks
    std::int32_t Number;      // word number starting here; 0 none; negative = hidden
    std::uint32_t Flags;      // cf* bits
    std::uint8_t AcrossStart; // 1 when an across word starts here
    std::uint8_t DownStart;   // 1 when a down word starts here
    std::uint8_t Reserved[2];
};

// The player's entry of one cell: " " when empty, else one upper-case character.
using PuzzleEntry = ShortString<1>;

struct TPuzzleWord {
    std::int32_t Number;
    std::int32_t Code;        // code table only: character code of the letter
    std::uint8_t Direction;   // wdDown or wdAcross
    std::uint8_t Reversed;    // 1 = written backwards in the grid
    std::uint8_t Done;        // 1 = ticked off in the legend
    ShortString<1> Guess;     // code table only: the player's letter, " " when none
    ShortString<15> Answer;   // upper case, umlauts as two letters
    ShortString<50> Clue;
};

// The record. Every non-byte field sits on its natural alignment, so the plain
// struct has exactly the stored layout; the asserts below pin every offset.
struct TPuzzleData {
    TPuzzleCell Cells[GridDim][GridDim];   // [col][row]
    PuzzleEntry Entries[GridDim][GridDim]; // [col][row]
    TPuzzleWord Words[MaxWords];
    ShortString<20> SolutionWord;
    ShortString<50> SolutionCaption;
    ShortString<20> CreatorVersion;
    ShortString<20> SolutionEntry;
    ShortString<8> Reserved8;
    ShortString<50> Author;
    ShortString<255> Title;
    ShortString<255> Comment;
    std::uint8_t PuzzleType;
    std::uint8_t RowCount;
    std::uint8_t ColCount;
    std::uint8_t WordCount;
    std::uint8_t Level;
    std::uint8_t Reserved65443;
    std::uint8_t HelpOptions;
    std::uint8_t Reserved65445;
    std::uint16_t ElapsedTime;
    std::uint16_t BestTime;
    std::uint8_t ReverseAllowed;
    std::uint8_t Solved;
    std::uint8_t ClockRunning;
    std::uint8_t Reserved65453[3];

    TPuzzleCell& cell(int col, int row) { return Cells[col][row]; }
    const TPuzzleCell& cell(int col, int row) const { return Cells[col][row]; }
    PuzzleEntry& entry(int col, int row) { return Entries[col][row]; }
    const PuzzleEntry& entry(int col, int row) const { return Entries[col][row]; }
    // Number of word records in use, never more than the array holds.
    int wordCount() const { return std::min<int>(WordCount, MaxWords); }
};

inline constexpr std::size_t PuzzleDataSize = 65456;

static_assert(sizeof(ShortString<1>) == 2 && sizeof(ShortString<3>) == 4);
static_assert(sizeof(TPuzzleCell) == 16);
static_assert(offsetof(TPuzzleCell, Number) == 4 && offsetof(TPuzzleCell, Flags) == 8 &&
              offsetof(TPuzzleCell, AcrossStart) == 12 && offsetof(TPuzzleCell, DownStart) == 13);
static_assert(sizeof(TPuzzleWord) == 80);
static_assert(offsetof(TPuzzleWord, Code) == 4 && offsetof(TPuzzleWord, Direction) == 8 &&
              offsetof(TPuzzleWord, Reversed) == 9 && offsetof(TPuzzleWord, Done) == 10 &&
              offsetof(TPuzzleWord, Guess) == 11 && offsetof(TPuzzleWord, Answer) == 13 &&
              offsetof(TPuzzleWord, Clue) == 29);
static_assert(sizeof(TPuzzleData) == PuzzleDataSize);
static_assert(offsetof(TPuzzleData, Entries) == 43264);
static_assert(offsetof(TPuzzleData, Words) == 48672);
static_assert(offsetof(TPuzzleData, SolutionWord) == 64752);
static_assert(offsetof(TPuzzleData, SolutionCaption) == 64773);
static_assert(offsetof(TPuzzleData, CreatorVersion) == 64824);
static_assert(offsetof(TPuzzleData, SolutionEntry) == 64845);
static_assert(offsetof(TPuzzleData, Reserved8) == 64866);
static_assert(offsetof(TPuzzleData, Author) == 64875);
static_assert(offsetof(TPuzzleData, Title) == 64926);
static_assert(offsetof(TPuzzleData, Comment) == 65182);
static_assert(offsetof(TPuzzleData, PuzzleType) == 65438);
static_assert(offsetof(TPuzzleData, RowCount) == 65439);
static_assert(offsetof(TPuzzleData, ColCount) == 65440);
static_assert(offsetof(TPuzzleData, WordCount) == 65441);
static_assert(offsetof(TPuzzleData, Level) == 65442);
static_assert(offsetof(TPuzzleData, HelpOptions) == 65444);
static_assert(offsetof(TPuzzleData, ElapsedTime) == 65446);
static_assert(offsetof(TPuzzleData, BestTime) == 65448);
static_assert(offsetof(TPuzzleData, ReverseAllowed) == 65450);
static_assert(offsetof(TPuzzleData, Solved) == 65451);
static_assert(offsetof(TPuzzleData, ClockRunning) == 65452);

// Verdicts of the player's entries, one byte per cell (col, row), 0..50 each.
enum : std::uint8_t { evEmpty = 0, evAccepted = 1, evWrong = 255 };
struct TErrorGrid {
    std::uint8_t Verdicts[ErrorGridDim][ErrorGridDim]; // [col][row]

    static bool inside(int col, int row) {
        return col >= 0 && row >= 0 && col < ErrorGridDim && row < ErrorGridDim;
    }
    // Verdict of a cell; cells outside the grid count as empty.
    std::uint8_t get(int col, int row) const { return inside(col, row) ? Verdicts[col][row] : std::uint8_t{evEmpty}; }
    void set(int col, int row, std::uint8_t v) {
        if (inside(col, row)) Verdicts[col][row] = v;
    }
    void clear() { std::memset(Verdicts, 0, sizeof Verdicts); }
};

// Clear operations. The error grid is optional: where given, the verdicts of
// the cleared cells are reset as well.
void ClearCell(TPuzzleData& p, int col, int row, bool clearNumber);
void ClearWord(TPuzzleData& p, int index);
void ClearGrid(TPuzzleData& p, TErrorGrid* errors = nullptr);
void ClearPuzzle(TPuzzleData& p, TErrorGrid* errors = nullptr);

// Makes a record read from a file safe for every part of the program: length
// bytes are cut to their capacities, Level and WordCount to their ranges, a
// word number of INT32_MIN (which has no positive counterpart) to the next
// value up, and every border cell (row 0, column 0 and everything beyond
// RowCount / ColCount) gets cfBlock, since the word scans stop only at blocks.
// Returns false, leaving the record untouched, when the record cannot be played:
// a type code above 15 or the unused code 13, no rows or columns, more than 50
// rows or columns, or a Sudoku that is not square with 4 to 12 symbols.
bool RepairRecord(TPuzzleData& p);

// Display names of the puzzle kinds and the Sudoku levels 0..3 (Windows-1252).
// A type code without a kind and an out-of-range level give an empty name.
std::string PuzzleTypeName(TPuzzleKind kind);
std::string LevelName(int level);
// "Schwedenrätsel mit Lösungswort", "Sudoku (leicht)", ...: the type line used by
// the window caption and the puzzle information dialog.
std::string PuzzleTypeCaption(const TPuzzleData& p);

// Whether a stored type code names a puzzle kind: 0..15 except the unused 13.
constexpr bool IsKindCode(int code) {
    return code >= 0 && code <= MaxPuzzleType && code != 13;
}
// The record's kind. RepairRecord refuses type codes without a kind, so a
// record that was read always has one.
inline TPuzzleKind KindOf(const TPuzzleData& p) { return static_cast<TPuzzleKind>(p.PuzzleType); }
// The direction a word record stores. A damaged byte other than wdDown and
// wdAcross reads as down, as everywhere the player and the tool read it.
inline TWordDir DirOf(const TPuzzleWord& w) {
    return w.Direction == wdAcross ? TWordDir::Across : TWordDir::Down;
}

// Kind families.
constexpr int Code(TPuzzleKind k) { return static_cast<int>(k); }
// The word puzzles: every kind played against a list of words or clues.
constexpr bool IsCrossword(TPuzzleKind k) { return Code(k) < Code(TPuzzleKind::Jigsaw); }
constexpr bool HasSolutionWord(TPuzzleKind k) { return IsCrossword(k) && Code(k) % 2 == 1; }
constexpr bool IsSwedish(TPuzzleKind k) { return Code(k) <= 1; }
constexpr bool IsSudoku(TPuzzleKind k) {
    return k == TPuzzleKind::Sudoku || k == TPuzzleKind::TimedSudoku;
}
constexpr bool IsNumberPuzzle(TPuzzleKind k) { return Code(k) == 2 || Code(k) == 3; }
constexpr bool IsFillIn(TPuzzleKind k) { return Code(k) == 4 || Code(k) == 5; }
constexpr bool IsBrainTeaser(TPuzzleKind k) { return Code(k) == 6 || Code(k) == 7; }
constexpr bool IsFrench(TPuzzleKind k) { return Code(k) == 8 || Code(k) == 9; }
constexpr bool IsAmerican(TPuzzleKind k) { return Code(k) == 10 || Code(k) == 11; }
constexpr bool IsJigsaw(TPuzzleKind k) { return k == TPuzzleKind::Jigsaw; }
// French and American crosswords number their rows and columns in header lines.
constexpr bool HasHeaderLines(TPuzzleKind k) { return IsFrench(k) || IsAmerican(k); }

} // namespace zx
