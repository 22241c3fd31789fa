// Word and cell queries on a small crossword.
#include <gtest/gtest.h>

#include <tuple>

#include "TestPuzzle.h"

namespace zx::test {
namespace {

// 1 across HAUS, 1 down HOF, 2 down UHR, 3 across FERN; (5,2) is an isolated letter.
TTestPuzzle Small() {
    return MakeCrossword(TPuzzleKind::Swedish, {"HAUS#", "O#H#A", "FERN#"});
}

auto Fields(const TGridWordData& w) {
    return std::tuple(w.Text, w.Pattern, w.Number, w.Length, w.Position, w.Col, w.Row, w.Reversed);
}

TEST(WordDirections, FollowsTheNeighbours) {
    TTestPuzzle t = Small();
    struct Row {
        int col, row, bits;
    } rows[] = {{1, 1, 6}, {2, 1, 2}, {1, 2, 4}, {5, 2, 0},
                {4, 3, 2}, {2, 2, 6}, {0, 1, 2}, {60, 60, 0}};
    for (const Row& r : rows)
        EXPECT_EQ(WordDirections(t.p(), r.col, r.row), r.bits) << r.col << "," << r.row;
    t.p().PuzzleType = static_cast<std::uint8_t>(TPuzzleKind::Sudoku);
    EXPECT_EQ(WordDirections(t.p(), 1, 1), 0);
}

TEST(GetWordData, DescribesTheSlot) {
    TTestPuzzle t = Small();
    MakeReversed(t.p(), 1, TWordDir::Across);
    t.type(1, 1, "h");
    struct Row {
        int col, row;
        TWordDir dir;
        bool reverse, entries;
        decltype(Fields({})) expected;
    } rows[] = {
        {3, 3, TWordDir::Across, true, false, {"FERN", "F?R?", 3, 4, 3, 1, 3, false}},
        {3, 2, TWordDir::Down, true, false, {"UHR", "U?R", 2, 3, 2, 3, 1, false}},
        {2, 1, TWordDir::Across, false, true, {"H   ", "H?U?", 1, 4, 2, 1, 1, true}},
        {1, 1, TWordDir::Across, true, false, {"SUAH", "H?U?", 1, 4, 4, 1, 1, true}},
        {0, 0, TWordDir::Across, true, true, {"", "", 0, 0, 1, 0, 0, false}},
    };
    for (const Row& r : rows) {
        const TGridWordData w = GetWordData(t.p(), r.col, r.row, r.reverse, r.entries, r.dir);
        EXPECT_EQ(Fields(w), r.expected) << r.col << "," << r.row;
        EXPECT_EQ(w.Index, w.Number ? FindWord(t.p(), w.Number, w.Direction) : -1);
    }
}

TEST(WordQueries, AHiddenNumberIsStillTheWordsNumber) {
    // Word 2 down (UHR) with its number hidden in the cell and in its record.
    TTestPuzzle t = Small();
    t.p().cell(3, 1).Number = -2;
    const int record = FindWord(t.p(), 2, TWordDir::Down);
    ASSERT_GE(record, 0);
    t.p().Words[record].Number = -2;
    int col = 0, row = 0;
    EXPECT_TRUE(FindCellByNumber(t.p(), 2, col, row));
    EXPECT_EQ(std::pair(col, row), std::pair(3, 1));
    EXPECT_EQ(FindWord(t.p(), 2, TWordDir::Down), record);
    EXPECT_EQ(FindWord(t.p(), -2, TWordDir::Down), record);
    EXPECT_EQ(WordNumberAt(t.p(), 3, 2, TWordDir::Down), 2);
    const TGridWordData w = GetWordData(t.p(), 3, 3, false, false, TWordDir::Down);
    EXPECT_EQ(std::pair(w.Number, w.Index), std::pair(2, record));
    EXPECT_EQ(ClueOf(t.p(), 2, TWordDir::Down), t.p().Words[record].Clue.str());
}

TEST(GetWordData, StaysInsideTheGrid) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Swedish, {"ABC"});
    t.p().cell(4, 1).Flags = 0; // a border cell that lacks its block flag
    t.p().cell(4, 1).Text.assign("X");
    EXPECT_EQ(GetWordData(t.p(), 3, 1, false, false, TWordDir::Across).Text, "ABC");
    for (auto [c, r] : {std::pair{-3, 1}, {99, 99}, {1, GridDim}})
        EXPECT_EQ(GetWordData(t.p(), c, r, true, true, TWordDir::Down).Length, 0);
}

