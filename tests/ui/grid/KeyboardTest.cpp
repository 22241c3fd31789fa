// Keyboard play in the grid window: solving samples by typing, the input
// direction, Backspace, blanks, Sudoku symbols, undo, automatic word marking,
// zoom, the caption, closing, and repaints that cover every changed pixel.
#include <QAction>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cstring>

#include "DrawGrid.h"
#include "EntryCheck.h"
#include "GridTestSupport.h"
#include "RaetselFormular.h"
#include "SudokuRule.h"
#include "WordQueries.h"

using namespace gridtest;
using zx::TRaetselForm;

namespace {

const char* const SmallSwedish = R"(typ: 0
[gitter]
HUT
A#O
SEE
[begriffe]
HUT = Kopfbedeckung
SEE = Gewaesser
HAS = Probe
TOE = Probe
)";

// One row with two words: OB and AT.
const char* const TwoWords = R"(typ: 4
[gitter]
OB#AT
[begriffe]
OB = Probe
AT = Probe
)";


std::string EntryAt(const TFakeFrame& f, int col, int row) {
    return f.St.Puzzle.entry(col, row).str();
}

void SetEntries(TFakeFrame& f, const std::vector<std::pair<QPoint, char>>& entries) {
    for (const auto& [cell, c] : entries)
        zx::SetEntry(f.St.Puzzle, f.St.ErrorGrid, cell.x(), cell.y(), std::string(1, c));
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }
    void solveSampleByTyping_data();
    void solveSampleByTyping();
    void enterTogglesOnlyAtCrossings();
    void backspace();
    void typedLetters();
    void sudokuSymbols();
    void undoCopyBeforeEachChange();
    void automaticWordMarking();
    void gotoWord();
    void zoom_data();
    void zoom();
    void caption();
    void closing();
    void repaintCoversEveryChange_data();
    void repaintCoversEveryChange();
};

void KeyboardTest::solveSampleByTyping_data() {
    QTest::addColumn<QString>("sample");
    const std::vector<QString> names = SampleNames();
    QVERIFY(!names.empty());
    for (const QString& name : names) {
        auto frame = FrameFromSample(name);
        QVERIFY(frame);
        const int type = frame->St.Puzzle.PuzzleType;
        if (type == 0 || type == 4 || type == 6 || type == 8 || type == 14 || type == 15)
            QTest::newRow(qPrintable(name)) << name;
    }
}

void KeyboardTest::solveSampleByTyping() {
    QFETCH(QString, sample);
    TFormHolder h = Open(FrameFromSample(sample));
    QVERIFY(h.Form);
    const zx::TPuzzleData& p = h.Frame->St.Puzzle;
    const bool sudoku = zx::IsSudoku(p.PuzzleType);
    for (int row = 1; row <= p.RowCount; ++row)
        for (int col = 1; col <= p.ColCount; ++col) {
            const zx::TPuzzleCell& cell = p.cell(col, row);
            if (cell.Flags & (sudoku ? zx::cfSolution : zx::cfBlock)) continue;
            MoveTo(*h.Form, col, row);
            QCOMPARE(h.Form->Cursor(), QPoint(col, row));
            char key = cell.Text.at(1);
            if (key >= 'A' && key <= 'Z') key = static_cast<char>(key - 'A' + 'a');
            Type(*h.Form, key);
        }
    for (int row = 1; row <= p.RowCount; ++row)
        for (int col = 1; col <= p.ColCount; ++col)
            if (!(p.cell(col, row).Flags & zx::cfBlock))
                QCOMPARE(EntryAt(*h.Frame, col, row), p.cell(col, row).Text.str());
    QCOMPARE(h.Frame->Dlg.Results.size(), std::size_t(1));
    QVERIFY(h.Frame->Dlg.Results.front().Success);
    QVERIFY(p.Solved);
}

void KeyboardTest::enterTogglesOnlyAtCrossings() {
    struct Case {
        const char* name;
        QPoint cell;
        std::vector<int> directions; // before and after each Enter
    };
    const Case cases[] = {
        {"crossing cell toggles", {1, 1}, {1, 2, 1}},
        {"across-only cell stays across", {2, 1}, {1, 1}},
        {"down-only cell stays down", {1, 2}, {2, 2}},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(SmallSwedish));
        QVERIFY(h.Form);
        MoveTo(*h.Form, c.cell.x(), c.cell.y());
        QVERIFY2(h.Form->InputDirection() == c.directions[0], c.name);
        for (std::size_t i = 1; i < c.directions.size(); ++i) {
            QTest::keyClick(h.Form->Raetsel(), Qt::Key_Return);
            QVERIFY2(h.Form->InputDirection() == c.directions[i], c.name);
            QVERIFY2(h.Form->CurrentWord().Direction == (c.directions[i] == 1 ? 1 : 0), c.name);
        }
        QCOMPARE(h.Frame->UndoSaves, 0);
    }
}

