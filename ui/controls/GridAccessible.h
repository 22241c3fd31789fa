// What assistive technology sees of a TDrawGrid: a table whose cells carry
// the texts and descriptions the grid's owner provides, and whose focused
// cell is the grid's current cell.
#pragma once

#include <QAccessibleWidget>
#include <unordered_map>

namespace zx {

class TDrawGrid;

class TDrawGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TDrawGridAccessible(TDrawGrid* grid);
    ~TDrawGridAccessible() override;

    // The table's child index of a grid cell; -1 when it is not part of the table.
    int IndexOfCell(int col, int row) const;

    // QAccessibleInterface
    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    TDrawGrid* Grid() const;

private:
    // Cell interfaces by child index, registered with the toolkit and
    // released with the table.
    mutable std::unordered_map<int, QAccessible::Id> m_cells;
};

// Installs the factory that gives every TDrawGrid its table interface (once).
void InstallGridAccessibility();

} // namespace zx
