// The one painter of puzzle cells, shared by the screen, images and paper:
// every puzzle kind, view, highlight and colour mode, plus the input cursor.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QTextLayout>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "rules/WordQueries.h"
#include "session/PlayerSession.h"

class QPainter;

namespace zx {

// Where the painter draws.
enum class TPaintOutput { Screen, Printer };
// Print colour modes, as the print settings store them.
enum class TPrintColorMode : int { LinesOnly = 0, Greyscale = 1, Colour = 2 };

// The two direction arrowheads: 0 points right (across; 3 pixels wide, 5
// high), 1 points down (5 wide, 3 high).
using TInputDirImages = std::array<QImage, 2>;
TInputDirImages LoadInputDirImages();

// The face as the font database knows it: the face itself where it is
// installed, else its first installed substitute (the player maps "Arial" and
// "MS Sans Serif" to Liberation Sans). The same font as the face would give,
// but the toolkit finds a substitute only after a failed look-up and a search
// for fallbacks, which costs half a millisecond per face at start.
QString InstalledFace(const QString& face);

// Largest font size in points the painter uses; larger settings are cut to it.
inline constexpr int MaxFontSize = 400;

// Fonts the painter needs, built once per face, size and style (building a
// font by its line height measures it, which is too slow for every cell).
class TFontCache {
public:
    // points: size in points, else the line height in canvas units.
    const QFont& Get(const QString& face, int size, bool bold, bool points) const;

private:
    struct Entry {
        QString Face;
        int Size = 0;
        bool Bold = false;
        bool Points = false;
        bool Valid = false;
        QFont Font;
    };
    mutable std::array<Entry, 6> m_entries;
    mutable std::size_t m_next = 0;
};

// Texts the grid window has drawn that the toolkit fills from their outlines
// every time: it keeps glyphs ready only up to 64 pixels, and a letter of 44
// points on a screen of ratio 2 is 117 pixels high, which costs more than all
// the rest of a cell. Such a text is drawn once onto transparency by the
// toolkit itself and then copied with the same source-over blend of the same
// coverage; only the toolkit's rounding of that blend differs between its
// code paths (by one step of 255 in a channel of a few edge pixels). Each
// picture is checked against drawing when it is made. Other texts (the
// toolkit's glyphs, paper, transformed or fractional canvases, glyphs reaching
// beyond the canvas's top or left edge) are drawn.
class TTextCache {
public:
    // As canvas.drawText(QPointF(x, y + ascent), text) with font and colour.
    void DrawAt(QPainter& canvas, const QFont& font, const QColor& colour, int x, int y,
                const QString& text);
    // As canvas.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text).
    void DrawCentred(QPainter& canvas, const QFont& font, const QColor& colour, const QRect& rect,
                     const QString& text);
    // Texts copied from pictures so far.
    int Copies() const { return m_copies; }

private:
    struct TKey {
        QString Text;
        int Font = 0;
        QRgb Colour = 0;
        QSize Box; // empty for texts placed by their corner
        int Scale = 1;
        int DpiX = 0;
        int DpiY = 0;
        int Hints = 0;
        bool operator==(const TKey& o) const {
            return Font == o.Font && Colour == o.Colour && Box == o.Box && Scale == o.Scale &&
                   DpiX == o.DpiX && DpiY == o.DpiY && Hints == o.Hints && Text == o.Text;
        }
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& k) const;
    };
    struct TPicture {
        QImage Image;       // the ink in device pixels, null when there is none
        QPoint Offset;      // of its top-left pixel from the text box's corner
        QPoint Reach;       // how far the glyphs' outlines may reach left and up
        bool Drawn = false; // the copy differed: the text is drawn each time
    };

    // Texts shaped once and placed as drawing places them: shaping a short
    // text takes longer than drawing it.
    struct TPreparedKey {
        QString Text;
        int Font = 0;
        int Dpi = 0;
        bool operator==(const TPreparedKey& o) const {
            return Font == o.Font && Dpi == o.Dpi && Text == o.Text;
        }
    };
    struct TPreparedKeyHash {
        std::size_t operator()(const TPreparedKey& k) const;
    };

