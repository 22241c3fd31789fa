// Cell and word queries over the puzzle record.
#include "rules/WordQueries.h"

#include "document/Settings.h"
#include "document/Text.h"

namespace zx {

namespace {

// One character per cell, so that positions in a word text match its cells
// even where a damaged file holds an empty text.
char FirstChar(std::string_view s, char otherwise) {
    return s.empty() ? otherwise : s.front();
}

bool InsideArrays(int col, int row) {
    return col >= 0 && row >= 0 && col < GridDim && row < GridDim;
}

} // namespace

int WordDirections(const TPuzzleData& p, int col, int row) {
    if (IsSudoku(KindOf(p))) return 0;
    int bits = 0;
    if (!IsBlock(p, col - 1, row) || !IsBlock(p, col + 1, row)) bits |= wbAcross;
    if (!IsBlock(p, col, row - 1) || !IsBlock(p, col, row + 1)) bits |= wbDown;
    return bits;
}

void GetWordData(const TPuzzleData& p, int col, int row, TGridWordData& out, bool reverse,
                 bool useEntries, TWordDir direction) {
    const bool across = direction == TWordDir::Across;
    out.Text.clear();
    out.Pattern.clear();
    out.Direction = direction;
    if (!InsideArrays(col, row)) {
        out.Number = 0;
        out.Index = -1;
        out.Length = 0;
        out.Position = 0;
        out.Col = col;
        out.Row = row;
        out.Reversed = false;
        return;
    }
    const int dc = across ? 1 : 0;
    const int dr = across ? 0 : 1;
    int c = col;
    int r = row;
    while (!IsBlock(p, c - dc, r - dr)) {
        c -= dc;
        r -= dr;
    }
    out.Col = c;
    out.Row = r;
    out.Position = across ? col - c + 1 : row - r + 1;
    out.Number = PlainNumber(p.cell(c, r).Number);
    out.Index = FindWord(p, out.Number, out.Direction);
    for (; !IsBlock(p, c, r); c += dc, r += dr) {
        const TPuzzleCell& cell = p.cell(c, r);
        const int dirs = WordDirections(p, c, r);
        out.Pattern +=
            (dirs & wbAcross) && (dirs & wbDown) ? FirstChar(cell.Text.view(), '?') : '?';
        out.Text +=
            useEntries ? FirstChar(p.entry(c, r).view(), ' ') : FirstChar(cell.Text.view(), ' ');
    }
    out.Length = static_cast<std::int32_t>(out.Text.size());
    out.Reversed = out.Index >= 0 && p.Words[out.Index].Reversed != 0;
    if (reverse && out.Reversed) {
        out.Text = ReverseText(out.Text);
        out.Position = out.Length - out.Position + 1;
    }
}

TGridWordData GetWordData(const TPuzzleData& p, int col, int row, bool reverse, bool useEntries,
                          TWordDir direction) {
    TGridWordData w;
    GetWordData(p, col, row, w, reverse, useEntries, direction);
    return w;
}

void WordStart(const TPuzzleData& p, int& col, int& row, TWordDir direction) {
    if (!InsideGrid(p, col, row)) {
        col = 0;
        row = 0;
        return;
    }
    if (direction == TWordDir::Across) {
        int c = col;
        while (!IsBlock(p, c, row))
            --c;
        col = c + 1;
    } else {
        int r = row;
        while (!IsBlock(p, col, r))
            --r;
        row = r + 1;
    }
}

int WordNumberAt(const TPuzzleData& p, int col, int row, TWordDir direction) {
    WordStart(p, col, row, direction);
    // A block cell's own start lies one beyond it, possibly past the grid.
    if (!InsideGrid(p, col, row)) return 0;
    const TPuzzleCell& cell = p.cell(col, row);
    return (direction == TWordDir::Across ? cell.AcrossStart : cell.DownStart)
               ? PlainNumber(cell.Number)
               : 0;
}

bool FindCellByNumber(const TPuzzleData& p, int number, int& col, int& row) {
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    const int wanted = PlainNumber(number);
    for (int c = 1; c <= cols; ++c)
        for (int r = 1; r <= rows; ++r)
            if (PlainNumber(p.cell(c, r).Number) == wanted) {
                col = c;
                row = r;
                return true;
            }
    col = -1;
    row = -1;
    return false;
}

int FindWord(const TPuzzleData& p, int number, TWordDir direction) {
    const auto stored = static_cast<std::uint8_t>(direction);
    const int wanted = PlainNumber(number);
    for (int i = p.wordCount() - 1; i >= 0; --i)
        if (PlainNumber(p.Words[i].Number) == wanted && p.Words[i].Direction == stored) return i;
    return -1;
}

int FindWordByText(const TPuzzleData& p, std::string_view text, TWordDir direction) {
    const auto stored = static_cast<std::uint8_t>(direction);
    for (int i = p.wordCount() - 1; i >= 0; --i)
        if (p.Words[i].Direction == stored && p.Words[i].Answer.view() == text) return i;
    return -1;
}

std::string ClueOf(const TPuzzleData& p, int number, TWordDir direction) {
    const int i = FindWord(p, number, direction);
    return i < 0 ? std::string() : p.Words[i].Clue.str();
}

int WordLength(const TPuzzleData& p, int number, TWordDir direction) {
    const int i = FindWord(p, number, direction);
    return i < 0 ? 0 : static_cast<int>(p.Words[i].Answer.size());
}

int CountBlocks(const TPuzzleData& p, int index, bool rowFlag) {
    if (index < 0 || index >= GridDim) return 0;
    int count = 0;
    const int n = rowFlag ? UsedCols(p) : UsedRows(p);
    for (int k = 1; k <= n; ++k) {
        const TPuzzleCell& cell = rowFlag ? p.cell(k, index) : p.cell(index, k);
        if (cell.Flags & cfBlock) ++count;
    }
    return count;
}

int CodeOfLetter(const TPuzzleData& p, std::string_view text) {
    if (text.empty()) return -1;
    const int code = static_cast<unsigned char>(text.front());
    for (int i = 0; i < CodeTableSize; ++i)
        if (p.Words[i].Code == code) return i;
    return -1;
}

bool LetterInGrid(const TPuzzleData& p, char c) {
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    const std::string_view one(&c, 1);
    for (int col = 1; col <= cols; ++col)
        for (int row = 1; row <= rows; ++row)
            if (p.cell(col, row).Text.view() == one) return true;
    return false;
}

bool WordIsFilled(const TPuzzleData& p, int col, int row, int& number, TWordDir direction,
                  const TProgramSettings& settings) {
    WordStart(p, col, row, direction);
    const bool across = direction == TWordDir::Across;
    number = InsideArrays(col, row) ? p.cell(col, row).Number : 0;
    const int dc = across ? 1 : 0;
    const int dr = across ? 0 : 1;
    for (int c = col, r = row; !IsBlock(p, c, r); c += dc, r += dr) {
        const PuzzleEntry& e = p.entry(c, r);
        if (settings.FehlerZeigen ? e.view() != p.cell(c, r).Text.view() : IsEmptyEntry(e))
            return false;
    }
    return true;
}

bool WordSolved(const TPuzzleData& p, int index) {
    if (index < 0 || index >= p.wordCount()) return false;
    const TPuzzleWord& w = p.Words[index];
    int col = 0;
    int row = 0;
    if (!FindCellByNumber(p, w.Number, col, row)) return false;
    TGridWordData data;
    GetWordData(p, col, row, data, true, true, DirOf(w));
    return data.Text == w.Answer.view();
}

std::string FoldUmlauts(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (const char ch : text) {
        switch (static_cast<unsigned char>(ch)) {
        case 0xC4:
            out += "AE";
            break; // Ä
        case 0xD6:
            out += "OE";
            break; // Ö
        case 0xDC:
            out += "UE";
            break; // Ü
        case 0xDF:
            out += "SS";
            break; // ß
        default:
            if (ch >= 'A' && ch <= 'Z') out += ch;
        }
    }
    return out;
}

std::string NormalizeWord(std::string_view text) {
    return FoldUmlauts(AnsiUpper(text));
}

std::string ReverseText(std::string_view text) {
    return std::string(text.rbegin(), text.rend());
}

namespace {

bool IsTitleLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == 0xC4 || c == 0xD6 ||
           c == 0xDC || c == 0xE4 || c == 0xF6 || c == 0xFC || c == 0xDF;
}

char LowerLetter(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || u == 0xC4 || u == 0xD6 || u == 0xDC)
        return static_cast<char>(u + 0x20);
    return c;
}

} // namespace

