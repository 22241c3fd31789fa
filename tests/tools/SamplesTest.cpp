// Every sample puzzle: it compiles, round-trips through the reader, is a
// correct puzzle of its kind, and `show` prints its key facts.
#include <algorithm>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/PuzzleFile.h"
#include "document/Text.h"
#include "tools/Commands.h"

namespace zx {
namespace {

namespace fs = std::filesystem;

fs::path SourceOf(const std::string& name) {
    return fs::path(ZX_SAMPLES_SOURCE_DIR) / (name + ".txt");
}
fs::path BuiltOf(const std::string& name) {
    return fs::path(ZX_SAMPLES_BUILD_DIR) / (name + ".raetsel");
}

// The rows of the [gitter] block as written, blanks removed.
std::vector<std::string> SourceGrid(const std::string& source) {
    std::vector<std::string> rows;
    std::istringstream in(source);
    bool inGrid = false;
    for (std::string line; std::getline(in, line);) {
        line.erase(
            std::remove_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\r'; }),
            line.end());
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inGrid = line == "[gitter]";
            continue;
        }
        if (inGrid) rows.push_back(line);
    }
    return rows;
}

std::string Sorted(std::string s) {
    std::sort(s.begin(), s.end());
    return s;
}

bool Block(const TPuzzleData& p, int c, int r) {
    return p.cell(c, r).Flags & cfBlock;
}

// Crosswords: every run of two or more letters is exactly one word record.
void CheckCrossword(const TPuzzleData& p) {
    int runs = 0;
    int lastNumber = 0;
    for (int r = 1; r <= p.RowCount; ++r)
        for (int c = 1; c <= p.ColCount; ++c) {
            if (Block(p, c, r)) continue;
            EXPECT_TRUE(p.cell(c, r).Flags & cfLetter);
            ASSERT_EQ(p.cell(c, r).Text.size(), 1u);
            if (const int n = std::abs(p.cell(c, r).Number)) {
                EXPECT_EQ(n, lastNumber + 1) << "numbers run in reading order";
                lastNumber = n;
            }
            for (TWordDir dir : {TWordDir::Across, TWordDir::Down}) {
                const bool across = dir == TWordDir::Across;
                const int dc = across, dr = !across;
                if (!Block(p, c - dc, r - dr)) continue;
                std::string text;
                for (int x = c, y = r; !Block(p, x, y); x += dc, y += dr)
                    text += p.cell(x, y).Text.str();
                if (text.size() < 2) continue;
                ++runs;
                EXPECT_EQ(across ? p.cell(c, r).AcrossStart : p.cell(c, r).DownStart, 1);
                int found = 0;
                for (int i = 0; i < p.wordCount(); ++i) {
                    const TPuzzleWord& w = p.Words[i];
                    std::string answer = w.Answer.str();
                    if (w.Reversed) std::reverse(answer.begin(), answer.end());
                    if (w.Number == p.cell(c, r).Number &&
                        w.Direction == static_cast<std::uint8_t>(dir) && answer == text)
                        ++found;
                }
                EXPECT_EQ(found, 1) << text << " at " << c << "," << r;
            }
        }
    EXPECT_EQ(runs, p.WordCount);
    if (HasSolutionWord(KindOf(p))) {
        std::string marked;
        for (int c = 1; c <= p.ColCount; ++c)
            for (int r = 1; r <= p.RowCount; ++r)
                if (p.cell(c, r).Flags & cfSolution) marked += p.cell(c, r).Text.str();
        EXPECT_EQ(Sorted(marked), Sorted(p.SolutionWord.str()));
    }
    if (IsNumberPuzzle(KindOf(p))) {
        std::string codes;
        for (int i = 0; i < CodeTableSize; ++i)
            codes += static_cast<char>(p.Words[i].Code);
        EXPECT_EQ(Sorted(codes), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    }
}

void CheckSudoku(const TPuzzleData& p) {
    const int n = p.ColCount;
    ASSERT_EQ(p.RowCount, n);
    const int w = n < 9 ? n / 2 : n / 3, h = n / w;
    const auto sym = [&](int c, int r) { return p.cell(c, r).Text.str(); };
    std::string all;
    for (int v = 1; v <= n; ++v)
        all += "0123456789ABC"[v];
    int givens = 0;
    for (int i = 0; i < n; ++i) {
        std::string row, col, box;
        for (int k = 0; k < n; ++k) {
            row += sym(k + 1, i + 1);
            col += sym(i + 1, k + 1);
            box += sym((i % (n / w)) * w + k % w + 1, (i / (n / w)) * h + k / w + 1);
        }
        EXPECT_EQ(Sorted(row), all) << "row " << i + 1;
        EXPECT_EQ(Sorted(col), all) << "column " << i + 1;
        EXPECT_EQ(Sorted(box), all) << "box " << i + 1;
        for (int k = 1; k <= n; ++k) {
            const bool given = p.cell(k, i + 1).Flags & cfSolution;
            givens += given;
            EXPECT_EQ(p.entry(k, i + 1).str(), given ? sym(k, i + 1) : " ");
        }
    }
    EXPECT_GT(givens, 0);
    EXPECT_LT(givens, n * n);
}

// Jigsaw: every word lies at its (hidden) number, and the word cells are
// exactly the non-block cells.
void CheckJigsaw(const TPuzzleData& p) {
    std::vector<std::vector<bool>> covered(GridDim, std::vector<bool>(GridDim, false));
    for (int i = 0; i < p.wordCount(); ++i) {
        const TPuzzleWord& w = p.Words[i];
        SCOPED_TRACE(w.Answer.str());
        int col = -1, row = -1;
        for (int c = 1; c <= p.ColCount && col < 0; ++c)
            for (int r = 1; r <= p.RowCount; ++r)
                if (p.cell(c, r).Number == -w.Number) {
                    col = c;
                    row = r;
                    break;
                }
        ASSERT_GE(col, 1);
        std::string text;
        const bool across = DirOf(w) == TWordDir::Across;
        for (std::size_t k = 0; k < w.Answer.size(); ++k) {
            const int c = col + (across ? int(k) : 0);
            const int r = row + (across ? 0 : int(k));
            EXPECT_FALSE(Block(p, c, r));
            covered[c][r] = true;
            text += p.cell(c, r).Text.str();
        }
        if (w.Reversed) std::reverse(text.begin(), text.end());
        EXPECT_EQ(text, w.Answer.str());
    }
    for (int c = 1; c <= p.ColCount; ++c)
        for (int r = 1; r <= p.RowCount; ++r) {
            EXPECT_EQ(covered[c][r], !Block(p, c, r));
            if (Block(p, c, r)) {
                EXPECT_EQ(p.entry(c, r).str(), p.cell(c, r).Text.str());
            }
        }
}

class SampleTest : public testing::TestWithParam<std::string> {};

TEST_P(SampleTest, BuildsRoundTripsAndIsACorrectPuzzle) {
    const std::string source = test::ReadFile(SourceOf(GetParam()));
    ASSERT_FALSE(source.empty());
    const auto compiled = test::Compile(source);
    const TPuzzleData& p = compiled->Record;
    // The file the build made with the tool holds exactly this record.
    EXPECT_EQ(test::ReadFile(BuiltOf(GetParam())), PuzzleFileBytes(p));
    auto loaded = std::make_unique<TPuzzleData>();
    ASSERT_EQ(LoadPuzzleFile(*loaded, BuiltOf(GetParam()).string()), lrLoaded);
    EXPECT_EQ(std::memcmp(loaded.get(), &p, sizeof p), 0);

    for (int i = 0; i < GridDim; ++i)
        for (int k = 0; k < GridDim; ++k)
            if (i == 0 || k == 0 || i > p.ColCount || k > p.RowCount) {
                ASSERT_TRUE(Block(p, i, k));
            }
    EXPECT_FALSE(p.Title.empty());
    const TPuzzleKind kind = KindOf(p);
    if (IsSudoku(kind))
        CheckSudoku(p);
    else if (IsJigsaw(kind))
        CheckJigsaw(p);
    else
        CheckCrossword(p);
}

TEST_P(SampleTest, ShowPrintsTheGridAndEveryWord) {
    const std::string source = test::ReadFile(SourceOf(GetParam()));
    const auto compiled = test::Compile(source);
    const TPuzzleData& p = compiled->Record;
    std::ostringstream out;
    std::string error;
    ASSERT_TRUE(ShowPuzzle(BuiltOf(GetParam()).string(), out, error)) << error;
    const std::string text = out.str();
    const auto has = [&](const std::string& s) { EXPECT_NE(text.find(s), std::string::npos) << s; };
    const TPuzzleKind kind = KindOf(p);
    has("Typ: " + std::to_string(Code(kind)) + " (" + Cp1252ToUtf8(PuzzleTypeCaption(p)) + ")");
    has("Größe: " + std::to_string(p.ColCount) + " x " + std::to_string(p.RowCount));
    has("Titel: " + Cp1252ToUtf8(p.Title.view()) + "\n");
    has("Autor: " + Cp1252ToUtf8(p.Author.view()) + "\n");
    // Solution grid (crosswords, jigsaw) or entries (Sudoku givens) as in the source.
    std::string grid;
    for (std::string row : SourceGrid(source)) {
        if (IsJigsaw(kind)) row = AsciiUpper(row);
        grid += "  " + row + "\n";
    }
    std::string shown = text;
    std::string wanted = (IsSudoku(kind) ? "Einträge:\n" : "Lösung:\n") + grid;
    if (IsJigsaw(kind)) {
        shown = AsciiUpper(text);
        wanted = AsciiUpper(wanted);
    }
    EXPECT_NE(shown.find(wanted), std::string::npos) << text;
    if (!IsSudoku(kind)) {
        has("Begriffe: " + std::to_string(p.WordCount) + "\n");
        for (int i = 0; i < p.wordCount(); ++i)
            has(" " + p.Words[i].Answer.str());
    }
}

INSTANTIATE_TEST_SUITE_P(AllSamples, SampleTest, testing::ValuesIn(test::SampleNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Samples, EveryKindIsThere) {
    std::vector<int> types;
    std::vector<int> sudokuSizes;
    for (const std::string& name : test::SampleNames()) {
        const auto c = test::Compile(test::ReadFile(SourceOf(name)));
        const TPuzzleKind kind = KindOf(c->Record);
        types.push_back(Code(kind));
        if (kind == TPuzzleKind::Sudoku) sudokuSizes.push_back(c->Record.ColCount);
    }
    for (int t : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15})
        EXPECT_NE(std::find(types.begin(), types.end(), t), types.end()) << "type " << t;
    std::sort(sudokuSizes.begin(), sudokuSizes.end());
    EXPECT_EQ(sudokuSizes, (std::vector<int>{4, 6, 9, 12}));
}

TEST(Samples, ShowSpecialFacts) {
    const struct {
        const char* sample;
        const char* fact;
    } cases[] = {
        {"schwedenraetsel-loesungswort", "Lösungswort: SOMMER (\"Die schönste Jahreszeit\")"},
        {"schwedenraetsel", "-1 waagerecht NUN             (Nummer verborgen) = jetzt\n"},
        {"knobelgitter", " waagerecht ONKEL\n"},
        {"schwedenraetsel", "7 waagerecht WEIN            = Getränk aus Trauben\n"
                            "     7 senkrecht  WELLE           = Wasserbewegung\n"
                            "     8 waagerecht RAD"},
        {"schwedenraetsel", "Hilfen: Falsche Buchstaben markieren, Korrekten Buchstaben einfügen, "
                            "Gelöstes Rätsel anzeigen (Wert 7)"},
        {"zahlenraetsel-loesungswort", "Codetabelle: 0=Q 1=W 2=E"},
        {"knobelgitter-loesungswort", "Rückwärts erlaubt: ja"},
        {"knobelgitter-loesungswort", "(rückwärts)"},
        {"sudoku-auf-zeit", "Typ: 15 (Sudoku auf Zeit (leicht))"},
        {"sudoku-auf-zeit", "Zeit: 00:00 min., Bestzeit: 12:30 min."},
        {"sudoku-12x12", "Falsche Symbole markieren"},
        {"sudoku-9x9", "Stufe: schwer\n"},
        {"fuellraetsel", "Stufe: 0 (gilt nur beim Sudoku)\n"},
        {"kreuzwortpuzzle", "senkrecht  ABENDROT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sample) + ": " + c.fact);
        std::ostringstream out;
        std::string error;
        ASSERT_TRUE(ShowPuzzle(BuiltOf(c.sample).string(), out, error)) << error;
        EXPECT_NE(out.str().find(c.fact), std::string::npos) << out.str();
    }
}

} // namespace
} // namespace zx