void KeyboardTest::backspace() {
    struct Case {
        const char* name;
        QPoint cursor;
        QPoint cleared; // (0,0): nothing changes
    };
    const Case cases[] = {
        {"first cell of a word after a block", {4, 1}, {0, 0}},
        {"first cell of the row", {1, 1}, {0, 0}},
        {"clears the cell before and moves onto it", {5, 1}, {4, 1}},
        {"second cell of the first word", {2, 1}, {1, 1}},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(TwoWords));
        QVERIFY(h.Form);
        SetEntries(*h.Frame, {{{1, 1}, 'O'}, {{2, 1}, 'B'}, {{4, 1}, 'A'}, {{5, 1}, 'T'}});
        MoveTo(*h.Form, c.cursor.x(), c.cursor.y());
        const zx::TPuzzleData before = h.Frame->St.Puzzle;
        QTest::keyClick(h.Form->Raetsel(), Qt::Key_Backspace);
        if (c.cleared.x() == 0) {
            QVERIFY2(std::memcmp(&before, &h.Frame->St.Puzzle, sizeof before) == 0, c.name);
            QVERIFY2(h.Form->Cursor() == c.cursor, c.name);
            QVERIFY2(h.Frame->UndoSaves == 0, c.name);
        } else {
            QVERIFY2(EntryAt(*h.Frame, c.cleared.x(), c.cleared.y()) == " ", c.name);
            QVERIFY2(EntryAt(*h.Frame, c.cursor.x(), c.cursor.y()) != " ", c.name);
            QVERIFY2(h.Form->Cursor() == c.cleared, c.name);
            QVERIFY2(h.Frame->St.ErrorGrid.get(c.cleared.x(), c.cleared.y()) == zx::evEmpty, c.name);
        }
    }
}

void KeyboardTest::typedLetters() {
    TFormHolder h = Open(FrameFromSource(TwoWords));
    QVERIFY(h.Form);
    SetEntries(*h.Frame, {{{1, 1}, 'O'}});
    QCOMPARE(h.Form->Cursor(), QPoint(1, 1));
    // A blank clears the cell and still advances.
    Type(*h.Form, ' ');
    QCOMPARE(EntryAt(*h.Frame, 1, 1), std::string(" "));
    QCOMPARE(h.Form->Cursor(), QPoint(2, 1));
    // At the end of a word the cursor stays; the next letter overwrites.
    Type(*h.Form, 'b');
    QCOMPARE(EntryAt(*h.Frame, 2, 1), std::string("B"));
    QCOMPARE(h.Form->Cursor(), QPoint(2, 1));
    Type(*h.Form, 'x');
    QCOMPARE(EntryAt(*h.Frame, 2, 1), std::string("X"));
    QCOMPARE(h.Frame->St.ErrorGrid.get(2, 1), zx::evWrong);
    // Digits, umlauts and punctuation are swallowed.
    const int saves = h.Frame->UndoSaves;
    for (char key : {'5', '\xE4', '-', '.'}) Type(*h.Form, key);
    QCOMPARE(EntryAt(*h.Frame, 2, 1), std::string("X"));
    QCOMPARE(h.Frame->UndoSaves, saves);
    // Delete clears the cursor cell without moving.
    QTest::keyClick(h.Form->Raetsel(), Qt::Key_Delete);
    QCOMPARE(EntryAt(*h.Frame, 2, 1), std::string(" "));
    QCOMPARE(h.Form->Cursor(), QPoint(2, 1));
    // The block cannot be typed into.
    MoveTo(*h.Form, 3, 1);
    Type(*h.Form, 'q');
    QCOMPARE(EntryAt(*h.Frame, 3, 1), std::string(" "));
}

