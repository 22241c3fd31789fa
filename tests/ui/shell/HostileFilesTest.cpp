// Damaged and hostile puzzle files through the real frame: strings at and
// beyond their capacities, every cell flag, negative numbers, refused types and
// sizes. Each file opens its grid or a German error message; keys, clicks, the
// play commands, undo and reset then leave the frame responsive.
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <climits>
#include <functional>

#include "ShellTestSupport.h"
#include "controls/DrawGrid.h"
#include "grid/RaetselFormular.h"
#include "shell/Hauptformular.h"

using namespace zx;

namespace {

// Windows-1252 text that is awkward wherever it is shown: mnemonics, rich
// text, format markers, line ends, a tab, a zero byte, bytes Windows-1252
// leaves undefined, umlauts, ß and the characters of web addresses.
std::string Awkward(std::size_t n, std::size_t shift) {
    static const char pieces[] = "&<b>%1\r\n\t\0\x81\x8D\xC4\xD6\xDC\xDF\xFF\"'\\/?#MW.";
    constexpr std::size_t count = sizeof pieces - 1;
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += pieces[(i + shift) % count];
    return s;
}

// Calls f on every string of the record.
template <class F> void EachString(TPuzzleData& p, F f) {
    for (auto& column : p.Cells)
        for (TPuzzleCell& cell : column)
            f(cell.Text);
    for (auto& column : p.Entries)
        for (PuzzleEntry& entry : column)
            f(entry);
    for (TPuzzleWord& w : p.Words) {
        f(w.Guess);
        f(w.Answer);
        f(w.Clue);
    }
    f(p.SolutionWord);
    f(p.SolutionCaption);
    f(p.CreatorVersion);
    f(p.SolutionEntry);
    f(p.Reserved8);
    f(p.Author);
    f(p.Title);
    f(p.Comment);
}

// A plausible square puzzle of a type: letters (symbols in a Sudoku) with an
// occasional block, numbered starts, a typed letter here and there and all
// 201 word records in use.
std::unique_ptr<TPuzzleData> Plausible(int type, int size) {
    auto p = zxtest::MakePuzzle(type, size, size);
    const bool sudoku = type == 14 || type == 15;
    for (int c = 1; c <= size; ++c)
        for (int r = 1; r <= size; ++r) {
            TPuzzleCell& cell = p->cell(c, r);
            const bool block = !sudoku && (c * 7 + r * 3) % 11 == 0;
            cell.Flags = block ? cfBlock : cfLetter;
            if (block) continue;
            const char symbol =
                sudoku ? "123456789ABC"[(c + r) % 12] : static_cast<char>('A' + (c * 5 + r) % 26);
            cell.Text.assign(std::string(1, symbol));
            p->entry(c, r).assign((c + r) % 4 ? " " : std::string(1, symbol));
            if (r == 1 || c == 1) cell.Number = c + r;
            cell.AcrossStart = c == 1;
            cell.DownStart = r == 1;
        }
    for (int i = 0; i < MaxWords; ++i) {
        TPuzzleWord& w = p->Words[i];
        w.Number = i + 2;
        w.Direction = static_cast<std::uint8_t>(i % 2);
        w.Code = 'A' + i % 26;
        w.Guess.assign(" ");
        w.Answer.assign(i % 3 ? "HAUS" : "BAUM");
        w.Clue.assign("Hinweis");
    }
    p->WordCount = MaxWords;
    p->SolutionWord.assign("HAUS");
    p->SolutionEntry.assign("    ");
    p->ClockRunning = 1;
    return p;
}

void FullStrings(TPuzzleData& p) {
    std::size_t shift = 0;
    EachString(p, [&](auto& s) { s.assign(Awkward(s.Capacity, ++shift)); });
    p.HelpOptions = 255;
    p.Level = MaxLevel;
    p.ElapsedTime = 65535;
    p.BestTime = 65534;
}

// Length bytes beyond the capacity, written raw over full strings.
void OverlongStrings(TPuzzleData& p) {
    FullStrings(p);
    std::size_t shift = 0;
    EachString(
        p, [&](auto& s) { s.Len = static_cast<std::uint8_t>(++shift % 2 ? 255 : s.Capacity + 1); });
}

// Every combination of the five flags, some with every unknown bit set too,
// and start marks other than 0 and 1.
void EveryFlag(TPuzzleData& p) {
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            TPuzzleCell& cell = p.cell(c, r);
            const int i = c * GridDim + r;
            cell.Flags = static_cast<std::uint32_t>(i % 32) | (i % 7 == 0 ? 0xFFFFFFE0u : 0u);
            cell.AcrossStart = static_cast<std::uint8_t>(i % 3 == 2 ? 255 : i % 3);
            cell.DownStart = static_cast<std::uint8_t>(i % 5 == 4 ? 2 : i % 2);
        }
}

