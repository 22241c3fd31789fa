// An owner-drawn string grid: cells of adjustable size separated by grid
// lines, a current cell guarded by a selection handler, range selection,
// deterministic keyboard navigation and an optional drop target. The owner
// paints every cell.
#pragma once

#include <QColor>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

class QMimeData;

namespace zx {

class TDrawGrid : public QWidget {
    Q_OBJECT
public:
    // Asked before (col, row) becomes the current cell; false refuses it. A
    // refused cell must cause no side effects, since navigation probes cells.
    using TSelectHandler = std::function<bool(int col, int row)>;
    // Paints one cell into rect (client coordinates); selected: the cell lies
    // in the range selection.
    using TDrawHandler =
        std::function<void(QPainter& painter, int col, int row, const QRect& rect, bool selected)>;
    // Sees every key first; true consumes it.
    using TKeyDownHandler = std::function<bool(QKeyEvent* event)>;
    // A typed character (Windows-1252; '\r' for Enter) that no navigation used.
    using TKeyPressHandler = std::function<void(char key)>;
    // Asked while something is dragged over pos (widget coordinates); true
    // welcomes a drop there.
    using TDragOverHandler = std::function<bool(const QMimeData* data, const QPoint& pos)>;
    // Takes data dropped at pos, where the drag-over handler welcomed it.
    using TDropHandler = std::function<void(const QMimeData* data, const QPoint& pos)>;

    explicit TDrawGrid(QWidget* parent = nullptr);

    void SetSelectHandler(TSelectHandler h) { m_select = std::move(h); }
    // Runs once before the cells of a paint pass are drawn.
    void SetPaintBeginHandler(std::function<void()> h) { m_paintBegin = std::move(h); }
    // The colour most cells fill themselves with, or an invalid colour. The
    // grid then fills the exposed cells with it in one pass before it draws
    // them (on a screen of pixel ratio 2 one long fill costs half of what a
    // short one per cell does), and a cell of exactly this colour may leave
    // its background as it finds it. May be set by the paint-begin handler.
    void SetPrefillColour(const QColor& c) { m_prefill = c; }
    void SetDrawHandler(TDrawHandler h) { m_draw = std::move(h); }
    void SetKeyDownHandler(TKeyDownHandler h) { m_keyDown = std::move(h); }
    void SetKeyPressHandler(TKeyPressHandler h) { m_keyPress = std::move(h); }
    // With both handlers the grid is a drop target.
    void SetDropHandlers(TDragOverHandler over, TDropHandler drop);
    // What assistive technology reads of a cell: its text, and a description
    // (the kind of cell, the clue at the cursor, ...).
    using TCellText = std::function<QString(int col, int row)>;
    void SetAccessibleCells(TCellText text, TCellText description);
    QString AccessibleText(int col, int row) const { return m_accessibleText ? m_accessibleText(col, row) : QString(); }
    QString AccessibleDescription(int col, int row) const {
        return m_accessibleDescription ? m_accessibleDescription(col, row) : QString();
    }
    // The part of the grid assistive technology sees as a table: header
    // columns and rows of no size are left out.
    int FirstAccessibleCol() const { return ColCount() > 1 && ColWidth(0) == 0 ? 1 : 0; }
    int FirstAccessibleRow() const { return RowCount() > 1 && RowHeight(0) == 0 ? 1 : 0; }
    // The table's child index of a cell; -1 outside the table.
    int AccessibleIndex(int col, int row) const;

    int ColCount() const { return static_cast<int>(m_colWidths.size()); }
    int RowCount() const { return static_cast<int>(m_rowHeights.size()); }
    // Changing a count resets every column (row) to the default size.
    void SetColCount(int n);
    void SetRowCount(int n);
    int DefaultColWidth() const { return m_defaultColWidth; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultColWidth(int w);
    void SetDefaultRowHeight(int h);
    int ColWidth(int col) const;
    int RowHeight(int row) const;
    void SetColWidth(int col, int w);
    void SetRowHeight(int row, int h);
    int GridLineWidth() const { return m_lineWidth; }
    void SetGridLineWidth(int w);
    QColor GridLineColor() const { return m_lineColor; }
    void SetGridLineColor(const QColor& c);
    QColor Background() const { return m_background; }
    void SetBackground(const QColor& c);
    // Distance of cell (0, 0) from the widget's top-left corner.
    int Margin() const { return m_margin; }
    void SetMargin(int m);

    // Cell rectangle in client coordinates (the grid line is not part of it).
    QRect CellRect(int col, int row) const;
    // Cell under a widget position; (-1, -1) when none.
    QPoint CellAt(const QPoint& pos) const;
    // Extent of all cells with their grid lines, margin excluded.
    int ContentWidth() const;
    int ContentHeight() const;

    int Col() const { return m_col; }
    int Row() const { return m_row; }
    // Moves the current cell through the selection handler; false when refused.
    bool SelectCell(int col, int row);
    // Moves the current cell without asking the handler.
    void SetCurrent(int col, int row);

    bool RangeSelect() const { return m_rangeSelect; }
    void SetRangeSelect(bool on);
    // Selected cells (columns x, rows y); empty when there is no range.
    QRect Selection() const { return m_selection; }
    void SetSelection(const QRect& cells);
    void ClearSelection() { SetSelection(QRect()); }

    // Repaints one cell (grown by a few pixels, since painters may draw
    // outlines over their neighbours' edges) or the whole grid.
    void InvalidateCell(int col, int row);
    void InvalidateGrid();
    // Everything invalidated since the last call, in widget coordinates.
    QRegion TakeInvalidatedRegion();
    // Rows that fit into the visible part of the grid, at least 1.
    int VisibleRows() const;

Q_SIGNALS:
    void CurrentCellChanged(int col, int row);
    // A double click with the left button on a cell.
    void CellDoubleClicked(int col, int row);
    // A button went down at pos (widget coordinates), after a left click has
    // moved the current cell.
    void MousePressed(Qt::MouseButton button, const QPoint& pos);
    // The mouse moved to pos; without a button held only under mouse tracking.
    void MouseMoved(const QPoint& pos);
    // The left button was let go after it started a range selection; cells
    // is the range selected then.
    void RangeSelected(const QRect& cells);
    // Assistive technology was told that the cell of this table child index
    // has the focus (screen readers listen only on a desktop that runs one).
    void AccessibleFocusRaised(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Tells assistive technology that the current cell has the focus.
    void NotifyAccessibleFocus();
    bool Accepts(int col, int row) const;
    // Tries the cells of a list in order and selects the first accepted one.
    bool SelectFirstAccepted(const std::vector<QPoint>& cells);
    bool Navigate(QKeyEvent* event);
    void Invalidate(const QRect& widgetRect);
    int ColLeft(int col) const;
    int RowTop(int row) const;

    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    int m_defaultColWidth = 24;
    int m_defaultRowHeight = 24;
    int m_lineWidth = 1;
    int m_margin = 0;
    QColor m_lineColor = QColor(192, 192, 192);
    QColor m_background = Qt::white;
    QColor m_prefill;
    int m_col = 0;
    int m_row = 0;
    bool m_rangeSelect = false;
    QRect m_selection;
    QPoint m_anchor{-1, -1};
    QRegion m_invalidated;
    TSelectHandler m_select;
    TDrawHandler m_draw;
    std::function<void()> m_paintBegin;
    TKeyDownHandler m_keyDown;
    TKeyPressHandler m_keyPress;
    TDragOverHandler m_dragOver;
    TDropHandler m_drop;
    TCellText m_accessibleText;
    TCellText m_accessibleDescription;
};

} // namespace zx
