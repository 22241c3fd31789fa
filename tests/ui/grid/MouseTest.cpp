// The mouse in the grid window: the direction toggle of a second click, hover
// hints and status texts, legend words dropped on brain-teaser grids, and
// ranges painted in the crossword jigsaw.
#include <QTest>
#include <memory>

#include "GridTestSupport.h"
#include "controls/DrawGrid.h"
#include "session/WordDrag.h"

using namespace gridtest;
using zx::TInputDir;

namespace {

// 1 HUT across and HAS down, 2 TOE down, 3 SEE across.
const char* const Swedish = "typ: 0\n[gitter]\nHUT\nA#O\nSEE\n[begriffe]\n"
                            "HUT = Huete\nSEE = Gewaesser\nHAS = Hase\nTOE = Zeh\n";
const char* const Number = "typ: 2\ncode: ABCDEFGHIJKLMNOPQRSTUVWXYZ\n[gitter]\nOB#AT\n"
                           "[begriffe]\nOB\nAT\n";
// Column 2 holds two blocks the player does not see.
const char* const American =
    "typ: 10\n[gitter]\nA#B\nC#D\nEFG\n[begriffe]\nACE = a\nBDG = b\nEFG = c\n";
// 1 ABEND across and AB down; a block ends row 1 after five cells.
const char* const BrainTeaser = "typ: 6\nrueckwaerts: ja\n[gitter]\nABEND#O\nB#####B\n"
                                "[begriffe]\nABEND\nAB\nOB\n";
const char* const Jigsaw = "typ: 12\n[gitter]\nHAUSO\nQWXYZ\n[begriffe]\nHAUS = Gebaeude\n";

QPoint Centre(zx::TRaetselForm& form, int col, int row) {
    return CellOnScreen(form, col, row).center();
}

void Hover(zx::TRaetselForm& form, const QPoint& pos) {
    QMouseEvent move(QEvent::MouseMove, pos, form.Raetsel()->mapToGlobal(pos), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Raetsel(), &move);
}

// Entries row by row ('#' for blocks), rows joined by '/'.
std::string Entries(const zx::TPuzzleData& p) {
    std::string s;
    for (int r = 1; r <= p.RowCount; ++r)
        for (int c = 1; c <= p.ColCount; ++c)
            s += std::string(r > 1 && c == 1 ? "/" : "") +
                 ((p.cell(c, r).Flags & zx::cfBlock) ? '#' : p.entry(c, r).at(1));
    return s;
}

} // namespace

class MouseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { zx::InstallFontSubstitutes(); }

    void secondClickTogglesDirection() {
        const std::vector<std::pair<QPoint, TInputDir>> cases[] = {
            {{{1, 1}, TInputDir::Down}, {{1, 1}, TInputDir::Across}},
            // A first click on a crossing cell keeps the direction.
            {{{1, 3}, TInputDir::Across}, {{1, 1}, TInputDir::Across}, {{1, 1}, TInputDir::Down}},
            {{{2, 1}, TInputDir::Across}, {{2, 1}, TInputDir::Across}},
            // A click on a header cell must not turn the cursor's direction.
            {{{1, 1}, TInputDir::Down}, {{0, 1}, TInputDir::Down}},
        };
        for (const auto& clicks : cases) {
            TFormHolder h = Open(FrameFromSource(Swedish));
            for (const auto& [cell, dir] : clicks) {
                // Header cells have no width: they lie just left of column 1.
                const QPoint at = cell.x() == 0
                                      ? CellOnScreen(*h.Form, 1, 1).topLeft() - QPoint(1, 0)
                                      : Centre(*h.Form, cell.x(), cell.y());
                QTest::mouseClick(h.Form->Raetsel(), Qt::LeftButton, Qt::NoModifier, at);
                QCOMPARE(h.Form->InputDirection(), dir);
            }
        }
    }

    void hoverHints() {
        const char* const Letter = "Dieses Feld enthält einen Buchstaben";
        const char* const ColumnHeader = "Die in der Legende angezeigte Spaltennummer";
        const struct {
            const char* source;
            QPoint cell;
            bool hints;
            const char* text; // nullptr: no floating hint
            int size;
            const char* status;
        } cases[] = {
            {Swedish, {1, 1}, true, "W: Huete\r\nS: Hase", 0, Letter},
            {Swedish, {1, 1}, false, nullptr, 0, Letter},
            {Number, {2, 1}, true, "1", 12, Letter},
            {American, {2, 0}, true, "2", 12, ColumnHeader},
            {American, {2, 1}, true, nullptr, 0, Letter}, // a hidden block tells nothing
        };
        for (const auto& c : cases) {
            TFormHolder h = Open(FrameFromSource(c.source));
            h.Frame->St.Settings.HinweiseZeigen = c.hints;
            zx::TDrawGrid* grid = h.Form->Raetsel();
            // From the corner cell with a hint showing: moving on closes it.
            Hover(*h.Form, QPoint(grid->Margin(), grid->Margin()));
            h.Frame->HintShowing = true;
            h.Frame->Hints.clear();
            const QRect cell = CellOnScreen(*h.Form, c.cell.x(), c.cell.y());
            Hover(*h.Form, cell.center());
            QCOMPARE(grid->statusTip(), QString::fromUtf8(c.status));
            QCOMPARE(h.Frame->Hints.size(), std::size_t(c.text ? 1 : 0));
            QCOMPARE(h.Frame->HintShowing, c.text != nullptr);
            if (!c.text) continue;
            const auto& hint = h.Frame->Hints.front();
            QCOMPARE(hint.Text, QString::fromUtf8(c.text));
            QCOMPARE(hint.Size, c.size);
            // The popup is placed beside the cell under the pointer.
            QCOMPARE(hint.Cell, QRect(grid->mapToGlobal(cell.topLeft()), cell.size()));
            Hover(*h.Form, cell.center() + QPoint(1, 1)); // same cell: nothing anew
            QCOMPARE(h.Frame->Hints.size(), std::size_t(1));
            // Out of the grid and back onto the same cell: the hint comes again.
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(grid, &leave);
            QVERIFY(!h.Frame->HintShowing);
            Hover(*h.Form, cell.center());
            QCOMPARE(h.Frame->Hints.size(), std::size_t(2));
        }
    }

    void dropLegendWord() {
        const struct {
            const char* word;
            QPoint cell;
            bool twoLists, vertical, reversed, reverseAllowed, legendOpen;
            const char* entries;
        } cases[] = {
            {"SCHNELL", {1, 1}, false, false, false, true, true, "SCHNE# / ##### "},
            {"XY", {1, 1}, false, true, false, true, true, "X    # /Y##### "},
            // With two lists the across list wins over Shift.
            {"XY", {1, 1}, true, true, false, true, true, "XY   # / ##### "},
            {"ABEND", {1, 1}, false, false, true, true, true, "DNEBA# / ##### "},
            {"ABEND", {1, 1}, false, false, true, false, true, "ABEND# / ##### "},
            {"XY", {2, 1}, false, false, false, true, true, "     # / ##### "}, // no number
            {"XY", {1, 1}, false, false, false, true, false, "     # / ##### "},
        };
        for (const auto& c : cases) {
            TFormHolder h = Open(FrameFromSource(BrainTeaser));
            QWidget legend;
            if (c.legendOpen) h.Frame->OpenChild(zx::TFormKind::Legend, &legend);
            h.Frame->St.Puzzle.ReverseAllowed = c.reverseAllowed;
            h.Frame->St.DragVertical = c.vertical;
            h.Frame->St.DragReversed = c.reversed;
            MoveTo(*h.Form, 4, 1);
            h.Frame->UndoSaves = 0;
            QWidget* keys = new QWidget(h.Form.get()); // where the keyboard was, as the legend
            keys->setFocusPolicy(Qt::StrongFocus);
            keys->show();
            keys->setFocus();
            std::unique_ptr<QMimeData> data(
                zx::MakeWordDrag({c.word, 0, zx::TLegendList::Across, c.twoLists}));
            const QPoint at = Centre(*h.Form, c.cell.x(), c.cell.y());
            const bool accepted = h.Form->RaetselDragOver(data.get(), at);
            h.Form->RaetselDragDrop(data.get(), at);
            QCOMPARE(Entries(h.Frame->St.Puzzle), std::string(c.entries));
            QCOMPARE(h.Frame->UndoSaves, accepted ? 1 : 0);
            QCOMPARE(h.Form->Cursor(), accepted ? c.cell : QPoint(4, 1));
            // After a drop the grid takes the keyboard for the next letters.
            QCOMPARE(h.Form->focusWidget() == h.Form->Raetsel(), accepted);
        }
    }

    void paintJigsawRange() {
        const struct {
            QPoint to;
            int marked;
            bool done;
        } cases[] = {{{1, 1}, 0, false}, {{3, 1}, 3, false}, {{4, 1}, 4, true}};
        for (const auto& c : cases) {
            TFormHolder h = Open(FrameFromSource(Jigsaw));
            QWidget legend;
            h.Frame->OpenChild(zx::TFormKind::Legend, &legend);
            zx::TDrawGrid* grid = h.Form->Raetsel();
            h.Frame->UndoSaves = 0;
            const QPoint end = Centre(*h.Form, c.to.x(), c.to.y());
            QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, Centre(*h.Form, 1, 1));
            QMouseEvent drag(QEvent::MouseMove, end, grid->mapToGlobal(end), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(grid, &drag);
            QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, end);
            const zx::TPuzzleData& p = h.Frame->St.Puzzle;
            int marked = 0;
            for (int col = 1; col <= p.ColCount; ++col)
                marked += (p.cell(col, 1).Flags & zx::cfMarked) != 0;
            QCOMPARE(marked, c.marked);
            QCOMPARE(p.Words[0].Done != 0, c.done);
            // A single cell changes nothing and takes no undo copy.
            QCOMPARE(h.Frame->UndoSaves, c.marked > 0 ? 1 : 0);
            // A painted word leaves no selection while the legend is open.
            QCOMPARE(grid->Selection().isEmpty(), c.marked > 0);
        }
    }
};

QTEST_MAIN(MouseTest)
#include "MouseTest.moc"
