// Windows-1252 text helpers; record strings and settings are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace zx {

// Upper case of one character by the Windows ANSI rule: a-z and the accented
// letters of Windows-1252 ("ä" -> "Ä", "ö" -> "Ö", "ü" -> "Ü", ...); "ß" stays.
char AnsiUpperChar(char c);
std::string AnsiUpper(std::string_view s);
// Upper case by the plain ASCII rule: only a-z change.
char AsciiUpperChar(char c);
std::string AsciiUpper(std::string_view s);

// Conversion between Windows-1252 bytes and UTF-8. Characters without a
// Windows-1252 form become '?'.
std::string Cp1252ToUtf8(std::string_view s);
std::string Utf8ToCp1252(std::string_view s);

} // namespace zx
