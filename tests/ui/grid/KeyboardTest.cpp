// Keyboard play in the grid window: solving samples by typing, editing keys,
// the input direction, Sudoku symbols, undo, legend calls, word jumps, zoom,
// closing, and repaints that cover every changed pixel.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <cstring>

#include "GridTestSupport.h"
#include "controls/DrawGrid.h"
#include "controls/GradientBar.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"

using namespace gridtest;
using zx::TRaetselForm;

namespace {

// Numbers: 1 HUT across and HAS down, 2 TOE down, 3 SEE across.
const char* const SmallSwedish = "typ: 0\n[gitter]\nHUT\nA#O\nSEE\n[begriffe]\n"
                                 "HUT = a\nSEE = b\nHAS = c\nTOE = d\n";
// One row with the words OB and AT.
const char* const TwoWords = "typ: 4\n[gitter]\nOB#AT\n[begriffe]\nOB = a\nAT = b\n";

std::string Row(const zx::TPuzzleData& p, int row) {
    std::string s;
    for (int c = 1; c <= p.ColCount; ++c)
        s += p.entry(c, row).at(1);
    return s;
}

bool Same(const zx::TPuzzleData& a, const zx::TPuzzleData& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Differing pixels that lie outside the repainted region.
int Unrepainted(const QImage& before, const QImage& after, const QRegion& repainted) {
    int n = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            n += before.pixel(x, y) != after.pixel(x, y) && !repainted.contains(QPoint(x, y));
    return n;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { zx::InstallFontSubstitutes(); }
    void solveSampleByTyping_data();
    void solveSampleByTyping();
    void editingKeys();
    void clickBesideGridKeepsKeys();
    void americanCursorKeepsBlocksHidden();
    void enterTogglesOnlyAtCrossings();
    void sudokuSymbols();
    void undoCopyBeforeEachChange();
    void undoInSudokuRestoresPossibleSymbols();
    void legendCallsOnlyWhileOpen();
    void gotoWord();
    void zoom();
    void windowSizing();
    void closing();
    void repaintCoversEveryChange_data();
    void repaintCoversEveryChange();
    void letterRepaintsOnlyChangedCells();
};

void KeyboardTest::solveSampleByTyping_data() {
    QTest::addColumn<QString>("sample");
    for (const QString& name : SampleNames()) {
        const int type = FrameFromSample(name)->St.Puzzle.PuzzleType;
        if (type == 0 || type == 4 || type == 6 || type == 8 || type == 14 || type == 15)
            QTest::newRow(qPrintable(name)) << name;
    }
}

void KeyboardTest::solveSampleByTyping() {
    QFETCH(QString, sample);
    TFormHolder h = Open(FrameFromSample(sample));
    const zx::TPuzzleData& p = h.Frame->St.Puzzle;
    const std::uint32_t skip = zx::IsSudoku(zx::KindOf(p)) ? zx::cfSolution : zx::cfBlock;
    for (int row = 1; row <= p.RowCount; ++row)
        for (int col = 1; col <= p.ColCount; ++col) {
            if (p.cell(col, row).Flags & skip) continue;
            MoveTo(*h.Form, col, row);
            QCOMPARE(h.Form->Cursor(), QPoint(col, row));
            Type(*h.Form, p.cell(col, row).Text.at(1));
        }
    for (int row = 1; row <= p.RowCount; ++row)
        for (int col = 1; col <= p.ColCount; ++col)
            if (!(p.cell(col, row).Flags & zx::cfBlock))
                QCOMPARE(p.entry(col, row).str(), p.cell(col, row).Text.str());
    QCOMPARE(h.Frame->Dlg.Results().size(), std::size_t(1));
    QVERIFY(h.Frame->Dlg.Results().front().Success);
}

void KeyboardTest::editingKeys() {
    // The row starts as "OB AT" with the cursor on start, across.
    const struct {
        const char* name;
        QPoint start;
        const char* keys;
        const char* row;
        QPoint cursor;
        int undoSaves;
    } cases[] = {
        {"a blank clears and advances", {1, 1}, " ", " B AT", {2, 1}, 1},
        {"at a word's end the cursor stays", {2, 1}, "xy", "OY AT", {2, 1}, 2},
        {"digits, umlauts and signs are swallowed", {1, 1}, "5\xE4-.", "OB AT", {1, 1}, 0},
        {"Delete clears without moving", {5, 1}, "\x7f", "OB A ", {5, 1}, 1},
        {"a block takes no letter", {3, 1}, "q", "OB AT", {3, 1}, 0},
        {"Backspace at a word's first cell", {4, 1}, "\b", "OB AT", {4, 1}, 0},
        {"Backspace at the row's first cell", {1, 1}, "\b", "OB AT", {1, 1}, 0},
        {"Backspace clears the cell before", {5, 1}, "\b", "OB  T", {4, 1}, 1},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource(TwoWords));
        for (int col : {1, 2, 4, 5}) {
            MoveTo(*h.Form, col, 1);
            Type(*h.Form, h.Frame->St.Puzzle.cell(col, 1).Text.at(1));
        }
        MoveTo(*h.Form, c.start.x(), c.start.y());
        h.Frame->UndoSaves = 0;
        TypeKeys(*h.Form, c.keys);
        QVERIFY2(Row(h.Frame->St.Puzzle, 1) == c.row, c.name);
        QVERIFY2(h.Form->Cursor() == c.cursor, c.name);
        QVERIFY2(h.Frame->UndoSaves == c.undoSaves, c.name);
    }
}

void KeyboardTest::clickBesideGridKeepsKeys() {
    TFormHolder h = Open(FrameFromSource(SmallSwedish));
    h.Form->resize(h.Form->size() + QSize(100, 100));
    QWidget* beside = h.Form->Raetsel()->parentWidget();
    QTest::mouseClick(beside, Qt::LeftButton, {}, QPoint(beside->width() - 5, beside->height() - 5));
    QVERIFY(h.Form->Raetsel()->hasFocus());
}

void KeyboardTest::americanCursorKeepsBlocksHidden() {
    // OB#AT with its block hidden; the cursor starts on (1,1) across. Typing,
    // Delete and Backspace treat the hidden block as a letter cell.
    const struct {
        const char* name;
        int blank; // column the player has marked blank (0: none)
        const char* keys;
        QPoint cursor;
        const char* row;
    } cases[] = {
        {"typing runs over the hidden block", 0, "ob", {3, 1}, "OB   "},
        {"and into the next word", 0, "obxa", {5, 1}, "OBXA "},
        {"a blank-marked cell stops the cursor", 2, "o", {1, 1}, "O    "},
        {"Delete clears the hidden block", 0, "obx<\x7f", {3, 1}, "OB   "},
        {"Backspace on the hidden block", 0, "obx<\b", {2, 1}, "O X  "},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource("typ: 10\n[gitter]\nOB#AT\n[begriffe]\nOB = a\nAT = b\n"));
        if (c.blank) h.Frame->St.Puzzle.cell(c.blank, 1).Flags |= zx::cfBlank;
        TypeKeys(*h.Form, c.keys);
        QVERIFY2(h.Form->Cursor() == c.cursor, c.name);
        QVERIFY2(Row(h.Frame->St.Puzzle, 1) == c.row, c.name);
    }
    // The first cursor stands on the first cell, hidden block or not.
    TFormHolder h = Open(FrameFromSource(
        "typ: 10\n[gitter]\n#AB\nCD#\n[begriffe]\nAB = a\nCD = b\nAD = c\n"));
    QCOMPARE(h.Form->Cursor(), QPoint(1, 1));
}

