// Layout quality and time on word lists: words placed, grid size, density,
// crossings per word, milliseconds; one line per list and seed.
//   layout_bench [--seeds N] [--budget STEPS] LIST...
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "maker/Layout.h"
#include "maker/WordList.h"

namespace {

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int seeds = 5;
    zx::TLayoutOptions options;
    std::vector<std::string> lists;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seeds" && i + 1 < argc)
            seeds = std::stoi(argv[++i]);
        else if (a == "--budget" && i + 1 < argc)
            options.Budget = std::stoll(argv[++i]);
        else
            lists.push_back(a);
    }
    std::printf("%-28s %4s %7s %7s %8s %7s %6s %9s\n", "list", "seed", "placed", "grid", "density",
                "cross/w", "ms", "steps");
    for (const std::string& path : lists) {
        std::string text;
        std::vector<zx::TWordLine> lines;
        zx::TWordListError error;
        if (!ReadFile(path, text) || !zx::ReadWordList(text, false, lines, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.Line, error.Message.c_str());
            return 1;
        }
        std::vector<zx::TLayoutWord> words;
        for (const zx::TWordLine& l : lines)
            words.push_back({l.Answer, l.Dir, false, false});
        const std::string name = path.substr(path.find_last_of('/') + 1);
        for (int seed = 1; seed <= seeds; ++seed) {
            options.Seed = static_cast<std::uint64_t>(seed);
            const auto t0 = std::chrono::steady_clock::now();
            const zx::TCrosswordLayout l = zx::LayOutCrossword(words, options);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                    .count();
            char grid[16];
            std::snprintf(grid, sizeof grid, "%dx%d", l.Cols, l.Rows);
            std::printf("%-28s %4d %3d/%-3zu %7s %8.3f %7.2f %6.0f %9lld\n", name.c_str(), seed,
                        l.Placed, words.size(), grid, l.density(), l.crossingsPerWord(), ms,
                        static_cast<long long>(l.Steps));
        }
    }
    return 0;
}
