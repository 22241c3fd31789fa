// Puzzles of every word kind made from the 40-word list: each is a sound
// record of its kind, plays to its end through the rules, compiles back from
// its source text, and comes out the same for the same seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "document/PuzzleFile.h"
#include "document/Settings.h"
#include "maker/Crossword.h"
#include "maker/Layout.h"
#include "rules/Rules.h"
#include "tools/Commands.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

const std::string ListPath = std::string(ZX_WORD_LISTS) + "/words-de-40.txt";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<TWordLine> Words(const std::string& text) {
    std::vector<TWordLine> words;
    TWordListError error;
    EXPECT_TRUE(ReadWordList(text, false, words, error)) << error.Message;
    return words;
}

TMakeOptions Options(TPuzzleKind kind, std::uint64_t seed = 1) {
    TMakeOptions o;
    o.Kind = kind;
    o.Seed = seed;
    o.Budget = 1'000'000; // enough for all 40 words, quick in sanitizer builds
    return o;
}

bool Block(const TPuzzleData& p, int c, int r) {
    return p.cell(c, r).Flags & cfBlock;
}

// Every maximal run of two or more letters is the word record starting there,
// and there are as many runs as words; all letters hang together.
void CheckRunsAndConnection(const TPuzzleData& p) {
    int runs = 0, letters = 0;
    for (int c = 1; c <= p.ColCount; ++c)
        for (int r = 1; r <= p.RowCount; ++r) {
            if (Block(p, c, r)) continue;
            ++letters;
            for (TWordDir dir : {TWordDir::Across, TWordDir::Down}) {
                const int dc = dir == TWordDir::Across, dr = !dc;
                if (!Block(p, c - dc, r - dr)) continue;
                std::string text;
                for (int x = c, y = r; !Block(p, x, y); x += dc, y += dr)
                    text += p.cell(x, y).Text.str();
                if (text.size() < 2) continue;
                ++runs;
                const int i = FindWord(p, p.cell(c, r).Number, dir);
                ASSERT_GE(i, 0) << "run " << text << " at " << c << "," << r;
                std::string answer = p.Words[i].Answer.str();
                if (p.Words[i].Reversed) std::reverse(answer.begin(), answer.end());
                EXPECT_EQ(text, answer);
            }
        }
    EXPECT_EQ(runs, p.WordCount);
    std::vector<std::pair<int, int>> todo;
    std::vector<std::vector<bool>> seen(GridDim, std::vector<bool>(GridDim, false));
    for (int c = 1; c <= p.ColCount && todo.empty(); ++c)
        for (int r = 1; r <= p.RowCount && todo.empty(); ++r)
            if (!Block(p, c, r)) todo.push_back({c, r}), seen[c][r] = true;
    int reached = 0;
    while (!todo.empty()) {
        const auto [c, r] = todo.back();
        todo.pop_back();
        ++reached;
        for (const auto& [x, y] : {std::pair{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}})
            if (!Block(p, x, y) && !seen[x][y]) todo.push_back({x, y}), seen[x][y] = true;
    }
    EXPECT_EQ(reached, letters) << "the grid falls apart";
}

// The player who knows the solution: blanks, painted cells, the code table,
// the solution word and every letter through SetEntry. Then it is solved.
TResultForm Play(TPuzzleData p) {
    const TPuzzleKind kind = KindOf(p);
    auto errors = std::make_unique<TErrorGrid>();
    errors->clear();
    for (int c = 1; c <= p.ColCount; ++c)
        for (int r = 1; r <= p.RowCount; ++r) {
            TPuzzleCell& cell = p.cell(c, r);
            if (IsAmerican(kind) && Block(p, c, r)) cell.Flags |= cfBlank;
            if (IsJigsaw(kind) && !Block(p, c, r)) cell.Flags |= cfMarked;
            if (!Block(p, c, r)) SetEntry(p, *errors, c, r, cell.Text.view());
        }
    if (IsNumberPuzzle(kind))
        for (int i = 0; i < CodeTableSize; ++i)
            p.Words[i].Guess.assign(std::string(1, static_cast<char>(p.Words[i].Code)));
    if (HasSolutionWord(kind)) p.SolutionEntry.assign(p.SolutionWord.view());
    TProgramSettings settings;
    SetDefaultSettings(settings, p);
    return CheckCompletion(p, *errors, settings).form();
}