void KeyboardTest::enterTogglesOnlyAtCrossings() {
    const struct {
        const char* name;
        QPoint cell;
        int before, after1, after2;
    } cases[] = {
        {"crossing cell toggles", {1, 1}, 1, 2, 1},
        {"across-only cell stays across", {2, 1}, 1, 1, 1},
        {"down-only cell stays down", {1, 2}, 2, 2, 2},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource(SmallSwedish));
        MoveTo(*h.Form, c.cell.x(), c.cell.y());
        QVERIFY2(static_cast<int>(h.Form->InputDirection()) == c.before, c.name);
        Type(*h.Form, '\r');
        QVERIFY2(static_cast<int>(h.Form->InputDirection()) == c.after1, c.name);
        QVERIFY2(h.Form->CurrentWord().Direction == (c.after1 == 1 ? zx::TWordDir::Across : zx::TWordDir::Down), c.name);
        Type(*h.Form, '\r');
        QVERIFY2(static_cast<int>(h.Form->InputDirection()) == c.after2, c.name);
        QVERIFY2(h.Frame->UndoSaves == 0, c.name);
    }
}

void KeyboardTest::sudokuSymbols() {
    const struct {
        const char* sample;
        char key;
        const char* stored; // nullptr: refused
    } cases[] = {
        {"sudoku-9x9", '7', "7"},     {"sudoku-9x9", 'a', nullptr}, {"sudoku-9x9", '0', nullptr},
        {"sudoku-12x12", 'a', "A"},   {"sudoku-12x12", 'C', "C"},   {"sudoku-12x12", 'd', nullptr},
        {"sudoku-4x4", '5', nullptr},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSample(QString::fromLatin1(c.sample)));
        const zx::TPuzzleData& p = h.Frame->St.Puzzle;
        QPoint empty, given;
        for (int col = p.ColCount; col >= 1; --col)
            for (int row = p.RowCount; row >= 1; --row)
                (p.cell(col, row).Flags & zx::cfSolution ? given : empty) = QPoint(col, row);
        MoveTo(*h.Form, empty.x(), empty.y());
        Type(*h.Form, c.key);
        const std::string name = std::string(c.sample) + " key " + c.key;
        QVERIFY2(p.entry(empty.x(), empty.y()).str() == (c.stored ? c.stored : " "), name.c_str());
        QVERIFY2(h.Form->Cursor() == empty, name.c_str());
        if (c.stored) // no longer possible elsewhere in the row
            QVERIFY2(
                !h.Frame->Play.Candidates()[empty.x() == 1 ? 2 : 1][empty.y()][zx::SymbolValue(c.stored)],
                name.c_str());
        // A given cell keeps its symbol.
        const std::string kept = p.entry(given.x(), given.y()).str();
        MoveTo(*h.Form, given.x(), given.y());
        TypeKeys(*h.Form, "1\b\x7f");
        QVERIFY2(p.entry(given.x(), given.y()).str() == kept, name.c_str());
    }
}

