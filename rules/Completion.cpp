// The completion check, its result messages and the formatting of times.
#include "rules/Completion.h"

#include <cstdio>

#include "document/Settings.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"

namespace zx {

namespace {

// Letters of Windows-1252: A-Z, a-z and the accented letters.
bool IsLetter(char ch) {
    const auto u = static_cast<unsigned char>(ch);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
    switch (u) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
        return true;
    default:
        return u >= 0xC0 && u != 0xD7 && u != 0xF7;
    }
}

struct TCheckState {
    bool Right = true;
    bool Complete = true;
};

void CheckCells(const TPuzzleData& p, const TErrorGrid& errors, TCheckState& s) {
    const TPuzzleKind kind = KindOf(p);
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    const int symbols = SymbolCount(p);
    for (int col = 1; col <= cols; ++col)
        for (int row = 1; row <= rows; ++row) {
            const std::uint32_t flags = p.cell(col, row).Flags;
            if (IsAmerican(kind) && ((flags & cfBlank) != 0) != ((flags & cfBlock) != 0))
                s.Right = false;
            if (IsJigsaw(kind)) {
                if (((flags & cfMarked) != 0) == ((flags & cfBlock) != 0)) s.Right = false;
                continue;
            }
            if (IsSudoku(kind)) {
                const PuzzleEntry& e = p.entry(col, row);
                if (IsEmptyEntry(e)) {
                    s.Right = false;
                    s.Complete = false;
                    continue;
                }
                // A symbol beyond the grid's range clashes with nothing, yet is never right.
                const int v = SymbolValue(e.view());
                if (v < 1 || v > symbols || !SymbolAllowed(p, v, col, row)) s.Right = false;
                continue;
            }
            if (flags & cfLetter) {
                const std::uint8_t verdict = errors.get(col, row);
                if (verdict == evEmpty) s.Complete = false;
                if (verdict != evAccepted) s.Right = false;
            }
        }
}

// Number puzzles: a letter assigned in the code table must be the right one.
// An unassigned number does not count against the player, whose grid was
// already found right cell by cell: the letters may have been typed into the
// grid directly instead of through the table.
void CheckCodeTable(const TPuzzleData& p, TCheckState& s) {
    for (int i = 0; i < CodeTableSize; ++i) {
        const TPuzzleWord& w = p.Words[i];
        if (w.Code <= 0 || w.Code > 255) continue;
        const char letter = static_cast<char>(w.Code);
        if (!LetterInGrid(p, letter)) continue;
        const bool assigned = !w.Guess.empty() && w.Guess.Chars[0] != ' ';
        if (assigned && w.Guess.view() != std::string_view(&letter, 1)) s.Right = false;
    }
}

// Solution word: the player's letters are read slot by slot, independent of
// the stored length. A slot holding no letter (a blank, or the zero bytes a
// file keeps beyond the length) is an untyped position.
void CheckSolutionWord(const TPuzzleData& p, TCheckState& s) {
    const std::size_t n = p.SolutionWord.size();
    for (std::size_t i = 0; i < n && i < p.SolutionEntry.Capacity; ++i) {
        const char typed = p.SolutionEntry.Chars[i];
        if (!IsLetter(typed)) {
            s.Complete = false;
            s.Right = false;
        } else if (typed != p.SolutionWord.Chars[i]) {
            s.Right = false;
        }
    }
}

} // namespace

std::string ResultMessageText(TResultMessage m) {
    switch (m) {
    case TResultMessage::SolvedBestTime:
        return "Sie haben das R\xE4tsel in Bestzeit gel\xF6st!";
    case TResultMessage::SolvedNotBeaten:
        return "Sie haben das R\xE4tsel gel\xF6st, allerdings konnten Sie die bisherige "
               "Bestzeit nicht unterbieten.";
    case TResultMessage::Solved:
        return "Sie haben das R\xE4tsel gel\xF6st!";
    case TResultMessage::FullButWrong:
        return "Das R\xE4tsel ist vollst\xE4ndig ausgef\xFCllt, aber nicht korrekt gel\xF6st!";
    case TResultMessage::None:
        break;
    }
    return {};
}

TResultForm ResultMessageForm(TResultMessage m) {
    switch (m) {
    case TResultMessage::None:
        return TResultForm::None;
    case TResultMessage::FullButWrong:
        return TResultForm::Failure;
    default:
        return TResultForm::Success;
    }
}

TCompletionResult CheckCompletion(TPuzzleData& p, const TErrorGrid& errors,
                                  const TProgramSettings& settings) {
    const TPuzzleKind kind = KindOf(p);
    TCheckState s;
    CheckCells(p, errors, s);
    if (IsNumberPuzzle(kind) && s.Right) CheckCodeTable(p, s);
    if (s.Right && HasSolutionWord(kind) && p.SolutionWord.view() != NoSolutionMarker &&
        !settings.LoesungswortVorgeben)
        CheckSolutionWord(p, s);

    TCompletionResult result;
    if (s.Right && !p.Solved) {
        p.Solved = 1;
        if (kind == TPuzzleKind::TimedSudoku) {
            p.ClockRunning = 0;
            if (p.BestTime == 0 || p.BestTime > p.ElapsedTime) {
                p.BestTime = p.ElapsedTime;
                result.Message = TResultMessage::SolvedBestTime;
            } else {
                result.Message = TResultMessage::SolvedNotBeaten;
            }
        } else {
            result.Message = TResultMessage::Solved;
        }
    } else if (!s.Right && s.Complete && IsCrossword(kind)) {
        result.Message = TResultMessage::FullButWrong;
    }
    return result;
}

std::string TimeText(int seconds, bool withUnit) {
    const auto t = static_cast<std::uint16_t>(seconds);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02u:%02u", static_cast<unsigned>(t / 60),
                  static_cast<unsigned>(t % 60));
    std::string text(buf);
    if (withUnit) text += " min.";
    return text;
}

} // namespace zx
