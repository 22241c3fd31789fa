// Crossword layout search: places words into a grid so that every run of two
// or more letters is a placed word and all words hang together.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/PuzzleData.h"

namespace zx {

// A word to place: its letters A-Z and what the puzzle allows for it.
struct TLayoutWord {
    std::string Letters;
    std::optional<TWordDir> Dir; // only this direction when set
    bool MayReverse = false;     // may stand backwards in the grid
    bool MustReverse = false;    // must stand backwards
};

struct TLayoutOptions {
    int MaxCols = MaxGridSize;
    int MaxRows = MaxGridSize;
    std::uint64_t Seed = 1;
    // Work budget in grid cells examined: the search stops there and keeps
    // its best layout, so the same seed gives the same grid on every machine,
    // however fast. 0: 200 000 per word (about 0.7 s for 40 words here).
    std::int64_t Budget = 0;
};

// The budget a search of that many words works with: the given one, or the
// automatic one for 0.
inline std::int64_t EffectiveBudget(const TLayoutOptions& o, std::size_t words) {
    if (o.Budget > 0) return o.Budget;
    return std::max<std::int64_t>(2'000'000, 200'000 * static_cast<std::int64_t>(words));
}

// Where a word stands: its first cell in grid order, 1-based.
struct TPlacement {
    bool Placed = false;
    int Col = 0, Row = 0;
    TWordDir Dir = TWordDir::Across;
    bool Reversed = false;
};

struct TCrosswordLayout {
    int Cols = 0, Rows = 0;
    std::vector<TPlacement> Words; // in the order of the input
    std::vector<std::string> Grid; // Rows strings of Cols cells: 'A'-'Z' or '#'
    int Placed = 0;                // words placed
    int LetterCells = 0;
    int CrossingCells = 0;  // cells where an across and a down word meet
    std::int64_t Steps = 0; // work spent
    bool complete() const { return Placed == static_cast<int>(Words.size()); }
    double density() const {
        return Cols > 0 && Rows > 0 ? double(LetterCells) / (Cols * Rows) : 0.0;
    }
    // Crossed cells summed over the placed words: every crossing counts for
    // both of its words.
    double crossingsPerWord() const { return Placed ? 2.0 * CrossingCells / Placed : 0.0; }
};

// Searches within the limits for a layout of all words, as small as the
// budget finds. A word that fits nowhere stays unplaced (Placed false); the
// result is the best layout found: most words, then the smallest area, then
// the most crossings.
TCrosswordLayout LayOutCrossword(const std::vector<TLayoutWord>& words,
                                 const TLayoutOptions& options);

// Small deterministic generator (splitmix64), the same sequence everywhere.
class TRandom {
public:
    explicit TRandom(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n, n > 0.
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t m_state;
};

} // namespace zx