void KeyboardTest::undoCopyBeforeEachChange() {
    for (const char* key : {"x", " ", "\x7f", "\b"}) {
        TFormHolder h = Open(FrameFromSource(SmallSwedish));
        TypeKeys(*h.Form, "hu<");
        const zx::TPuzzleData before = h.Frame->St.Puzzle;
        TypeKeys(*h.Form, key);
        QVERIFY(!Same(before, h.Frame->St.Puzzle));
        QVERIFY(Same(before, h.Frame->St.UndoCopy)); // undo brings back the record before the key
    }
}

void KeyboardTest::undoInSudokuRestoresPossibleSymbols() {
    TFormHolder h = Open(FrameFromSample(QStringLiteral("sudoku-9x9")));
    zx::TPlayerState& st = h.Frame->St;
    int col = 1;
    while (st.Puzzle.cell(col, 1).Flags & zx::cfSolution)
        ++col;
    MoveTo(*h.Form, col, 1);
    const auto candidates = h.Frame->Play.Candidates();
    Type(*h.Form, st.Puzzle.cell(col, 1).Text.at(1));
    QVERIFY(candidates != h.Frame->Play.Candidates());
    h.Frame->Play.Undo();
    QVERIFY(candidates == h.Frame->Play.Candidates());
}

void KeyboardTest::legendCallsOnlyWhileOpen() {
    for (bool open : {false, true}) {
        TFormHolder h = Open(FrameFromSource(TwoWords));
        QWidget legend;
        if (open) h.Frame->OpenChild(zx::TFormKind::Legend, &legend);
        QSignalSpy done(&h.Frame->Play, &zx::TPlayerSession::WordDoneChanged);
        TypeKeys(*h.Form, "o");
        QCOMPARE(done.count(), 0); // the word still has an empty cell
        TypeKeys(*h.Form, "b\x7f");
        const int ob = zx::FindWord(h.Frame->St.Puzzle, 1, zx::TWordDir::Across);
        QCOMPARE(done.count(), open ? 2 : 0);
        if (open) QCOMPARE(done.at(0), (QVariantList{ob, QVariant::fromValue(zx::TWordDir::Across), true}));
        if (open) QCOMPARE(done.at(1), (QVariantList{ob, QVariant::fromValue(zx::TWordDir::Across), false}));
    }
}

