// raetsel make --typ sudoku and raetsel bewerten: the written file, its
// source form, the seed that repeats it, and the exit codes of bad calls.
#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/PuzzleFile.h"
#include "tools/Commands.h"

namespace zx {
namespace {

using test::ReadFile;
using test::TScratchDir;
using test::WriteFile;

int RunTool(const std::vector<std::string>& args, std::string* outText = nullptr,
            std::string* errText = nullptr) {
    std::ostringstream out, err;
    const int rc = RunRaetsel(args, out, err);
    if (outText) *outText = out.str();
    if (errText) *errText = err.str();
    return rc;
}

// The file of a seed, made again, and its source built by "raetsel build",
// are the same bytes; the record is the asked kind, size and level, and show
// and bewerten grade it as made.
TEST(RaetselMakeSudoku, SourceAndSeedGiveTheSameFile) {
    TScratchDir dir;
    const std::vector<std::string> make = {
        "make", "--typ",   "sudoku-auf-zeit", "--groesse=8", "--stufe",     "schwer",   "--seed",
        "77",   "--titel", "Prüfung",         "--kommentar", "eins\\nzwei", "--hilfen", "fehler"};
    std::string out;
    auto with = [&](std::vector<std::string> args, const std::string& extra,
                    const std::string& file) {
        if (!extra.empty()) args.push_back(extra);
        args.push_back("-o");
        args.push_back((dir / file).string());
        return args;
    };
    ASSERT_EQ(RunTool(with(make, "", "a.raetsel"), &out), 0);
    EXPECT_NE(out.find("Sudoku 8 x 8, Stufe schwer"), std::string::npos) << out;
    EXPECT_NE(out.find("--seed 77"), std::string::npos);
    ASSERT_EQ(RunTool(with(make, "", "b.raetsel")), 0);
    ASSERT_EQ(RunTool(with(make, "--quelle", "c.txt")), 0);
    ASSERT_EQ(RunTool({"build", (dir / "c.txt").string(), "-o", (dir / "c.raetsel").string()}), 0);
    const std::string a = ReadFile(dir / "a.raetsel");
    EXPECT_EQ(a, ReadFile(dir / "b.raetsel"));
    EXPECT_EQ(a, ReadFile(dir / "c.raetsel"));

    auto p = std::make_unique<TPuzzleData>();
    ASSERT_EQ(LoadPuzzleFile(*p, (dir / "a.raetsel").string()), lrLoaded);
    EXPECT_EQ(p->PuzzleType, 15);
    EXPECT_EQ(p->ColCount, 8);
    EXPECT_EQ(p->Level, 2);
    EXPECT_EQ(p->HelpOptions, 1);
    EXPECT_EQ(p->Title.str(), "Pr\xFC"
                              "fung");
    EXPECT_EQ(p->Comment.str(), "eins\r\nzwei");

    ASSERT_EQ(RunTool({"show", (dir / "a.raetsel").string()}, &out), 0);
    EXPECT_NE(out.find("\nBewertung: schwer ("), std::string::npos) << out;
    ASSERT_EQ(RunTool({"bewerten", (dir / "c.txt").string()}, &out), 0);
    EXPECT_NE(out.find("Stufe: schwer\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Gespeicherte Stufe"), std::string::npos);
}

TEST(RaetselMakeSudoku, BadCallsWriteNothing) {
    TScratchDir dir;
    const std::string o = (dir / "x").string();
    WriteFile(dir / "zwei.txt", "typ: 14\n[gitter]\n....\n....\n....\n....\n");
    WriteFile(dir / "wort.txt", "typ: 4\n[gitter]\nAB\n[begriffe]\nAB = zwei\n");
    const struct {
        const char* Name;
        std::vector<std::string> Args;
        int Code;
        const char* Message;
    } cases[] = {
        {"size without Sudoku",
         {"make", "--typ", "sudoku", "--groesse", "7", "-o", o},
         2,
         "--groesse ist 4, 6, 8, 9 oder 12"},
        {"unknown level", {"make", "--typ=sudoku", "--stufe", "extrem", "-o", o}, 2, "--stufe"},
        {"seed not a number", {"make", "--typ", "sudoku", "--seed", "-1", "-o", o}, 2, "--seed"},
        {"title too long",
         {"make", "--typ", "sudoku", "--titel", std::string(256, 'x'), "-o", o},
         2,
         "--titel ist länger als 255 Zeichen"},
        {"character without Windows-1252 form",
         {"make", "--typ", "sudoku", "--autor", "\xE2\x98\x83", "-o", o},
         2,
         "Windows-1252"},
        {"switch with a value",
         {"make", "--typ", "sudoku", "--quelle=ja", "-o", o},
         2,
         "keinen Wert"},
        {"no output", {"make", "--typ", "sudoku"}, 2, "\"-o\" fehlt"},
        {"word list operand", {"make", "--typ", "sudoku", "w.txt", "-o", o}, 2, "Wortliste"},
        {"unwritable output",
         {"make", "--typ", "sudoku", "-o", (dir / "fehlt" / "x").string()},
         1,
         "kann nicht geschrieben werden"},
        {"grading a crossword", {"bewerten", (dir / "wort.txt").string()}, 1, "kein Sudoku"},
        {"grading several solutions",
         {"bewerten", (dir / "zwei.txt").string()},
         1,
         "mehrere Lösungen"},
        {"grading a missing file",
         {"bewerten", (dir / "fehlt.raetsel").string()},
         1,
         "kann nicht gelesen werden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string err;
        EXPECT_EQ(RunTool(c.Args, nullptr, &err), c.Code);
        EXPECT_NE(err.find(c.Message), std::string::npos) << err;
        EXPECT_FALSE(std::filesystem::exists(o));
    }
}

} // namespace
} // namespace zx