void KeyboardTest::sudokuSymbols() {
    struct Case {
        const char* name;
        const char* sample;
        char key;
        const char* stored; // nullptr: refused
    };
    const Case cases[] = {
        {"9x9 takes a digit", "sudoku-9x9", '7', "7"},
        {"9x9 refuses A", "sudoku-9x9", 'a', nullptr},
        {"9x9 refuses 0", "sudoku-9x9", '0', nullptr},
        {"12x12 takes lower-case a as A", "sudoku-12x12", 'a', "A"},
        {"12x12 takes C", "sudoku-12x12", 'C', "C"},
        {"12x12 refuses D", "sudoku-12x12", 'd', nullptr},
        {"4x4 refuses 5", "sudoku-4x4", '5', nullptr},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSample(QString::fromLatin1(c.sample)));
        QVERIFY(h.Form);
        const zx::TPuzzleData& p = h.Frame->St.Puzzle;
        QPoint empty, given;
        for (int col = 1; col <= p.ColCount; ++col)
            for (int row = 1; row <= p.RowCount; ++row) {
                const bool isGiven = p.cell(col, row).Flags & zx::cfSolution;
                if (isGiven && given.isNull()) given = QPoint(col, row);
                if (!isGiven && empty.isNull()) empty = QPoint(col, row);
            }
        MoveTo(*h.Form, empty.x(), empty.y());
        Type(*h.Form, c.key);
        QVERIFY2(EntryAt(*h.Frame, empty.x(), empty.y()) == (c.stored ? c.stored : " "), c.name);
        QVERIFY2(h.Form->Cursor() == empty, c.name);
        QVERIFY2(h.Frame->UndoSaves == (c.stored ? 1 : 0), c.name);
        if (c.stored) {
            // The symbol is no longer possible elsewhere in its row.
            const int v = zx::SymbolValue(c.stored);
            const int other = empty.x() == 1 ? 2 : 1;
            QVERIFY2(h.Form->Candidates()[other][empty.y()][v] == 0, c.name);
        }
        // A given cell keeps its symbol.
        const std::string kept = EntryAt(*h.Frame, given.x(), given.y());
        MoveTo(*h.Form, given.x(), given.y());
        Type(*h.Form, '1');
        QTest::keyClick(h.Form->Raetsel(), Qt::Key_Backspace);
        QTest::keyClick(h.Form->Raetsel(), Qt::Key_Delete);
        QVERIFY2(EntryAt(*h.Frame, given.x(), given.y()) == kept, c.name);
    }
}

void KeyboardTest::undoCopyBeforeEachChange() {
    TFormHolder h = Open(FrameFromSource(SmallSwedish));
    QVERIFY(h.Form);
    for (auto action : {std::function<void()>([&] { Type(*h.Form, 'x'); }),
                        std::function<void()>([&] { Type(*h.Form, ' '); }),
                        std::function<void()>([&] {
                            QTest::keyClick(h.Form->Raetsel(), Qt::Key_Delete);
                        }),
                        std::function<void()>([&] {
                            QTest::keyClick(h.Form->Raetsel(), Qt::Key_Backspace);
                        })}) {
        Type(*h.Form, 'h');
        Type(*h.Form, 'u');
        MoveTo(*h.Form, 2, 1);
        const zx::TPuzzleData before = h.Frame->St.Puzzle;
        action();
        QVERIFY(std::memcmp(&before, &h.Frame->St.Puzzle, sizeof before) != 0);
        // Undo brings back exactly the record before the key.
        QVERIFY(std::memcmp(&before, &h.Frame->St.UndoCopy, sizeof before) == 0);
        MoveTo(*h.Form, 1, 1);
    }
}

void KeyboardTest::automaticWordMarking() {
    for (bool legendOpen : {false, true}) {
        TFormHolder h = Open(FrameFromSource(TwoWords));
        QVERIFY(h.Form);
        QWidget legend;
        if (legendOpen) h.Frame->Children[zx::fkLegend] = &legend;
        QSignalSpy done(h.Form.get(), &TRaetselForm::SetWordDoneRequested);
        Type(*h.Form, 'o');
        QCOMPARE(done.count(), 0); // the word still has an empty cell
        Type(*h.Form, 'b');
        QTest::keyClick(h.Form->Raetsel(), Qt::Key_Delete);
        if (!legendOpen) {
            QCOMPARE(done.count(), 0);
            continue;
        }
        QCOMPARE(done.count(), 2);
        const int ob = zx::FindWord(h.Frame->St.Puzzle, 1, zx::wdAcross);
        QCOMPARE(done.at(0), (QVariantList{ob, true, true}));
        QCOMPARE(done.at(1), (QVariantList{ob, true, false}));
    }
}

