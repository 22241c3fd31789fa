// The owner-drawn string grid: geometry, painting by exposed cells, keyboard
// navigation through the selection handler, range selection with the mouse,
// drops the owner accepts.
#include "controls/DrawGrid.h"

#include <QAccessible>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "controls/GridAccessible.h"

namespace zx {

namespace {
// Painters may draw outlines up to this far beyond a cell's rectangle.
constexpr int OverdrawMargin = 3;
} // namespace

TDrawGrid::TDrawGrid(QWidget* parent) : QWidget(parent) {
    InstallGridAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetColCount(5);
    SetRowCount(5);
}

void TDrawGrid::SetColCount(int n) {
    m_colWidths.assign(static_cast<std::size_t>(std::max(n, 0)), m_defaultColWidth);
    m_col = std::clamp(m_col, 0, std::max(ColCount() - 1, 0));
    InvalidateGrid();
}

void TDrawGrid::SetRowCount(int n) {
    m_rowHeights.assign(static_cast<std::size_t>(std::max(n, 0)), m_defaultRowHeight);
    m_row = std::clamp(m_row, 0, std::max(RowCount() - 1, 0));
    InvalidateGrid();
}

void TDrawGrid::SetDefaultColWidth(int w) {
    m_defaultColWidth = std::max(w, 0);
    std::fill(m_colWidths.begin(), m_colWidths.end(), m_defaultColWidth);
    InvalidateGrid();
}

void TDrawGrid::SetDefaultRowHeight(int h) {
    m_defaultRowHeight = std::max(h, 0);
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), m_defaultRowHeight);
    InvalidateGrid();
}

int TDrawGrid::ColWidth(int col) const {
    return (col >= 0 && col < ColCount()) ? m_colWidths[static_cast<std::size_t>(col)] : 0;
}

int TDrawGrid::RowHeight(int row) const {
    return (row >= 0 && row < RowCount()) ? m_rowHeights[static_cast<std::size_t>(row)] : 0;
}

void TDrawGrid::SetColWidth(int col, int w) {
    if (col < 0 || col >= ColCount()) return;
    m_colWidths[static_cast<std::size_t>(col)] = std::max(w, 0);
    InvalidateGrid();
}

void TDrawGrid::SetRowHeight(int row, int h) {
    if (row < 0 || row >= RowCount()) return;
    m_rowHeights[static_cast<std::size_t>(row)] = std::max(h, 0);
    InvalidateGrid();
}

void TDrawGrid::SetGridLineWidth(int w) {
    m_lineWidth = std::max(w, 0);
    InvalidateGrid();
}

void TDrawGrid::SetGridLineColor(const QColor& c) {
    m_lineColor = c;
    InvalidateGrid();
}

void TDrawGrid::SetBackground(const QColor& c) {
    m_background = c;
    InvalidateGrid();
}

void TDrawGrid::SetMargin(int m) {
    m_margin = std::max(m, 0);
    InvalidateGrid();
}

int TDrawGrid::ColLeft(int col) const {
    int x = 0;
    for (int i = 0; i < col && i < ColCount(); ++i)
        x += m_colWidths[static_cast<std::size_t>(i)] + m_lineWidth;
    return x;
}

int TDrawGrid::RowTop(int row) const {
    int y = 0;
    for (int i = 0; i < row && i < RowCount(); ++i)
        y += m_rowHeights[static_cast<std::size_t>(i)] + m_lineWidth;
    return y;
}

QRect TDrawGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
    return QRect(ColLeft(col), RowTop(row), ColWidth(col), RowHeight(row));
}

