// Jigsaw layout: the words hidden in a grid filled with letters, each to be
// found exactly once.
#pragma once

#include <string>
#include <vector>

#include "maker/Layout.h"

namespace zx {

struct TJigsawLayout {
    int Cols = 0, Rows = 0;
    std::vector<std::string> Grid;         // every cell a letter 'A'-'Z'
    std::vector<std::vector<bool>> InWord; // [row][col], 0-based: cell of a hidden word
    std::vector<TPlacement> Words;         // in the order of the input
    std::int64_t Steps = 0;
};

// Hides the words across and down (backwards where a word may stand so) in
// a grid within the limits, crossing where letters agree, and fills the other
// cells so that no word can be found a second time, forwards or, where
// reverseAllowed, backwards. A word that is part of another word is hidden
// inside it. False when the budget ends without such a grid; failedWord is
// then the index of a word that could not be placed uniquely, or -1.
bool LayOutJigsaw(const std::vector<TLayoutWord>& words, bool reverseAllowed,
                  const TLayoutOptions& options, TJigsawLayout& out, int& failedWord);

} // namespace zx
