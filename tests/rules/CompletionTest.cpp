// The completion check: solved once, full but wrong, and what each type demands.
#include <gtest/gtest.h>

#include "TestPuzzle.h"

namespace zx::test {
namespace {

using enum TResultMessage;

TEST(CheckCompletion, CrosswordSolvedOnceAndFullButWrongEveryTime) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Swedish, {"HAUS#", "O#H#A", "FERN#"});
    EnterRows(t, {"HAUS", "O.H.A", "FER"});
    EXPECT_EQ(t.check(), None) << "one letter cell still empty";
    t.type(4, 3, "N");
    const TCompletionResult r = CheckCompletion(t.p(), *t.Errors, t.Settings);
    EXPECT_EQ(r.Message, Solved);
    EXPECT_EQ(r.form(), TResultForm::Success);
    EXPECT_TRUE(t.p().Solved);
    t.type(4, 3, "N");
    EXPECT_EQ(t.check(), None) << "congratulated once";
    t.type(4, 3, "X");
    EXPECT_EQ(t.check(), FullButWrong);
    EXPECT_EQ(t.check(), FullButWrong) << "reported at every check";
    EXPECT_EQ(ResultMessageForm(FullButWrong), TResultForm::Failure);
}

TEST(CheckCompletion, SolutionWord) {
    struct Row {
        const char* name;
        const char* word;
        const char* typed; // nullptr: cleared slots (zero bytes)
        bool preset;
        TResultMessage expected;
    } rows[] = {
        {"typed correctly", "HE", "HE", false, Solved},
        {"one position still blank", "HE", " E", false, None},
        {"one position wrong", "HE", "HX", false, FullButWrong},
        {"untyped slots beyond the stored length", "HE", nullptr, false, None},
        {"blank but given by the settings", "HE", "  ", true, Solved},
        {"not to be checked", "@@@", "   ", false, Solved},
    };
    for (const Row& r : rows) {
        TTestPuzzle t = MakeCrossword(TPuzzleKind::SwedishWithSolution, {"hAUS", "o###", "F###"});
        t.p().SolutionWord.assign(r.word);
        if (r.typed)
            t.p().SolutionEntry.assign(r.typed);
        else
            t.p().SolutionEntry.clear();
        t.Settings.LoesungswortVorgeben = r.preset;
        EXPECT_EQ(t.fillSolution(), r.expected) << r.name;
    }
}

TEST(CheckCompletion, NumberPuzzleCodeTable) {
    struct Row {
        const char* name;
        const char* guessOfH;
        TResultMessage expected;
    } rows[] = {
        {"grid typed directly, table untouched", " ", Solved},
        {"table empty after a reset", "", Solved},
        {"right guess", "H", Solved},
        {"wrong guess", "X", FullButWrong},
    };
    for (const Row& r : rows) {
        TTestPuzzle t = MakeCrossword(TPuzzleKind::Number, {"HAUS", "O###"});
        const char* code = "HAUSO";
        for (int i = 0; code[i]; ++i)
            t.p().Words[i].Code = code[i];
        t.p().Words[0].Guess.assign(r.guessOfH);
        t.p().Words[20].Code = 'Z';
        t.p().Words[20].Guess.assign("Q"); // a letter absent from the grid is not checked
        EXPECT_EQ(t.fillSolution(), r.expected) << r.name;
    }
}

TEST(CheckCompletion, AmericanBlanksMustMatchTheBlocks) {
    struct Row {
        const char* name;
        std::pair<int, int> blank;
        TResultMessage expected;
    } rows[] = {
        {"exactly the blocks marked", {3, 1}, Solved},
        {"a block left unmarked", {0, 0}, FullButWrong},
        {"a letter cell marked", {1, 1}, FullButWrong},
    };
    for (const Row& r : rows) {
        TTestPuzzle t = MakeCrossword(TPuzzleKind::American, {"AB#CD", "EF#GH"});
        if (r.blank.first) t.p().cell(r.blank.first, r.blank.second).Flags |= cfBlank;
        if (r.blank.first == 1) t.p().cell(3, 1).Flags |= cfBlank;
        t.p().cell(3, 2).Flags |= cfBlank;
        EXPECT_EQ(t.fillSolution(), r.expected) << r.name;
    }
}

TEST(CheckCompletion, JigsawNeedsExactlyTheLetterCellsPainted) {
    TTestPuzzle t = MakeCrossword(TPuzzleKind::Jigsaw, {"AB", "#C"});
    const std::pair<int, int> letters[] = {{1, 1}, {2, 1}, {2, 2}};
    for (auto [c, r] : letters) {
        EXPECT_EQ(t.check(), None) << "never reported as wrong";
        t.p().cell(c, r).Flags |= cfMarked;
    }
    t.p().cell(1, 2).Flags |= cfMarked;
    EXPECT_EQ(t.check(), None) << "a painted block";
    t.p().cell(1, 2).Flags &= ~cfMarked;
    EXPECT_EQ(t.check(), Solved);
}

TEST(CheckCompletion, SudokuJudgedByTheRuleNotTheSolution) {
    TTestPuzzle t = MakeSudoku(TPuzzleKind::Sudoku, {"1234", "3412", "2143", "4321"});
    EnterRows(t, {"2143", "4321", "1234", "341"});
    EXPECT_EQ(t.check(), None) << "one cell empty";
    t.type(4, 4, "1");
    EXPECT_EQ(t.check(), None) << "a clash is never reported as full but wrong";
    t.p().entry(4, 4).assign("F");
    EXPECT_EQ(t.check(), None) << "a symbol beyond the grid's range";
    t.type(4, 4, "2");
    EXPECT_EQ(t.check(), Solved) << "a valid grid other than the stored one";
}

TEST(CheckCompletion, TimedSudokuBestTime) {
    struct Row {
        TPuzzleKind kind;
        int best, elapsed;
        TResultMessage expected;
        int bestAfter, clockAfter;
    } rows[] = {
        {TPuzzleKind::TimedSudoku, 0, 95, SolvedBestTime, 95, 0},
        {TPuzzleKind::TimedSudoku, 100, 95, SolvedBestTime, 95, 0},
        {TPuzzleKind::TimedSudoku, 95, 95, SolvedNotBeaten, 95, 0},
        {TPuzzleKind::TimedSudoku, 90, 95, SolvedNotBeaten, 90, 0},
        // the untimed Sudoku keeps its clock and best time
        {TPuzzleKind::Sudoku, 100, 95, Solved, 100, 1},
    };
    for (const Row& r : rows) {
        TTestPuzzle t = MakeSudoku(r.kind, {"12", "21"});
        t.p().BestTime = static_cast<std::uint16_t>(r.best);
        t.p().ElapsedTime = static_cast<std::uint16_t>(r.elapsed);
        EnterRows(t, {"12", "21"});
        EXPECT_EQ(t.check(), r.expected) << Code(r.kind) << " " << r.best;
        EXPECT_EQ(t.p().BestTime, r.bestAfter) << Code(r.kind) << " " << r.best;
        EXPECT_EQ(t.p().ClockRunning, r.clockAfter) << Code(r.kind) << " " << r.best;
    }
}

TEST(TimeText, MinutesAndSeconds) {
    struct Row {
        int seconds;
        bool unit;
        const char* text;
    } rows[] = {
        {75, false, "01:15"},    {3600, false, "60:00"},       {0, true, "00:00 min."},
        {6000, false, "100:00"}, {65536 + 61, false, "01:01"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TimeText(r.seconds, r.unit), r.text) << r.seconds;
}

} // namespace
} // namespace zx::test
