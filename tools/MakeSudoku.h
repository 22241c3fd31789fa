// The Sudoku side of the raetsel tool: "raetsel make --typ sudoku" makes a
// Sudoku of a size and level, "raetsel bewerten" grades one, and show prints
// the grade.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "document/PuzzleData.h"

namespace zx {

// Whether a "make" command line names a Sudoku kind with --typ.
bool IsSudokuMake(const std::vector<std::string>& args);

// Runs "make --typ sudoku|sudoku-auf-zeit ..."; args[0] is "make". Exit codes
// as every command: 0 done or help, 1 bad input or a failed write, 2 wrong usage.
int RunMakeSudoku(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Grades the Sudoku of a puzzle file, a packed player or a source and prints
// level and techniques. 1 when the file holds no Sudoku with one solution.
int RateSudokuFile(const std::string& path, std::ostream& out, std::ostream& err);

// "Bewertung: schwer (Techniken: ...)" for a Sudoku record (UTF-8 line);
// nothing for other kinds.
void PrintSudokuGrade(const TPuzzleData& p, std::ostream& out);

// Source text (UTF-8) of a Sudoku record; "raetsel build" turns it back into
// the same record.
std::string SudokuSourceText(const TPuzzleData& p, const std::string& headerComment = {});

} // namespace zx
