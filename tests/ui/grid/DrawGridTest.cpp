// The owner-drawn grid control: geometry, navigation through the selection
// handler, key routing and range selection.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "DrawGrid.h"

using zx::TDrawGrid;

namespace {

// 6 x 8 cells of 20 pixels; row 0, column 0 and two inner cells are refused.
struct TGridFixture {
    TDrawGrid Grid;
    std::vector<QPoint> Asked;

    TGridFixture() {
        Grid.SetDefaultColWidth(20);
        Grid.SetDefaultRowHeight(20);
        Grid.SetColCount(6);
        Grid.SetRowCount(8);
        Grid.SetSelectHandler([this](int c, int r) {
            Asked.emplace_back(c, r);
            return c > 0 && r > 0 && QPoint(c, r) != QPoint(3, 2) && QPoint(c, r) != QPoint(3, 5);
        });
        // Four rows are visible.
        Grid.setFixedSize(6 * 21, 4 * 21);
    }
};

} // namespace

class DrawGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void navigation_data();
    void navigation();
    void refusedTargetLeavesCursor();
    void cellGeometry_data();
    void cellGeometry();
    void keyRouting();
    void rangeSelectionByDragging();
};

void DrawGridTest::navigation_data() {
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QPoint>("expected");

    QTest::newRow("right moves one cell") << QPoint(1, 1) << int(Qt::Key_Right) << false << QPoint(2, 1);
    QTest::newRow("left stops before the header column") << QPoint(1, 1) << int(Qt::Key_Left) << false << QPoint(1, 1);
    QTest::newRow("up stops before the header row") << QPoint(2, 1) << int(Qt::Key_Up) << false << QPoint(2, 1);
    QTest::newRow("right skips a refused cell") << QPoint(2, 2) << int(Qt::Key_Right) << false << QPoint(4, 2);
    QTest::newRow("down skips a refused cell") << QPoint(3, 1) << int(Qt::Key_Down) << false << QPoint(3, 3);
    QTest::newRow("right at the last column stays") << QPoint(5, 3) << int(Qt::Key_Right) << false << QPoint(5, 3);
    QTest::newRow("down at the last row stays") << QPoint(2, 7) << int(Qt::Key_Down) << false << QPoint(2, 7);
    QTest::newRow("home: first selectable cell of the row") << QPoint(4, 3) << int(Qt::Key_Home) << false << QPoint(1, 3);
    QTest::newRow("end: last cell of the row") << QPoint(1, 3) << int(Qt::Key_End) << false << QPoint(5, 3);
    QTest::newRow("ctrl+home: first selectable cell") << QPoint(4, 5) << int(Qt::Key_Home) << true << QPoint(1, 1);
    QTest::newRow("ctrl+end: last cell") << QPoint(2, 2) << int(Qt::Key_End) << true << QPoint(5, 7);
    QTest::newRow("page down by the visible rows") << QPoint(2, 1) << int(Qt::Key_PageDown) << false << QPoint(2, 5);
    QTest::newRow("page down stops at the last row") << QPoint(2, 6) << int(Qt::Key_PageDown) << false << QPoint(2, 7);
    QTest::newRow("page up stops at the first selectable row") << QPoint(2, 3) << int(Qt::Key_PageUp) << false << QPoint(2, 1);
    QTest::newRow("page down short of a refused target") << QPoint(3, 1) << int(Qt::Key_PageDown) << false << QPoint(3, 4);
}

