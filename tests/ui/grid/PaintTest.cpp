// Pixels of the grid window and of the printed grid for every puzzle kind.
#include <QPainter>
#include <QTest>
#include <climits>

#include "GridTestSupport.h"
#include "controls/DrawGrid.h"
#include "grid/CellPainter.h"
#include "rules/EntryCheck.h"
#include "rules/SudokuRule.h"
#include "session/Colors.h"

using namespace gridtest;
using zx::TPlayerState;

namespace {

// Solution-word cells (1,1) and (2,3), a block at (2,2); the cursor starts on
// (1,1) across, so HUT is the highlighted word.
const char* const Swedish = "typ: 1\nloesungswort: HE\n[gitter]\nhUT\nA#O\nSeE\n[begriffe]\n"
                            "HUT = a\nSEE = b\nHAS = c\nTOE = d\n";
const char* const American = "typ: 10\n[gitter]\nHUT\nA#O\nSEE\n[begriffe]\n"
                             "HUT = a\nSEE = b\nHAS = c\nTOE = d\n";
const char* const French = "typ: 8\n[gitter]\nHUT\nA#O\nSEE\n[begriffe]\n"
                           "HUT = a\nSEE = b\nHAS = c\nTOE = d\n";
// Blocks at (1,1), with letters right of and below it, and at (3,2).
const char* const BrainTeaser = "typ: 6\n[gitter]\n#AB\nCD#\n[begriffe]\nAB\nCD\nAD\n";

const zx::TProgramSettings D; // default colours
QColor C(zx::TColor c) {
    return zx::ToQColor(c);
}
const QColor White(255, 255, 255), Black(0, 0, 0), Silver(0xC0, 0xC0, 0xC0), Grey(0x80, 0x80, 0x80);
// The palette exists only once the application does.
QColor Highlight() {
    return zx::ToQColor(zx::SystemColorFlag | zx::scHighlight);
}

TFormHolder OpenSource(const char* source) {
    return Open(source[0] == 't' ? FrameFromSource(source) : FrameFromSample(source));
}

} // namespace

class PaintTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { zx::InstallFontSubstitutes(); }
    void backgrounds();
    void letterColours();
    void inputCursor();
    void brainTeaserEdges();
    void sudokuBoxesAndCandidates();
    void headerNumbers();
    void paperColourModes();
    void absurdSizeSettings();
    void systemTextColoursReadable();
    void partRepaintEqualsWholePaint_data();
    void partRepaintEqualsWholePaint();
};

