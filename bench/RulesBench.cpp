// Timing of the rules on the largest grids: one keystroke in a 50 x 50 fill-in
// puzzle and the candidate symbols of every cell of a 12 x 12 Sudoku.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "document/Settings.h"
#include "rules/Rules.h"

namespace {

using namespace zx;

void Frame(TPuzzleData& p, TPuzzleKind kind, int size) {
    ClearPuzzle(p);
    p.PuzzleType = static_cast<std::uint8_t>(kind);
    p.ColCount = p.RowCount = static_cast<std::uint8_t>(size);
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r)
            if (!InsideGrid(p, c, r)) p.cell(c, r).Flags = cfBlock;
}

// Letters on odd rows and odd columns, cut at rows and columns 12, 26 and 38:
// 100 across and 100 down words of 11 to 13 letters, crossing on every odd
// row and column, plus one word of the list that is not in the grid.
void MakeFillIn(TPuzzleData& p) {
    Frame(p, TPuzzleKind::FillIn, MaxGridSize);
    auto cut = [](int k) { return k == 12 || k == 26 || k == 38; };
    std::mt19937 random(7);
    for (int c = 1; c <= MaxGridSize; ++c)
        for (int r = 1; r <= MaxGridSize; ++r) {
            const bool letter = (r % 2 == 1 && !cut(c)) || (c % 2 == 1 && !cut(r));
            TPuzzleCell& cell = p.cell(c, r);
            if (!letter) {
                cell.Flags = cfBlock;
                continue;
            }
            const char ch = static_cast<char>('A' + random() % 26);
            cell.Text.assign(std::string_view(&ch, 1));
            cell.Flags = cfLetter;
        }
    auto add = [&p](int number, TWordDir direction, const std::string& answer) {
        const int i = p.WordCount++;
        p.Words[i].Number = number;
        p.Words[i].Direction = static_cast<std::uint8_t>(direction);
        p.Words[i].Answer.assign(answer);
    };
    int number = 0;
    for (int r = 1; r <= MaxGridSize; ++r)
        for (int c = 1; c <= MaxGridSize; ++c) {
            if (IsBlock(p, c, r)) continue;
            TPuzzleCell& cell = p.cell(c, r);
            cell.AcrossStart = IsBlock(p, c - 1, r) && !IsBlock(p, c + 1, r);
            cell.DownStart = IsBlock(p, c, r - 1) && !IsBlock(p, c, r + 1);
            if (!cell.AcrossStart && !cell.DownStart) continue;
            cell.Number = ++number;
            if (cell.AcrossStart)
                add(number, TWordDir::Across,
                    GetWordData(p, c, r, false, false, TWordDir::Across).Text);
            if (cell.DownStart)
                add(number, TWordDir::Down,
                    GetWordData(p, c, r, false, false, TWordDir::Down).Text);
        }
    add(number + 1, TWordDir::Across, "ZYXWVUTSRQ");
}

void BM_Keystroke50x50FillIn(benchmark::State& state) {
    auto p = std::make_unique<TPuzzleData>();
    auto errors = std::make_unique<TErrorGrid>();
    TProgramSettings settings;
    MakeFillIn(*p);
    for (int c = 1; c <= MaxGridSize; ++c)
        for (int r = 1; r <= MaxGridSize; ++r)
            if (p->cell(c, r).Flags & cfLetter) p->entry(c, r).assign(p->cell(c, r).Text.view());
    p->entry(25, 25).assign(" ");
    RebuildErrorGrid(*p, *errors);
    const std::string letter = p->cell(25, 25).Text.str();
    for (auto _ : state) {
        SetEntry(*p, *errors, 25, 25, letter);
        benchmark::DoNotOptimize(CheckCompletion(*p, *errors, settings));
    }
    state.counters["words"] = p->WordCount;
}
BENCHMARK(BM_Keystroke50x50FillIn);

void BM_AllCandidates12x12Sudoku(benchmark::State& state) {
    auto p = std::make_unique<TPuzzleData>();
    Frame(*p, TPuzzleKind::Sudoku, 12);
    // A valid arrangement for boxes 4 wide and 3 high; every other cell entered.
    for (int c = 1; c <= 12; ++c)
        for (int r = 1; r <= 12; ++r) {
            const std::string s = SymbolText((4 * ((r - 1) % 3) + (r - 1) / 3 + (c - 1)) % 12 + 1);
            p->cell(c, r).Text.assign(s);
            p->entry(c, r).assign((c + r) % 2 ? s : std::string(" "));
        }
    bool candidates[MaxSudokuSymbols];
    for (auto _ : state)
        for (int c = 1; c <= 12; ++c)
            for (int r = 1; r <= 12; ++r) {
                ListAllowedSymbols(*p, c, r, candidates);
                benchmark::DoNotOptimize(candidates);
            }
}
BENCHMARK(BM_AllCandidates12x12Sudoku);

} // namespace

BENCHMARK_MAIN();
