// The large puzzles the benchmarks measure: a 50 x 50 crossword and its 201 words.
#pragma once

#include <string>

#include "BenchFrame.h"
#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zxbench {

// A 50 x 50 Swedish crossword: diagonal runs of blocks, letters and word
// numbers elsewhere, every second cell filled in.
inline TBenchFrame& MakeCrossword(TBenchFrame& f) {
    zx::TPuzzleData& p = f.St.Puzzle;
    zx::ClearPuzzle(p);
    p.PuzzleType = 0;
    p.ColCount = 50;
    p.RowCount = 50;
    int number = 0;
    for (int c = 0; c < zx::GridDim; ++c)
        for (int r = 0; r < zx::GridDim; ++r) {
            zx::TPuzzleCell& cell = p.cell(c, r);
            const bool inside = c >= 1 && r >= 1 && c <= 50 && r <= 50;
            if (!inside || (c + r) % 7 == 0) {
                cell.Flags = zx::cfBlock;
                continue;
            }
            cell.Flags = zx::cfLetter;
            const char letter = static_cast<char>('A' + (c * 7 + r * 3) % 26);
            cell.Text.assign(std::string(1, letter));
            if ((c + r) % 7 == 1 && number < 199) cell.Number = ++number;
            p.entry(c, r).assign((c + r) % 2 ? std::string(1, letter) : std::string(" "));
        }
    zx::SetDefaultSettings(f.St.Settings, p);
    f.St.Settings.Feldgroesse = 60;
    f.St.Settings.Schriftgroesse = 44;
    return f;
}

// A Swedish crossword record with 201 words in both directions, numbers in
// falling order so that the sort has work to do.
inline void Fill201(zx::TPuzzleData& p) {
    p.PuzzleType = static_cast<std::uint8_t>(zx::TPuzzleKind::Swedish);
    p.RowCount = 50;
    p.ColCount = 50;
    p.WordCount = zx::MaxWords;
    for (int i = 0; i < zx::MaxWords; ++i) {
        zx::TPuzzleWord& w = p.Words[i];
        w.Number = 201 - i / 2;
        w.Direction = i % 2 ? zx::wdDown : zx::wdAcross;
        w.Answer.assign("WORTLAENGE");
        w.Clue.assign("Eine Umschreibung von mittlerer Laenge " + std::to_string(i));
    }
}

} // namespace zxbench