void PaintTest::backgrounds() {
    using Setup = std::function<void(TPlayerState&, zx::TRaetselForm&)>;
    auto none = [](TPlayerState&, zx::TRaetselForm&) {};
    auto noHighlight = [](TPlayerState& s, zx::TRaetselForm&) {
        s.Settings.AktuellenBegriffMarkieren = false;
    };
    auto blank = [](QPoint c, bool errors, std::uint8_t view) {
        return [=](TPlayerState& s, zx::TRaetselForm&) {
            s.Puzzle.cell(c.x(), c.y()).Flags |= zx::cfBlank;
            s.Settings.FehlerZeigen = errors;
            s.ViewMode = view;
        };
    };
    const struct {
        const char* name;
        const char* source;
        Setup setup;
        QPoint cell;
        QColor expected;
    } cases[] = {
        {"block", Swedish, none, {2, 2}, C(D.FarbeLeerfeld1)},
        {"letter cell of the current word", Swedish, none, {2, 1}, C(D.MarkedLetterColor)},
        {"solution cell under the cursor", Swedish, none, {1, 1}, C(D.MarkedSolutionColor)},
        {"solution cell outside the word", Swedish, none, {2, 3}, C(D.FarbeLoesungfeld)},
        {"letter cell outside the word", Swedish, none, {1, 3}, White},
        {"no highlight: word cell", Swedish, noHighlight, {2, 1}, White},
        {"no highlight: cursor cell", Swedish, noHighlight, {1, 1}, C(D.FarbeLoesungfeld)},
        {"American: hidden block", American, none, {2, 2}, White},
        {"American: blank on the block",
         American,
         blank({2, 2}, true, 0),
         {2, 2},
         C(D.FarbeLeerfeld1)},
        {"American: wrong blank is purple",
         American,
         blank({1, 3}, true, 0),
         {1, 3},
         QColor(0x80, 0, 0x80)},
        {"American: wrong blank, no error marks",
         American,
         blank({1, 3}, false, 0),
         {1, 3},
         C(D.FarbeLeerfeld1)},
        {"American: solution view shows blocks",
         American,
         blank({1, 3}, true, 1),
         {2, 2},
         C(D.FarbeLeerfeld1)},
        {"American: solution view ignores blanks", American, blank({1, 3}, true, 1), {1, 3}, White},
        {"brain-teaser block", BrainTeaser, none, {3, 2}, Silver},
        {"jigsaw: marked cell",
         "kreuzwortpuzzle",
         [](TPlayerState& s, zx::TRaetselForm&) { s.Puzzle.cell(2, 2).Flags |= zx::cfMarked; },
         {2, 2},
         C(D.FarbeLoesungfeld)},
        {"jigsaw: dragged range",
         "kreuzwortpuzzle",
         [](TPlayerState&, zx::TRaetselForm& f) { f.Raetsel()->SetSelection(QRect(4, 4, 2, 1)); },
         {5, 4},
         Silver},
        {"jigsaw: plain cell", "kreuzwortpuzzle", none, {3, 3}, White},
    };
    for (const auto& c : cases) {
        TFormHolder h = OpenSource(c.source);
        QVERIFY2(h.Form, c.name);
        c.setup(h.Frame->St, *h.Form);
        const QImage img = RenderGrid(*h.Form);
        QVERIFY2(BackgroundOf(img, CellOnScreen(*h.Form, c.cell.x(), c.cell.y())) == c.expected,
                 c.name);
        if (h.Frame->St.Puzzle.PuzzleType == 12)
            QCOMPARE(CountColour(img, img.rect(), Highlight()), 0);
    }
}

void PaintTest::letterColours() {
    const struct {
        const char* name;
        bool errors;
        std::uint8_t view;
        char entry; // in (3,1), whose solution is T
        zx::TColor present, absent;
    } cases[] = {
        {"wrong letter marked", true, 0, 'X', D.FarbeFalscheBuchstaben, D.FarbeBuchstaben},
        {"wrong letter unmarked", false, 0, 'X', D.FarbeBuchstaben, D.FarbeFalscheBuchstaben},
        {"right letter", true, 0, 'T', D.FarbeBuchstaben, D.FarbeFalscheBuchstaben},
        {"solution view: right letter", true, 1, 'T', D.FarbeBuchstaben, D.FarbeFehlendeBuchstaben},
        {"solution view: wrong letter", true, 1, 'X', D.FarbeFehlendeBuchstaben, D.FarbeBuchstaben},
        {"solution view: empty cell", false, 1, ' ', D.FarbeFehlendeBuchstaben, D.FarbeBuchstaben},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource(Swedish));
        TPlayerState& st = h.Frame->St;
        zx::SetEntry(st.Puzzle, st.ErrorGrid, 3, 1, std::string(1, c.entry));
        st.Settings.FehlerZeigen = c.errors;
        st.ViewMode = c.view;
        const QImage img = RenderGrid(*h.Form);
        const QRect cell = CellOnScreen(*h.Form, 3, 1);
        QVERIFY2(CountColour(img, cell, C(c.present)) > 0, c.name);
        QVERIFY2(CountColour(img, cell, C(c.absent)) == 0, c.name);
    }
}