void KeyboardTest::gotoWord() {
    struct Case {
        const char* name;
        int number;
        bool across;
        QPoint cursor;
        int direction;
    };
    // Numbers of SmallSwedish: 1 HUT across and HAS down, 2 TOE down, 3 SEE across.
    const Case cases[] = {
        {"across word", 3, true, {1, 3}, 1},
        {"down word", 2, false, {3, 1}, 2},
        {"down word on the cursor cell", 1, false, {1, 1}, 2},
        {"unknown number leaves the cursor", 9, true, {2, 1}, 1},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(SmallSwedish));
        QVERIFY(h.Form);
        zx::TDrawGrid* grid = h.Form->Raetsel();
        if (c.number == 9) MoveTo(*h.Form, 2, 1);
        const QImage before = RenderGrid(*h.Form);
        grid->TakeInvalidatedRegion();
        h.Form->GotoWord(c.number, c.across);
        QVERIFY2(h.Form->Cursor() == c.cursor, c.name);
        QVERIFY2(h.Form->InputDirection() == c.direction, c.name);
        if (c.number != 9) QVERIFY2(h.Form->CurrentWord().Number == c.number, c.name);
        // The old and the new highlight are both repainted.
        const QRegion repainted = grid->TakeInvalidatedRegion();
        const QImage after = RenderGrid(*h.Form);
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y))
                    QVERIFY2(repainted.contains(QPoint(x, y)), c.name);
    }
}

void KeyboardTest::zoom_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<int>("fontSize");
    QTest::newRow("zooming out stops at 20") << 30 << -1 << 15 << 20 << 10;
    QTest::newRow("zooming in stops at 60") << 30 << 1 << 40 << 60 << 44;
    QTest::newRow("one click is one pixel") << 30 << 1 << 1 << 31 << 15;
    QTest::newRow("23 pixels") << 24 << -1 << 1 << 23 << 13;
    QTest::newRow("24 pixels") << 23 << 1 << 1 << 24 << 12;
    QTest::newRow("28 pixels") << 27 << 1 << 1 << 28 << 14;
    QTest::newRow("30 pixels") << 31 << -1 << 1 << 30 << 16;
}

void KeyboardTest::zoom() {
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, clicks);
    QFETCH(int, cellSize);
    QFETCH(int, fontSize);
    auto frame = FrameFromSource(SmallSwedish);
    QVERIFY(frame);
    frame->St.Settings.Feldgroesse = start;
    TFormHolder h = Open(std::move(frame));
    QAction zoomAction;
    zoomAction.setProperty("Tag", step);
    QSignalSpy resized(h.Form.get(), &TRaetselForm::CellSizeChanged);
    for (int i = 0; i < clicks; ++i) h.Form->MItemPlayZoomInClick(&zoomAction);
    const zx::TProgramSettings& s = h.Frame->St.Settings;
    QCOMPARE(s.Feldgroesse, cellSize);
    QCOMPARE(s.Schriftgroesse, fontSize);
    QCOMPARE(s.Zahlengroesse, zx::TProgramSettings().Zahlengroesse);
    QCOMPARE(h.Form->Raetsel()->DefaultColWidth(), cellSize);
    QCOMPARE(h.Form->Raetsel()->CellRect(3, 3).size(), QSize(cellSize, cellSize));
    // Grid: 3 cells with their lines, plus the border.
    QCOMPARE(h.Form->Raetsel()->width(), 3 * (cellSize + 1) + 3);
    QCOMPARE(resized.count(), std::abs(cellSize - start));
    // A sender that is neither a button nor a menu action zooms in.
    QObject other;
    h.Form->MItemPlayZoomInClick(&other);
    QCOMPARE(s.Feldgroesse, std::min(cellSize + 1, 60));
}

