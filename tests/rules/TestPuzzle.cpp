// Readable fixtures for the rule tests.
#include "TestPuzzle.h"

#include <cctype>

namespace zx::test {

namespace {

// Cells from rows of characters; cellOf sets up one cell from its character.
template <typename F>
TTestPuzzle Build(TPuzzleKind kind, std::initializer_list<std::string_view> rows, F cellOf) {
    TTestPuzzle t;
    TPuzzleData& p = t.p();
    ClearPuzzle(p);
    p.PuzzleType = static_cast<std::uint8_t>(kind);
    p.RowCount = static_cast<std::uint8_t>(rows.size());
    p.ColCount = static_cast<std::uint8_t>(rows.begin()->size());
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r)
            if (!InsideGrid(p, c, r)) p.cell(c, r).Flags = cfBlock;
    int r = 1;
    for (std::string_view line : rows) {
        for (std::size_t c = 0; c < line.size(); ++c)
            cellOf(p.cell(static_cast<int>(c) + 1, r), line[c]);
        ++r;
    }
    return t;
}

} // namespace

TResultMessage TTestPuzzle::fillSolution() {
    TResultMessage last = TResultMessage::None;
    for (int c = 1; c <= p().ColCount; ++c)
        for (int r = 1; r <= p().RowCount; ++r)
            if (p().cell(c, r).Flags & cfLetter) {
                type(c, r, p().cell(c, r).Text.view());
                last = check();
            }
    return last;
}

TTestPuzzle MakeCrossword(TPuzzleKind kind, std::initializer_list<std::string_view> rows) {
    TTestPuzzle t = Build(kind, rows, [](TPuzzleCell& cell, char ch) {
        if (ch == '#') return void(cell.Flags = cfBlock);
        const char up = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        cell.Text.assign(std::string_view(&up, 1));
        cell.Flags = cfLetter | (ch != up ? cfSolution : 0u);
    });
    TPuzzleData& p = t.p();
    int number = 0;
    for (int row = 1; row <= p.RowCount; ++row)
        for (int col = 1; col <= p.ColCount; ++col) {
            if (IsBlock(p, col, row)) continue;
            TPuzzleCell& cell = p.cell(col, row);
            cell.AcrossStart = IsBlock(p, col - 1, row) && !IsBlock(p, col + 1, row);
            cell.DownStart = IsBlock(p, col, row - 1) && !IsBlock(p, col, row + 1);
            if (!cell.AcrossStart && !cell.DownStart) continue;
            cell.Number = ++number;
            if (cell.AcrossStart)
                AddWord(p, number, TWordDir::Across,
                        GetWordData(p, col, row, false, false, TWordDir::Across).Text);
            if (cell.DownStart)
                AddWord(p, number, TWordDir::Down,
                        GetWordData(p, col, row, false, false, TWordDir::Down).Text);
        }
    return t;
}

TTestPuzzle MakeSudoku(TPuzzleKind kind, std::initializer_list<std::string_view> rows) {
    return Build(kind, rows,
                 [](TPuzzleCell& cell, char ch) { cell.Text.assign(std::string_view(&ch, 1)); });
}

void EnterRows(TTestPuzzle& t, std::initializer_list<std::string_view> rows) {
    int r = 1;
    for (std::string_view line : rows) {
        for (std::size_t c = 0; c < line.size(); ++c)
            if (line[c] != '.') t.type(static_cast<int>(c) + 1, r, line.substr(c, 1));
        ++r;
    }
}

int AddWord(TPuzzleData& p, int number, TWordDir direction, std::string_view answer) {
    const int i = p.WordCount++;
    ClearWord(p, i);
    p.Words[i].Number = number;
    p.Words[i].Direction = static_cast<std::uint8_t>(direction);
    p.Words[i].Answer.assign(answer);
    return i;
}

void MakeReversed(TPuzzleData& p, int number, TWordDir direction) {
    TPuzzleWord& w = p.Words[FindWord(p, number, direction)];
    w.Reversed = 1;
    w.Answer.assign(ReverseText(w.Answer.view()));
}

} // namespace zx::test
