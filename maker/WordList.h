// Word lists in the form of a source's [begriffe] block: one word a line,
// "WORT [optionen] = Umschreibung", read from UTF-8 into Windows-1252.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/PuzzleData.h"

namespace zx {

// One line of a word list as written.
struct TWordLine {
    int Line = 0;
    std::string Answer; // Windows-1252, upper case, umlauts folded, only A-Z
    std::string Clue;   // Windows-1252, at most 50 characters
    std::optional<TWordDir> Dir;
    bool ForceReversed = false;
    bool Hidden = false;
    std::optional<std::pair<int, int>> At; // (col, row) of the first cell in grid order
};

// Why a list or a line was refused: a German UTF-8 message and the 1-based
// line (0 when it concerns the whole list).
struct TWordListError {
    int Line = 0;
    std::string Message;
};

// Key and option spelling tolerant of case, blanks around it and umlauts:
// "Rückwärts" -> "rueckwaerts".
std::string FoldKey(std::string_view utf8);
std::string TrimBlanks(std::string_view s);
// A number of one to nine decimal digits, nothing else.
bool ParseDigits(std::string_view s, long& out);

// UTF-8 text to Windows-1252; false when a character has no Windows-1252 form.
bool ToWindows1252(std::string_view utf8, std::string& out);

// Answer form of a word: upper case, umlauts and ß as two letters (Käse ->
// KAESE, Straße -> STRASSE). False with a message when another character than
// a letter occurs.
bool AnswerForm(std::string_view utf8, std::string& out, std::string& message);

// Parses one non-empty line "WORT [optionen] = Umschreibung" (":" may stand for
// "="). Checks what one line can show: the options, 2 to 15 letters, a clue of
// at most 50 characters. False with a message otherwise.
bool ParseWordLine(std::string_view utf8, int line, TWordLine& out, std::string& message);

// Reads a whole word list: blank lines and lines starting with ';' are
// skipped, a "[begriffe]" line at the top is allowed. Refuses an empty list,
// more than 201 words, the same answer twice, and a missing clue where
// clueNeeded is set.
bool ReadWordList(std::string_view utf8, bool clueNeeded, std::vector<TWordLine>& out,
                  TWordListError& error);

} // namespace zx
