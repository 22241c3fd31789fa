// The program's short title, put after the maker's name in captions.
#pragma once

#include <QString>

namespace zx {

inline QString ApplicationTitle() { return QString::fromUtf8("Rätsel-Player"); }

} // namespace zx
