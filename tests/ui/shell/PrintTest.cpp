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
#include <QtTest>

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

    TPrintBlocks Legend() {
        TPrintBlocks b = GridOnly();
        b.LegendSize = [this](QPainter&, bool stacked) { return stacked ? LegendStacked : LegendBeside; };
        b.Legend = [this](QPainter& canvas, const QRect& rect, bool stacked) {
            Side = rect;
            SideFlag = stacked;
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
            return 100;
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

    // Clue lists longer than the page are drawn smaller, not cut off.
    void legendTallerThanPageIsScaled() {
        auto p = zxtest::MakePuzzle(0, 10, 10);
        TPrintSettings print;
        TRecordingJob job;
        TRecordedBlocks recorded;
        recorded.LegendStacked = QSize(500, 6000);
        QVERIFY(PrintOnePage(job, *p, print, recorded.Legend()));
        const QRect onPaper = recorded.SideTransform.mapRect(recorded.Side);
        QCOMPARE(recorded.Side.size(), recorded.LegendStacked);
        QVERIFY(onPaper.top() >= 200 && onPaper.bottom() <= 2100 - 200);
        QVERIFY(onPaper.right() <= 2970 - 200);
        QVERIFY(!onPaper.intersects(recorded.Grid));
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
