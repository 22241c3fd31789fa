// Tests of the settings: defaults, reading from the INI list and the derived colours.
#include <gtest/gtest.h>

#include <cstring>

#include "TestFiles.h"
#include "document/IniList.h"
#include "document/Settings.h"

namespace zx {
namespace {

TProgramSettings Read(const std::string& text, std::uint8_t helpOptions = 0xFF) {
    TPuzzleData p = test::MakePuzzle(5, 5);
    p.HelpOptions = helpOptions;
    TIniList l;
    l.LoadFromText(text);
    TProgramSettings s;
    ReadSettings(s, p, l);
    return s;
}

TEST(Settings, DefaultsAndDerivedColours) {
    TPuzzleData p = test::MakePuzzle(5, 5);
    TProgramSettings s;
    s.Feldgroesse = 99;
    s.PrintSettings.Copies = 9;
    SetDefaultSettings(s, p);
    EXPECT_EQ(s.Feldgroesse, 30);
    EXPECT_EQ(s.Schriftart, "Arial");
    EXPECT_EQ(s.PrintSettings.Copies, 1);
    EXPECT_EQ(s.PrintSettings.CellSize, 80);
    EXPECT_EQ(s.PrintSettings.ColorMode, 2);
    EXPECT_TRUE(s.FehlerZeigen);
    EXPECT_EQ(s.MarkedLetterColor, 0xAAAAFFu);
    EXPECT_EQ(s.MarkedSolutionColor, 0x55D4FFu);

    p.HelpOptions = 0xFE;
    SetDefaultSettings(s, p);
    EXPECT_FALSE(s.FehlerZeigen);
}

TEST(Settings, ReadingTheDefaultColoursBlendsTheLetterHighlight) {
    const TProgramSettings s =
        Read("[Raetsel_Layout]\r\nFarbeMarkierung=11184895\r\nFarbeBuchstabenfeld=16777215\r\n"
             "FarbeLoesungfeld=65535\r\n");
    EXPECT_EQ(s.MarkedLetterColor, 0xD4D4FFu);
    EXPECT_EQ(s.MarkedSolutionColor, 0x55D4FFu);
    // An empty block gives the same blend: reading always derives from the fields.
    EXPECT_EQ(Read("").MarkedLetterColor, 0xD4D4FFu);
}

TEST(Settings, KeysReadFromTheBlock) {
    struct Case {
        const char* name;
        std::string text;
        std::function<bool(const TProgramSettings&)> holds;
    };
    const Case cases[] = {
        {"cell size right below the header", "[Raetsel_Layout]\r\nFeldgroesse=40\r\n",
         [](auto& s) { return s.Feldgroesse == 40; }},
        {"hexadecimal colour", "[Raetsel_Layout]\r\nFarbeMarkierung=$00FF80\r\n",
         [](auto& s) { return s.FarbeMarkierung == 0x00FF80u; }},
        {"system colour", "[Raetsel_Layout]\r\nFarbeLeerfeld2=-2147483633\r\n",
         [](auto& s) { return s.FarbeLeerfeld2 == 0x8000000Fu; }},
        {"FehlerZeigen=1 against the help options", "[Raetsel_Anzeige]\r\nFehlerZeigen=1\r\n",
         [](auto& s) { return s.FehlerZeigen; }},
        {"font name", "[Raetsel_Layout]\r\nSchriftart=Courier New\r\n",
         [](auto& s) { return s.Schriftart == "Courier New"; }},
        {"font name cut to 255", "[Raetsel_Layout]\r\nSchriftart=" + std::string(300, 'F') + "\r\n",
         [](auto& s) { return s.Schriftart == std::string(255, 'F'); }},
        {"HinweiseZeigen under Programm is not read", "[Programm]\r\nHinweiseZeigen=0\r\n",
         [](auto& s) { return s.HinweiseZeigen; }},
        {"legend switches", "[Legende]\r\nEinfacheLegende=0\r\nBegriffeAusblenden=1\r\n",
         [](auto& s) { return !s.EinfacheLegende && s.BegriffeAusblenden; }},
        {"zero byte at the start", std::string("\0[Raetsel_Layout]\r\nFeldgroesse=40\r\n", 35),
         [](auto& s) { return s.Feldgroesse == 30; }},
        {"cell size 0 is unusable", "[Raetsel_Layout]\r\nFeldgroesse=0\r\n",
         [](auto& s) { return s.Feldgroesse == 30; }},
        {"negative cell size is unusable", "[Raetsel_Layout]\r\nFeldgroesse=-40\r\n",
         [](auto& s) { return s.Feldgroesse == 30; }},
        {"huge font size is unusable", "[Raetsel_Layout]\r\nSchriftgroesse=2147483647\r\n",
         [](auto& s) { return s.Schriftgroesse == 12; }},
        {"number font size read", "[Raetsel_Layout]\r\nZahlengroesse=9\r\n",
         [](auto& s) { return s.Zahlengroesse == 9; }},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.holds(Read(c.text, 0x00))) << c.name;
}

TEST(Settings, BlendResolvesSystemColours) {
    struct Case {
        const char* name;
        TColor a, b, blended;
    };
    const Case cases[] = {
        {"plain colours", 0xFFFFFF, 0xAAAAFF, 0xD4D4FF},
        {"truncating average", 0x010101, 0x000000, 0x000000},
        {"window colour is white", 0x80000005, 0x000000, 0x7F7F7F},
        {"window text is black", 0x80000008, 0xFEFEFE, 0x7F7F7F},
        {"button face", 0x8000000F, 0xF0F0F0, 0xF0F0F0},
        {"unknown system index is black", 0x800000FF, 0x000000, 0x000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BlendColors(c.a, c.b), c.blended) << c.name;

    const TSystemColorResolver green = [](int index) { return index == 5 ? 0x00FF00u : 0u; };
    EXPECT_EQ(BlendColors(0x80000005, 0x0000FE, green), 0x007F7Fu);
    EXPECT_EQ(ResolveColor(0x123456, green), 0x123456u);
}

} // namespace
} // namespace zx
