// Every sample puzzle, solved the way a player would, is congratulated exactly
// once, at the last step; a full grid with one wrong letter is reported as such.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "TestPuzzle.h"
#include "document/PuzzleFile.h"

namespace zx::test {
namespace {

namespace fs = std::filesystem;
using TStep = std::function<void(TTestPuzzle&)>;

std::vector<fs::path> SampleFiles() {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(ZX_SAMPLES_DIR, ec))
        if (e.path().extension() == ".raetsel") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

TTestPuzzle Load(const fs::path& file) {
    TTestPuzzle t;
    EXPECT_EQ(LoadPuzzleFile(t.p(), file.string()), lrLoaded);
    RebuildErrorGrid(t.p(), *t.Errors);
    t.p().ElapsedTime = 100;
    return t;
}

// The player's actions that solve the puzzle: marks and the solution word
// first, the grid last (number puzzles through the code table, as the number
// legend does it). withWrongLetter: the grid is typed directly and its last
// letter cell gets a letter judged wrong.
std::vector<TStep> SolvingSteps(const TPuzzleData& p, bool withWrongLetter) {
    const TPuzzleKind kind = KindOf(p);
    std::vector<TStep> steps;
    std::vector<std::pair<int, int>> cells;
    for (int c = 1; c <= UsedCols(p); ++c)
        for (int r = 1; r <= UsedRows(p); ++r) {
            const std::uint32_t f = p.cell(c, r).Flags;
            if ((IsAmerican(kind) && (f & cfBlock)) || (IsJigsaw(kind) && !(f & cfBlock)))
                steps.push_back([c, r, mark = IsJigsaw(kind) ? cfMarked : cfBlank](TTestPuzzle& s) {
                    s.p().cell(c, r).Flags |= mark;
                });
            if (IsSudoku(kind) ? IsEmptyEntry(p.entry(c, r))
                               : (IsCrossword(kind) && (f & cfLetter)))
                cells.emplace_back(c, r);
        }
    if (HasSolutionWord(kind))
        for (std::size_t i = 0; i < p.SolutionWord.size(); ++i)
            steps.push_back([i](TTestPuzzle& s) {
                s.p().SolutionEntry.Chars[i] = s.p().SolutionWord.Chars[i];
            });
    if (IsNumberPuzzle(kind) && !withWrongLetter) {
        for (int k = 0; k < CodeTableSize; ++k)
            if (const char letter = static_cast<char>(p.Words[k].Code); LetterInGrid(p, letter))
                steps.push_back([k, letter, cells](TTestPuzzle& s) {
                    s.p().Words[k].Guess.assign(std::string_view(&letter, 1));
                    for (auto [c, r] : cells)
                        if (CodeOfLetter(s.p(), s.p().cell(c, r).Text.view()) == k)
                            s.type(c, r, s.p().Words[k].Guess.view());
                });
        return steps;
    }
    for (const auto& [c, r] : cells)
        steps.push_back([c, r](TTestPuzzle& s) { s.type(c, r, s.p().cell(c, r).Text.view()); });
    if (withWrongLetter)
        steps.back() = [c = cells.back().first, r = cells.back().second](TTestPuzzle& s) {
            for (char x = 'A'; x <= 'Z'; ++x)
                if (s.type(c, r, std::string(1, x)) == evWrong) return;
            ADD_FAILURE() << "no letter is judged wrong in " << c << "," << r;
        };
    return steps;
}

TEST(SampleSolutions, SolvedAtTheLastStepOnly) {
    const std::vector<fs::path> files = SampleFiles();
    ASSERT_FALSE(files.empty()) << "no sample puzzles in " << ZX_SAMPLES_DIR;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TTestPuzzle t = Load(file);
        const std::vector<TStep> steps = SolvingSteps(t.p(), false);
        ASSERT_FALSE(steps.empty());
        for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
            steps[i](t);
            ASSERT_EQ(t.check(), TResultMessage::None)
                << "step " << i + 1 << " of " << steps.size();
        }
        steps.back()(t);
        EXPECT_EQ(CheckCompletion(t.p(), *t.Errors, t.Settings).form(), TResultForm::Success);
        EXPECT_EQ(t.check(), TResultMessage::None) << "congratulated twice";
    }
}

TEST(SampleSolutions, OneWrongLetterMakesAFullGridWrong) {
    for (const fs::path& file : SampleFiles()) {
        SCOPED_TRACE(file.filename().string());
        TTestPuzzle t = Load(file);
        if (!IsCrossword(KindOf(t.p()))) continue;
        for (const TStep& step : SolvingSteps(t.p(), true))
            step(t);
        EXPECT_EQ(t.check(), TResultMessage::FullButWrong);
    }
}

} // namespace
} // namespace zx::test
