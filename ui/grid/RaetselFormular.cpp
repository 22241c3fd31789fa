// The grid window: creation and layout, drawing through the cell painter,
// cursor movement, the input direction and the keyboard entry of every kind.
#include "grid/RaetselFormular.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

#include "controls/DrawGrid.h"
#include "controls/GradientBar.h"
#include "rules/Completion.h"
#include "rules/EntryCheck.h"
#include "rules/SudokuRule.h"
#include "session/Colors.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayerState.h"
#include "session/TextConv.h"

namespace zx {

namespace {

bool IsLetterKey(char key) {
    return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

// Sudoku symbols: 1..9 and A..C in either case, up to the grid's symbol count.
bool IsSymbolKey(char key, int symbols) {
    const bool hex =
        (key >= '1' && key <= '9') || (key >= 'A' && key <= 'C') || (key >= 'a' && key <= 'c');
    if (!hex) return false;
    const int v = SymbolValue(std::string_view(&key, 1));
    return v >= 1 && v <= symbols;
}

// The letter font size that suits a cell size.
int FontSizeForCell(int f) {
    if (f < 24) return f - 10;
    if (f < 28) return f - 12;
    if (f < 31) return f - 14;
    return f - 16;
}

// Points to canvas units of 0.1 mm.
int PointsOnPaper(int points) {
    return (points * 254 + 36) / 72;
}

} // namespace

TRaetselForm::TRaetselForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_arrows(LoadInputDirImages()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("RaetselForm"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new TGradientBar(this, ToolbarHeight);
    layout->addWidget(m_toolbar);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A click beside the grid must not take the keys away from it.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_grid = new TDrawGrid;
    m_grid->setObjectName(QStringLiteral("Raetsel"));
    m_scroll->setWidget(m_grid);
    layout->addWidget(m_scroll, 1);
    setFocusProxy(m_grid);

    m_grid->SetSelectHandler([this](int c, int r) { return RaetselSelectCell(true, c, r); });
    m_grid->SetPaintBeginHandler([this] { PaintContext(); });
    m_grid->SetDrawHandler([this](QPainter& p, int c, int r, const QRect& rect, bool selected) {
        PaintCell(p, m_paint, c, r, rect, false, true, false, false, selected, poScreen);
    });
    m_grid->SetKeyDownHandler([this](QKeyEvent* e) { return RaetselKeyDown(e->key()); });
    m_grid->SetKeyPressHandler([this](char key) { RaetselKeyPress(key); });
    connect(m_grid, &TDrawGrid::CurrentCellChanged, this, [this](int c, int r) {
        const QRect cell = m_grid->CellRect(c, r);
        const int m = m_grid->Margin();
        m_scroll->ensureVisible(cell.center().x() + m, cell.center().y() + m, cell.width() / 2 + m,
                                cell.height() / 2 + m);
        Q_EMIT CursorMoved(c, r);
    });

    ConfigureGrid();
    FormCreate();
}

TRaetselForm::~TRaetselForm() = default;

TPlayerState& TRaetselForm::State() const {
    return m_frame.State();
}
TPuzzleData& TRaetselForm::Puzzle() const {
    return m_frame.State().Puzzle;
}

QPoint TRaetselForm::Cursor() const {
    return {m_grid->Col(), m_grid->Row()};
}

std::uint32_t TRaetselForm::FlagsAt(int col, int row) const {
    if (col < 0 || row < 0 || col >= GridDim || row >= GridDim) return cfBlock;
    return Puzzle().cell(col, row).Flags;
}

std::uint32_t TRaetselForm::StopFlag() const {
    return IsAmerican(Puzzle().PuzzleType) ? cfBlank : cfBlock;
}

void TRaetselForm::SetLegendWordDone(int wordIndex, bool across, bool done) {
    Q_EMIT SetWordDoneRequested(wordIndex, across, done);
}

void TRaetselForm::SelectLegendRow(int number, bool across) {
    Q_EMIT SelectLegendRowRequested(number, across);
}

void TRaetselForm::RepaintGrid() {
    // The record may have been replaced (undo): the possible symbols follow it.
    if (IsSudoku(Puzzle().PuzzleType)) RecomputeCandidates();
    m_grid->InvalidateGrid();
}

void TRaetselForm::OpenSolutionForm() {
    if (!m_frame.FindChildForm(fkSolution)) Q_EMIT SideWindowRequested(fkSolution);
}

bool TRaetselForm::LegendOpen(bool mustBeVisible) const {
    QWidget* legend = m_frame.FindChildForm(fkLegend);
    return legend && (!mustBeVisible || legend->isVisible());
}

// ---------------------------------------------------------------- creation

void TRaetselForm::FormCreate() {
    TPuzzleData& p = Puzzle();
    const int type = p.PuzzleType;
    if (QWidget* solution = m_frame.FindChildForm(fkSolution)) solution->close();
    m_lastHoverCell = {-1, -1};

    setWindowTitle(ToQString(p.Title.empty() ? PuzzleTypeCaption(p) : p.Title.str()));

    for (TSnapshot& snap : m_snapshots) {
        for (auto& column : snap.Entries)
            for (PuzzleEntry& e : column)
                e.assign(" ");
        snap.Stamp = 0;
    }

    if (IsSudoku(type)) {
        const int cols = p.ColCount;
        m_boxWidth = cols < 9 ? cols / 2 : cols / 3;
        // A degenerate grid has no boxes rather than a division by zero.
        m_boxHeight = m_boxWidth != 0 ? p.RowCount / m_boxWidth : 0;
        RecomputeCandidates();
        if (type == 15) {
            p.ElapsedTime = 0;
            p.ClockRunning = 1;
        }
    }

    if (IsJigsaw(type))
        m_grid->ClearSelection();
    else
        SelectFirstCell();

    RebuildErrorGrid(p, State().ErrorGrid);
}

void TRaetselForm::FormShow() {
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = State().Settings;
    const int type = p.PuzzleType;
    // The side windows are asked for once the frame can hear it.
    if (type == 15 && !m_frame.FindChildForm(fkStopwatch)) Q_EMIT SideWindowRequested(fkStopwatch);
    if (!IsSudoku(type)) {
        if (HasSolutionWord(type) && s.LoesungswortZeigen) OpenSolutionForm();
        if (s.LegendeZeigen)
            Q_EMIT SideWindowRequested(IsNumberPuzzle(type) ? fkNumLegend : fkLegend);
    }
    UpdateToolbar(m_grid->Col(), m_grid->Row());
    GridLayout();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->move(0, 0);
    else if (!isWindow())
        move(0, 0);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void TRaetselForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    FormShow();
}

void TRaetselForm::closeEvent(QCloseEvent* event) {
    for (int kind : {fkSolution, fkNumLegend, fkStopwatch, fkLegend})
        if (QWidget* w = m_frame.FindChildForm(kind)) w->close();
    if (m_frame.HintVisible()) m_frame.CloseHint();
    State().ViewMode = 0;
    // The frame no longer counts a closing window as open.
    m_frame.UpdateCommands();
    event->accept();
    // The frame around the window goes with it (when the frame itself is
    // closing it, the call is dropped with it).
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(sub, "close", Qt::QueuedConnection);
}

// ---------------------------------------------------------------- layout

void TRaetselForm::ConfigureGrid() {
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = State().Settings;
    const int type = p.PuzzleType;
    // The cell size comes from the settings block: cut to a size whose grid
    // still fits the widget coordinates.
    const int f = std::clamp(s.Feldgroesse, 1, MaxLayoutCellSize);
    m_grid->SetBackground(ToQColor(s.FarbeBuchstabenfeld, palette()));
    m_grid->SetRangeSelect(IsJigsaw(type));
    m_grid->SetGridLineWidth(IsBrainTeaser(type) ? 0 : 1);
    // Outlines of brain-teaser cells reach two pixels beyond the cells.
    m_grid->SetMargin(IsBrainTeaser(type) ? 2 : 1);
    m_grid->SetDefaultColWidth(f);
    m_grid->SetDefaultRowHeight(f);
    m_grid->SetRowCount(UsedRows(p) + 1);
    m_grid->SetColCount(UsedCols(p) + 1);
    if (type < 8 || type > 11) {
        m_grid->SetColWidth(0, 0);
        m_grid->SetRowHeight(0, 0);
    }
}

void TRaetselForm::GridLayout() {
    const int type = Puzzle().PuzzleType;
    const QPoint cursor = Cursor();
    ConfigureGrid();
    m_grid->SetCurrent(cursor.x(), cursor.y());
    const int g = m_grid->GridLineWidth();
    int height =
        m_grid->RowHeight(0) + (m_grid->RowCount() - 1) * (m_grid->DefaultRowHeight() + g) + 2;
    int width =
        m_grid->ColWidth(0) + (m_grid->ColCount() - 1) * (m_grid->DefaultColWidth() + g) + 2;
    if (!IsBrainTeaser(type)) {
        ++height;
        ++width;
    }
    m_grid->setFixedSize(width, height);

    QSize wanted(width, height + ToolbarHeight);
    // The toolbar's marking panel and blank-field button stay reachable.
    for (const char* name : {"PanelMark", "SBLeerfeld"})
        if (const QWidget* w = m_toolbar->findChild<QWidget*>(QLatin1String(name)))
            if (w->isVisibleTo(m_toolbar))
                wanted.setWidth(std::max(wanted.width(), w->x() + w->width() + 4));
    QSize available;
    QMdiSubWindow* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea()) {
        const QSize area = sub->mdiArea()->viewport()->size();
        available = QSize(area.width(), area.height() - 10);
    }
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool tooHigh = available.height() > 0 && available.height() < wanted.height();
    if (tooHigh) wanted.rwidth() += bar;
    m_wantedClient = wanted;
    updateGeometry();
    if (sub) {
        const QSize frameExtra = sub->sizeHint() - sizeHint();
        QSize outer = wanted + frameExtra;
        if (tooHigh) outer.setHeight(available.height());
        // The frame's area does not scroll: a window wider than the area is
        // cut to it and scrolls its grid sideways itself.
        if (available.width() > 0 && outer.width() > available.width()) {
            outer.setWidth(available.width());
            if (!tooHigh) {
                int h = outer.height() + bar;
                if (available.height() > 0) h = std::min(h, available.height());
                outer.setHeight(h);
            }
        }
        sub->resize(outer);
    } else {
        resize(tooHigh ? QSize(wanted.width(), available.height()) : wanted);
    }
}

QSize TRaetselForm::sizeHint() const {
    return m_wantedClient.isValid() ? m_wantedClient : QWidget::sizeHint();
}

void TRaetselForm::MItemPlayZoomInClick(QObject* sender) {
    int step = 1;
    if (qobject_cast<QAbstractButton*>(sender) || qobject_cast<QAction*>(sender))
        step = sender->property("Tag").toInt();
    Zoom(step);
}

void TRaetselForm::Zoom(int step) {
    TProgramSettings& s = State().Settings;
    if (step == 0) return;
    if (step < 0 && s.Feldgroesse <= MinCellSize) return;
    if (step > 0 && s.Feldgroesse >= MaxCellSize) return;
    s.Feldgroesse += step;
    s.Schriftgroesse = FontSizeForCell(s.Feldgroesse);
    GridLayout();
    Q_EMIT CellSizeChanged(s.Feldgroesse);
}

// ---------------------------------------------------------------- drawing

const TCellPaintContext& TRaetselForm::PaintContext() const {
    const TPlayerState& st = State();
    m_paint.Puzzle = &st.Puzzle;
    m_paint.Settings = &st.Settings;
    m_paint.ViewMode = st.ViewMode;
    m_paint.Cursor = Cursor();
    m_paint.InputDirection = m_inputDirection;
    m_paint.GridHasFocus = m_grid->hasFocus();
    m_paint.BoxWidth = m_boxWidth;
    m_paint.BoxHeight = m_boxHeight;
    m_paint.Candidates = &m_candidates;
    m_paint.Arrows = &m_arrows;
    m_paint.Palette = palette();
    m_paint.DefaultColWidth = m_grid->DefaultColWidth();
    m_paint.DefaultRowHeight = m_grid->DefaultRowHeight();
    m_paint.GridLineWidth = m_grid->GridLineWidth();
    m_paint.HeaderColWidth = m_grid->ColWidth(0);
    m_paint.HeaderRowHeight = m_grid->RowHeight(0);
    m_paint.LetterFace = ToQString(st.Settings.Schriftart);
    return m_paint;
}

bool TRaetselForm::IsInCurrentWord(int col, int row) const {
    return zx::IsInCurrentWord(PaintContext(), col, row);
}

void TRaetselForm::PaintCellAt(int col, int row) {
    m_grid->InvalidateCell(col, row);
}

void TRaetselForm::PaintWord(const TGridWordData& word, bool) {
    const TPuzzleData& p = Puzzle();
    const bool across = word.Direction == wdAcross;
    for (int c = word.Col, r = word.Row; InsideGrid(p, c, r) && !(FlagsAt(c, r) & cfBlock);
         across ? ++c : ++r)
        PaintCellAt(c, r);
}

void TRaetselForm::PaintAmericanWord(int col, int row, bool, int direction) {
    const TPuzzleData& p = Puzzle();
    if (!InsideGrid(p, col, row)) return;
    const int dc = direction == 1 ? 1 : 0;
    const int dr = direction == 1 ? 0 : 1;
    for (int sign : {1, -1}) {
        for (int c = col, r = row; InsideGrid(p, c, r) && !(FlagsAt(c, r) & cfBlank);
             c += sign * dc, r += sign * dr)
            PaintCellAt(c, r);
    }
}

void TRaetselForm::InvalidateRun(int col, int row, int direction) {
    const TPuzzleData& p = Puzzle();
    if (!InsideGrid(p, col, row)) return;
    PaintCellAt(col, row);
    if (direction != 1 && direction != 2) return;
    const std::uint32_t stop = StopFlag();
    if (FlagsAt(col, row) & stop) return;
    const int dc = direction == 1 ? 1 : 0;
    const int dr = direction == 1 ? 0 : 1;
    for (int sign : {1, -1})
        for (int c = col, r = row; InsideGrid(p, c, r) && !(FlagsAt(c, r) & stop);
             c += sign * dc, r += sign * dr)
            PaintCellAt(c, r);
}

void TRaetselForm::PrintGrid(QPainter& canvas, const QRect& area, int& cellSize, int output) {
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = State().Settings;
    const int type = p.PuzzleType;
    const int cols = UsedCols(p);
    const int rows = UsedRows(p);
    canvas.save();
    canvas.fillRect(area, Qt::white);

    const int first = (type >= 8 && type <= 11) ? 0 : 1;
    const int nc = cols - first + 1;
    const int nr = rows - first + 1;
    int left = area.left();
    int top = area.top();
    int right = left + area.width();
    int bottom = top + area.height();
    const bool solutionRow = HasSolutionWord(type);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(PointsOnPaper(12));
    if (solutionRow) {
        canvas.setFont(small);
        const int provisional = (right - left) / std::max(cols - first, 1) + 2;
        bottom -= provisional + canvas.fontMetrics().height() + 10;
    }
    int line = m_grid->GridLineWidth();
    if (IsBrainTeaser(type) || type >= 12) ++line;
    cellSize = std::max(std::min((right - left - (nc + 1) * line) / std::max(nc, 1),
                                 (bottom - top - (nr + 1) * line) / std::max(nr, 1)),
                        1);
    QRect gridArea(left, top, nc * cellSize + 2, nr * cellSize + 2);
    canvas.fillRect(gridArea, QColor(0xC0, 0xC0, 0xC0));

    TCellPaintContext ctx = PaintContext();
    ctx.GridHasFocus = false;
    const int mode = s.PrintSettings.ColorMode;
    const bool extra = IsBrainTeaser(type) || IsJigsaw(type);
    for (int r = first; r <= rows; ++r) {
        for (int c = first; c <= cols; ++c) {
            const int l = left + 2 + cellSize * (c - first);
            const int t = top + 2 + cellSize * (r - first);
            const int size = cellSize - line + (extra ? 1 : 0);
            PaintCell(canvas, ctx, c, r, QRect(l, t, size, size), false, true, false, true, false,
                      output, mode);
        }
    }
    if (type < 12) gridArea.adjust(-1, -1, 1, 1);
    DrawPenLine(canvas, gridArea.left(), gridArea.top(), gridArea.left() + gridArea.width(),
                gridArea.top(), 1, Qt::black);
    DrawPenLine(canvas, gridArea.left(), gridArea.top() + gridArea.height() - 1,
                gridArea.left() + gridArea.width(), gridArea.top() + gridArea.height() - 1, 1,
                Qt::black);
    DrawPenLine(canvas, gridArea.left(), gridArea.top(), gridArea.left(),
                gridArea.top() + gridArea.height(), 1, Qt::black);
    DrawPenLine(canvas, gridArea.left() + gridArea.width() - 1, gridArea.top(),
                gridArea.left() + gridArea.width() - 1, gridArea.top() + gridArea.height(), 1,
                Qt::black);

    if (solutionRow && m_frame.FindChildForm(fkSolution)) {
        const int rowTop = area.top() + area.height() - cellSize - line;
        const QRect rowRect(area.left(), rowTop, cellSize * static_cast<int>(p.SolutionWord.size()),
                            area.top() + area.height() - rowTop);
        Q_EMIT SolutionRowPrintRequested(&canvas, rowRect, output);
        QFont caption(QStringLiteral("Arial"));
        caption.setPixelSize(PointsOnPaper(10));
        canvas.setFont(caption);
        canvas.setPen(Qt::black);
        const QFontMetrics fm = canvas.fontMetrics();
        canvas.drawText(QPoint(rowRect.left(), rowTop - fm.height() - 4 + fm.ascent()),
                        ToQString(p.SolutionCaption.view()) + QLatin1Char(':'));
    }
    canvas.restore();
}

// ---------------------------------------------------------------- cursor

bool TRaetselForm::RaetselSelectCell(bool fromGrid, int col, int row) {
    if (col <= 0 || row <= 0) return false;
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = State().Settings;
    const int type = p.PuzzleType;
    m_previousCursor = Cursor();
    if (type < 14) {
        if (fromGrid) UpdateDirection(col, row, false);
        if (QPoint(col, row) != Cursor() || !fromGrid) {
            m_previousWord = m_currentWord;
            m_currentWord = GetWordData(p, col, row, true, false, m_inputDirection);
            if ((type == 0 || type == 1) && LegendOpen() && m_currentWord.Number >= 1 &&
                m_currentWord.Number <= 199)
                SelectLegendRow(m_currentWord.Number, m_currentWord.Direction == wdAcross);
            if (s.AktuellenBegriffMarkieren && QPoint(col, row) != m_previousCursor) {
                const QPoint prev = m_previousCursor;
                if (IsAmerican(type)) {
                    if (!(FlagsAt(prev.x(), prev.y()) & cfBlank))
                        PaintAmericanWord(prev.x(), prev.y(), false, m_previousDirection);
                    if (!(FlagsAt(col, row) & cfBlank))
                        PaintAmericanWord(col, row, true, m_inputDirection);
                } else {
                    if (!(FlagsAt(prev.x(), prev.y()) & cfBlock)) PaintWord(m_previousWord, false);
                    if (!(FlagsAt(col, row) & cfBlock)) PaintWord(m_currentWord, true);
                }
            }
        }
        // The input cursor is drawn by the cell painter wherever the cursor is.
        PaintCellAt(col, row);
    }
    UpdateToolbar(col, row);
    return true;
}

void TRaetselForm::UpdateDirection(int col, int row, bool toggle) {
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = State().Settings;
    const int type = p.PuzzleType;
    const std::uint32_t stop = StopFlag();
    auto isFree = [&](int c, int r) { return !(FlagsAt(c, r) & stop); };

    m_previousDirection = m_inputDirection;
    std::uint8_t& dir = m_inputDirection;
    if (dir == 0) {
        if (isFree(col + 1, row)) dir = 1;
        if (dir == 0 && isFree(col, row + 1)) dir = 2;
    }
    if (toggle) {
        if (dir == 1 && isFree(col, row + 1))
            dir = 2;
        else if (dir == 2 && isFree(col + 1, row))
            dir = 1;
    } else {
        if (dir == 1 && !isFree(col + 1, row) && (isFree(col, row + 1) || isFree(col, row - 1)))
            dir = 2;
        if (dir == 2 && !isFree(col, row + 1) && (isFree(col + 1, row) || isFree(col - 1, row)))
            dir = 1;
    }
    PaintCellAt(col, row);
    if (dir == m_previousDirection) return;

    m_previousWord = m_currentWord;
    m_currentWord = GetWordData(p, col, row, true, false, dir);
    if ((type == 0 || type == 1) && LegendOpen(true) && m_currentWord.Number >= 1 &&
        m_currentWord.Number <= 199)
        SelectLegendRow(m_currentWord.Number, m_currentWord.Direction == wdAcross);
    if (s.AktuellenBegriffMarkieren) {
        if (IsAmerican(type)) {
            PaintAmericanWord(m_previousCursor.x(), m_previousCursor.y(), false,
                              m_previousDirection);
            PaintAmericanWord(col, row, true, dir);
        } else {
            PaintWord(m_previousWord, false);
            PaintWord(m_currentWord, true);
        }
        // The run through the cell in the old direction loses its highlight too.
        InvalidateRun(col, row, m_previousDirection);
    }
}

void TRaetselForm::AdvanceCursor() {
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    // The puzzle's stop flag: in American crosswords the cursor must neither
    // halt before a hidden block (which would give it away) nor run into a
    // cell the player has marked blank.
    const std::uint32_t stop = StopFlag();
    if (m_inputDirection == 1 && !(FlagsAt(col + 1, row) & stop) &&
        col + 1 <= UsedCols(Puzzle()))
        m_grid->SelectCell(col + 1, row);
    else if (m_inputDirection == 2 && !(FlagsAt(col, row + 1) & stop) &&
             row + 1 <= UsedRows(Puzzle()))
        m_grid->SelectCell(col, row + 1);
}

void TRaetselForm::SelectFirstCell() {
    const TPuzzleData& p = Puzzle();
    m_previousCursor = {0, 0};
    m_grid->SetCurrent(m_grid->ColCount() - 1, m_grid->RowCount() - 1);
    // By the stop flag: an American crossword's first cursor must not tell
    // where its hidden blocks are.
    const std::uint32_t stop = StopFlag();
    for (int r = 1; r <= UsedRows(p); ++r)
        for (int c = 1; c <= UsedCols(p); ++c)
            if (!(FlagsAt(c, r) & stop)) {
                m_grid->SelectCell(c, r);
                return;
            }
}

void TRaetselForm::GotoWord(int number, bool across) {
    int col = -1;
    int row = -1;
    if (!FindCellByNumber(Puzzle(), number, col, row)) return;
    const QPoint oldCursor = Cursor();
    const std::uint8_t oldDirection = m_inputDirection;
    m_grid->SetCurrent(col, row);
    m_previousDirection = m_inputDirection;
    m_inputDirection = across ? 1 : 2;
    RaetselSelectCell(false, col, row);
    // The handler saw the cursor already in place: repaint both highlights here.
    if (State().Settings.AktuellenBegriffMarkieren) {
        InvalidateRun(oldCursor.x(), oldCursor.y(), oldDirection);
        InvalidateRun(col, row, m_inputDirection);
    }
}

void TRaetselForm::UpdateToolbar(int col, int row) {
    Q_EMIT ToolbarStateChanged(col, row);
}

// ---------------------------------------------------------------- keys

void TRaetselForm::RunCompletionCheck() {
    TPlayerState& st = State();
    const TCompletionResult result = CheckCompletion(st.Puzzle, st.ErrorGrid, st.Settings);
    if (result.shown())
        m_frame.Dialogs().ShowResult(this, ToQString(result.text()),
                                     result.form() == TResultForm::Success);
}

void TRaetselForm::RaetselKeyPress(char key) {
    TPlayerState& st = State();
    TPuzzleData& p = st.Puzzle;
    const int type = p.PuzzleType;
    if (IsJigsaw(type)) return;
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    if (!InsideGrid(p, col, row)) return;
    const std::uint32_t flags = FlagsAt(col, row);
    const bool editable = IsAmerican(type) ? !(flags & cfBlank) : !(flags & cfBlock);
    if (!editable) return;

    bool accepted = false;
    if (!IsSudoku(type)) {
        if (key == ' ' || IsLetterKey(key)) {
            accepted = true;
            m_frame.SaveUndoCopy();
            SetEntry(p, st.ErrorGrid, col, row, std::string_view(&key, 1));
            PaintCellAt(col, row);
            if (st.Settings.AutomatischMarkieren && LegendOpen()) {
                const TGridWordData w = GetWordData(p, col, row, false, true, m_inputDirection);
                if (w.Text.find(' ') == std::string::npos && w.Index != -1)
                    SetLegendWordDone(w.Index, w.Direction == wdAcross, true);
            }
            AdvanceCursor();
        }
    } else if (key == ' ' || IsSymbolKey(key, SymbolCount(p))) {
        accepted = true;
        if (!(flags & cfSolution)) {
            m_frame.SaveUndoCopy();
            SetEntry(p, st.ErrorGrid, col, row, std::string_view(&key, 1));
            RecomputeCandidates();
            m_grid->InvalidateGrid();
        }
    }
    if (!accepted) {
        UpdateDirection(col, row, key == '\r');
        return;
    }
    RunCompletionCheck();
    PaintCellAt(m_grid->Col(), m_grid->Row());
}

void TRaetselForm::ReleaseWordMark() {
    const TPlayerState& st = State();
    if (!st.Settings.AutomatischMarkieren || !LegendOpen()) return;
    const TGridWordData w =
        GetWordData(st.Puzzle, m_grid->Col(), m_grid->Row(), false, true, m_inputDirection);
    if (w.Index != -1) SetLegendWordDone(w.Index, w.Direction == wdAcross, false);
}

bool TRaetselForm::EditableByKeyDown(int col, int row) const {
    // A hidden block of an American crossword takes typed letters, so Delete
    // and Backspace must clear them as well without giving the block away.
    return !(FlagsAt(col, row) & (StopFlag() | cfBlank));
}

bool TRaetselForm::TryBackspace(int dc, int dr) {
    TPlayerState& st = State();
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    if ((dc != 0 ? col : row) < 2) return false;
    if (FlagsAt(col + dc, row + dr) & StopFlag()) return false;
    if (!EditableByKeyDown(col, row)) return false;
    m_frame.SaveUndoCopy();
    SetEntry(st.Puzzle, st.ErrorGrid, col + dc, row + dr, " ");
    PaintCellAt(col + dc, row + dr);
    m_grid->SelectCell(col + dc, row + dr);
    return true;
}

bool TRaetselForm::RaetselKeyDown(int key) {
    TPlayerState& st = State();
    TPuzzleData& p = st.Puzzle;
    const int type = p.PuzzleType;
    if (IsJigsaw(type)) return false;
    if (key != Qt::Key_Delete && key != Qt::Key_Backspace) return false;
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    if (!InsideGrid(p, col, row)) return true;

    if (key == Qt::Key_Delete) {
        if (!EditableByKeyDown(col, row)) return true;
        // A given Sudoku symbol is part of the puzzle: reset would not bring it back.
        if (IsSudoku(type) && (FlagsAt(col, row) & cfSolution)) return true;
        m_frame.SaveUndoCopy();
        SetEntry(p, st.ErrorGrid, col, row, " ");
        if (IsSudoku(type)) {
            RecomputeCandidates();
            m_grid->InvalidateGrid();
        } else {
            PaintCellAt(col, row);
        }
        ReleaseWordMark();
        return true;
    }

    if (type >= 12) return true;
    bool moved = false;
    if (m_inputDirection == 1)
        moved = TryBackspace(-1, 0);
    else if (m_inputDirection == 2)
        moved = TryBackspace(0, -1);
    else
        moved = TryBackspace(-1, 0) || TryBackspace(0, -1);
    if (moved) ReleaseWordMark();
    return true;
}

// ---------------------------------------------------------------- Sudoku

void TRaetselForm::RecomputeCandidates() {
    const TPuzzleData& p = Puzzle();
    m_candidates = {};
    const int symbols = std::min(SymbolCount(p), MaxSudokuSymbols);
    const int rows = std::min(UsedRows(p), MaxSudokuSymbols);
    std::array<bool, MaxSudokuSymbols> allowed{};
    for (int c = 1; c <= symbols; ++c)
        for (int r = 1; r <= rows; ++r) {
            ListAllowedSymbols(p, c, r, std::span<bool>(allowed.data(), symbols));
            for (int sym = 1; sym <= symbols; ++sym)
                m_candidates[c][r][sym] = allowed[static_cast<std::size_t>(sym - 1)] ? 1 : 0;
        }
    if (m_markSymbol != 0) RunMarkFilter();
}

void TRaetselForm::RunMarkFilter() {
    TPuzzleData& p = Puzzle();
    const int symbols = SymbolCount(p);
    for (int c = 1; c <= symbols; ++c)
        for (int r = 1; r <= symbols && r <= UsedRows(p); ++r) {
            const PuzzleEntry& e = p.entry(c, r);
            bool lit = false;
            if (m_markSymbol != 0 && IsEmptyEntry(e)) {
                if (m_markSymbol >= 1 && m_markSymbol <= symbols)
                    lit = SymbolAllowed(p, m_markSymbol, c, r);
                else
                    lit = CountAllowedSymbols(p, c, r) <= 2;
            }
            if (lit)
                p.cell(c, r).Flags |= cfMarked;
            else
                p.cell(c, r).Flags &= ~static_cast<std::uint32_t>(cfMarked);
        }
    m_grid->InvalidateGrid();
}

} // namespace zx
