// The player's settings: view switches, font, colours and print options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zx {

struct TPuzzleData;
class TIniList;

// Colours are 0x00BBGGRR; a top byte 0x80 marks a system colour whose low
// byte is the system colour index.
using TColor = std::uint32_t;
inline constexpr TColor SystemColorFlag = 0x80000000u;
inline bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == SystemColorFlag; }

// Print options; lengths in tenths of a millimetre.
struct TPrintSettings {
    std::uint8_t Stretch = 0;          // Sudoku: stretch the grid to the page
    std::int32_t CellSize = 80;        // Sudoku: fixed cell edge
    std::uint8_t OnePage = 1;          // grid and legend on one page
    std::uint8_t Portrait = 0;         // 1 portrait, 0 landscape
    std::uint8_t LegendRight = 1;      // one page: legend right of (1) or below (0) the grid
    std::int32_t PrinterIndex = 0;
    std::int32_t Copies = 1;
    std::int32_t LeftMargin = 200;
    std::int32_t TopMargin = 200;
    std::int32_t ColorMode = 2;        // 0 lines only, 1 greyscale, 2 colour
    std::int32_t LegendFontHeight = 40;
};

struct TProgramSettings {
    // Programm
    bool AuswahlAnzeigen = true;
    // Raetsel_Erstellen
    bool LoesungswortVorgeben = false;
    // Raetsel_Anzeige
    bool FehlerZeigen = true;
    bool LaengenZeigen = false;
    bool MoeglicheZahlenZeigen = false;
    bool HinweiseZeigen = true;
    bool AktuellenBegriffMarkieren = true;
    bool LegendeZeigen = true;
    bool LoesungswortZeigen = true;
    // Raetsel_Layout
    std::string Schriftart = "Arial"; // at most 255 characters
    std::int32_t Schriftgroesse = 12;
    std::int32_t Zahlengroesse = 12;
    std::int32_t Feldgroesse = 30;
    TColor FarbeMarkierung = 0xAAAAFF;
    TColor FarbeBuchstaben = 0x800000;
    TColor FarbeBuchstabenfeld = 0xFFFFFF;
    TColor FarbeLoesungswort = 0x000000;
    TColor FarbeLoesungfeld = 0x00FFFF;
    TColor FarbeLeerfeld1 = 0x000000;
    TColor FarbeLeerfeld2 = 0xC0C0C0;
    TColor FarbeFalscheBuchstaben = 0xFF00FF;
    TColor FarbeFehlendeBuchstaben = 0xFF0000;
    // Legende
    bool EinfacheLegende = true;
    bool BegriffeAusblenden = false;
    bool AutomatischMarkieren = true;

    // Derived highlight colours.
    TColor MarkedLetterColor = 0xAAAAFF;
    TColor MarkedSolutionColor = 0x55D4FF;

    TPrintSettings PrintSettings;
};

// Resolves a system colour index (the low byte of a colour with top byte
// 0x80) to a plain 0x00BBGGRR value. The document has no access to the
// desktop's palette, so the user interface passes one in; without one a fixed
// light palette is used.
using TSystemColorResolver = std::function<TColor(int index)>;
TColor ResolveColor(TColor c, const TSystemColorResolver& resolve = {});

// Channel-wise average of two colours (system colours resolved first), truncating.
TColor BlendColors(TColor a, TColor b, const TSystemColorResolver& resolve = {});

// Every field to its default; FehlerZeigen from bit 0 of the record's HelpOptions.
void SetDefaultSettings(TProgramSettings& s, const TPuzzleData& p,
                        const TSystemColorResolver& resolve = {});
// Defaults, then every key of the list, then the derived colours.
void ReadSettings(TProgramSettings& s, const TPuzzleData& p, const TIniList& list,
                  const TSystemColorResolver& resolve = {});

} // namespace zx
