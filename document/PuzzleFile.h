// Readers of the puzzle container appended to a player and of puzzle files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zx {

// Offset of the container in a packed player. The packer pads the player with
// zero bytes up to here; the player must therefore stay shorter than this.
inline constexpr std::uint32_t ContainerOffset = 805000;
inline constexpr std::size_t HeaderSize = 31;
inline constexpr char MagicWord[] = "Quadrillenwortel"; // first 16 header bytes
inline constexpr std::size_t MagicSize = 16;

enum TLoadResult : std::uint8_t {
    lrBadFormat = 0,
    lrNotFound = 3,
    lrLoaded = 4,
    lrReadError = 7,
};

// Both readers clear the record first, repair what they read (RepairRecord)
// and report a complete record the program cannot play as lrBadFormat, with
// the record cleared again.

// Reads the container from the executable at exePath into p and applies its
// settings block (defaults first, always; a block cut short by the end of the
// file is ignored).
TLoadResult LoadEmbeddedPuzzle(TPuzzleData& p, const std::string& exePath,
                               TProgramSettings& settings,
                               const TSystemColorResolver& resolve = {});
// Reads a puzzle file (header and record, no settings). A name that does not
// exist gives lrNotFound; one that exists but cannot be read, lrReadError.
TLoadResult LoadPuzzleFile(TPuzzleData& p, const std::string& fileName);

// What a file named on the command line turned out to be.
enum class TPuzzleOrigin { File, PackedPlayer };

// Reads a file named on the command line: a puzzle file (the magic word at
// its start; settings at their defaults), or any file holding a container at
// ContainerOffset, a packed player of whatever program for whatever system,
// whose settings block then applies as in LoadEmbeddedPuzzle. A file that is
// neither gives lrBadFormat. origin, when given, tells which it was.
TLoadResult LoadNamedPuzzle(TPuzzleData& p, const std::string& fileName,
                            TProgramSettings& settings, const TSystemColorResolver& resolve = {},
                            TPuzzleOrigin* origin = nullptr);

// Joins command-line parameters into one file name: quotes stripped and blanks
// trimmed from each, joined by single blanks.
std::string JoinCommandLine(const std::vector<std::string>& params);

// Header of both formats: magic word and the version text padded with spaces.
std::string MakeHeader(const std::string& version);

} // namespace zx
