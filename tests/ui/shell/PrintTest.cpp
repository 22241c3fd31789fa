// Printing: the page layout against recorded block geometry, the settings
// dialog, and real PDF files of the frame's print command read back with poppler.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <tuple>

#include "ShellTestSupport.h"
#include "grid/CellPainter.h"
#include "grid/RaetselFormular.h"
#include "shell/DruckDialog.h"
#include "shell/DruckMessageDialog.h"
#include "shell/Hauptformular.h"
#include "shell/PrintLayout.h"
#include "shell/PrinterChoice.h"
#include "session/TextConv.h"

using namespace zx;
using zxtest::U;

namespace {

// A job on an A4 page in memory that records its pages and the blocks' geometry.
struct TRecordingJob : TPrintJob {
    QImage Image{297, 297, QImage::Format_RGB32};
    QPainter Painter;
    bool PortraitPage = false;
    int Pages = 0;
    QPainter* Begin() override {
        Painter.begin(&Image);
        Pages = 1;
        return &Painter;
    }
    void NewPage() override { ++Pages; }
    bool End() override { return Painter.end(); }
    QSize PageSize() const override { return PortraitPage ? QSize(2100, 2970) : QSize(2970, 2100); }
    bool Portrait() const override { return PortraitPage; }
};

// Blocks of fixed sizes that record where and how they are drawn.
struct TRecordedBlocks {
    QRect Grid, Side;
    bool SideFlag = false;
    QTransform SideTransform;
    QSize LegendStacked{300, 900}, LegendBeside{600, 450};

    // The flow of the lists: pieces of these heights in columns of this width,
    // each drawn column with its page.
    std::vector<TPrintBlocks::TPiece> Pieces;
    int ColumnWidth = 500;
    int FlowWidth = 0; // the width the flow was last prepared for
    struct TColumn {
        QRect Rect;
        int From, To, Page;
    };
    std::vector<TColumn> Columns;
    const int* Page = nullptr;
    int Cell = 100;

    TPrintBlocks Legend() {
        TPrintBlocks b = GridOnly();
        b.LegendSize = [this](QPainter&, bool stacked) { return stacked ? LegendStacked : LegendBeside; };
        b.Legend = [this](QPainter& canvas, const QRect& rect, bool stacked) {
            Side = rect;
            SideFlag = stacked;
            SideTransform = canvas.transform();
        };
        b.LegendColumnWidth = [this](QPainter&) { return ColumnWidth; };
        b.LegendPieces = [this](QPainter&, int width) {
            FlowWidth = width;
            return Pieces;
        };
        b.LegendColumn = [this](QPainter& canvas, const QPoint& topLeft, int from, int to) {
            int height = Pieces[static_cast<std::size_t>(from)].Continued;
            for (int i = from; i < to; ++i)
                height += Pieces[static_cast<std::size_t>(i)].Height;
            Columns.push_back(
                {QRect(topLeft, QSize(FlowWidth, height)), from, to, Page ? *Page : 0});
            SideTransform = canvas.transform();
        };
        return b;
    }
    TPrintBlocks NumLegend() {
        TPrintBlocks b = GridOnly();
        b.NumLegendRows = 13;
        b.NumLegendSize = [](QPainter&, int cell, bool upright) {
            return upright ? QSize(4 * (cell + 1), 13 * (cell + 1)) : QSize(13 * (cell + 1), 4 * (cell + 1));
        };
        b.NumLegend = [this](QPainter&, const QRect& rect, bool upright) {
            Side = rect;
            SideFlag = upright;
        };
        return b;
    }
    TPrintBlocks GridOnly() {
        TPrintBlocks b;
        b.Grid = [this](QPainter&, const QRect& area) {
            Grid = area;
            return Cell;
        };
        return b;
    }
};

int TitleHeight(const TPuzzleData& p) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    return PrintTitle(painter, p, TPrintSettings{});
}

QString Tool(const char* name) { return QStandardPaths::findExecutable(QString::fromLatin1(name)); }

QString Run(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString& file) {
    const QString info = Run(Tool("pdfinfo"), {file});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// A page rendered at the given resolution.
QImage PdfImage(const QString& file, const QDir& dir, int page = 1, int dpi = 40) {
    const QString n = QString::number(page);
    Run(Tool("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                           n, QStringLiteral("-l"), n, QStringLiteral("-singlefile"), file,
                           dir.filePath(QStringLiteral("page"))});
    return QImage(dir.filePath(QStringLiteral("page.png")));
}

// Whether anything is drawn in the outer band of the page, mm wide.
bool InkNearEdge(const QImage& page, int dpi, int mm) {
    const int band = mm * dpi * 10 / 254;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if ((x < band || y < band || x >= page.width() - band || y >= page.height() - band) &&
                qGray(page.pixel(x, y)) < 200)
                return true;
    return false;
}

bool HasColour(const QImage& image, QRgb colour = 0) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (colour ? (qAbs(c.red() - qRed(colour)) < 12 && qAbs(c.green() - qGreen(colour)) < 12 &&
                          qAbs(c.blue() - qBlue(colour)) < 12)
                       : (qAbs(c.red() - c.green()) > 24 || qAbs(c.green() - c.blue()) > 24))
                return true;
        }
    return false;
}

