// Conversion between the document's Windows-1252 text and QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zx {

QString ToQString(std::string_view cp1252);
std::string FromQString(const QString& s); // characters without a Windows-1252 form become '?'

} // namespace zx
