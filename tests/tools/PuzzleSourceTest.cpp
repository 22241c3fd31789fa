// The source compiler: what it derives from a grid, and how it refuses broken sources.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

using test::Compile;

// A 4 x 3 crossword: HAUS / O##R / HASE with the down words HOH and SRE.
const std::string SmallCrossword = "typ: 1\n"
                                   "titel: Probe\n"
                                   "loesungswort: OHR\n"
                                   "[gitter]\n"
                                   "hAUS\n"
                                   "o##r\n"
                                   "HASE\n"
                                   "[begriffe]\n"
                                   "HAUS = Gebäude\n"
                                   "HASE = Langohr\n"
                                   "HOH = hoch\n"
                                   "SRE [s] = Kürzel\n";

TEST(PuzzleSource, CrosswordCellsNumbersAndWords) {
    const auto c = Compile(SmallCrossword);
    const TPuzzleData& p = c->Record;
    EXPECT_EQ(KindOf(p), TPuzzleKind::SwedishWithSolution);
    EXPECT_EQ(p.ColCount, 4);
    EXPECT_EQ(p.RowCount, 3);
    // Border and unused cells up to index 51 are blocks; so are '#' cells.
    for (int i = 0; i < GridDim; ++i) {
        EXPECT_TRUE(p.cell(0, i).Flags & cfBlock);
        EXPECT_TRUE(p.cell(i, 0).Flags & cfBlock);
        EXPECT_TRUE(p.cell(51, i).Flags & cfBlock);
        EXPECT_TRUE(p.cell(i, 4).Flags & cfBlock);
        EXPECT_TRUE(p.cell(5, i).Flags & cfBlock);
    }
    EXPECT_EQ(p.cell(2, 2).Flags, cfBlock);
    EXPECT_EQ(p.cell(1, 1).Flags, cfLetter | cfSolution);
    EXPECT_EQ(p.cell(2, 1).Flags, cfLetter);
    EXPECT_EQ(p.cell(2, 1).Text.str(), "A");
    EXPECT_EQ(p.entry(2, 1).str(), " ");
    // Numbers in reading order: (1,1) across and down, (4,1) down, (1,3) across.
    EXPECT_EQ(p.cell(1, 1).Number, 1);
    EXPECT_EQ(p.cell(1, 1).AcrossStart, 1);
    EXPECT_EQ(p.cell(1, 1).DownStart, 1);
    EXPECT_EQ(p.cell(4, 1).Number, 2);
    EXPECT_EQ(p.cell(4, 1).AcrossStart, 0);
    EXPECT_EQ(p.cell(1, 3).Number, 3);
    EXPECT_EQ(p.cell(2, 3).Number, 0);
    // Word records in list order.
    ASSERT_EQ(p.WordCount, 4);
    struct {
        const char* answer;
        int number;
        std::uint8_t dir;
    } const want[] = {
        {"HAUS", 1, wdAcross}, {"HASE", 3, wdAcross}, {"HOH", 1, wdDown}, {"SRE", 2, wdDown}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(want[i].answer);
        EXPECT_EQ(p.Words[i].Answer.str(), want[i].answer);
        EXPECT_EQ(p.Words[i].Number, want[i].number);
        EXPECT_EQ(p.Words[i].Direction, want[i].dir);
        EXPECT_EQ(p.Words[i].Reversed, 0);
        EXPECT_EQ(p.Words[i].Guess.str(), " ");
    }
    EXPECT_EQ(p.Words[3].Clue.str(), "K\xFCrzel"); // UTF-8 clue stored as Windows-1252
    EXPECT_EQ(p.Words[4].Direction, wdAcross);     // unused records stay cleared
    EXPECT_EQ(p.SolutionWord.str(), "OHR");
    EXPECT_EQ(p.SolutionEntry.str(), std::string(20, ' '));
    EXPECT_EQ(p.CreatorVersion.str(), "1.0");
    EXPECT_EQ(p.HelpOptions, 255);
    EXPECT_TRUE(c->SettingsIni.empty());
}

