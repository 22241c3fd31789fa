// What the program does with a record it has read or compiled, shared by the
// fuzz targets: every query, verdict and rule the player runs over a grid.
#pragma once

#include <algorithm>

#include "document/Settings.h"
#include "rules/Rules.h"

namespace zxfuzz {

// Rebuilds the verdicts, looks at every word through every cell (border
// included), judges the Sudoku cells, types the solution into the grid and
// runs the completion check.
inline void Play(zx::TPuzzleData& p, const zx::TProgramSettings& settings) {
    static zx::TErrorGrid errors;
    errors.clear();
    zx::RebuildErrorGrid(p, errors);
    const int lastCol = std::min<int>(p.ColCount + 1, zx::GridDim - 1);
    const int lastRow = std::min<int>(p.RowCount + 1, zx::GridDim - 1);
    for (int col = 0; col <= lastCol; ++col)
        for (int row = 0; row <= lastRow; ++row) {
            zx::WordDirections(p, col, row);
            for (zx::TWordDir dir : {zx::TWordDir::Across, zx::TWordDir::Down}) {
                const zx::TGridWordData w = zx::GetWordData(p, col, row, true, true, dir);
                if (w.Index >= 0) zx::WordSolved(p, w.Index);
            }
            zx::JudgeEntry(p, col, row);
            if (zx::IsSudoku(zx::KindOf(p))) {
                bool allowed[16];
                zx::ListAllowedSymbols(p, col, row, allowed);
                zx::CountAllowedSymbols(p, col, row);
            }
        }
    for (int i = 0; i < p.wordCount(); ++i) {
        const zx::TPuzzleWord& w = p.Words[i];
        zx::ClueOf(p, w.Number, zx::DirOf(w));
        zx::WordLength(p, w.Number, zx::DirOf(w));
        zx::FindWordByText(p, w.Answer.view(), zx::DirOf(w));
    }
    for (int col = 1; col <= lastCol; ++col)
        for (int row = 1; row <= lastRow; ++row)
            zx::SetEntry(p, errors, col, row, p.cell(col, row).Text.view());
    zx::CheckCompletion(p, errors, settings);
    zx::PuzzleTypeCaption(p);
}

// The record as a player who knows the solution leaves it: every letter in its
// cell, the blocks of an American crossword marked as blanks, the hidden words
// of a jigsaw painted, the solution word typed. The completion check must then
// call it solved.
inline bool SolvedByItsSolution(const zx::TPuzzleData& record) {
    static zx::TPuzzleData p;
    static zx::TErrorGrid errors;
    p = record;
    const zx::TPuzzleKind kind = zx::KindOf(p);
    for (int col = 1; col <= p.ColCount; ++col)
        for (int row = 1; row <= p.RowCount; ++row) {
            zx::TPuzzleCell& cell = p.cell(col, row);
            const bool block = (cell.Flags & zx::cfBlock) != 0;
            if (zx::IsAmerican(kind) && block) cell.Flags |= zx::cfBlank;
            if (zx::IsJigsaw(kind) && !block) cell.Flags |= zx::cfMarked;
            if (!block) p.entry(col, row).assign(cell.Text.view());
        }
    if (zx::HasSolutionWord(kind)) p.SolutionEntry.assign(p.SolutionWord.view());
    zx::RebuildErrorGrid(p, errors);
    zx::TProgramSettings settings;
    zx::SetDefaultSettings(settings, p);
    return zx::CheckCompletion(p, errors, settings).form() == zx::TResultForm::Success;
}

} // namespace zxfuzz
