// Helpers of the shell tests: hand-made puzzle records, puzzle files and packed
// players, and the recorder of modal interactions.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "RecordingDialogs.h"
#include "document/PuzzleData.h"

namespace zxtest {

// A cleared, playable record of a type and size (Sudoku types must be square).
std::unique_ptr<zx::TPuzzleData> MakePuzzle(int type, int cols, int rows);

// A puzzle file: header and record.
void WritePuzzleFile(const QString& path, const zx::TPuzzleData& puzzle);
// A packed player: program bytes padded to the container offset, then the
// container with the record and the settings block.
void WritePackedPlayer(const QString& path, const zx::TPuzzleData& puzzle, const std::string& ini);
void WriteBytes(const QString& path, const std::string& bytes);

// Qt text of a Windows-1252 string written as UTF-8 in the source.
QString U(const char* utf8);

} // namespace zxtest
