// Pixels of the grid window and of the printed grid for every puzzle kind:
// block and background colours, highlights, error and solution colouring,
// outlines, box edges, possible symbols, header numbers and paper modes.
#include <QPainter>
#include <QTest>

#include "CellPainter.h"
#include "Colors.h"
#include "DrawGrid.h"
#include "EntryCheck.h"
#include "GridTestSupport.h"
#include "RaetselFormular.h"
#include "SudokuRule.h"

using namespace gridtest;
using zx::ToQColor;
using zx::TRaetselForm;

namespace {

// Swedish crossword with the solution-word cells (1,1) and (2,3) and one block.
const char* const SwedishSource = R"(typ: 1
loesungswort: HE
[gitter]
hUT
A#O
SeE
[begriffe]
HUT = Kopfbedeckung
SEE = Gewaesser
HAS = Probe
TOE = Probe
)";

const char* const AmericanSource = R"(typ: 10
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

// Blocks at (1,1), with letters right of and below it, and at (3,2).
const char* const BrainTeaserSource = R"(typ: 6
[gitter]
#AB
CD#
[begriffe]
AB
CD
AD
)";

const char* const FrenchSource = R"(typ: 8
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

QColor Colour(zx::TColor c) { return ToQColor(c); }


// Pixel of the printed cell near its top-right corner.
QColor PaperBackground(const QImage& img, int first, int cellSize, int col, int row) {
    const int left = 2 + cellSize * (col - first);
    const int top = 2 + cellSize * (row - first);
    return img.pixelColor(left + cellSize - 4, top + 3);
}

// Nearly black pixels: the grey edges of antialiased small text count too.
int CountDark(const QImage& image, const QRect& rect) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 100) ++n;
    return n;
}

} // namespace

class PaintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }
    void crosswordBackgrounds();
    void letterColours();
    void inputCursor();
    void americanBlanks();
    void brainTeaserOutlines();
    void sudokuBoxesAndCandidates();
    void jigsawCells();
    void headerNumbers();
    void paperColourModes();
    void thinInputMark();
};

void PaintTest::crosswordBackgrounds() {
    struct Case {
        const char* name;
        bool highlight;
        QPoint cell;
        zx::TColor expected;
    };
    const zx::TProgramSettings d;
    // The cursor starts on (1,1) across: the word HUT is highlighted.
    const Case cases[] = {
        {"block", true, {2, 2}, d.FarbeLeerfeld1},
        {"letter cell of the current word", true, {2, 1}, d.MarkedLetterColor},
        {"solution cell under the cursor", true, {1, 1}, d.MarkedSolutionColor},
        {"solution cell outside the word", true, {2, 3}, d.FarbeLoesungfeld},
        {"letter cell outside the word", true, {1, 3}, d.FarbeBuchstabenfeld},
        {"no highlight: letter cell of the word", false, {2, 1}, d.FarbeBuchstabenfeld},
        {"no highlight: cursor cell", false, {1, 1}, d.FarbeLoesungfeld},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(SwedishSource));
        QVERIFY(h.Form);
        h.Frame->St.Settings.AktuellenBegriffMarkieren = c.highlight;
        QCOMPARE(h.Form->Cursor(), QPoint(1, 1));
        QCOMPARE(h.Form->InputDirection(), std::uint8_t(1));
        const QImage img = RenderGrid(*h.Form);
        QVERIFY2(BackgroundOf(img, CellOnScreen(*h.Form, c.cell.x(), c.cell.y())) ==
                     Colour(c.expected),
                 c.name);
    }
}

