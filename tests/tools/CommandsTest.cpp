// The raetsel commands: build writes nothing on errors, embed packs a player
// container that the reader takes back, show tells the two file kinds apart.
#include <algorithm>
#include <cstring>
#include <sstream>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "document/PuzzleFile.h"
#include "document/Settings.h"
#include "tools/Commands.h"

namespace zx {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TScratchDir;
using test::WriteFile;

const std::string Source = "typ: 1\ntitel: Probe\nloesungswort: OHR\n"
                           "[gitter]\nhAUS\no##r\nHASE\n"
                           "[begriffe]\nHAUS = Gebäude\nHASE = Langohr\nHOH = hoch\nSRE = Kürzel\n";

int RunTool(const std::vector<std::string>& args, std::string* errText = nullptr,
            std::string* outText = nullptr) {
    std::ostringstream out, err;
    const int rc = RunRaetsel(args, out, err);
    if (errText) *errText = err.str();
    if (outText) *outText = out.str();
    return rc;
}

// A puzzle file built from Source, and a stand-in for a player executable.
struct TEmbedFixture : testing::Test {
    TScratchDir dir;
    fs::path puzzle = dir / "probe.raetsel";
    fs::path player = dir / "player";
    fs::path out = dir / "packed";
    void SetUp() override {
        WriteFile(dir / "probe.txt", Source);
        ASSERT_EQ(RunTool({"build", (dir / "probe.txt").string(), "-o", puzzle.string()}), 0);
        WriteFile(player, "\x7F"
                          "ELF player stand-in");
    }
};

TEST(RaetselBuild, WritesHeaderAndRecord) {
    TScratchDir dir;
    WriteFile(dir / "q.txt", Source);
    ASSERT_EQ(RunTool({"build", (dir / "q.txt").string(), "-o", (dir / "q.raetsel").string()}), 0);
    const std::string file = ReadFile(dir / "q.raetsel");
    ASSERT_EQ(file.size(), HeaderSize + PuzzleDataSize);
    EXPECT_EQ(file.substr(0, 31), std::string("Quadrillenwortel1.0") + std::string(12, ' '));
    auto p = std::make_unique<TPuzzleData>();
    ASSERT_EQ(LoadPuzzleFile(*p, (dir / "q.raetsel").string()), lrLoaded);
    EXPECT_EQ(p->Title.str(), "Probe");
    // Nothing but the output is left in the folder (the temporary file was renamed).
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(RaetselBuild, ErrorsWriteNothingAndNameFileAndLine) {
    TScratchDir dir;
    const fs::path target = dir / "q.raetsel";
    WriteFile(target.string() + ".old", "");
    const struct {
        const char* name;
        std::string source;
        const char* message;
    } cases[] = {
        {"source error", "typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR = x\nAUGE = y\n", "q.txt:6: "},
        {"ragged grid", "typ: 0\n[gitter]\nOHR\nO\n", "q.txt:4: "},
        {"grid over 50", "typ: 0\n[gitter]\n" + std::string(60, 'A') + "\n", "q.txt:3: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir / "q.txt", c.source);
        std::string err;
        EXPECT_EQ(RunTool({"build", (dir / "q.txt").string(), "-o", target.string()}, &err), 1);
        EXPECT_NE(err.find(c.message), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(target));
    }
    std::string err;
    EXPECT_EQ(RunTool({"build", (dir / "missing.txt").string(), "-o", target.string()}, &err), 1);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// Help goes to stdout with code 0; wrong usage to stderr with code 2 and a
// pointer to the help; bad input with code 1 and no such pointer. Help and
// usage texts fit an 80-column terminal.
TEST(RaetselCommands, ExitCodesAndHelp) {
    TScratchDir dir;
    const std::string src = (dir / "q.txt").string();
    const std::string target = (dir / "q.raetsel").string();
    const std::string missing = (dir / "fehlt.txt").string();
    WriteFile(src, Source);
    const struct {
        std::vector<std::string> args;
        int rc;
        std::string expected; // in stdout for code 0, in stderr otherwise
    } cases[] = {
        {{"--help"}, 0, "Aufruf:\n  raetsel build QUELLE -o DATEI\n"},
        {{"-h"}, 0, "\nBefehle:\n  build  "},
        {{"--version"}, 0, "raetsel "},
        {{"build", "--help"}, 0, "Aufruf: raetsel build QUELLE -o DATEI\n"},
        {{"embed", "spieler", "-h"}, 0, "      --settings INI    Einstellungen"},
        {{"show", "--help", "--bunt"}, 0, "  -h, --help  diese Hilfe ausgeben\n"},
        {{"build", src, "-o", target}, 0, ""},
        {{"build", "--output=" + target, src}, 0, ""},
        {{}, 2, "raetsel: kein Befehl angegeben\n"},
        {{"bauen"}, 2, "raetsel: unbekannter Befehl \"bauen\"\n"},
        {{"--bunt"}, 2, "raetsel: unbekannte Option \"--bunt\"\n"},
        {{"show", "--bunt", src}, 2, "raetsel show: unbekannte Option \"--bunt\"\n"},
        {{"build", src}, 2, "raetsel build: die Option \"-o\" fehlt\n"},
        {{"build", src, "-o"}, 2, "die Option \"-o\" braucht einen Wert"},
        {{"build", src, "x", "-o", target}, 2, "zu viele Argumente: \"x\""},
        {{"build", src, "-o", target, "--output", target}, 2, "\"--output\" ist mehrfach"},
        {{"embed", "spieler", "-o", target}, 2, "zu wenige Argumente"},
        {{"show"}, 2, "Aufruf: raetsel show DATEI\n"},
        {{"show", missing}, 1, "kann nicht gelesen werden"},
        {{"show", "--", "--help"}, 1, "\"--help\" kann nicht gelesen werden"},
        {{"build", missing, "-o", target}, 1, "kann nicht gelesen werden"},
        {{"embed", missing, src, "-o", target}, 1, "kann nicht gelesen werden"},
    };
    const std::string tryHelp = "Mehr dazu: 'raetsel --help'.\n";
    for (const auto& c : cases) {
        std::string trace;
        for (const std::string& a : c.args)
            trace += a + ' ';
        SCOPED_TRACE(trace);
        fs::remove(target);
        std::string out, err;
        EXPECT_EQ(RunTool(c.args, &err, &out), c.rc);
        if (c.args.size() > 1 && c.args[0] == "build" && c.args[1] != "--help") {
            EXPECT_EQ(fs::exists(target), c.rc == 0);
        }
        const std::string& text = c.rc == 0 ? out : err;
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        const bool endsWithTry =
            err.size() >= tryHelp.size() &&
            err.compare(err.size() - tryHelp.size(), tryHelp.size(), tryHelp) == 0;
        EXPECT_EQ(endsWithTry, c.rc == 2) << err;
        if (c.rc == 0) {
            EXPECT_EQ(err, "");
        } else if (c.rc == 2) {
            EXPECT_EQ(out, "");
        }
        // Characters, not bytes: umlauts take two bytes in UTF-8.
        std::istringstream lines(c.rc == 1 ? std::string() : out + err);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(std::count_if(line.begin(), line.end(),
                                    [](char ch) { return (ch & 0xC0) != 0x80; }),
                      80)
                << line;
    }
}

TEST_F(TEmbedFixture, PacksTheContainerAtTheFixedOffset) {
    WriteFile(dir / "s.ini", "; Größe\n[Raetsel_Layout]\nFeldgroesse=40");
    ASSERT_EQ(RunTool({"embed", player.string(), puzzle.string(), "--settings",
                       (dir / "s.ini").string(), "-o", out.string()}),
              0);
    const std::string packed = ReadFile(out);
    const std::string playerBytes = ReadFile(player);
    const std::string puzzleBytes = ReadFile(puzzle);
    const std::string settings = "; Gr\xF6\xDF"
                                 "e\r\n[Raetsel_Layout]\r\nFeldgroesse=40\r\n";
    ASSERT_EQ(packed.size(),
              ContainerOffset + HeaderSize + 2 + PuzzleDataSize + 4 + settings.size());
    EXPECT_EQ(packed.substr(0, playerBytes.size()), playerBytes);
    EXPECT_EQ(packed.find_first_not_of('\0', playerBytes.size()), ContainerOffset);
    EXPECT_EQ(packed.substr(ContainerOffset, HeaderSize), puzzleBytes.substr(0, HeaderSize));
    EXPECT_EQ(packed.substr(ContainerOffset + HeaderSize, 2), "\xB0\xFF"); // 65456
    EXPECT_EQ(packed.substr(ContainerOffset + HeaderSize + 2, PuzzleDataSize),
              puzzleBytes.substr(HeaderSize));
    const std::size_t lengthAt = ContainerOffset + HeaderSize + 2 + PuzzleDataSize;
    EXPECT_EQ(packed.substr(lengthAt, 4),
              std::string({static_cast<char>(settings.size()), 0, 0, 0}));
    EXPECT_EQ(packed.substr(lengthAt + 4), settings);

    auto p = std::make_unique<TPuzzleData>();
    TProgramSettings s;
    ASSERT_EQ(LoadEmbeddedPuzzle(*p, out.string(), s), lrLoaded);
    EXPECT_EQ(p->Title.str(), "Probe");
    EXPECT_EQ(s.Feldgroesse, 40);

    std::ostringstream shown;
    std::string error;
    ASSERT_TRUE(ShowPuzzle(out.string(), shown, error)) << error;
    EXPECT_NE(shown.str().find("Spieler mit Rätsel: "), std::string::npos);
    EXPECT_NE(shown.str().find("Einstellungen: " + std::to_string(settings.size()) +
                               " Bytes\n  ; Größe\n  [Raetsel_Layout]\n  Feldgroesse=40\n"),
              std::string::npos)
        << shown.str();
}

TEST_F(TEmbedFixture, WithoutSettingsTheLengthIsZero) {
    ASSERT_EQ(RunTool({"embed", player.string(), puzzle.string(), "-o", out.string()}), 0);
    const std::string packed = ReadFile(out);
    ASSERT_EQ(packed.size(), ContainerOffset + HeaderSize + 2 + PuzzleDataSize + 4);
    EXPECT_EQ(packed.substr(packed.size() - 4), std::string(4, '\0'));
    auto p = std::make_unique<TPuzzleData>();
    TProgramSettings s;
    EXPECT_EQ(LoadEmbeddedPuzzle(*p, out.string(), s), lrLoaded);
    EXPECT_EQ(s.Feldgroesse, 30);
}

// A source given in place of the puzzle file is compiled; its settings block
// goes into the player unless an INI file is named.
TEST_F(TEmbedFixture, FromASourceWithItsSettingsBlock) {
    WriteFile(dir / "s.ini", "[Raetsel_Layout]\nFeldgroesse=40\n");
    const struct {
        const char* name;
        std::string source;
        bool withIni;
        int rc;
        int cellSize;
    } cases[] = {
        {"source settings", Source + "[einstellungen]\n[Raetsel_Layout]\nFeldgroesse=36\n", false, 0,
         36},
        {"INI file wins", Source + "[einstellungen]\n[Raetsel_Layout]\nFeldgroesse=36\n", true, 0,
         40},
        {"no settings block", Source, false, 0, 30},
        {"source error", Source + "AUGE = y\n", false, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(out);
        WriteFile(dir / "q.txt", c.source);
        std::vector<std::string> args = {"embed", player.string(), (dir / "q.txt").string(), "-o",
                                         out.string()};
        if (c.withIni) args.insert(args.end(), {"--settings", (dir / "s.ini").string()});
        std::string err;
        ASSERT_EQ(RunTool(args, &err), c.rc) << err;
        if (c.rc != 0) {
            EXPECT_NE(err.find("q.txt:13: "), std::string::npos) << err;
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        auto p = std::make_unique<TPuzzleData>();
        TProgramSettings s;
        ASSERT_EQ(LoadEmbeddedPuzzle(*p, out.string(), s), lrLoaded);
        EXPECT_EQ(p->Title.str(), "Probe");
        EXPECT_EQ(s.Feldgroesse, c.cellSize);
        EXPECT_EQ(ReadFile(out).substr(ContainerOffset + HeaderSize + 2, PuzzleDataSize),
                  ReadFile(puzzle).substr(HeaderSize));
    }
}

TEST_F(TEmbedFixture, PlayerSizeLimit) {
    const struct {
        const char* name;
        std::size_t size;
        bool accepted;
    } cases[] = {
        {"exactly the offset", ContainerOffset, true},
        {"one byte longer", ContainerOffset + 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(out);
        WriteFile(player, std::string(c.size, 'x'));
        std::string err;
        EXPECT_EQ(RunTool({"embed", player.string(), puzzle.string(), "-o", out.string()}, &err),
                  c.accepted ? 0 : 1);
        EXPECT_EQ(fs::exists(out), c.accepted);
        if (!c.accepted) {
            EXPECT_NE(err.find("805000"), std::string::npos) << err;
        }
    }
}

TEST_F(TEmbedFixture, RefusesWhatIsNoPuzzleFile) {
    const struct {
        const char* name;
        std::string puzzleBytes;
    } cases[] = {
        {"wrong magic word", "quadrillenwortel" + std::string(HeaderSize + PuzzleDataSize, ' ')},
        {"cut short", ReadFile(puzzle).substr(0, 1000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir / "bad.raetsel", c.puzzleBytes);
        EXPECT_EQ(
            RunTool({"embed", player.string(), (dir / "bad.raetsel").string(), "-o", out.string()}),
            1);
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST(RaetselShow, RefusesWhatHoldsNoPuzzle) {
    TScratchDir dir;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"text file", "Hallo"},
        {"empty file", ""},
        {"puzzle file cut short", "Quadrillenwortel" + std::string(100, ' ')},
        {"player cut after the header", std::string(ContainerOffset, '\0') + "Quadrillenwortel"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(dir / "f", c.bytes);
        std::string err;
        EXPECT_EQ(RunTool({"show", (dir / "f").string()}, &err), 1);
        EXPECT_FALSE(err.empty());
    }
    std::string err;
    EXPECT_EQ(RunTool({"show", (dir / "missing").string()}, &err), 1);
}

// Sizes and lengths in a file are untrusted: show either refuses the file or
// prints no more than the record's arrays hold.
TEST(RaetselShow, DamagedSizesStayInsideTheRecord) {
    TScratchDir dir;
    WriteFile(dir / "q.txt", Source);
    ASSERT_EQ(RunTool({"build", (dir / "q.txt").string(), "-o", (dir / "q.raetsel").string()}), 0);
    const std::string good = ReadFile(dir / "q.raetsel");
    const struct {
        const char* name;
        std::size_t offset; // within the record
        unsigned char value;
    } cases[] = {
        {"row count 255", 65439, 255},
        {"column count 255", 65440, 255},
        {"word count 255", 65441, 255},
        {"type 200", 65438, 200},
        {"level 9", 65442, 9},
        {"title length 255 with junk", 64926, 255},
        {"author length 200", 64875, 200},
        {"answer length 200", 48672 + 13, 200},
        {"clue length 255", 48672 + 29, 255},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bad = good;
        bad[HeaderSize + c.offset] = static_cast<char>(c.value);
        WriteFile(dir / "bad.raetsel", bad);
        std::string out, err;
        const int rc = RunTool({"show", (dir / "bad.raetsel").string()}, &err, &out);
        ASSERT_TRUE(rc == 0 || rc == 1) << err;
        std::istringstream lines(out);
        int count = 0;
        for (std::string line; std::getline(lines, line); ++count)
            EXPECT_LE(line.size(), 2u + 4 * MaxGridSize + 300) << line;
        EXPECT_LE(count, 20 + 2 * MaxGridSize + MaxWords + 10);
    }
}

TEST(SettingsBlock, LineEndsAndCodePage) {
    const struct {
        const char* name;
        std::string utf8;
        std::string cp1252;
    } cases[] = {
        {"LF", "a=1\nb=2\n", "a=1\r\nb=2\r\n"},
        {"CR LF kept", "a=1\r\nb=2\r\n", "a=1\r\nb=2\r\n"},
        {"last line without end", "a=1", "a=1\r\n"},
        {"empty lines kept", "[A]\n\nb=1\n", "[A]\r\n\r\nb=1\r\n"},
        {"umlauts", "Schriftart=Bürgerlich\n", "Schriftart=B\xFCrgerlich\r\n"},
        {"byte order mark dropped",
         "\xEF\xBB\xBF"
         "a=1\n",
         "a=1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out;
        ASSERT_TRUE(SettingsBlockText(c.utf8, out));
        EXPECT_EQ(out, c.cp1252);
    }
    std::string out;
    EXPECT_FALSE(SettingsBlockText("Symbol=\xE2\x98\x83\n", out));
}

TEST(ReleasePlayer, StaysBelowTheContainerOffset) {
    const fs::path player = fs::path(ZX_RELEASE_DIR) / "zindorax-player";
    if (std::string(ZX_RELEASE_DIR).empty() || !fs::exists(player))
        GTEST_SKIP() << "no Release player at " << player;
    EXPECT_LT(fs::file_size(player), ContainerOffset);
    const fs::path demo = fs::path(ZX_RELEASE_DIR) / "zindorax-demo";
    if (fs::exists(demo)) {
        auto p = std::make_unique<TPuzzleData>();
        TProgramSettings s;
        EXPECT_EQ(LoadEmbeddedPuzzle(*p, demo.string(), s), lrLoaded);
        EXPECT_EQ(KindOf(*p), TPuzzleKind::SwedishWithSolution);
        EXPECT_EQ(s.Feldgroesse, 34);
    }
}

} // namespace
} // namespace zx
