// The entry judgement: stored text, word tests, solution cells, special types.
#include <gtest/gtest.h>

#include "TestPuzzle.h"

namespace zx::test {
namespace {

TEST(SetEntry, StoresOneUpperCaseCharacter) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Swedish, {"HAUS#", "O#H#A", "FERN#"});
    struct Row {
        const char* typed;
        const char* stored;
        std::uint8_t verdict;
    } rows[] = {
        {"h", "H", evAccepted},  {"e", "E", evWrong}, {"\xE4", "\xE4", evWrong},
        {"hx", "H", evAccepted}, {"", " ", evEmpty},  {" ", " ", evEmpty},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(t.type(1, 1, r.typed), r.verdict) << r.typed;
        EXPECT_EQ(t.p().entry(1, 1).view(), r.stored) << r.typed;
    }
}

TEST(SetEntry, PositionsOutsideTheArraysAreIgnored) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Swedish, {"AB"});
    for (auto [c, r] : {std::pair{-1, 1}, {1, -1}, {GridDim, 1}, {400, 400}})
        t.type(c, r, "A");
    EXPECT_EQ(t.type(GridDim - 1, GridDim - 1, "A"), evEmpty); // beyond the error grid
    EXPECT_EQ(t.p().entry(GridDim - 1, GridDim - 1).view(), "A");
}

// 1 across HAUS crossing 1 down HOF; 2 across MAUS, same direction as HAUS.
TTestPuzzle FillIn(TPuzzleKind kind) {
    return MakeCrossword(kind, {"HAUS##", "O#####", "F#MAUS"});
}

TEST(SetEntry, InterchangeableWordsOfOneDirection) {
    TTestPuzzle t = FillIn(TPuzzleKind::FillIn);
    EXPECT_EQ(t.type(3, 3, "H"), evAccepted) << "HAUS fits the MAUS slot while HAUS is open";
    EXPECT_EQ(t.type(3, 3, "M"), evAccepted);
    EXPECT_EQ(t.type(3, 3, "K"), evWrong);
    EXPECT_EQ(t.type(1, 1, "M"), evWrong) << "crossing cell: MAUS fits across, MOF is no word";
    EnterRows(t, {"HAUS"});
    EXPECT_EQ(t.type(3, 3, "H"), evWrong) << "HAUS is already placed in its own slot";
}

TEST(SetEntry, AnswerListedTwiceIsJudgedIndependentlyOfTypingOrder) {
    for (const bool lowerFirst : {false, true}) {
        TTestPuzzle t = MakeCrossword(TPuzzleKind::FillIn, {"HAUS", "####", "HAUS"});
        const int first = lowerFirst ? 3 : 1;
        const int second = lowerFirst ? 1 : 3;
        for (int c = 1; c <= 4; ++c)
            t.type(c, first, t.p().cell(c, first).Text.view());
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(t.type(c, second, t.p().cell(c, second).Text.view()), evAccepted)
                << "column " << c << ", lower slot first: " << lowerFirst;
        EXPECT_EQ(t.check(), TResultMessage::Solved);
    }
}

TEST(SetEntry, ReversedWordJudgedAtItsAnswerPosition) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Swedish, {"HAUS"});
    MakeReversed(t.p(), 1, TWordDir::Across);
    EXPECT_EQ(t.type(1, 1, "H"), evAccepted);
    EXPECT_EQ(t.type(4, 1, "S"), evAccepted);
    EXPECT_EQ(t.type(1, 1, "S"), evWrong);
    EXPECT_EQ(t.type(2, 1, "U"), evWrong);
}

TEST(SetEntry, SolutionCellNeedsItsOwnLetter) {
    for (const auto& [kind, verdict] :
         {std::pair{TPuzzleKind::FillIn, evAccepted}, {TPuzzleKind::FillInWithSolution, evWrong}}) {
        TTestPuzzle t = MakeCrossword(kind, {"hAUS", "####", "MAUS"});
        EXPECT_EQ(t.type(1, 1, "M"), verdict) << "type " << Code(kind);
        EXPECT_EQ(t.type(1, 1, "H"), evAccepted) << "type " << Code(kind);
    }
}

TEST(SetEntry, VerdictsOfTheOtherTypes) {
    TTestPuzzle sudoku = MakeSudoku(TPuzzleKind::Sudoku, {"12", "21"});
    EXPECT_EQ(sudoku.type(1, 1, "1"), evAccepted);
    EXPECT_EQ(sudoku.type(1, 1, "2"), evWrong);
    TTestPuzzle jigsaw = MakeCrossword(TPuzzleKind::Jigsaw, {"AB#", "#CD"});
    EXPECT_EQ(jigsaw.type(1, 1, "Q"), evAccepted);
    EXPECT_EQ(jigsaw.type(3, 1, "Q"), evAccepted);
    TTestPuzzle lone = MakeCrossword(TPuzzleKind::Swedish, {"A#", "##"});
    lone.p().cell(1, 1).Text.clear();
    EXPECT_EQ(lone.type(1, 1, "Q"), evAccepted) << "no solution and no word through the cell";
}

TEST(SetEntry, LetterInAHiddenBlockStaysInBoundsAndIsWrong) {
    // Blocks next to a word's end, at the border and amid letters in both directions.
    TTestPuzzle t = MakeCrossword(TPuzzleKind::American, {"AB#CD", "EF#GH", "###IJ", "KL#MN"});
    for (auto [c, r] : {std::pair{3, 1}, {3, 2}, {1, 3}, {3, 3}, {3, 4}})
        EXPECT_EQ(t.type(c, r, "A"), evWrong) << c << "," << r;
    EXPECT_EQ(t.type(4, 3, "I"), evAccepted);
}

TEST(RebuildErrorGrid, GivesTheVerdictsOfTyping) {
    TTestPuzzle t = FillIn(TPuzzleKind::FillIn);
    t.p().entry(1, 1).assign("h");
    t.p().entry(2, 1).assign("X");
    t.p().entry(3, 3).assign("H");
    t.Errors->set(4, 3, evWrong);
    RebuildErrorGrid(t.p(), *t.Errors);
    EXPECT_EQ(t.p().entry(1, 1).view(), "H");
    EXPECT_EQ(t.Errors->get(1, 1), evAccepted);
    EXPECT_EQ(t.Errors->get(2, 1), evWrong);
    EXPECT_EQ(t.Errors->get(3, 3), evAccepted);
    EXPECT_EQ(t.Errors->get(4, 3), evEmpty);
}

} // namespace
} // namespace zx::test
