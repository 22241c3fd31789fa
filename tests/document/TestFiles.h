// Helpers for the document tests: temporary files, puzzle records and containers as bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "document/PuzzleData.h"
#include "document/PuzzleFile.h"

namespace zx::test {

// A directory of its own under the system's temporary directory, removed with the object.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("zx-doc-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return (m_path / name).string(); }

    // Writes bytes at the given offset; the gap before it stays a hole that reads as zeros.
    std::string write(const std::string& name, const std::string& bytes,
                      std::uint32_t offset = 0) const {
        const std::string p = path(name);
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.seekp(offset);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

private:
    std::filesystem::path m_path;
};

inline std::string Bytes(const TPuzzleData& p) {
    return std::string(reinterpret_cast<const char*>(&p), sizeof p);
}

inline std::string Le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
            static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

// A playable record of the given size and kind: cleared, a border of blocks,
// letter cells inside spelling the alphabet, and a title and author.
inline TPuzzleData MakePuzzle(int cols, int rows, TPuzzleKind kind = TPuzzleKind::Swedish) {
    TPuzzleData p;
    std::memset(&p, 0, sizeof p);
    ClearPuzzle(p);
    p.PuzzleType = static_cast<std::uint8_t>(kind);
    p.ColCount = static_cast<std::uint8_t>(cols);
    p.RowCount = static_cast<std::uint8_t>(rows);
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            TPuzzleCell& cell = p.cell(c, r);
            if (c == 0 || r == 0 || c > cols || r > rows) {
                cell.Flags = cfBlock;
            } else {
                cell.Flags = cfLetter;
                cell.Text.assign(std::string(1, static_cast<char>('A' + (c + r) % 26)));
            }
        }
    p.WordCount = 2;
    p.Words[0].Number = 1;
    p.Words[0].Answer.assign("HAUS");
    p.Words[0].Clue.assign("Geb\xE4ude");
    p.Title.assign("Testr\xE4tsel");
    p.Author.assign("Autorin");
    p.CreatorVersion.assign("7.21");
    return p;
}

// Header and record of a puzzle file.
inline std::string PuzzleFileBytes(const TPuzzleData& p, const std::string& version = "7.21") {
    return MakeHeader(version) + Bytes(p);
}

// The container as the packer appends it: header, record size word, record,
// settings length and settings text.
inline std::string ContainerBytes(const TPuzzleData& p, const std::string& ini,
                                  std::uint16_t sizeWord = PuzzleDataSize) {
    return MakeHeader("7.21") + Le16(sizeWord) + Bytes(p) +
           Le32(static_cast<std::uint32_t>(ini.size())) + ini;
}

} // namespace zx::test
