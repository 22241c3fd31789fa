// Compiler of the readable puzzle source format (see tools/README.md) into a
// puzzle record with everything a generator derives from the grid.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "document/PuzzleData.h"

namespace zx {

// Where and why a source was refused. Message is German, UTF-8.
// Line is 1-based; 0 when the fault concerns the whole file (a missing key).
struct TSourceError {
    std::string File;
    int Line = 0;
    std::string Message;
};

struct TCompiledPuzzle {
    TPuzzleData Record;
    // Settings block for a player container: Windows-1252, CR LF line ends,
    // empty when the source has none.
    std::string SettingsIni;
};

// Compiles a UTF-8 source text. Returns false and fills `error` on the first
// error; `out` is then unspecified.
bool CompilePuzzleSource(std::string_view text, const std::string& fileName, TCompiledPuzzle& out,
                         TSourceError& error);

// Help options written as in a source's "hilfen" key: a comma list of fehler,
// buchstabe, loesung, bearbeiten, or alle, keine, or the byte value 0-255.
// False and a German message otherwise.
bool ParseHelpOptions(const std::string& value, std::uint8_t& out, std::string& message);

// "file:line: message" (or "file: message" when Line is 0).
std::string FormatSourceError(const TSourceError& error);

} // namespace zx
