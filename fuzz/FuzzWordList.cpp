// libFuzzer target: the input as a word list for "raetsel make". The first
// byte picks the kind, the solution word, backwards words and the grid size;
// the search runs on a small work budget, so every input ends quickly. A
// refused list must be named by a message at one of its lines; a made puzzle
// must need no repair, be solved by its own solution, build the same record
// from its source text and survive everything the player does with a record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "PlayRecord.h"
#include "document/Settings.h"
#include "maker/Crossword.h"
#include "tools/PuzzleSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::uint8_t pick = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const long lines = std::count(text.begin(), text.end(), '\n') + 1;

    zx::TMakeOptions o;
    o.Kind = static_cast<zx::TPuzzleKind>(pick % 13);
    o.ReverseAllowed = (pick & 0x40) && zx::KindAllowsReversed(o.Kind);
    if (zx::HasSolutionWord(o.Kind)) o.SolutionWord = (pick & 0x80) ? "@@@" : "ERDE";
    o.MaxCols = o.MaxRows = (pick & 0x20) ? 12 : 50;
    o.Seed = pick;
    o.Budget = 20'000;

    std::vector<zx::TWordLine> words;
    zx::TWordListError listError;
    if (!zx::ReadWordList(text, false, words, listError)) {
        if (listError.Message.empty() || listError.Line < 0 || listError.Line > lines) std::abort();
        return 0;
    }
    static zx::TPuzzleData p;
    zx::TMakeInfo info;
    zx::TMakeError error;
    if (!zx::MakeWordPuzzle(words, o, p, info, error)) {
        if (error.Message.empty() || error.Line < 0 || error.Line > lines) std::abort();
        return 0;
    }
    static zx::TPuzzleData copy;
    copy = p;
    if (!zx::RepairRecord(copy) || std::memcmp(&copy, &p, sizeof copy) != 0) std::abort();
    if (p.WordCount != words.size() || p.ColCount > o.MaxCols || p.RowCount > o.MaxRows)
        std::abort();
    if (!zxfuzz::SolvedByItsSolution(p)) std::abort();
    static zx::TCompiledPuzzle compiled;
    zx::TSourceError srcError;
    if (!zx::CompilePuzzleSource(zx::PuzzleSourceText(p), "quelle.txt", compiled, srcError) ||
        std::memcmp(&compiled.Record, &p, sizeof p) != 0)
        std::abort();
    zx::TProgramSettings settings;
    zx::SetDefaultSettings(settings, p);
    zxfuzz::Play(p, settings);
    return 0;
}
