// libFuzzer target: the input as a puzzle file and as the container of a packed
// player, then the rules over whatever was read.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "PlayRecord.h"
#include "document/PuzzleFile.h"

namespace {

// Two files in a private temporary directory, rewritten for every input and
// removed when the fuzzer exits.
class TScratch {
public:
    TScratch() {
        char pattern[] = "/tmp/zx-fuzz-XXXXXX";
        if (!::mkdtemp(pattern)) std::abort();
        m_dir = pattern;
    }
    ~TScratch() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string file() const { return m_dir + "/puzzle.raetsel"; }
    std::string player() const { return m_dir + "/player"; }

private:
    std::string m_dir;
};

void Write(const std::string& path, std::uint32_t offset, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    // Seeking past the end leaves a hole, so the padded player costs no disk space.
    out.seekp(offset);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TScratch scratch;
    const std::string input(reinterpret_cast<const char*>(data), size);

    // The container carries a record-size word after the header that the
    // puzzle file lacks; everything else lines up.
    Write(scratch.file(), 0, input);
    std::string container = input;
    if (container.size() >= zx::HeaderSize)
        container.insert(zx::HeaderSize, std::string("\xB0\xFF", 2));
    Write(scratch.player(), zx::ContainerOffset, container);

    static zx::TPuzzleData fromFile;
    static zx::TPuzzleData fromPlayer;
    const zx::TLoadResult fileResult = zx::LoadPuzzleFile(fromFile, scratch.file());
    zx::TProgramSettings settings;
    const zx::TLoadResult playerResult =
        zx::LoadEmbeddedPuzzle(fromPlayer, scratch.player(), settings);

    if (fileResult == zx::lrLoaded && playerResult == zx::lrLoaded &&
        std::memcmp(&fromFile, &fromPlayer, sizeof fromFile) != 0)
        std::abort(); // both readers must agree on the same record bytes
    for (auto [p, result] : {std::pair{&fromFile, fileResult}, {&fromPlayer, playerResult}}) {
        // A loaded record needs no further repair.
        static zx::TPuzzleData copy;
        copy = *p;
        if (result == zx::lrLoaded &&
            (!zx::RepairRecord(copy) || std::memcmp(&copy, p, sizeof copy) != 0))
            std::abort();
    }
    if (settings.Schriftart.size() > 255) std::abort();

    if (fileResult == zx::lrLoaded) {
        zx::TProgramSettings defaults;
        zx::SetDefaultSettings(defaults, fromFile);
        zxfuzz::Play(fromFile, defaults);
    }
    if (playerResult == zx::lrLoaded) zxfuzz::Play(fromPlayer, settings);
    return 0;
}
