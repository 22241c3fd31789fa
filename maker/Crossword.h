// The puzzle maker for the word kinds: from a word list and options to a
// finished record of types 0-12, or a German reason why not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/PuzzleData.h"
#include "maker/Layout.h"
#include "maker/WordList.h"

namespace zx {

struct TMakeOptions {
    TPuzzleKind Kind = TPuzzleKind::FillIn;
    int MaxCols = MaxGridSize;
    int MaxRows = MaxGridSize;
    std::uint64_t Seed = 1;
    std::int64_t Budget = TLayoutOptions{}.Budget; // layout work, see TLayoutOptions
    bool ReverseAllowed = false;                   // kinds 6, 7 and 12 only
    std::uint8_t HelpOptions = 255;
    // Windows-1252 texts, checked against their capacities by the maker.
    std::string SolutionWord; // answer form (upper case, umlauts folded); "@@@": not checked
    std::string SolutionCaption;
    std::string Title, Author, Comment;
};

// Why a puzzle cannot be made: a German UTF-8 message and the word-list line
// it concerns (0 for the options or the list as a whole).
struct TMakeError {
    int Line = 0;
    std::string Message;
};

// Figures of a made layout.
struct TMakeInfo {
    int WordsPlaced = 0;
    int LetterCells = 0;
    int CrossingCells = 0;
    std::int64_t Steps = 0;
};

// Whether the kind may have words standing backwards when the puzzle allows it:
// the brain-teaser grid (a word is dropped backwards) and the jigsaw.
constexpr bool KindAllowsReversed(TPuzzleKind k) {
    return IsBrainTeaser(k) || IsJigsaw(k);
}

// Whether every word of the kind needs a clue: all but the number puzzles, the
// brain-teaser grid and the jigsaw, whose players see no clues.
constexpr bool KindNeedsClues(TPuzzleKind k) {
    return !(IsNumberPuzzle(k) || IsBrainTeaser(k) || IsJigsaw(k));
}

// Makes a puzzle of kind 0-12 from the words. On success the record is
// complete: cells, numbers, start flags, word records in list order, the
// code table of number puzzles (shuffled by the seed), the solution-word cells
// (distinct cells spread over the grid), header texts and help options.
bool MakeWordPuzzle(const std::vector<TWordLine>& words, const TMakeOptions& options,
                    TPuzzleData& out, TMakeInfo& info, TMakeError& error);

// The puzzle as source text (UTF-8) that the source compiler turns into the
// same record: header, [gitter] and [begriffe].
std::string PuzzleSourceText(const TPuzzleData& p);

} // namespace zx