// Negative values in every number the record holds; the unsigned times and
// byte fields at the values a signed reading takes for negative.
void NegativeNumbers(TPuzzleData& p) {
    static const std::int32_t values[] = {-1, -2, -50, -201, INT_MIN, INT_MIN + 1, -65536};
    int k = 0;
    for (auto& column : p.Cells)
        for (TPuzzleCell& cell : column)
            cell.Number = values[k++ % 7];
    for (TPuzzleWord& w : p.Words) {
        w.Number = values[k++ % 7];
        w.Code = values[k++ % 7];
        w.Direction = 255;
        w.Reversed = 255;
        w.Done = 255;
    }
    p.ElapsedTime = 0x8000;
    p.BestTime = 0xFFFF;
    p.WordCount = 255;
    p.Level = 255;
    p.HelpOptions = 255;
    p.ReverseAllowed = 255;
    p.Solved = 255;
    p.ClockRunning = 255;
}

struct TCase {
    std::string Name;
    int Type;
    int Cols, Rows;
    std::function<void(TPuzzleData&)> Damage;
    bool Opens;
};

std::vector<TCase> Cases() {
    std::vector<TCase> cases;
    const std::pair<const char*, std::function<void(TPuzzleData&)>> damages[] = {
        {"full strings", FullStrings},
        {"overlong strings", OverlongStrings},
        {"every flag", EveryFlag},
        {"negative numbers", NegativeNumbers},
    };
    for (const auto& [what, damage] : damages)
        for (int type = 0; type <= MaxPuzzleType; ++type) {
            if (type == 13) continue;
            const int size = type >= 14 ? 12 : MaxGridSize;
            cases.push_back(
                {"type " + std::to_string(type) + ", " + what, type, size, size, damage, true});
        }
    const auto refused = [&](std::string name, int type, int cols, int rows) {
        cases.push_back({std::move(name), type, cols, rows, FullStrings, false});
    };
    refused("type 13", 13, 9, 9);
    refused("type 16", 16, 9, 9);
    refused("type 255", 255, 9, 9);
    refused("no columns", 1, 0, 9);
    refused("no rows", 1, 9, 0);
    refused("255 columns", 1, 255, 9);
    refused("255 rows", 1, 9, 255);
    refused("Sudoku of 50 x 50", 14, 50, 50);
    return cases;
}

// The keys a player might press in the grid.
const Qt::Key Keys[] = {Qt::Key_A,         Qt::Key_Z,        Qt::Key_5,    Qt::Key_Space,
                        Qt::Key_Backspace, Qt::Key_Delete,   Qt::Key_Left, Qt::Key_Right,
                        Qt::Key_Up,        Qt::Key_Down,     Qt::Key_Home, Qt::Key_End,
                        Qt::Key_PageUp,    Qt::Key_PageDown, Qt::Key_Tab,  Qt::Key_Return,
                        Qt::Key_Escape,    Qt::Key_Insert};

// Play commands and frame commands, in the order a curious player tries them.
const char* const Commands[] = {
    "MItemBeaLeerfeld",      "MItemBeaEintragen",     "MItemBeaBegriff",
    "MItemPlayUmschreibung", "MItemPlayNachschlagen", "MItemPlaySuchen",
    "MItemAnsVergroessern",
    "MItemAnsVerkleinern",   "MItemAnsFehleintraege", "MItemAnsBegriffLaengen",
    "MItemAnsTooltips",      "MItemBeaMark1",         "MItemBeaMark12",
    "MItemBeaMark13",        "MItemBeaSnapErstellen", "MItemBeaSnap1",
    "MItemAnsLoesung",       "MItemAnsLoesung",       "MItemRaeInfos",
    "MItemBeaMark0",
};

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Opens the menus, so that every command's state follows the session,
    // then triggers the command (a disabled one does nothing, as for the player).
    static void Trigger(TVxMainForm& frame, const char* name) {
        for (const char* menu : {"MItemRaetsel", "MItemBearbeiten", "MItemAnsicht",
                                 "MItemBeaFelderMarkieren", "MItemBeaSchnappschuss"})
            if (auto* m = frame.findChild<QMenu*>(QString::fromLatin1(menu)))
                Q_EMIT m->aboutToShow();
        if (auto* action = frame.findChild<QAction*>(QString::fromLatin1(name))) action->trigger();
    }

    // Paints the frame and every child window, hidden ones included.
    static void PaintAll(TVxMainForm& frame) {
        frame.grab();
        const auto subWindows = frame.ChildArea()->subWindowList();
        for (QMdiSubWindow* sub : subWindows)
            sub->widget()->grab();
    }

    static void ClickCell(TVxMainForm& frame, QPoint cell) {
        if (auto* form = frame.Child<TRaetselForm>())
            QTest::mouseClick(form->Raetsel(), Qt::LeftButton, {},
                              form->Raetsel()->CellRect(cell.x(), cell.y()).center());
    }

    static void PlayInGrid(TVxMainForm& frame) {
        auto* form = frame.Child<TRaetselForm>();
        if (!form) return;
        TDrawGrid* grid = form->Raetsel();
        grid->setFocus();
        const int cols = grid->ColCount(), rows = grid->RowCount();
        for (const QPoint cell :
             {QPoint(0, 0), QPoint(1, 1), QPoint(cols / 2, rows / 2), QPoint(cols - 1, rows - 1)}) {
            const QPoint at = grid->CellRect(cell.x(), cell.y()).center();
            QTest::mouseMove(grid, at);
            QTest::mouseClick(grid, Qt::LeftButton, {}, at);
            QTest::mouseDClick(grid, Qt::LeftButton, {}, at);
            for (Qt::Key key : Keys)
                QTest::keyClick(grid, key);
            QTest::keyClick(grid, Qt::Key_Right, Qt::ControlModifier);
            for (const auto& [key, text] :
                 {std::pair{Qt::Key_Adiaeresis, "ä"}, {Qt::Key_ssharp, "ß"}, {Qt::Key_E, "é"}})
                QTest::sendKeyEvent(QTest::Click, grid, key, QString::fromUtf8(text),
                                    Qt::NoModifier);
        }
        QTest::mouseClick(grid, Qt::RightButton, {}, grid->rect().center());
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(grid->width() - 1, grid->height() - 1));
    }

