// "raetsel make" for the word kinds: a puzzle file or source from a word list.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zx {

// Runs "make" with its arguments (args[0] is "make"). Exit codes as every
// command: 0 success or help, 1 bad input (unreadable or invalid word list,
// a puzzle that cannot be made, a failed write), 2 wrong usage.
int RunMake(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace zx
