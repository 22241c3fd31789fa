// The number legend window: the code table in an owner-drawn grid, typed
// letters handed to the play session, and the table's cell painter, which
// serves the screen and the printed table alike.
#include "legend/ZahlenDialog.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <qdrawutil.h>
#include <string>
#include <string_view>

#include "controls/DrawGrid.h"
#include "controls/Fonts.h"
#include "session/Colors.h"
#include "session/FrameLink.h"
#include "session/PlayerSession.h"
#include "session/TextConv.h"

namespace zx {

namespace {
// The panel around the grid: a 4-pixel border inside a 1-pixel bevel.
constexpr int PanelBorder = 5;
// Cell sizes the layout accepts; the settings reader keeps them in range,
// the clamp keeps a damaged value from making the window unusable.
constexpr int MaxLayoutCellSize = 400;
constexpr int MaxFontSize = 400;
// Font heights of the code numbers, in pixels on screen and 0.1 mm on paper.
constexpr int NumberHeightScreen = 14;
constexpr int NumberHeightPaper = 32;
const QColor Silver(0xC0, 0xC0, 0xC0);


// Points to canvas units of 0.1 mm.
int PointsOnPaper(int points) {
    return (points * 254 + 36) / 72;
}

// The solution letter of a code as the record stores it: a character code.
// A code beyond one byte (a damaged record) has no letter.
std::string CodeText(const TPuzzleWord& w) {
    if (w.Code <= 0 || w.Code > 0xFF) return {};
    return std::string(1, static_cast<char>(static_cast<unsigned char>(w.Code)));
}

std::array<QString, CodeTableSize> LettersOf(const TPuzzleData& p, bool showSolution) {
    std::array<QString, CodeTableSize> letters;
    for (int k = 0; k < CodeTableSize; ++k) {
        const TPuzzleWord& w = p.Words[k];
        letters[static_cast<std::size_t>(k)] =
            showSolution ? ToQString(CodeText(w)) : ToQString(w.Guess.view());
    }
    return letters;
}

QFont LetterFontOf(const TProgramSettings& s) {
    QFont f(ToQString(s.Schriftart));
    f.setBold(true);
    f.setPointSize(std::clamp(s.Schriftgroesse, 1, MaxFontSize));
    return f;
}
} // namespace

TNumLegendForm::TNumLegendForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent), m_session(frame.Session()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("NumLegendForm"));
    setWindowTitle(QStringLiteral("Legende"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    m_gridZahlen = new TDrawGrid(this);
    // A screen reader reads the code numbers and the letters as the table shows them.
    m_gridZahlen->setAccessibleName(QStringLiteral("Legende"));
    m_gridZahlen->SetAccessibleCells([this](int c, int r) { return Cells(c, r); }, {});
    m_gridZahlen->setObjectName(QStringLiteral("GridZahlen"));
    m_gridZahlen->move(PanelBorder, PanelBorder);
    // The Tab key passes the grid by; a click gives it the keys.
    m_gridZahlen->setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(m_gridZahlen);
    const QString hint =
        QString::fromUtf8("Die Buchstaben eingeben, die den Zahlen im Rätsel zugeordnet werden");
    m_gridZahlen->setToolTip(hint);
    m_gridZahlen->setStatusTip(hint);
    m_gridZahlen->SetColCount(TableCols);
    m_gridZahlen->SetRowCount(TableRows);
    m_gridZahlen->SetGridLineWidth(1);
    // The cells frame themselves over the grid lines, the outermost frames
    // over the one-pixel margin.
    m_gridZahlen->SetMargin(1);
    m_gridZahlen->SetGridLineColor(Qt::black);
    m_gridZahlen->SetBackground(palette().color(QPalette::Button));
    m_gridZahlen->SetSelectHandler(
        [this](int col, int row) { return GridZahlenSelectCell(col, row); });
    m_gridZahlen->SetPaintBeginHandler([this] { PreparePaint(); });
    m_gridZahlen->SetDrawHandler([this](QPainter& p, int c, int r, const QRect& rect, bool) {
        const bool selected = c == m_gridZahlen->Col() && r == m_gridZahlen->Row() &&
                              m_gridZahlen->hasFocus() && isActiveWindow();
        PaintNumLegendCell(p, m_paint, c, r, rect, selected);
    });
    m_gridZahlen->SetKeyDownHandler([this](QKeyEvent* e) { return GridZahlenKeyDown(e); });
    m_gridZahlen->SetKeyPressHandler([this](char key) { GridZahlenKeyPress(key); });
    m_gridZahlen->SetCurrent(1, 0);

    connect(&m_session, &TPlayerSession::CodeGuessChanged, this,
            &TNumLegendForm::SessionCodeGuessChanged);
    connect(&m_session, &TPlayerSession::RecordReplaced, this,
            &TNumLegendForm::SessionRecordReplaced);
    connect(&m_session, &TPlayerSession::ViewChanged, this, &TNumLegendForm::SessionViewChanged);
    connect(&m_session, &TPlayerSession::CellSizeChanged, this, &TNumLegendForm::NumLegendLayout);

    NumLegendLayout();
    FillNumLegend(m_session.ViewMode() != 0);
}

TNumLegendForm::~TNumLegendForm() = default;

// ---------------------------------------------------------------- showing

void TNumLegendForm::ShowNumLegend() {
    NumLegendLayout();
    FillNumLegend(m_session.ViewMode() != 0);
}

void TNumLegendForm::FillNumLegend(bool showSolution) {
    m_paint.Letters = LettersOf(m_session.Puzzle(), showSolution);
    if (m_gridZahlen->Col() == 0) m_gridZahlen->SetCurrent(1, m_gridZahlen->Row());
    m_gridZahlen->InvalidateGrid();
}

void TNumLegendForm::NumLegendLayout() {
    const int f = std::clamp(m_session.Settings().Feldgroesse, 1, MaxLayoutCellSize);
    m_gridZahlen->SetDefaultColWidth(f);
    m_gridZahlen->SetDefaultRowHeight(f);
    // One pixel of margin before the cells, the grid line after each, and
    // two pixels more on the right and at the bottom.
    const int gridWidth = TableCols * (f + 1) + 3;
    const int gridHeight = TableRows * (f + 1) + 3;
    m_gridZahlen->setFixedSize(gridWidth, gridHeight);
    m_wantedClient = QSize(gridWidth + 2 * PanelBorder, gridHeight + 2 * PanelBorder);
    setFixedSize(m_wantedClient);
    updateGeometry();

    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub) return;
    const QSize outer = m_wantedClient + (sub->sizeHint() - sizeHint());
    sub->resize(outer);
    // A window grown by zooming stays clear of the area's right edge.
    if (const QMdiArea* area = sub->mdiArea()) {
        const int left = area->viewport()->width() - outer.width() - 10;
        if (left < sub->x() + outer.width()) sub->move(std::max(left, 0), sub->y());
    }
}

