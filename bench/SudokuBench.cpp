// Sudoku maker benchmark: the median time to make one Sudoku for every size
// and level, and how the grader rates Sudokus read from a file (one a line,
// 81 cells, '.' or '0' for an empty cell), such as another generator's output.
//
//   sudoku_bench [--count N]       time N Sudokus per size and level (default 50)
//   sudoku_bench --rate FILE...    grade the Sudokus of each file
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "maker/SudokuMaker.h"

namespace {

using namespace zx;

constexpr const char* LevelNames[] = {"leicht", "mittelschwer", "schwer", "sehr schwer"};

void TimeMaking(int count) {
    std::printf("%-7s %-13s %8s %8s %8s %7s %8s %7s\n", "Größe", "Stufe", "Median", "Mittel", "Max",
                "Treffer", "Vorgaben", "Gitter");
    for (const int size : {4, 6, 8, 9, 12})
        for (int level = 0; level <= 3; ++level) {
            // Levels a 4 x 4 grid never reaches run to the work limit each time.
            const int n = size == 4 && level > 0 ? std::min(count, 5) : count;
            std::vector<double> ms;
            int hits = 0;
            long givens = 0, attempts = 0;
            for (int seed = 1; seed <= n; ++seed) {
                TSudokuRequest request;
                request.Size = size;
                request.Level = level;
                request.Seed = static_cast<std::uint64_t>(seed);
                TSudokuMade made;
                std::string error;
                const auto start = std::chrono::steady_clock::now();
                MakeSudoku(request, made, error);
                ms.push_back(std::chrono::duration<double, std::milli>(
                                 std::chrono::steady_clock::now() - start)
                                 .count());
                hits += made.Grade.Level == level ? 1 : 0;
                givens += made.givenCount();
                attempts += made.Attempts;
            }
            std::vector<double> sorted = ms;
            std::sort(sorted.begin(), sorted.end());
            const double median = n % 2 ? sorted[static_cast<std::size_t>(n / 2)]
                                        : (sorted[static_cast<std::size_t>(n / 2 - 1)] +
                                           sorted[static_cast<std::size_t>(n / 2)]) /
                                              2;
            double mean = 0;
            for (const double m : ms)
                mean += m / n;
            std::printf("%2d x %-2d %-13s %6.2f ms %6.2f ms %6.1f ms %3d/%-3d %8.1f %7.1f\n", size,
                        size, LevelNames[level], median, mean, sorted.back(), hits, n,
                        double(givens) / n, double(attempts) / n);
            std::fflush(stdout);
        }
}

int Rate(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "sudoku_bench: %s kann nicht gelesen werden\n", path);
        return 1;
    }
    const TSudokuUnits units(SudokuShape(9));
    int levels[4] = {}, unsolved = 0, total = 0;
    std::vector<int> techniques(TechniqueCount, 0);
    for (std::string line; std::getline(in, line);) {
        line.erase(std::remove_if(line.begin(), line.end(),
                                  [](char c) { return !(c == '.' || (c >= '0' && c <= '9')); }),
                   line.end());
        if (line.size() != 81) continue;
        TSudokuGrid givens;
        for (const char c : line)
            givens.push_back(c == '.' ? 0 : c - '0');
        const TSudokuGrade grade = GradeSudoku(units, givens);
        ++total;
        if (!grade.Solved) {
            ++unsolved;
            continue;
        }
        ++levels[grade.Level];
        for (int t = 0; t < TechniqueCount; ++t)
            techniques[static_cast<std::size_t>(t)] += grade.Uses[static_cast<std::size_t>(t)] > 0;
    }
    std::printf("%s: %d Sudokus; leicht %d, mittelschwer %d, schwer %d, sehr schwer %d", path,
                total, levels[0], levels[1], levels[2], levels[3]);
    if (unsolved) std::printf(", ohne genau eine Lösung %d", unsolved);
    std::printf("\n  gebraucht:");
    for (int t = 0; t < TechniqueCount; ++t)
        if (techniques[static_cast<std::size_t>(t)])
            std::printf(" %s %d,", TechniqueName(static_cast<TTechnique>(t)).c_str(),
                        techniques[static_cast<std::size_t>(t)]);
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--rate") {
        int rc = 0;
        for (int i = 2; i < argc; ++i)
            rc |= Rate(argv[i]);
        return rc;
    }
    int count = 50;
    if (argc > 2 && std::string(argv[1]) == "--count") count = std::max(1, std::atoi(argv[2]));
    TimeMaking(count);
    return 0;
}