QPoint TDrawGrid::CellAt(const QPoint& pos) const {
    const int x = pos.x() - m_margin;
    const int y = pos.y() - m_margin;
    if (x < 0 || y < 0) return {-1, -1};
    int col = -1;
    for (int c = 0, left = 0; c < ColCount(); ++c) {
        const int right = left + ColWidth(c) + m_lineWidth;
        if (x < right) {
            col = c;
            break;
        }
        left = right;
    }
    int row = -1;
    for (int r = 0, top = 0; r < RowCount(); ++r) {
        const int bottom = top + RowHeight(r) + m_lineWidth;
        if (y < bottom) {
            row = r;
            break;
        }
        top = bottom;
    }
    if (col < 0 || row < 0) return {-1, -1};
    return {col, row};
}

int TDrawGrid::ContentWidth() const {
    return ColLeft(ColCount());
}
int TDrawGrid::ContentHeight() const {
    return RowTop(RowCount());
}

bool TDrawGrid::Accepts(int col, int row) const {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return false;
    return !m_select || m_select(col, row);
}

bool TDrawGrid::SelectCell(int col, int row) {
    if (!Accepts(col, row)) return false;
    SetCurrent(col, row);
    return true;
}

void TDrawGrid::SetCurrent(int col, int row) {
    if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return;
    if (col == m_col && row == m_row) {
        InvalidateCell(col, row);
        return;
    }
    InvalidateCell(m_col, m_row);
    m_col = col;
    m_row = row;
    InvalidateCell(col, row);
    NotifyAccessibleFocus();
    Q_EMIT CurrentCellChanged(col, row);
}

void TDrawGrid::SetAccessibleCells(TCellText text, TCellText description) {
    m_accessibleText = std::move(text);
    m_accessibleDescription = std::move(description);
}

int TDrawGrid::AccessibleIndex(int col, int row) const {
    const int firstCol = FirstAccessibleCol();
    const int firstRow = FirstAccessibleRow();
    if (col < firstCol || row < firstRow || col >= ColCount() || row >= RowCount()) return -1;
    return (row - firstRow) * (ColCount() - firstCol) + (col - firstCol);
}

void TDrawGrid::NotifyAccessibleFocus() {
    // Screen readers follow the keyboard focus: a grid without it has nothing to tell.
    if (!hasFocus()) return;
    const int index = AccessibleIndex(m_col, m_row);
    if (index < 0) return;
    // Without an assistive technology listening, the toolkit would still
    // build the cell's interface for the event: on every arrow key.
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(index);
        QAccessible::updateAccessibility(&event);
    }
    Q_EMIT AccessibleFocusRaised(index);
}

void TDrawGrid::SetRangeSelect(bool on) {
    m_rangeSelect = on;
    if (!on) ClearSelection();
}

void TDrawGrid::SetSelection(const QRect& cells) {
    const QRect old = m_selection;
    m_selection = cells.normalized();
    for (const QRect& r : {old, m_selection}) {
        if (r.isEmpty()) continue;
        const QRect first = CellRect(r.left(), r.top());
        const QRect last =
            CellRect(std::min(r.right(), ColCount() - 1), std::min(r.bottom(), RowCount() - 1));
        Invalidate(first.united(last).translated(m_margin, m_margin));
    }
}

void TDrawGrid::Invalidate(const QRect& widgetRect) {
    const QRect r =
        widgetRect.adjusted(-OverdrawMargin, -OverdrawMargin, OverdrawMargin, OverdrawMargin);
    m_invalidated += r;
    update(r);
}

void TDrawGrid::InvalidateCell(int col, int row) {
    const QRect r = CellRect(col, row);
    if (r.isNull()) return;
    Invalidate(r.adjusted(0, 0, m_lineWidth, m_lineWidth).translated(m_margin, m_margin));
}

void TDrawGrid::InvalidateGrid() {
    m_invalidated += rect();
    update();
}

QRegion TDrawGrid::TakeInvalidatedRegion() {
    QRegion r = m_invalidated;
    m_invalidated = QRegion();
    return r;
}

