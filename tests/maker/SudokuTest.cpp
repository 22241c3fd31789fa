// The Sudoku maker: the solver's counts on published puzzles, and made
// Sudokus of every size, level and kind: one solution, the asked level,
// symmetric givens, the same Sudoku from the same seed, and a record that
// plays to its end through the completion check.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "maker/SudokuMaker.h"
#include "rules/Rules.h"

namespace zx {
namespace {

TSudokuGrid GridOf(const std::string& text) {
    TSudokuGrid g;
    for (const char ch : text)
        g.push_back(ch == '.' ? 0 : ch - '0');
    return g;
}

// Every line "puzzle:count[:solution]": counted up to 1000 (the most is 847),
// the one solution where there is one; each puzzle with one solution graded
// to its end, which fails should a technique strike a true candidate.
TEST(SudokuSolver, CountsThePublishedPuzzles) {
    std::ifstream in(std::string(ZX_MAKER_TEST_DATA) + "/sudoku-solution-counts.txt");
    ASSERT_TRUE(in);
    TSudokuSolver solver(SudokuShape(9));
    int lines = 0;
    for (std::string line; std::getline(in, line); ++lines) {
        std::istringstream fields(line);
        std::string puzzle, count, solution;
        std::getline(fields, puzzle, ':');
        std::getline(fields, count, ':');
        std::getline(fields, solution, ':');
        SCOPED_TRACE(puzzle);
        TSudokuGrid found;
        EXPECT_EQ(solver.Count(GridOf(puzzle), 1000, &found), std::stoi(count));
        if (count == "1") {
            EXPECT_EQ(found, GridOf(solution));
            const TSudokuGrade grade = GradeSudoku(solver.Units(), GridOf(puzzle));
            EXPECT_TRUE(grade.Solved);
        }
    }
    EXPECT_EQ(lines, 43);
}

// Grids that are not Sudokus: a clash among the givens, the wrong size, a
// symbol beyond the size; and the search limit answered as "gave up".
TEST(SudokuSolver, RefusesBrokenGridsAndStopsAtItsLimit) {
    TSudokuSolver solver(SudokuShape(4));
    EXPECT_EQ(solver.Count(GridOf("11.............."), 2), 0);
    EXPECT_EQ(solver.Count(GridOf("1..."), 2), 0);
    EXPECT_EQ(solver.Count(GridOf("5..............."), 2), 0);
    TSudokuSolver big(SudokuShape(12));
    EXPECT_EQ(big.Count(TSudokuGrid(144, 0), 2, nullptr, 5), -1);
    EXPECT_FALSE(GradeSudoku(big.Units(), TSudokuGrid(144, 0)).Solved);
}

struct TMakeCase {
    int Size;
    int Level;
    TPuzzleKind Kind;
};

void PrintTo(const TMakeCase& c, std::ostream* os) {
    *os << c.Size << " x " << c.Size << ", level " << c.Level << ", type " << Code(c.Kind);
}

class SudokuMakerTest : public testing::TestWithParam<TMakeCase> {};

TEST_P(SudokuMakerTest, MakesAUniqueSymmetricSudokuOfTheLevelThatPlaysToItsEnd) {
    const TMakeCase c = GetParam();
    TSudokuRequest request;
    request.Size = c.Size;
    request.Level = c.Level;
    request.Seed = 20261209;
    TSudokuMade made;
    std::string error;
    ASSERT_TRUE(MakeSudoku(request, made, error)) << error;
    const int cells = c.Size * c.Size;
    ASSERT_EQ(static_cast<int>(made.Givens.size()), cells);

    TSudokuSolver solver(made.Shape);
    TSudokuGrid solution;
    EXPECT_EQ(solver.Count(made.Givens, 2, &solution), 1);
    EXPECT_EQ(solution, made.Solution);
    const TSudokuGrade grade = GradeSudoku(solver.Units(), made.Givens);
    EXPECT_TRUE(grade.Solved);
    EXPECT_EQ(grade.Level, c.Level) << grade.techniques();
    for (int i = 0; i < cells; ++i)
        EXPECT_EQ(made.Givens[i] != 0, made.Givens[cells - 1 - i] != 0) << "cell " << i;

    TSudokuMade again;
    ASSERT_TRUE(MakeSudoku(request, again, error));
    EXPECT_EQ(again.Givens, made.Givens);
    ++request.Seed;
    ASSERT_TRUE(MakeSudoku(request, again, error));
    EXPECT_NE(again.Givens, made.Givens);

    // The record as the player loads it, then every empty cell typed from
    // the solution: only the last entry completes the puzzle.
    auto p = std::make_unique<TPuzzleData>();
    SudokuRecord(made, c.Kind, *p);
    ASSERT_TRUE(RepairRecord(*p));
    EXPECT_EQ(p->Level, c.Level);
    EXPECT_EQ(SudokuGivens(*p), made.Givens);
    auto errors = std::make_unique<TErrorGrid>();
    RebuildErrorGrid(*p, *errors);
    TProgramSettings settings;
    int empty = 0;
    for (int r = 1; r <= c.Size; ++r)
        for (int col = 1; col <= c.Size; ++col)
            empty += IsEmptyEntry(p->entry(col, r)) ? 1 : 0;
    EXPECT_EQ(empty, cells - made.givenCount());
    for (int r = 1; r <= c.Size; ++r)
        for (int col = 1; col <= c.Size; ++col) {
            if (!IsEmptyEntry(p->entry(col, r))) continue;
            SetEntry(*p, *errors, col, r, SymbolText(made.Solution[(r - 1) * c.Size + col - 1]));
            ASSERT_EQ(errors->get(col, r), evAccepted);
            const TResultMessage m = CheckCompletion(*p, *errors, settings).Message;
            if (--empty > 0)
                ASSERT_EQ(m, TResultMessage::None);
            else
                EXPECT_EQ(m, c.Kind == TPuzzleKind::TimedSudoku ? TResultMessage::SolvedBestTime
                                                                : TResultMessage::Solved);
        }
}

INSTANTIATE_TEST_SUITE_P(
    EverySizeAndLevel, SudokuMakerTest,
    testing::Values(TMakeCase{4, 0, TPuzzleKind::Sudoku}, TMakeCase{6, 0, TPuzzleKind::Sudoku},
                    TMakeCase{6, 1, TPuzzleKind::TimedSudoku}, TMakeCase{6, 3, TPuzzleKind::Sudoku},
                    TMakeCase{8, 1, TPuzzleKind::Sudoku}, TMakeCase{8, 2, TPuzzleKind::Sudoku},
                    TMakeCase{9, 0, TPuzzleKind::Sudoku}, TMakeCase{9, 1, TPuzzleKind::Sudoku},
                    TMakeCase{9, 2, TPuzzleKind::TimedSudoku}, TMakeCase{9, 3, TPuzzleKind::Sudoku},
                    TMakeCase{12, 0, TPuzzleKind::Sudoku}, TMakeCase{12, 1, TPuzzleKind::Sudoku},
                    TMakeCase{12, 2, TPuzzleKind::Sudoku},
                    TMakeCase{12, 3, TPuzzleKind::TimedSudoku}),
    [](const testing::TestParamInfo<TMakeCase>& info) {
        return std::to_string(info.param.Size) + "x" + std::to_string(info.param.Size) + "_level" +
               std::to_string(info.param.Level) +
               (info.param.Kind == TPuzzleKind::TimedSudoku ? "_timed" : "");
    });

// A level not reached within the work limit: the search stops there and
// returns the closest Sudoku it found, still with one solution. A 4 x 4
// Sudoku, which never needs more than singles, is made at once at level 0.
TEST(SudokuMaker, StopsAtItsWorkLimitWithTheClosestSudoku) {
    const struct {
        int Size, Level;
        long MaxWork;
        bool LimitReached;
    } cases[] = {{6, 2, 20000, true}, {4, 3, 20000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Size);
        TSudokuRequest request;
        request.Size = c.Size;
        request.Level = c.Level;
        request.MaxWork = c.MaxWork;
        TSudokuMade made;
        std::string error;
        ASSERT_TRUE(MakeSudoku(request, made, error));
        EXPECT_EQ(made.Work >= request.MaxWork, c.LimitReached);
        EXPECT_LT(made.Work, 2 * request.MaxWork);
        if (c.LimitReached)
            EXPECT_LT(made.Grade.Level, c.Level);
        else
            EXPECT_EQ(made.Grade.Level, 0);
        TSudokuSolver solver(made.Shape);
        EXPECT_EQ(solver.Count(made.Givens, 2), 1);
    }
    TSudokuRequest request;
    request.Size = 10;
    TSudokuMade made;
    std::string error;
    EXPECT_FALSE(MakeSudoku(request, made, error));
    EXPECT_NE(error.find("4, 6, 8, 9 oder 12"), std::string::npos);
}

} // namespace
} // namespace zx
