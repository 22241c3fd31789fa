// Painting of one puzzle cell on screen or paper, and the input cursor.
#include "grid/CellPainter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "controls/Fonts.h"
#include "controls/SvgImage.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"
#include "session/Colors.h"
#include "session/TextConv.h"

namespace zx {

namespace {

const QColor White(255, 255, 255);
const QColor LightGrey(0xDD, 0xDD, 0xDD);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Grey(0x80, 0x80, 0x80);
const QColor Purple(0x80, 0x00, 0x80);
const QColor Navy(0x00, 0x00, 0x80);
const QColor Black(0, 0, 0);

bool InArrays(int col, int row) {
    return col >= 0 && row >= 0 && col < GridDim && row < GridDim;
}

// Text with its top-left corner at (x, y), as a text cell is placed.
void DrawTextAt(QPainter& canvas, const QFont& font, const QColor& colour, int x, int y,
                const QString& text) {
    canvas.setFont(font);
    canvas.setPen(colour);
    canvas.drawText(QPointF(x, y + canvas.fontMetrics().ascent()), text);
}

void DrawTextCentred(QPainter& canvas, const QFont& font, const QColor& colour, const QRect& rect,
                     const QString& text) {
    canvas.setFont(font);
    canvas.setPen(colour);
    canvas.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

// Whether the toolkit fills this font's glyphs from their outlines on a
// canvas of the given resolution and scale rather than copying them from its
// glyph cache (the raster engine's rule: pixel size squared times the
// transformation's determinant beyond QT_MAX_CACHED_GLYPH_SIZE squared, 64 by
// default). A margin keeps clear of the border, where drawing is kept.
bool FilledFromOutlines(const QFont& font, int dpi, int scale) {
    static const int limit = [] {
        const int env = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return env > 0 ? env : 64;
    }();
    qreal pixels = font.pixelSize();
    if (pixels <= 0) pixels = std::floor(font.pointSizeF() * dpi / 72.0 * 100 + 0.5) / 100;
    return pixels * scale > limit * 1.1;
}

// Copies picture onto the canvas with its top-left pixel at device pixel
// (x, y): the canvas is set to a plain translation in device pixels for it,
// whatever its world transform, redirection and pixel ratio.
void CopyToDevicePixel(QPainter& canvas, const QImage& picture, int x, int y) {
    const QTransform world = canvas.worldTransform();
    // world * (the rest) == deviceTransform, so this world gives a translation.
    canvas.setWorldTransform(QTransform::fromTranslate(x, y) * canvas.deviceTransform().inverted() *
                             world);
    canvas.drawImage(QPoint(0, 0), picture);
    canvas.setWorldTransform(world);
}

bool IsBlankEntry(const PuzzleEntry& e) {
    return e.size() == 1 && e.Chars[0] == ' ';
}

} // namespace

TInputDirImages LoadInputDirImages() {
    return {RenderSvg(QStringLiteral(":/images/arrow-right.svg")),
            RenderSvg(QStringLiteral(":/images/arrow-down.svg"))};
}

const QFont& TFontCache::Get(const QString& face, int size, bool bold, bool points) const {
    // Sizes come from the settings block of the puzzle: keep them renderable.
    size = std::clamp(size, 1, points ? MaxFontSize : MaxFontSize * 4);
    for (const Entry& e : m_entries)
        if (e.Valid && e.Size == size && e.Bold == bold && e.Points == points && e.Face == face)
            return e.Font;
    Entry& e = m_entries[m_next];
    m_next = (m_next + 1) % m_entries.size();
    e.Face = face;
    e.Size = size;
    e.Bold = bold;
    e.Points = points;
    e.Valid = true;
    if (points) {
        e.Font = QFont(InstalledFace(face));
        e.Font.setBold(bold);
        e.Font.setPointSize(std::max(size, 1));
    } else {
        e.Font = FontWithHeight(InstalledFace(face), size, bold);
    }
    return e.Font;
}

QString InstalledFace(const QString& face) {
    static QHash<QString, QString> known;
    if (const auto it = known.constFind(face); it != known.cend()) return *it;
    // Looked up in the list of installed families: asking the database for
    // one family has fontconfig resolve it as an alias first, a fraction of a
    // millisecond per name at start.
    const QStringList families = QFontDatabase::families();
    auto installed = [&](const QString& name) {
        return families.contains(name, Qt::CaseInsensitive);
    };
    QString chosen = face;
    if (!installed(face)) {
        const QStringList substitutes = QFont::substitutes(face);
        for (const QString& substitute : substitutes)
            if (installed(substitute)) {
                chosen = substitute;
                break;
            }
    }
    known.insert(face, chosen);
    return chosen;
}

std::size_t TTextCache::TKeyHash::operator()(const TKey& k) const {
    std::size_t h = qHash(k.Text);
    for (const std::size_t v :
         {std::size_t(k.Font), std::size_t(k.Colour), std::size_t(k.Box.width()),
          std::size_t(k.Box.height()), std::size_t(k.Scale), std::size_t(k.DpiX),
          std::size_t(k.DpiY), std::size_t(k.Hints)})
        h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h;
}

std::size_t TTextCache::TPreparedKeyHash::operator()(const TPreparedKey& k) const {
    return qHash(k.Text) ^ (std::size_t(k.Font) * 0x9e3779b97f4a7c15ull) ^ std::size_t(k.Dpi);
}

void TTextCache::DrawAt(QPainter& canvas, const QFont& font, const QColor& colour, int x, int y,
                        const QString& text) {
    if (!Copy(canvas, font, colour, QRect(x, y, 0, 0), text, false) &&
        !DrawPrepared(canvas, font, colour, x, y, text))
        DrawTextAt(canvas, font, colour, x, y, text);
}

void TTextCache::DrawCentred(QPainter& canvas, const QFont& font, const QColor& colour,
                             const QRect& rect, const QString& text) {
    if (!Copy(canvas, font, colour, rect, text, true) &&
        !DrawPreparedCentred(canvas, font, colour, rect, text))
        DrawTextCentred(canvas, font, colour, rect, text);
}

bool TTextCache::Preparable(const QPainter& canvas, const QFont& font, const QString& text) const {
    // Texts the toolkit lays out differently (line breaks, tabs, decorations,
    // right-to-left painting) are drawn.
    if (text.isEmpty() || !canvas.device() || canvas.layoutDirection() == Qt::RightToLeft ||
        font.underline() || font.overline() || font.strikeOut())
        return false;
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x9C || ch == QChar::LineSeparator ||
            ch == QChar::ParagraphSeparator)
            return false;
    return true;
}

TTextCache::TPreparedKey TTextCache::PrepareCanvas(QPainter& canvas, const QFont& font,
                                                   const QColor& colour, const QString& text) {
    canvas.setFont(font);
    canvas.setPen(colour);
    StartAnewIfFull();
    return {text, FontIndex(font), canvas.device()->logicalDpiY()};
}

bool TTextCache::DrawPrepared(QPainter& canvas, const QFont& font, const QColor& colour, int x,
                              int y, const QString& text) {
    // The shaped glyphs land where drawing puts them only on a canvas that
    // moves them by whole pixels.
    if (!Preparable(canvas, font, text) ||
        canvas.deviceTransform().type() > QTransform::TxTranslate)
        return false;
    const TPreparedKey key = PrepareCanvas(canvas, font, colour, text);
    // A text is kept from its second drawing on: preparing one costs more
    // than drawing it once, and many texts (a grid's numbers) are drawn once
    // per paint.
    const auto [it, first] = m_prepared.try_emplace(key);
    if (first) return false;
    if (!it->second) {
        QStaticText prepared(text);
        prepared.setTextFormat(Qt::PlainText);
        // Laid out with the font as the canvas resolves it, which drawing
        // compares against.
        prepared.prepare(canvas.transform(), canvas.font());
        it->second = std::move(prepared);
    }
    canvas.drawStaticText(QPoint(x, y), *it->second);
    return true;
}

bool TTextCache::DrawPreparedCentred(QPainter& canvas, const QFont& font, const QColor& colour,
                                     const QRect& rect, const QString& text) {
    if (!Preparable(canvas, font, text)) return false;
    const TPreparedKey key = PrepareCanvas(canvas, font, colour, text);
    const auto [it, first] = m_centred.try_emplace(key);
    if (first) return false; // kept from its second drawing on, as above
    if (!it->second.Layout) {
        // One line laid out as the toolkit lays out a single-line text for a
        // rectangle: left-aligned, unbounded, at the top.
        auto layout = std::make_shared<QTextLayout>(text, canvas.font());
        QTextOption option(Qt::AlignLeft);
        option.setTextDirection(canvas.layoutDirection());
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        QTextLine line = layout->createLine();
        if (line.isValid()) {
            line.setLineWidth(0x01000000);
            line.setPosition(QPointF(0, 0));
        }
        layout->endLayout();
        if (!line.isValid()) return false;
        it->second = TCentred{layout, line.naturalTextWidth(), line.ascent() + line.descent()};
    }
    // Placed and clipped as drawing a centred text places and clips it.
    const TCentred& c = it->second;
    const QRectF r(rect);
    const QTextLine line = c.Layout->lineAt(0);
    const qreal top = (r.height() - c.Height) / 2;
    const QRectF ink(r.x() + (r.width() - c.Width) / 2, r.y() + top, c.Width, c.Height);
    const bool clip = !r.contains(ink);
    if (clip) {
        canvas.save();
        canvas.setClipRect(r, Qt::IntersectClip);
    }
    line.draw(&canvas, QPointF(r.x() + (r.width() - line.horizontalAdvance()) / 2, r.y() + top));
    if (clip) canvas.restore();
    return true;
}

void TTextCache::StartAnewIfFull() {
    // Zooming leaves texts of other sizes behind: the cache starts anew rather
    // than grow. The keys name their fonts by index, so all goes at once.
    if (m_pictures.size() < 4096 && m_prepared.size() < 4096 && m_centred.size() < 4096 &&
        m_fonts.size() < 256)
        return;
    m_pictures.clear();
    m_prepared.clear();
    m_centred.clear();
    m_fonts.clear();
}

int TTextCache::FontIndex(const QFont& font) {
    for (std::size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font) return static_cast<int>(i);
    m_fonts.push_back(font);
    return static_cast<int>(m_fonts.size()) - 1;
}

bool TTextCache::Copy(QPainter& canvas, const QFont& font, const QColor& colour, const QRect& box,
                      const QString& text, bool centred) {
    const QPaintEngine* engine = canvas.paintEngine();
    if (text.isEmpty() || !engine || engine->type() != QPaintEngine::Raster ||
        canvas.opacity() != 1.0 ||
        canvas.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    // Whole device pixels only: a scale of 1, 2, 3 ... and a box on a pixel.
    const QTransform toDevice = canvas.deviceTransform();
    const int scale = static_cast<int>(toDevice.m11());
    if (toDevice.type() > QTransform::TxScale || scale < 1 || toDevice.m11() != scale ||
        toDevice.m22() != scale)
        return false;
    const QPointF corner = toDevice.map(QPointF(box.topLeft()));
    if (corner.x() != std::floor(corner.x()) || corner.y() != std::floor(corner.y())) return false;
    const QPaintDevice* device = canvas.device();
    const int dpiY = device->logicalDpiY();
    if (!FilledFromOutlines(font, dpiY, scale)) return false;
    TKey key{text,
             0,
             colour.rgba(),
             centred ? box.size() : QSize(),
             scale,
             device->logicalDpiX(),
             dpiY,
             static_cast<int>(canvas.renderHints())};
    StartAnewIfFull();
    key.Font = FontIndex(font);
    auto it = m_pictures.find(key);
    if (it == m_pictures.end())
        it = m_pictures.emplace(key, Make(canvas, key, font, colour, box, centred)).first;
    const TPicture& picture = it->second;
    if (picture.Drawn) return false;
    // The toolkit truncates outline coordinates towards zero, which moves the
    // points of a glyph reaching beyond the canvas's top or left edge a little
    // (also where the clip hides them): such a text is drawn.
    if (corner.x() < picture.Reach.x() || corner.y() < picture.Reach.y()) return false;
    ++m_copies;
    if (!picture.Image.isNull()) {
        const QPoint at = corner.toPoint() + picture.Offset;
        CopyToDevicePixel(canvas, picture.Image, at.x(), at.y());
    }
    return true;
}

TTextCache::TPicture TTextCache::Make(QPainter& canvas, const TKey& key, const QFont& font,
                                      const QColor& colour, const QRect& box, bool centred) const {
    // The font as the canvas resolves it against its device's.
    const QFont before = canvas.font();
    canvas.setFont(font);
    const QFont resolved = canvas.font();
    canvas.setFont(before);
    const QFontMetrics fm(resolved);
    // The picture's margin around the box: room for a centred text wider or
    // higher than its box, and a line's height for glyphs reaching beyond
    // their advance.
    const int advance = fm.horizontalAdvance(key.Text);
    const int overhang = centred ? std::max(std::max(advance - box.width(), 0) / 2,
                                            std::max(fm.height() - box.height(), 0) / 2) + 1
                                 : 0;
    const int margin = fm.height() + overhang;
    const QSize logical = centred ? box.size() + QSize(2 * margin, 2 * margin)
                                  : QSize(advance + 2 * margin, fm.height() + 2 * margin);
    // An image of the canvas's scale and resolution, the text drawn as the
    // canvas would draw it.
    auto draw = [&](const QColor& fill) {
        QImage img(logical * key.Scale, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(key.Scale);
        img.setDotsPerMeterX(qRound(key.DpiX / 0.0254));
        img.setDotsPerMeterY(qRound(key.DpiY / 0.0254));
        img.fill(fill);
        QPainter p(&img);
        p.setRenderHints(p.renderHints(), false);
        p.setRenderHints(QPainter::RenderHints(key.Hints));
        p.setFont(resolved);
        p.setPen(colour);
        if (centred)
            p.drawText(QRect(margin, margin, box.width(), box.height()),
                       Qt::AlignCenter | Qt::TextSingleLine, key.Text);
        else
            p.drawText(QPointF(margin, margin + p.fontMetrics().ascent()), key.Text);
        p.end();
        img.setDevicePixelRatio(1);
        return img;
    };
    // The toolkit draws a font's very first texts a little differently from
    // later ones: the picture is of a later one, checked against the text
    // drawn onto a background.
    const QColor background(0x6A, 0x8F, 0x3C);
    draw(background);
    const QImage ink = draw(Qt::transparent);
    QImage copied(ink.size(), QImage::Format_ARGB32_Premultiplied);
    copied.fill(background);
    {
        QPainter p(&copied);
        CopyToDevicePixel(p, ink, 0, 0);
    }
    TPicture picture;
    // Where the outlines really begin: the glyphs' boxes (their control
    // points included) from the pen position, with two pixels for hinting
    // and rounding. Only texts this close to the canvas's edge are drawn.
    const QRect glyphs = fm.boundingRect(key.Text);
    const QPoint pen = centred ? QPoint((box.width() - advance) / 2,
                                        (box.height() - fm.height()) / 2 + fm.ascent())
                               : QPoint(0, fm.ascent());
    picture.Reach = (QPoint(2, 2) - pen - glyphs.topLeft()) * key.Scale;
    if (copied != draw(background)) {
        picture.Drawn = true;
        return picture;
    }
    int left = ink.width();
    int top = ink.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < ink.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        for (int x = 0; x < ink.width(); ++x)
            if (line[x] != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    if (right >= 0) {
        const QRect inked(QPoint(left, top), QPoint(right, bottom));
        picture.Image = ink.copy(inked);
        picture.Offset = inked.topLeft() - QPoint(margin, margin) * key.Scale;
    }
    return picture;
}

void DrawPenLine(QPainter& canvas, int x1, int y1, int x2, int y2, int w, const QColor& color) {
    if (w <= 0) return;
    const int before = w / 2;      // pixels on the top-left side of the line
    const int after = (w - 1) / 2; // and beyond its end
    // The pixels a thin line covers along its run: from the start up to, not
    // including, the end, in whichever direction it runs.
    auto run = [](int from, int to, int& lo, int& hi) {
        lo = to >= from ? from : to + 1;
        hi = to >= from ? to : from + 1;
    };
    int lo = 0;
    int hi = 0;
    if (x1 == x2) {
        run(y1, y2, lo, hi);
        lo -= before;
        hi += after;
        canvas.fillRect(QRect(x1 - before, lo, w, std::max(hi - lo, 0)), color);
    } else if (y1 == y2) {
        run(x1, x2, lo, hi);
        lo -= before;
        hi += after;
        canvas.fillRect(QRect(lo, y1 - before, std::max(hi - lo, 0), w), color);
    }
}

namespace {

// A filled rectangle with an outline along its outermost pixels, as a pen of
// width w draws it around (l, t) .. (r, b), right and bottom exclusive.
void OutlinedRect(QPainter& canvas, int l, int t, int r, int b, int w, const QColor& pen,
                  const QColor& brush) {
    canvas.fillRect(QRect(l, t, r - l, b - t), brush);
    DrawPenLine(canvas, l, t, r, t, w, pen);
    DrawPenLine(canvas, r - 1, t, r - 1, b, w, pen);
    DrawPenLine(canvas, l, b - 1, r, b - 1, w, pen);
    DrawPenLine(canvas, l, t, l, b, w, pen);
}

// The 3-pixel lines around Sudoku cell (col, row): black on box edges (the
// outer edge included), grey inside a box. Neighbouring cells draw the lines
// they share, in whatever order the grid paints them, so no pixel may get grey
// from one cell and black from another: each line is cut into its run along
// the cell and the 3 x 3 squares where it meets the crossing lines, and such a
// square is black when either line through it is.
void PaintSudokuLines(QPainter& canvas, const QRect& cell, int col, int row, int boxWidth,
                      int boxHeight) {
    const bool left = boxWidth != 0 && (col - 1) % boxWidth == 0;
    const bool right = boxWidth != 0 && col % boxWidth == 0;
    const bool top = boxHeight != 0 && (row - 1) % boxHeight == 0;
    const bool bottom = boxHeight != 0 && row % boxHeight == 0;
    // A line covers the cell's outermost pixel and the two beyond it (on
    // screen the grid line and the neighbour's outermost pixel).
    const int xl = cell.left() - 2;
    const int xr = cell.left() + cell.width() - 1;
    const int yt = cell.top() - 2;
    const int yb = cell.top() + cell.height() - 1;
    const int runW = xr - (xl + 3);
    const int runH = yb - (yt + 3);
    const struct {
        QRect Rect;
        bool Black;
    } parts[] = {
        {QRect(xl + 3, yt, runW, 3), top},     {QRect(xl + 3, yb, runW, 3), bottom},
        {QRect(xl, yt + 3, 3, runH), left},    {QRect(xr, yt + 3, 3, runH), right},
        {QRect(xl, yt, 3, 3), left || top},    {QRect(xr, yt, 3, 3), right || top},
        {QRect(xl, yb, 3, 3), left || bottom}, {QRect(xr, yb, 3, 3), right || bottom},
    };
    for (const auto& part : parts)
        canvas.fillRect(part.Rect, part.Black ? Black : Grey);
}

} // namespace

bool IsInCurrentWord(const TCellPaintContext& ctx, int col, int row) {
    const TPuzzleData& p = *ctx.Puzzle;
    const std::uint32_t stop = StopFlag(KindOf(p));
    auto stopped = [&](int c, int r) { return (FlagsAt(p, c, r) & stop) != 0; };
    if (stopped(col, row)) return false;
    const QPoint cur = ctx.Cursor;
    if (col == cur.x() && row == cur.y()) return true;
    if (col == cur.x() && ctx.InputDirection == TInputDir::Down) {
        for (int r = std::min(row, cur.y()); r <= std::max(row, cur.y()); ++r)
            if (stopped(col, r)) return false;
        return true;
    }
    if (row == cur.y() && ctx.InputDirection == TInputDir::Across) {
        for (int c = std::min(col, cur.x()); c <= std::max(col, cur.x()); ++c)
            if (stopped(c, row)) return false;
        return true;
    }
    return false;
}

void DrawInputCursor(QPainter& canvas, const QRect& rect, TInputDir direction, bool thick,
                     const TInputDirImages* arrows, const QPalette& palette) {
    const int l = rect.left();
    const int t = rect.top();
    const int r = l + rect.width();
    const int b = t + rect.height();
    if (thick) {
        // The closed path along the cell's inner edge with a 2-pixel pen: a
        // frame over the outermost two pixels of the cell, corners included.
        const QColor c = ToQColor(SystemColorFlag | scHighlight, palette);
        canvas.fillRect(QRect(l, t, r - l, 2), c);
        canvas.fillRect(QRect(l, b - 2, r - l, 2), c);
        canvas.fillRect(QRect(l, t, 2, b - t), c);
        canvas.fillRect(QRect(r - 2, t, 2, b - t), c);
    } else {
        DrawPenLine(canvas, l + 2, b - 7, l + 2, b - 4, 1, Black);
        DrawPenLine(canvas, l + 2, b - 4, r - 4, b - 4, 1, Black);
        DrawPenLine(canvas, r - 4, b - 4, r - 4, b - 7, 1, Black);
    }
    if (!arrows || direction == TInputDir::None) return;
    // A small arrowhead in the lower right corner, inside the frame or above
    // the thin mark. A centred capital leaves free space both below its
    // baseline and right of it, and the corner needs only one of the two to
    // stay clear of the letter; an arrow under the letter's middle merged
    // with it (a "U" read as a fork).
    const QImage& arrow = (*arrows)[direction == TInputDir::Across ? 0 : 1];
    const int bottomInset = thick ? 2 : 8;
    const QSize size = arrow.deviceIndependentSize().toSize();
    canvas.drawImage(QPoint(r - 2 - size.width(), b - bottomInset - size.height()), arrow);
}

namespace {

// One cell's painting: the cell, where it goes and how.
struct TCellJob {
    QPainter& Canvas;
    const TCellPaintContext& Ctx;
    const TPuzzleData& P;
    const TProgramSettings& S;
    TPuzzleKind Kind;
    int Col;
    int Row;
    int Left;
    int Top;
    int Right; // exclusive
    int Bottom;
    bool Screen;
    bool LinesOnly; // paper without colours: every background white
    bool GreyPrint;
    bool IsCursor;
    QColor Brush = White;

    QColor Colour(TColor c) const { return ToQColor(c, Ctx.Palette); }
    void SetBrush(const QColor& c) {
        if (!LinesOnly) Brush = c;
    }
    void Fill() { Canvas.fillRect(Rect(), Brush); }
    // The cell's rectangle as it stands now.
    QRect Rect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    // Texts go through the window's text pictures on the screen.
    void TextAt(const QFont& font, const QColor& colour, int x, int y, const QString& text) {
        if (Screen && Ctx.Texts)
            Ctx.Texts->DrawAt(Canvas, font, colour, x, y, text);
        else
            DrawTextAt(Canvas, font, colour, x, y, text);
    }
    void CentredText(const QFont& font, const QColor& colour, const QRect& box,
                     const QString& text) {
        if (Screen && Ctx.Texts)
            Ctx.Texts->DrawCentred(Canvas, font, colour, box, text);
        else
            DrawTextCentred(Canvas, font, colour, box, text);
    }
};

// Header lines: the row and column numbers of French and American crosswords.
// The largest line height at which a number of the given digits, in Arial,
// is at most width wide: digits scale with the font, so one measurement per
// style serves every size.
int HeightForDigits(int digits, bool bold, int width) {
    static double advance[2] = {0, 0}; // of one digit per unit of line height
    double& a = advance[bold ? 1 : 0];
    if (a <= 0) {
        constexpr int Reference = 1000;
        const QFont font = FontWithHeight(InstalledFace(QStringLiteral("Arial")), Reference, bold);
        a = QFontMetricsF(font).horizontalAdvance(QStringLiteral("0000000000")) / 10.0 / Reference;
    }
    return std::max(static_cast<int>(width / (a * digits)), 1);
}

// Numbers on paper follow the printed cell: a large grid's cells are a few
// millimetres, where the numbers of the settings would fill the cell and run
// into their neighbours. A word number's three digits take at most five
// eighths of the width and a third of the height, leaving room for a letter;
// a header line's two digits keep 4 units to either side.
int PaperNumberHeight(int wanted, int cellWidth, int cellHeight) {
    return std::min(
        {wanted, std::max(cellHeight / 3, 1), HeightForDigits(3, false, cellWidth * 5 / 8)});
}
int PaperHeaderHeight(int wanted, int cellWidth, int cellHeight) {
    return std::min(
        {wanted, std::max(cellHeight * 3 / 5, 1), HeightForDigits(2, true, cellWidth - 8)});
}

// A block printed without colours: thin diagonal hatching, little ink, yet
// never taken for an empty letter cell. The lines keep one phase over the
// page, so neighbouring blocks hatch as one area.
void HatchBlock(QPainter& canvas, const QRect& rect) {
    const int size = std::min(rect.width(), rect.height());
    if (size < 4) return;
    const int step = std::clamp(size / 4, 3, 40);
    canvas.save();
    canvas.setClipRect(rect, Qt::IntersectClip);
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(QPen(Black, std::clamp(size / 40.0, 1.0, 3.0), Qt::SolidLine, Qt::FlatCap));
    const int h = rect.height();
    // Lines run where x + y is a multiple of step, from the top edge down to the left.
    const int phase = ((rect.left() + rect.top()) % step + step) % step;
    for (int d = (step - phase) % step; d < rect.width() + h; d += step)
        canvas.drawLine(QPointF(rect.left() + d, rect.top()),
                        QPointF(rect.left() + d - h, rect.top() + h));
    canvas.restore();
}

void PaintHeaderCell(TCellJob& j) {
    j.SetBrush(j.GreyPrint ? Silver : j.Colour(SystemColorFlag | scBtnFace));
    if (j.Row == 0) ++j.Right;
    if (j.Col == 0) ++j.Bottom;
    j.Fill();
    if (!HasHeaderLines(j.Kind) || (j.Col == 0 && j.Row == 0)) return;
    QPainter& canvas = j.Canvas;
    const int height = j.Screen ? 14 : PaperHeaderHeight(32, j.Right - j.Left, j.Bottom - j.Top);
    const QFont& font = j.Ctx.Fonts.Get(QStringLiteral("Arial"), height, true, false);
    canvas.setFont(font);
    const QFontMetrics fm = canvas.fontMetrics();
    const QString text = QString::number(j.Col == 0 ? j.Row : j.Col);
    const int tw = fm.horizontalAdvance(text);
    const int th = fm.height();
    if (j.Col == 0)
        j.TextAt(font, Black, j.Right - tw - 4, j.Top + (j.Bottom - j.Top - th) / 2, text);
    else
        j.TextAt(font, Black, j.Left + (j.Right - j.Left - tw) / 2, j.Bottom - th - 4, text);
}

void PaintBlockCell(TCellJob& j, std::uint32_t flags) {
    const TProgramSettings& s = j.S;
    if (IsBrainTeaser(j.Kind))
        j.SetBrush(j.GreyPrint ? Silver : j.Colour(s.FarbeLeerfeld2));
    else if (IsAmerican(j.Kind))
        j.SetBrush(j.GreyPrint                              ? Black
                   : (!s.FehlerZeigen || (flags & cfBlock)) ? j.Colour(s.FarbeLeerfeld1)
                                                            : Purple);
    else
        j.SetBrush(j.GreyPrint ? Black : j.Colour(s.FarbeLeerfeld1));
    if (IsBrainTeaser(j.Kind)) {
        // Heavy edges towards the letter cells on the right and below.
        if (j.Col < j.P.ColCount && !(FlagsAt(j.P, j.Col + 1, j.Row) & cfBlock)) {
            DrawPenLine(j.Canvas, j.Right - 1, j.Top, j.Right - 1, j.Bottom, 2, Black);
            j.Right -= 2;
        }
        if (j.Row < j.P.RowCount && !(FlagsAt(j.P, j.Col, j.Row + 1) & cfBlock)) {
            DrawPenLine(j.Canvas, j.Left, j.Bottom - 1, j.Right, j.Bottom - 1, 2, Black);
            j.Bottom -= 2;
        }
    }
    if (IsBrainTeaser(j.Kind)) {
        // Letter cells draw their outlines over the two pixels above and
        // left of them, so the grid keeps that band free before the first
        // row and column; blocks there fill it themselves, or it shows as
        // a rim of the grid's background.
        if (j.Row == 1) j.Top -= 2;
        if (j.Col == 1) j.Left -= 2;
    }
    j.Fill();
    if (j.LinesOnly) HatchBlock(j.Canvas, j.Rect());
    if (j.Screen && IsAmerican(j.Kind) && j.IsCursor && j.Ctx.GridHasFocus && j.Ctx.ViewMode == 0)
        DrawInputCursor(j.Canvas, j.Rect(), TInputDir::None, true, j.Ctx.Arrows, j.Ctx.Palette);
}

// Small texts: code numbers, word numbers, word lengths, possible symbols.
void PaintSmallTexts(TCellJob& j, const TPuzzleCell& cell, const PuzzleEntry& entry) {
    const TProgramSettings& s = j.S;
    QPainter& canvas = j.Canvas;
    const int numberHeight =
        j.Screen ? s.Zahlengroesse
                 : PaperNumberHeight(
                       static_cast<int>(std::nearbyint(
                           static_cast<double>(std::clamp(s.Zahlengroesse, 0, MaxFontSize)) * 2.2)),
                       j.Right - j.Left, j.Bottom - j.Top);
    auto numberFont = [&]() -> const QFont& {
        return j.Ctx.Fonts.Get(QStringLiteral("Arial"), numberHeight, false, false);
    };
    if (IsNumberPuzzle(j.Kind)) {
        if (cell.Flags & cfBlock) return;
        const int code = CodeOfLetter(j.P, cell.Text.view());
        if (code < 0) return;
        j.TextAt(numberFont(), Black, j.Left + 1, j.Top, QString::number(code));
    } else if (IsSwedish(j.Kind)) {
        if (cell.Number < 1 || cell.Number > 199) return;
        j.TextAt(numberFont(), Black, j.Left + 1, j.Top, QString::number(cell.Number));
    } else if (IsBrainTeaser(j.Kind)) {
        if (!s.LaengenZeigen || cell.Number < 1 || cell.Number > 199) return;
        const QFont& font = numberFont();
        if (cell.AcrossStart) {
            const int len = WordLength(j.P, cell.Number, TWordDir::Across);
            if (len > 0) j.TextAt(font, Black, j.Left + 1, j.Top, QString::number(len));
        }
        if (cell.DownStart) {
            const int len = WordLength(j.P, cell.Number, TWordDir::Down);
            if (len > 0) {
                const QString text = QString::number(len);
                canvas.setFont(font);
                j.TextAt(font, Black, j.Right - canvas.fontMetrics().horizontalAdvance(text) - 3,
                         j.Top, text);
            }
        }
    } else if (IsSudoku(j.Kind) && s.MoeglicheZahlenZeigen && IsBlankEntry(entry)) {
        const int bw = j.Ctx.BoxWidth;
        const int bh = j.Ctx.BoxHeight;
        if (bw == 0 || bh == 0 || !j.Ctx.Candidates || j.Col > MaxSudokuSymbols ||
            j.Row > MaxSudokuSymbols)
            return;
        const QFont& font = numberFont();
        const int sw = (j.Right - j.Left) / bw;
        const int sh = (j.Bottom - j.Top) / bh;
        const int symbols = std::min<int>(j.P.ColCount, MaxSudokuSymbols);
        for (int sym = 1; sym <= symbols; ++sym) {
            if (!(*j.Ctx.Candidates)[j.Col][j.Row][sym]) continue;
            const int i = sym - 1;
            const int l = (i % bw) * sw + j.Left + 2;
            const int t = (i / bw) * sh + j.Top + 2;
            j.CentredText(font, Black, QRect(l, t, sw - 1, sh - 1),
                          QString::fromLatin1(SymbolText(sym)));
        }
    }
}

} // namespace

void PaintCell(QPainter& canvas, const TCellPaintContext& ctx, int col, int row, const QRect& rect,
               const TCellPaintOptions& options) {
    if (!ctx.Puzzle || !ctx.Settings || !InArrays(col, row)) return;
    const TPuzzleData& p = *ctx.Puzzle;
    const TProgramSettings& s = *ctx.Settings;
    const bool screen = options.Output == TPaintOutput::Screen;
    TCellJob j{canvas,
               ctx,
               p,
               s,
               KindOf(p),
               col,
               row,
               rect.left(),
               rect.top(),
               rect.left() + rect.width(),
               rect.top() + rect.height(),
               screen,
               !screen && options.ColorMode == TPrintColorMode::LinesOnly,
               !screen && options.ColorMode == TPrintColorMode::Greyscale,
               col == ctx.Cursor.x() && row == ctx.Cursor.y()};
    const TPuzzleKind kind = j.Kind;

    if (col == 0 || row == 0) {
        PaintHeaderCell(j);
        return;
    }

    const TPuzzleCell& cell = p.cell(col, row);
    const std::uint32_t flags = cell.Flags;
    const PuzzleEntry& entry = p.entry(col, row);

    bool block = false;
    if (IsAmerican(kind))
        block = ctx.ViewMode == 0 ? (flags & cfBlank) != 0 : (flags & cfBlock) != 0;
    else if (!IsJigsaw(kind) && !IsSudoku(kind))
        block = flags & cfBlock;
    if (block) {
        PaintBlockCell(j, flags);
        return;
    }

    // Highlight of the cursor cell and the word through it.
    bool marked = false;
    if (IsSudoku(kind))
        marked = j.IsCursor;
    else if (s.AktuellenBegriffMarkieren && !options.NoHighlight)
        marked = j.IsCursor || IsInCurrentWord(ctx, col, row);

    if (IsSudoku(kind) && (flags & cfMarked) && !marked)
        j.SetBrush(j.GreyPrint ? LightGrey : j.Colour(s.FarbeLoesungfeld));
    else if (!(flags & cfSolution) || IsSudoku(kind))
        j.SetBrush(j.GreyPrint          ? White
                   : (marked && screen) ? j.Colour(s.MarkedLetterColor)
                                        : j.Colour(s.FarbeBuchstabenfeld));
    else
        j.SetBrush(j.GreyPrint          ? LightGrey
                   : (marked && screen) ? j.Colour(s.MarkedSolutionColor)
                                        : j.Colour(s.FarbeLoesungfeld));

    // The grid's prefill already holds the plain cells' background.
    const bool prefilled = screen && ctx.Prefilled.isValid() && j.Brush == ctx.Prefilled;
    if (IsSudoku(kind)) {
        if (!prefilled) j.Fill();
        PaintSudokuLines(canvas, j.Rect(), col, row, ctx.BoxWidth, ctx.BoxHeight);
    } else if (IsBrainTeaser(kind) || IsJigsaw(kind)) {
        OutlinedRect(canvas, j.Left - 1, j.Top - 1, j.Right, j.Bottom, IsJigsaw(kind) ? 1 : 2,
                     Black, j.Brush);
    } else if (!prefilled) {
        j.Fill();
    }

    const QString face = ctx.LetterFace.isEmpty() ? ToQString(s.Schriftart) : ctx.LetterFace;
    const QFont& letterFont = screen ? ctx.Fonts.Get(face, s.Schriftgroesse, true, true)
                                     : ctx.Fonts.Get(face, j.Bottom - j.Top - 4, true, false);

    if (IsJigsaw(kind)) {
        --j.Right;
        --j.Bottom;
        QColor c = j.GreyPrint ? White : j.Colour(s.FarbeBuchstabenfeld);
        if (ctx.ViewMode != 0 && (flags & cfBlock)) c = Grey;
        if (flags & cfMarked) c = j.GreyPrint ? LightGrey : j.Colour(s.FarbeLoesungfeld);
        if (options.Selected) c = Silver;
        j.SetBrush(c);
        j.Fill();
        // The letters outside the hidden words are stored as entries.
        const std::string_view text = (flags & cfBlock) ? entry.view() : cell.Text.view();
        j.CentredText(letterFont, Navy, j.Rect(), ToQString(text));
        return;
    }

    // Kinds with odd codes colour their solution cells: those with a solution
    // word, and the timed Sudoku its given symbols.
    const bool solutionKind = Code(kind) % 2 == 1;
    const bool differs = entry.view() != cell.Text.view();
    QColor fontColour = (s.FehlerZeigen && differs) ? j.Colour(s.FarbeFalscheBuchstaben)
                                                    : j.Colour(s.FarbeBuchstaben);
    if (solutionKind && (flags & cfSolution)) fontColour = j.Colour(s.FarbeLoesungswort);
    if (ctx.ViewMode != 0) {
        if (!cell.Text.empty()) {
            fontColour =
                differs ? j.Colour(s.FarbeFehlendeBuchstaben) : j.Colour(s.FarbeBuchstaben);
            j.CentredText(letterFont, fontColour, j.Rect(), ToQString(cell.Text.view()));
        }
    } else {
        if (!IsBlankEntry(entry) && !entry.empty())
            j.CentredText(letterFont, fontColour, j.Rect(), ToQString(entry.view()));
        if (solutionKind && s.LoesungswortVorgeben && (flags & cfSolution))
            j.CentredText(letterFont, fontColour, j.Rect(), ToQString(cell.Text.view()));
        if (screen && j.IsCursor && ctx.GridHasFocus && !IsSudoku(kind)) {
            // A brain-teaser cell's right and lower two pixels carry the
            // outlines its neighbours draw later: the frame stays inside them.
            const int inset = IsBrainTeaser(kind) ? 2 : 0;
            DrawInputCursor(
                canvas, QRect(j.Left, j.Top, j.Right - j.Left - inset, j.Bottom - j.Top - inset),
                ctx.InputDirection, true, ctx.Arrows, ctx.Palette);
        }
    }
    PaintSmallTexts(j, cell, entry);
}

QColor PrefillColour(const TProgramSettings& s, TPuzzleKind kind, const QPalette& palette) {
    // Brain-teaser and jigsaw cells draw outlines over their whole rectangle.
    if (IsBrainTeaser(kind) || IsJigsaw(kind)) return {};
    return ToQColor(s.FarbeBuchstabenfeld, palette);
}

namespace {

// Points to canvas units of 0.1 mm.
int PointsOnPaper(int points) {
    return (points * 254 + 36) / 72;
}

} // namespace

int PrintGrid(QPainter& canvas, const TPuzzleData& p, const TProgramSettings& s,
              const TGridPrintView& view, const QRect& area, TPaintOutput output) {
    const TPuzzleKind kind = KindOf(p);
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    canvas.save();
    canvas.fillRect(area, Qt::white);

    const int first = HasHeaderLines(kind) ? 0 : 1;
    const int nc = cols - first + 1;
    const int nr = rows - first + 1;
    const int left = area.left();
    const int top = area.top();
    const int right = left + area.width();
    int bottom = top + area.height();
    const bool solutionRow = HasSolutionWord(kind);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(PointsOnPaper(12));
    if (solutionRow) {
        canvas.setFont(small);
        const int provisional = (right - left) / std::max(cols - first, 1) + 2;
        bottom -= provisional + canvas.fontMetrics().height() + 10;
    }
    // The screen's grid lines: none between brain-teaser cells, whose
    // outlines are drawn by the cells themselves.
    int line = IsBrainTeaser(kind) ? 0 : 1;
    if (IsBrainTeaser(kind) || !IsCrossword(kind)) ++line;
    // The crosswords' lines are the gaps between their cells: a screen pixel
    // is a hairline of 0.1 mm on paper, which printers hardly show; 0.3 mm do.
    if (output == TPaintOutput::Printer && IsCrossword(kind) && !IsBrainTeaser(kind)) line = 3;
    const int cellSize = std::max(std::min((right - left - (nc + 1) * line) / std::max(nc, 1),
                                           (bottom - top - (nr + 1) * line) / std::max(nr, 1)),
                                  1);
    QRect gridArea(left, top, nc * cellSize + 2, nr * cellSize + 2);
    canvas.fillRect(gridArea, QColor(0xC0, 0xC0, 0xC0));

    TCellPaintContext ctx;
    ctx.Puzzle = &p;
    ctx.Settings = &s;
    ctx.ViewMode = view.ViewMode;
    ctx.Cursor = QPoint(-1, -1);
    ctx.BoxWidth = IsSudoku(kind) ? BoxWidth(p) : 0;
    ctx.BoxHeight = IsSudoku(kind) ? BoxHeight(p) : 0;
    ctx.Candidates = view.Candidates;
    ctx.LetterFace = ToQString(s.Schriftart);
    TCellPaintOptions options;
    options.Output = output;
    options.ColorMode = static_cast<TPrintColorMode>(std::clamp(s.PrintSettings.ColorMode, 0, 2));
    options.NoHighlight = true;
    const bool extra = IsBrainTeaser(kind) || IsJigsaw(kind);
    for (int r = first; r <= rows; ++r) {
        for (int c = first; c <= cols; ++c) {
            const int l = left + 2 + cellSize * (c - first);
            const int t = top + 2 + cellSize * (r - first);
            const int size = cellSize - line + (extra ? 1 : 0);
            PaintCell(canvas, ctx, c, r, QRect(l, t, size, size), options);
        }
    }
    if (IsCrossword(kind)) gridArea.adjust(-1, -1, 1, 1);
    const int gl = gridArea.left();
    const int gt = gridArea.top();
    const int gr = gl + gridArea.width();
    const int gb = gt + gridArea.height();
    DrawPenLine(canvas, gl, gt, gr, gt, 1, Qt::black);
    DrawPenLine(canvas, gl, gb - 1, gr, gb - 1, 1, Qt::black);
    DrawPenLine(canvas, gl, gt, gl, gb, 1, Qt::black);
    DrawPenLine(canvas, gr - 1, gt, gr - 1, gb, 1, Qt::black);

    if (solutionRow && view.SolutionRow) {
        const int rowTop = area.top() + area.height() - cellSize - line;
        const QRect rowRect(area.left(), rowTop, cellSize * static_cast<int>(p.SolutionWord.size()),
                            area.top() + area.height() - rowTop);
        view.SolutionRow(canvas, rowRect);
        QFont caption(QStringLiteral("Arial"));
        caption.setPixelSize(PointsOnPaper(10));
        canvas.setFont(caption);
        canvas.setPen(Qt::black);
        const QFontMetrics fm = canvas.fontMetrics();
        canvas.drawText(QPoint(rowRect.left(), rowTop - fm.height() - 4 + fm.ascent()),
                        ToQString(p.SolutionCaption.view()) + QLatin1Char(':'));
    }
    canvas.restore();
    return cellSize;
}

} // namespace zx
