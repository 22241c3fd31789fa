// The solution-word strip: keys into the boxes and the completion check, the
// strip following the session, its size and caption, its place in a child
// area, and the box colours on screen and on paper.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QtTest>

#include "../grid/GridTestSupport.h"
#include "legend/LoesungDialog.h"

using namespace zx;

namespace {
// A fill-in puzzle whose five cells hide the solution word SAHNE.
const char* const Sahne = "typ: 5\nloesungswort: SAHNE\nloesungstitel: Milchprodukt\n"
                          "[gitter]\nhasen\n[begriffe]\nHASEN = Langohren\n";

struct TStrip {
    std::unique_ptr<gridtest::TFakeFrame> Frame;
    std::unique_ptr<TLoesungForm> Form;
    QWidget* Grid() const { return Form->GridLoesung(); }
};

// The strip, shown and holding the keys; the grid filled with rowLetters.
TStrip Open(const char* source, const char* rowLetters) {
    TStrip s{gridtest::FrameFromSource(source), nullptr};
    s.Frame->Play.StartPlay();
    for (int c = 1; rowLetters[c - 1]; ++c)
        s.Frame->Play.TypeKey(c, 1, rowLetters[c - 1], TInputDir::Across);
    s.Form = std::make_unique<TLoesungForm>(*s.Frame);
    s.Frame->OpenChild(TFormKind::Solution, s.Form.get());
    s.Form->show();
    s.Form->activateWindow();
    if (!QTest::qWaitForWindowActive(s.Form.get())) qWarning("strip not active");
    s.Form->GridLoesung()->setFocus();
    return s;
}

// '\b' Backspace, '\x7f' Delete, '\r' Enter; beyond ASCII as Latin-1 text.
void Type(QWidget* grid, char key) {
    static const std::map<char, Qt::Key> special = {
        {'\b', Qt::Key_Backspace}, {'\x7f', Qt::Key_Delete}, {'\r', Qt::Key_Return}};
    if (const auto it = special.find(key); it != special.end()) {
        QTest::keyClick(grid, it->second);
    } else if (static_cast<unsigned char>(key) < 0x80) {
        QTest::keyClick(grid, key);
    } else {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString(QChar(static_cast<unsigned char>(key))));
        QApplication::sendEvent(grid, &press);
    }
}

// Whether the region covers all of rect.
bool Covers(const QRegion& region, const QRect& rect) {
    return QRegion(rect).subtracted(region).isEmpty();
}
} // namespace

class SolutionStripTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }

    // The grid is right and full, so every check reports: success when the
    // word is right, failure when it is wrong; clearing runs no check.
    void typing_data() {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<int>("col");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("afterCol");
        QTest::addColumn<int>("result"); // 0 none, 1 success, -1 failure
        auto row = [](const char* name, const char* entry, int col, const char* keys,
                      const char* after, int afterCol, int result) {
            QTest::newRow(name) << QByteArray(entry) << col << QByteArray(keys) << QByteArray(after)
                                << afterCol << result;
        };
        row("letter upper-cased, moves on, checks", "SAHNE", 0, "b", "BAHNE", 1, -1);
        row("last box overwritten, cursor stays", "SAHNX", 4, "e", "SAHNE", 4, 1);
        row("backspace on box 3", "SAHNE", 2, "\b", "S HNE", 1, 0);
        row("backspace on box 1", "SAHNE", 0, "\b", " AHNE", 0, 0);
        row("delete", "SAHNE", 2, "\x7f", "SA NE", 2, 0);
        row("space", "SAHNE", 1, " ", "S HNE", 1, 0);
        row("digit", "SAHNE", 1, "7", "S HNE", 1, 0);
        row("enter", "SAHNE", 1, "\r", "S HNE", 1, 0);
        row("umlaut is no letter", "SAHNE", 1, "\xe4", "S HNE", 1, 0);
    }
    void typing() {
        QFETCH(QByteArray, entry);
        QFETCH(int, col);
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, after);
        QFETCH(int, afterCol);
        QFETCH(int, result);
        TStrip s = Open(Sahne, "HASEN");
        TPuzzleData& p = s.Frame->St.Puzzle;
        p.SolutionEntry.assign(entry.toStdString());
        s.Form->ShowSolution();
        QCOMPARE(s.Form->GridLoesung()->ColCount(), 5);
        s.Form->GridLoesung()->SetCurrent(col, 0);
        for (const char key : keys)
            Type(s.Grid(), key);
        QCOMPARE(QByteArray(p.SolutionEntry.Chars, 5), after);
        QCOMPARE(s.Form->GridLoesung()->Col(), afterCol);
        const auto results = s.Frame->Dlg.Results();
        QCOMPARE(static_cast<int>(results.size()), result != 0 ? 1 : 0);
        if (result != 0) QCOMPARE(results[0].Success, result > 0);
    }

    void completion() {
        TStrip s = Open("typ: 5\nloesungswort: OT\n[gitter]\noB#At\n[begriffe]\nOB = a\nAT = b\n",
                        "OB#AT");
        Type(s.Grid(), 'o');
        QVERIFY(s.Frame->Dlg.Results().empty());
        Type(s.Grid(), 't');
        Type(s.Grid(), 't'); // checked again: congratulated once
        const auto results = s.Frame->Dlg.Results();
        QCOMPARE(static_cast<int>(results.size()), 1);
        QVERIFY(results[0].Success);
    }

    // Letters written elsewhere, undo, the view and the zoom reach the boxes.
    void follows_session() {
        TStrip s = Open(Sahne, "");
        TPlayerSession& play = s.Frame->Play;
        TDrawGrid* grid = s.Form->GridLoesung();
        grid->TakeInvalidatedRegion();
        play.SetSolutionLetter(3, 'x');
        QRegion dirty = grid->TakeInvalidatedRegion();
        QVERIFY(Covers(dirty, grid->CellRect(2, 0)));
        QVERIFY(!Covers(dirty, grid->CellRect(0, 0)));

        play.SaveUndoCopy();
        play.SetSolutionLetter(1, 'q');
        grid->TakeInvalidatedRegion();
        play.Undo();
        QCOMPARE(play.Puzzle().SolutionEntry.Chars[0], ' ');
        QVERIFY(Covers(grid->TakeInvalidatedRegion(), grid->CellRect(0, 0)));
        play.SetViewMode(1);
        QVERIFY(Covers(grid->TakeInvalidatedRegion(), grid->CellRect(4, 0)));

        play.Zoom(1);
        QCOMPARE(grid->CellRect(1, 0), QRect(32, 0, 31, 31));
        QCOMPARE(s.Form->size(), QSize(5 * 32 - 1 + 10, 32 + 8));
    }

    void layout_data() {
        QTest::addColumn<int>("length"); // stored length byte, -1: as compiled
        QTest::addColumn<int>("cell");
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<int>("boxes");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("title");
        const QByteArray fifty(50, 'x');
        QTest::newRow("5 letters") << -1 << 30 << QByteArray("Milchprodukt") << 5 << QSize(164, 39)
                                   << QString("Milchprodukt:");
        QTest::newRow("50-character caption")
            << -1 << 30 << fifty << 5 << QSize(164, 39) << QString(fifty + ':');
        QTest::newRow("empty caption")
            << -1 << 30 << QByteArray() << 5 << QSize(164, 39) << QString(":");
        QTest::newRow("length byte beyond the field")
            << 200 << 30 << QByteArray("T") << 20 << QSize(20 * 31 - 1 + 10, 39) << QString("T:");
        QTest::newRow("no solution word")
            << 0 << 30 << QByteArray("T") << 0 << QSize(10, 39) << QString("T:");
    }
    void layout() {
        QFETCH(int, length);
        QFETCH(int, cell);
        QFETCH(QByteArray, caption);
        QFETCH(int, boxes);
        QFETCH(QSize, client);
        QFETCH(QString, title);
        auto frame = gridtest::FrameFromSource(Sahne);
        TPuzzleData& p = frame->St.Puzzle;
        if (length >= 0) p.SolutionWord.Len = static_cast<std::uint8_t>(length);
        p.SolutionCaption.assign(caption.toStdString());
        frame->St.Settings.Feldgroesse = cell;
        TLoesungForm form(*frame);
        form.ShowSolution();
        QCOMPARE(form.GridLoesung()->ColCount(), boxes);
        QCOMPARE(form.size(), client);
        QCOMPARE(form.windowTitle(), title);
    }

    // In a child area the strip sits at the bottom right, without buttons.
    void placement() {
        auto frame = gridtest::FrameFromSource(Sahne);
        QMdiArea area;
        area.resize(640, 480);
        area.show();
        auto* form = new TLoesungForm(*frame);
        QMdiSubWindow* sub = area.addSubWindow(form, form->windowFlags());
        sub->show();
        const QRect vp = area.viewport()->rect();
        QCOMPARE(sub->geometry().bottomRight(), vp.bottomRight() - QPoint(10, 10));
        QCOMPARE(sub->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint |
                                       Qt::WindowMinMaxButtonsHint),
                 Qt::WindowFlags());
        QCOMPARE(form->PlaceFor(QRect(0, 0, 50, 50)), QPoint(0, 0));
    }

    // Box 2 holds the wrong "X" (solution "H"); box 0 the right "S".
    void colours_data() {
        QTest::addColumn<bool>("paper");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("errors");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("letter");
        const QColor yellow(255, 255, 0), grey(0xDD, 0xDD, 0xDD), white(Qt::white);
        const QColor green(0, 128, 0), blue(0, 0, 255), red(255, 0, 0);
        QTest::newRow("screen, solution view") << false << 2 << 1 << false << yellow << blue;
        QTest::newRow("screen, errors shown") << false << 2 << 0 << true << yellow << red;
        QTest::newRow("colour, solution view") << true << 2 << 1 << false << yellow << blue;
        QTest::newRow("colour, errors shown") << true << 2 << 0 << true << yellow << red;
        QTest::newRow("greyscale keeps the letter colour")
            << true << 1 << 1 << true << grey << green;
        QTest::newRow("lines only") << true << 0 << 0 << true << white << green;
    }
    void colours() {
        QFETCH(bool, paper);
        QFETCH(int, mode);
        QFETCH(int, view);
        QFETCH(bool, errors);
        QFETCH(QColor, background);
        QFETCH(QColor, letter);
        auto frame = gridtest::FrameFromSource(Sahne);
        TProgramSettings& st = frame->St.Settings;
        st.FarbeLoesungswort = 0x008000;
        st.FarbeFehlendeBuchstaben = 0xFF0000;
        st.FarbeFalscheBuchstaben = 0x0000FF;
        st.FarbeLoesungfeld = 0x00FFFF;
        st.FehlerZeigen = errors;
        frame->St.ViewMode = static_cast<std::uint8_t>(view);
        frame->St.Puzzle.SolutionEntry.assign("SAXNE");

        QImage image;
        QRect box0, box2;
        if (paper) {
            image = QImage(700, 160, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            TLoesungForm::PrintSolutionWord(painter, QRect(10, 20, 500, 100), frame->St.Puzzle, st,
                                            frame->St.ViewMode, true, mode);
            // Inside the black frames: a box reaches from its left frame line
            // to the next box's one.
            box0 = QRect(11, 19, 99, 102);
            box2 = QRect(211, 19, 99, 102);
            QCOMPARE(image.pixelColor(210, 70), QColor(Qt::black));
            QCOMPARE(image.pixelColor(110, 18), QColor(Qt::black));
        } else {
            TLoesungForm form(*frame);
            image = form.GridLoesung()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            box0 = form.GridLoesung()->CellRect(0, 0);
            box2 = form.GridLoesung()->CellRect(2, 0);
        }
        const QColor green(0, 128, 0);
        QCOMPARE(image.pixelColor(box2.topLeft() + QPoint(3, 3)), background);
        QVERIFY(gridtest::CountColour(image, box0, green) > 10);
        QVERIFY(gridtest::CountColour(image, box2, letter) > 10);
        for (const QColor other : {green, QColor(0, 0, 255), QColor(255, 0, 0)})
            if (other != letter) QCOMPARE(gridtest::CountColour(image, box2, other), 0);
    }
};

QTEST_MAIN(SolutionStripTest)
#include "SolutionStripTest.moc"
