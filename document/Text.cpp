// Windows-1252 text helpers: ANSI and ASCII upper case, conversion to and from UTF-8.
#include "document/Text.h"

#include <cstdint>

namespace zx {

namespace {

// Unicode code points of the bytes 0x80..0x9F. The five bytes Windows-1252
// leaves undefined map to the C1 control of the same value, as Windows does,
// so that every byte survives a round trip through UTF-8.
constexpr char32_t HighBlock[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? HighBlock[b - 0x80] : char32_t(b);
}

// The Windows-1252 byte of a code point, or '?' when it has none.
char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if (HighBlock[i] == cp) return static_cast<char>(0x80 + i);
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed input (stray
// continuation bytes, overlong forms, surrogates, values beyond U+10FFFF,
// sequences cut short) yields U+FFFD and consumes a single byte.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}

} // namespace

char AnsiUpperChar(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
    // Accented small letters; 0xF7 is the division sign, 0xDF ("ß") has no
    // single upper-case form and stays.
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A:
        return '\x8A'; // s caron
    case 0x9C:
        return '\x8C'; // oe
    case 0x9E:
        return '\x8E'; // z caron
    case 0xFF:
        return '\x9F'; // y diaeresis
    default:
        return c;
    }
}

std::string AnsiUpper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = AnsiUpperChar(c);
    return r;
}

char AsciiUpperChar(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
}

std::string AsciiUpper(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = AsciiUpperChar(c);
    return r;
}

std::string Cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char c : s)
        AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size())
        out += ByteOf(DecodeUtf8(s, i));
    return out;
}

} // namespace zx
