// The owner-drawn grid as a table for assistive technology.
#include "controls/GridAccessible.h"

#include <QPointer>
#include <QWindow>

#include "controls/DrawGrid.h"

namespace zx {

namespace {

// One cell; it asks the grid for everything, so it never holds stale text.
class TGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    TGridCellAccessible(TDrawGrid* grid, int col, int row) : m_grid(grid), m_col(col), m_row(row) {}

    bool isValid() const override {
        return m_grid && m_col < m_grid->ColCount() && m_row < m_grid->RowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_grid); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        switch (t) {
        case QAccessible::Name:
        case QAccessible::Value:
            return m_grid->AccessibleText(m_col, m_row);
        case QAccessible::Description:
            return m_grid->AccessibleDescription(m_col, m_row);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) return {};
        const QRect r = m_grid->CellRect(m_col, m_row);
        return QRect(m_grid->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const bool current = m_grid->Col() == m_col && m_grid->Row() == m_row;
        s.focusable = true;
        s.selectable = true;
        s.focused = current && m_grid->hasFocus();
        s.selected = isSelected();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                       : nullptr;
    }

    bool isSelected() const override {
        return isValid() && ((m_grid->Col() == m_col && m_grid->Row() == m_row) ||
                             m_grid->Selection().contains(m_col, m_row));
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_grid ? m_col - m_grid->FirstAccessibleCol() : -1; }
    int rowIndex() const override { return m_grid ? m_row - m_grid->FirstAccessibleRow() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<TDrawGrid> m_grid;
    int m_col;
    int m_row;
};

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("zx::TDrawGrid") && object && object->isWidgetType())
        return new TDrawGridAccessible(static_cast<TDrawGrid*>(object));
    return nullptr;
}

} // namespace

void InstallGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(GridFactory);
        return true;
    }();
    (void)installed;
}

TDrawGridAccessible::TDrawGridAccessible(TDrawGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

TDrawGridAccessible::~TDrawGridAccessible() {
    for (const auto& [index, id] : m_cells) QAccessible::deleteAccessibleInterface(id);
}

TDrawGrid* TDrawGridAccessible::Grid() const { return static_cast<TDrawGrid*>(widget()); }

int TDrawGridAccessible::IndexOfCell(int col, int row) const { return Grid()->AccessibleIndex(col, row); }

void* TDrawGridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TDrawGridAccessible::columnCount() const {
    return std::max(Grid()->ColCount() - Grid()->FirstAccessibleCol(), 0);
}

int TDrawGridAccessible::rowCount() const {
    return std::max(Grid()->RowCount() - Grid()->FirstAccessibleRow(), 0);
}

int TDrawGridAccessible::childCount() const { return columnCount() * rowCount(); }

QAccessibleInterface* TDrawGridAccessible::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    const auto found = m_cells.find(index);
    if (found != m_cells.end()) return QAccessible::accessibleInterface(found->second);
    const int cols = columnCount();
    auto* cell = new TGridCellAccessible(Grid(), Grid()->FirstAccessibleCol() + index % cols,
                                         Grid()->FirstAccessibleRow() + index / cols);
    m_cells.emplace(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int TDrawGridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (!cell || child->parent() != this) return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

QAccessibleInterface* TDrawGridAccessible::childAt(int x, int y) const {
    const QPoint cell = Grid()->CellAt(Grid()->mapFromGlobal(QPoint(x, y)));
    return child(IndexOfCell(cell.x(), cell.y()));
}

QAccessibleInterface* TDrawGridAccessible::focusChild() const {
    return Grid()->hasFocus() ? child(IndexOfCell(Grid()->Col(), Grid()->Row())) : nullptr;
}

QAccessibleInterface* TDrawGridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    return child(row * columnCount() + column);
}

int TDrawGridAccessible::selectedCellCount() const { return int(selectedCells().size()); }

QList<QAccessibleInterface*> TDrawGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    if (QAccessibleInterface* current = child(IndexOfCell(Grid()->Col(), Grid()->Row())))
        cells.append(current);
    return cells;
}

} // namespace zx
