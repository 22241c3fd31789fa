// The commands of the raetsel tool: build, embed and show, callable in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "document/PuzzleData.h"

namespace zx {

// Runs one command line (without the program name). Returns the exit code:
// 0 on success and after --help (printed to out), 1 on bad input (an
// unreadable or invalid file, a compile error, a failed write), 2 on wrong
// usage (unknown command, missing or unknown option; a message on err).
int RunRaetsel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes data to path through a temporary file in the same folder and a
// rename, so that a failed write leaves no file behind. False and a German
// message on failure.
bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error);

// Header and record as stored in a puzzle file.
std::string PuzzleFileBytes(const TPuzzleData& p);

// Settings text for a player container: Windows-1252 with CR LF after every
// line, from UTF-8 text with any line ends. False when a character has no
// Windows-1252 form.
bool SettingsBlockText(const std::string& utf8, std::string& cp1252);

// The packed player: player bytes padded with zeros to the container offset,
// then header, record size, record, settings length and settings text.
// False when the player is longer than the container offset.
bool PackPlayer(const std::string& player, const std::string& puzzleFile,
                const std::string& settings, std::string& packed, std::string& error);

// Prints in UTF-8 what a puzzle file or a packed player holds. False and a
// German message when the file holds neither.
bool ShowPuzzle(const std::string& path, std::ostream& out, std::string& error);

} // namespace zx
