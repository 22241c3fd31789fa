// The completion check after a player's change, its result messages, and the
// shared formatting of times.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/PuzzleData.h"

namespace zx {

struct TProgramSettings;

// A solution word of exactly these three characters is never checked.
inline constexpr std::string_view NoSolutionMarker = "@@@";

// Which result message applies after a check.
enum class TResultMessage : std::uint8_t {
    None,            // nothing to show
    SolvedBestTime,  // timed Sudoku solved in a new best time
    SolvedNotBeaten, // timed Sudoku solved, best time not beaten
    Solved,          // any other type solved
    FullButWrong,    // crossword types: every cell filled, but not right
};

// The two forms of the result dialog.
enum class TResultForm : std::uint8_t { None, Success, Failure };

// Windows-1252 text of a message; empty for None.
std::string ResultMessageText(TResultMessage m);
TResultForm ResultMessageForm(TResultMessage m);

struct TCompletionResult {
    TResultMessage Message = TResultMessage::None;

    bool shown() const { return Message != TResultMessage::None; }
    TResultForm form() const { return ResultMessageForm(Message); }
    std::string text() const { return ResultMessageText(Message); }
};

// Decides whether the puzzle is solved or full but wrong. On the first
// success it sets Solved, and for the timed Sudoku stops the clock and keeps
// the best time. Shows nothing: the caller shows the returned message.
TCompletionResult CheckCompletion(TPuzzleData& p, const TErrorGrid& errors,
                                  const TProgramSettings& settings);

// "mm:ss" of seconds taken as an unsigned 16-bit number (minutes may have three
// digits), followed by " min." when withUnit is set.
std::string TimeText(int seconds, bool withUnit);

} // namespace zx