// A 50 x 50 puzzle as large ones come: diagonal runs of blocks, cell numbers
// up to 199, and across and down words of 95 of them with clues of every
// length, each clue its own text.
std::unique_ptr<TPuzzleData> LargePuzzle(int type) {
    auto p = zxtest::MakePuzzle(type, 50, 50);
    int number = 0;
    for (int c = 1; c <= 50; ++c)
        for (int r = 1; r <= 50; ++r) {
            TPuzzleCell& cell = p->cell(c, r);
            if ((c + r) % 7 == 0) {
                cell.Flags = cfBlock;
                continue;
            }
            cell.Flags = cfLetter;
            cell.Text.assign(std::string(1, static_cast<char>('A' + (c * 7 + r * 3) % 26)));
            if ((c + r) % 7 == 1 && number < 199) cell.Number = ++number;
        }
    p->WordCount = 191;
    for (int i = 0; i < 191; ++i) {
        TPuzzleWord& w = p->Words[i];
        w.Number = i / 2 + 1;
        w.Direction = i % 2 ? wdDown : wdAcross;
        const std::string clue = "Umschreibung " + std::to_string(i) + " ist";
        w.Clue.assign(
            clue +
            std::string(" lang und immer noch nicht am Ende").substr(0, std::size_t(i % 5) * 8));
    }
    return p;
}

// The bounding box of the dark pixels in a region.
QRect InkBox(const QImage& image, const QRect& region) {
    QRect box;
    for (int y = std::max(region.top(), 0); y <= std::min(region.bottom(), image.height() - 1); ++y)
        for (int x = std::max(region.left(), 0); x <= std::min(region.right(), image.width() - 1);
             ++x)
            if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
    return box;
}

// A grid printed in greyscale into a 1600 x 1600 area 60 units from the
// image's corner, one unit a pixel; the cell size and the cells' line.
struct TPrintedGrid {
    QImage Image{1720, 1720, QImage::Format_RGB32};
    int Cell = 0;
    static constexpr int Origin = 60, Line = 3;
    TPrintedGrid(const TPuzzleData& p, int colorMode) {
        Image.fill(Qt::white);
        QPainter painter(&Image);
        TProgramSettings settings;
        settings.PrintSettings.ColorMode = colorMode;
        Cell = zx::PrintGrid(painter, p, settings, TGridPrintView{},
                             QRect(Origin, Origin, 1600, 1600), TPaintOutput::Printer);
    }
    // The painted rectangle of cell (c, r), counted from the first printed line.
    QRect CellRect(int c, int r, int first) const {
        return QRect(Origin + 2 + Cell * (c - first), Origin + 2 + Cell * (r - first), Cell - Line,
                     Cell - Line);
    }
};

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

public:
    // ZX_KEEP=1 keeps the printed files for a look at them.
    PrintTest() {
        if (!qEnvironmentVariableIsEmpty("ZX_KEEP")) {
            m_dir.setAutoRemove(false);
            qInfo() << "Printed files:" << m_dir.path();
        }
    }

