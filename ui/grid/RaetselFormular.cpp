// The grid window: creation and layout, drawing through the cell painter,
// repainting by comparison, the cursor and the input direction, the keys,
// clicks and drops that become operations of the play session, and the hover
// hints.
#include "grid/RaetselFormular.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollArea>
#include <QStatusTipEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "controls/DrawGrid.h"
#include "controls/GradientBar.h"
#include "controls/SpeedButton.h"
#include "controls/SvgImage.h"
#include "rules/SudokuRule.h"
#include "session/Colors.h"
#include "session/CommandMirror.h"
#include "session/FrameLink.h"
#include "session/PlayCommands.h"
#include "session/TextConv.h"
#include "session/WordDrag.h"

namespace zx {

class TRaetselForm::TBatch {
public:
    explicit TBatch(TRaetselForm& form) : m_form(form) { ++m_form.m_batchDepth; }
    ~TBatch() {
        if (--m_form.m_batchDepth == 0 && m_form.m_changed) m_form.Refresh();
    }
    TBatch(const TBatch&) = delete;
    TBatch& operator=(const TBatch&) = delete;

private:
    TRaetselForm& m_form;
};

TRaetselForm::TRaetselForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_session(frame.Session()), m_commands(frame.Commands()),
      m_arrows(LoadInputDirImages()) {
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

    m_grid->setAccessibleName(QStringLiteral("Rätselgitter"));
    m_grid->SetAccessibleCells([this](int c, int r) { return AccessibleCellText(c, r); },
                               [this](int c, int r) { return AccessibleCellDescription(c, r); });
    m_grid->SetSelectHandler([this](int c, int r) { return RaetselSelectCell(true, c, r); });
    m_grid->SetPaintBeginHandler([this] { m_grid->SetPrefillColour(PaintContext().Prefilled); });
    m_grid->SetDrawHandler([this](QPainter& p, int c, int r, const QRect& rect, bool selected) {
        TCellPaintOptions options;
        options.Selected = selected;
        PaintCell(p, m_paint, c, r, rect, options);
        m_drawn[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = LookOf(m_paint, c, r);
    });
    m_grid->SetKeyDownHandler([this](QKeyEvent* e) { return RaetselKeyDown(e->key()); });
    m_grid->SetKeyPressHandler([this](char key) { RaetselKeyPress(key); });
    connect(m_grid, &TDrawGrid::CurrentCellChanged, this, [this](int c, int r) {
        const QRect cell = m_grid->CellRect(c, r);
        const int m = m_grid->Margin();
        m_scroll->ensureVisible(cell.center().x() + m, cell.center().y() + m, cell.width() / 2 + m,
                                cell.height() / 2 + m);
        NoteChange();
        Q_EMIT CursorMoved(c, r);
    });

    connect(&m_session, &TPlayerSession::CellsChanged, this, &TRaetselForm::NoteChange);
    connect(&m_session, &TPlayerSession::RecordReplaced, this, &TRaetselForm::RedrawAll);
    connect(&m_session, &TPlayerSession::ViewChanged, this, &TRaetselForm::RedrawAll);
    connect(&m_session, &TPlayerSession::CellSizeChanged, this, &TRaetselForm::GridLayout);

    CreateToolbar();
    CreatePopupMenu();
    // The toolbar follows the commands, whose states the session's notices
    // update first (a view change always comes with a command notice).
    connect(&m_session, &TPlayerSession::CommandsChanged, this, &TRaetselForm::UpdateToolbar);
    connect(&m_session, &TPlayerSession::CursorChanged, this, &TRaetselForm::UpdateToolbar);
    // The popup menu: on the right button, the menu key and Shift+F10.
    m_grid->installEventFilter(this);
    connect(m_grid, &TDrawGrid::CellDoubleClicked, this, [this] {
        QAction* reveal = m_commands.Action(TPlayCommand::RevealLetter);
        if (reveal->isVisible() && reveal->isEnabled()) reveal->trigger();
    });
    connect(m_grid, &TDrawGrid::MousePressed, this, &TRaetselForm::RaetselMouseDown);
    connect(m_grid, &TDrawGrid::RangeSelected, this, &TRaetselForm::RaetselMouseUp);
    // Hover hints follow the mouse without a button held.
    m_grid->setMouseTracking(true);
    connect(m_grid, &TDrawGrid::MouseMoved, this, &TRaetselForm::RaetselMouseMove);
    m_grid->SetDropHandlers(
        [this](const QMimeData* data, const QPoint& pos) {
            FollowDragKeys();
            return RaetselDragOver(data, pos);
        },
        [this](const QMimeData* data, const QPoint& pos) { RaetselDragDrop(data, pos); });

    ConfigureGrid();
    FormCreate();
}

TRaetselForm::~TRaetselForm() = default;

const TPuzzleData& TRaetselForm::Puzzle() const {
    return m_session.Puzzle();
}

QPoint TRaetselForm::Cursor() const {
    return {m_grid->Col(), m_grid->Row()};
}

void TRaetselForm::ReportCursor() {
    m_session.SetCursor(Cursor(), m_inputDirection);
}

// The legend of a Swedish crossword follows the word under the cursor.
void TRaetselForm::AnnounceCurrentWord() {
    if (!IsSwedish(m_session.Kind()) || !m_session.FormOpen(TFormKind::Legend)) return;
    if (m_currentWord.Number < 1 || m_currentWord.Number > 199) return;
    Q_EMIT CurrentWordChanged(m_currentWord.Number, m_currentWord.Direction);
}

// ---------------------------------------------------------------- creation

void TRaetselForm::FormCreate() {
    const TPuzzleData& p = Puzzle();
    m_lastHoverCell = {-1, -1};
    setWindowTitle(ToQString(p.Title.empty() ? PuzzleTypeCaption(p) : p.Title.str()));
    if (IsJigsaw(m_session.Kind()))
        m_grid->ClearSelection();
    else
        SelectFirstCell();
    m_session.StartPlay();
    ReportCursor();
}

void TRaetselForm::FormShow() {
    const TProgramSettings& s = m_session.Settings();
    const TPuzzleKind kind = m_session.Kind();
    // The side windows are asked for once the frame can hear it.
    if (kind == TPuzzleKind::TimedSudoku) Q_EMIT SideWindowRequested(TFormKind::Stopwatch);
    if (!IsSudoku(kind)) {
        if (HasSolutionWord(kind) && s.LoesungswortZeigen)
            Q_EMIT SideWindowRequested(TFormKind::Solution);
        if (s.LegendeZeigen)
            Q_EMIT SideWindowRequested(IsNumberPuzzle(kind) ? TFormKind::NumLegend
                                                            : TFormKind::Legend);
    }
    ReportCursor();
    UpdateToolbar();
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
    // The frame closes the side windows and the hint, and updates its commands.
    Q_EMIT Closing();
    m_session.EndPlay();
    event->accept();
    // The frame around the window goes with it (when the frame itself is
    // closing it, the call is dropped with it).
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(sub, &QMdiSubWindow::close, Qt::QueuedConnection);
}

// ---------------------------------------------------------------- layout

void TRaetselForm::ConfigureGrid() {
    const TPuzzleData& p = Puzzle();
    const TProgramSettings& s = m_session.Settings();
    const TPuzzleKind kind = m_session.Kind();
    // The cell size comes from the settings block: cut to a size whose grid
    // still fits the widget coordinates.
    const int f = std::clamp(s.Feldgroesse, 1, MaxLayoutCellSize);
    m_grid->SetBackground(ToQColor(s.FarbeBuchstabenfeld, palette()));
    m_grid->SetRangeSelect(IsJigsaw(kind));
    m_grid->SetGridLineWidth(IsBrainTeaser(kind) ? 0 : 1);
    // Outlines of brain-teaser cells reach two pixels beyond the cells.
    m_grid->SetMargin(IsBrainTeaser(kind) ? 2 : 1);
    m_grid->SetDefaultColWidth(f);
    m_grid->SetDefaultRowHeight(f);
    m_grid->SetRowCount(UsedRows(p) + 1);
    m_grid->SetColCount(UsedCols(p) + 1);
    if (!HasHeaderLines(kind)) {
        m_grid->SetColWidth(0, 0);
        m_grid->SetRowHeight(0, 0);
    }
}

void TRaetselForm::GridLayout() {
    const TPuzzleKind kind = m_session.Kind();
    const QPoint cursor = Cursor();
    ConfigureGrid();
    m_grid->SetCurrent(cursor.x(), cursor.y());
    const int g = m_grid->GridLineWidth();
    int height =
        m_grid->RowHeight(0) + (m_grid->RowCount() - 1) * (m_grid->DefaultRowHeight() + g) + 2;
    int width =
        m_grid->ColWidth(0) + (m_grid->ColCount() - 1) * (m_grid->DefaultColWidth() + g) + 2;
    if (!IsBrainTeaser(kind)) {
        ++height;
        ++width;
    }
    m_grid->setFixedSize(width, height);

    QSize wanted(width, height + ToolbarHeight);
    // Every button and panel of the toolbar stays reachable.
    for (const QObject* child : m_toolbar->children())
        if (const auto* w = qobject_cast<const QWidget*>(child); w && w->isVisibleTo(m_toolbar))
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
    m_session.Zoom(step);
}

// ---------------------------------------------------------------- drawing

const TCellPaintContext& TRaetselForm::PaintContext() const {
    const TPuzzleData& p = Puzzle();
    const bool sudoku = IsSudoku(m_session.Kind());
    m_paint.Puzzle = &p;
    m_paint.Settings = &m_session.Settings();
    m_paint.ViewMode = m_session.ViewMode();
    m_paint.Cursor = Cursor();
    m_paint.InputDirection = m_inputDirection;
    m_paint.GridHasFocus = m_grid->hasFocus();
    m_paint.BoxWidth = sudoku ? BoxWidth(p) : 0;
    m_paint.BoxHeight = sudoku ? BoxHeight(p) : 0;
    m_paint.Candidates = &m_session.Candidates();
    m_paint.Arrows = &m_arrows;
    m_paint.Palette = palette();
    m_paint.LetterFace = ToQString(m_session.Settings().Schriftart);
    m_paint.Texts = &m_texts;
    m_paint.Prefilled = PrefillColour(m_session.Settings(), m_session.Kind(), m_paint.Palette);
    return m_paint;
}

TRaetselForm::TCellLook TRaetselForm::LookOf(const TCellPaintContext& ctx, int col, int row) const {
    // Header cells show fixed numbers.
    if (col == 0 || row == 0) return 1;
    const TPuzzleData& p = *ctx.Puzzle;
    const TPuzzleKind kind = KindOf(p);
    const TPuzzleCell& cell = p.cell(col, row);
    const bool cursor = col == ctx.Cursor.x() && row == ctx.Cursor.y();
    const bool highlight = !IsSudoku(kind) && ctx.Settings->AktuellenBegriffMarkieren && !cursor &&
                           IsInCurrentWord(ctx, col, row);
    TCellLook look = 1;
    look |= TCellLook{static_cast<unsigned char>(p.entry(col, row).at(1))} << 1;
    look |= TCellLook{cell.Flags & 0x1Fu} << 9;
    look |= TCellLook{cursor} << 14;
    look |= TCellLook{cursor && ctx.GridHasFocus} << 15;
    look |= TCellLook{highlight} << 16;
    look |= TCellLook{cursor ? static_cast<unsigned>(ctx.InputDirection) : 0u} << 17;
    const QRect& selection = m_grid->Selection();
    const bool selected = col >= selection.left() && col <= selection.right() &&
                          row >= selection.top() && row <= selection.bottom();
    look |= TCellLook{selected} << 19;
    if (IsSudoku(kind) && ctx.Candidates && col <= MaxSudokuSymbols && row <= MaxSudokuSymbols) {
        const auto& symbols =
            (*ctx.Candidates)[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
        for (int sym = 1; sym <= MaxSudokuSymbols; ++sym)
            look |= TCellLook{symbols[static_cast<std::size_t>(sym)] != 0} << (19 + sym);
    }
    return look;
}

void TRaetselForm::NoteChange() {
    m_changed = true;
    if (m_batchDepth == 0) Refresh();
}

void TRaetselForm::Refresh() {
    m_changed = false;
    const TCellPaintContext& ctx = PaintContext();
    const int cols = std::min(m_grid->ColCount(), GridDim);
    const int rows = std::min(m_grid->RowCount(), GridDim);
    for (int c = 0; c < cols; ++c) {
        auto& column = m_drawn[static_cast<std::size_t>(c)];
        for (int r = 0; r < rows; ++r) {
            TCellLook& drawn = column[static_cast<std::size_t>(r)];
            // A cell never drawn is painted when it comes into view.
            if (drawn == 0) continue;
            const TCellLook now = LookOf(ctx, c, r);
            if (now == drawn) continue;
            // The pending repaint will show the new look.
            drawn = now;
            m_grid->InvalidateCell(c, r);
        }
    }
}

void TRaetselForm::RedrawAll() {
    m_changed = false;
    m_grid->InvalidateGrid();
}

void TRaetselForm::PrintGrid(QPainter& canvas, const QRect& area, int& cellSize,
                             TPaintOutput output) {
    TGridPrintView view;
    view.ViewMode = m_session.ViewMode();
    view.Candidates = &m_session.Candidates();
    if (m_session.FormOpen(TFormKind::Solution))
        view.SolutionRow = [this, output](QPainter& painter, const QRect& rect) {
            Q_EMIT SolutionRowPrintRequested(&painter, rect, output);
        };
    cellSize = zx::PrintGrid(canvas, Puzzle(), m_session.Settings(), view, area, output);
}

// ---------------------------------------------------------------- cursor

bool TRaetselForm::RaetselSelectCell(bool fromGrid, int col, int row) {
    if (col <= 0 || row <= 0) return false;
    const TPuzzleData& p = Puzzle();
    m_previousCursor = Cursor();
    if (!IsSudoku(m_session.Kind())) {
        if (fromGrid) UpdateDirection(col, row, false);
        if (QPoint(col, row) != Cursor() || !fromGrid) {
            m_currentWord = GetWordData(p, col, row, true, false, WordDirOf(m_inputDirection));
            AnnounceCurrentWord();
        }
    }
    m_session.SetCursor(QPoint(col, row), m_inputDirection);
    return true;
}

void TRaetselForm::UpdateDirection(int col, int row, bool toggle) {
    const TPuzzleData& p = Puzzle();
    const std::uint32_t stop = StopFlag(m_session.Kind());
    auto isFree = [&](int c, int r) { return !(FlagsAt(Puzzle(), c, r) & stop); };

    m_previousDirection = m_inputDirection;
    TInputDir& dir = m_inputDirection;
    if (dir == TInputDir::None) {
        if (isFree(col + 1, row)) dir = TInputDir::Across;
        if (dir == TInputDir::None && isFree(col, row + 1)) dir = TInputDir::Down;
    }
    if (toggle) {
        if (dir == TInputDir::Across && isFree(col, row + 1))
            dir = TInputDir::Down;
        else if (dir == TInputDir::Down && isFree(col + 1, row))
            dir = TInputDir::Across;
    } else {
        if (dir == TInputDir::Across && !isFree(col + 1, row) &&
            (isFree(col, row + 1) || isFree(col, row - 1)))
            dir = TInputDir::Down;
        if (dir == TInputDir::Down && !isFree(col, row + 1) &&
            (isFree(col + 1, row) || isFree(col - 1, row)))
            dir = TInputDir::Across;
    }
    // The grid is about to move its cursor here when it asks for another
    // cell: the looks are compared once, after the move.
    if (QPoint(col, row) == Cursor()) NoteChange();
    if (dir == m_previousDirection) return;
    m_currentWord = GetWordData(p, col, row, true, false, WordDirOf(dir));
    AnnounceCurrentWord();
    m_session.SetCursor(QPoint(col, row), dir);
}

void TRaetselForm::AdvanceCursor() {
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    // The puzzle's stop flag: in American crosswords the cursor must neither
    // halt before a hidden block (which would give it away) nor run into a
    // cell the player has marked blank.
    const std::uint32_t stop = StopFlag(m_session.Kind());
    if (m_inputDirection == TInputDir::Across && !(FlagsAt(Puzzle(), col + 1, row) & stop) &&
        col + 1 <= UsedCols(Puzzle()))
        m_grid->SelectCell(col + 1, row);
    else if (m_inputDirection == TInputDir::Down && !(FlagsAt(Puzzle(), col, row + 1) & stop) &&
             row + 1 <= UsedRows(Puzzle()))
        m_grid->SelectCell(col, row + 1);
}

void TRaetselForm::SelectFirstCell() {
    TBatch batch(*this);
    const TPuzzleData& p = Puzzle();
    m_previousCursor = {0, 0};
    m_grid->SetCurrent(m_grid->ColCount() - 1, m_grid->RowCount() - 1);
    // By the stop flag: an American crossword's first cursor must not tell
    // where its hidden blocks are.
    const std::uint32_t stop = StopFlag(m_session.Kind());
    for (int r = 1; r <= UsedRows(p); ++r)
        for (int c = 1; c <= UsedCols(p); ++c)
            if (!(FlagsAt(Puzzle(), c, r) & stop)) {
                m_grid->SelectCell(c, r);
                return;
            }
}

void TRaetselForm::GotoWord(int number, TWordDir direction) {
    TBatch batch(*this);
    int col = -1;
    int row = -1;
    if (!FindCellByNumber(Puzzle(), number, col, row)) return;
    m_grid->SetCurrent(col, row);
    m_previousDirection = m_inputDirection;
    m_inputDirection = direction == TWordDir::Across ? TInputDir::Across : TInputDir::Down;
    RaetselSelectCell(false, col, row);
    NoteChange();
}

// ---------------------------------------------------------------- keys

void TRaetselForm::RaetselKeyPress(char key) {
    TBatch batch(*this);
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    switch (m_session.TypeKey(col, row, key, m_inputDirection)) {
    case TKeyEntry::Ignored:
        return;
    case TKeyEntry::NotAnEntry:
        UpdateDirection(col, row, key == '\r');
        return;
    case TKeyEntry::Entered:
        if (!IsSudoku(m_session.Kind())) AdvanceCursor();
        m_session.CheckCompletion();
        return;
    }
}

bool TRaetselForm::TryBackspace(int dc, int dr) {
    const int col = m_grid->Col();
    const int row = m_grid->Row();
    if ((dc != 0 ? col : row) < 2) return false;
    if (FlagsAt(Puzzle(), col + dc, row + dr) & StopFlag(m_session.Kind())) return false;
    if (!m_session.Clearable(col, row)) return false;
    if (!m_session.ClearEntry(col + dc, row + dr, m_inputDirection)) return false;
    m_grid->SelectCell(col + dc, row + dr);
    return true;
}

bool TRaetselForm::RaetselKeyDown(int key) {
    TBatch batch(*this);
    const TPuzzleKind kind = m_session.Kind();
    if (key == Qt::Key_Menu ||
        (key == Qt::Key_F10 && QApplication::keyboardModifiers() == Qt::ShiftModifier)) {
        PopupAtCursor();
        return true;
    }
    if (IsJigsaw(kind)) return false;
    if (key != Qt::Key_Delete && key != Qt::Key_Backspace) return false;
    if (key == Qt::Key_Delete) {
        m_session.ClearEntry(m_grid->Col(), m_grid->Row(), m_inputDirection);
        return true;
    }
    if (!IsCrossword(kind)) return true;
    if (m_inputDirection == TInputDir::Across)
        TryBackspace(-1, 0);
    else if (m_inputDirection == TInputDir::Down)
        TryBackspace(0, -1);
    else if (!TryBackspace(-1, 0))
        TryBackspace(0, -1);
    return true;
}

// ---------------------------------------------------------------- mouse

void TRaetselForm::RaetselMouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (button != Qt::LeftButton || !IsCrossword(m_session.Kind())) return;
    const QPoint cell = m_grid->CellAt(pos);
    // A header cell never becomes the cursor: its neighbours must not turn
    // the direction of the cursor standing elsewhere.
    if (cell.x() <= 0 || cell.y() <= 0) return;
    TBatch batch(*this);
    // The selection handler has already run: PreviousCursor is the cursor
    // cell before this click.
    UpdateDirection(cell.x(), cell.y(), cell == m_previousCursor);
}

QString TRaetselForm::AccessibleCellText(int col, int row) const {
    const TPuzzleData& p = Puzzle();
    if (col < 0 || row < 0 || col > UsedCols(p) || row > UsedRows(p)) return {};
    // The header line and column of French and American crosswords carry numbers.
    if (row == 0 || col == 0) {
        if (!HasHeaderLines(m_session.Kind()) || (row == 0 && col == 0)) return {};
        return QString::number(row == 0 ? col : row);
    }
    const bool block = FlagsAt(p, col, row) & cfBlock;
    const bool solution = m_session.ViewMode() != 0 || (IsJigsaw(m_session.Kind()) && !block);
    return ToQString(solution ? p.cell(col, row).Text.str() : p.entry(col, row).str()).trimmed();
}

QString TRaetselForm::AccessibleCellDescription(int col, int row) const {
    QString text = StatusTextAt(col, row);
    // At the cursor the clue of the current word follows, so that a screen
    // reader reads it when the cursor moves.
    const int index = m_currentWord.Index;
    if (QPoint(col, row) == Cursor() && index >= 0 && index < MaxWords && !IsSudoku(m_session.Kind())) {
        const TPuzzleWord& word = Puzzle().Words[index];
        const QString clue = ToQString(word.Clue.str());
        if (!clue.isEmpty())
            text += QStringLiteral(". %1 %2: %3")
                        .arg(m_currentWord.Direction == TWordDir::Across ? QStringLiteral("Waagerecht")
                                                                         : QStringLiteral("Senkrecht"))
                        .arg(word.Number)
                        .arg(clue);
    }
    return text;
}

QString TRaetselForm::StatusTextAt(int col, int row) const {
    auto utf8 = [](const char* text) { return QString::fromUtf8(text); };
    const TPuzzleKind kind = m_session.Kind();
    const std::uint32_t flags = FlagsAt(Puzzle(), col, row);
    if (HasHeaderLines(kind)) {
        if (row == 0)
            return col == 0 ? QString() : utf8("Die in der Legende angezeigte Spaltennummer");
        if (col == 0) return utf8("Die in der Legende angezeigte Zeilennummer");
        if (flags & cfBlank) return utf8("Dieses Feld ist manuell als Leerfeld festgelegt");
        // Also for blocks: a hidden block of an American crossword must not
        // give itself away.
        if (flags & cfSolution)
            return utf8("Dieses Feld enthält einen Buchstaben des Lösungswortes");
        return utf8("Dieses Feld enthält einen Buchstaben");
    }
    if (flags & cfBlock) return utf8("Dieses Feld ist ein Leerfeld");
    if (IsSudoku(kind))
        return (flags & cfSolution) ? utf8("Dieses Feld enthält ein vorgegebenes Symbol")
                                    : utf8("Dieses Feld enthält ein zu erratendes Symbol");
    return (flags & cfSolution) ? utf8("Dieses Feld enthält einen Buchstaben des Lösungswortes")
                                : utf8("Dieses Feld enthält einen Buchstaben");
}

void TRaetselForm::ShowHoverHint(const QPoint& cell) {
    const TPuzzleData& p = Puzzle();
    const TPuzzleKind kind = m_session.Kind();
    const int col = cell.x();
    const int row = cell.y();
    const TPuzzleCell& c = p.cell(col, row);
    const int n = c.Number;
    const bool numbered = n >= 1 && n <= 199;
    const int m = m_grid->Margin();
    // The hint stands beside the cell under the pointer, never on it.
    const QRect place(m_grid->mapToGlobal(m_grid->CellRect(col, row).topLeft() + QPoint(m, m)),
                      m_grid->CellRect(col, row).size());
    QString text;
    int size = 12;
    if (IsSwedish(kind) && numbered) {
        const QString across = QStringLiteral("W: ") + ToQString(ClueOf(p, n, TWordDir::Across));
        const QString down = QStringLiteral("S: ") + ToQString(ClueOf(p, n, TWordDir::Down));
        if (c.AcrossStart)
            text = c.DownStart ? across + QStringLiteral("\r\n") + down : across;
        else if (c.DownStart)
            text = down;
        else
            text = QString::number(n) + m_grid->statusTip();
        size = 0;
    } else if (IsNumberPuzzle(kind) && !(c.Flags & cfBlock) && n < 200) {
        // A letter missing from the code table has no number to tell.
        if (const int code = CodeOfLetter(p, c.Text.view()); code >= 0)
            text = QString::number(code);
    } else if (IsBrainTeaser(kind) && !(c.Flags & cfBlock) && numbered &&
               m_session.Settings().LaengenZeigen) {
        const int across = WordLength(p, n, TWordDir::Across);
        const int down = WordLength(p, n, TWordDir::Down);
        if (c.AcrossStart && c.DownStart)
            text = QStringLiteral("%1 / %2").arg(across).arg(down);
        else
            text = QString::number(c.AcrossStart ? across : down);
    } else if (HasHeaderLines(kind) && (col == 0) != (row == 0)) {
        // The block counts the legend lists for each column and row.
        text = QString::number(row == 0 ? CountBlocks(p, col, false) : CountBlocks(p, row, true));
    }
    if (!text.isEmpty()) m_frame.ShowHintAt(place, size, text);
}

void TRaetselForm::RaetselMouseMove(const QPoint& pos) {
    const QPoint cell = m_grid->CellAt(pos);
    // Within one cell nothing changes.
    if (cell == m_lastHoverCell) return;
    if (m_frame.HintVisible()) m_frame.CloseHint();
    m_lastHoverCell = cell;
    const bool onCell = cell.x() >= 0 && cell.y() >= 0;
    if (onCell && m_session.Settings().HinweiseZeigen) ShowHoverHint(cell);
    // The frame's status line shows the hint of the control under the mouse.
    const QString status = onCell ? StatusTextAt(cell.x(), cell.y()) : QString();
    m_grid->setStatusTip(status);
    QStatusTipEvent tip(status);
    QApplication::sendEvent(m_grid, &tip);
}

void TRaetselForm::RaetselMouseUp(const QRect& range) {
    if (!IsJigsaw(m_session.Kind()) || range.isEmpty()) return;
    TBatch batch(*this);
    // A painted word leaves no selection behind while the legend can tick it;
    // a single cell marks nothing and keeps its selection.
    const bool single = range.width() == 1 && range.height() == 1;
    if (!single && m_session.FormOpen(TFormKind::Legend)) m_grid->ClearSelection();
    m_session.PaintRange(range);
}

bool TRaetselForm::RaetselDragOver(const QMimeData* data, const QPoint& pos) const {
    if (!IsBrainTeaser(m_session.Kind()) || !m_session.FormOpen(TFormKind::Legend)) return false;
    if (!ReadWordDrag(data)) return false;
    const QPoint cell = m_grid->CellAt(pos);
    if (cell.x() < 0 || cell.y() < 0) return false;
    // A hidden number still starts its word.
    const int n = PlainNumber(Puzzle().cell(cell.x(), cell.y()).Number);
    return n >= 1 && n <= 199;
}

void TRaetselForm::FollowDragKeys() {
    // While a drag runs the toolkit keeps the key events to itself: Shift and
    // Ctrl are read off the keyboard at each move, and the legend's drag
    // cursor follows them through the session.
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    const TProgramSettings& s = m_session.Settings();
    const bool vertical =
        s.EinfacheLegende ? (held & Qt::ShiftModifier) != 0 : m_session.DragVertical();
    const bool reversed = Puzzle().ReverseAllowed != 0 && (held & Qt::ControlModifier);
    m_session.SetDragFlags(vertical, reversed);
}

void TRaetselForm::RaetselDragDrop(const QMimeData* data, const QPoint& pos) {
    if (!RaetselDragOver(data, pos)) return;
    const std::optional<TDraggedWord> word = ReadWordDrag(data);
    const QPoint cell = m_grid->CellAt(pos);
    // With two lists the list tells the direction; the single list places a
    // word across unless Shift asks for down.
    // While a drag runs the toolkit keeps the key events to itself, so Shift
    // and Ctrl pressed meanwhile are read off the keyboard at the drop.
    const Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    const bool vertical = m_session.DragVertical() ||
                          (m_session.Settings().EinfacheLegende && (held & Qt::ShiftModifier));
    TWordDir direction = TWordDir::Across;
    if (word->TwoLists)
        direction = word->List == TLegendList::Across ? TWordDir::Across : TWordDir::Down;
    else if (vertical)
        direction = TWordDir::Down;
    const bool reversed =
        (m_session.DragReversed() || (held & Qt::ControlModifier)) && Puzzle().ReverseAllowed != 0;
    TBatch batch(*this);
    m_session.DropWord(cell.x(), cell.y(), direction, word->Word, reversed, word->WordIndex);
    m_grid->SelectCell(cell.x(), cell.y());
    // The next letters typed belong to the grid, not to the list the word came from.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub && sub->mdiArea())
        sub->mdiArea()->setActiveSubWindow(sub);
    m_grid->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- commands

void TRaetselForm::CreateToolbar() {
    const struct {
        TSpeedButton** member;
        const char* name;
        TPlayCommand command;
        int group;
        int left;
        const char* icon;
        const char* hint;
    } buttons[] = {
        {nullptr, "SBZoomIn", TPlayCommand::ZoomIn, 0, 4, "zoomin",
         "Die Gitter des Rätsels vergrößern"},
        {nullptr, "SBZoomOut", TPlayCommand::ZoomOut, 0, 26, "zoomout",
         "Die Gitter des Rätsels verkleinern"},
        {nullptr, "SBShowFail", TPlayCommand::ShowErrors, 1, 60, "showfail",
         "Fehlerhafte Buchstaben im Rätsel farblich absetzen"},
        {&m_sbShowLength, "SBShowLength", TPlayCommand::ShowLengths, 2, 82, "showlength",
         "Die Längen der Begriffe anzeigen"},
        {&m_sbShowHintGrids, "SBShowHintGrids", TPlayCommand::ShowLengths, 5, 82, "hintgrids",
         "Alle möglichen Zahlen in den Feldern anzeigen"},
        {&m_sbShowHints, "SBShowHints", TPlayCommand::ShowHints, 3, 104, "hints",
         "Nummern und Umschreibungen als Tooltip anzeigen"},
        {&m_sbBegrEintragen, "SBBegrEintragen", TPlayCommand::EnterWord, 0, 0, "wordenter",
         "Den gesuchten Begriff für die aktuelle Eingabeposition eingeben"},
        {&m_sbBuchstEintragen, "SBBuchstEintragen", TPlayCommand::RevealLetter, 0, 0, "letterenter",
         "An der aktuellen Eingabeposition den gesuchten Buchstaben eintragen"},
        {nullptr, "SBLeerfeld", TPlayCommand::BlankField, 4, 180, "blankfield",
         "Das markierte Feld im Rätsel als Leerfeld festlegen"},
    };
    for (const auto& b : buttons) {
        auto* button =
            new TSpeedButton(SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(b.icon))),
                             QString::fromUtf8(b.hint), m_toolbar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFixedSize(22, 22);
        button->setIconSize(QSize(16, 16));
        button->move(b.left, 4);
        // Grouped buttons stay down until clicked again.
        button->SetGroupIndex(b.group);
        button->SetAllowAllUp(true);
        button->SetCommand(m_commands.Action(b.command));
        if (b.member)
            *b.member = button;
        else
            m_commandButtons.push_back(button);
    }
    m_commandButtons.push_back(m_sbShowHints);
    m_commandButtons.push_back(m_sbBegrEintragen);
    m_commandButtons.push_back(m_sbBuchstEintragen);

    // The marking filter of a Sudoku: one radio group, exactly one button down.
    m_panelMark = new TGradientBar(m_toolbar, 22);
    m_panelMark->setObjectName(QStringLiteral("PanelMark"));
    m_panelMark->setFixedWidth(14 * 22);
    for (int tag = 0; tag <= 13; ++tag) {
        auto* button = new TSpeedButton(m_panelMark);
        button->setFixedSize(22, 22);
        button->setIconSize(QSize(16, 16));
        button->move(22 * tag, 0);
        button->SetTag(tag);
        button->SetGroupIndex(1);
        if (tag == 0) {
            button->setObjectName(QStringLiteral("SBMarkKeine"));
            button->setIcon(SvgIcon(QStringLiteral(":/icons/markkeine.svg")));
            button->SetHint(QString::fromUtf8("Die Markierung im Rätsel aufheben"));
        } else if (tag == 13) {
            button->setObjectName(QStringLiteral("SBMarkDuo"));
            button->setIcon(SvgIcon(QStringLiteral(":/icons/markduo.svg")));
            button->SetHint(QString::fromUtf8("Alle Felder markieren, in die nur ein oder zwei "
                                              "mögliche Zahlen eingetragen werden können"));
        } else {
            button->setObjectName(QStringLiteral("SBMark%1").arg(tag));
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
            button->setText(QString::fromLatin1(SymbolText(tag)));
            QFont bold = button->font();
            bold.setBold(true);
            button->setFont(bold);
            button->SetHint(
                QString::fromUtf8("Für dieses Symbol mögliche Felder im Rätsel farblich absetzen"));
        }
        button->SetCommand(m_commands.MarkAction(tag));
        m_markButtons[static_cast<std::size_t>(tag)] = button;
    }
}

void TRaetselForm::UpdateToolbar() {
    const TPuzzleKind kind = m_session.Kind();
    for (TSpeedButton* button : m_commandButtons)
        button->setVisible(button->Command()->isVisible());
    const bool lengths = m_commands.Action(TPlayCommand::ShowLengths)->isVisible();
    m_sbShowLength->setVisible(lengths && IsBrainTeaser(kind));
    m_sbShowHintGrids->setVisible(lengths && IsSudoku(kind));
    // The word, letter and marking controls follow the visible buttons.
    const int begriff =
        m_sbShowHints->x() + (m_sbShowHints->isVisible() ? m_sbShowHints->width() : 0) + 8;
    m_sbBegrEintragen->move(begriff, 4);
    m_sbBuchstEintragen->move(begriff + m_sbBegrEintragen->width(), 4);
    m_panelMark->move(m_sbBuchstEintragen->x() + m_sbBuchstEintragen->width(), 4);
    m_panelMark->setVisible(IsSudoku(kind));
    // Only the puzzle's own symbols are offered, then the two-symbol marking.
    const int symbols = Puzzle().ColCount;
    int left = 0;
    for (int tag = 0; tag <= 13; ++tag) {
        TSpeedButton* button = m_markButtons[static_cast<std::size_t>(tag)];
        const bool offered = tag <= symbols || tag == 13;
        button->setVisible(offered);
        if (!offered) continue;
        button->move(left, 0);
        left += button->width();
    }
    m_panelMark->setFixedWidth(left);
}

void TRaetselForm::CreatePopupMenu() {
    auto utf8 = [](const char* text) { return QString::fromUtf8(text); };
    auto mirror = [this, utf8](TPlayCommand command, const char* name, const char* caption,
                               const char* hint) {
        QAction* item = MirrorCommand(m_commands.Action(command), utf8(caption), utf8(hint), this);
        item->setObjectName(QString::fromLatin1(name));
        return item;
    };
    QMenu* menu = new QMenu(this);
    m_menuRaetselPlay = menu;
    menu->setObjectName(QStringLiteral("MenuRaetselPlay"));
    menu->addAction(mirror(TPlayCommand::BlankField, "MItemPlayLeerfeld", "Leerfeld",
                           "Das markierte Feld im Rätsel als Leerfeld festlegen"));
    m_mItemPlayBuchstEintragen =
        mirror(TPlayCommand::RevealLetter, "MItemPlayBuchstEintragen", "Buchstaben eintragen",
               "An der aktuellen Eingabeposition den gesuchten Buchstaben eintragen");
    menu->addAction(m_mItemPlayBuchstEintragen);
    menu->addAction(mirror(TPlayCommand::EnterWord, "MItemPlayBegriffEintragen",
                           "Begriff eintragen..",
                           "Den gesuchten Begriff für die aktuelle Eingabeposition eingeben"));
    menu->addAction(m_commands.Action(TPlayCommand::LookUpWord));
    menu->addAction(m_commands.Action(TPlayCommand::ShowClue));
    menu->addAction(m_commands.Action(TPlayCommand::LookUp));
    menu->addSeparator();
    menu->addAction(mirror(TPlayCommand::ZoomIn, "MItemPlayZoomIn", "Ansicht vergrößern",
                           "Die Gitter des Rätsels vergrößern"));
    menu->addAction(mirror(TPlayCommand::ZoomOut, "MItemPlayZoomOut", "Ansicht verkleinern",
                           "Die Gitter des Rätsels verkleinern"));
    menu->addSeparator();
    menu->addAction(mirror(TPlayCommand::ShowErrors, "MItemPlayShowFail", "Fehleinträge markieren",
                           "Fehlerhafte Buchstaben im Rätsel farblich absetzen"));
    m_mItemPlayShowLength =
        mirror(TPlayCommand::ShowLengths, "MItemPlayShowLength", "&Begrifflängen anzeigen",
               "Die Längen der Begriffe in Knobelgittern anzeigen");
    menu->addAction(m_mItemPlayShowLength);
    // The popup offers the tooltips for every kind.
    QAction* hints = MirrorCommand(m_commands.Action(TPlayCommand::ShowHints),
                                   utf8("Tooltips anzeigen"), QString(), this, false);
    hints->setObjectName(QStringLiteral("MItemPlayShowHints"));
    menu->addAction(hints);

    m_mItemPlayFelderMarkieren = menu->addMenu(utf8("Felder markieren"));
    m_mItemPlayFelderMarkieren->setObjectName(QStringLiteral("MItemPlayFelderMarkieren"));
    m_mItemPlayFelderMarkieren->menuAction()->setStatusTip(
        utf8("Ausgewählte Felder im Rätsel farblich markieren"));
    connect(m_mItemPlayFelderMarkieren, &QMenu::aboutToShow, &m_commands,
            &TPlayCommands::UpdateMarkItems);
    for (int tag = 0; tag <= 13; ++tag) {
        QAction* command = m_commands.MarkAction(tag);
        QString caption = command->text();
        caption.remove(QLatin1Char('&'));
        QAction* item =
            MirrorCommand(command, caption, m_commands.MarkItem(tag)->statusTip(), this, false);
        // Shown like the frame's item: for the symbols the puzzle uses, the
        // chosen one ticked.
        connect(m_mItemPlayFelderMarkieren, &QMenu::aboutToShow, item, [this, item, tag] {
            item->setVisible(m_commands.MarkItem(tag)->isVisible());
            item->setCheckable(true);
            item->setChecked(tag == m_session.MarkSymbol());
        });
        if (tag == 1 || tag == 13) m_mItemPlayFelderMarkieren->addSeparator();
        m_mItemPlayFelderMarkieren->addAction(item);
    }

    m_mItemPlaySchnappschuss = menu->addMenu(utf8("Schnappschuss"));
    m_mItemPlaySchnappschuss->setObjectName(QStringLiteral("MItemPlaySchnappschuss"));
    m_mItemPlaySchnappschuss->addAction(
        mirror(TPlayCommand::TakeSnapshot, "MItemPlaySnapErstellen", "Erstellen",
               "Einen Schnappschuss des aktuellen Rätselzustands speichern"));
    m_mItemPlaySchnappschuss->addSeparator();
    for (int slot = 1; slot <= TPlayerSession::SnapshotSlots; ++slot)
        m_mItemPlaySchnappschuss->addAction(m_commands.SnapshotAction(slot));
    connect(m_mItemPlaySchnappschuss, &QMenu::aboutToShow, &m_commands,
            &TPlayCommands::UpdateSnapshotItems);
    menu->addSeparator();
    QAction* close = menu->addAction(utf8("Schließen"));
    close->setObjectName(QStringLiteral("MItemPlaySchliessen"));
    close->setStatusTip(utf8("Das Rätsel schließen"));
    connect(close, &QAction::triggered, this, &TRaetselForm::MItemPlaySchliessenClick);
}

void TRaetselForm::MenuRaetselPlayPopup(const QPoint& at) {
    const TPuzzleKind kind = m_session.Kind();
    const bool sudoku = IsSudoku(kind);
    m_mItemPlayBuchstEintragen->setText(sudoku ? QString::fromUtf8("Symbol eintragen")
                                               : QString::fromUtf8("Buchstaben eintragen"));
    m_mItemPlayShowLength->setText(sudoku ? QString::fromUtf8("&Mögliche Zahlen anzeigen")
                                          : QString::fromUtf8("&Begrifflängen anzeigen"));
    m_mItemPlayShowLength->setStatusTip(
        sudoku ? QString::fromUtf8("Alle möglichen Zahlen in den Feldern anzeigen")
               : QString::fromUtf8("Die Längen der Begriffe in Knobelgittern anzeigen"));
    m_mItemPlayFelderMarkieren->menuAction()->setVisible(sudoku);
    m_mItemPlaySchnappschuss->menuAction()->setVisible(kind == TPuzzleKind::Sudoku);
    m_menuRaetselPlay->popup(m_grid->mapToGlobal(at));
}

void TRaetselForm::PopupAtCursor() {
    // Keyboard users get the popup at the cursor cell; the toolkit may ask for
    // it a second time for the same key.
    if (m_menuRaetselPlay->isVisible()) return;
    const QRect cell = m_grid->CellRect(m_grid->Col(), m_grid->Row());
    MenuRaetselPlayPopup(cell.isNull() ? QPoint(0, 0) : cell.bottomLeft());
}

bool TRaetselForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::Leave) {
        // Coming back onto the same cell shows its hint again.
        m_lastHoverCell = {-1, -1};
        if (m_frame.HintVisible()) m_frame.CloseHint();
        return false;
    }
    if (watched != m_grid || event->type() != QEvent::ContextMenu)
        return QWidget::eventFilter(watched, event);
    const auto* menu = static_cast<QContextMenuEvent*>(event);
    if (menu->reason() != QContextMenuEvent::Mouse) {
        PopupAtCursor();
        return true;
    }
    // In American crosswords the cursor goes to the clicked cell first, so
    // that the blank-field command acts on it.
    const QPoint cell = m_grid->CellAt(menu->pos());
    if (IsAmerican(m_session.Kind()) && cell.x() > 0 && cell.y() > 0)
        m_grid->SelectCell(cell.x(), cell.y());
    MenuRaetselPlayPopup(menu->pos());
    return true;
}

void TRaetselForm::MItemPlaySchliessenClick() {
    close();
    // Closing the puzzle ends the program.
    if (QWidget* top = window(); top != this) top->close();
}

} // namespace zx
