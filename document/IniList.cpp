// The read-only INI list: lines of text, sections "[name]" and "key=value" lines.
#include "document/IniList.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "document/Text.h"

namespace zx {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads a whole value as a signed 32-bit number: leading blanks, an optional
// sign, then decimal digits or "$" and hexadecimal digits. Decimal values must
// fit the signed range; hexadecimal ones may use all 32 bits (colours such as
// $80000005 are written that way) and are taken as their two's complement.
bool ParseInteger(std::string_view v, std::int32_t& out) {
    std::size_t i = 0;
    while (i < v.size() && v[i] == ' ')
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
    if (i >= v.size()) return false;
    std::uint64_t magnitude = 0;
    if (v[i] == '$') {
        if (++i >= v.size()) return false;
        for (; i < v.size(); ++i) {
            const int d = HexDigit(v[i]);
            if (d < 0) return false;
            magnitude = magnitude * 16 + static_cast<unsigned>(d);
            if (magnitude > 0xFFFFFFFFu) return false;
        }
        const auto bits = static_cast<std::uint32_t>(magnitude);
        out = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    for (; i < v.size(); ++i) {
        if (v[i] < '0' || v[i] > '9') return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(v[i] - '0');
        if (magnitude > 0x80000000u) return false;
    }
    if (!negative && magnitude > 0x7FFFFFFFu) return false;
    out = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                   : static_cast<std::int32_t>(magnitude);
    return true;
}

} // namespace

TIniList::TIniList() : m_lines{"; NoTitle"} {}

bool TIniList::LoadFromStream(std::istream* stream) {
    if (!stream) return false;
    // A failing stream leaves its error state set for the caller to inspect;
    // whatever was read before the failure becomes the text.
    std::string text{std::istreambuf_iterator<char>(*stream), std::istreambuf_iterator<char>()};
    LoadFromText(text);
    return true;
}

void TIniList::LoadFromText(const std::string& text) {
    m_lines.clear();
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t i = 0;
    while (i < end) {
        const std::size_t start = i;
        while (i < end && text[i] != '\r' && text[i] != '\n')
            ++i;
        m_lines.emplace_back(text, start, i - start);
        if (i < end && text[i] == '\r') ++i;
        if (i < end && text[i] == '\n') ++i;
    }
}

int TIniList::FindSection(const std::string& name) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        if (line.empty() || line[0] != '[') continue;
        // The closing character is dropped unchecked.
        const std::string_view inner = line.size() >= 2
                                           ? std::string_view(line).substr(1, line.size() - 2)
                                           : std::string_view();
        if (SameText(inner, name)) return static_cast<int>(i);
    }
    return -1;
}

std::string TIniList::KeyName(int line) const {
    if (line < 0 || static_cast<std::size_t>(line) >= m_lines.size()) return {};
    const std::string& s = m_lines[static_cast<std::size_t>(line)];
    const std::size_t eq = s.find(Separator);
    return (eq != std::string::npos && eq >= 1) ? s.substr(0, eq) : std::string();
}

std::string TIniList::ValueOf(int line) const {
    if (line < 0 || static_cast<std::size_t>(line) >= m_lines.size()) return {};
    const std::string& s = m_lines[static_cast<std::size_t>(line)];
    const std::size_t eq = s.find(Separator);
    return eq != std::string::npos ? s.substr(eq + 1) : std::string();
}

int TIniList::FindKey(const std::string& section, const std::string& key) const {
    if (m_lines.empty()) return -1;
    const int header = FindSection(section);
    if (header < 0) return -1;
    for (std::size_t i = static_cast<std::size_t>(header) + 1; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        if (line.empty() || line[0] == '[') return -1;
        if (SameText(KeyName(static_cast<int>(i)), key)) return static_cast<int>(i);
    }
    return -1;
}

std::string TIniList::ReadValue(const std::string& section, const std::string& key) const {
    const int line = FindKey(section, key);
    return line >= 0 ? ValueOf(line) : std::string();
}

bool TIniList::ReadBool(const std::string& section, const std::string& key, bool def) const {
    const std::string v = ReadValue(section, key);
    if (v == "1") return true;
    if (v == "0") return false;
    return def;
}

std::int32_t TIniList::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t def) const {
    std::int32_t value = 0;
    return ParseInteger(ReadValue(section, key), value) ? value : def;
}

std::string TIniList::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    std::string v = ReadValue(section, key);
    return v.empty() ? def : v;
}

} // namespace zx