void PaintTest::inputCursor() {
    for (std::uint8_t view : {0, 1}) {
        TFormHolder h = Open(FrameFromSource(Swedish));
        QVERIFY(h.Form->Raetsel()->hasFocus());
        h.Frame->St.ViewMode = view;
        const QImage img = RenderGrid(*h.Form);
        const QRect cell = CellOnScreen(*h.Form, 1, 1);
        if (view == 1) { // no cursor in the solution view
            QCOMPARE(CountColour(img, cell, Highlight()), 0);
            continue;
        }
        QCOMPARE(img.pixelColor(cell.left(), cell.center().y()), Highlight());
        QCOMPARE(img.pixelColor(cell.right(), cell.center().y()), Highlight());
        // A closed frame inside the cell: all corners, nothing on the grid lines.
        for (const QPoint corner : {cell.topLeft(), cell.topRight(), cell.bottomLeft(),
                                    cell.bottomRight()})
            QCOMPARE(img.pixelColor(corner), Highlight());
        QCOMPARE(CountColour(img, cell.adjusted(-1, -1, 1, 1), Highlight()),
                 CountColour(img, cell, Highlight()));
    }

    // The direction arrow keeps clear of the letter, in the letter colour too:
    // (2,1) across holds its solution U, (1,2) is entered downwards (a block
    // on its right); default and zoomed letter size of 30-pixel cells.
    for (const auto& [at, direction] : {std::pair{QPoint(2, 1), 1}, std::pair{QPoint(1, 2), 2}}) {
        for (int points : {12, 16}) {
            const QString name = QStringLiteral("direction %1, %2 pt").arg(direction).arg(points);
            TFormHolder h = Open(FrameFromSource(Swedish));
            h.Frame->St.Settings.Schriftgroesse = points;
            MoveTo(*h.Form, at.x(), at.y());
            Type(*h.Form, 'U');
            MoveTo(*h.Form, at.x(), at.y());
            QCOMPARE(static_cast<int>(h.Form->InputDirection()), direction);
            const QImage withCursor = RenderGrid(*h.Form);
            h.Form->Raetsel()->clearFocus();
            const QImage letterOnly = RenderGrid(*h.Form);
            const QRect inside = CellOnScreen(*h.Form, at.x(), at.y()).adjusted(2, 2, -2, -2);
            const QColor background = BackgroundOf(letterOnly, inside);
            QRect letter;
            QRect arrow;
            for (int y = inside.top(); y <= inside.bottom(); ++y)
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    if (letterOnly.pixelColor(x, y) != background) letter |= QRect(x, y, 1, 1);
                    if (withCursor.pixel(x, y) != letterOnly.pixel(x, y))
                        arrow |= QRect(x, y, 1, 1);
                }
            QVERIFY2(letter.height() > 10 && arrow.width() >= 3, qPrintable(name));
            QVERIFY2(!arrow.intersects(letter.adjusted(-1, -1, 1, 1)), qPrintable(name));
        }
    }

    // The thin mark of the side windows: three strokes meeting in closed
    // corners, each stroke ending short of its end point.
    QImage side(20, 20, QImage::Format_RGB32);
    side.fill(Qt::white);
    QPainter painter(&side);
    zx::DrawInputCursor(painter, side.rect(), zx::TInputDir::None, false, nullptr);
    painter.end();
    const int l = 0, r = 20, b = 20;
    for (const QPoint ink : {QPoint(l + 2, b - 7), QPoint(l + 2, b - 4), QPoint(r - 4, b - 4),
                             QPoint(r - 4, b - 6)})
        QCOMPARE(side.pixelColor(ink), Black);
    QCOMPARE(side.pixelColor(r - 4, b - 7), White);
    QCOMPARE(CountColour(side, side.rect(), Black), 3 + (r - 4 - l - 2) + 3);
}

