// Every sample puzzle, solved the way a player would, is congratulated exactly
// once, at the last step; a full grid with one wrong letter is reported as such.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include "PuzzleFile.h"
#include "TestPuzzle.h"

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

// The player's actions that solve the puzzle, in a natural order: marks and the
// solution word first, the grid last. wrongCell: one letter cell gets a wrong
// letter instead (the last one), for the full-but-wrong check.
std::vector<TStep> SolvingSteps(TTestPuzzle& t, bool wrongCell) {
    TPuzzleData& p = t.p();
    const int type = p.PuzzleType;
    std::vector<TStep> steps;
    std::vector<std::pair<int, int>> letters;
    for (int c = 1; c <= UsedCols(p); ++c)
        for (int r = 1; r <= UsedRows(p); ++r) {
            const std::uint32_t f = p.cell(c, r).Flags;
            if (IsAmerican(type) && (f & cfBlock))
                steps.push_back([c, r](TTestPuzzle& s) { s.p().cell(c, r).Flags |= cfBlank; });
            if (IsJigsaw(type) && !(f & cfBlock))
                steps.push_back([c, r](TTestPuzzle& s) { s.p().cell(c, r).Flags |= cfMarked; });
            if (IsSudoku(type) ? IsEmptyEntry(p.entry(c, r)) : (type < 12 && (f & cfLetter)))
                letters.emplace_back(c, r);
        }
    if (type % 2 == 1 && type < 12)
        for (std::size_t i = 0; i < p.SolutionWord.size(); ++i)
            steps.push_back([i](TTestPuzzle& s) { s.p().SolutionEntry.Chars[i] = s.p().SolutionWord.Chars[i]; });
    if (IsNumberPuzzle(type) && !wrongCell) {
        // Through the code table, as the number legend does it.
        for (int k = 0; k < CodeTableSize; ++k) {
            const char letter = static_cast<char>(p.Words[k].Code);
            if (!LetterInGrid(p, letter)) continue;
            steps.push_back([k, letter, letters](TTestPuzzle& s) {
                s.p().Words[k].Guess.assign(std::string_view(&letter, 1));
                for (auto [c, r] : letters)
                    if (CodeOfLetter(s.p(), s.p().cell(c, r).Text.view()) == k)
                        s.type(c, r, std::string_view(&letter, 1));
            });
        }
        return steps;
    }
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const auto [c, r] = letters[i];
        const bool wrong = wrongCell && i + 1 == letters.size();
        steps.push_back([c, r, wrong](TTestPuzzle& s) {
            const std::string right = s.p().cell(c, r).Text.str();
            if (!wrong) return void(s.type(c, r, right));
            for (char x = 'A'; x <= 'Z'; ++x)
                if (std::string(1, x) != right && s.type(c, r, std::string(1, x)) == evWrong) return;
            ADD_FAILURE() << "no letter is judged wrong in " << c << "," << r;
        });
    }
    return steps;
}

TTestPuzzle Load(const fs::path& file) {
    TTestPuzzle t;
    EXPECT_EQ(LoadPuzzleFile(t.p(), file.string()), lrLoaded);
    RebuildErrorGrid(t.p(), *t.Errors);
    t.p().ElapsedTime = 100;
    return t;
}

TEST(SampleSolutions, SolvedAtTheLastStepOnly) {
    const std::vector<fs::path> files = SampleFiles();
    ASSERT_FALSE(files.empty()) << "no sample puzzles in " << ZX_SAMPLES_DIR;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        TTestPuzzle t = Load(file);
        const std::vector<TStep> steps = SolvingSteps(t, false);
        ASSERT_FALSE(steps.empty());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i](t);
            const TCompletionResult r = CheckCompletion(t.p(), *t.Errors, t.Settings);
            if (i + 1 < steps.size()) {
                ASSERT_FALSE(r.shown()) << "step " << i + 1 << " of " << steps.size();
            } else {
                EXPECT_EQ(r.form(), TResultForm::Success);
            }
        }
        EXPECT_EQ(t.check(), TResultMessage::None) << "congratulated twice";
    }
}

TEST(SampleSolutions, OneWrongLetterMakesAFullGridWrong) {
    for (const fs::path& file : SampleFiles()) {
        SCOPED_TRACE(file.filename().string());
        TTestPuzzle t = Load(file);
        if (t.p().PuzzleType >= 12) continue;
        for (const TStep& step : SolvingSteps(t, true)) step(t);
        EXPECT_EQ(t.check(), TResultMessage::FullButWrong);
    }
}

} // namespace
} // namespace zx::test
