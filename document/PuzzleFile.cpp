// Readers of the puzzle container in a packed player and of puzzle files.
#include "document/PuzzleFile.h"

#include <filesystem>
#include <fstream>

#include "document/IniList.h"

namespace zx {

namespace {

constexpr std::size_t RecordSizeFieldSize = 2;
constexpr std::size_t SettingsLengthSize = 4;

bool ReadExact(std::istream& in, void* buffer, std::size_t size) {
    in.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    return in.gcount() == static_cast<std::streamsize>(size);
}

bool HasMagic(const char (&header)[HeaderSize]) {
    return std::string_view(header, MagicSize) == std::string_view(MagicWord, MagicSize);
}

// Reads the header and the record. Returns lrLoaded when both were read whole.
// A record whose sizes or codes the program cannot handle is refused as a bad
// format and cleared; anything else is repaired in place. A partly read
// record goes through the same check, so no later reader sees unsafe values.
TLoadResult ReadHeaderAndRecord(std::istream& in, TPuzzleData& p, bool withSizeField) {
    char header[HeaderSize];
    if (!ReadExact(in, header, HeaderSize)) return lrReadError;
    if (!HasMagic(header)) return lrBadFormat;
    // The record size written by the packer is not trusted: the record is
    // always read as the full fixed-size block.
    char sizeField[RecordSizeFieldSize];
    if (withSizeField && !ReadExact(in, sizeField, RecordSizeFieldSize)) return lrReadError;
    in.read(reinterpret_cast<char*>(&p), static_cast<std::streamsize>(sizeof p));
    const std::streamsize got = in.gcount();
    const TLoadResult result =
        got == static_cast<std::streamsize>(sizeof p) ? lrLoaded : lrReadError;
    if (got > 0 && !RepairRecord(p)) {
        ClearPuzzle(p);
        return result == lrLoaded ? lrBadFormat : result;
    }
    return result;
}

// Applies the settings block of n bytes at the stream's position. A block
// that runs past the end of the file is ignored as a whole; the length comes
// from the file, so it is checked against what is there before anything is
// allocated.
void ApplySettingsBlock(std::istream& in, std::uint32_t n, TProgramSettings& settings,
                        const TPuzzleData& p, const TSystemColorResolver& resolve) {
    if (n == 0) return;
    try {
        const std::streamoff here = in.tellg();
        in.seekg(0, std::ios::end);
        const std::streamoff end = in.tellg();
        if (here < 0 || end < here || static_cast<std::uint64_t>(end - here) < n) return;
        in.seekg(here);
        std::string block(n, '\0');
        if (!ReadExact(in, block.data(), n)) return;
        TIniList list;
        list.LoadFromText(block);
        TProgramSettings read;
        ReadSettings(read, p, list, resolve);
        settings = std::move(read);
    } catch (const std::exception&) {
        // Unreadable settings leave the defaults in place.
    }
}

} // namespace

TLoadResult LoadEmbeddedPuzzle(TPuzzleData& p, const std::string& exePath,
                               TProgramSettings& settings, const TSystemColorResolver& resolve) {
    ClearPuzzle(p);
    SetDefaultSettings(settings, p, resolve);
    std::ifstream in(exePath, std::ios::binary);
    if (!in.is_open()) return lrReadError;
    in.seekg(ContainerOffset);
    if (!in) return lrReadError;

    const TLoadResult result = ReadHeaderAndRecord(in, p, true);
    if (result != lrLoaded) return result;
    unsigned char lengthBytes[SettingsLengthSize] = {};
    if (!ReadExact(in, lengthBytes, SettingsLengthSize)) return lrReadError;

    // Defaults again now that the record's help options are known.
    SetDefaultSettings(settings, p, resolve);
    const std::uint32_t n = lengthBytes[0] | (lengthBytes[1] << 8) | (lengthBytes[2] << 16) |
                            (static_cast<std::uint32_t>(lengthBytes[3]) << 24);
    ApplySettingsBlock(in, n, settings, p, resolve);
    return lrLoaded;
}

TLoadResult LoadPuzzleFile(TPuzzleData& p, const std::string& fileName) {
    ClearPuzzle(p);
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::exists(fileName, ec)) return lrNotFound;
    // An existing file that cannot be opened (no permission, locked) is
    // reported as unreadable.
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return lrReadError;
    return ReadHeaderAndRecord(in, p, false);
}

std::string JoinCommandLine(const std::vector<std::string>& params) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto trim = [&](std::string_view s) {
        while (!s.empty() && isBlank(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && isBlank(s.back()))
            s.remove_suffix(1);
        return s;
    };
    std::string joined;
    for (const std::string& param : params) {
        std::string_view s = param;
        while (!s.empty() && s.front() == '"')
            s.remove_prefix(1);
        while (!s.empty() && s.back() == '"')
            s.remove_suffix(1);
        joined += trim(s);
        joined += ' ';
    }
    return std::string(trim(joined));
}

std::string MakeHeader(const std::string& version) {
    std::string header(MagicWord, MagicSize);
    header += version.substr(0, HeaderSize - MagicSize);
    header.resize(HeaderSize, ' ');
    return header;
}

} // namespace zx