void DrawGridTest::navigation() {
    QFETCH(QPoint, start);
    QFETCH(int, key);
    QFETCH(bool, ctrl);
    QFETCH(QPoint, expected);
    TGridFixture f;
    f.Grid.SetCurrent(start.x(), start.y());
    QTest::keyClick(&f.Grid, Qt::Key(key), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(QPoint(f.Grid.Col(), f.Grid.Row()), expected);
}

void DrawGridTest::refusedTargetLeavesCursor() {
    TGridFixture f;
    f.Grid.SetCurrent(2, 2);
    QVERIFY(!f.Grid.SelectCell(3, 2));
    QCOMPARE(QPoint(f.Grid.Col(), f.Grid.Row()), QPoint(2, 2));
    QVERIFY(!f.Grid.SelectCell(9, 1)); // beyond the grid: not even asked
    QCOMPARE(f.Asked.back(), QPoint(3, 2));
}

void DrawGridTest::cellGeometry_data() {
    QTest::addColumn<int>("margin");
    QTest::addColumn<int>("lineWidth");
    QTest::addColumn<QPoint>("widgetPos");
    QTest::addColumn<QPoint>("cell");

    QTest::newRow("first pixel of cell 1,1 behind a hidden header") << 1 << 1 << QPoint(2, 2) << QPoint(1, 1);
    QTest::newRow("grid line belongs to the cell before it") << 1 << 1 << QPoint(22, 2) << QPoint(1, 1);
    QTest::newRow("next cell after the line") << 1 << 1 << QPoint(23, 23) << QPoint(2, 2);
    QTest::newRow("no lines, margin 2") << 2 << 0 << QPoint(21, 22) << QPoint(1, 2);
    QTest::newRow("inside the margin") << 2 << 0 << QPoint(1, 5) << QPoint(-1, -1);
    QTest::newRow("beyond the last column") << 1 << 1 << QPoint(500, 5) << QPoint(-1, -1);
}

void DrawGridTest::cellGeometry() {
    QFETCH(int, margin);
    QFETCH(int, lineWidth);
    QFETCH(QPoint, widgetPos);
    QFETCH(QPoint, cell);
    TDrawGrid grid;
    grid.SetDefaultColWidth(20);
    grid.SetDefaultRowHeight(20);
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetGridLineWidth(lineWidth);
    grid.SetMargin(margin);
    grid.SetColWidth(0, 0);
    grid.SetRowHeight(0, 0);
    QCOMPARE(grid.CellAt(widgetPos), cell);
    if (cell.x() >= 0) {
        const QRect r = grid.CellRect(cell.x(), cell.y());
        QCOMPARE(r.size(), QSize(20, 20));
        QCOMPARE(grid.CellAt(r.topLeft() + QPoint(margin, margin)), cell);
    }
}

void DrawGridTest::keyRouting() {
    TGridFixture f;
    std::vector<char> typed;
    int consumed = 0;
    f.Grid.SetKeyPressHandler([&](char c) { typed.push_back(c); });
    f.Grid.SetKeyDownHandler([&](QKeyEvent* e) {
        if (e->key() != Qt::Key_Delete) return false;
        ++consumed;
        return true;
    });
    f.Grid.SetCurrent(1, 1);
    QTest::keyClick(&f.Grid, 'x');
    QTest::keyClick(&f.Grid, Qt::Key_Return);
    QTest::keyClick(&f.Grid, Qt::Key_Delete);
    QTest::keyClick(&f.Grid, Qt::Key_Right);
    QCOMPARE(typed, (std::vector<char>{'x', '\r'}));
    QCOMPARE(consumed, 1);
    QCOMPARE(f.Grid.Col(), 2);
}

void DrawGridTest::rangeSelectionByDragging() {
    for (bool range : {false, true}) {
        TGridFixture f;
        f.Grid.SetRangeSelect(range);
        const QPoint from = f.Grid.CellRect(1, 1).center();
        const QPoint to = f.Grid.CellRect(4, 3).center();
        QMouseEvent press(QEvent::MouseButtonPress, from, f.Grid.mapToGlobal(from), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&f.Grid, &press);
        QMouseEvent move(QEvent::MouseMove, to, f.Grid.mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&f.Grid, &move);
        QCOMPARE(QPoint(f.Grid.Col(), f.Grid.Row()), QPoint(1, 1));
        QCOMPARE(f.Grid.Selection(), range ? QRect(QPoint(1, 1), QPoint(4, 3)) : QRect());
    }
}

QTEST_MAIN(DrawGridTest)
#include "DrawGridTest.moc"
