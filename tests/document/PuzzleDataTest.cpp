// Tests of the puzzle record: stored layout, clear operations, names and repair.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "TestFiles.h"
#include "document/PuzzleData.h"

namespace zx {
namespace {

using test::Bytes;
using test::MakePuzzle;

std::uint8_t ByteAt(const std::string& bytes, std::size_t offset) {
    return static_cast<std::uint8_t>(bytes.at(offset));
}

TEST(PuzzleRecord, StoredPuzzleKeepsSizeAndTextsAtTheirOffsets) {
    TPuzzleData p = MakePuzzle(24, 16, TPuzzleKind::SwedishWithSolution);
    p.Author.assign("Anna");
    p.Title.assign("Sommer");
    p.BestTime = 0xBEEF;
    p.cell(3, 2).Number = 7;
    p.entry(3, 2).assign("Q");
    p.Words[1].Answer.assign("OST");
    const std::string b = Bytes(p);

    ASSERT_EQ(b.size(), 65456u);
    EXPECT_EQ(ByteAt(b, 65438), 1);  // type
    EXPECT_EQ(ByteAt(b, 65439), 16); // height
    EXPECT_EQ(ByteAt(b, 65440), 24); // width
    EXPECT_EQ(b.substr(65448, 2), "\xEF\xBE") << "little-endian best time";
    EXPECT_EQ(b.substr(64926, 7), std::string("\x06Sommer"));
    EXPECT_EQ(b.substr(64875, 5), std::string("\x04"
                                              "Anna"));
    EXPECT_EQ(b.substr(64824, 5), std::string("\x04"
                                              "7.21"));
    // Cell (3, 2) at 3 * 832 + 2 * 16, column-major; its entry at 43264 + 3 * 104 + 2 * 2.
    EXPECT_EQ(ByteAt(b, 3 * 832 + 2 * 16 + 4), 7);
    EXPECT_EQ(b.substr(43264 + 3 * 104 + 2 * 2, 2), std::string("\x01Q"));
    // Word 1 at 48672 + 80, its answer 13 bytes in.
    EXPECT_EQ(b.substr(48672 + 80 + 13, 4), std::string("\x03OST"));
}

TEST(PuzzleRecord, ClearPuzzleLeavesTheDocumentedEmptyRecord) {
    TPuzzleData p;
    std::memset(&p, 0xAB, sizeof p);
    ClearPuzzle(p);

    EXPECT_EQ(p.RowCount, 5);
    EXPECT_EQ(p.ColCount, 5);
    EXPECT_EQ(KindOf(p), TPuzzleKind::Swedish);
    EXPECT_EQ(p.Level, 0);
    EXPECT_EQ(p.Reserved65443, 0);
    EXPECT_EQ(p.HelpOptions, 255);
    EXPECT_EQ(p.ReverseAllowed, 0);
    EXPECT_EQ(p.WordCount, 0);
    EXPECT_EQ(p.ElapsedTime, 0);
    EXPECT_EQ(p.BestTime, 0);
    EXPECT_EQ(p.ClockRunning, 1);
    EXPECT_EQ(p.Solved, 0);
    for (const auto* s :
         {&p.SolutionWord.Len, &p.SolutionCaption.Len, &p.CreatorVersion.Len, &p.SolutionEntry.Len,
          &p.Reserved8.Len, &p.Author.Len, &p.Title.Len, &p.Comment.Len})
        EXPECT_EQ(*s, 0);
    int badCells = 0;
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            const TPuzzleCell& cell = p.cell(c, r);
            if (cell.Flags != 0 || cell.Number != 0 || !cell.Text.empty() || cell.AcrossStart ||
                cell.DownStart || p.entry(c, r).view() != " ")
                ++badCells;
        }
    EXPECT_EQ(badCells, 0);
    for (const TPuzzleWord& w : p.Words) {
        EXPECT_EQ(w.Direction, wdAcross);
        EXPECT_EQ(w.Guess.view(), " ");
        EXPECT_TRUE(w.Answer.empty() && w.Clue.empty());
        EXPECT_EQ(w.Number | w.Code | w.Reversed | w.Done, 0);
    }
}

TEST(PuzzleRecord, ClearGridResetsVerdictsWithoutLeavingTheErrorGrid) {
    // The record's arrays are 52 wide but the error grid only 51: guard bytes
    // right behind it must survive the clear.
    struct Guarded {
        TErrorGrid grid;
        std::uint8_t guard[128];
    } g;
    std::memset(&g, 0x5A, sizeof g);
    TPuzzleData p = MakePuzzle(50, 50);
    ClearGrid(p, &g.grid);

    for (int c = 0; c < ErrorGridDim; ++c)
        for (int r = 0; r < ErrorGridDim; ++r)
            ASSERT_EQ(g.grid.get(c, r), evEmpty);
    for (std::uint8_t b : g.guard)
        ASSERT_EQ(b, 0x5A);
    // ClearGrid keeps the header texts and the size; ClearPuzzle resets them.
    EXPECT_EQ(p.Title.view(), "Testr\xE4tsel");
    EXPECT_EQ(p.ColCount, 50);
}

TEST(PuzzleRecord, StringLengthBeyondCapacityIsClampedByTheAccessors) {
    ShortString<15> s;
    std::memset(s.Chars, 'X', sizeof s.Chars);
    s.Len = 200;
    EXPECT_EQ(s.size(), 15u);
    EXPECT_EQ(s.view(), std::string(15, 'X'));
    EXPECT_EQ(s.at(15), 'X');
    EXPECT_EQ(s.at(16), '\0');
    EXPECT_EQ(s.at(0), '\0');
    s.assign(std::string(40, 'Y'));
    EXPECT_EQ(s.Len, 15);
}

struct RepairCase {
    const char* name;
    std::function<void(TPuzzleData&)> damage;
    bool playable;
    std::function<void(const TPuzzleData&)> check;
};

TEST(PuzzleRecord, RepairRefusesUnplayableAndMendsUnsafeValues) {
    const auto none = [](const TPuzzleData&) {};
    const RepairCase cases[] = {
        {"sound record unchanged", [](TPuzzleData&) {}, true, none},
        {"50 x 50 is the largest grid", [](TPuzzleData& p) { p = MakePuzzle(50, 50); }, true, none},
        {"51 rows refused", [](TPuzzleData& p) { p.RowCount = 51; }, false, none},
        {"255 columns refused", [](TPuzzleData& p) { p.ColCount = 255; }, false, none},
        {"no rows refused", [](TPuzzleData& p) { p.RowCount = 0; }, false, none},
        {"no columns refused", [](TPuzzleData& p) { p.ColCount = 0; }, false, none},
        {"type 16 refused", [](TPuzzleData& p) { p.PuzzleType = 16; }, false, none},
        {"type 255 refused", [](TPuzzleData& p) { p.PuzzleType = 255; }, false, none},
        {"unused type 13 refused", [](TPuzzleData& p) { p.PuzzleType = 13; }, false, none},
        {"9 x 9 Sudoku", [](TPuzzleData& p) { p = MakePuzzle(9, 9, TPuzzleKind::Sudoku); }, true,
         none},
        {"12 x 12 timed Sudoku",
         [](TPuzzleData& p) { p = MakePuzzle(12, 12, TPuzzleKind::TimedSudoku); }, true, none},
        {"4 x 4 Sudoku", [](TPuzzleData& p) { p = MakePuzzle(4, 4, TPuzzleKind::Sudoku); }, true,
         none},
        {"Sudoku with 13 symbols refused",
         [](TPuzzleData& p) { p = MakePuzzle(13, 13, TPuzzleKind::Sudoku); }, false, none},
        {"Sudoku with 3 symbols refused",
         [](TPuzzleData& p) { p = MakePuzzle(3, 3, TPuzzleKind::TimedSudoku); }, false, none},
        {"non-square Sudoku refused",
         [](TPuzzleData& p) { p = MakePuzzle(9, 6, TPuzzleKind::Sudoku); }, false, none},
        {"level 200 clamped to 3", [](TPuzzleData& p) { p.Level = 200; }, true,
         [](const TPuzzleData& p) { EXPECT_EQ(p.Level, 3); }},
        {"word count 255 clamped to 201", [](TPuzzleData& p) { p.WordCount = 255; }, true,
         [](const TPuzzleData& p) { EXPECT_EQ(p.WordCount, 201); }},
        {"length bytes cut to capacity",
         [](TPuzzleData& p) {
             p.Title.Len = 255;
             p.Author.Len = 255;
             p.SolutionWord.Len = 99;
             p.Words[200].Clue.Len = 51;
             p.Words[0].Answer.Len = 16;
             p.Words[3].Guess.Len = 2;
             p.cell(51, 51).Text.Len = 4;
             p.entry(7, 8).Len = 255;
         },
         true,
         [](const TPuzzleData& p) {
             EXPECT_EQ(p.Title.Len, 255);
             EXPECT_EQ(p.Author.Len, 50);
             EXPECT_EQ(p.SolutionWord.Len, 20);
             EXPECT_EQ(p.Words[200].Clue.Len, 50);
             EXPECT_EQ(p.Words[0].Answer.Len, 15);
             EXPECT_EQ(p.Words[3].Guess.Len, 1);
             EXPECT_EQ(p.cell(51, 51).Text.Len, 3);
             EXPECT_EQ(p.entry(7, 8).Len, 1);
         }},
        {"lowest word number has a positive counterpart",
         [](TPuzzleData& p) {
             p.cell(2, 2).Number = INT_MIN;
             p.Words[5].Number = INT_MIN;
             p.cell(3, 3).Number = -4;
         },
         true,
         [](const TPuzzleData& p) {
             EXPECT_EQ(p.cell(2, 2).Number, INT_MIN + 1);
             EXPECT_EQ(p.Words[5].Number, INT_MIN + 1);
             EXPECT_EQ(p.cell(3, 3).Number, -4);
         }},
        {"border cells get blocks, inner cells stay",
         [](TPuzzleData& p) {
             for (auto& column : p.Cells)
                 for (TPuzzleCell& c : column)
                     c.Flags &= ~std::uint32_t{cfBlock};
         },
         true,
         [](const TPuzzleData& p) {
             int wrong = 0;
             for (int c = 0; c < GridDim; ++c)
                 for (int r = 0; r < GridDim; ++r) {
                     const bool border = c == 0 || r == 0 || c > 10 || r > 7;
                     if (((p.cell(c, r).Flags & cfBlock) != 0) != border) ++wrong;
                 }
             EXPECT_EQ(wrong, 0);
             EXPECT_EQ(p.cell(1, 1).Flags, std::uint32_t{cfLetter});
         }},
        {"border block keeps the other flags",
         [](TPuzzleData& p) { p.cell(0, 4).Flags = cfMarked; }, true,
         [](const TPuzzleData& p) {
             EXPECT_EQ(p.cell(0, 4).Flags, std::uint32_t{cfMarked | cfBlock});
         }},
    };
    for (const RepairCase& c : cases) {
        SCOPED_TRACE(c.name);
        TPuzzleData p = MakePuzzle(10, 7);
        c.damage(p);
        const TPuzzleData before = p;
        ASSERT_EQ(RepairRecord(p), c.playable);
        if (!c.playable) {
            EXPECT_EQ(Bytes(p), Bytes(before)) << "a refused record is left as it was";
            continue;
        }
        c.check(p);
        // A second pass finds nothing more to mend.
        const TPuzzleData once = p;
        ASSERT_TRUE(RepairRecord(p));
        EXPECT_EQ(Bytes(p), Bytes(once));
    }
}

TEST(PuzzleRecord, RepairLeavesASoundRecordByteForByte) {
    TPuzzleData p = MakePuzzle(24, 16, TPuzzleKind::NumberWithSolution);
    p.Reserved65445 = 0x77;
    p.Reserved65453[2] = 0x99;
    p.cell(4, 4).Reserved[1] = 0x42;
    const std::string before = Bytes(p);
    ASSERT_TRUE(RepairRecord(p));
    EXPECT_EQ(Bytes(p), before);
}

} // namespace
} // namespace zx