void PaintTest::brainTeaserEdges() {
    TFormHolder h = Open(FrameFromSource(BrainTeaser));
    h.Frame->St.Settings.AktuellenBegriffMarkieren = false;
    h.Form->Raetsel()->clearFocus();
    const QImage img = RenderGrid(*h.Form);
    const QRect block = CellOnScreen(*h.Form, 1, 1);
    const QRect letter = CellOnScreen(*h.Form, 2, 1);
    const QRect last = CellOnScreen(*h.Form, 3, 2);
    // Heavy edges of a block only towards letters on its right and below.
    QCOMPARE(img.pixelColor(block.right() - 1, block.center().y()), Black);
    QCOMPARE(img.pixelColor(block.center().x(), block.bottom()), Black);
    QCOMPARE(img.pixelColor(last.right(), last.center().y()), Silver);
    QCOMPARE(img.pixelColor(last.center().x(), last.bottom()), Silver);
    // Letter cells: a 2-pixel outline and no grid lines.
    QCOMPARE(img.pixelColor(letter.center().x(), letter.top() - 1), Black);
    QCOMPARE(img.pixelColor(letter.right(), letter.center().y()), Black);
    QCOMPARE(img.pixelColor(letter.right() - 2, letter.center().y()), White);
    // The grid's margin before the first row and column shows no background:
    // letter outlines and the block fill cover it.
    const int m = h.Form->Raetsel()->Margin();
    QCOMPARE(CountColour(img, QRect(0, 0, img.width(), m), White), 0);
    QCOMPARE(CountColour(img, QRect(0, 0, m, img.height()), White), 0);

    // The input frame shows on all four sides, inside the outlines of its neighbours.
    h.Form->Raetsel()->setFocus();
    const QImage focused = RenderGrid(*h.Form);
    const QRect cursor = CellOnScreen(*h.Form, 2, 1);
    QCOMPARE(focused.pixelColor(cursor.left() + 1, cursor.top() + 4), Highlight());
    QCOMPARE(focused.pixelColor(cursor.left() + 4, cursor.top() + 1), Highlight());
    QCOMPARE(focused.pixelColor(cursor.right() - 2, cursor.top() + 4), Highlight());
    QCOMPARE(focused.pixelColor(cursor.left() + 4, cursor.bottom() - 2), Highlight());
}

void PaintTest::sudokuBoxesAndCandidates() {
    TFormHolder h = Open(FrameFromSample(QStringLiteral("sudoku-6x6")));
    QCOMPARE(zx::BoxWidth(h.Frame->St.Puzzle), 3);
    QCOMPARE(zx::BoxHeight(h.Frame->St.Puzzle), 2);
    h.Frame->St.Settings.MoeglicheZahlenZeigen = true;
    const QImage img = RenderGrid(*h.Form);
    auto rightEdge = [&](int c, int r) {
        QRect x = CellOnScreen(*h.Form, c, r);
        return img.pixelColor(x.right() + 1, x.center().y());
    };
    auto lowerEdge = [&](int c, int r) {
        QRect x = CellOnScreen(*h.Form, c, r);
        return img.pixelColor(x.center().x(), x.bottom() + 1);
    };
    QCOMPARE(rightEdge(3, 4), Black);
    QCOMPARE(rightEdge(1, 4), Grey);
    QCOMPARE(lowerEdge(5, 2), Black);
    QCOMPARE(lowerEdge(5, 1), Grey);
    // The cursor cell is shown by its background only.
    const QRect cursor = CellOnScreen(*h.Form, 1, 1);
    QCOMPARE(img.pixelColor(cursor.center().x(), cursor.top() + 1), C(D.MarkedLetterColor));
    QCOMPARE(CountColour(img, cursor, Highlight()), 0);
    // The possible symbols of the empty cell (3,1) in a 3 x 2 raster.
    const QRect cell = CellOnScreen(*h.Form, 3, 1);
    int possible = 0;
    for (int sym = 1; sym <= 6; ++sym) {
        const int i = sym - 1;
        const QRect sub(cell.left() + (i % 3) * 10 + 2, cell.top() + (i / 3) * 15 + 2, 7, 12);
        const bool allowed = zx::SymbolAllowed(h.Frame->St.Puzzle, sym, 3, 1);
        possible += allowed;
        QCOMPARE(CountInk(img, sub, White) > 0, allowed);
    }
    QVERIFY(possible > 0 && possible < 6);

    // Where lines cross, the square is black when either line is a box edge,
    // whichever cell was painted last; on screen and on paper.
    QImage paper(1000, 1000, QImage::Format_RGB32);
    int size = 0;
    QPainter painter(&paper);
    h.Form->PrintGrid(painter, paper.rect(), size, zx::TPaintOutput::Printer);
    painter.end();
    for (int c = 1; c < 6; ++c)
        for (int r = 1; r < 6; ++r) {
            const QColor expected = (c % 3 == 0 || r % 2 == 0) ? Black : Grey;
            const QRect upperLeft = CellOnScreen(*h.Form, c, r);
            const QRect onScreen(upperLeft.right(), upperLeft.bottom(), 3, 3);
            QCOMPARE(CountColour(img, onScreen, expected), 9);
            QCOMPARE(CountColour(paper, QRect(size * c - 1, size * r - 1, 4, 4), expected), 16);
        }
}