TEST(MakeWordPuzzle, EveryKindIsSoundPlaysToItsEndAndCompilesBack) {
    const std::vector<TWordLine> words = Words(ReadText(ListPath));
    ASSERT_EQ(words.size(), 40u);
    for (int code = 0; code <= 12; ++code) {
        for (bool reverse : {false, true}) {
            const TPuzzleKind kind = static_cast<TPuzzleKind>(code);
            if (reverse && !KindAllowsReversed(kind)) continue;
            SCOPED_TRACE("Typ " + std::to_string(code) + (reverse ? " rückwärts" : ""));
            TMakeOptions o = Options(kind, 10 + code);
            o.ReverseAllowed = reverse;
            if (HasSolutionWord(kind)) o.SolutionWord = "SOMMERABEND";
            auto p = std::make_unique<TPuzzleData>();
            TMakeInfo info;
            TMakeError error;
            ASSERT_TRUE(MakeWordPuzzle(words, o, *p, info, error)) << error.Message;
            EXPECT_EQ(info.WordsPlaced, 40);
            ASSERT_EQ(p->WordCount, 40);
            for (int i = 0; i < 40; ++i)
                EXPECT_EQ(p->Words[i].Answer.str(), words[i].Answer) << "list order";

            auto repaired = std::make_unique<TPuzzleData>(*p);
            ASSERT_TRUE(RepairRecord(*repaired));
            EXPECT_EQ(std::memcmp(repaired.get(), p.get(), sizeof *p), 0) << "needs repair";
            if (!IsJigsaw(kind)) CheckRunsAndConnection(*p);
            if (HasSolutionWord(kind)) {
                std::string marked;
                for (int c = 1; c <= p->ColCount; ++c)
                    for (int r = 1; r <= p->RowCount; ++r)
                        if (p->cell(c, r).Flags & cfSolution) marked += p->cell(c, r).Text.str();
                std::sort(marked.begin(), marked.end());
                std::string want = o.SolutionWord;
                std::sort(want.begin(), want.end());
                EXPECT_EQ(marked, want);
            }
            if (IsNumberPuzzle(kind)) {
                std::string table;
                for (int i = 0; i < CodeTableSize; ++i)
                    table += static_cast<char>(p->Words[i].Code);
                std::sort(table.begin(), table.end());
                EXPECT_EQ(table, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
            }
            EXPECT_EQ(Play(*p), TResultForm::Success);

            // The source text builds the same record; for the jigsaw the
            // compiler also proves that every word occurs exactly once.
            auto compiled = std::make_unique<TCompiledPuzzle>();
            TSourceError srcError;
            ASSERT_TRUE(
                CompilePuzzleSource(PuzzleSourceText(*p), "quelle.txt", *compiled, srcError))
                << FormatSourceError(srcError) << "\n"
                << PuzzleSourceText(*p);
            EXPECT_EQ(std::memcmp(&compiled->Record, p.get(), sizeof *p), 0);
        }
    }
}

TEST(MakeWordPuzzle, SameSeedSamePuzzleWithinTheLimits) {
    const std::vector<TWordLine> words = Words(ReadText(ListPath));
    TMakeOptions o = Options(TPuzzleKind::NumberWithSolution, 42);
    o.SolutionWord = "GARTEN";
    o.MaxCols = 30;
    o.MaxRows = 20;
    auto a = std::make_unique<TPuzzleData>(), b = std::make_unique<TPuzzleData>();
    TMakeInfo info;
    TMakeError error;
    ASSERT_TRUE(MakeWordPuzzle(words, o, *a, info, error)) << error.Message;
    ASSERT_TRUE(MakeWordPuzzle(words, o, *b, info, error));
    EXPECT_EQ(std::memcmp(a.get(), b.get(), sizeof *a), 0);
    EXPECT_LE(a->ColCount, 30);
    EXPECT_LE(a->RowCount, 20);
    o.Seed = 43;
    ASSERT_TRUE(MakeWordPuzzle(words, o, *b, info, error));
    EXPECT_NE(std::memcmp(a.get(), b.get(), sizeof *a), 0);
}

// With the automatic budget the 40 words come out at density 0.45 or more,
// and the counts reported are those of the grid.
TEST(LayOutCrossword, ReachesTheDensityGoalAndCountsItsGrid) {
    std::vector<TLayoutWord> words;
    for (const TWordLine& l : Words(ReadText(ListPath)))
        words.push_back({l.Answer, l.Dir, false, false});
    for (std::uint64_t seed : {5, 7}) {
        TLayoutOptions o;
        o.Seed = seed;
        const TCrosswordLayout l = LayOutCrossword(words, o);
        ASSERT_TRUE(l.complete()) << seed;
        EXPECT_GE(l.density(), 0.45) << seed;
        int letters = 0, lengths = 0;
        for (const std::string& row : l.Grid)
            letters += static_cast<int>(
                std::count_if(row.begin(), row.end(), [](char c) { return c != '#'; }));
        for (const TLayoutWord& w : words)
            lengths += static_cast<int>(w.Letters.size());
        EXPECT_EQ(letters, l.LetterCells) << seed;
        EXPECT_EQ(lengths - l.CrossingCells, l.LetterCells) << seed;
    }
}

TEST(MakeWordPuzzle, RefusesWhatItCannotMake) {
    const struct {
        const char* Name;
        std::string List;
        TPuzzleKind Kind;
        std::string Solution;
        bool Reverse;
        int Size;
        int Line;
        const char* Message;
    } cases[] = {
        {"word shares no letter", "HAUS\nMAUS\nXYZ\n", TPuzzleKind::FillIn, "", false, 50, 3,
         "Begriff XYZ hat keinen Buchstaben"},
        {"word longer than the grid", "HAUS\nGARTEN\n", TPuzzleKind::FillIn, "", false, 5, 2,
         "GARTEN ist länger"},
        {"solution letter missing", "HAUS\nMAUS\n", TPuzzleKind::FillInWithSolution, "SQ", false,
         50, 0, "Buchstaben Q"},
        {"solution letter twice too few", "HAUS\nMAUS\n", TPuzzleKind::FillInWithSolution, "SSS",
         false, 50, 0, "3-mal den Buchstaben S"},
        {"solution word where the kind has none", "HAUS\nMAUS\n", TPuzzleKind::FillIn, "HAUS",
         false, 50, 0, "nur bei Typen mit Lösungswort"},
        {"backwards in a kind that has none", "HAUS\nMAUS\n", TPuzzleKind::Swedish, "", true, 50, 0,
         "nur im Knobelgitter"},
        {"position option", "HAUS [@1,1]\nMAUS\n", TPuzzleKind::FillIn, "", false, 50, 1,
         "nur in einer Rätselquelle"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TMakeOptions o = Options(c.Kind);
        o.SolutionWord = c.Solution;
        o.ReverseAllowed = c.Reverse;
        o.MaxCols = o.MaxRows = c.Size;
        auto p = std::make_unique<TPuzzleData>();
        TMakeInfo info;
        TMakeError error;
        std::string list;
        for (std::size_t at = 0, end; (end = c.List.find('\n', at)) != std::string::npos;
             at = end + 1)
            list += c.List.substr(at, end - at) + " = Umschreibung\n";
        EXPECT_FALSE(MakeWordPuzzle(Words(list), o, *p, info, error));
        EXPECT_EQ(error.Line, c.Line);
        EXPECT_NE(error.Message.find(c.Message), std::string::npos) << error.Message;
    }
}

TEST(MakeCommand, WritesThePuzzleOrItsSourceAndNothingOnError) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("make-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "raetsel.raetsel").string(), src = (dir / "q.txt").string();
    std::ostringstream out, err;
    const auto run = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunRaetsel(args, out, err);
    };
    EXPECT_EQ(run({"make", ListPath, "--typ", "Zahlenrätsel", "--loesungswort", "Abend", "--seed",
                   "5", "--titel", "Im Garten", "--aufwand", "500000", "-o", file}),
              0)
        << err.str();
    EXPECT_NE(out.str().find("Startwert: 5"), std::string::npos);
    auto p = std::make_unique<TPuzzleData>();
    ASSERT_EQ(LoadPuzzleFile(*p, file), lrLoaded);
    EXPECT_EQ(KindOf(*p), TPuzzleKind::NumberWithSolution);
    EXPECT_EQ(p->Title.str(), "Im Garten");
    EXPECT_EQ(run({"make", ListPath, "--typ", "kreuzwortpuzzle", "--quelle", "--aufwand", "500000",
                   "-o", src}),
              0);
    EXPECT_EQ(run({"build", src, "-o", (dir / "built.raetsel").string()}), 0) << err.str();

    const std::string bad = (dir / "liste.txt").string();
    std::ofstream(bad) << "HAUS = Gebäude\nHAUS = doppelt\n";
    const std::string none = (dir / "nichts.raetsel").string();
    EXPECT_EQ(run({"make", bad, "--typ", "fuellraetsel", "-o", none}), 1);
    EXPECT_NE(err.str().find(bad + ":2: "), std::string::npos) << err.str();
    EXPECT_EQ(run({"make", ListPath, "--typ", "tetris", "-o", none}), 2);
    EXPECT_EQ(run({"make", ListPath, "--typ", "fuellraetsel", "--breite", "51", "-o", none}), 2);
    EXPECT_EQ(run({"make", ListPath, "-o", none}), 2);
    EXPECT_FALSE(fs::exists(none));
    fs::remove_all(dir);
}

} // namespace
} // namespace zx