void KeyboardTest::gotoWord() {
    const struct {
        int number;
        bool across;
        QPoint cursor;
        int direction;
    } cases[] = {
        {3, true, {1, 3}, 1}, {2, false, {3, 1}, 2}, {1, false, {1, 1}, 2}, {9, true, {2, 1}, 1}};
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource(SmallSwedish));
        MoveTo(*h.Form, 2, 1);
        const QImage before = RenderGrid(*h.Form);
        h.Form->Raetsel()->TakeInvalidatedRegion();
        h.Form->GotoWord(c.number, c.across ? zx::TWordDir::Across : zx::TWordDir::Down);
        QCOMPARE(h.Form->Cursor(), c.cursor);
        QCOMPARE(static_cast<int>(h.Form->InputDirection()), c.direction);
        const QRegion repainted = h.Form->Raetsel()->TakeInvalidatedRegion();
        QCOMPARE(Unrepainted(before, RenderGrid(*h.Form), repainted), 0);
    }
}

void KeyboardTest::zoom() {
    // {start size, step, clicks, cell size, font size}: stops at 20 and 60.
    const struct {
        int start, step, clicks, cellSize, fontSize;
    } cases[] = {{30, -1, 15, 20, 10}, {30, 1, 40, 60, 44}, {24, -1, 1, 23, 13}, {23, 1, 1, 24, 12},
                 {27, 1, 1, 28, 14},   {31, -1, 1, 30, 16}, {30, 1, 1, 31, 15}};
    for (const auto& c : cases) {
        auto frame = FrameFromSource(SmallSwedish);
        frame->St.Settings.Feldgroesse = c.start;
        TFormHolder h = Open(std::move(frame));
        QAction zoomAction;
        zoomAction.setProperty("Tag", c.step);
        QSignalSpy resized(&h.Frame->Play, &zx::TPlayerSession::CellSizeChanged);
        for (int i = 0; i < c.clicks; ++i)
            h.Form->MItemPlayZoomInClick(&zoomAction);
        const zx::TProgramSettings& s = h.Frame->St.Settings;
        QCOMPARE(s.Feldgroesse, c.cellSize);
        QCOMPARE(s.Schriftgroesse, c.fontSize);
        QCOMPARE(s.Zahlengroesse, zx::TProgramSettings().Zahlengroesse);
        QCOMPARE(h.Form->Raetsel()->CellRect(3, 3).size(), QSize(c.cellSize, c.cellSize));
        QCOMPARE(h.Form->Raetsel()->width(), 3 * (c.cellSize + 1) + 3); // cells, lines, border
        QCOMPARE(resized.count(), std::abs(c.cellSize - c.start));
        QObject other; // neither a button nor a menu action: zooms in
        h.Form->MItemPlayZoomInClick(&other);
        QCOMPARE(s.Feldgroesse, std::min(c.cellSize + 1, 60));
    }
}

void KeyboardTest::windowSizing() {
    // A 9 x 7 crossword in the frame's area; the window fits into the area and
    // every cell can be scrolled into view with the cursor.
    const struct {
        const char* name;
        QSize area;
        int cellSize;
        int panelRight; // right edge of a marking panel in the toolbar (0: none)
        bool cutWidth, cutHeight;
    } cases[] = {
        {"fits", {900, 700}, 30, 0, false, false},
        {"too high", {900, 200}, 30, 0, false, true},
        {"too wide", {300, 700}, 60, 0, true, false},
        {"too wide and too high", {300, 200}, 60, 0, true, true},
        {"marking panel beyond the grid", {900, 700}, 20, 400, false, false},
    };
    for (const auto& c : cases) {
        auto frame = FrameFromSample(QStringLiteral("schwedenraetsel"));
        frame->St.Settings.Feldgroesse = c.cellSize;
        QMdiArea area;
        area.resize(c.area);
        area.show();
        auto* form = new TRaetselForm(*frame);
        if (c.panelRight > 0) {
            auto* panel = new QWidget(form->ToolBar());
            panel->setObjectName(QStringLiteral("PanelMark"));
            panel->setGeometry(c.panelRight - 308, 4, 308, 22);
        }
        QMdiSubWindow* sub = area.addSubWindow(form);
        sub->show();
        QVERIFY2(QTest::qWaitForWindowExposed(&area), c.name);
        const QSize free = area.viewport()->size() - QSize(0, 10);
        QVERIFY2(sub->width() <= free.width() && sub->height() <= free.height(), c.name);
        QVERIFY2((sub->width() == free.width()) == c.cutWidth, c.name);
        QVERIFY2((sub->height() == free.height()) == c.cutHeight, c.name);
        if (c.panelRight > 0) QVERIFY2(form->width() >= c.panelRight + 4, c.name);
        const zx::TDrawGrid* grid = form->Raetsel();
        for (const QPoint cell : {QPoint(9, 7), QPoint(1, 1)}) {
            MoveTo(*form, cell.x(), cell.y());
            const QRect r = CellOnScreen(*form, cell.x(), cell.y());
            QVERIFY2(grid->visibleRegion().boundingRect().contains(r), c.name);
        }
    }
}

