// Storing a player's entry and judging it.
#include "rules/EntryCheck.h"

#include <string>

#include "document/Text.h"
#include "rules/WordQueries.h"

namespace zx {

namespace {

// The word test of one direction: with the entry put into the slot's solution
// letters (in the order of the stored answers), the slot must spell a listed
// word of that direction that is either the slot's own word or not yet placed
// elsewhere. Every word of that text counts, so that an answer listed twice
// is judged the same whichever copy the player completes first.
bool WordTestPasses(const TPuzzleData& p, int col, int row, TWordDir direction, char entry) {
    TGridWordData slot;
    GetWordData(p, col, row, slot, true, false, direction);
    if (slot.Position < 1 || slot.Position > slot.Length) return false;
    std::string candidate = slot.Text;
    candidate[static_cast<std::size_t>(slot.Position - 1)] = entry;
    // Only records storing exactly this direction count, as in FindWord.
    const auto stored = static_cast<std::uint8_t>(direction);
    for (int i = p.wordCount() - 1; i >= 0; --i) {
        const TPuzzleWord& w = p.Words[i];
        if (w.Direction != stored || w.Answer.view() != candidate) continue;
        if (PlainNumber(w.Number) == slot.Number || !WordSolved(p, i)) return true;
    }
    return false;
}

} // namespace

std::uint8_t JudgeEntry(const TPuzzleData& p, int col, int row) {
    if (col < 0 || row < 0 || col >= GridDim || row >= GridDim) return evEmpty;
    const PuzzleEntry& e = p.entry(col, row);
    if (IsEmptyEntry(e)) return evEmpty;
    const char entry = e.Chars[0];
    const TPuzzleKind kind = KindOf(p);
    const TPuzzleCell& cell = p.cell(col, row);

    if (IsSudoku(kind)) return e.view() == cell.Text.view() ? evAccepted : evWrong;
    if (!IsCrossword(kind)) return evAccepted;

    // A letter typed into a hidden block of an American puzzle (the only block
    // that takes input) is never right: no word runs through a block.
    if (IsBlock(p, col, row)) return evWrong;
    std::uint8_t verdict = evAccepted;
    if (HasSolutionWord(kind) && (cell.Flags & cfSolution) && !cell.Text.empty() &&
        cell.Text.view() != e.view())
        verdict = evWrong;
    const int dirs = WordDirections(p, col, row);
    if ((dirs & wbAcross) && !WordTestPasses(p, col, row, TWordDir::Across, entry))
        verdict = evWrong;
    if ((dirs & wbDown) && !WordTestPasses(p, col, row, TWordDir::Down, entry)) verdict = evWrong;
    return verdict;
}

void SetEntry(TPuzzleData& p, TErrorGrid& errors, int col, int row, std::string_view text) {
    if (col < 0 || row < 0 || col >= GridDim || row >= GridDim) return;
    const char ch = text.empty() ? ' ' : AsciiUpperChar(text.front());
    p.entry(col, row).assign(std::string_view(&ch, 1));
    errors.set(col, row, JudgeEntry(p, col, row));
}

void RebuildErrorGrid(TPuzzleData& p, TErrorGrid& errors) {
    errors.clear();
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    for (int col = 1; col <= cols; ++col)
        for (int row = 1; row <= rows; ++row) {
            const std::string own = p.entry(col, row).str();
            SetEntry(p, errors, col, row, own);
        }
}

} // namespace zx
