// Clear operations on the puzzle record and the display names of its codes.
#include "document/PuzzleData.h"

#include <limits>

namespace zx {

void ClearCell(TPuzzleData& p, int col, int row, bool clearNumber) {
    if (col < 0 || row < 0 || col >= GridDim || row >= GridDim) return;
    TPuzzleCell& c = p.Cells[col][row];
    c.Text.clear();
    c.Flags = 0;
    c.AcrossStart = 0;
    c.DownStart = 0;
    if (clearNumber) c.Number = 0;
}

void ClearWord(TPuzzleData& p, int index) {
    if (index < 0 || index >= MaxWords) return;
    TPuzzleWord& w = p.Words[index];
    w.Number = 0;
    w.Code = 0;
    w.Direction = wdAcross;
    w.Reversed = 0;
    w.Done = 0;
    w.Guess.assign(" ");
    w.Answer.clear();
    w.Clue.clear();
}

void ClearGrid(TPuzzleData& p, TErrorGrid* errors) {
    for (int col = 0; col < GridDim; ++col)
        for (int row = 0; row < GridDim; ++row) {
            ClearCell(p, col, row, true);
            p.Entries[col][row].assign(" ");
            // The error grid is one cell narrower than the record's arrays.
            if (errors) errors->set(col, row, evEmpty);
        }
    for (int i = 0; i < MaxWords; ++i) ClearWord(p, i);
    p.WordCount = 0;
    p.ElapsedTime = 0;
    p.BestTime = 0;
    p.ClockRunning = 1;
    p.Solved = 0;
}

void ClearPuzzle(TPuzzleData& p, TErrorGrid* errors) {
    ClearGrid(p, errors);
    p.SolutionWord.clear();
    p.SolutionCaption.clear();
    p.CreatorVersion.clear();
    p.SolutionEntry.clear();
    p.Reserved8.clear();
    p.Author.clear();
    p.Title.clear();
    p.Comment.clear();
    p.PuzzleType = static_cast<std::uint8_t>(TPuzzleKind::Swedish);
    p.ColCount = 5;
    p.RowCount = 5;
    p.Level = 0;
    p.Reserved65443 = 0;
    p.HelpOptions = 255;
    p.ReverseAllowed = 0;
}

namespace {

template <std::size_t N> void ClampLength(ShortString<N>& s) {
    if (s.Len > N) s.Len = static_cast<std::uint8_t>(N);
}

bool Playable(const TPuzzleData& p) {
    if (!IsKindCode(p.PuzzleType)) return false;
    if (p.RowCount < 1 || p.RowCount > MaxGridSize) return false;
    if (p.ColCount < 1 || p.ColCount > MaxGridSize) return false;
    // The Sudoku rule needs one symbol per column and boxes that tile the grid.
    if (IsSudoku(KindOf(p)) && (p.ColCount < MinSudokuSymbols || p.ColCount > MaxSudokuSymbols ||
                                p.RowCount != p.ColCount))
        return false;
    return true;
}

} // namespace

bool RepairRecord(TPuzzleData& p) {
    if (!Playable(p)) return false;
    for (int col = 0; col < GridDim; ++col)
        for (int row = 0; row < GridDim; ++row) {
            TPuzzleCell& c = p.Cells[col][row];
            ClampLength(c.Text);
            ClampLength(p.Entries[col][row]);
            if (c.Number == std::numeric_limits<std::int32_t>::min()) ++c.Number;
            if (col == 0 || row == 0 || col > p.ColCount || row > p.RowCount) c.Flags |= cfBlock;
        }
    for (TPuzzleWord& w : p.Words) {
        ClampLength(w.Guess);
        ClampLength(w.Answer);
        ClampLength(w.Clue);
        if (w.Number == std::numeric_limits<std::int32_t>::min()) ++w.Number;
    }
    ClampLength(p.SolutionWord);
    ClampLength(p.SolutionCaption);
    ClampLength(p.CreatorVersion);
    ClampLength(p.SolutionEntry);
    ClampLength(p.Reserved8);
    ClampLength(p.Author);
    ClampLength(p.Title);
    ClampLength(p.Comment);
    if (p.Level > MaxLevel) p.Level = MaxLevel;
    if (p.WordCount > MaxWords) p.WordCount = MaxWords;
    return true;
}

std::string PuzzleTypeName(TPuzzleKind kind) {
    static const char* const names[16] = {
        "Schwedenr\xE4tsel",       "Schwedenr\xE4tsel",       "Zahlenr\xE4tsel",
        "Zahlenr\xE4tsel",         "F\xFCllr\xE4tsel",        "F\xFCllr\xE4tsel",
        "Knobelgitter",            "Knobelgitter",            "Franz\xF6sisches R\xE4tsel",
        "Franz\xF6sisches R\xE4tsel", "Amerikanisches R\xE4tsel", "Amerikanisches R\xE4tsel",
        "Kreuzwortpuzzle",         "",                        "Sudoku",
        "Sudoku auf Zeit"};
    const int code = Code(kind);
    return code <= MaxPuzzleType ? names[code] : std::string();
}

std::string LevelName(int level) {
    static const char* const names[4] = {"leicht", "mittelschwer", "schwer", "sehr schwer"};
    return (level >= 0 && level <= MaxLevel) ? names[level] : std::string();
}

std::string PuzzleTypeCaption(const TPuzzleData& p) {
    const TPuzzleKind kind = KindOf(p);
    std::string s = PuzzleTypeName(kind);
    if (IsSudoku(kind))
        s += " (" + LevelName(p.Level) + ")";
    else if (HasSolutionWord(kind))
        s += " mit L\xF6sungswort";
    return s;
}

} // namespace zx