void KeyboardTest::closing() {
    auto frame = FrameFromSample(QStringLiteral("sudoku-auf-zeit"));
    frame->St.Puzzle.ElapsedTime = 77;
    frame->St.Puzzle.ClockRunning = 0;
    TFormHolder h = Open(std::move(frame));
    QCOMPARE(h.Frame->St.Puzzle.ElapsedTime, std::uint16_t(0));
    QCOMPARE(h.Frame->St.Puzzle.ClockRunning, std::uint8_t(1));
    QWidget stopwatch;
    stopwatch.show();
    h.Frame->OpenChild(zx::TFormKind::Stopwatch, &stopwatch);
    h.Frame->CommandUpdates = 0;
    h.Frame->St.ViewMode = 1;
    QPointer<TRaetselForm> form(h.Form.release());
    form->close();
    QCOMPARE(h.Frame->St.ViewMode, std::uint8_t(0));
    QVERIFY(h.Frame->CommandUpdates >= 1);
    QVERIFY(!stopwatch.isVisible());
    QTRY_VERIFY(form.isNull());
}

void KeyboardTest::repaintCoversEveryChange_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("keys"); // as Type() takes them
    QTest::newRow("Swedish crossword") << "schwedenraetsel"
                                       << "abc>>_\rx\b\b__<\rde^^>";
    QTest::newRow("American crossword") << "amerikanisch"
                                        << "ab\rc__>x\b\r>>^^q";
    QTest::newRow("brain-teaser grid") << "knobelgitter"
                                       << "sen>>_\rab\b>>__x";
    QTest::newRow("French crossword") << "franzoesisch"
                                      << "ab_\rc\b>>>_d";
    QTest::newRow("Sudoku") << "sudoku-9x9"
                            << ">1_2>>3\x7f_4";
}

void KeyboardTest::repaintCoversEveryChange() {
    QFETCH(QString, sample);
    QFETCH(QString, keys);
    TFormHolder h = Open(FrameFromSample(sample));
    zx::TDrawGrid* grid = h.Form->Raetsel();
    for (const QChar k : keys) {
        const QImage before = RenderGrid(*h.Form);
        grid->TakeInvalidatedRegion();
        Type(*h.Form, k.toLatin1());
        const QRegion repainted = grid->TakeInvalidatedRegion();
        QCOMPARE(Unrepainted(before, RenderGrid(*h.Form), repainted), 0);
        // Letters and cursor moves repaint cells, not the whole grid (a Sudoku
        // entry changes the possible symbols everywhere).
        if (!zx::IsSudoku(zx::KindOf(h.Frame->St.Puzzle)))
            QVERIFY(repainted.boundingRect() != grid->rect());
    }
}

void KeyboardTest::letterRepaintsOnlyChangedCells() {
    // LESEN across from (5,1): a letter inside the word changes its own cell
    // and moves the cursor one cell on; the word's highlight stays as it was.
    TFormHolder h = Open(FrameFromSample(QStringLiteral("schwedenraetsel")));
    MoveTo(*h.Form, 6, 1);
    QCOMPARE(h.Form->InputDirection(), zx::TInputDir::Across);
    RenderGrid(*h.Form);
    zx::TDrawGrid* grid = h.Form->Raetsel();
    grid->TakeInvalidatedRegion();
    Type(*h.Form, 'e');
    const QRegion repainted = grid->TakeInvalidatedRegion();
    const QRegion changed = QRegion(CellOnScreen(*h.Form, 6, 1).adjusted(-3, -3, 4, 4)) +
                            CellOnScreen(*h.Form, 7, 1).adjusted(-3, -3, 4, 4);
    QVERIFY(!repainted.isEmpty());
    QCOMPARE(repainted - changed, QRegion());
}

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
