// Writes small seed inputs for the puzzle-file fuzzer into a folder: playable
// records of several kinds, each followed by a settings block as in a container.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

#include "document/PuzzleFile.h"

namespace {

zx::TPuzzleData Grid(zx::TPuzzleKind kind, int cols, int rows) {
    static zx::TPuzzleData p;
    std::memset(&p, 0, sizeof p);
    zx::ClearPuzzle(p);
    p.PuzzleType = static_cast<std::uint8_t>(kind);
    p.ColCount = static_cast<std::uint8_t>(cols);
    p.RowCount = static_cast<std::uint8_t>(rows);
    for (int c = 0; c < zx::GridDim; ++c)
        for (int r = 0; r < zx::GridDim; ++r) {
            zx::TPuzzleCell& cell = p.cell(c, r);
            const bool border = c == 0 || r == 0 || c > cols || r > rows;
            // Crosswords get an occasional inner block so that words end inside.
            const bool block = border || (!zx::IsSudoku(kind) && (c * 7 + r * 3) % 11 == 0);
            cell.Flags = block ? zx::cfBlock : zx::cfLetter;
            if (block) continue;
            const char symbol = zx::IsSudoku(kind)
                                    ? "123456789ABC"[((r - 1) * 3 + (r - 1) / 3 + c - 1) % cols]
                                    : static_cast<char>('A' + (c * 5 + r) % 26);
            cell.Text.assign(std::string(1, symbol));
            if (r == 1 || c == 1) cell.Number = c + r;
            cell.AcrossStart = c == 1;
            cell.DownStart = r == 1;
        }
    p.WordCount = 3;
    const char* answers[] = {"HAUS", "BAUM", "OST"};
    for (int i = 0; i < 3; ++i) {
        p.Words[i].Number = i + 2;
        p.Words[i].Direction =
            static_cast<std::uint8_t>(i % 2 ? zx::TWordDir::Across : zx::TWordDir::Down);
        p.Words[i].Answer.assign(answers[i]);
        p.Words[i].Clue.assign("Hinweis");
        p.Words[i].Code = 'A' + i;
    }
    p.SolutionWord.assign("HAUS");
    p.Title.assign("Seed");
    return p;
}

void WriteSeed(const std::string& path, const zx::TPuzzleData& p, const std::string& ini) {
    const auto n = static_cast<std::uint32_t>(ini.size());
    std::string bytes = zx::MakeHeader("7.21");
    bytes.append(reinterpret_cast<const char*>(&p), sizeof p);
    for (int shift = 0; shift < 32; shift += 8)
        bytes += static_cast<char>((n >> shift) & 0xFF);
    bytes += ini;
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    const std::string ini = "; NoTitle\r\n[Raetsel_Anzeige]\r\nFehlerZeigen=1\r\n\r\n"
                            "[Raetsel_Layout]\r\nFeldgroesse=40\r\nFarbeMarkierung=$80000005\r\n";
    using zx::TPuzzleKind;
    WriteSeed(dir + "/seed-schweden.bin", Grid(TPuzzleKind::SwedishWithSolution, 10, 8), ini);
    WriteSeed(dir + "/seed-zahlen.bin", Grid(TPuzzleKind::NumberWithSolution, 12, 12), "");
    WriteSeed(dir + "/seed-amerikanisch.bin", Grid(TPuzzleKind::American, 15, 15), ini);
    WriteSeed(dir + "/seed-puzzle.bin", Grid(TPuzzleKind::Jigsaw, 8, 8), "");
    WriteSeed(dir + "/seed-sudoku.bin", Grid(TPuzzleKind::Sudoku, 9, 9), ini);
    WriteSeed(dir + "/seed-sudoku-zeit.bin", Grid(TPuzzleKind::TimedSudoku, 6, 6), "");
    return 0;
}
