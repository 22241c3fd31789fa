// Word and cell queries on a small crossword.
#include <gtest/gtest.h>

#include "TestPuzzle.h"

namespace zx::test {
namespace {

// 1 across HAUS, 1 down HOF, 2 down UHR, 3 across FERN; (5,2) is an isolated letter.
TTestPuzzle Small() { return MakeCrossword(0, {"HAUS#", "O#H#A", "FERN#"}); }

TEST(WordDirections, FollowsTheNeighbours) {
    TTestPuzzle t = Small();
    struct Row { int col, row, bits; } rows[] = {
        {1, 1, 6}, {2, 1, 2}, {1, 2, 4}, {3, 1, 4 | 2}, {5, 2, 0}, {4, 3, 2}, {2, 2, 2 | 4},
    };
    for (const Row& r : rows) EXPECT_EQ(WordDirections(t.p(), r.col, r.row), r.bits) << r.col << "," << r.row;
    t.p().PuzzleType = 14;
    EXPECT_EQ(WordDirections(t.p(), 1, 1), 0);
}

TEST(GetWordData, DescribesTheSlot) {
    TTestPuzzle t = Small();
    const TGridWordData w = GetWordData(t.p(), 3, 3, true, false, dsAcross);
    EXPECT_EQ(w.Text, "FERN");
    EXPECT_EQ(w.Pattern, "F?R?");
    EXPECT_EQ(w.Number, 3);
    EXPECT_EQ(w.Index, FindWord(t.p(), 3, wdAcross));
    EXPECT_EQ(w.Length, 4);
    EXPECT_EQ(w.Position, 3);
    EXPECT_EQ(w.Col, 1);
    EXPECT_EQ(w.Row, 3);
    EXPECT_EQ(w.Direction, wdAcross);

    const TGridWordData d = GetWordData(t.p(), 3, 2, true, false, dsDown);
    EXPECT_EQ(d.Text, "UHR");
    EXPECT_EQ(d.Position, 2);
    EXPECT_EQ(d.Direction, wdDown);

    t.type(1, 1, "h");
    EXPECT_EQ(GetWordData(t.p(), 2, 1, true, true, dsAcross).Text, "H   ");
}

TEST(GetWordData, ReversedWordCountsFromTheEnd) {
    TTestPuzzle t = Small();
    MakeReversed(t.p(), 1, wdAcross);
    const TGridWordData r = GetWordData(t.p(), 1, 1, true, false, dsAcross);
    EXPECT_EQ(r.Text, "SUAH");
    EXPECT_EQ(r.Position, 4);
    EXPECT_TRUE(r.Reversed);
    const TGridWordData plain = GetWordData(t.p(), 1, 1, false, false, dsAcross);
    EXPECT_EQ(plain.Text, "HAUS");
    EXPECT_EQ(plain.Position, 1);
}

TEST(GetWordData, StopsAtTheLastColumnAndOutsideTheGrid) {
    TTestPuzzle t = MakeCrossword(0, {"ABC"});
    t.p().cell(4, 1).Flags = 0; // a border cell that lacks its block flag
    t.p().cell(4, 1).Text.assign("X");
    EXPECT_EQ(GetWordData(t.p(), 3, 1, false, false, dsAcross).Text, "ABC");
    for (auto [c, r] : {std::pair{0, 0}, {-3, 1}, {99, 99}}) {
        const TGridWordData w = GetWordData(t.p(), c, r, true, true, dsAcross);
        EXPECT_EQ(w.Length, 0);
        EXPECT_EQ(w.Index, -1);
    }
}

TEST(WordLookup, StartsNumbersAndRecords) {
    TTestPuzzle t = Small();
    TPuzzleData& p = t.p();
    struct Row { int col, row; bool across; int startCol, startRow, number; } rows[] = {
        {4, 1, true, 1, 1, 1}, {3, 2, false, 3, 1, 2}, {3, 2, true, 3, 2, 0},
        {4, 3, true, 1, 3, 3}, {0, 2, true, 0, 0, 0}, {7, 2, false, 0, 0, 0},
    };
    for (const Row& r : rows) {
        int c = r.col, w = r.row;
        WordStart(p, c, w, r.across);
        EXPECT_EQ(std::pair(c, w), std::pair(r.startCol, r.startRow)) << r.col << "," << r.row;
        EXPECT_EQ(WordNumberAt(p, r.col, r.row, r.across), r.number) << r.col << "," << r.row;
    }
    int c = 0, r = 0;
    EXPECT_TRUE(FindCellByNumber(p, 3, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(1, 3));
    EXPECT_FALSE(FindCellByNumber(p, 9, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(-1, -1));

    EXPECT_EQ(FindWord(p, 2, wdAcross), -1);
    EXPECT_EQ(WordLength(p, 2, wdDown), 3);
    const int later = AddWord(p, 2, wdDown, "UHR");
    p.Words[later].Clue.assign("Zeitmesser");
    EXPECT_EQ(FindWord(p, 2, wdDown), later);
    EXPECT_EQ(FindWordByText(p, "UHR", wdDown), later);
    EXPECT_EQ(FindWordByText(p, "UHR", wdAcross), -1);
    EXPECT_EQ(FindWordByText(p, "uhr", wdDown), -1);
    EXPECT_EQ(ClueOf(p, 2, wdDown), "Zeitmesser");
    p.WordCount = 0;
    EXPECT_EQ(FindWord(p, 1, wdAcross), -1);
    EXPECT_EQ(FindWordByText(p, "HAUS", wdAcross), -1);
}

TEST(GridCounts, BlocksCodesAndLetters) {
    TTestPuzzle t = Small();
    TPuzzleData& p = t.p();
    EXPECT_EQ(CountBlocks(p, 2, false), 1);
    EXPECT_EQ(CountBlocks(p, 2, true), 2);
    EXPECT_EQ(CountBlocks(p, 5, false), 2);
    EXPECT_EQ(CountBlocks(p, 200, true), 0);
    p.Words[0].Code = 'H';
    p.Words[7].Code = 'U';
    p.Words[9].Code = 'U';
    EXPECT_EQ(CodeOfLetter(p, "U"), 7);
    EXPECT_EQ(CodeOfLetter(p, "HAUS"), 0);
    EXPECT_EQ(CodeOfLetter(p, "Z"), -1);
    EXPECT_EQ(CodeOfLetter(p, ""), -1);
    EXPECT_TRUE(LetterInGrid(p, 'N'));
    EXPECT_FALSE(LetterInGrid(p, 'Z'));
}

TEST(WordIsFilled, DependsOnTheErrorSetting) {
    TTestPuzzle t = Small();
    EnterRows(t, {"HAUX"});
    int number = 0;
    t.Settings.FehlerZeigen = false;
    EXPECT_TRUE(WordIsFilled(t.p(), 2, 1, number, true, t.Settings));
    EXPECT_EQ(number, 1);
    t.Settings.FehlerZeigen = true;
    EXPECT_FALSE(WordIsFilled(t.p(), 2, 1, number, true, t.Settings));
    t.type(4, 1, "S");
    EXPECT_TRUE(WordIsFilled(t.p(), 2, 1, number, true, t.Settings));
    t.Settings.FehlerZeigen = false;
    EXPECT_FALSE(WordIsFilled(t.p(), 1, 2, number, false, t.Settings)); // HOF: only H typed
}

TEST(WordSolved, ComparesTheEntriesInAnswerOrder) {
    TTestPuzzle t = Small();
    MakeReversed(t.p(), 3, wdAcross);
    const int fern = FindWord(t.p(), 3, wdAcross);
    EXPECT_FALSE(WordSolved(t.p(), fern));
    EnterRows(t, {"....", "....", "FERN"});
    EXPECT_TRUE(WordSolved(t.p(), fern));
    EXPECT_FALSE(WordSolved(t.p(), -1));
    EXPECT_FALSE(WordSolved(t.p(), 150));
}

TEST(TextHelpers, NormalizeFoldAndReverse) {
    struct Row { const char* in; const char* normalized; } rows[] = {
        {"K\xFC" "rbis-Tee 2", "KUERBISTEE"}, {"Stra\xDF" "e", "STRASSE"},
        {"\xF6l \xC4" "rger", "OELAERGER"}, {"caf\xE9", "CAF"}, {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(NormalizeWord(r.in), r.normalized) << r.in;
    EXPECT_EQ(FoldUmlauts("Ma\xDF" "e"), "MSS");
    EXPECT_EQ(ReverseText("HAUS"), "SUAH");
}

} // namespace
} // namespace zx::test
