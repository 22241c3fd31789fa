// A word dragged from the legend onto the grid: what travels in the drag's
// data, so that the two windows need to know nothing of each other.
#pragma once

#include <QByteArray>
#include <QMimeData>
#include <QString>
#include <optional>
#include <string>

namespace zx {

// The list a word was dragged from.
enum class TLegendList : int {
    Across = 0, // the across list while the legend shows two lists
    Down = 1,   // the down list, or the single list of all words
};

struct TDraggedWord {
    std::string Word;   // Windows-1252, as the legend row shows it
    int WordIndex = -1; // its word record
    TLegendList List = TLegendList::Down;
    bool TwoLists = false; // the legend shows separate across and down lists
};

inline QString WordDragFormat() { return QStringLiteral("application/x-raetsel-legend-word"); }

// The drag data of a word.
QMimeData* MakeWordDrag(const TDraggedWord& word);
// The word a drag carries; nothing for drags of other kinds or damaged data.
std::optional<TDraggedWord> ReadWordDrag(const QMimeData* data);

} // namespace zx