void PaintTest::letterColours() {
    const zx::TProgramSettings d;
    struct Case {
        const char* name;
        bool showErrors;
        std::uint8_t viewMode;
        char entry; // typed into (3,1), whose solution is T
        zx::TColor present;
        zx::TColor absent;
    };
    const Case cases[] = {
        {"wrong letter marked", true, 0, 'X', d.FarbeFalscheBuchstaben, d.FarbeBuchstaben},
        {"wrong letter unmarked", false, 0, 'X', d.FarbeBuchstaben, d.FarbeFalscheBuchstaben},
        {"right letter", true, 0, 'T', d.FarbeBuchstaben, d.FarbeFalscheBuchstaben},
        {"solution view: right letter", true, 1, 'T', d.FarbeBuchstaben, d.FarbeFehlendeBuchstaben},
        {"solution view: wrong letter", true, 1, 'X', d.FarbeFehlendeBuchstaben, d.FarbeBuchstaben},
        {"solution view: empty cell", false, 1, ' ', d.FarbeFehlendeBuchstaben, d.FarbeBuchstaben},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(SwedishSource));
        QVERIFY(h.Form);
        zx::TPlayerState& st = h.Frame->St;
        zx::SetEntry(st.Puzzle, st.ErrorGrid, 3, 1, std::string(1, c.entry));
        st.Settings.FehlerZeigen = c.showErrors;
        st.Settings.AktuellenBegriffMarkieren = false;
        st.ViewMode = c.viewMode;
        const QImage img = RenderGrid(*h.Form);
        const QRect cell = CellOnScreen(*h.Form, 3, 1);
        QVERIFY2(CountColour(img, cell, Colour(c.present)) > 0, c.name);
        QVERIFY2(CountColour(img, cell, Colour(c.absent)) == 0, c.name);
    }
}

void PaintTest::inputCursor() {
    const QColor highlight = ToQColor(zx::SystemColorFlag | zx::scHighlight);
    for (std::uint8_t view : {0, 1}) {
        TFormHolder h = Open(FrameFromSource(SwedishSource));
        QVERIFY(h.Form);
        QVERIFY(h.Form->Raetsel()->hasFocus());
        h.Frame->St.ViewMode = view;
        const QImage img = RenderGrid(*h.Form);
        const QRect cell = CellOnScreen(*h.Form, 1, 1);
        // The frame runs along all four edges; the solution view shows no cursor.
        const int frame = CountColour(img, cell, highlight);
        if (view == 0) {
            QCOMPARE(img.pixelColor(cell.left(), cell.center().y()), highlight);
            QCOMPARE(img.pixelColor(cell.right(), cell.center().y()), highlight);
            QVERIFY(frame >= 4 * (cell.width() - 4));
            // The across arrow right of the centre.
            const QRect arrow(cell.right() - 10, cell.top() + (cell.height() - 9) / 2, 9, 9);
            QVERIFY(CountInk(img, arrow, zx::ToQColor(h.Frame->St.Settings.MarkedSolutionColor)) > 10);
        } else {
            QCOMPARE(frame, 0);
        }
    }
}

void PaintTest::americanBlanks() {
    const zx::TProgramSettings d;
    const QColor purple(0x80, 0x00, 0x80);
    struct Case {
        const char* name;
        QPoint blank; // cell marked blank by the player, (0,0) for none
        bool showErrors;
        std::uint8_t view;
        QPoint probe;
        QColor expected;
    };
    const Case cases[] = {
        {"hidden block looks like a letter cell", {0, 0}, true, 0, {2, 2}, Colour(d.FarbeBuchstabenfeld)},
        {"blank mark on the real block", {2, 2}, true, 0, {2, 2}, Colour(d.FarbeLeerfeld1)},
        {"wrong blank turns purple", {1, 3}, true, 0, {1, 3}, purple},
        {"wrong blank without error marking", {1, 3}, false, 0, {1, 3}, Colour(d.FarbeLeerfeld1)},
        {"solution view shows the real block", {0, 0}, true, 1, {2, 2}, Colour(d.FarbeLeerfeld1)},
        {"solution view ignores a wrong blank", {1, 3}, true, 1, {1, 3}, Colour(d.FarbeBuchstabenfeld)},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(AmericanSource));
        QVERIFY(h.Form);
        zx::TPlayerState& st = h.Frame->St;
        if (c.blank.x() > 0) st.Puzzle.cell(c.blank.x(), c.blank.y()).Flags |= zx::cfBlank;
        st.Settings.FehlerZeigen = c.showErrors;
        st.Settings.AktuellenBegriffMarkieren = false;
        st.ViewMode = c.view;
        h.Form->Raetsel()->SetCurrent(3, 1);
        const QImage img = RenderGrid(*h.Form);
        QVERIFY2(BackgroundOf(img, CellOnScreen(*h.Form, c.probe.x(), c.probe.y())) == c.expected,
                 c.name);
    }
}