std::string CurrentWordText(const TPuzzleData& p, int col, int row, TInputDir direction,
                            bool fromEntries) {
    if (!InsideGrid(p, col, row)) return {};
    const std::uint32_t stop = StopFlag(KindOf(p));
    const bool across = direction != TInputDir::Down;
    const int dc = across ? 1 : 0;
    const int dr = across ? 0 : 1;
    int c = col;
    int r = row;
    while ((across ? c : r) >= 2 && !(FlagsAt(p, c - dc, r - dr) & stop)) {
        c -= dc;
        r -= dr;
    }
    std::string text;
    for (; InsideGrid(p, c, r) && !(FlagsAt(p, c, r) & stop); c += dc, r += dr) {
        const std::string_view letter =
            fromEntries ? p.entry(c, r).view() : p.cell(c, r).Text.view();
        text += letter.empty() ? ' ' : letter.front();
    }
    return text;
}

int ClueNumberAtCursor(const TPuzzleData& p, int col, int row, TInputDir direction) {
    if (!InsideGrid(p, col, row) || !(p.cell(col, row).Flags & cfLetter)) return 0;
    const bool down = direction == TInputDir::Down;
    int c = col;
    int r = row;
    while ((down ? r : c) > 0 && !(FlagsAt(p, c, r) & cfBlock)) {
        if (down)
            --r;
        else
            --c;
    }
    return down ? p.cell(c, r + 1).Number : p.cell(c + 1, r).Number;
}

std::string TitleCase(std::string_view text) {
    std::string out(text);
    bool afterLetter = false;
    for (char& ch : out) {
        ch = afterLetter ? LowerLetter(ch) : AnsiUpperChar(ch);
        afterLetter = IsTitleLetter(static_cast<unsigned char>(ch));
    }
    return out;
}

namespace {

std::string_view TrimChars(std::string_view s, std::string_view chars) {
    while (!s.empty() && chars.find(s.front()) != std::string_view::npos) s.remove_prefix(1);
    while (!s.empty() && chars.find(s.back()) != std::string_view::npos) s.remove_suffix(1);
    return s;
}

} // namespace

std::string LineClues(const TPuzzleData& p, int line, bool across) {
    std::string text;
    const int n = across ? UsedCols(p) : UsedRows(p);
    if (line < 0 || line >= GridDim) return text;
    for (int k = 1; k <= n; ++k) {
        const int number = PlainNumber(across ? p.cell(k, line).Number : p.cell(line, k).Number);
        if (number == 0) continue;
        const int index = FindWord(p, number, across ? TWordDir::Across : TWordDir::Down);
        if (index < 0) continue;
        text += p.Words[index].Clue.view();
        text += "  |  ";
    }
    std::string_view t = TrimChars(text, " ");
    t = TrimChars(t, "|");
    return std::string(TrimChars(t, " "));
}

} // namespace zx
