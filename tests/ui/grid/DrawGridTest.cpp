// The owner-drawn grid control: navigation through the selection handler,
// key routing and range selection.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "controls/DrawGrid.h"

using zx::TDrawGrid;

// 6 x 8 cells of 20 pixels, four rows visible; row 0, column 0 and the
// cells (3,2) and (3,5) are refused.
struct TGridFixture {
    TDrawGrid Grid;
    TGridFixture() {
        Grid.SetDefaultColWidth(20);
        Grid.SetDefaultRowHeight(20);
        Grid.SetColCount(6);
        Grid.SetRowCount(8);
        Grid.SetSelectHandler([](int c, int r) {
            return c > 0 && r > 0 && QPoint(c, r) != QPoint(3, 2) && QPoint(c, r) != QPoint(3, 5);
        });
        Grid.setFixedSize(6 * 21, 4 * 21);
    }
    QPoint Current() const { return {Grid.Col(), Grid.Row()}; }
};

class DrawGridTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void navigation_data();
    void navigation();
    void keyRoutingAndRange();
};

void DrawGridTest::navigation_data() {
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QPoint>("expected");
    auto row = [](const char* name, QPoint from, Qt::Key key, bool ctrl, QPoint to) {
        QTest::newRow(name) << from << int(key) << ctrl << to;
    };
    row("right moves one cell", {1, 1}, Qt::Key_Right, false, {2, 1});
    row("left stops before the header column", {1, 1}, Qt::Key_Left, false, {1, 1});
    row("up stops before the header row", {2, 1}, Qt::Key_Up, false, {2, 1});
    row("right skips a refused cell", {2, 2}, Qt::Key_Right, false, {4, 2});
    row("down skips a refused cell", {3, 1}, Qt::Key_Down, false, {3, 3});
    row("right at the last column stays", {5, 3}, Qt::Key_Right, false, {5, 3});
    row("home: first selectable cell of the row", {4, 3}, Qt::Key_Home, false, {1, 3});
    row("end: last cell of the row", {1, 3}, Qt::Key_End, false, {5, 3});
    row("ctrl+home: first selectable cell", {4, 5}, Qt::Key_Home, true, {1, 1});
    row("ctrl+end: last cell", {2, 2}, Qt::Key_End, true, {5, 7});
    row("home on its target stays", {1, 3}, Qt::Key_Home, false, {1, 3});
    row("end on its target stays", {5, 3}, Qt::Key_End, false, {5, 3});
    row("ctrl+home on its target stays", {1, 1}, Qt::Key_Home, true, {1, 1});
    row("ctrl+end on its target stays", {5, 7}, Qt::Key_End, true, {5, 7});
    row("page down by the visible rows", {2, 1}, Qt::Key_PageDown, false, {2, 5});
    row("page down stops at the last row", {2, 6}, Qt::Key_PageDown, false, {2, 7});
    row("page up stops at the first selectable row", {2, 3}, Qt::Key_PageUp, false, {2, 1});
    row("page down short of a refused target", {3, 1}, Qt::Key_PageDown, false, {3, 4});
}

void DrawGridTest::navigation() {
    QFETCH(QPoint, start);
    QFETCH(int, key);
    QFETCH(bool, ctrl);
    QFETCH(QPoint, expected);
    TGridFixture f;
    f.Grid.SetCurrent(start.x(), start.y());
    QTest::keyClick(&f.Grid, Qt::Key(key), ctrl ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(f.Current(), expected);
}

void DrawGridTest::keyRoutingAndRange() {
    TGridFixture f;
    std::vector<char> typed;
    f.Grid.SetKeyPressHandler([&](char c) { typed.push_back(c); });
    f.Grid.SetKeyDownHandler([](QKeyEvent* e) { return e->key() == Qt::Key_Delete; });
    f.Grid.SetCurrent(1, 1);
    for (int key : {int('x'), int(Qt::Key_Return), int(Qt::Key_Delete), int(Qt::Key_Right)})
        QTest::keyClick(&f.Grid, Qt::Key(key == 'x' ? Qt::Key_X : key));
    QCOMPARE(typed, (std::vector<char>{'x', '\r'}));
    QCOMPARE(f.Current(), QPoint(2, 1));

    // Dragging selects a range only where range selection is on.
    for (bool range : {false, true}) {
        TGridFixture g;
        g.Grid.SetRangeSelect(range);
        auto mouse = [&](QEvent::Type type, QPoint cell) {
            const QPoint pos = g.Grid.CellRect(cell.x(), cell.y()).center();
            QMouseEvent e(type, pos, g.Grid.mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
            QApplication::sendEvent(&g.Grid, &e);
        };
        mouse(QEvent::MouseButtonPress, {1, 1});
        mouse(QEvent::MouseMove, {4, 3});
        QCOMPARE(g.Current(), QPoint(1, 1));
        QCOMPARE(g.Grid.Selection(), range ? QRect(QPoint(1, 1), QPoint(4, 3)) : QRect());
    }
}

QTEST_MAIN(DrawGridTest)
#include "DrawGridTest.moc"