void PaintTest::brainTeaserOutlines() {
    TFormHolder h = Open(FrameFromSource(BrainTeaserSource));
    QVERIFY(h.Form);
    h.Frame->St.Settings.AktuellenBegriffMarkieren = false;
    h.Form->Raetsel()->clearFocus();
    const QImage img = RenderGrid(*h.Form);
    const QColor black(0, 0, 0);
    const QColor silver(0xC0, 0xC0, 0xC0);
    const QColor white(255, 255, 255);
    const QRect block = CellOnScreen(*h.Form, 1, 1);
    const QRect letter = CellOnScreen(*h.Form, 2, 1);
    const QRect lastBlock = CellOnScreen(*h.Form, 3, 2);
    QCOMPARE(h.Form->Raetsel()->GridLineWidth(), 0);
    // Heavy edges of the block towards the letters right of and below it.
    QCOMPARE(img.pixelColor(block.right(), block.center().y()), black);
    QCOMPARE(img.pixelColor(block.right() - 1, block.center().y()), black);
    QCOMPARE(img.pixelColor(block.center().x(), block.bottom()), black);
    QCOMPARE(img.pixelColor(block.center()), silver);
    // A letter cell: white inside a 2-pixel black outline, no grid line.
    QCOMPARE(img.pixelColor(letter.left() + 3, letter.top() + 3), white);
    QCOMPARE(img.pixelColor(letter.center().x(), letter.top() - 1), black);
    QCOMPARE(img.pixelColor(letter.right(), letter.center().y()), black);
    QCOMPARE(img.pixelColor(letter.right() - 2, letter.center().y()), white);
    // A block with no letter to its right or below has no heavy edge there.
    QCOMPARE(img.pixelColor(lastBlock.right(), lastBlock.center().y()), silver);
    QCOMPARE(img.pixelColor(lastBlock.center().x(), lastBlock.bottom()), silver);
}

void PaintTest::sudokuBoxesAndCandidates() {
    TFormHolder h = Open(FrameFromSample(QStringLiteral("sudoku-6x6")));
    QVERIFY(h.Form);
    QCOMPARE(h.Form->BoxWidth(), 3);
    QCOMPARE(h.Form->BoxHeight(), 2);
    zx::TPlayerState& st = h.Frame->St;
    st.Settings.MoeglicheZahlenZeigen = true;
    const QImage img = RenderGrid(*h.Form);
    const QColor black(0, 0, 0);
    const QColor grey(0x80, 0x80, 0x80);
    // Vertical edges at the middle of row 4, horizontal ones at the middle of column 5.
    const QRect c34 = CellOnScreen(*h.Form, 3, 4);
    const QRect c14 = CellOnScreen(*h.Form, 1, 4);
    QCOMPARE(img.pixelColor(c34.right() + 1, c34.center().y()), black);
    QCOMPARE(img.pixelColor(c14.right() + 1, c14.center().y()), grey);
    const QRect c52 = CellOnScreen(*h.Form, 5, 2);
    const QRect c51 = CellOnScreen(*h.Form, 5, 1);
    QCOMPARE(img.pixelColor(c52.center().x(), c52.bottom() + 1), black);
    QCOMPARE(img.pixelColor(c51.center().x(), c51.bottom() + 1), grey);

    // The cursor cell is shown only by its background.
    const QRect cursor = CellOnScreen(*h.Form, 1, 1);
    QCOMPARE(img.pixelColor(cursor.center().x(), cursor.top() + 1),
             Colour(st.Settings.MarkedLetterColor));
    QCOMPARE(CountColour(img, cursor, ToQColor(zx::SystemColorFlag | zx::scHighlight)), 0);

    // Possible symbols of the empty cell (3,1) in a 3 x 2 raster.
    const QRect cell = CellOnScreen(*h.Form, 3, 1);
    const int sw = cell.width() / 3;
    const int sh = cell.height() / 2;
    int possible = 0;
    for (int sym = 1; sym <= 6; ++sym) {
        const int i = sym - 1;
        // The raster rectangle, kept clear of the cell's box edges.
        const QRect sub(cell.left() + (i % 3) * sw + 2, cell.top() + (i / 3) * sh + 2, sw - 3, sh - 3);
        const bool allowed = zx::SymbolAllowed(st.Puzzle, sym, 3, 1);
        possible += allowed;
        QVERIFY2((CountInk(img, sub, Qt::white) > 0) == allowed, qPrintable(QString::number(sym)));
    }
    QVERIFY(possible > 0 && possible < 6);
}

