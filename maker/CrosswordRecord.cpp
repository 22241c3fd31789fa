// Record derivation from a finished grid: cells, numbers, words, code table.
#include "maker/CrosswordRecord.h"

#include <utility>

namespace zx {
namespace {

char UpperLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void SetSize(TPuzzleData& p, const std::vector<std::string>& rows) {
    p.RowCount = static_cast<std::uint8_t>(rows.size());
    p.ColCount = static_cast<std::uint8_t>(rows.empty() ? 0 : rows.front().size());
}

} // namespace

void WriteCrosswordCells(TPuzzleData& p, const std::vector<std::string>& rows) {
    SetSize(p, rows);
    for (int r = 1; r <= p.RowCount; ++r)
        for (int c = 1; c <= p.ColCount; ++c) {
            TPuzzleCell& cell = p.cell(c, r);
            const char ch = rows[r - 1][c - 1];
            if (ch == '#') {
                cell.Flags = cfBlock;
                continue;
            }
            cell.Text.assign(std::string(1, UpperLetter(ch)));
            cell.Flags = cfLetter | ((ch >= 'a' && ch <= 'z') ? cfSolution : 0u);
        }
}

void WriteJigsawCells(TPuzzleData& p, const std::vector<std::string>& rows,
                      const std::vector<std::vector<bool>>& inWord) {
    SetSize(p, rows);
    for (int r = 1; r <= p.RowCount; ++r)
        for (int c = 1; c <= p.ColCount; ++c) {
            TPuzzleCell& cell = p.cell(c, r);
            const std::string l(1, UpperLetter(rows[r - 1][c - 1]));
            cell.Text.assign(l);
            if (inWord[r - 1][c - 1]) {
                cell.Flags = cfLetter;
            } else {
                cell.Flags = cfBlock;
                p.entry(c, r).assign(l);
            }
        }
}

void NumberWords(TPuzzleData& p, const std::vector<TRecordWord>& words, bool jigsaw) {
    const int cols = p.ColCount, rows = p.RowCount;
    std::vector<std::vector<int>> numbers(cols + 1, std::vector<int>(rows + 1, 0));
    std::vector<std::vector<bool>> hidden(cols + 1, std::vector<bool>(rows + 1, false));
    for (const TRecordWord& w : words) {
        numbers[w.Col][w.Row] = -1;
        if (w.Hidden || jigsaw) hidden[w.Col][w.Row] = true;
    }
    int next = 0;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            if (numbers[c][r]) numbers[c][r] = ++next;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const TRecordWord& w = words[i];
        const int n = numbers[w.Col][w.Row];
        const int stored = hidden[w.Col][w.Row] ? -n : n;
        TPuzzleCell& cell = p.cell(w.Col, w.Row);
        cell.Number = stored;
        (w.Dir == TWordDir::Across ? cell.AcrossStart : cell.DownStart) = 1;
        TPuzzleWord& rec = p.Words[i];
        rec.Number = jigsaw ? n : stored;
        rec.Direction = static_cast<std::uint8_t>(w.Dir);
        rec.Reversed = w.Reversed ? 1 : 0;
        rec.Answer.assign(w.Answer);
        rec.Clue.assign(w.Clue);
    }
    p.WordCount = static_cast<std::uint8_t>(words.size());
}

std::string ShuffledAlphabet(std::uint32_t seed) {
    std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 25; i > 0; --i) {
        seed = seed * 1664525u + 1013904223u;
        std::swap(letters[i], letters[(seed >> 8) % (i + 1)]);
    }
    return letters;
}

void WriteCodeTable(TPuzzleData& p, std::string_view letters) {
    for (int i = 0; i < CodeTableSize && i < static_cast<int>(letters.size()); ++i) {
        p.Words[i].Code = static_cast<unsigned char>(letters[i]);
        p.Words[i].Guess.assign(" ");
    }
}

void WriteBorderBlocks(TPuzzleData& p) {
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r)
            if (c == 0 || r == 0 || c > p.ColCount || r > p.RowCount) p.cell(c, r).Flags = cfBlock;
}

} // namespace zx
