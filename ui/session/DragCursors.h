// The four cursors shown while a word is dragged from the legend, by their
// fixed numbers 101 to 104.
#pragma once

#include <QCursor>

namespace zx {

enum TDragCursorNumber : int {
    crLeftToRight = 101,
    crRightToLeft = 102,
    crTopToBottom = 103,
    crBottomToTop = 104,
};

// The cursor of a number; the arrow cursor for any other number.
QCursor LoadDragCursor(int number);

// The number that matches the modifier flags: neither 101, reversed only 102,
// vertical only 103, both 104.
int DragCursorNumber(bool vertical, bool reversed);

} // namespace zx
