// The state every window of the player shares for the whole run, held by the
// play session: what the windows read, and what only its operations change.
#pragma once

#include <cstdint>

#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zx {

struct TPlayerState {
    TPuzzleData Puzzle{};          // the current record: what undo restores
    TPuzzleData UndoCopy{};        // the record as it was before the last change
    bool UndoAvailable = false;    // a copy was saved since the last undo
    TErrorGrid ErrorGrid{};        // verdicts of the entries, written by SetEntry
    TProgramSettings Settings;
    std::uint8_t ViewMode = 0;     // 0 normal play, 1 the solution is shown
    bool DragVertical = false;     // Shift held and one legend for all words
    bool DragReversed = false;     // Ctrl held and reversed words allowed
    bool CtrlHeld = false;         // Ctrl held in a crossword jigsaw
};

} // namespace zx
