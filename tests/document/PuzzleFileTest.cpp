// Tests of the container and puzzle-file readers, the header and the command-line join.
#include <gtest/gtest.h>

#include <functional>

#include "TestFiles.h"
#include "document/PuzzleFile.h"

namespace zx {
namespace {

using test::Bytes;
using test::ContainerBytes;
using test::Le32;
using test::MakePuzzle;
using test::PuzzleFileBytes;
using test::TempDir;

// The settings block as the packer writes it: every section, CR LF line ends,
// the cell size changed to 40, padded with a comment to exactly 683 bytes.
std::string PackerSettings() {
    std::string ini =
        "; NoTitle\r\n"
        "[Programm]\r\nAuswahlAnzeigen=1\r\nHinweiseZeigen=0\r\n\r\n"
        "[Raetsel_Erstellen]\r\nLoesungswortVorgeben=0\r\n\r\n"
        "[Raetsel_Anzeige]\r\nFehlerZeigen=1\r\n"
        "HinweiseZeigen=1\r\nAktuellenBegriffMarkieren=1\r\nLegendeZeigen=1\r\n"
        "LoesungswortZeigen=1\r\n\r\n"
        "[Raetsel_Layout]\r\nSchriftart=Times New Roman\r\nSchriftgroesse=12\r\n"
        "Zahlengroesse=12\r\nFeldgroesse=40\r\nFarbeMarkierung=11184895\r\n"
        "FarbeBuchstaben=8388608\r\nFarbeBuchstabenfeld=16777215\r\nFarbeLoesungswort=0\r\n"
        "FarbeLoesungfeld=65535\r\nFarbeLeerfeld1=0\r\nFarbeLeerfeld2=12632256\r\n"
        "FarbeFalscheBuchstaben=16711935\r\nFarbeFehlendeBuchstaben=16711680\r\n\r\n"
        "[Legende]\r\nEinfacheLegende=0\r\nBegriffeAusblenden=1\r\nAutomatischMarkieren=1\r\n\r\n";
    const std::size_t used = ini.size() + 4; // "; " and CR LF of the padding line
    ini += "; " + std::string(683 - used, 'x') + "\r\n";
    return ini;
}

TEST(Header, MagicWordAndPaddedVersion) {
    EXPECT_EQ(MakeHeader("7.21"), "Quadrillenwortel7.21           ");
    EXPECT_EQ(MakeHeader(""), "Quadrillenwortel" + std::string(15, ' '));
    EXPECT_EQ(MakeHeader("123456789012345678"), "Quadrillenwortel123456789012345");
}

TEST(EmbeddedPuzzle, PackerContainerLoadsRecordAndSettings) {
    TempDir dir;
    const std::string ini = PackerSettings();
    ASSERT_EQ(ini.size(), 683u);
    TPuzzleData src = MakePuzzle(24, 16, TPuzzleKind::SwedishWithSolution);
    const std::string container = ContainerBytes(src, ini);
    ASSERT_EQ(container.substr(31, 2), "\xB0\xFF");
    ASSERT_EQ(container.substr(65489, 4), std::string("\xAB\x02\x00\x00", 4));
    const std::string exe = dir.write("player", container, ContainerOffset);

    TPuzzleData p;
    TProgramSettings s;
    ASSERT_EQ(LoadEmbeddedPuzzle(p, exe, s), lrLoaded);
    EXPECT_EQ(Bytes(p), Bytes(src));
    EXPECT_EQ(s.Feldgroesse, 40);
    EXPECT_EQ(s.Schriftart, "Times New Roman");
    EXPECT_FALSE(s.EinfacheLegende);
    EXPECT_TRUE(s.BegriffeAusblenden);
    EXPECT_TRUE(s.HinweiseZeigen) << "the Programm section's HinweiseZeigen is not the player's";
    EXPECT_EQ(s.MarkedLetterColor, 0xD4D4FFu);
}

struct EmbeddedCase {
    const char* name;
    std::function<std::string(const TPuzzleData&)> container; // written at ContainerOffset
    TLoadResult result;
    bool settingsApplied; // Feldgroesse=40 in the block took effect
};

TEST(EmbeddedPuzzle, ResultCodesAndContainerEdgeCases) {
    const std::string ini = "[Raetsel_Layout]\r\nFeldgroesse=40\r\n";
    const EmbeddedCase cases[] = {
        {"complete container", [&](auto& p) { return ContainerBytes(p, ini); }, lrLoaded, true},
        {"record size word other than 65456 is skipped",
         [&](auto& p) { return ContainerBytes(p, ini, 1234); }, lrLoaded, true},
        {"settings length 0 keeps defaults", [&](auto& p) { return ContainerBytes(p, ""); },
         lrLoaded, false},
        {"bytes after the settings block are ignored",
         [&](auto& p) { return ContainerBytes(p, ini) + "garbage"; }, lrLoaded, true},
        {"blank version text still loads",
         [&](auto& p) { return MakeHeader("") + ContainerBytes(p, ini).substr(31); }, lrLoaded,
         true},
        {"settings block cut short keeps defaults",
         [&](auto& p) { return ContainerBytes(p, ini).substr(0, 65493 + 10); }, lrLoaded, false},
        {"settings length far beyond the file keeps defaults",
         [&](auto& p) { return ContainerBytes(p, "").substr(0, 65489) + Le32(0xFFFFFFFF) + ini; },
         lrLoaded, false},
        {"zero byte inside the block ends the text",
         [&](auto& p) { return ContainerBytes(p, std::string("\0", 1) + ini); }, lrLoaded, false},
        {"lower-case magic word is a bad format",
         [&](auto& p) { return "quadrillenwortel" + ContainerBytes(p, ini).substr(16); },
         lrBadFormat, false},
        {"magic word only checked over 16 bytes",
         [&](auto& p) {
             return "Quadrillenwortel-x.y-----------" + ContainerBytes(p, ini).substr(31);
         },
         lrLoaded, true},
        {"settings length missing", [&](auto& p) { return ContainerBytes(p, "").substr(0, 65491); },
         lrReadError, false},
        {"container ends mid-record",
         [&](auto& p) { return ContainerBytes(p, ini).substr(0, 40000); }, lrReadError, false},
        {"container ends inside the header", [](auto&) { return std::string("Quadrillen"); },
         lrReadError, false},
        {"executable shorter than the container offset", [](auto&) { return std::string(); },
         lrReadError, false},
    };
    for (const EmbeddedCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const TPuzzleData src = MakePuzzle(12, 10, TPuzzleKind::FillInWithSolution);
        std::string exe;
        if (std::string bytes = c.container(src); bytes.empty())
            exe = dir.write("player", std::string(1000, 'M'));
        else
            exe = dir.write("player", bytes, ContainerOffset);
        TPuzzleData p;
        TProgramSettings s;
        s.Feldgroesse = 77;
        EXPECT_EQ(LoadEmbeddedPuzzle(p, exe, s), c.result);
        EXPECT_EQ(s.Feldgroesse, c.settingsApplied ? 40 : 30);
        if (c.result == lrLoaded) {
            EXPECT_EQ(Bytes(p), Bytes(src));
        }
        if (c.result == lrBadFormat) {
            EXPECT_EQ(p.ColCount, 5) << "record stays cleared";
        }
    }
}

TEST(EmbeddedPuzzle, MissingExecutableIsAReadError) {
    TempDir dir;
    TPuzzleData p;
    TProgramSettings s;
    EXPECT_EQ(LoadEmbeddedPuzzle(p, dir.path("nowhere"), s), lrReadError);
    EXPECT_EQ(p.RowCount, 5);
}

TEST(EmbeddedPuzzle, MarkErrorsDefaultFollowsTheRecordUnlessTheBlockSetsIt) {
    struct Case {
        const char* name;
        std::uint8_t helpOptions;
        std::string ini;
        bool fehlerZeigen;
    };
    const Case cases[] = {
        {"bit 0 clear, no block", 0xFE, "", false},
        {"bit 0 clear, block says 1", 0x00, "[Raetsel_Anzeige]\r\nFehlerZeigen=1\r\n", true},
        {"bit 0 clear, block says ja", 0x06, "[Raetsel_Anzeige]\r\nFehlerZeigen=ja\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        TPuzzleData src = MakePuzzle(6, 6);
        src.HelpOptions = c.helpOptions;
        const std::string exe = dir.write("player", ContainerBytes(src, c.ini), ContainerOffset);
        TPuzzleData p;
        TProgramSettings s;
        ASSERT_EQ(LoadEmbeddedPuzzle(p, exe, s), lrLoaded);
        EXPECT_EQ(s.FehlerZeigen, c.fehlerZeigen);
    }
}

struct FileCase {
    const char* name;
    std::function<std::string(const TPuzzleData&)> bytes;
    TLoadResult result;
};

TEST(PuzzleFile, ResultCodesOnValidTruncatedAndDamagedFiles) {
    const FileCase cases[] = {
        {"complete file", [](auto& p) { return PuzzleFileBytes(p); }, lrLoaded},
        {"blank version text", [](auto& p) { return PuzzleFileBytes(p, ""); }, lrLoaded},
        {"anything after the record ignored",
         [](auto& p) { return PuzzleFileBytes(p) + std::string(5000, '\xFF'); }, lrLoaded},
        {"lower-case magic word",
         [](auto& p) { return "quadrillenwortel" + PuzzleFileBytes(p).substr(16); }, lrBadFormat},
        {"empty file", [](auto&) { return std::string(); }, lrReadError},
        {"ends inside the header", [](auto& p) { return PuzzleFileBytes(p).substr(0, 20); },
         lrReadError},
        {"ends right after the header", [](auto& p) { return PuzzleFileBytes(p).substr(0, 31); },
         lrReadError},
        {"ends in the middle of the record",
         [](auto& p) { return PuzzleFileBytes(p).substr(0, 31 + 30000); }, lrReadError},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const TPuzzleData src = MakePuzzle(24, 16, TPuzzleKind::FrenchWithSolution);
        const std::string file = dir.write("puzzle.raetsel", c.bytes(src));
        TPuzzleData p;
        EXPECT_EQ(LoadPuzzleFile(p, file), c.result);
        if (c.result == lrLoaded) {
            EXPECT_EQ(Bytes(p), Bytes(src));
        }
        if (c.result == lrBadFormat) {
            EXPECT_EQ(p.ColCount, 5);
        }
    }
}

TEST(PuzzleFile, PartlyReadRecordKeepsWhatWasReadAndIsSafe) {
    TempDir dir;
    TPuzzleData src = MakePuzzle(24, 16);
    // Cut after the word records: cells and entries arrive, the sizes do not.
    const std::string file = dir.write("cut", PuzzleFileBytes(src).substr(0, 31 + 50000));
    TPuzzleData p;
    ASSERT_EQ(LoadPuzzleFile(p, file), lrReadError);
    EXPECT_EQ(p.cell(1, 1).Text.view(), src.cell(1, 1).Text.view());
    EXPECT_EQ(p.ColCount, 5) << "the size fields were never read";
    EXPECT_NE(p.cell(6, 1).Flags & cfBlock, 0u) << "border of the cleared 5 x 5 size";

    // Nothing of the record read: the plain cleared record.
    const std::string headerOnly = dir.write("header", PuzzleFileBytes(src).substr(0, 31));
    ASSERT_EQ(LoadPuzzleFile(p, headerOnly), lrReadError);
    EXPECT_EQ(p.cell(0, 0).Flags, 0u);

    // Cut after an unusable row count: cleared rather than kept.
    src.RowCount = 99;
    const std::string badSize = dir.write("bad", PuzzleFileBytes(src).substr(0, 31 + 65440));
    ASSERT_EQ(LoadPuzzleFile(p, badSize), lrReadError);
    EXPECT_EQ(p.RowCount, 5);
    EXPECT_EQ(p.cell(1, 1).Text.Len, 0);
}

TEST(PuzzleFile, MissingAndUnopenableFiles) {
    TempDir dir;
    TPuzzleData p;
    EXPECT_EQ(LoadPuzzleFile(p, dir.path("missing.raetsel")), lrNotFound);
    EXPECT_EQ(LoadPuzzleFile(p, ""), lrNotFound);
    // A name that exists but cannot be read as a file.
    std::filesystem::create_directory(dir.path("folder"));
    EXPECT_EQ(LoadPuzzleFile(p, dir.path("folder")), lrReadError);
}

TEST(PuzzleFile, UnplayableRecordsAreRefusedAndCleared) {
    struct Case {
        const char* name;
        std::function<void(TPuzzleData&)> damage;
        TLoadResult result;
    };
    const Case cases[] = {
        {"60 rows", [](TPuzzleData& p) { p.RowCount = 60; }, lrBadFormat},
        {"Sudoku of 16 symbols",
         [](TPuzzleData& p) { p = MakePuzzle(16, 16, TPuzzleKind::TimedSudoku); }, lrBadFormat},
        {"level 9 clamped", [](TPuzzleData& p) { p.Level = 9; }, lrLoaded},
        {"word count 250 clamped", [](TPuzzleData& p) { p.WordCount = 250; }, lrLoaded},
        {"missing border repaired", [](TPuzzleData& p) { p.cell(0, 3).Flags = cfLetter; },
         lrLoaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        TPuzzleData src = MakePuzzle(8, 8);
        c.damage(src);
        const std::string file = dir.write("p", PuzzleFileBytes(src));
        const std::string exe = dir.write("player", ContainerBytes(src, ""), ContainerOffset);
        TPuzzleData p;
        TProgramSettings s;
        EXPECT_EQ(LoadPuzzleFile(p, file), c.result);
        EXPECT_EQ(LoadEmbeddedPuzzle(p, exe, s), c.result);
        if (c.result == lrBadFormat) {
            EXPECT_EQ(p.ColCount, 5);
            EXPECT_EQ(p.RowCount, 5);
            EXPECT_EQ(KindOf(p), TPuzzleKind::Swedish);
        } else {
            EXPECT_LE(p.Level, MaxLevel);
            EXPECT_LE(p.WordCount, MaxWords);
            EXPECT_NE(p.cell(0, 3).Flags & cfBlock, 0u);
        }
    }
}

TEST(CommandLine, ParametersJoinToOneFileName) {
    struct Case {
        const char* name;
        std::vector<std::string> params;
        std::string joined;
    };
    const Case cases[] = {
        {"quoted path with a blank",
         {"\"/home/u/Meine R\xE4tsel/a.raetsel\""},
         "/home/u/Meine R\xE4tsel/a.raetsel"},
        {"unquoted path split in two",
         {"/home/u/Meine", "R\xE4tsel/a.raetsel"},
         "/home/u/Meine R\xE4tsel/a.raetsel"},
        {"blanks inside quotes trimmed", {"\"  a.raetsel \""}, "a.raetsel"},
        {"blanks around each part trimmed", {"\"Meine \"", "\" R\xE4tsel\""}, "Meine R\xE4tsel"},
        {"several quotes stripped", {"\"\"x\"\""}, "x"},
        {"no parameters", {}, ""},
        {"empty parameter keeps its separator", {"a", "", "b"}, "a  b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinCommandLine(c.params), c.joined) << c.name;
}

} // namespace
} // namespace zx
