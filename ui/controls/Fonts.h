// Font faces the puzzles and windows name, mapped to metric-compatible free fonts.
#pragma once

namespace zx {

// "Arial" and "MS Sans Serif" to Liberation Sans, "Times New Roman" to Liberation Serif.
void InstallFontSubstitutes();

} // namespace zx
