// Font faces the puzzles and windows name, mapped to metric-compatible free fonts.
#pragma once

#include <QFont>
#include <QString>

namespace zx {

// "Arial" and "MS Sans Serif" to Liberation Sans, "Times New Roman" to Liberation Serif.
void InstallFontSubstitutes();

// A font of the face whose line height (ascent + descent) is height units, as
// cell numbers and letters on paper are sized.
QFont FontWithHeight(const QString& face, int height, bool bold);

} // namespace zx