int TDrawGrid::VisibleRows() const {
    const QRect visible = visibleRegion().boundingRect();
    const int height = visible.isEmpty() ? this->height() : visible.height();
    const int step = std::max(m_defaultRowHeight + m_lineWidth, 1);
    return std::max(height / step, 1);
}

void TDrawGrid::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect exposed = event->rect();
    // Cells fill themselves: only the margins and the space beyond the last
    // cells need the background.
    const QRegion uncovered =
        QRegion(exposed) - QRect(m_margin, m_margin, ContentWidth(), ContentHeight());
    for (const QRect& r : uncovered)
        p.fillRect(r, m_background);
    p.translate(m_margin, m_margin);
    const QRect area =
        exposed.translated(-m_margin, -m_margin)
            .adjusted(-OverdrawMargin, -OverdrawMargin, OverdrawMargin, OverdrawMargin);

    if (m_paintBegin) m_paintBegin();
    // With a prefill colour each row of cells is filled in one pass just
    // before its cells are drawn (while it is still in the cache), and the
    // vertical lines are drawn row by row over it.
    const bool prefill = m_draw && m_prefill.isValid();
    const int contentWidth = ContentWidth();
    auto verticalLines = [&](int top, int height) {
        for (int c = 0, x = 0; c < ColCount(); ++c) {
            x += ColWidth(c);
            if (x + m_lineWidth >= area.left() && x <= area.right())
                p.fillRect(QRect(x, top, m_lineWidth, height), m_lineColor);
            x += m_lineWidth;
        }
    };
    // Grid lines before the cells: cells may paint their own outlines over them.
    if (m_lineWidth > 0) {
        if (!prefill) verticalLines(0, ContentHeight());
        for (int r = 0, y = 0; r < RowCount(); ++r) {
            y += RowHeight(r);
            if (y + m_lineWidth >= area.top() && y <= area.bottom())
                p.fillRect(QRect(0, y, contentWidth, m_lineWidth), m_lineColor);
            y += m_lineWidth;
        }
    }
    if (!m_draw) return;
    for (int r = 0, top = 0; r < RowCount(); ++r) {
        const int h = RowHeight(r);
        if (top > area.bottom()) break;
        if (top + h >= area.top() && h > 0) {
            if (prefill) {
                p.fillRect(area & QRect(0, top, contentWidth, h), m_prefill);
                if (m_lineWidth > 0) verticalLines(top, h);
            }
            for (int c = 0, left = 0; c < ColCount(); ++c) {
                const int w = ColWidth(c);
                if (left > area.right()) break;
                if (left + w >= area.left() && w > 0) {
                    const bool selected = m_selection.contains(c, r);
                    p.save();
                    m_draw(p, c, r, QRect(left, top, w, h), selected);
                    p.restore();
                }
                left += w + m_lineWidth;
            }
        }
        top += h + m_lineWidth;
    }
}

bool TDrawGrid::SelectFirstAccepted(const std::vector<QPoint>& cells) {
    for (const QPoint& c : cells)
        if (SelectCell(c.x(), c.y())) return true;
    return false;
}