private Q_SLOTS:
    void fileOpensOrIsRefusedAndFrameStaysResponsive_data() {
        QTest::addColumn<int>("index");
        const std::vector<TCase> cases = Cases();
        for (std::size_t i = 0; i < cases.size(); ++i)
            QTest::newRow(cases[i].Name.c_str()) << static_cast<int>(i);
    }
    void fileOpensOrIsRefusedAndFrameStaysResponsive() {
        QFETCH(int, index);
        const TCase c = Cases()[static_cast<std::size_t>(index)];
        auto puzzle =
            c.Opens ? Plausible(c.Type, c.Cols) : zxtest::MakePuzzle(c.Type, c.Cols, c.Rows);
        c.Damage(*puzzle);
        // Every other case comes as a packed player named on the command line,
        // its settings block as hostile as its record.
        const QString file = m_dir.filePath(QStringLiteral("feindlich.raetsel"));
        if (index % 2)
            zxtest::WritePackedPlayer(file, *puzzle,
                                      "[Raetsel_Layout]\r\nFeldgroesse=-7\r\nSchriftart=" +
                                          Awkward(300, 1) + "\r\n[Legende]\r\n" + Awkward(500, 2));
        else
            zxtest::WritePuzzleFile(file, *puzzle);

        zxtest::TRecordingDialogs dialogs;
        // Word dialogs get awkward text typed in; every dialog is painted.
        dialogs.OnExec = [](QDialog& dialog) {
            const auto edits = dialog.findChildren<QLineEdit*>();
            for (QLineEdit* edit : edits)
                edit->setText(QString::fromLatin1(Awkward(60, 3).c_str()));
            dialog.grab();
        };
        TVxMainForm frame(m_dir.filePath(QStringLiteral("player")).toStdString(),
                          {file.toStdString()}, &dialogs);
        frame.show();
        QTRY_VERIFY_WITH_TIMEOUT(frame.StartUpDone(), 10000);
        if (c.Opens) {
            QCOMPARE(frame.LoadResult(), lrLoaded);
            QVERIFY(frame.Child<TRaetselForm>());
            QVERIFY(dialogs.Log.empty());
        } else {
            QVERIFY(!frame.HasPuzzleForm());
            QCOMPARE(dialogs.Log.size(), std::size_t(1));
            QCOMPARE(dialogs.Log[0].Kind, QStringLiteral("error"));
            QCOMPARE(
                dialogs.Log[0].Text,
                QString::fromUtf8("Die Datei \"%1\" enthält kein Rätsel in einem bekannten Format!")
                    .arg(file));
        }
        PaintAll(frame);

        PlayInGrid(frame);
        // The commands on a numbered first cell (word dialog, clue, look-up), then in the middle.
        for (const QPoint cell : {QPoint(1, 1), QPoint(MaxGridSize / 2, MaxGridSize / 2)}) {
            ClickCell(frame, cell);
            for (const char* name : Commands)
                Trigger(frame, name);
        }
        Trigger(frame, "MItemBeaRueckgaengig");
        Trigger(frame, "MItemBeaZuruecksetzen");
        PlayInGrid(frame);
        PaintAll(frame);

        // Only pages of the encyclopedia and the dictionary are handed to the desktop.
        for (const auto& shown : dialogs.Log)
            if (shown.Kind == QLatin1String("address"))
                QVERIFY2(shown.Text.startsWith(QStringLiteral("https://de.wikipedia.org/wiki/")) ||
                             shown.Text.startsWith(QStringLiteral("https://de.wiktionary.org/wiki/")),
                         qPrintable(shown.Text));
        bool turned = false;
        QTimer::singleShot(0, &frame, [&turned] { turned = true; });
        QTRY_VERIFY_WITH_TIMEOUT(turned, 5000);
        QVERIFY(frame.isVisible());
    }
};

QTEST_MAIN(HostileFilesTest)
#include "HostileFilesTest.moc"
