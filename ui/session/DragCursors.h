// The four cursors shown while a word is dragged from the legend, by their
// fixed numbers 101 to 104.
#pragma once

#include <QCursor>

namespace zx {

// The cursors by their numbers.
enum class TDragCursor : int {
    LeftToRight = 101,
    RightToLeft = 102,
    TopToBottom = 103,
    BottomToTop = 104,
};

// The cursor rendered from its image; the arrow cursor when it cannot be loaded.
QCursor LoadDragCursor(TDragCursor cursor);

// The cursor that matches the modifier flags: neither 101, reversed only 102,
// vertical only 103, both 104.
TDragCursor DragCursorFor(bool vertical, bool reversed);

} // namespace zx
