// The state every window of the player shares for the whole run. The frame
// owns the one instance and hands it to each window it opens.
#pragma once

#include <cstdint>

#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zx {

struct TPlayerState {
    TPuzzleData Puzzle{};          // the current record: what undo restores
    TPuzzleData UndoCopy{};        // the record as it was before the last change
    bool UndoAvailable = false;    // mirrors the enabled state of the undo button
    TErrorGrid ErrorGrid{};        // verdicts of the entries, written by SetEntry
    TProgramSettings Settings;
    std::uint8_t ViewMode = 0;     // 0 normal play, 1 the solution is shown
    bool DragVertical = false;     // Shift held and one legend for all words
    bool DragReversed = false;     // Ctrl held and reversed words allowed
    bool CtrlHeld = false;         // Ctrl held in a crossword jigsaw
};

} // namespace zx