void KeyboardTest::caption() {
    struct Case {
        const char* name;
        const char* sample;
        int type;
        int level;
        const char* title;
        const char* expected; // UTF-8
    };
    const Case cases[] = {
        {"Sudoku of level 2", "sudoku-4x4", 14, 2, "", "Sudoku (schwer)"},
        {"timed Sudoku of level 0", "sudoku-4x4", 15, 0, "", "Sudoku auf Zeit (leicht)"},
        {"Swedish crossword with solution word", "schwedenraetsel-loesungswort", 1, 0, "",
         "Schwedenrätsel mit Lösungswort"},
        {"title wins", "schwedenraetsel", 0, 0, "Am Meer", "Am Meer"},
    };
    for (const Case& c : cases) {
        auto frame = FrameFromSample(QString::fromLatin1(c.sample));
        QVERIFY(frame);
        frame->St.Puzzle.PuzzleType = static_cast<std::uint8_t>(c.type);
        frame->St.Puzzle.Level = static_cast<std::uint8_t>(c.level);
        frame->St.Puzzle.Title.assign(c.title);
        TFormHolder h = Open(std::move(frame));
        QVERIFY2(h.Form->windowTitle() == QString::fromUtf8(c.expected), c.name);
    }
}

void KeyboardTest::closing() {
    auto frame = FrameFromSample(QStringLiteral("sudoku-auf-zeit"));
    QVERIFY(frame);
    frame->St.Puzzle.ElapsedTime = 77;
    frame->St.Puzzle.ClockRunning = 0;
    auto* form = OpenForm(*frame);
    QCOMPARE(frame->St.Puzzle.ElapsedTime, std::uint16_t(0));
    QCOMPARE(frame->St.Puzzle.ClockRunning, std::uint8_t(1));
    QWidget stopwatch;
    stopwatch.show();
    frame->Children[zx::fkStopwatch] = &stopwatch;
    frame->St.ViewMode = 1;
    QPointer<TRaetselForm> guard(form);
    form->close();
    QCOMPARE(frame->St.ViewMode, std::uint8_t(0));
    QVERIFY(!stopwatch.isVisible());
    QTRY_VERIFY(guard.isNull());
    QTRY_COMPARE(frame->CommandUpdates, 1);
}

void KeyboardTest::repaintCoversEveryChange_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("keys"); // > < ^ v arrows, # Enter, ~ Backspace, letters typed
    QTest::newRow("Swedish crossword") << "schwedenraetsel" << "abc>>v#x~~vv<#de^^>";
    QTest::newRow("American crossword") << "amerikanisch" << "ab#cvv>x~#>>^^q";
    QTest::newRow("brain-teaser grid") << "knobelgitter" << "sen>>v#ab~>>vvx";
    QTest::newRow("French crossword") << "franzoesisch" << "abv#c~>>>vd";
    QTest::newRow("Sudoku") << "sudoku-9x9" << ">1v2>>3~v4";
}

void KeyboardTest::repaintCoversEveryChange() {
    QFETCH(QString, sample);
    QFETCH(QString, keys);
    TFormHolder h = Open(FrameFromSample(sample));
    QVERIFY(h.Form);
    zx::TDrawGrid* grid = h.Form->Raetsel();
    for (const QChar k : keys) {
        const QImage before = RenderGrid(*h.Form);
        grid->TakeInvalidatedRegion();
        switch (k.toLatin1()) {
        case '>': QTest::keyClick(grid, Qt::Key_Right); break;
        case '<': QTest::keyClick(grid, Qt::Key_Left); break;
        case '^': QTest::keyClick(grid, Qt::Key_Up); break;
        case 'v': QTest::keyClick(grid, Qt::Key_Down); break;
        case '#': QTest::keyClick(grid, Qt::Key_Return); break;
        case '~': QTest::keyClick(grid, Qt::Key_Backspace); break;
        default: Type(*h.Form, k.toLatin1()); break;
        }
        const QRegion repainted = grid->TakeInvalidatedRegion();
        const QImage after = RenderGrid(*h.Form);
        int changed = 0;
        for (int y = 0; y < after.height(); ++y)
            for (int x = 0; x < after.width(); ++x)
                if (before.pixel(x, y) != after.pixel(x, y)) {
                    ++changed;
                    QVERIFY2(repainted.contains(QPoint(x, y)),
                             qPrintable(QStringLiteral("key %1: pixel %2,%3 changed unrepainted")
                                            .arg(k)
                                            .arg(x)
                                            .arg(y)));
                }
        // Cursor moves and letters repaint cells, not the whole grid (Sudoku
        // entries change the possible symbols everywhere).
        if (!zx::IsSudoku(h.Frame->St.Puzzle.PuzzleType) && changed > 0)
            QVERIFY(repainted.boundingRect() != grid->rect());
    }
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