QSize TNumLegendForm::sizeHint() const {
    return m_wantedClient.isValid() ? m_wantedClient : QWidget::sizeHint();
}

QString TNumLegendForm::Cells(int col, int row) const {
    const int code = CodeAt(col, row);
    if (code < 0) return {};
    if (col == 0 || col == 2) return QString::number(code);
    return m_paint.Letters[static_cast<std::size_t>(code)];
}

int TNumLegendForm::CodeAt(int col, int row) {
    if (col < 0 || col >= TableCols || row < 0 || row >= TableRows) return -1;
    return col < 2 ? row : row + TableRows;
}

int TNumLegendForm::SelectedCode() const {
    const int col = m_gridZahlen->Col();
    return (col == 1 || col == 3) ? CodeAt(col, m_gridZahlen->Row()) : -1;
}

void TNumLegendForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter p(this);
    qDrawShadePanel(&p, rect(), palette(), false, 1);
}

void TNumLegendForm::closeEvent(QCloseEvent* event) {
    Q_EMIT Closing();
    event->accept();
    // The frame around the window goes with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(sub, &QMdiSubWindow::close, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- input

bool TNumLegendForm::GridZahlenSelectCell(int col, int) const {
    return col == 1 || col == 3;
}

bool TNumLegendForm::GridZahlenKeyDown(QKeyEvent* event) {
    const int other = m_gridZahlen->Col() == 1 ? 3 : 1;
    switch (event->key()) {
    case Qt::Key_Down:
        // From the last row on to the top of the other letter column.
        if (m_gridZahlen->Row() != TableRows - 1) return false;
        m_gridZahlen->SelectCell(other, 0);
        return true;
    case Qt::Key_Up:
        if (m_gridZahlen->Row() != 0) return false;
        m_gridZahlen->SelectCell(other, TableRows - 1);
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        ClearCodeEntry();
        return true;
    default:
        return false;
    }
}

void TNumLegendForm::GridZahlenKeyPress(char key) {
    if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    if (key == ' ') {
        ClearCodeEntry();
        return;
    }
    // Digits, signs and umlauts have no code.
    if (key < 'A' || key > 'Z') return;
    const int code = SelectedCode();
    // The session writes the letter into every cell of the code and runs the
    // completion check; the table follows its notice.
    if (code >= 0) m_session.SetCodeGuess(code, key);
}

void TNumLegendForm::ClearCodeEntry() {
    const int code = SelectedCode();
    if (code >= 0) m_session.SetCodeGuess(code, ' ');
}

// ---------------------------------------------------------------- session

void TNumLegendForm::SessionCodeGuessChanged(int code) {
    if (code < 0 || code >= CodeTableSize) return;
    m_paint.Letters[static_cast<std::size_t>(code)] =
        ToQString(m_session.Puzzle().Words[code].Guess.view());
    const int row = code % TableRows;
    m_gridZahlen->InvalidateCell(code < TableRows ? 1 : 3, row);
}

// Undo, reset and snapshots leave the plain table of the player's letters.
void TNumLegendForm::SessionRecordReplaced() {
    FillNumLegend(false);
}

// The solution view shows the code letters; every view switch repaints.
void TNumLegendForm::SessionViewChanged() {
    FillNumLegend(m_session.ViewMode() != 0);
}

// ---------------------------------------------------------------- drawing

void TNumLegendForm::PreparePaint() {
    const TProgramSettings& s = m_session.Settings();
    m_paint.Puzzle = &m_session.Puzzle();
    m_paint.Settings = &s;
    m_paint.ViewMode = m_session.ViewMode();
    m_paint.OnPaper = false;
    m_paint.Palette = palette();
    m_paint.LetterFont = LetterFontOf(s);
    m_paint.NumberFont = FontWithHeight(QStringLiteral("Arial"), NumberHeightScreen, false);
}

void TNumLegendForm::PaintNumLegendCell(QPainter& canvas, const TNumLegendPaint& ctx, int col,
                                        int row, const QRect& rect, bool selected) {
    const int code = CodeAt(col, row);
    if (code < 0 || !ctx.Puzzle || !ctx.Settings) return;
    const TProgramSettings& s = *ctx.Settings;
    const bool paper = ctx.OnPaper;
    const int mode = paper ? std::clamp(ctx.ColorMode, 0, 2) : 2;
    // Colours apply on screen and in colour printing.
    const bool colours = !paper || mode == 2;
    selected = selected && !paper;
    auto colour = [&](TColor c) { return ToQColor(c, ctx.Palette); };

    QColor brush = Qt::white;
    QColor ink = Qt::black;
    QString text;
    if (col == 1 || col == 3) {
        if (selected)
            brush = colour(s.MarkedLetterColor);
        else if (colours)
            brush = colour(s.FarbeBuchstabenfeld);
        canvas.setFont(ctx.LetterFont);
        ink = colour(s.FarbeBuchstaben);
        if (colours) {
            const TPuzzleWord& w = ctx.Puzzle->Words[code];
            const std::string_view guess = w.Guess.view();
            if (s.FehlerZeigen && guess != CodeText(w)) ink = colour(s.FarbeFalscheBuchstaben);
            if (ctx.ViewMode != 0 && (guess.empty() || guess == " "))
                ink = colour(s.FarbeFehlendeBuchstaben);
        }
        text = ctx.Letters[static_cast<std::size_t>(code)];
    } else {
        if (colours)
            brush = colour(SystemColorFlag | scBtnFace);
        else if (mode == 1)
            brush = Silver;
        canvas.setFont(ctx.NumberFont);
        text = QString::number(code);
    }

    // Fill and frame the cell with its grid lines: the frame covers them.
    const QRect outer = rect.adjusted(-1, -1, 1, 1);
    canvas.fillRect(outer, brush);
    canvas.fillRect(QRect(outer.left(), outer.top(), outer.width(), 1), Qt::black);
    canvas.fillRect(QRect(outer.left(), outer.bottom(), outer.width(), 1), Qt::black);
    canvas.fillRect(QRect(outer.left(), outer.top(), 1, outer.height()), Qt::black);
    canvas.fillRect(QRect(outer.right(), outer.top(), 1, outer.height()), Qt::black);

    canvas.setPen(ink);
    const QFontMetrics fm = canvas.fontMetrics();
    const int x = rect.left() + (rect.width() - fm.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - fm.height()) / 2;
    canvas.drawText(QPoint(x, y + fm.ascent()), text);

    if (selected) {
        // The thin input mark of the side windows: a bracket along the bottom.
        const int l = rect.left();
        const int r = rect.left() + rect.width();
        const int b = rect.top() + rect.height();
        canvas.fillRect(QRect(l + 2, b - 7, 1, 3), Qt::black);
        canvas.fillRect(QRect(l + 2, b - 4, r - l - 6, 1), Qt::black);
        canvas.fillRect(QRect(r - 4, b - 6, 1, 3), Qt::black);
    }
}

// ---------------------------------------------------------------- printing

QSize TNumLegendForm::NumLegendPrintSize(QPainter& canvas, int cellSize, bool landscape) {
    // Without a cell size from the grid the table takes the usual screen size.
    const int s = cellSize > 0 ? cellSize : TProgramSettings().Feldgroesse;
    const int along = TableRows * (s + 1);
    const int across = TableCols * (s + 1);
    QSize size = landscape ? QSize(along, across) : QSize(across, along);
    size.rheight() += 2 * canvas.fontMetrics().height();
    return size;
}

void TNumLegendForm::PrintNumLegend(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                                    const TProgramSettings& settings, std::uint8_t viewMode,
                                    bool fit, bool onPaper, int colorMode, bool landscape) {
    // Fitted, the four columns fill the rectangle's short side.
    int s = fit ? (landscape ? rect.height() : rect.width()) / TableCols : settings.Feldgroesse;
    s = std::max(s, 1);
    canvas.save();
    QFont heading = canvas.font();
    heading.setBold(true);
    heading.setUnderline(true);
    canvas.setFont(heading);
    canvas.setPen(Qt::black);
    const QFontMetrics fm = canvas.fontMetrics();
    canvas.drawText(QPoint(rect.left() + 1, rect.top() + 1 + fm.ascent()),
                    QStringLiteral("Legende:"));
    const int left = rect.left();
    const int top = rect.top() + 2 * fm.height();

    TNumLegendPaint ctx;
    ctx.Puzzle = &puzzle;
    ctx.Settings = &settings;
    ctx.ViewMode = viewMode;
    ctx.OnPaper = onPaper;
    ctx.ColorMode = colorMode;
    ctx.Letters = LettersOf(puzzle, viewMode != 0);
    if (onPaper) {
        // Letters and numbers stay inside their cells however small they are printed.
        const int room = std::max(s - 4, 1);
        ctx.LetterFont = QFont(ToQString(settings.Schriftart));
        ctx.LetterFont.setBold(true);
        ctx.LetterFont.setPixelSize(
            std::min(PointsOnPaper(std::clamp(settings.Schriftgroesse, 1, MaxFontSize)), room));
        ctx.NumberFont =
            FontWithHeight(QStringLiteral("Arial"), std::min(NumberHeightPaper, room), false);
    } else {
        ctx.LetterFont = LetterFontOf(settings);
        ctx.NumberFont = FontWithHeight(QStringLiteral("Arial"), NumberHeightScreen, false);
    }

    const int step = s + 1;
    for (int r = 0; r < TableRows; ++r)
        for (int c = 0; c < TableCols; ++c) {
            // Turned, the 13 rows run across.
            const QRect cell = landscape ? QRect(left + step * r, top + step * c, s, s)
                                         : QRect(left + step * c, top + step * r, s, s);
            canvas.save();
            PaintNumLegendCell(canvas, ctx, c, r, cell, false);
            canvas.restore();
        }
    canvas.restore();
}

} // namespace zx
