// The frame window: start-up loading and its messages, sizing, the states of
// menus and toolbar, the undo copy, the hint line and popup, modifier keys.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <cstring>

#include "ShellTestSupport.h"
#include "controls/DrawGrid.h"
#include "controls/SpeedButton.h"
#include "document/Text.h"
#include "rules/EntryCheck.h"
#include "session/PlayerState.h"
#include "grid/RaetselFormular.h"
#include "legend/BegriffDialog.h"
#include "session/PlayerSession.h"
#include "shell/Hauptformular.h"
#include "shell/HinweisDialog.h"
#include "tools/Commands.h"

using namespace zx;
using zxtest::U;

namespace {

// Counts the events of one type that reach the objects it filters.
class TEventCounter : public QObject {
public:
    TEventCounter(QEvent::Type type, int& count) : m_type(type), m_count(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_type) ++m_count;
        return false;
    }

private:
    QEvent::Type m_type;
    int& m_count;
};

// A frame that has run its start-up message.
struct TStartedFrame {
    zxtest::TRecordingDialogs dialogs;
    std::unique_ptr<TVxMainForm> frame;

    TStartedFrame(const QString& exePath, const QStringList& params) {
        std::vector<std::string> args;
        for (const QString& p : params) args.push_back(p.toStdString());
        frame = std::make_unique<TVxMainForm>(exePath.toStdString(), std::move(args), &dialogs);
        frame->show();
        QTRY_VERIFY_WITH_TIMEOUT(frame->StartUpDone(), 5000);
    }
    template <class T> T* Find(const char* name) const { return frame->findChild<T*>(QString::fromLatin1(name)); }
    bool Enabled(const char* name) const { return Find<QWidget>(name)->isEnabled(); }
    QAction* Item(const char* name) const { return Find<QAction>(name); }
    bool MenuVisible(const char* name) const { return Find<QMenu>(name)->menuAction()->isVisible(); }
    void Open(const char* menu) const { Q_EMIT Find<QMenu>(menu)->aboutToShow(); }
};

} // namespace

class FrameTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_exe;

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString WritePuzzle(const QString& name, const TPuzzleData& puzzle) const {
        zxtest::WritePuzzleFile(Path(name), puzzle);
        return Path(name);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("Meine Rätsel")));
        m_exe = Path(QStringLiteral("player"));
        zxtest::WriteBytes(m_exe, "not a player");
    }

    void frameSizeFollowsScreen_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("frame");
        QTest::newRow("small screen keeps the design size") << QSize(640, 480) << QSize(640, 480);
        QTest::newRow("screen just below 800 x 600") << QSize(799, 599) << QSize(640, 480);
        QTest::newRow("800 x 600 fills the screen") << QSize(800, 600) << QSize(800, 600);
        QTest::newRow("1024 x 768 opens at 1000 x 750") << QSize(1024, 768) << QSize(1000, 750);
        QTest::newRow("wide but low screen") << QSize(1280, 600) << QSize(1000, 600);
        QTest::newRow("large screen stays at 1000 x 750") << QSize(1920, 1200) << QSize(1000, 750);
    }
    void frameSizeFollowsScreen() {
        QFETCH(QSize, screen);
        QFETCH(QSize, frame);
        QCOMPARE(FrameSizeFor(screen), frame);
    }

    void frameStaysOnTheScreen() {
        for (const QRect& screen : {QRect(0, 0, 800, 600), QRect(0, 0, 1024, 768), QRect(1024, 0, 801, 601)}) {
            const QSize size = FrameSizeFor(screen.size());
            QVERIFY(screen.contains(QRect(FramePlacement(screen, size), size)));
        }
    }

    void captionsAndSizeAtStart() {
        std::vector<std::string> none;
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame(m_exe.toStdString(), none, &dialogs);
        QCOMPARE(frame.windowTitle(), U("Tavimo Zindorax - Rätsel-Player"));
        frame.show();
        // The size is that of the whole window, its frame included.
        QCOMPARE(frame.frameGeometry().size(), FrameSizeFor(frame.screen()->geometry().size()));
        QTRY_VERIFY(frame.StartUpDone());
        QCOMPARE(frame.windowTitle(), U("Tavimo Rätsel-Player"));
    }

    void startUpLoadsNamedPuzzle_data() {
        QTest::addColumn<QStringList>("params");
        const QString dir = m_dir.path() + QStringLiteral("/Meine Rätsel");
        QTest::newRow("quoted path with a blank")
            << QStringList{QLatin1Char('"') + dir + QStringLiteral("/mein puzzle.raetsel\"")};
        QTest::newRow("unquoted path arriving as two parameters")
            << QStringList{dir + QStringLiteral("/mein"), QStringLiteral("puzzle.raetsel")};
        QTest::newRow("extra blanks around the parts")
            << QStringList{QStringLiteral("  ") + dir + QStringLiteral("/mein "), QStringLiteral(" puzzle.raetsel ")};
    }
    void startUpLoadsNamedPuzzle() {
        QFETCH(QStringList, params);
        auto puzzle = zxtest::MakePuzzle(1, 12, 9);
        puzzle->Title.assign("Sommerr\xE4tsel");
        WritePuzzle(QStringLiteral("Meine Rätsel/mein puzzle.raetsel"), *puzzle);

        TStartedFrame f(m_exe, params);
        QCOMPARE(f.frame->LoadResult(), lrLoaded);
        QVERIFY(f.dialogs.Log.empty());
        QWidget* grid = f.frame->FindChildForm(TFormKind::Puzzle);
        QVERIFY(grid);
        QCOMPARE(grid->windowTitle(), U("Sommerrätsel"));
        QCOMPARE(f.frame->Session().Edit().Puzzle.ColCount, 12);
        QVERIFY(f.MenuVisible("MItemBearbeiten"));
        QVERIFY(f.MenuVisible("MItemAnsicht"));
        QVERIFY(f.Enabled("TBRaeInfos"));
        QVERIFY(f.Enabled("TBBeaZuruecksetzen"));
        QVERIFY(!f.Enabled("TBBeaRueckgaengig"));
    }

    void startUpLoadsEmbeddedPuzzleWithSettings() {
        auto puzzle = zxtest::MakePuzzle(0, 8, 6);
        const QString player = Path(QStringLiteral("packed player"));
        zxtest::WritePackedPlayer(player, *puzzle, "[Raetsel_Layout]\r\nFeldgroesse=40\r\n");
        TStartedFrame f(player, {});
        QCOMPARE(f.frame->LoadResult(), lrLoaded);
        QVERIFY(f.dialogs.Log.empty());
        QVERIFY(f.frame->HasPuzzleForm());
        QCOMPARE(f.frame->Session().Edit().Settings.Feldgroesse, 40);
    }

    void everySampleOpens_data() {
        QTest::addColumn<QString>("file");
        const QDir samples(QStringLiteral(ZX_SAMPLES_DIR));
        const QStringList files = samples.entryList({QStringLiteral("*.raetsel")}, QDir::Files, QDir::Name);
        if (files.isEmpty()) QSKIP("no compiled sample puzzles");
        for (const QString& name : files) QTest::newRow(qPrintable(name)) << samples.filePath(name);
    }
    void everySampleOpens() {
        QFETCH(QString, file);
        TStartedFrame f(m_exe, {file});
        QCOMPARE(f.frame->LoadResult(), lrLoaded);
        QVERIFY(f.dialogs.Log.empty());
        QVERIFY(f.frame->HasPuzzleForm());
        QVERIFY(f.MenuVisible("MItemBearbeiten"));
        QVERIFY(f.Enabled("TBRaeInfos"));
        const TPuzzleData& puzzle = f.frame->Session().Edit().Puzzle;
        if (!(puzzle.HelpOptions & hoMarkErrors)) QVERIFY(!f.frame->Session().Edit().Settings.FehlerZeigen);

        QString typeLine;
        f.dialogs.OnExec = [&](QDialog& dialog) {
            typeLine = dialog.findChild<QLabel*>(QStringLiteral("LblType"))->text();
        };
        f.Item("MItemRaeInfos")->trigger();
        QCOMPARE(typeLine, QString::fromStdString(Cp1252ToUtf8(PuzzleTypeCaption(puzzle))));
        f.Open("MItemBearbeiten");
        QCOMPARE(f.Item("MItemBeaSchnappschussItem")->isVisible(), puzzle.PuzzleType == 14);
    }

    void packedPlayerOfAnyOriginOpens() {
        // Packed onto a few hundred kilobytes of another program (one packed
        // for another system), and by hand: both play with their settings.
        auto puzzle = zxtest::MakePuzzle(0, 8, 6);
        const std::string ini = "[Raetsel_Layout]\r\nFeldgroesse=44\r\n";
        std::string other = "MZ\x90";
        for (unsigned i = 0; other.size() < 300000; ++i) other += static_cast<char>((i * 7919u) % 251u);
        std::string packed, error;
        QVERIFY(PackPlayer(other, PuzzleFileBytes(*puzzle), ini, packed, error));
        zxtest::WriteBytes(Path(QStringLiteral("Rätsel.exe")), packed);
        zxtest::WritePackedPlayer(Path(QStringLiteral("von Hand")), *puzzle, ini);
        for (const QString& name : {QStringLiteral("Rätsel.exe"), QStringLiteral("von Hand")}) {
            TStartedFrame f(m_exe, {Path(name)});
            QCOMPARE(f.frame->LoadResult(), lrLoaded);
            QVERIFY(f.dialogs.Log.empty());
            QCOMPARE(f.frame->Child<TRaetselForm>()->Raetsel()->DefaultColWidth(), 44);
        }
    }

    void startUpFailureIsReported_data() {
        QTest::addColumn<QStringList>("params");
        QTest::addColumn<QString>("exeName");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("result");
        const QString unreadable = U("Aus der Datei \"%1\" konnte nicht gelesen werden!");
        const QString unknown = U("Die Datei \"%1\" enthält kein Rätsel in einem bekannten Format!");
        QTest::newRow("missing puzzle file") << QStringList{Path(QStringLiteral("fehlt.raetsel"))}
                                             << QStringLiteral("player") << unreadable << int(lrNotFound);
        QTest::newRow("puzzle file of unknown format") << QStringList{Path(QStringLiteral("fremd.raetsel"))}
                                                       << QStringLiteral("player") << unknown << int(lrBadFormat);
        QTest::newRow("puzzle file cut short") << QStringList{Path(QStringLiteral("kurz.raetsel"))}
                                               << QStringLiteral("player") << unreadable << int(lrReadError);
        QTest::newRow("named packed player cut short in its container")
            << QStringList{Path(QStringLiteral("kurzer Spieler"))} << QStringLiteral("player") << unreadable
            << int(lrReadError);
        QTest::newRow("named program with a foreign container")
            << QStringList{Path(QStringLiteral("foreign player"))} << QStringLiteral("player") << unknown
            << int(lrBadFormat);
        QTest::newRow("own file without container") << QStringList{} << QStringLiteral("player")
                                                    << unreadable << int(lrReadError);
        QTest::newRow("own file with a foreign container") << QStringList{} << QStringLiteral("foreign player")
                                                           << unknown << int(lrBadFormat);
    }
    void startUpFailureIsReported() {
        QFETCH(QStringList, params);
        QFETCH(QString, exeName);
        QFETCH(QString, message);
        QFETCH(int, result);
        zxtest::WriteBytes(Path(QStringLiteral("fremd.raetsel")), std::string(70000, 'x'));
        zxtest::WriteBytes(Path(QStringLiteral("kurz.raetsel")), "Quadrillenwortel7.21           short");
        zxtest::WriteBytes(Path(QStringLiteral("kurzer Spieler")),
                           std::string(ContainerOffset, '\0') + "Quadrillenwortel7.21           short");
        zxtest::WriteBytes(Path(QStringLiteral("foreign player")),
                           std::string(ContainerOffset, '\0') + std::string(70000, 'y'));

        const QString exe = Path(exeName);
        TStartedFrame f(exe, params);
        QCOMPARE(int(f.frame->LoadResult()), result);
        QCOMPARE(f.dialogs.Log.size(), std::size_t(1));
        QCOMPARE(f.dialogs.Log[0].Kind, QStringLiteral("error"));
        // The message names the file that failed: the named puzzle file, else the program.
        QCOMPARE(f.dialogs.Log[0].Text, message.arg(params.isEmpty() ? exe : params.front()));

        // The frame stays usable: only the program information and quitting act.
        QVERIFY(!f.frame->HasPuzzleForm());
        QCOMPARE(f.frame->windowTitle(), U("Tavimo Rätsel-Player"));
        // The Bearbeiten and Ansicht menus keep their places but offer no working command.
        for (const char* menu : {"MItemBearbeiten", "MItemAnsicht"}) {
            f.Open(menu);
            const auto items = f.Find<QMenu>(menu)->actions();
            for (QAction* item : items)
                QVERIFY2(item->isSeparator() || !item->isVisible() || !item->isEnabled(), qPrintable(item->objectName()));
        }
        QVERIFY(f.Enabled("TBPrgBeenden"));
        QVERIFY(f.Enabled("TBHlfInfo"));
        for (const char* name : {"TBRaeDrucken", "TBRaeInfos", "TBBeaRueckgaengig", "TBBeaZuruecksetzen"})
            QVERIFY2(!f.Enabled(name), name);
        f.Open("MItemRaetsel");
        QVERIFY(!f.Item("MItemRaeDrucken")->isEnabled());
        QVERIFY(!f.Item("MItemRaeInfos")->isEnabled());
        f.frame->MItemRaeInfosClick();
        QCOMPARE(f.dialogs.Log.size(), std::size_t(1));
        f.Item("MItemPrgInfo")->trigger();
        QCOMPARE(f.dialogs.Log.size(), std::size_t(2));
        QCOMPARE(f.dialogs.Log[1].Kind, QStringLiteral("zx::TInfoDlg"));
        f.Item("MItemPrgBeenden")->trigger();
        QVERIFY(!f.frame->isVisible());
    }

    void menuStatesFollowPuzzle_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("help");
        QTest::addColumn<QString>("revealCaption");
        QTest::addColumn<QString>("lengthCaption");
        QTest::addColumn<QString>("lengthHint");
        QTest::addColumn<bool>("lengths"); // word lengths or possible symbols offered
        QTest::addColumn<bool>("snapshots");
        const QString letters = U("Buchstaben &eintragen");
        const QString lengths = U("&Begrifflängen anzeigen");
        const QString lengthHint = U("Die Längen der Begriffe anzeigen");
        const QString symbols = U("&Mögliche Symbole anzeigen");
        const QString symbolHint = U("Alle möglichen Symbole in den Feldern anzeigen");
        QTest::newRow("crossword with every help") << 0 << 255 << letters << lengths << lengthHint << false << false;
        QTest::newRow("crossword without marking or solution") << 1 << 2 << letters << lengths << lengthHint << false << false;
        QTest::newRow("brain-teaser grid") << 6 << 0 << letters << lengths << lengthHint << true << false;
        QTest::newRow("American crossword") << 10 << 255 << letters << lengths << lengthHint << false << false;
        QTest::newRow("Sudoku") << 14 << 255 << U("Symbol &eintragen") << symbols << symbolHint << true << true;
        QTest::newRow("timed Sudoku") << 15 << 0 << U("Symbol &eintragen") << symbols << symbolHint << true << false;
    }
    void menuStatesFollowPuzzle() {
        QFETCH(int, type);
        QFETCH(int, help);
        QFETCH(QString, revealCaption);
        QFETCH(QString, lengthCaption);
        QFETCH(QString, lengthHint);
        QFETCH(bool, lengths);
        QFETCH(bool, snapshots);
        auto puzzle = zxtest::MakePuzzle(type, 9, 9);
        puzzle->HelpOptions = static_cast<std::uint8_t>(help);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("menu.raetsel"), *puzzle)});
        QVERIFY(f.frame->FindChildForm(TFormKind::Puzzle));
        const bool american = type == 10;
        const bool sudoku = type >= 14;

        // Marking wrong entries is switched off when the puzzle forbids it.
        QCOMPARE(f.frame->Session().Edit().Settings.FehlerZeigen, (help & 1) != 0);
        QVERIFY(f.Enabled("TBRaeDrucken"));
        QVERIFY(f.Item("MItemRaeDrucken")->isEnabled());

        // The play commands follow the puzzle and the cell under the grid's cursor.
        if (american) f.frame->Session().SetBlank(1, 1, true);
        f.Open("MItemBearbeiten");
        QVERIFY(f.Item("MItemBeaRueckgaengig")->isVisible());
        QVERIFY(!f.Item("MItemBeaRueckgaengig")->isEnabled());
        QVERIFY(f.Item("MItemBeaN1")->isVisible());
        QVERIFY(f.Item("MItemBeaZuruecksetzen")->isEnabled());
        QCOMPARE(f.Item("MItemBeaLeerfeld")->isVisible(), american);
        QCOMPARE(f.Item("MItemBeaLeerfeld")->isChecked(), american);
        QCOMPARE(f.Item("MItemBeaEintragen")->isVisible(), (help & 2) != 0);
        QCOMPARE(f.Item("MItemBeaEintragen")->text(), revealCaption);
        QCOMPARE(f.Item("MItemBeaFelderMarkierenItem")->isVisible(), sudoku);
        QCOMPARE(f.Item("MItemBeaSchnappschussItem")->isVisible(), snapshots);

        f.Open("MItemAnsicht");
        QCOMPARE(f.Item("MItemAnsLoesung")->isEnabled(), (help & 4) != 0);
        QVERIFY(!f.Item("MItemAnsLoesung")->isChecked());
        QVERIFY(f.Item("MItemAnsVergroessern")->isVisible());
        QVERIFY(f.Item("MItemAnsN1")->isVisible());
        QCOMPARE(f.Item("MItemAnsFehleintraege")->isVisible(), (help & 1) != 0);
        QCOMPARE(f.Item("MItemAnsTooltips")->isVisible(), !sudoku);
        QCOMPARE(f.Item("MItemAnsBegriffLaengen")->text(), lengthCaption);
        QCOMPARE(f.Item("MItemAnsBegriffLaengen")->statusTip(), lengthHint);
        QCOMPARE(f.Item("MItemAnsBegriffLaengen")->isVisible(), lengths);

        // In the solution view the player's commands give way.
        f.frame->Session().SetViewMode(1);
        f.Open("MItemAnsicht");
        QVERIFY(f.Item("MItemAnsLoesung")->isChecked());
        f.Open("MItemBearbeiten");
        QVERIFY(!f.Item("MItemBeaLeerfeld")->isVisible());
        QVERIFY(!f.Item("MItemBeaEintragen")->isVisible());
    }

    void sudokuSubmenusFollowPuzzle_data() {
        QTest::addColumn<int>("symbols");
        QTest::newRow("4 x 4 offers 1 to 4") << 4;
        QTest::newRow("6 x 6 offers 1 to 6") << 6;
        QTest::newRow("12 x 12 offers 1 to 9 and A to C") << 12;
    }
    void sudokuSubmenusFollowPuzzle() {
        QFETCH(int, symbols);
        auto puzzle = zxtest::MakePuzzle(14, symbols, symbols);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("marks.raetsel"), *puzzle)});
        f.Open("MItemBeaFelderMarkieren");
        for (int tag = 1; tag <= 12; ++tag)
            QCOMPARE(f.Item(qPrintable(QStringLiteral("MItemBeaMark%1").arg(tag)))->isVisible(), tag <= symbols);
        QVERIFY(f.Item("MItemBeaMarkDuo")->isVisible());
        QVERIFY(!f.Item("MItemBeaMarkDuo")->isChecked());
        // No mark is set at start: "Keine" carries the tick.
        QVERIFY(f.Item("MItemBeaMarkKeine")->isVisible());
        QVERIFY(f.Item("MItemBeaMarkKeine")->isChecked());

        // Without a snapshot taken only "Erstellen" is offered.
        f.Open("MItemBeaSchnappschuss");
        QVERIFY(f.Item("MItemBeaSnapErstellen")->isVisible());
        for (int slot = 1; slot <= 4; ++slot)
            QVERIFY(!f.Item(qPrintable(QStringLiteral("MItemBeaSnap%1").arg(slot)))->isVisible());
    }

    void closingGridWindowDisablesCommands() {
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("close.raetsel"), *puzzle)});
        QVERIFY(f.frame->HasPuzzleForm());
        f.frame->Session().Edit().ViewMode = 1;
        // The grid window and its legend.
        QCOMPARE(f.frame->ChildArea()->subWindowList().size(), 2);
        QVERIFY(f.frame->FindChildForm(TFormKind::Legend));
        // The window counts as gone while it is closing: the commands follow at once.
        qobject_cast<QMdiSubWindow*>(f.frame->Child<TRaetselForm>()->parentWidget())->close();
        QVERIFY(!f.frame->FindChildForm(TFormKind::Legend));
        QTRY_VERIFY(f.frame->ChildArea()->subWindowList().isEmpty());
        QVERIFY(!f.frame->HasPuzzleForm());
        QCOMPARE(f.frame->Session().Edit().ViewMode, 0);
        QVERIFY(!f.MenuVisible("MItemBearbeiten"));
        QVERIFY(!f.MenuVisible("MItemAnsicht"));
        QVERIFY(!f.Enabled("TBRaeInfos"));
        QVERIFY(!f.Enabled("TBRaeDrucken"));
        QVERIFY(f.frame->Session().PuzzleAllows(hoShowSolution));
        f.Open("MItemAnsicht");
        QVERIFY(!f.Item("MItemAnsVergroessern")->isVisible());
        QVERIFY(!f.Item("MItemAnsN1")->isVisible());
        f.Open("MItemBearbeiten");
        QVERIFY(!f.Item("MItemBeaRueckgaengig")->isVisible());
        QVERIFY(!f.Item("MItemBeaN1")->isVisible());
        QVERIFY(!f.Item("MItemBeaSchnappschussItem")->isVisible());
    }

    void sideWindowsStayReachable() {
        // The legend has a close box and closes with Ctrl+F4; the grid stays.
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("legend.raetsel"), *puzzle)});
        QWidget* legend = f.frame->FindChildForm(TFormKind::Legend);
        QVERIFY(legend);
        auto* sub = qobject_cast<QMdiSubWindow*>(legend->parentWidget());
        const Qt::WindowFlags closeBox = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        QCOMPARE(sub->windowFlags() & closeBox, closeBox);
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        f.frame->ChildArea()->setActiveSubWindow(sub);
        QTest::keyClick(legend, Qt::Key_F4, Qt::ControlModifier);
        QTRY_VERIFY(!f.frame->FindChildForm(TFormKind::Legend));
        QVERIFY(f.frame->HasPuzzleForm());

        // The solution-word strip grown by zooming stays inside the child area.
        TStartedFrame s(m_exe, {QStringLiteral(ZX_SAMPLES_DIR "/schwedenraetsel-loesungswort.raetsel")});
        QWidget* strip = s.frame->FindChildForm(TFormKind::Solution);
        QVERIFY(strip);
        for (int i = 0; i < 40; ++i) s.frame->Session().Zoom(1);
        QVERIFY(s.frame->ChildArea()->viewport()->rect().contains(strip->parentWidget()->geometry()));
    }

    void undoFollowsSaveAndRestore() {
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("undo.raetsel"), *puzzle)});
        TPlayerState& s = f.frame->Session().Edit();
        QAction* undoItem = f.Item("MItemBeaRueckgaengig");
        QVERIFY(!f.Enabled("TBBeaRueckgaengig"));

        // Undo before any change leaves the puzzle alone.
        s.Puzzle.entry(1, 1).assign("Q");
        f.frame->Session().Undo();
        QCOMPARE(s.Puzzle.entry(1, 1).str(), std::string("Q"));

        s.Puzzle.entry(1, 1).assign(" ");
        f.frame->Session().SaveUndoCopy();
        QVERIFY(f.Enabled("TBBeaRueckgaengig"));
        QVERIFY(undoItem->isEnabled());
        s.Puzzle.entry(1, 1).assign("A");
        s.Puzzle.BestTime = 95;
        f.frame->Session().SaveUndoCopy();
        s.Puzzle.entry(2, 1).assign("B");
        s.Puzzle.BestTime = 80;
        s.ErrorGrid.set(2, 1, evWrong);

        // Two changes and one undo: back to the state after the first change.
        f.Open("MItemBearbeiten");
        QVERIFY(undoItem->isEnabled());
        undoItem->trigger();
        QCOMPARE(s.Puzzle.entry(1, 1).str(), std::string("A"));
        QCOMPARE(s.Puzzle.entry(2, 1).str(), std::string(" "));
        QCOMPARE(s.Puzzle.BestTime, 95);
        QCOMPARE(s.ErrorGrid.get(2, 1), evEmpty);
        QVERIFY(!f.Enabled("TBBeaRueckgaengig"));
        QVERIFY(!undoItem->isEnabled());

        // A second undo right after does nothing.
        s.Puzzle.entry(3, 3).assign("C");
        f.frame->MItemBeaRueckgaengigClick();
        QCOMPARE(s.Puzzle.entry(3, 3).str(), std::string("C"));
        f.Open("MItemBearbeiten");
        QVERIFY(!undoItem->isEnabled());
    }

    void undoButtonRestores() {
        auto puzzle = zxtest::MakePuzzle(14, 4, 4);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("undobutton.raetsel"), *puzzle)});
        TPlayerState& s = f.frame->Session().Edit();
        f.frame->Session().SaveUndoCopy();
        s.Puzzle.Solved = 1;
        s.Puzzle.ClockRunning = 0;
        QTest::mouseClick(f.Find<TSpeedButton>("TBBeaRueckgaengig"), Qt::LeftButton);
        QCOMPARE(s.Puzzle.Solved, 0);
        QCOMPARE(s.Puzzle.ClockRunning, 1);
        QVERIFY(!f.Enabled("TBBeaRueckgaengig"));
    }

    void undoShortcutFollowsToolbar() {
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("shortcut.raetsel"), *puzzle)});
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        TPlayerState& s = f.frame->Session().Edit();
        // Alt+Backspace acts as soon as the undo button is enabled, without the menu being opened.
        f.frame->Session().SaveUndoCopy();
        s.Puzzle.entry(2, 2).assign("X");
        QTest::keyClick(f.frame.get(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(s.Puzzle.entry(2, 2).str(), std::string(" "));
        s.Puzzle.entry(2, 2).assign("Y");
        QTest::keyClick(f.frame.get(), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(s.Puzzle.entry(2, 2).str(), std::string("Y"));
        // The desktop's undo key does the same.
        f.frame->Session().SaveUndoCopy();
        s.Puzzle.entry(2, 2).assign("Z");
        QTest::keySequence(f.frame.get(), QKeySequence::Undo);
        QCOMPARE(s.Puzzle.entry(2, 2).str(), std::string("Y"));
    }

    void playCommandsFromTheMenus() {
        // NUN#LESEN in the first row; the cursor goes to LESEN, across.
        TStartedFrame f(m_exe, {QStringLiteral(ZX_SAMPLES_DIR "/schwedenraetsel.raetsel")});
        TPlayerSession& s = f.frame->Session();
        f.frame->Child<TRaetselForm>()->Raetsel()->SelectCell(6, 1);
        auto row = [&] {
            std::string text;
            for (int c = 5; c <= 9; ++c) text += s.Puzzle().entry(c, 1).at(1);
            return QString::fromStdString(text);
        };
        // A word from the dialog stops at the block; a cancelled dialog changes nothing.
        f.dialogs.OnExec = [](QDialog& d) { static_cast<TWordEditDlg&>(d).SetWordText("LESENXY"); };
        f.Item("MItemBeaBegriff")->trigger();
        QCOMPARE(row(), QStringLiteral("LESEN"));
        QCOMPARE(s.Puzzle().entry(1, 2).str(), std::string(" "));
        const TPuzzleData entered = s.Puzzle();
        f.dialogs.ExecResult = QDialog::Rejected;
        f.dialogs.OnExec = [](QDialog& d) { static_cast<TWordEditDlg&>(d).SetWordText("ABC"); };
        f.Item("MItemBeaBegriff")->trigger();
        QVERIFY(std::memcmp(&s.Puzzle(), &entered, sizeof entered) == 0);

        // Declining the reset keeps the puzzle and the undo copy; an accepted one is undone.
        const TPuzzleData undoCopy = s.UndoCopy();
        f.dialogs.Answer = false;
        f.Item("MItemBeaZuruecksetzen")->trigger();
        QVERIFY(std::memcmp(&s.Puzzle(), &entered, sizeof entered) == 0);
        QVERIFY(std::memcmp(&s.UndoCopy(), &undoCopy, sizeof undoCopy) == 0);
        f.dialogs.Answer = true;
        f.Item("MItemBeaZuruecksetzen")->trigger();
        QCOMPARE(row(), QStringLiteral("     "));
        f.Item("MItemBeaRueckgaengig")->trigger();
        QVERIFY(std::memcmp(&s.Puzzle(), &entered, sizeof entered) == 0);

        // The solution view, on and off twice, leaves the grid as it was.
        QWidget* grid = f.frame->Child<TRaetselForm>()->Raetsel();
        const QImage before = grid->grab().toImage();
        for (int i = 0; i < 2; ++i) {
            f.Item("MItemAnsLoesung")->trigger();
            QVERIFY(grid->grab().toImage() != before);
            f.Item("MItemAnsLoesung")->trigger();
            QCOMPARE(grid->grab().toImage(), before);
        }
    }

    void menuClosedWithEscapeGivesKeysBack() {
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("escape.raetsel"), *puzzle)});
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        QWidget* grid = QApplication::focusWidget();
        QVERIFY(grid);
        QTest::keyClick(grid, Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTest::qWait(20);
        // The offscreen platform leaves the closed menu active; a window
        // manager gives the frame back its activation.
        f.frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        QTRY_COMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_K);
        QCOMPARE(f.frame->Session().Puzzle().entry(1, 1).str(), std::string("K"));
    }

    void statusLineShowsHints() {
        TStartedFrame f(m_exe, {Path(QStringLiteral("fehlt.raetsel"))});
        QLabel* line = f.frame->HintLine();
        f.Item("MItemPrgBeenden")->showStatusText(f.frame->menuBar());
        QCOMPARE(line->text(), U("Das Programm beenden"));
        f.Item("MItemRaeDrucken")->showStatusText(f.frame->menuBar());
        QCOMPARE(line->text(), U("Das Rätsel und die Legende drucken"));
        // A disabled item's hint shows as well.
        QMenu* menu = f.Find<QMenu>("MItemRaetsel");
        menu->popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QAction* infos = f.Item("MItemRaeInfos");
        QVERIFY(!infos->isEnabled());
        QTest::mouseMove(menu, menu->actionGeometry(infos).center());
        QCOMPARE(line->text(), U("Informationen zum aktuellen Rätsel anzeigen"));
        menu->hide();
        QCOMPARE(line->text(), QString());
        // A submenu closing under its open menu leaves the hint of the menu's item.
        QMenu* edit = f.Find<QMenu>("MItemBearbeiten");
        QMenu* snapshots = f.Find<QMenu>("MItemBeaSchnappschuss");
        edit->popup(QPoint(10, 10));
        snapshots->popup(QPoint(300, 10));
        QVERIFY(QTest::qWaitForWindowExposed(snapshots));
        f.Item("MItemBeaZuruecksetzen")->showStatusText(edit);
        snapshots->hide();
        QCOMPARE(line->text(), U("Alle Begriffe aus dem Rätsel löschen"));
        edit->hide();
        QCOMPARE(line->text(), QString());
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(f.Find<QWidget>("TBHlfInfo"), &leave);
        QCOMPARE(line->text(), QString());
        QCOMPARE(f.Find<TSpeedButton>("TBBeaRueckgaengig")->Hint(), U("Die letzte Änderung am Rätsel zurücknehmen"));
    }

    void modifierKeysSetDragFlags_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("oneLegend");
        QTest::addColumn<bool>("reverseAllowed");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<bool>("ctrl");
        QTest::newRow("Shift with one legend") << 6 << true << false << int(Qt::Key_Shift) << true << false << false;
        QTest::newRow("Shift with two legends changes nothing") << 6 << false << true << int(Qt::Key_Shift) << false << false << false;
        QTest::newRow("Ctrl with reversed words") << 6 << true << true << int(Qt::Key_Control) << false << true << false;
        QTest::newRow("Ctrl without reversed words changes nothing") << 6 << true << false << int(Qt::Key_Control) << false << false << false;
        QTest::newRow("Ctrl in a crossword jigsaw") << 12 << true << false << int(Qt::Key_Control) << false << false << true;
        QTest::newRow("Ctrl in a jigsaw with reversed words") << 12 << true << true << int(Qt::Key_Control) << false << true << true;
    }
    void modifierKeysSetDragFlags() {
        QFETCH(int, type);
        QFETCH(bool, oneLegend);
        QFETCH(bool, reverseAllowed);
        QFETCH(int, key);
        QFETCH(bool, vertical);
        QFETCH(bool, reversed);
        QFETCH(bool, ctrl);
        auto puzzle = zxtest::MakePuzzle(type, 6, 6);
        puzzle->ReverseAllowed = reverseAllowed ? 1 : 0;
        TStartedFrame f(m_exe, {WritePuzzle(QStringLiteral("keys.raetsel"), *puzzle)});
        TPlayerState& s = f.frame->Session().Edit();
        s.Settings.EinfacheLegende = oneLegend;

        QTest::keyPress(f.frame.get(), Qt::Key(key));
        QCOMPARE(s.DragVertical, vertical);
        QCOMPARE(s.DragReversed, reversed);
        QCOMPARE(s.CtrlHeld, ctrl);
        QTest::keyRelease(f.frame.get(), Qt::Key(key));
        QVERIFY(!s.DragVertical && !s.DragReversed && !s.CtrlHeld);

        // A changed drag flag sends the widget under the pointer a mouse-move, so
        // that it updates cursor and hover hint without waiting for the mouse.
        QWidget* grid = f.frame->FindChildForm(TFormKind::Puzzle);
        QCursor::setPos(grid->mapToGlobal(grid->rect().center()));
        QWidget* under = QApplication::widgetAt(QCursor::pos());
        QVERIFY(under);
        // As a window with hover hints does.
        under->setMouseTracking(true);
        int moves = 0;
        TEventCounter counter(QEvent::MouseMove, moves);
        under->installEventFilter(&counter);
        QTest::keyPress(f.frame.get(), Qt::Key(key));
        QTest::keyRelease(f.frame.get(), Qt::Key(key));
        QCOMPARE(moves, vertical || reversed ? 2 : 0);
        under->removeEventFilter(&counter);

        // Keys let go while the program was in the background do not stick.
        QTest::keyPress(f.frame.get(), Qt::Key(key));
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!s.DragVertical && !s.DragReversed && !s.CtrlHeld);
    }

    void hintPopupShowsAndCloses() {
        TStartedFrame f(m_exe, {Path(QStringLiteral("fehlt.raetsel"))});
        const QRect screen = f.frame->screen()->geometry();
        f.frame->ShowHintAt(QRect(100, 200, 20, 20), 0, U("Waagerecht 3: Hauptstadt"));
        THintForm* hint = f.frame->HintForm();
        QVERIFY(f.frame->HintVisible());
        QCOMPARE(hint->Text(), U("Waagerecht 3: Hauptstadt"));
        QCOMPARE(hint->Label()->font().pointSize(), 8);
        QVERIFY(!hint->Label()->font().bold());
        QCOMPARE(hint->pos(), QPoint(124, 200));
        QVERIFY(QApplication::activeWindow() != hint);
        // The mouse passes through it to the grid below.
        QVERIFY(hint->windowHandle()->flags() & Qt::WindowTransparentForInput);

        // The next hint replaces it; a bold one in the bottom right corner goes left of its cell.
        f.frame->ShowHintAt(QRect(screen.right() - 20, screen.bottom() - 20, 20, 20), 12, U("Lösung"));
        QCOMPARE(hint->Text(), U("Lösung"));
        QVERIFY(hint->Label()->font().bold());
        QCOMPARE(hint->Label()->font().pointSize(), 12);
        QCOMPARE(hint->x(), screen.right() - 20 - 4 - hint->width());
        QVERIFY(hint->geometry().bottom() <= screen.bottom());

        // Moving the mouse over the frame's background closes it.
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), QPointF(20, 20), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.frame->ChildArea()->viewport(), &move);
        QVERIFY(!f.frame->HintVisible());

        f.frame->ShowHintAt(QRect(10, 100, 20, 20), 0, U("Klick"));
        QTest::mouseClick(hint->Label(), Qt::LeftButton);
        QVERIFY(!f.frame->HintVisible());

        // Switching to another program takes the hint away.
        f.frame->ShowHintAt(QRect(10, 100, 20, 20), 0, U("Wechsel"));
        QEvent deactivate(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &deactivate);
        QVERIFY(!f.frame->HintVisible());
    }

    void dragCursorsByNumber() {
        std::vector<std::string> none;
        TVxMainForm frame(m_exe.toStdString(), none, nullptr);
        for (int number = 101; number <= 104; ++number) {
            const QCursor cursor = frame.DragCursor(static_cast<TDragCursor>(number));
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QVERIFY(!cursor.pixmap().isNull());
        }
        QCOMPARE(frame.DragCursor(static_cast<TDragCursor>(100)).shape(), Qt::ArrowCursor);
        QCOMPARE(frame.DragCursor(static_cast<TDragCursor>(105)).shape(), Qt::ArrowCursor);
    }
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
