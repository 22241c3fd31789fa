// The Sudoku rule and the candidate symbols of a cell.
#include "rules/SudokuRule.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "rules/WordQueries.h"

namespace zx {

namespace {

// Value of an entry that is exactly one upper-case hexadecimal digit (what
// SymbolText writes for 0..15); -1 otherwise, since the rule compares texts.
int DigitOfEntry(const PuzzleEntry& e) {
    if (e.size() != 1) return -1;
    const char ch = e.Chars[0];
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// Which single-digit symbols occur in the other cells of the row, the column
// and the box of (col, row), which must lie inside the grid.
std::array<bool, 16> UsedSymbols(const TPuzzleData& p, int col, int row) {
    std::array<bool, 16> used{};
    auto note = [&](int c, int r) {
        const int d = DigitOfEntry(p.entry(c, r));
        if (d >= 0) used[static_cast<std::size_t>(d)] = true;
    };
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    for (int c = 1; c <= cols; ++c)
        if (c != col) note(c, row);
    for (int r = 1; r <= rows; ++r)
        if (r != row) note(col, r);
    const TBoxBounds b = BoxBounds(p, col, row);
    for (int c = b.FirstCol; c <= b.LastCol; ++c)
        for (int r = b.FirstRow; r <= b.LastRow; ++r)
            if (c != col || r != row) note(c, r);
    return used;
}

} // namespace

std::string SymbolText(int value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    auto v = static_cast<std::uint32_t>(value);
    std::string text;
    do {
        text.insert(text.begin(), digits[v % 16]);
        v /= 16;
    } while (v != 0);
    return text;
}

int SymbolValue(std::string_view text) {
    if (text.empty()) return 0;
    std::int64_t value = 0;
    for (const char ch : text) {
        int d;
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (ch >= 'A' && ch <= 'F')
            d = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else
            return 0;
        value = value * 16 + d;
        if (value > INT32_MAX) return 0;
    }
    return static_cast<int>(value);
}

int SymbolCount(const TPuzzleData& p) {
    return UsedCols(p);
}

int BoxWidth(const TPuzzleData& p) {
    const int n = SymbolCount(p);
    return std::max(1, n < 9 ? n / 2 : n / 3);
}

int BoxHeight(const TPuzzleData& p) {
    return std::max(1, UsedRows(p) / BoxWidth(p));
}

TBoxBounds BoxBounds(const TPuzzleData& p, int col, int row) {
    const int w = BoxWidth(p);
    const int h = BoxHeight(p);
    TBoxBounds b;
    if (!InsideGrid(p, col, row)) return b;
    b.FirstCol = ((col - 1) / w) * w + 1;
    b.FirstRow = ((row - 1) / h) * h + 1;
    // Grids that do not divide into whole boxes end their last box at the border.
    b.LastCol = std::min(b.FirstCol + w - 1, UsedCols(p));
    b.LastRow = std::min(b.FirstRow + h - 1, UsedRows(p));
    return b;
}

bool SymbolAllowed(const TPuzzleData& p, int value, int col, int row) {
    if (!InsideGrid(p, col, row)) return false;
    const std::string s = SymbolText(value);
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    for (int c = 1; c <= cols; ++c)
        if (c != col && p.entry(c, row).view() == s) return false;
    for (int r = 1; r <= rows; ++r)
        if (r != row && p.entry(col, r).view() == s) return false;
    const TBoxBounds b = BoxBounds(p, col, row);
    for (int c = b.FirstCol; c <= b.LastCol; ++c)
        for (int r = b.FirstRow; r <= b.LastRow; ++r)
            if ((c != col || r != row) && p.entry(c, r).view() == s) return false;
    return true;
}

int CountAllowedSymbols(const TPuzzleData& p, int col, int row) {
    if (!InsideGrid(p, col, row)) return 0;
    const std::array<bool, 16> used = UsedSymbols(p, col, row);
    const int n = SymbolCount(p);
    int count = 0;
    for (int v = 1; v <= n; ++v)
        if (v >= 16 || !used[static_cast<std::size_t>(v)]) ++count;
    return count;
}

void ListAllowedSymbols(const TPuzzleData& p, int col, int row, std::span<bool> out) {
    std::fill(out.begin(), out.end(), false);
    if (!InsideGrid(p, col, row)) return;
    const std::array<bool, 16> used = UsedSymbols(p, col, row);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(SymbolCount(p)), out.size());
    for (std::size_t v = 1; v <= n; ++v)
        out[v - 1] = v >= 16 || !used[v];
}

} // namespace zx