void PaintTest::headerNumbers() {
    const QColor face = zx::ToQColor(zx::SystemColorFlag | zx::scBtnFace);
    for (const char* source : {French, American, Swedish}) {
        TFormHolder h = Open(FrameFromSource(source));
        h.Form->Raetsel()->clearFocus();
        const QImage img = RenderGrid(*h.Form);
        if (source == Swedish) {
            QCOMPARE(h.Form->Raetsel()->ColWidth(0), 0);
            // Word numbers in the corner of start cells: TOE starts at (3,1).
            auto dark = [](QColor c) { return c.lightness() < 100; };
            const QSize corner(12, 12);
            QVERIFY(Count(img, QRect(CellOnScreen(*h.Form, 3, 1).topLeft(), corner), dark) > 0);
            QCOMPARE(Count(img, QRect(CellOnScreen(*h.Form, 2, 1).topLeft(), corner), dark), 0);
            continue;
        }
        const QRect rowHeader = CellOnScreen(*h.Form, 0, 3);
        QCOMPARE(BackgroundOf(img, rowHeader), face);
        QVERIFY(CountColour(img, rowHeader, Black) > 0);
        QVERIFY(CountColour(img, CellOnScreen(*h.Form, 2, 0), Black) > 0);
        QCOMPARE(CountInk(img, CellOnScreen(*h.Form, 0, 0), face), 0);
    }
}

void PaintTest::paperColourModes() {
    const QColor lightGrey(0xDD, 0xDD, 0xDD);
    const struct {
        const char* name;
        const char* source;
        int mode;
        QPoint cell;
        QColor expected;
    } cases[] = {
        {"lines only: block", Swedish, 0, {2, 2}, White},
        {"lines only: solution cell", Swedish, 0, {1, 1}, White},
        {"greyscale: block", Swedish, 1, {2, 2}, Black},
        {"greyscale: letter cell", Swedish, 1, {2, 1}, White},
        {"greyscale: solution cell", Swedish, 1, {2, 3}, lightGrey},
        {"greyscale: header", French, 1, {0, 2}, Silver},
        {"greyscale: brain-teaser block", BrainTeaser, 1, {1, 1}, Silver},
        {"colour: block", Swedish, 2, {2, 2}, C(D.FarbeLeerfeld1)},
        {"colour: solution cell", Swedish, 2, {2, 3}, C(D.FarbeLoesungfeld)},
        {"colour: no highlight on paper", Swedish, 2, {2, 1}, C(D.FarbeBuchstabenfeld)},
    };
    for (const auto& c : cases) {
        TFormHolder h = Open(FrameFromSource(c.source));
        h.Frame->St.Settings.PrintSettings.ColorMode = c.mode;
        QImage paper(1000, 1000, QImage::Format_RGB32); // 10 x 10 cm at 0.1 mm per pixel
        int size = 0;
        QPainter painter(&paper);
        h.Form->PrintGrid(painter, paper.rect(), size, zx::TPaintOutput::Printer);
        painter.end();
        QVERIFY2(size > 100, c.name);
        const int first = h.Frame->St.Puzzle.PuzzleType == 8 ? 0 : 1;
        const QPoint corner(2 + size * (c.cell.x() - first + 1) - 4,
                            2 + size * (c.cell.y() - first) + 3);
        QVERIFY2(paper.pixelColor(corner) == c.expected, c.name);
    }
}