private Q_SLOTS:
    void fitGrid_data() {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("fromWidth");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("from height, fits") << 1000 << 500 << 0.5 << false << QSize(1000, 500);
        QTest::newRow("from height, too wide") << 800 << 500 << 0.5 << false << QSize(800, 400);
        QTest::newRow("from width, too tall") << 1000 << 300 << 0.5 << true << QSize(600, 300);
        QTest::newRow("half rounds to even") << 5 << 100 << 0.5 << true << QSize(5, 2);
        QTest::newRow("half rounds to even upwards") << 7 << 100 << 0.5 << true << QSize(7, 4);
    }
    void fitGrid() {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(double, ratio);
        QFETCH(bool, fromWidth);
        QFETCH(QSize, expected);
        QCOMPARE(FitGrid(w, h, ratio, fromWidth), expected);
    }

    // Where the blocks land on an A4 page with 20 mm margins, in 0.1 mm.
    void layout_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("onePage");
        QTest::addColumn<int>("legendRight");
        QTest::addColumn<int>("cellSize"); // Sudoku's fixed cell, 0 to stretch
        QTest::addColumn<QRect>("grid");   // y relative to the title's bottom
        QTest::addColumn<QRect>("side");   // y relative to the title's bottom on the legend page
        QTest::addColumn<bool>("sideFlag");
        QTest::addColumn<int>("pages");
        QTest::newRow("9x9 Sudoku at 8 mm") << 14 << 9 << 9 << 1 << 1 << 80 << QRect(200, 30, 720, 720) << QRect()
                                           << false << 1;
        // 450 mm do not fit: the grid is fitted to the page below the title.
        QTest::newRow("9x9 Sudoku at 50 mm") << 15 << 9 << 9 << 1 << 1 << 500 << QRect(200, 30, -1, -1)
                                            << QRect() << false << 1;
        // The tall code table limits the grid's width to the available height.
        QTest::newRow("number crossword, table right") << 2 << 20 << 10 << 1 << 1 << 0
                                                      << QRect(200, 30, 1490, 745)
                                                      << QRect(2970 - 200 - 404, -1, 404, 1313) << true << 1;
        QTest::newRow("legend right, stacked") << 0 << 10 << 10 << 1 << 1 << 0 << QRect(200, 30, -1, -1)
                                              << QRect(2970 - 200 - 300, -1, 300, 900) << true << 1;
        QTest::newRow("legend below, side by side") << 0 << 10 << 5 << 1 << 0 << 0 << QRect(200, 30, -1, -1)
                                                   << QRect(200, 2100 - 200 - 450, 600, 450) << false << 1;
        QTest::newRow("legend page, landscape") << 4 << 10 << 10 << 0 << 1 << 0 << QRect(200, 30, -1, -1)
                                               << QRect(200, 0, 600, 450) << false << 2;
    }
    void layout() {
        QFETCH(int, type);
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, cellSize);
        QFETCH(QRect, grid);
        QFETCH(QRect, side);
        auto p = zxtest::MakePuzzle(type, cols, rows);
        TPrintSettings print;
        QFETCH(int, onePage);
        QFETCH(int, legendRight);
        print.OnePage = static_cast<std::uint8_t>(onePage);
        print.LegendRight = static_cast<std::uint8_t>(legendRight);
        print.Stretch = cellSize == 0;
        if (cellSize) print.CellSize = cellSize;
        TRecordingJob job;
        TRecordedBlocks recorded;
        const TPrintBlocks blocks = IsSudoku(KindOf(*p)) ? recorded.GridOnly()
                                    : IsNumberPuzzle(KindOf(*p)) ? recorded.NumLegend()
                                                                  : recorded.Legend();
        const bool ok = print.OnePage && !IsSudoku(KindOf(*p)) ? PrintOnePage(job, *p, print, blocks)
                                                               : PrintTwoPages(job, *p, print, blocks);
        QVERIFY(ok);
        QTEST(job.Pages, "pages");
        const int top = 200 + TitleHeight(*p);
        QCOMPARE(recorded.Grid.topLeft(), QPoint(grid.left(), top + grid.top()));
        if (grid.width() >= 0) QCOMPARE(recorded.Grid.size(), grid.size());
        // The grid keeps the puzzle's shape and stays on the page.
        QVERIFY(qAbs(recorded.Grid.height() * cols - recorded.Grid.width() * rows) <= cols);
        QVERIFY(recorded.Grid.right() < 2970 - 200 && recorded.Grid.bottom() < 2100);
        if (side.isNull()) return;
        QCOMPARE(recorded.Side.size(), side.size());
        QCOMPARE(recorded.Side.left(), side.left());
        // -1: at the top margin; on the legend page: right below the title.
        QCOMPARE(recorded.Side.top(), side.top() == -1 ? 200 : job.Pages == 2 ? top + side.top() : side.top());
        QTEST(recorded.SideFlag, "sideFlag");
        // Nothing overlaps the grid.
        QVERIFY(job.Pages == 2 || !recorded.Side.intersects(recorded.Grid));
    }

    // Clue lists longer than their room flow at their size into columns and
    // onto further pages: every piece once, inside the margins, clear of the
    // grid; no page holds only a title (the pages are counted).
    void longListsFlow_data() {
        QTest::addColumn<int>("onePage");
        QTest::addColumn<int>("legendRight");
        QTest::addColumn<bool>("portrait");
        QTest::addColumn<int>("pieces"); // -1: no legend window
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("columnsOnFirstPage");
        QTest::newRow("right, two columns on the page") << 1 << 1 << false << 60 << 1 << 2;
        QTest::newRow("right, 193 pieces") << 1 << 1 << false << 193 << 3 << 1;
        QTest::newRow("right, portrait: no room beside, the room below")
            << 1 << 1 << true << 193 << 2 << 3;
        QTest::newRow("below, portrait") << 1 << 0 << true << 193 << 2 << 3;
        QTest::newRow("legend pages, landscape") << 0 << 1 << false << 193 << 3 << 0;
        QTest::newRow("no legend window: the grid page only") << 0 << 1 << false << -1 << 1 << 0;
    }
    void longListsFlow() {
        QFETCH(int, onePage);
        QFETCH(int, legendRight);
        QFETCH(bool, portrait);
        QFETCH(int, pieces);
        auto p = zxtest::MakePuzzle(0, 50, 50);
        TPrintSettings print;
        print.OnePage = static_cast<std::uint8_t>(onePage);
        print.LegendRight = static_cast<std::uint8_t>(legendRight);
        TRecordingJob job;
        job.PortraitPage = portrait;
        TRecordedBlocks recorded;
        recorded.Page = &job.Pages;
        // Two lists: their headings repeat nothing and stay with their first row.
        recorded.Pieces.assign(static_cast<std::size_t>(std::max(pieces, 0)), {46, 92});
        if (pieces > 0)
            recorded.Pieces[0] = recorded.Pieces[static_cast<std::size_t>(pieces / 2)] = {112, 0};
        recorded.LegendStacked = QSize(500, 46 * pieces);
        recorded.LegendBeside = QSize(1030, 23 * pieces);
        const TPrintBlocks blocks = pieces < 0 ? recorded.GridOnly() : recorded.Legend();
        QVERIFY(onePage ? PrintOnePage(job, *p, print, blocks)
                        : PrintTwoPages(job, *p, print, blocks));
        QTEST(job.Pages, "pages");
        const QSize page = job.PageSize();
        int next = 0, firstPage = 0;
        for (const TRecordedBlocks::TColumn& c : recorded.Columns) {
            QCOMPARE(c.From, next); // in order, each piece once
            QVERIFY(c.To > c.From);
            QVERIFY(recorded.Pieces[static_cast<std::size_t>(c.To - 1)].Continued > 0);
            next = c.To;
            QVERIFY2(c.Rect.left() >= 200 && c.Rect.top() >= 200 &&
                         c.Rect.right() < page.width() - 200 &&
                         c.Rect.bottom() < page.height() - 200,
                     qPrintable(QStringLiteral("column %1 on page %2").arg(c.From).arg(c.Page)));
            if (c.Page == 1) {
                ++firstPage;
                QVERIFY(!c.Rect.intersects(recorded.Grid));
            }
            for (const TRecordedBlocks::TColumn& o : recorded.Columns)
                QVERIFY(&o == &c || o.Page != c.Page || !o.Rect.intersects(c.Rect));
        }
        QCOMPARE(next, std::max(pieces, 0));
        QTEST(firstPage, "columnsOnFirstPage");
        QVERIFY(recorded.SideTransform.isIdentity()); // at the font's size
    }

    // The code table of a large number crossword keeps legible boxes; its
    // grid leaves it the room: table right, below, on its page in both orientations.
    void codeTableKeepsLegibleBoxes() {
        auto p = zxtest::MakePuzzle(2, 50, 50);
        for (const auto& [onePage, right, portrait] :
             {std::tuple{1, 1, false}, {1, 0, false}, {0, 1, false}, {0, 1, true}}) {
            TPrintSettings print;
            print.OnePage = static_cast<std::uint8_t>(onePage);
            print.LegendRight = static_cast<std::uint8_t>(right);
            TRecordingJob job;
            job.PortraitPage = portrait;
            TRecordedBlocks recorded;
            recorded.Cell = 30; // 3 mm, as 50 columns on A4 get
            const TPrintBlocks blocks = recorded.NumLegend();
            QVERIFY(onePage ? PrintOnePage(job, *p, print, blocks)
                            : PrintTwoPages(job, *p, print, blocks));
            const int box =
                (recorded.SideFlag ? recorded.Side.width() : recorded.Side.height()) / 4 - 1;
            QVERIFY2(box >= MinCodeBox, qPrintable(QString::number(box)));
            QVERIFY(job.Pages == 2 || !recorded.Side.intersects(recorded.Grid));
            QVERIFY(recorded.Side.right() < job.PageSize().width() - 200 &&
                    recorded.Side.bottom() < job.PageSize().height() - 200);
        }
    }

    // The numbers of a 50 x 50 grid follow its 3 mm cells: every digit
    // inside its cell, in its top left, leaving the rest to a letter.
    void numbersFitTheirCells() {
        const auto swedish = LargePuzzle(0);
        const TPrintedGrid grid(*swedish, 1);
        QVERIFY(grid.Cell < 35);
        int one = 0, three = 0; // ink widths of "8" and "188"
        for (int c = 1; c <= 50; ++c)
            for (int r = 1; r <= 50; ++r) {
                const int number = swedish->cell(c, r).Number;
                if (number <= 0) continue;
                const QRect cell = grid.CellRect(c, r, 1);
                // Overflowing digits would land right of or below the number.
                const QRect inside(cell.topLeft(), grid.CellRect(50, 50, 1).bottomRight());
                const QRect ink =
                    InkBox(grid.Image, QRect(cell.topLeft(), cell.size() * 3 / 2) & inside);
                QVERIFY2(!ink.isEmpty() && ink.right() < cell.left() + cell.width() * 5 / 8 &&
                             ink.bottom() < cell.top() + cell.height() * 2 / 5,
                         qPrintable(QString::number(number)));
                if (number == 8) one = ink.width();
                if (number == 188) three = ink.width();
            }
        QVERIFY2(three >= 2 * one + one / 2,
                 qPrintable(QStringLiteral("%1 %2").arg(one).arg(three)));

        // The header numbers of a French crossword stay in their cells.
        const auto french = LargePuzzle(8);
        const TPrintedGrid headers(*french, 1);
        for (int k = 1; k <= 50; ++k) {
            const QRect top = headers.CellRect(k, 0, 0);
            const QRect left = headers.CellRect(0, k, 0);
            // Nothing beyond the grid's frame, all in the cell.
            const int frame = TPrintedGrid::Origin - 2;
            QVERIFY2(
                InkBox(headers.Image, QRect(top.left(), 0, top.width(), frame)).isEmpty() &&
                    InkBox(headers.Image, QRect(0, left.top(), frame, left.height())).isEmpty(),
                qPrintable(QString::number(k)));
            QVERIFY(!InkBox(headers.Image, top).isEmpty() &&
                    !InkBox(headers.Image, left).isEmpty());
        }
    }

    // Printed without colours, blocks are hatched with little ink; letter cells stay white.
    void linesOnlyHatchesBlocks_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("Swedish crossword") << 0;
        QTest::newRow("number crossword") << 2;
        QTest::newRow("fill-in") << 4;
        QTest::newRow("brain-teaser grid") << 6;
        QTest::newRow("French crossword") << 8;
    }
    void linesOnlyHatchesBlocks() {
        QFETCH(int, type);
        auto p = zxtest::MakePuzzle(type, 8, 8);
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                p->cell(c, r).Flags = (c + r) % 5 == 0 ? cfBlock : cfLetter;
        const TPrintedGrid grid(*p, 0);
        const int first = HasHeaderLines(KindOf(*p)) ? 0 : 1;
        for (const QPoint at : {QPoint(2, 3), QPoint(3, 3)}) {
            const QRect cell = grid.CellRect(at.x(), at.y(), first).adjusted(3, 3, -3, -3);
            int dark = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x)
                    dark += qGray(grid.Image.pixel(x, y)) < 128;
            const double share = double(dark) / (cell.width() * cell.height());
            if (at.x() == 2)
                QVERIFY2(share > 0.05 && share < 0.35, qPrintable(QString::number(share)));
            else
                QCOMPARE(dark, 0);
        }
        QVERIFY(!HasColour(grid.Image));
    }

    // French and American crosswords print their header row and column too.
    void headerLinesArePrinted() {
        QImage image(700, 700, QImage::Format_RGB32);
        QPainter painter(&image);
        TProgramSettings settings;
        const QRect area(0, 0, 600, 600);
        for (int type : {0, 8, 10}) {
            auto p = zxtest::MakePuzzle(type, 5, 5);
            const int cell = zx::PrintGrid(painter, *p, settings, TGridPrintView{}, area, TPaintOutput::Printer);
            const int printed = type == 0 ? 5 : 6;
            QVERIFY2(cell * printed <= 600 && cell * (printed + 1) > 600, qPrintable(QString::number(type)));
        }
    }

    void dialog() {
        TPrinterChoice printers(QStringList{QStringLiteral("Laser")});
        zxtest::TRecordingDialogs dialogs;
        TPrintSettingsDlg crossword(TPuzzleKind::Swedish, printers, dialogs);
        crossword.Fill(TPrintSettings{});
        auto find = [&](TPrintSettingsDlg& d, const char* name) {
            return d.findChild<QWidget*>(QString::fromLatin1(name));
        };
        auto checked = [&](TPrintSettingsDlg& d, const char* name) {
            return d.findChild<QRadioButton*>(QString::fromLatin1(name))->isChecked();
        };
        auto spin = [&](TPrintSettingsDlg& d, const char* name) {
            return d.findChild<QSpinBox*>(QString::fromLatin1(name));
        };
        // The defaults: landscape, one page, legend right, 20 mm, 4 mm, 8 mm, colour, one copy.
        QVERIFY(checked(crossword, "RBLandscape") && checked(crossword, "RBOnePage") &&
                checked(crossword, "RBLegendRight") && checked(crossword, "RGColors2"));
        QCOMPARE(spin(crossword, "SpinLMargin")->value(), 20);
        QCOMPARE(spin(crossword, "SpinTMargin")->value(), 20);
        QCOMPARE(spin(crossword, "SELegFontSize")->value(), 4);
        QCOMPARE(spin(crossword, "SpinGridSize")->value(), 8);
        QCOMPARE(spin(crossword, "SENumCopies")->value(), 1);
        QCOMPARE(crossword.findChild<QComboBox*>(QStringLiteral("ComboDrucker"))->itemText(1), U("PDF-Datei"));
        QVERIFY(!find(crossword, "GBLayout")->isHidden() && find(crossword, "GBScale")->isHidden());
        QVERIFY(!find(crossword, "SELegFontSize")->isHidden());
        QVERIFY(!find(crossword, "ImgOnePageLandscapeR")->isHidden() &&
                find(crossword, "ImgOnePagePortaitR")->isHidden());

        // Two pages grey out the legend position.
        crossword.findChild<QRadioButton*>(QStringLiteral("RBTwoPages"))->setChecked(true);
        QVERIFY(!find(crossword, "RBLegendRight")->isEnabled() && !find(crossword, "RBLegendBottom")->isEnabled());
        // 15 mm typed in is stored as 150 and shown as 15 again; Enter closes with OK.
        spin(crossword, "SpinLMargin")->setValue(15);
        const TPrintSettings chosen = crossword.Values(TPrintSettings{});
        QCOMPARE(chosen.LeftMargin, 150);
        QCOMPARE(chosen.OnePage, 0);
        TPrintSettingsDlg again(TPuzzleKind::Swedish, printers, dialogs);
        again.Fill(chosen);
        QCOMPARE(spin(again, "SpinLMargin")->value(), 15);
        QTest::keyClick(spin(again, "SpinTMargin"), Qt::Key_Return);
        QCOMPARE(again.result(), int(QDialog::Accepted));

        // The set-up button opens the page set-up of the chosen printer.
        QTest::mouseClick(again.findChild<QWidget*>(QStringLiteral("SBSetupPrinter")), Qt::LeftButton);
        QCOMPARE(dialogs.Log.back().Kind, QStringLiteral("QPageSetupDialog"));

        // A Sudoku offers the scaling group instead of the layout and the legend font.
        TPrintSettingsDlg sudoku(TPuzzleKind::Sudoku, printers, dialogs);
        QVERIFY(find(sudoku, "GBLayout")->isHidden() && !find(sudoku, "GBScale")->isHidden());
        QVERIFY(find(sudoku, "SELegFontSize")->isHidden());
        QVERIFY(find(sudoku, "SpinGridSize")->isEnabled());
        sudoku.findChild<QRadioButton*>(QStringLiteral("RBSizeStretch"))->setChecked(true);
        QVERIFY(!find(sudoku, "SpinGridSize")->isEnabled());
    }

    // The print command of the frame writes PDF files, one per copy.
    void pdfFromTheFrame_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<int>("onePage");
        QTest::addColumn<int>("colorMode");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("text");
        QTest::newRow("Swedish, one page, colour") << "schwedenraetsel-loesungswort" << 1 << 2 << 1 << 1 << "Waagerecht:";
        QTest::newRow("Swedish, two pages, three copies") << "schwedenraetsel" << 0 << 1 << 3 << 2 << "Senkrecht:";
        QTest::newRow("fill-in, lines only") << "fuellraetsel" << 1 << 0 << 1 << 1 << "Legende:";
        QTest::newRow("Sudoku") << "sudoku-9x9" << 1 << 2 << 1 << 1 << "(schwer)";
    }
    void pdfFromTheFrame() {
        if (Tool("pdfinfo").isEmpty() || Tool("pdftoppm").isEmpty() || Tool("pdftotext").isEmpty())
            QSKIP("poppler-utils are not installed");
        QFETCH(QString, sample);
        QFETCH(int, onePage);
        QFETCH(int, colorMode);
        QFETCH(int, copies);
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {QStringLiteral(ZX_SAMPLES_DIR "/%1.raetsel").arg(sample).toStdString()},
                          &dialogs);
        frame.SetPrinterChoice(std::make_unique<TPrinterChoice>(QStringList{}));
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
        const QString file = m_dir.filePath(sample + QString::number(onePage) + QStringLiteral(".pdf"));
        dialogs.SaveAnswer = [&](const QString& suggested) {
            return suggested.endsWith(QStringLiteral(".pdf")) ? file : QString();
        };
        dialogs.OnExec = [&](QDialog& d) {
            TPrintSettings print;
            print.OnePage = static_cast<std::uint8_t>(onePage);
            print.ColorMode = colorMode;
            print.Copies = copies;
            static_cast<TPrintSettingsDlg&>(d).Fill(print);
        };
        frame.MItemRaeDruckenClick();
        QVERIFY(dialogs.Log.size() == 2 && dialogs.Log[1].Kind == QLatin1String("save"));
        QCOMPARE(frame.Session().Settings().PrintSettings.Copies, copies);
        QVERIFY(frame.PrintMessage()->isVisible());
        QVERIFY(frame.PrintMessage()->LblMessage()->text().endsWith(QStringLiteral(" drucken")));

        QTEST(PdfPages(file), "pages");
        for (int copy = 2; copy <= copies; ++copy)
            QTEST(PdfPages(m_dir.filePath(sample + QString::number(onePage) + QStringLiteral(" (%1).pdf").arg(copy))),
                  "pages");
        QVERIFY(!QFile::exists(m_dir.filePath(sample + QString::number(onePage) + QStringLiteral(" (%1).pdf").arg(copies + 1))));
        // The title and the side block's heading are text in the file.
        const QString words = Run(Tool("pdftotext"), {file, QStringLiteral("-")});
        QVERIFY2(words.contains(frame.Child<TRaetselForm>()->windowTitle().section(QLatin1Char(' '), 0, 0)),
                 qPrintable(words.left(200)));
        QFETCH(QString, text);
        QVERIFY2(words.contains(text), qPrintable(words.left(400)));
        const QImage page = PdfImage(file, QDir(m_dir.path()));
        QVERIFY(!page.isNull());
        // Colour mode 0 prints no colour, mode 2 the yellow of the solution cells.
        if (colorMode == 0) QVERIFY(!HasColour(page));
        if (colorMode == 2 && sample.contains(QStringLiteral("loesungswort")))
            QVERIFY(HasColour(page, qRgb(255, 255, 0)));
    }

    // A 50 x 50 crossword prints every clue once and whole, inside the margins.
    void largePuzzleFromTheFrame_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("onePage");
        QTest::addColumn<int>("legendRight");
        QTest::addColumn<int>("portrait");
        QTest::newRow("crossword, one page, landscape") << 0 << 1 << 1 << 0;
        QTest::newRow("crossword, one page, portrait, legend below") << 0 << 1 << 0 << 1;
        QTest::newRow("crossword, two pages, portrait") << 0 << 0 << 1 << 1;
        QTest::newRow("crossword, two pages, landscape") << 0 << 0 << 1 << 0;
        QTest::newRow("French crossword, one page") << 8 << 1 << 1 << 0;
        QTest::newRow("number crossword, two pages") << 2 << 0 << 1 << 0;
    }
    void largePuzzleFromTheFrame() {
        if (Tool("pdftotext").isEmpty() || Tool("pdftoppm").isEmpty())
            QSKIP("poppler-utils are not installed");
        QFETCH(int, type);
        QFETCH(int, onePage);
        QFETCH(int, legendRight);
        QFETCH(int, portrait);
        const QString name =
            QStringLiteral("large-%1-%2%3%4").arg(type).arg(onePage).arg(legendRight).arg(portrait);
        const QString source = m_dir.filePath(name + QStringLiteral(".raetsel"));
        const auto puzzle = LargePuzzle(type);
        zxtest::WritePuzzleFile(source, *puzzle);
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {source.toStdString()}, &dialogs);
        frame.SetPrinterChoice(std::make_unique<TPrinterChoice>(QStringList{}));
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
        const QString file = m_dir.filePath(name + QStringLiteral(".pdf"));
        dialogs.SaveAnswer = [file](const QString&) { return file; };
        dialogs.OnExec = [&](QDialog& d) {
            TPrintSettings print;
            print.OnePage = static_cast<std::uint8_t>(onePage);
            print.LegendRight = static_cast<std::uint8_t>(legendRight);
            print.Portrait = static_cast<std::uint8_t>(portrait);
            static_cast<TPrintSettingsDlg&>(d).Fill(print);
        };
        frame.MItemRaeDruckenClick();
        for (int page = 1; page <= PdfPages(file); ++page)
            QVERIFY2(!InkNearEdge(PdfImage(file, QDir(m_dir.path()), page, 20), 20, 15),
                     qPrintable(QString::number(page)));
        if (IsNumberPuzzle(KindOf(*puzzle))) return;
        const QString words =
            Run(Tool("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")})
                .simplified() +
            ' ';
        for (int i = 0; i < puzzle->wordCount(); ++i) {
            const QString clue =
                ToQString(puzzle->Words[i].Clue.str()).simplified() + QLatin1Char(' ');
            QVERIFY2(words.count(clue) == 1, qPrintable(clue));
        }
    }

    // Every sample prints in every layout and colour mode, its title as text.
    void everySample() {
        if (Tool("pdfinfo").isEmpty() || Tool("pdftotext").isEmpty()) QSKIP("poppler-utils are not installed");
        const QStringList samples = QDir(QStringLiteral(ZX_SAMPLES_DIR)).entryList({QStringLiteral("*.raetsel")});
        QVERIFY(samples.size() >= 15);
        for (const QString& sample : samples) {
            zxtest::TRecordingDialogs dialogs;
            TVxMainForm frame("player", {QDir(QStringLiteral(ZX_SAMPLES_DIR)).filePath(sample).toStdString()},
                              &dialogs);
            frame.SetPrinterChoice(std::make_unique<TPrinterChoice>(QStringList{}));
            frame.show();
            QTRY_VERIFY(frame.StartUpDone());
            const bool sudoku = IsSudoku(frame.Session().Kind());
            const QString title = ToQString(PrintTitleText(frame.Session().Puzzle()));
            // One page with the legend right, one with it below, two pages.
            for (int layout = 0; layout < 3; ++layout) {
                const QString file = m_dir.filePath(QStringLiteral("%1-%2.pdf").arg(sample).arg(layout));
                dialogs.SaveAnswer = [file](const QString&) { return file; };
                dialogs.OnExec = [layout](QDialog& d) {
                    TPrintSettings print;
                    print.OnePage = layout < 2;
                    print.LegendRight = layout == 0;
                    print.Portrait = layout == 1;
                    print.ColorMode = layout;
                    static_cast<TPrintSettingsDlg&>(d).Fill(print);
                };
                frame.MItemRaeDruckenClick();
                const int pages = layout == 2 && !sudoku ? 2 : 1;
                QCOMPARE(PdfPages(file), pages);
                // Every block stays inside the page's 20 mm margins.
                for (int page = 1; page <= pages; ++page)
                    QVERIFY2(!InkNearEdge(PdfImage(file, QDir(m_dir.path()), page, 20), 20, 15),
                             qPrintable(QStringLiteral("%1 layout %2 page %3").arg(sample).arg(layout).arg(page)));
                const QString words = Run(Tool("pdftotext"), {QStringLiteral("-raw"), file, QStringLiteral("-")});
                QVERIFY2(words.simplified().contains(title.simplified()), qPrintable(sample));
            }
        }
    }

    // The solution-word row is printed only while its strip is open.
    void solutionRowFollowsTheStrip() {
        if (Tool("pdftotext").isEmpty()) QSKIP("poppler-utils are not installed");
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {ZX_SAMPLES_DIR "/schwedenraetsel-loesungswort.raetsel"}, &dialogs);
        frame.SetPrinterChoice(std::make_unique<TPrinterChoice>(QStringList{}));
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
        QVERIFY(frame.FindChildForm(TFormKind::Solution));
        const QString caption = ToQString(frame.Session().Puzzle().SolutionCaption.str()) + QLatin1Char(':');
        auto printed = [&](const QString& name) {
            const QString file = m_dir.filePath(name);
            dialogs.SaveAnswer = [file](const QString&) { return file; };
            frame.MItemRaeDruckenClick();
            return Run(Tool("pdftotext"), {file, QStringLiteral("-")});
        };
        QVERIFY(printed(QStringLiteral("open.pdf")).contains(caption));
        qobject_cast<QWidget*>(frame.FindChildForm(TFormKind::Solution)->parent())->close();
        QTRY_VERIFY(!frame.Session().FormOpen(TFormKind::Solution));
        QVERIFY(!printed(QStringLiteral("closed.pdf")).contains(caption));
    }

    // Cancelling prints nothing and keeps the settings; a file that cannot be
    // written gets an error and nothing else.
    void cancelAndFailure() {
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {ZX_SAMPLES_DIR "/sudoku-4x4.raetsel"}, &dialogs);
        frame.SetPrinterChoice(std::make_unique<TPrinterChoice>(QStringList{}));
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
        dialogs.OnExec = [](QDialog& d) { d.findChild<QSpinBox*>(QStringLiteral("SENumCopies"))->setValue(7); };
        dialogs.ExecResult = QDialog::Rejected;
        frame.MItemRaeDruckenClick();
        QCOMPARE(frame.Session().Settings().PrintSettings.Copies, 1);
        QCOMPARE(dialogs.Log.size(), std::size_t(1));

        dialogs.ExecResult = QDialog::Accepted;
        dialogs.SaveAnswer = [](const QString&) { return QString(); };
        frame.MItemRaeDruckenClick();
        QVERIFY(!frame.PrintMessage());

        dialogs.SaveAnswer = [](const QString&) { return QStringLiteral("/nonexistent-folder/x.pdf"); };
        frame.MItemRaeDruckenClick();
        QCOMPARE(dialogs.Log.back().Kind, QStringLiteral("error"));
        QVERIFY(dialogs.Log.back().Text.contains(QStringLiteral("/nonexistent-folder/x.pdf")));
    }

    // Both print windows have a fixed frame: the title bar offers closing only.
    void framesOfferNoMinimiseOrMaximise() {
        TPrinterChoice printers(QStringList{QStringLiteral("Laser")});
        zxtest::TRecordingDialogs dialogs;
        TPrintSettingsDlg settings(TPuzzleKind::Swedish, printers, dialogs);
        TPrintMsgDlg progress;
        for (QWidget* w : {static_cast<QWidget*>(&settings), static_cast<QWidget*>(&progress)}) {
            w->show();
            // The flags the window system gets; without CustomizeWindowHint it adds its defaults.
            const Qt::WindowFlags flags = w->windowHandle()->flags();
            QCOMPARE(flags & Qt::WindowType_Mask, w == &settings ? Qt::Dialog : Qt::Tool);
            QVERIFY(flags & Qt::CustomizeWindowHint);
            QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QVERIFY(flags & Qt::WindowCloseButtonHint);
            QCOMPARE(w->minimumSize(), w->maximumSize());
        }
    }

    // The progress window cycles its pictures and hides after its minimum
    // once the printer is done.
    void progressWindow() {
        TPrintMsgDlg window;
        bool printing = true;
        window.SetPrintingProbe([&] { return printing; });
        window.show();
        QVERIFY(window.TimerActive());
        for (int tick = 1; tick <= 40; ++tick) {
            window.TimerTimer();
            QVERIFY(window.ImgPrinter(tick % 3)->isVisible() && !window.ImgPrinter((tick + 1) % 3)->isVisible());
        }
        QVERIFY(window.isVisible());
        printing = false;
        window.TimerTimer();
        QVERIFY(!window.isVisible() && !window.TimerActive());
    }
};

QTEST_MAIN(PrintTest)
#include "PrintTest.moc"