TEST(WordLookup, StartsNumbersAndRecords) {
    TTestPuzzle t = Small();
    TPuzzleData& p = t.p();
    struct Row {
        int col, row;
        TWordDir dir;
        int startCol, startRow, number;
    } rows[] = {
        {4, 1, TWordDir::Across, 1, 1, 1}, {3, 2, TWordDir::Down, 3, 1, 2},
        {3, 2, TWordDir::Across, 3, 2, 0}, {4, 3, TWordDir::Across, 1, 3, 3},
        {0, 2, TWordDir::Across, 0, 0, 0}, {7, 2, TWordDir::Down, 0, 0, 0},
    };
    for (const Row& r : rows) {
        int c = r.col, w = r.row;
        WordStart(p, c, w, r.dir);
        EXPECT_EQ(std::pair(c, w), std::pair(r.startCol, r.startRow)) << r.col << "," << r.row;
        EXPECT_EQ(WordNumberAt(p, r.col, r.row, r.dir), r.number) << r.col << "," << r.row;
    }
    int c = 0, r = 0;
    EXPECT_TRUE(FindCellByNumber(p, 3, c, r) && c == 1 && r == 3);
    EXPECT_FALSE(FindCellByNumber(p, 9, c, r));
    EXPECT_EQ(std::pair(c, r), std::pair(-1, -1));

    EXPECT_EQ(FindWord(p, 2, TWordDir::Across), -1);
    EXPECT_EQ(WordLength(p, 2, TWordDir::Down), 3);
    const int later = AddWord(p, 2, TWordDir::Down, "UHR");
    p.Words[later].Clue.assign("Zeitmesser");
    EXPECT_EQ(FindWord(p, 2, TWordDir::Down), later);
    EXPECT_EQ(ClueOf(p, 2, TWordDir::Down), "Zeitmesser");
    EXPECT_EQ(FindWordByText(p, "UHR", TWordDir::Down), later);
    EXPECT_EQ(FindWordByText(p, "UHR", TWordDir::Across), -1);
    EXPECT_EQ(FindWordByText(p, "uhr", TWordDir::Down), -1);
    p.WordCount = 0;
    EXPECT_EQ(FindWord(p, 1, TWordDir::Across), -1);
    EXPECT_EQ(FindWordByText(p, "HAUS", TWordDir::Across), -1);
}

TEST(GridCounts, BlocksCodesAndLetters) {
    TTestPuzzle t = Small();
    TPuzzleData& p = t.p();
    EXPECT_EQ(
        std::tuple(CountBlocks(p, 2, false), CountBlocks(p, 2, true), CountBlocks(p, 99, true)),
        std::tuple(1, 2, 0));
    p.Words[0].Code = 'H';
    p.Words[7].Code = p.Words[9].Code = 'U';
    EXPECT_EQ(std::tuple(CodeOfLetter(p, "U"), CodeOfLetter(p, "HAUS"), CodeOfLetter(p, "Z"),
                         CodeOfLetter(p, "")),
              std::tuple(7, 0, -1, -1));
    EXPECT_TRUE(LetterInGrid(p, 'N'));
    EXPECT_FALSE(LetterInGrid(p, 'Z'));
}

TEST(WordIsFilled, DependsOnTheErrorSetting) {
    TTestPuzzle t = Small();
    EnterRows(t, {"HAUX"});
    int number = 0;
    t.Settings.FehlerZeigen = false;
    EXPECT_TRUE(WordIsFilled(t.p(), 2, 1, number, TWordDir::Across, t.Settings));
    EXPECT_EQ(number, 1);
    EXPECT_FALSE(WordIsFilled(t.p(), 1, 2, number, TWordDir::Down, t.Settings))
        << "HOF: only H typed";
    t.Settings.FehlerZeigen = true;
    EXPECT_FALSE(WordIsFilled(t.p(), 2, 1, number, TWordDir::Across, t.Settings));
    t.type(4, 1, "S");
    EXPECT_TRUE(WordIsFilled(t.p(), 2, 1, number, TWordDir::Across, t.Settings));
}

TEST(WordSolved, ComparesTheEntriesInAnswerOrder) {
    TTestPuzzle t = Small();
    MakeReversed(t.p(), 3, TWordDir::Across);
    const int fern = FindWord(t.p(), 3, TWordDir::Across);
    EXPECT_FALSE(WordSolved(t.p(), fern));
    EnterRows(t, {"", "", "FERN"});
    EXPECT_TRUE(WordSolved(t.p(), fern));
    EXPECT_FALSE(WordSolved(t.p(), -1));
    EXPECT_FALSE(WordSolved(t.p(), 150));
}

TEST(TextHelpers, NormalizeFoldAndReverse) {
    struct Row {
        const char* in;
        const char* normalized;
    } rows[] = {
        {"K\xFC"
         "rbis-Tee 2",
         "KUERBISTEE"},
        {"Stra\xDF"
         "e",
         "STRASSE"},
        {"\xF6l \xC4"
         "rger",
         "OELAERGER"},
        {"caf\xE9", "CAF"},
        {"", ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NormalizeWord(r.in), r.normalized) << r.in;
    EXPECT_EQ(FoldUmlauts("Ma\xDF"
                          "e"),
              "MSS");
    EXPECT_EQ(ReverseText("HAUS"), "SUAH");
}

} // namespace
} // namespace zx::test
