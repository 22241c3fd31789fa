// The Sudoku generator and the Sudoku record.
#include "maker/SudokuMaker.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "rules/SudokuRule.h"

namespace zx {

int TSudokuMade::givenCount() const {
    return static_cast<int>(
        std::count_if(Givens.begin(), Givens.end(), [](int v) { return v != 0; }));
}

int HighestSudokuLevel(int n) {
    return n == 4 ? 0 : MaxLevel;
}

bool MakeSudoku(const TSudokuRequest& request, TSudokuMade& made, std::string& error) {
    if (!IsSudokuSize(request.Size)) {
        error = "ein Sudoku hat 4, 6, 8, 9 oder 12 Felder je Seite, nicht " +
                std::to_string(request.Size);
        return false;
    }
    if (request.Level < 0 || request.Level > MaxLevel) {
        error = "die Stufe ist 0 bis 3";
        return false;
    }
    const TSudokuShape shape = SudokuShape(request.Size);
    const int cells = shape.Cells();
    const int target = std::min(request.Level, HighestSudokuLevel(request.Size));
    TSudokuSolver solver(shape);
    const TSudokuUnits& units = solver.Units();
    std::mt19937_64 rng(request.Seed);
    // Every cell with its mirror through the centre; the centre of an odd grid alone.
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < cells; ++i)
        if (i <= cells - 1 - i) pairs.emplace_back(i, cells - 1 - i);
    long gradeWork = 0;
    const auto work = [&] { return solver.TotalNodes() + gradeWork; };
    const auto within = [&](const TSudokuGrid& g, int level) {
        gradeWork += cells;
        return GradeSudoku(units, g, level).Solved;
    };
    made = {};
    made.Shape = shape;
    int bestDistance = 99;
    for (int attempt = 1; bestDistance > 0 && (attempt == 1 || work() < request.MaxWork);
         ++attempt) {
        TSudokuGrid solution;
        if (!solver.Fill(rng, solution)) continue;
        TSudokuGrid givens = solution;
        ShuffleWith(rng, std::span(pairs));
        for (const auto& [a, b] : pairs) {
            const int va = givens[static_cast<std::size_t>(a)];
            const int vb = givens[static_cast<std::size_t>(b)];
            givens[static_cast<std::size_t>(a)] = givens[static_cast<std::size_t>(b)] = 0;
            // Solved by the techniques up to level 2 proves one solution without a search.
            const bool keep = target < 3 ? within(givens, target)
                                         : within(givens, 2) || solver.Count(givens, 2) == 1;
            if (!keep) {
                givens[static_cast<std::size_t>(a)] = va;
                givens[static_cast<std::size_t>(b)] = vb;
            }
        }
        gradeWork += cells;
        const TSudokuGrade grade = GradeSudoku(units, givens, 3, &solution);
        const int distance = std::abs(grade.Level - target);
        if (grade.Solved && distance < bestDistance) {
            bestDistance = distance;
            made.Givens = std::move(givens);
            made.Solution = std::move(solution);
            made.Grade = grade;
        }
        made.Attempts = attempt;
    }
    made.Work = work();
    if (made.Givens.empty()) {
        error = "in der Suchgrenze wurde kein Sudoku gefunden";
        return false;
    }
    return true;
}

void FillSudokuCells(TPuzzleData& p, int n, std::span<const int> givens,
                     std::span<const int> solution) {
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            TPuzzleCell& cell = p.cell(c, r);
            if (c == 0 || r == 0 || c > n || r > n) {
                cell.Flags = cfBlock;
                continue;
            }
            const auto i = static_cast<std::size_t>((r - 1) * n + (c - 1));
            const std::string symbol = SymbolText(solution[i]);
            cell.Text.assign(symbol);
            cell.Flags = cfLetter;
            if (givens[i]) {
                cell.Flags |= cfSolution;
                p.entry(c, r).assign(symbol);
            }
        }
}

void SudokuRecord(const TSudokuMade& made, TPuzzleKind kind, TPuzzleData& p) {
    // Reserved bytes are written as zero, as in every stored file.
    std::memset(static_cast<void*>(&p), 0, sizeof p);
    ClearPuzzle(p);
    const int n = made.Shape.N;
    p.PuzzleType = static_cast<std::uint8_t>(kind);
    p.ColCount = p.RowCount = static_cast<std::uint8_t>(n);
    p.Level = static_cast<std::uint8_t>(made.Grade.Level);
    FillSudokuCells(p, n, made.Givens, made.Solution);
}

TSudokuGrid SudokuGivens(const TPuzzleData& p) {
    const int n = p.ColCount;
    if (!IsSudoku(KindOf(p)) || p.RowCount != n || !IsSudokuSize(n)) return {};
    TSudokuGrid givens(static_cast<std::size_t>(n * n), 0);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c)
            if (p.cell(c, r).Flags & cfSolution)
                givens[static_cast<std::size_t>((r - 1) * n + (c - 1))] =
                    SymbolValue(p.cell(c, r).Text.view());
    return givens;
}

} // namespace zx