void PaintTest::jigsawCells() {
    const zx::TProgramSettings d;
    TFormHolder h = Open(FrameFromSample(QStringLiteral("kreuzwortpuzzle")));
    QVERIFY(h.Form);
    zx::TPlayerState& st = h.Frame->St;
    st.Puzzle.cell(2, 2).Flags |= zx::cfMarked;
    h.Form->Raetsel()->SetSelection(QRect(QPoint(4, 4), QPoint(5, 4)));
    const QImage img = RenderGrid(*h.Form);
    QCOMPARE(BackgroundOf(img, CellOnScreen(*h.Form, 2, 2)), Colour(d.FarbeLoesungfeld));
    QCOMPARE(BackgroundOf(img, CellOnScreen(*h.Form, 3, 3)), Colour(d.FarbeBuchstabenfeld));
    QCOMPARE(BackgroundOf(img, CellOnScreen(*h.Form, 5, 4)), QColor(0xC0, 0xC0, 0xC0));
    // Letters in navy, no input cursor anywhere.
    QVERIFY(CountColour(img, CellOnScreen(*h.Form, 3, 3), QColor(0, 0, 0x80)) > 0);
    QCOMPARE(CountColour(img, img.rect(), ToQColor(zx::SystemColorFlag | zx::scHighlight)), 0);
}

void PaintTest::headerNumbers() {
    struct Case {
        const char* name;
        const char* source;
        bool headers;
    };
    const Case cases[] = {
        {"French crossword", FrenchSource, true},
        {"American crossword", AmericanSource, true},
        {"Swedish crossword", SwedishSource, false},
    };
    const QColor face = ToQColor(zx::SystemColorFlag | zx::scBtnFace);
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(c.source));
        QVERIFY(h.Form);
        h.Form->Raetsel()->clearFocus();
        const zx::TDrawGrid* grid = h.Form->Raetsel();
        QCOMPARE(grid->ColWidth(0) > 0, c.headers);
        if (!c.headers) continue;
        const QImage img = RenderGrid(*h.Form);
        const QRect rowHeader = CellOnScreen(*h.Form, 0, 3);
        const QRect colHeader = CellOnScreen(*h.Form, 2, 0);
        const QRect corner = CellOnScreen(*h.Form, 0, 0);
        QVERIFY2(BackgroundOf(img, rowHeader) == face, c.name);
        QVERIFY2(CountColour(img, rowHeader, Qt::black) > 0, c.name);
        QVERIFY2(CountColour(img, colHeader, Qt::black) > 0, c.name);
        QVERIFY2(CountInk(img, corner, face) == 0, c.name);
    }
    // Word numbers in the corner of the start cells of a Swedish crossword.
    TFormHolder h = Open(FrameFromSource(SwedishSource));
    h.Form->Raetsel()->clearFocus();
    const QImage img = RenderGrid(*h.Form);
    const QRect start = CellOnScreen(*h.Form, 3, 1); // TOE starts here
    const QRect plain = CellOnScreen(*h.Form, 2, 1);
    QVERIFY(CountDark(img, QRect(start.topLeft(), QSize(12, 12))) > 0);
    QCOMPARE(CountDark(img, QRect(plain.topLeft(), QSize(12, 12))), 0);
}