    bool Copy(QPainter& canvas, const QFont& font, const QColor& colour, const QRect& box,
              const QString& text, bool centred);
    struct TCentred {
        std::shared_ptr<QTextLayout> Layout; // one line; none after the first drawing
        qreal Width = 0;
        qreal Height = 0;
    };
    bool Preparable(const QPainter& canvas, const QFont& font, const QString& text) const;
    // Sets font and colour on the canvas; the text's key.
    TPreparedKey PrepareCanvas(QPainter& canvas, const QFont& font, const QColor& colour,
                               const QString& text);
    bool DrawPrepared(QPainter& canvas, const QFont& font, const QColor& colour, int x, int y,
                      const QString& text);
    bool DrawPreparedCentred(QPainter& canvas, const QFont& font, const QColor& colour,
                             const QRect& rect, const QString& text);
    TPicture Make(QPainter& canvas, const TKey& key, const QFont& font, const QColor& colour,
                  const QRect& box, bool centred) const;
    void StartAnewIfFull();
    int FontIndex(const QFont& font);

    std::vector<QFont> m_fonts;
    std::unordered_map<TKey, TPicture, TKeyHash> m_pictures;
    // Empty after a text's first drawing.
    std::unordered_map<TPreparedKey, std::optional<QStaticText>, TPreparedKeyHash> m_prepared;
    std::unordered_map<TPreparedKey, TCentred, TPreparedKeyHash> m_centred;
    int m_copies = 0;
};

// Everything the painter reads besides the cell itself. The grid metrics are
// those of the grid control (for rectangles computed from a position).
struct TCellPaintContext {
    const TPuzzleData* Puzzle = nullptr;
    const TProgramSettings* Settings = nullptr;
    std::uint8_t ViewMode = 0;
    QPoint Cursor{0, 0}; // the grid's current cell
    TInputDir InputDirection = TInputDir::None;
    bool GridHasFocus = false;
    int BoxWidth = 0;
    int BoxHeight = 0;
    const TCandidates* Candidates = nullptr;
    const TInputDirImages* Arrows = nullptr;
    QPalette Palette;
    QString LetterFace; // the letter font's face (the setting, converted once)
    TFontCache Fonts;
    // The window's text pictures; none: every text is drawn (paper, images).
    TTextCache* Texts = nullptr;
    // The colour the grid has already filled the cells with on the screen
    // (TDrawGrid::SetPrefillColour); a cell of this colour is not filled
    // again. Invalid: every cell fills itself.
    QColor Prefilled;
};

// The colour worth prefilling a grid of this kind with: the letter cells'
// where most cells are plain letter cells filled with it, else none.
QColor PrefillColour(const TProgramSettings& s, TPuzzleKind kind, const QPalette& palette);

// How one cell is painted.
struct TCellPaintOptions {
    TPaintOutput Output = TPaintOutput::Screen;
    // On paper only.
    TPrintColorMode ColorMode = TPrintColorMode::Colour;
    // The cell lies in the grid's range selection.
    bool Selected = false;
    // No highlight of the cursor's word (paper shows none).
    bool NoHighlight = false;
};

// What the printed grid shows besides the record and the settings.
struct TGridPrintView {
    std::uint8_t ViewMode = 0;
    const TCandidates* Candidates = nullptr;
    // Draws the solution word's row into a rect below the grid; empty while
    // the solution-word strip is not open, and then no row is printed.
    std::function<void(QPainter&, const QRect&)> SolutionRow;
};

// True when (col, row) belongs to the run through the cursor in the input
// direction, bounded by the stop flag (cfBlank in American crosswords, else cfBlock).
bool IsInCurrentWord(const TCellPaintContext& ctx, int col, int row);

// Paints cell (col, row) into rect.
void PaintCell(QPainter& canvas, const TCellPaintContext& ctx, int col, int row, const QRect& rect,
               const TCellPaintOptions& options = {});

// Lays the whole grid out in area (canvas units of 0.1 mm on paper) and
// paints it; returns the cell size it chose.
int PrintGrid(QPainter& canvas, const TPuzzleData& puzzle, const TProgramSettings& settings,
              const TGridPrintView& view, const QRect& area, TPaintOutput output);

// The input cursor: a 2-pixel frame in the highlight colour with the arrow of
// the direction (none: no arrow), or, when not thick, the thin black mark of the side
// windows with the arrow.
void DrawInputCursor(QPainter& canvas, const QRect& rect, TInputDir direction, bool thick,
                     const TInputDirImages* arrows, const QPalette& palette = QPalette());

// An axis-parallel line as a pen of width w draws it from (x1, y1) towards
// (x2, y2), the end point excluded for width 1 (whichever way the line runs);
// wider pens straddle the line, leaning to the top left for even widths.
void DrawPenLine(QPainter& canvas, int x1, int y1, int x2, int y2, int w, const QColor& color);


} // namespace zx
