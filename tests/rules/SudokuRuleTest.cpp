// The Sudoku rule: symbols, boxes and candidate symbols.
#include <gtest/gtest.h>

#include "TestPuzzle.h"

namespace zx::test {
namespace {

TTestPuzzle EmptySudoku(int n) {
    TTestPuzzle t = MakeSudoku(TPuzzleKind::Sudoku, {"1"});
    t.p().ColCount = t.p().RowCount = static_cast<std::uint8_t>(n);
    return t;
}

TEST(Symbols, TextAndValue) {
    struct Row {
        int value;
        const char* text;
    } rows[] = {{1, "1"}, {9, "9"}, {10, "A"}, {12, "C"}, {26, "1A"}};
    for (const Row& r : rows) {
        EXPECT_EQ(SymbolText(r.value), r.text);
        EXPECT_EQ(SymbolValue(r.text), r.value);
    }
    for (const char* bad : {"", " ", "G", "1 ", "-1", "123456789"})
        EXPECT_EQ(SymbolValue(bad), 0) << bad;
    EXPECT_EQ(SymbolValue("a"), 10);
}

TEST(BoxBounds, BoxSizesByGridSize) {
    struct Row {
        int n, width, height;
    } rows[] = {{4, 2, 2}, {6, 3, 2}, {8, 4, 2}, {9, 3, 3}, {12, 4, 3}};
    for (const Row& r : rows) {
        TTestPuzzle t = EmptySudoku(r.n);
        const TBoxBounds b = BoxBounds(t.p(), r.n, r.n);
        EXPECT_EQ(b.LastCol - b.FirstCol + 1, r.width) << r.n;
        EXPECT_EQ(b.LastRow - b.FirstRow + 1, r.height) << r.n;
        EXPECT_EQ(b.LastCol, r.n);
        EXPECT_EQ(b.LastRow, r.n);
    }
    TTestPuzzle six = EmptySudoku(6);
    six.type(1, 1, "5");
    EXPECT_FALSE(SymbolAllowed(six.p(), 5, 3, 2)) << "same box";
    EXPECT_TRUE(SymbolAllowed(six.p(), 5, 4, 2)) << "next box";
}

TEST(BoxBounds, DegenerateGridsAndOutsidePositions) {
    struct Row {
        int cols, rows;
    } sizes[] = {{0, 0}, {1, 1}, {4, 1}, {1, 9}, {50, 50}, {255, 255}};
    for (const Row& s : sizes) {
        TTestPuzzle t = EmptySudoku(1);
        t.p().ColCount = static_cast<std::uint8_t>(s.cols);
        t.p().RowCount = static_cast<std::uint8_t>(s.rows);
        bool list[64];
        for (auto [c, r] : {std::pair{1, 1}, {0, 0}, {-5, 2}, {50, 50}, {51, 51}, {999, 3}}) {
            const bool inside = InsideGrid(t.p(), c, r);
            EXPECT_EQ(SymbolAllowed(t.p(), 1, c, r), inside) << s.cols << "x" << s.rows;
            EXPECT_EQ(CountAllowedSymbols(t.p(), c, r), inside ? SymbolCount(t.p()) : 0);
            ListAllowedSymbols(t.p(), c, r, list);
            EXPECT_EQ(list[0], inside && s.cols >= 1);
        }
        EXPECT_GE(BoxWidth(t.p()), 1);
        EXPECT_GE(BoxHeight(t.p()), 1);
    }
}

TEST(SymbolAllowed, RowColumnAndBoxButNotTheCellItself) {
    TTestPuzzle t = EmptySudoku(9);
    EXPECT_EQ(CountAllowedSymbols(t.p(), 5, 5), 9);
    t.type(9, 1, "3");
    t.type(1, 9, "4");
    t.type(3, 3, "5");
    t.type(1, 1, "7");
    struct Row {
        int value;
        bool allowed;
    } rows[] = {{3, false}, {4, false}, {5, false}, {7, true}};
    for (const Row& r : rows)
        EXPECT_EQ(SymbolAllowed(t.p(), r.value, 1, 1), r.allowed) << r.value;
    EXPECT_EQ(CountAllowedSymbols(t.p(), 1, 1), 6);
}

TEST(ListAllowedSymbols, AgreesWithTheRuleEverywhere) {
    TTestPuzzle t = EmptySudoku(12);
    EnterRows(t, {"1..A....C...", "..B..3......", "....9.......", "C.......a..1", "...........2",
                  ".5....7.....", "", "......B.....", "A...........", "....4.......", "",
                  "......1..."});
    t.p().entry(6, 7).assign("a"); // only exact symbols clash
    bool list[MaxSudokuSymbols + 2];
    for (int c = 1; c <= 12; ++c)
        for (int r = 1; r <= 12; ++r) {
            ListAllowedSymbols(t.p(), c, r, list);
            int count = 0;
            for (int v = 1; v <= 12; ++v) {
                EXPECT_EQ(list[v - 1], SymbolAllowed(t.p(), v, c, r)) << c << "," << r << " " << v;
                count += list[v - 1];
            }
            EXPECT_FALSE(list[12]);
            EXPECT_EQ(CountAllowedSymbols(t.p(), c, r), count);
        }
}

} // namespace
} // namespace zx::test