bool TDrawGrid::Navigate(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    std::vector<QPoint> cells;
    switch (event->key()) {
    case Qt::Key_Left:
        for (int c = m_col - 1; c >= 0; --c)
            cells.emplace_back(c, m_row);
        break;
    case Qt::Key_Right:
        for (int c = m_col + 1; c < ColCount(); ++c)
            cells.emplace_back(c, m_row);
        break;
    case Qt::Key_Up:
        for (int r = m_row - 1; r >= 0; --r)
            cells.emplace_back(m_col, r);
        break;
    case Qt::Key_Down:
        for (int r = m_row + 1; r < RowCount(); ++r)
            cells.emplace_back(m_col, r);
        break;
    case Qt::Key_Home:
        if (ctrl) {
            for (int r = 0; r < RowCount(); ++r)
                for (int c = 0; c < ColCount(); ++c)
                    cells.emplace_back(c, r);
        } else {
            for (int c = 0; c < ColCount(); ++c)
                cells.emplace_back(c, m_row);
        }
        break;
    case Qt::Key_End:
        if (ctrl) {
            for (int r = RowCount() - 1; r >= 0; --r)
                for (int c = ColCount() - 1; c >= 0; --c)
                    cells.emplace_back(c, r);
        } else {
            for (int c = ColCount() - 1; c >= 0; --c)
                cells.emplace_back(c, m_row);
        }
        break;
    case Qt::Key_PageDown: {
        // The page's last row first, then back towards the cursor.
        const int target = std::min(m_row + VisibleRows(), RowCount() - 1);
        for (int r = target; r > m_row; --r)
            cells.emplace_back(m_col, r);
        break;
    }
    case Qt::Key_PageUp: {
        const int target = std::max(m_row - VisibleRows(), 0);
        for (int r = target; r < m_row; ++r)
            cells.emplace_back(m_col, r);
        break;
    }
    default:
        return false;
    }
    // Arrows and Page keys list only cells beyond the cursor. Home and End list
    // their whole range: the cursor goes to the first cell accepted there and
    // stays when it already stands on it.
    SelectFirstAccepted(cells);
    return true;
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (m_keyDown && m_keyDown(event)) return;
    if (Navigate(event)) return;
    if (!m_keyPress) return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_keyPress('\r');
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) return;
    const QChar ch = text.at(0);
    // Windows-1252 has a byte for Latin-1 characters; the few others are not typeable here.
    if (ch.unicode() > 0xFF) return;
    m_keyPress(static_cast<char>(static_cast<unsigned char>(ch.unicode())));
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
        const QPoint cell = CellAt(pos);
        if (cell.x() >= 0 && SelectCell(cell.x(), cell.y()) && m_rangeSelect) {
            m_anchor = cell;
            SetSelection(QRect(cell, cell));
        }
    }
    Q_EMIT MousePressed(event->button(), pos);
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const bool ranging = m_rangeSelect && m_anchor.x() >= 0;
    // The next move without the button belongs to no range.
    m_anchor = {-1, -1};
    // A copy: receivers may change the selection while they handle the range.
    const QRect cells = m_selection;
    if (ranging && !cells.isEmpty()) Q_EMIT RangeSelected(cells);
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint cell = CellAt(event->position().toPoint());
    if (cell.x() >= 0) Q_EMIT CellDoubleClicked(cell.x(), cell.y());
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_rangeSelect && (event->buttons() & Qt::LeftButton) && m_anchor.x() >= 0) {
        const QPoint cell = CellAt(pos);
        if (cell.x() >= 0) SetSelection(QRect(m_anchor, cell).normalized());
    }
    Q_EMIT MouseMoved(pos);
}

void TDrawGrid::SetDropHandlers(TDragOverHandler over, TDropHandler drop) {
    m_dragOver = std::move(over);
    m_drop = std::move(drop);
    setAcceptDrops(m_dragOver && m_drop);
}

void TDrawGrid::dragEnterEvent(QDragEnterEvent* event) {
    // Entering must be accepted for the moves to arrive; each move then
    // decides for its own position.
    if (m_dragOver && m_drop)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDrawGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (m_dragOver && m_dragOver(event->mimeData(), event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDrawGrid::dropEvent(QDropEvent* event) {
    const QPoint pos = event->position().toPoint();
    // Asked again: a drop may arrive without a move at its final position.
    if (!m_dragOver || !m_drop || !m_dragOver(event->mimeData(), pos)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_drop(event->mimeData(), pos);
}

void TDrawGrid::focusInEvent(QFocusEvent* event) {
    InvalidateCell(m_col, m_row);
    QWidget::focusInEvent(event);
    NotifyAccessibleFocus();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event) {
    InvalidateCell(m_col, m_row);
    QWidget::focusOutEvent(event);
}

} // namespace zx