void PaintTest::paperColourModes() {
    const zx::TProgramSettings d;
    const QColor white(255, 255, 255);
    const QColor silver(0xC0, 0xC0, 0xC0);
    const QColor lightGrey(0xDD, 0xDD, 0xDD);
    struct Case {
        const char* name;
        const char* source;
        int mode;
        QPoint cell;
        QColor expected;
    };
    const Case cases[] = {
        {"lines only: block", SwedishSource, 0, {2, 2}, white},
        {"lines only: solution cell", SwedishSource, 0, {1, 1}, white},
        {"greyscale: block", SwedishSource, 1, {2, 2}, Qt::black},
        {"greyscale: letter cell", SwedishSource, 1, {2, 1}, white},
        {"greyscale: solution cell", SwedishSource, 1, {2, 3}, lightGrey},
        {"greyscale: header", FrenchSource, 1, {0, 2}, silver},
        {"greyscale: brain-teaser block", BrainTeaserSource, 1, {1, 1}, silver},
        {"colour: block", SwedishSource, 2, {2, 2}, Colour(d.FarbeLeerfeld1)},
        {"colour: solution cell", SwedishSource, 2, {2, 3}, Colour(d.FarbeLoesungfeld)},
        {"colour: no highlight of the current word", SwedishSource, 2, {2, 1}, Colour(d.FarbeBuchstabenfeld)},
    };
    for (const Case& c : cases) {
        TFormHolder h = Open(FrameFromSource(c.source));
        QVERIFY(h.Form);
        h.Frame->St.Settings.PrintSettings.ColorMode = c.mode;
        // 10 x 10 cm at 0.1 mm per pixel.
        QImage paper(1000, 1000, QImage::Format_RGB32);
        paper.fill(Qt::red);
        int cellSize = 0;
        {
            QPainter painter(&paper);
            h.Form->PrintGrid(painter, paper.rect(), cellSize, zx::poPrinter);
        }
        QVERIFY2(cellSize > 100, c.name);
        const int first = h.Frame->St.Puzzle.PuzzleType == 8 ? 0 : 1;
        QVERIFY2(PaperBackground(paper, first, cellSize, c.cell.x(), c.cell.y()) == c.expected, c.name);
    }
}

void PaintTest::thinInputMark() {
    const zx::TInputDirImages arrows = zx::LoadInputDirImages();
    QVERIFY(!arrows[0].isNull() && !arrows[1].isNull());
    struct Case {
        const char* name;
        int direction;
        QRect arrowArea; // where the arrow of the direction lands, empty for none
    };
    const Case cases[] = {
        {"no direction, no arrow", 0, QRect()},
        {"across arrow right of the centre", 1, QRect(19, 10, 9, 9)},
        {"down arrow above the bottom", 2, QRect(10, 19, 9, 9)},
    };
    for (const Case& c : cases) {
        QImage img(30, 30, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            zx::DrawInputCursor(p, QRect(0, 0, 30, 30), c.direction, false, &arrows);
        }
        // The thin mark: a black bracket along the bottom, no frame.
        QVERIFY2(img.pixelColor(2, 24) == QColor(Qt::black), c.name);
        QVERIFY2(img.pixelColor(5, 26) == QColor(Qt::black), c.name);
        QVERIFY2(img.pixelColor(26, 24) == QColor(Qt::black), c.name);
        QVERIFY2(img.pixelColor(15, 1) == QColor(Qt::white), c.name);
        const int ink = CountInk(img, QRect(0, 0, 30, 20), Qt::white);
        if (c.arrowArea.isEmpty())
            QVERIFY2(ink == 0, c.name);
        else
            QVERIFY2(CountInk(img, c.arrowArea, Qt::white) > 10, c.name);
    }
}

QTEST_MAIN(PaintTest)
#include "PaintTest.moc"
