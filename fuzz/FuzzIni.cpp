// libFuzzer target: the input as a settings block, read every way the program
// can, and through the Windows-1252 text helpers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "document/IniList.h"
#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "document/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    zx::TIniList list;
    list.LoadFromText(text);
    std::istringstream in(text);
    zx::TIniList streamed;
    if (!streamed.LoadFromStream(&in) || streamed.Lines() != list.Lines()) std::abort();

    static zx::TPuzzleData p;
    zx::ClearPuzzle(p);
    p.HelpOptions = size > 0 ? data[0] : 0;
    zx::TProgramSettings settings;
    zx::ReadSettings(settings, p, list);
    if (settings.Schriftart.empty() || settings.Schriftart.size() > 255) std::abort();

    // Every section and key the text names, read each way; a key found must
    // give the value of its line.
    std::string section;
    const int lines = static_cast<int>(list.Lines().size());
    for (int i = 0; i < lines; ++i) {
        const std::string& line = list.Lines()[static_cast<std::size_t>(i)];
        if (!line.empty() && line[0] == '[') {
            section = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            const int found = list.FindSection(section);
            if (found < 0 || found > i) std::abort();
            continue;
        }
        const std::string key = list.KeyName(i);
        const std::string value = list.ValueOf(i);
        if (key.empty()) continue;
        const int at = list.FindKey(section, key);
        if (at >= 0 && list.ReadValue(section, key) != list.ValueOf(at)) std::abort();
        list.ReadBool(section, key, true);
        list.ReadInteger(section, key, 0);
        list.ReadString(section, key, "x");
        zx::BlendColors(static_cast<zx::TColor>(list.ReadInteger(section, key, 0)),
                        static_cast<zx::TColor>(value.size()));
    }

    if (zx::Utf8ToCp1252(zx::Cp1252ToUtf8(text)) != text) std::abort();
    zx::Cp1252ToUtf8(zx::Utf8ToCp1252(text));
    if (zx::AnsiUpper(text).size() != text.size() || zx::AsciiUpper(text).size() != text.size())
        std::abort();
    return 0;
}