TEST(PuzzleSource, HeaderKeys) {
    struct Case {
        const char* name;
        const char* header;
        void (*check)(const TPuzzleData&);
    } const cases[] = {
        {"help list", "hilfen: fehler, loesung",
         [](const TPuzzleData& p) { EXPECT_EQ(p.HelpOptions, hoMarkErrors | hoShowSolution); }},
        {"help none", "hilfen: keine", [](const TPuzzleData& p) { EXPECT_EQ(p.HelpOptions, 0); }},
        {"help as number", "hilfen: 71",
         [](const TPuzzleData& p) { EXPECT_EQ(p.HelpOptions, 71); }},
        {"level by name", "stufe: sehr schwer",
         [](const TPuzzleData& p) { EXPECT_EQ(p.Level, 3); }},
        {"times", "zeit: 1:15\nbestzeit: 95",
         [](const TPuzzleData& p) {
             EXPECT_EQ(p.ElapsedTime, 75);
             EXPECT_EQ(p.BestTime, 95);
         }},
        {"comment lines joined with CR LF", "kommentar: erste\nKommentar: zweite",
         [](const TPuzzleData& p) { EXPECT_EQ(p.Comment.str(), "erste\r\nzweite"); }},
        {"umlaut key spelling", "Rückwärts: ja",
         [](const TPuzzleData& p) { EXPECT_EQ(p.ReverseAllowed, 1); }},
        {"version and author", "version: 7.21\nautor: Jörg",
         [](const TPuzzleData& p) {
             EXPECT_EQ(p.CreatorVersion.str(), "7.21");
             EXPECT_EQ(p.Author.str(), "J\xF6rg");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto out = Compile("typ: 0\n" + std::string(c.header) +
                                 "\n[gitter]\nOHR\n[begriffe]\nOHR = Hörorgan\n");
        c.check(out->Record);
    }
}

TEST(PuzzleSource, ReversedAndHiddenWords) {
    const auto c = Compile("typ: 6\nrueckwaerts: ja\n"
                           "[gitter]\nSUAH\n   \n"
                           "[begriffe]\nHAUS\n");
    // The blank-only line is no grid row; HAUS stands backwards.
    const TPuzzleData& p = c->Record;
    EXPECT_EQ(p.RowCount, 1);
    EXPECT_EQ(p.Words[0].Reversed, 1);
    EXPECT_EQ(p.Words[0].Answer.str(), "HAUS");
    EXPECT_EQ(p.cell(1, 1).Text.str(), "S"); // the first cell in grid order starts the word
    EXPECT_EQ(p.cell(1, 1).AcrossStart, 1);

    const auto h =
        Compile("typ: 0\n[gitter]\nOHR\nT##\n[begriffe]\nOHR [v] = Hörorgan\nOT = Kürzel\n");
    EXPECT_EQ(h->Record.cell(1, 1).Number, -1);
    EXPECT_EQ(h->Record.Words[0].Number, -1); // the record matches the cell it starts in
    EXPECT_EQ(h->Record.Words[1].Number, -1);
}

TEST(PuzzleSource, RepeatedAnswersTakeSlotsInReadingOrderOrAsPinned) {
    const std::string grid = "typ: 4\n[gitter]\nOHR\n###\nOHR\n[begriffe]\n";
    const auto plain = Compile(grid + "OHR = oben\nOHR = unten\n");
    EXPECT_EQ(plain->Record.Words[0].Clue.str(), "oben");
    EXPECT_EQ(plain->Record.Words[0].Number, 1);
    const auto pinned = Compile(grid + "OHR [@1,3] = unten\nOHR = oben\n");
    EXPECT_EQ(pinned->Record.Words[0].Number, 2);
    EXPECT_EQ(pinned->Record.Words[1].Number, 1);
}

TEST(PuzzleSource, NumberPuzzleCodeTable) {
    const std::string source = "typ: 2\n[gitter]\nOHR\n[begriffe]\nOHR\n";
    const auto shuffled = Compile(source);
    const auto again = Compile(source);
    std::string letters;
    for (int i = 0; i < CodeTableSize; ++i) {
        letters += static_cast<char>(shuffled->Record.Words[i].Code);
        EXPECT_EQ(shuffled->Record.Words[i].Guess.str(), " ");
        EXPECT_EQ(again->Record.Words[i].Code, shuffled->Record.Words[i].Code) << "reproducible";
    }
    std::string sorted = letters;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    // The word list keeps its own fields beside the table.
    EXPECT_EQ(shuffled->Record.Words[0].Answer.str(), "OHR");
    EXPECT_EQ(shuffled->Record.WordCount, 1);

    const auto given =
        Compile("typ: 2\ncode: qwertzuiopasdfghjklyxcvbnm\n[gitter]\nOHR\n[begriffe]\nOHR\n");
    EXPECT_EQ(given->Record.Words[0].Code, 'Q');
    EXPECT_EQ(given->Record.Words[25].Code, 'M');
}

TEST(PuzzleSource, SudokuGivensAndSolution) {
    const auto s = Compile("typ: 14\n[gitter]\n12 ..\n.4 ..\n\n.. .3\n.. 2.\n");
    const TPuzzleData& p = s->Record;
    EXPECT_EQ(p.ColCount, 4);
    EXPECT_EQ(p.cell(1, 1).Flags, cfLetter | cfSolution);
    EXPECT_EQ(p.entry(1, 1).str(), "1");
    EXPECT_EQ(p.cell(3, 1).Flags, cfLetter);
    EXPECT_EQ(p.entry(3, 1).str(), " ");
    // The unique solution was worked out by the compiler.
    const char* const rows[] = {"1234", "3412", "2143", "4321"};
    for (int r = 1; r <= 4; ++r)
        for (int col = 1; col <= 4; ++col)
            EXPECT_EQ(p.cell(col, r).Text.str(), std::string(1, rows[r - 1][col - 1]));
    EXPECT_TRUE(p.cell(5, 1).Flags & cfBlock);
}

TEST(PuzzleSource, JigsawHiddenWords) {
    const auto c = Compile("typ: 12\nrueckwaerts: ja\n[gitter]\nXOHRX\nEXXXX\nEXXXX\nSXXXX\n"
                           "[begriffe]\nOHR = Hörorgan\nSEE = Gewässer\n");
    const TPuzzleData& p = c->Record;
    EXPECT_EQ(p.cell(2, 1).Flags, cfLetter);
    EXPECT_EQ(p.cell(1, 1).Flags, cfBlock);
    EXPECT_EQ(p.cell(1, 1).Text.str(), "X"); // the filler letter is kept
    EXPECT_EQ(p.entry(1, 1).str(), "X");     // and shown as the block's entry
    EXPECT_EQ(p.entry(2, 1).str(), " ");
    // Cell numbers are hidden; the word records keep them positive.
    EXPECT_EQ(p.cell(2, 1).Number, -1);
    EXPECT_EQ(p.cell(1, 2).Number, -2);
    EXPECT_EQ(p.Words[0].Number, 1);
    EXPECT_EQ(p.Words[1].Number, 2);
    EXPECT_EQ(p.Words[1].Reversed, 1);
    EXPECT_EQ(p.Words[1].Direction, wdDown);
}

TEST(PuzzleSource, SettingsBlockPassesThroughAsWindows1252) {
    const auto c = Compile("typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR = Ohr\n[einstellungen]\n"
                           "; für den Spieler\n[Raetsel_Layout]\n\nFeldgroesse=40\n\n\n");
    EXPECT_EQ(c->SettingsIni, "; f\xFCr den Spieler\r\n[Raetsel_Layout]\r\n\r\nFeldgroesse=40\r\n");
}

struct TBrokenCase {
    const char* name;
    std::string source;
    int line;
    const char* cause;
};

std::string Words(int n) {
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "OHR\n";
    return s;
}

// No cell of the last row can take a 1: the solver must see this at once
// instead of searching the whole sparse grid.
const std::string DeadEnd12 = "typ: 14\n[gitter]\n"
                              "........1...\n............\n............\n"
                              ".........1..\n............\n............\n"
                              "..........1.\n............\n............\n"
                              "1...........\n....1.......\n...........2\n";

TEST(PuzzleSource, BrokenSourcesNameLineAndCause) {
    const std::string okGrid = "[gitter]\nOHR\n[begriffe]\nOHR = Ohr\n";
    const TBrokenCase cases[] = {
        {"unknown key", "typ: 0\nfarbe: rot\n" + okGrid, 2, "unbekannter Schlüssel \"farbe\""},
        {"missing type", okGrid, 0, "\"typ\" fehlt"},
        {"unused type 13", "typ: 13\n" + okGrid, 1, "typ 13"},
        {"type out of range", "typ: 16\n" + okGrid, 1, "0 bis 15"},
        {"duplicate key", "typ: 0\ntitel: a\ntitel: b\n" + okGrid, 3, "mehrfach"},
        {"ragged grid", "typ: 0\n[gitter]\nOHR\nO#\n[begriffe]\nOHR = x\n", 4, "2 Felder statt 3"},
        {"grid wider than 50", "typ: 0\n[gitter]\n" + std::string(51, 'A') + "\n[begriffe]\n", 3,
         "breiter als 50"},
        {"umlaut in grid", "typ: 0\n[gitter]\nOHÄ\n[begriffe]\n", 3, "AE, OE, UE"},
        {"clue for a missing word", "typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR = x\nAUGE = y\n", 6,
         "AUGE passt in kein freies Wort"},
        {"word missing from the list", "typ: 0\n[gitter]\nOHR\nT##\n[begriffe]\nOHR = x\n", 3,
         "OT (senkrecht ab Spalte 1) fehlt"},
        {"reversed word without permission", "typ: 0\n[gitter]\nRHO\n[begriffe]\nOHR = x\n", 5,
         "rueckwaerts: ja"},
        {"too many words", "typ: 6\n[gitter]\nOHR\n[begriffe]\n" + Words(202), 206, "mehr als 201"},
        {"answer longer than 15", "typ: 6\n[gitter]\nOHR\n[begriffe]\nABCDEFGHIJKLMNOP\n", 5,
         "länger als 15"},
        {"clue longer than 50",
         "typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR = " + std::string(51, 'x') + "\n", 5,
         "länger als 50"},
        {"missing clue", "typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR\n", 5,
         "Umschreibung zu OHR fehlt"},
        {"isolated letter", "typ: 0\n[gitter]\nOHR\n###\nA##\n[begriffe]\nOHR = x\n", 5,
         "gehört zu keinem Wort"},
        {"bad Sudoku symbol", "typ: 14\n[gitter]\n1234\n5...\n....\n....\n", 4,
         "kein Sudoku-Symbol"},
        {"Sudoku not square", "typ: 14\n[gitter]\n123\n...\n", 3, "quadratisch"},
        {"Sudoku without solution", "typ: 14\n[gitter]\n11..\n....\n....\n....\n", 2,
         "keine Lösung"},
        {"Sudoku without solution found deep down", DeadEnd12, 2, "keine Lösung"},
        {"Sudoku with several solutions", "typ: 14\n[gitter]\n....\n....\n....\n....\n", 2,
         "mehrere Lösungen"},
        {"Sudoku solution against the rule",
         "typ: 14\n[gitter]\n....\n....\n....\n....\n[loesungsgitter]\n1234\n1234\n1234\n1234\n", 7,
         "verletzt"},
        {"solution word letters not marked",
         "typ: 1\nloesungswort: OHR\n[gitter]\noHR\n[begriffe]\nOHR = x\n", 2, "ergeben nicht"},
        {"solution word in a type without one", "typ: 0\nloesungswort: OHR\n" + okGrid, 2,
         "nur bei Typen"},
        {"solution cells in a type without one", "typ: 0\n[gitter]\nOhr\n[begriffe]\nOHR = x\n", 3,
         "nur bei Typen mit Lösungswort"},
        {"title too long", "typ: 0\ntitel: " + std::string(256, 'x') + "\n" + okGrid, 2,
         "länger als 255"},
        {"character without Windows-1252 form", "typ: 0\ntitel: \xE2\x98\x83\n" + okGrid, 2,
         "Windows-1252"},
        {"unknown block", "typ: 0\n[farben]\n" + okGrid, 2, "unbekannter Abschnitt"},
        {"unknown word option", "typ: 0\n[gitter]\nOHR\n[begriffe]\nOHR [x] = x\n", 5,
         "unbekannte Option"},
        {"jigsaw word not found", "typ: 12\n[gitter]\nOHRX\n[begriffe]\nAUGE\n", 5,
         "nicht zu finden"},
        {"jigsaw word twice", "typ: 12\n[gitter]\nOHR\nOHR\n[begriffe]\nOHR\n", 6, "2-mal"},
        {"bad code table", "typ: 2\ncode: ABC\n[gitter]\nOHR\n[begriffe]\nOHR\n", 2,
         "26 Buchstaben"},
        {"missing grid", "typ: 0\n[begriffe]\nOHR = x\n", 0, "[gitter] fehlt"},
    };
    for (const TBrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto out = std::make_unique<TCompiledPuzzle>();
        TSourceError error;
        ASSERT_FALSE(CompilePuzzleSource(c.source, "quelle.txt", *out, error));
        EXPECT_EQ(error.File, "quelle.txt");
        EXPECT_EQ(error.Line, c.line) << error.Message;
        EXPECT_NE(error.Message.find(c.cause), std::string::npos) << error.Message;
    }
    std::string tall = "typ: 0\n[gitter]\n";
    for (int i = 0; i < 51; ++i)
        tall += "O\n";
    auto out = std::make_unique<TCompiledPuzzle>();
    TSourceError error;
    ASSERT_FALSE(CompilePuzzleSource(tall, "quelle.txt", *out, error));
    EXPECT_EQ(error.Line, 53);
    EXPECT_NE(error.Message.find("höher als 50"), std::string::npos) << error.Message;
    EXPECT_EQ(FormatSourceError(error), "quelle.txt:53: " + error.Message);
}

} // namespace
} // namespace zx
