// Settings: defaults, reading them from the INI list, and the derived highlight colours.
#include "document/Settings.h"

#include "document/IniList.h"
#include "document/PuzzleData.h"

namespace zx {

namespace {

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

// The classic light desktop palette, indexed by system colour number; used
// when no resolver for the desktop's own palette is given.
constexpr TColor DefaultSystemColors[] = {
    Rgb(200, 200, 200), // 0 scroll bar
    Rgb(0, 0, 0),       // 1 desktop
    Rgb(153, 180, 209), // 2 active caption
    Rgb(191, 205, 219), // 3 inactive caption
    Rgb(240, 240, 240), // 4 menu
    Rgb(255, 255, 255), // 5 window
    Rgb(100, 100, 100), // 6 window frame
    Rgb(0, 0, 0),       // 7 menu text
    Rgb(0, 0, 0),       // 8 window text
    Rgb(0, 0, 0),       // 9 caption text
    Rgb(180, 180, 180), // 10 active border
    Rgb(244, 247, 252), // 11 inactive border
    Rgb(171, 171, 171), // 12 application workspace
    Rgb(0, 120, 215),   // 13 highlight
    Rgb(255, 255, 255), // 14 highlight text
    Rgb(240, 240, 240), // 15 button face
    Rgb(160, 160, 160), // 16 button shadow
    Rgb(109, 109, 109), // 17 grey text
    Rgb(0, 0, 0),       // 18 button text
    Rgb(0, 0, 0),       // 19 inactive caption text
    Rgb(255, 255, 255), // 20 button highlight
    Rgb(105, 105, 105), // 21 3D dark shadow
    Rgb(227, 227, 227), // 22 3D light
    Rgb(0, 0, 0),       // 23 tooltip text
    Rgb(255, 255, 225), // 24 tooltip background
    Rgb(0, 0, 0),       // 25 unused
    Rgb(0, 102, 204),   // 26 hot-tracked item
    Rgb(185, 209, 234), // 27 active caption gradient
    Rgb(215, 228, 242), // 28 inactive caption gradient
    Rgb(51, 153, 255),  // 29 menu highlight
    Rgb(240, 240, 240), // 30 menu bar
};
constexpr int SystemColorCount = sizeof DefaultSystemColors / sizeof DefaultSystemColors[0];

constexpr std::size_t MaxFontNameLength = 255;

// Sizes the windows can lay out: a zero or negative cell size would collapse
// the grid and a huge one would overflow the layout arithmetic, so a value
// outside these bounds counts as unusable and keeps its default.
constexpr std::int32_t MinCellSize = 4;
constexpr std::int32_t MaxCellSize = 400;
constexpr std::int32_t MinFontSize = 1;
constexpr std::int32_t MaxFontSize = 400;

unsigned Channel(TColor c, int shift) {
    return (c >> shift) & 0xFFu;
}

void DeriveColors(TProgramSettings& s, TColor letterBase, const TSystemColorResolver& resolve) {
    s.MarkedLetterColor = letterBase;
    s.MarkedSolutionColor = BlendColors(s.FarbeLoesungfeld, s.FarbeMarkierung, resolve);
}

} // namespace

TColor ResolveColor(TColor c, const TSystemColorResolver& resolve) {
    if (!IsSystemColor(c)) return c;
    const int index = static_cast<int>(c & 0xFFu);
    if (resolve) return resolve(index) & 0xFFFFFFu;
    return index < SystemColorCount ? DefaultSystemColors[index] : Rgb(0, 0, 0);
}

TColor BlendColors(TColor a, TColor b, const TSystemColorResolver& resolve) {
    const TColor x = ResolveColor(a, resolve);
    const TColor y = ResolveColor(b, resolve);
    return Rgb((Channel(x, 0) + Channel(y, 0)) / 2, (Channel(x, 8) + Channel(y, 8)) / 2,
               (Channel(x, 16) + Channel(y, 16)) / 2);
}

void SetDefaultSettings(TProgramSettings& s, const TPuzzleData& p,
                        const TSystemColorResolver& resolve) {
    s = TProgramSettings{};
    s.FehlerZeigen = (p.HelpOptions & hoMarkErrors) != 0;
    DeriveColors(s, s.FarbeMarkierung, resolve);
}

void ReadSettings(TProgramSettings& s, const TPuzzleData& p, const TIniList& list,
                  const TSystemColorResolver& resolve) {
    SetDefaultSettings(s, p, resolve);
    const auto readBool = [&](const char* section, const char* key, bool& field) {
        field = list.ReadBool(section, key, field);
    };
    const auto readSize = [&](const char* key, std::int32_t& field, std::int32_t lo,
                              std::int32_t hi) {
        const std::int32_t v = list.ReadInteger("Raetsel_Layout", key, field);
        if (v >= lo && v <= hi) field = v;
    };
    const auto readColor = [&](const char* key, TColor& field) {
        field = static_cast<TColor>(
            list.ReadInteger("Raetsel_Layout", key, static_cast<std::int32_t>(field)));
    };

    readBool("Programm", "AuswahlAnzeigen", s.AuswahlAnzeigen);
    readBool("Raetsel_Erstellen", "LoesungswortVorgeben", s.LoesungswortVorgeben);
    readBool("Raetsel_Anzeige", "FehlerZeigen", s.FehlerZeigen);
    readBool("Raetsel_Anzeige", "LaengenZeigen", s.LaengenZeigen);
    readBool("Raetsel_Anzeige", "MoeglicheZahlenZeigen", s.MoeglicheZahlenZeigen);
    readBool("Raetsel_Anzeige", "HinweiseZeigen", s.HinweiseZeigen);
    readBool("Raetsel_Anzeige", "AktuellenBegriffMarkieren", s.AktuellenBegriffMarkieren);
    readBool("Raetsel_Anzeige", "LegendeZeigen", s.LegendeZeigen);
    readBool("Raetsel_Anzeige", "LoesungswortZeigen", s.LoesungswortZeigen);

    s.Schriftart = list.ReadString("Raetsel_Layout", "Schriftart", s.Schriftart);
    if (s.Schriftart.size() > MaxFontNameLength) s.Schriftart.resize(MaxFontNameLength);
    readSize("Schriftgroesse", s.Schriftgroesse, MinFontSize, MaxFontSize);
    readSize("Zahlengroesse", s.Zahlengroesse, MinFontSize, MaxFontSize);
    readSize("Feldgroesse", s.Feldgroesse, MinCellSize, MaxCellSize);
    readColor("FarbeMarkierung", s.FarbeMarkierung);
    readColor("FarbeBuchstaben", s.FarbeBuchstaben);
    readColor("FarbeBuchstabenfeld", s.FarbeBuchstabenfeld);
    readColor("FarbeLoesungswort", s.FarbeLoesungswort);
    readColor("FarbeLoesungfeld", s.FarbeLoesungfeld);
    readColor("FarbeLeerfeld1", s.FarbeLeerfeld1);
    readColor("FarbeLeerfeld2", s.FarbeLeerfeld2);
    readColor("FarbeFalscheBuchstaben", s.FarbeFalscheBuchstaben);
    readColor("FarbeFehlendeBuchstaben", s.FarbeFehlendeBuchstaben);

    readBool("Legende", "EinfacheLegende", s.EinfacheLegende);
    readBool("Legende", "BegriffeAusblenden", s.BegriffeAusblenden);
    readBool("Legende", "AutomatischMarkieren", s.AutomatischMarkieren);

    DeriveColors(s, BlendColors(s.FarbeBuchstabenfeld, s.FarbeMarkierung, resolve), resolve);
}

} // namespace zx
