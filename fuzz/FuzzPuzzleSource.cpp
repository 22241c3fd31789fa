// libFuzzer target: the input as a puzzle source for the raetsel compiler. A
// refused source must be named by a readable message at one of its lines; a
// compiled one must need no repair, be solved by its own solution and survive
// everything the player does with a record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "PlayRecord.h"
#include "document/IniList.h"
#include "document/Settings.h"
#include "document/Text.h"
#include "tools/PuzzleSource.h"

namespace {

// Whether s is well-formed UTF-8: no stray or cut-short sequences, no
// overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        std::uint32_t cp = b, least = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if ((b & 0xE0) == 0xC0)
            extra = 1, cp = b & 0x1F, least = 0x80;
        else if ((b & 0xF0) == 0xE0)
            extra = 2, cp = b & 0x0F, least = 0x800;
        else if ((b & 0xF8) == 0xF0)
            extra = 3, cp = b & 0x07, least = 0x10000;
        else
            return false;
        if (s.size() - i <= extra) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static zx::TCompiledPuzzle out;
    zx::TSourceError error;
    if (!zx::CompilePuzzleSource(text, "quelle.txt", out, error)) {
        const long lines = std::count(text.begin(), text.end(), '\n') + 1;
        if (error.Message.empty() || error.Line < 0 || error.Line > lines) std::abort();
        // The message is printed as UTF-8; it quotes the source, so it can be
        // valid only where the source is.
        if (IsUtf8(text) && !IsUtf8(zx::FormatSourceError(error))) std::abort();
        return 0;
    }

    zx::TPuzzleData& p = out.Record;
    static zx::TPuzzleData copy;
    copy = p;
    if (!zx::RepairRecord(copy) || std::memcmp(&copy, &p, sizeof copy) != 0) std::abort();
    if (!zxfuzz::SolvedByItsSolution(p)) std::abort();

    // The settings block as a packed player reads it.
    zx::TIniList list;
    list.LoadFromText(out.SettingsIni);
    zx::TProgramSettings settings;
    zx::ReadSettings(settings, p, list);
    zxfuzz::Play(p, settings);
    return 0;
}
