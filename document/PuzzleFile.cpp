// Readers of the puzzle container in a packed player and of puzzle files.
#include "document/PuzzleFile.h"

#include <cstdio>
#include <filesystem>

#include "document/IniList.h"

namespace zx {

namespace {

constexpr std::size_t RecordSizeFieldSize = 2;
constexpr std::size_t SettingsLengthSize = 4;

// A file opened for reading, closed with its reader. The C library's streams
// rather than the C++ ones: those set up the locale machinery, a few hundred
// kilobytes of memory the program has no other use for.
class TFileReader {
public:
    explicit TFileReader(const std::string& name) : m_file(std::fopen(name.c_str(), "rb")) {}
    ~TFileReader() {
        if (m_file) std::fclose(m_file);
    }
    TFileReader(const TFileReader&) = delete;
    TFileReader& operator=(const TFileReader&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // The number of bytes read, fewer at the end of the file or on an error.
    std::size_t Read(void* buffer, std::size_t size) { return std::fread(buffer, 1, size, m_file); }
    bool Seek(long offset) { return std::fseek(m_file, offset, SEEK_SET) == 0; }
    // The bytes from the position to the end of the file; -1 when unknown.
    long Remaining() {
        const long here = std::ftell(m_file);
        if (here < 0 || std::fseek(m_file, 0, SEEK_END) != 0) return -1;
        const long end = std::ftell(m_file);
        if (end < here || !Seek(here)) return -1;
        return end - here;
    }

private:
    std::FILE* m_file;
};

bool ReadExact(TFileReader& in, void* buffer, std::size_t size) {
    return in.Read(buffer, size) == size;
}

bool HasMagic(const char (&header)[HeaderSize]) {
    return std::string_view(header, MagicSize) == std::string_view(MagicWord, MagicSize);
}

// Reads the header and the record. Returns lrLoaded when both were read whole.
// A record whose sizes or codes the program cannot handle is refused as a bad
// format and cleared; anything else is repaired in place. A partly read
// record goes through the same check, so no later reader sees unsafe values.
TLoadResult ReadHeaderAndRecord(TFileReader& in, TPuzzleData& p, bool withSizeField) {
    char header[HeaderSize];
    if (!ReadExact(in, header, HeaderSize)) return lrReadError;
    if (!HasMagic(header)) return lrBadFormat;
    // The record size written by the packer is not trusted: the record is
    // always read as the full fixed-size block.
    char sizeField[RecordSizeFieldSize];
    if (withSizeField && !ReadExact(in, sizeField, RecordSizeFieldSize)) return lrReadError;
    const std::size_t got = in.Read(&p, sizeof p);
    const TLoadResult result = got == sizeof p ? lrLoaded : lrReadError;
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
void ApplySettingsBlock(TFileReader& in, std::uint32_t n, TProgramSettings& settings,
                        const TPuzzleData& p, const TSystemColorResolver& resolve) {
    if (n == 0) return;
    try {
        const long remaining = in.Remaining();
        if (remaining < 0 || static_cast<std::uint64_t>(remaining) < n) return;
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
    TFileReader in(exePath);
    if (!in.IsOpen() || !in.Seek(ContainerOffset)) return lrReadError;

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
    TFileReader in(fileName);
    if (!in.IsOpen()) return lrReadError;
    return ReadHeaderAndRecord(in, p, false);
}

namespace {

// Whether the file has the magic word at offset `at`.
bool MagicAt(TFileReader& in, long at) {
    char magic[MagicSize];
    return in.Seek(at) && ReadExact(in, magic, MagicSize) &&
           std::string_view(magic, MagicSize) == std::string_view(MagicWord, MagicSize);
}

} // namespace

TLoadResult LoadNamedPuzzle(TPuzzleData& p, const std::string& fileName,
                            TProgramSettings& settings, const TSystemColorResolver& resolve,
                            TPuzzleOrigin* origin) {
    if (origin) *origin = TPuzzleOrigin::File;
    ClearPuzzle(p);
    TLoadResult result = lrNotFound;
    std::error_code ec;
    if (!fileName.empty() && std::filesystem::exists(fileName, ec)) {
        TFileReader in(fileName);
        if (!in.IsOpen()) {
            result = lrReadError;
        } else if (MagicAt(in, 0)) {
            result = in.Seek(0) ? ReadHeaderAndRecord(in, p, false) : lrReadError;
        } else if (MagicAt(in, static_cast<long>(ContainerOffset))) {
            if (origin) *origin = TPuzzleOrigin::PackedPlayer;
            return LoadEmbeddedPuzzle(p, fileName, settings, resolve);
        } else {
            result = lrBadFormat;
        }
    }
    SetDefaultSettings(settings, p, resolve);
    return result;
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
