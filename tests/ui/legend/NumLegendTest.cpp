// The number legend window: letters typed for a code fill the grid and run the
// completion check, clearing, the arrows that wrap between the letter columns,
// ignored input, the letter colours, the layout and the printed table.
#include <QPainter>
#include <QtTest>
#include <cstring>
#include <memory>

#include "../grid/GridTestSupport.h"
#include "legend/ZahlenDialog.h"
#include "session/Colors.h"

using namespace zx;
using gridtest::TFakeFrame;

namespace {
// Code 7 is E (four cells), code 21 is S (one cell).
const char* const Source = R"(typ: 2
code: XYZABCDEFGHIJKLMNOPQRSTUVW
[gitter]
SEE
E##
E##
[begriffe]
SEE [w]
SEE [s]
)";
const QPoint ECells[] = {{2, 1}, {3, 1}, {1, 2}, {1, 3}};

struct TLegend {
    std::unique_ptr<TFakeFrame> Frame;
    std::unique_ptr<TNumLegendForm> Form;
    TDrawGrid* Grid() const { return Form->GridZahlen(); }
    const TPuzzleData& Puzzle() const { return Frame->Play.Puzzle(); }
    std::string Guess(int code) const { return Puzzle().Words[code].Guess.str(); }
    std::string Entry(QPoint cell) const { return Puzzle().entry(cell.x(), cell.y()).str(); }
};

TLegend OpenLegend() {
    TLegend t;
    t.Frame = gridtest::FrameFromSource(Source);
    t.Frame->Play.StartPlay();
    t.Form = std::make_unique<TNumLegendForm>(*t.Frame);
    t.Frame->OpenChild(TFormKind::NumLegend, t.Form.get());
    t.Form->ShowNumLegend();
    t.Form->show();
    t.Form->activateWindow();
    if (!QTest::qWaitForWindowActive(t.Form.get())) qWarning("number legend not active");
    t.Grid()->setFocus();
    return t;
}

// One key into the grid: ' ' Space, '\b' Backspace, '\x7f' Delete, '^' Up,
// '_' Down, '<' Left, '>' Right; bytes beyond ASCII as Latin-1 text.
void Key(TLegend& t, char key) {
    static const std::map<char, Qt::Key> special = {
        {'\b', Qt::Key_Backspace}, {'\x7f', Qt::Key_Delete}, {'^', Qt::Key_Up},
        {'_', Qt::Key_Down},       {'<', Qt::Key_Left},      {'>', Qt::Key_Right}};
    if (const auto it = special.find(key); it != special.end()) {
        QTest::keyClick(t.Grid(), it->second);
    } else if (static_cast<unsigned char>(key) < 0x80) {
        QTest::keyClick(t.Grid(), key);
    } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString(QChar(static_cast<unsigned char>(key))));
        QApplication::sendEvent(t.Grid(), &press);
    }
}

void TypeAt(TLegend& t, int col, int row, char key) {
    QVERIFY(t.Grid()->SelectCell(col, row));
    Key(t, key);
}

QRect CellOnScreen(const TLegend& t, int col, int row) {
    const int m = t.Grid()->Margin();
    return t.Grid()->CellRect(col, row).translated(m, m);
}
} // namespace

class NumLegendTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }

    // The last letter that completes the puzzle is congratulated; a full but
    // wrong table is reported; every cell of the code follows its letter.
    void typingFillsTheCodeAndChecks() {
        TLegend t = OpenLegend();
        TypeAt(t, 3, 8, 's');
        QCOMPARE(t.Guess(21), std::string("S"));
        QCOMPARE(t.Entry({1, 1}), std::string("S"));
        QVERIFY(t.Frame->Dlg.Results().empty());

        TypeAt(t, 1, 7, 'x');
        QCOMPARE(t.Form->Cells(1, 7), QStringLiteral("X"));
        QCOMPARE(t.Frame->Dlg.Results().size(), 1u);
        QVERIFY(!t.Frame->Dlg.Results().back().Success);

        Key(t, 'e');
        QCOMPARE(t.Form->Cells(1, 7), QStringLiteral("E"));
        QCOMPARE(t.Guess(7), std::string("E"));
        for (const QPoint cell : ECells)
            QCOMPARE(t.Entry(cell), std::string("E"));
        QCOMPARE(QPoint(t.Grid()->Col(), t.Grid()->Row()), QPoint(1, 7));
        QCOMPARE(t.Frame->Dlg.Results().size(), 2u);
        QVERIFY(t.Frame->Dlg.Results().back().Success);
    }

    void clearing_data() {
        QTest::addColumn<char>("key");
        QTest::newRow("space") << ' ';
        QTest::newRow("delete") << '\x7f';
        QTest::newRow("backspace") << '\b';
    }
    void clearing() {
        QFETCH(char, key);
        TLegend t = OpenLegend();
        TypeAt(t, 1, 7, 'e');
        Key(t, key);
        QVERIFY(t.Form->Cells(1, 7).trimmed().isEmpty());
        QVERIFY(t.Guess(7).empty());
        for (const QPoint cell : ECells)
            QCOMPARE(t.Entry(cell), std::string(" "));
        QCOMPARE(t.Entry({1, 1}), std::string(" "));
    }

    void arrows_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<char>("key");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("down from the last row of column 1") << QPoint(1, 12) << '_' << QPoint(3, 0);
        QTest::newRow("down from the last row of column 3") << QPoint(3, 12) << '_' << QPoint(1, 0);
        QTest::newRow("up from the top of column 1") << QPoint(1, 0) << '^' << QPoint(3, 12);
        QTest::newRow("up from the top of column 3") << QPoint(3, 0) << '^' << QPoint(1, 12);
        QTest::newRow("down inside a column") << QPoint(1, 5) << '_' << QPoint(1, 6);
        QTest::newRow("left passes the numbers") << QPoint(3, 4) << '<' << QPoint(1, 4);
        QTest::newRow("left of column 1 stays") << QPoint(1, 4) << '<' << QPoint(1, 4);
    }
    void arrows() {
        QFETCH(QPoint, from);
        QFETCH(char, key);
        QFETCH(QPoint, to);
        TLegend t = OpenLegend();
        TypeAt(t, from.x(), from.y(), key);
        QCOMPARE(QPoint(t.Grid()->Col(), t.Grid()->Row()), to);
    }

    // Nothing changes, and a number cell cannot take the selection.
    void ignored_data() {
        QTest::addColumn<char>("key");
        QTest::newRow("digit") << '7';
        QTest::newRow("punctuation") << '.';
        QTest::newRow("umlaut") << '\xe4';
        QTest::newRow("sharp s") << '\xdf';
        QTest::newRow("click on a number") << '\0';
    }
    void ignored() {
        QFETCH(char, key);
        TLegend t = OpenLegend();
        const TPuzzleData before = t.Puzzle();
        QVERIFY(t.Grid()->SelectCell(1, 7));
        if (key)
            Key(t, key);
        else
            QTest::mouseClick(t.Grid(), Qt::LeftButton, {}, CellOnScreen(t, 2, 3).center());
        QCOMPARE(QPoint(t.Grid()->Col(), t.Grid()->Row()), QPoint(1, 7));
        QVERIFY(std::memcmp(&before, &t.Puzzle(), sizeof before) == 0);
        QCOMPARE(t.Form->Cells(1, 7), QStringLiteral(" "));
        QVERIFY(!t.Grid()->SelectCell(0, 3));
    }

    // The ink of code 7's letter (not selected): 'B' FarbeBuchstaben, 'F'
    // FarbeFalscheBuchstaben, 'M' FarbeFehlendeBuchstaben.
    void colours_data() {
        QTest::addColumn<char>("guess");
        QTest::addColumn<bool>("showErrors");
        QTest::addColumn<int>("viewMode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("ink");
        QTest::newRow("right guess") << 'e' << true << 0 << "E" << 'B';
        QTest::newRow("wrong guess marked") << 'x' << true << 0 << "X" << 'F';
        QTest::newRow("wrong guess unmarked") << 'x' << false << 0 << "X" << 'B';
        QTest::newRow("solution of a missing guess") << ' ' << false << 1 << "E" << 'M';
        QTest::newRow("solution of a missing guess, errors on") << ' ' << true << 1 << "E" << 'M';
        QTest::newRow("solution over a wrong guess") << 'x' << true << 1 << "E" << 'F';
    }
    void colours() {
        QFETCH(char, guess);
        QFETCH(bool, showErrors);
        QFETCH(int, viewMode);
        QFETCH(QString, text);
        QFETCH(char, ink);
        TLegend t = OpenLegend();
        TProgramSettings& s = t.Frame->St.Settings;
        s.FarbeBuchstaben = 0x008000;
        s.FarbeFalscheBuchstaben = 0x0000FF;
        s.FarbeFehlendeBuchstaben = 0xFF0000;
        TypeAt(t, 1, 7, guess);
        t.Frame->Play.SetShowErrors(showErrors);
        t.Frame->Play.SetViewMode(static_cast<std::uint8_t>(viewMode));
        QVERIFY(t.Grid()->SelectCell(3, 0));
        QCOMPARE(t.Form->Cells(1, 7), text);

        const QImage image = t.Grid()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect cell = CellOnScreen(t, 1, 7);
        const std::map<char, TColor> inks = {{'B', s.FarbeBuchstaben},
                                             {'F', s.FarbeFalscheBuchstaben},
                                             {'M', s.FarbeFehlendeBuchstaben}};
        for (const auto& [name, colour] : inks) {
            const int n = gridtest::CountColour(image, cell, ToQColor(colour));
            if (name == ink)
                QVERIFY2(n > 5, qPrintable(QStringLiteral("%1 pixels of %2").arg(n).arg(name)));
            else
                QCOMPARE(n, 0);
        }
    }

    // Sizes at cell size 30 and after zooming to 20; the selected cell of the
    // focused grid is highlighted; undo, reset and the solution view refill.
    void layoutAndSession() {
        TLegend t = OpenLegend();
        QCOMPARE(t.Form->windowTitle(), QStringLiteral("Legende"));
        QCOMPARE(t.Grid()->size(), QSize(127, 406));
        QCOMPARE(t.Form->size(), QSize(137, 416));
        QCOMPARE(t.Form->Cells(0, 12), QStringLiteral("12"));
        QCOMPARE(t.Form->Cells(2, 0), QStringLiteral("13"));

        const TProgramSettings& s = t.Frame->St.Settings;
        const QImage image = t.Grid()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QPoint(t.Grid()->Col(), t.Grid()->Row()), QPoint(1, 0));
        QCOMPARE(gridtest::BackgroundOf(image, CellOnScreen(t, 1, 0)),
                 ToQColor(s.MarkedLetterColor));
        QCOMPARE(gridtest::BackgroundOf(image, CellOnScreen(t, 1, 1)),
                 ToQColor(s.FarbeBuchstabenfeld));
        QCOMPARE(gridtest::BackgroundOf(image, CellOnScreen(t, 0, 1)),
                 t.Form->palette().color(QPalette::Button));

        t.Frame->Play.SetViewMode(1);
        QCOMPARE(t.Form->Cells(3, 8), QStringLiteral("S"));
        t.Frame->Play.Reset();
        QCOMPARE(t.Form->Cells(3, 8), QString());

        t.Frame->Play.Zoom(-10);
        QCOMPARE(t.Grid()->size(), QSize(87, 276));
        QCOMPARE(t.Form->size(), QSize(97, 286));
    }

    // The table fitted to 400 units: cells of 100 units, 13 along and 4 across,
    // below the heading; number cells grey in greyscale printing.
    void print_data() {
        QTest::addColumn<bool>("landscape");
        QTest::newRow("upright") << false;
        QTest::newRow("turned") << true;
    }
    void print() {
        QFETCH(bool, landscape);
        TLegend t = OpenLegend();
        QImage image(1500, 1500, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter canvas(&image);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(40);
        canvas.setFont(font);
        const QSize size = TNumLegendForm::NumLegendPrintSize(canvas, 100, landscape);
        const QSize table = landscape ? QSize(1313, 404) : QSize(404, 1313);
        QCOMPARE(size.width(), table.width());
        const int heading = size.height() - table.height();

        const QRect rect(10, 10, landscape ? 1400 : 400, landscape ? 400 : 1400);
        TNumLegendForm::PrintNumLegend(canvas, rect, t.Puzzle(), t.Frame->St.Settings, 0, true,
                                       true, 1, landscape);
        canvas.end();
        const int top = 10 + heading;
        // Cells of number 12 and of its letter.
        const QPoint number = landscape ? QPoint(10 + 1212, top) : QPoint(10, top + 1212);
        const QPoint letter = landscape ? number + QPoint(0, 101) : number + QPoint(101, 0);
        const QColor silver(0xC0, 0xC0, 0xC0);
        QCOMPARE(image.pixelColor(number + QPoint(95, 5)), silver);
        QCOMPARE(image.pixelColor(number + QPoint(-1, 50)), QColor(Qt::black));
        QCOMPARE(image.pixelColor(letter + QPoint(95, 5)), QColor(Qt::white));
        // Nothing beyond the table.
        const QRect drawn(10, top, table.width(), table.height());
        QCOMPARE(
            gridtest::CountInk(image, QRect(drawn.right() + 2, top, 50, table.height()), Qt::white),
            0);
        QCOMPARE(
            gridtest::CountInk(image, QRect(10, drawn.bottom() + 2, table.width(), 50), Qt::white),
            0);
    }
};

QTEST_MAIN(NumLegendTest)
#include "NumLegendTest.moc"