void PaintTest::absurdSizeSettings() {
    // Sizes from a settings block are drawn without overflow (the sanitizers watch).
    for (int size : {INT_MIN, -5, 0, 100000, INT_MAX}) {
        auto frame = FrameFromSource(Swedish);
        zx::TProgramSettings& s = frame->St.Settings;
        s.Feldgroesse = s.Schriftgroesse = s.Zahlengroesse = size;
        TFormHolder h = Open(std::move(frame));
        QVERIFY(h.Form->Raetsel()->DefaultColWidth() <= zx::TRaetselForm::MaxLayoutCellSize);
        if (size > 0) QVERIFY(!RenderGrid(*h.Form).isNull());
        QImage paper(400, 400, QImage::Format_RGB32);
        int cellSize = 0;
        QPainter painter(&paper);
        h.Form->PrintGrid(painter, paper.rect(), cellSize, zx::TPaintOutput::Printer);
    }
}

void PaintTest::systemTextColoursReadable() {
    // Settings may name any Windows system colour; a text colour must stand
    // out from the background it belongs with.
    using namespace zx;
    const std::pair<int, int> pairs[] = {
        {scWindowText, scWindow},         {scMenuText, scMenu},
        {scCaptionText, scActiveCaption}, {scInactiveCaptionText, scInactiveCaption},
        {scHighlightText, scHighlight},   {scInfoText, scInfoBk},
        {scBtnText, scBtnFace},           {sc3DDkShadow, scBtnHighlight},
    };
    for (const auto& [text, back] : pairs) {
        const QColor t = ToQColor(SystemColorFlag | static_cast<TColor>(text));
        const QColor b = ToQColor(SystemColorFlag | static_cast<TColor>(back));
        QVERIFY2(std::abs(t.lightness() - b.lightness()) > 80, qPrintable(QString::number(text)));
    }
}


void PaintTest::partRepaintEqualsWholePaint_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("ratio");
    for (const QString& name : SampleNames())
        for (const int ratio : {1, 2})
            QTest::newRow(qPrintable(QStringLiteral("%1 at %2").arg(name).arg(ratio)))
                << name << ratio;
}

// The grid paints rows in one fill and leaves cells of that colour alone: a
// repaint of any part must still cover every pixel of it exactly as the whole
// grid's paint does (here over a canvas of rubbish).
void PaintTest::partRepaintEqualsWholePaint() {
    QFETCH(QString, sample);
    QFETCH(int, ratio);
    TFormHolder h = Open(FrameFromSample(sample));
    MoveTo(*h.Form, 2, 2);
    zx::TDrawGrid* grid = h.Form->Raetsel();
    // Two kinds of rubbish: a pixel left unpainted differs.
    auto canvas = [&](const QColor& rubbish) {
        QImage image(grid->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(rubbish);
        return image;
    };
    QImage whole = canvas(QColor(0xFF, 0x00, 0xFF));
    grid->render(&whole, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRect last = CellOnScreen(*h.Form, grid->ColCount() - 1, grid->RowCount() - 1);
    const QRect parts[] = {CellOnScreen(*h.Form, 2, 2),
                           CellOnScreen(*h.Form, 1, 1).united(CellOnScreen(*h.Form, 3, 2)),
                           last.adjusted(-5, -5, 5, 5), QRect(7, 3, 41, 29), grid->rect()};
    for (const QRect& part : parts) {
        QImage image = canvas(QColor(0x00, 0xFF, 0x00));
        grid->render(&image, part.topLeft(), QRegion(part), QWidget::DrawChildren);
        const QRect onCanvas = QRect(part.topLeft() * ratio, part.size() * ratio) & image.rect();
        QVERIFY2(image.copy(onCanvas) == whole.copy(onCanvas),
                 qPrintable(QStringLiteral("part at %1,%2").arg(part.x()).arg(part.y())));
    }
}

QTEST_MAIN(PaintTest)
#include "PaintTest.moc"
