// Read-only INI text held in memory, with case-insensitive (Windows ANSI) matching.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace zx {

class TIniList {
public:
    TIniList();                       // holds the single line "; NoTitle"

    // Replaces all lines by the text from the stream's position to its end.
    // Lines end at CR, LF or CR LF; a zero byte ends the whole text.
    // False only when no stream is given.
    bool LoadFromStream(std::istream* stream);
    void LoadFromText(const std::string& text);

    int FindSection(const std::string& name) const;           // line index or -1
    std::string KeyName(int line) const;
    std::string ValueOf(int line) const;
    int FindKey(const std::string& section, const std::string& key) const;
    std::string ReadValue(const std::string& section, const std::string& key) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t def) const;
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& def) const;

    const std::vector<std::string>& Lines() const { return m_lines; }

    static constexpr char Separator = '=';

private:
    std::vector<std::string> m_lines;
};

} // namespace zx
