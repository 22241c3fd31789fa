// The grid window's commands: the toolbar and popup rules over kind, view and
// help options, the popup from the keyboard, and the window captions.
#include <QMenu>
#include <QTest>

#include "GridTestSupport.h"
#include "controls/GradientBar.h"
#include "controls/SpeedButton.h"
#include "session/PlayCommands.h"

using namespace gridtest;

class CommandsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { zx::InstallFontSubstitutes(); }
    void toolbarAndPopupFollowThePuzzle_data();
    void toolbarAndPopupFollowThePuzzle();
    void popupFromTheKeyboardRevealsALetter();
    void captionsWithoutTitle();
    void buttonsSwitchTheirCommands();
};

void CommandsTest::toolbarAndPopupFollowThePuzzle_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("help");
    // Visible: fail, length, hint grids, hints, word, letter, blank, marking panel, clue.
    QTest::addColumn<QString>("visible");
    QTest::addColumn<int>("wordLeft");
    QTest::newRow("Swedish crossword") << "schwedenraetsel" << 0 << 255 << "100111001" << 134;
    QTest::newRow("Swedish crossword, solution shown")
        << "schwedenraetsel" << 1 << 255 << "100100000" << 134;
    QTest::newRow("brain-teaser grid without help")
        << "knobelgitter" << 0 << 0 << "010110000" << 134;
    QTest::newRow("brain-teaser grid with hints") << "knobelgitter" << 0 << 1 << "110110001" << 134;
    QTest::newRow("American crossword") << "amerikanisch" << 0 << 2 << "000101101" << 134;
    QTest::newRow("Sudoku") << "sudoku-9x9" << 0 << 255 << "101001010" << 112;
    QTest::newRow("crossword jigsaw") << "kreuzwortpuzzle" << 0 << 255 << "100100000" << 134;
}

void CommandsTest::toolbarAndPopupFollowThePuzzle() {
    QFETCH(QString, sample);
    QFETCH(int, view);
    QFETCH(int, help);
    QFETCH(QString, visible);
    QFETCH(int, wordLeft);
    auto frame = FrameFromSample(sample);
    frame->St.Puzzle.HelpOptions = static_cast<std::uint8_t>(help);
    TFormHolder h = Open(std::move(frame));
    h.Frame->Play.SetViewMode(static_cast<std::uint8_t>(view));
    auto shown = [&](const char* name) {
        return h.Form->ToolBar()
            ->findChild<QWidget*>(QString::fromLatin1(name))
            ->isVisibleTo(h.Form->ToolBar());
    };
    const char* names[] = {"SBShowFail",      "SBShowLength",      "SBShowHintGrids", "SBShowHints",
                           "SBBegrEintragen", "SBBuchstEintragen", "SBLeerfeld",      "PanelMark"};
    for (int i = 0; i < 8; ++i)
        QVERIFY2(shown(names[i]) == (visible[i] == QLatin1Char('1')), names[i]);
    QCOMPARE(h.Form->ToolBar()->findChild<QWidget*>(QStringLiteral("SBBegrEintragen"))->x(),
             wordLeft);
    QCOMPARE(h.Form->ToolBar()->findChild<QWidget*>(QStringLiteral("SBBuchstEintragen"))->x(),
             wordLeft + 22);
    QCOMPARE(h.Form->ToolBar()->findChild<QWidget*>(QStringLiteral("PanelMark"))->x(),
             wordLeft + 44);
    // The popup shows the same commands.
    h.Form->MenuRaetselPlayPopup(QPoint(5, 5));
    QMenu* menu = h.Form->MenuRaetselPlay();
    auto item = [&](const char* name) {
        return h.Form->findChild<QAction*>(QString::fromLatin1(name));
    };
    QCOMPARE(item("MItemPlayLeerfeld")->isVisible(), visible[6] == QLatin1Char('1'));
    QCOMPARE(item("MItemPlayBuchstEintragen")->isVisible(), visible[5] == QLatin1Char('1'));
    const zx::TPlayCommands& commands = h.Frame->Commands_;
    QCOMPARE(commands.Action(zx::TPlayCommand::ShowClue)->isVisible(),
             visible[8] == QLatin1Char('1'));
    QCOMPARE(commands.Action(zx::TPlayCommand::LookUp)->isVisible(),
             visible[8] == QLatin1Char('1'));
    QAction* search = commands.Action(zx::TPlayCommand::LookUpWord);
    QVERIFY(menu->actions().contains(search));
    QCOMPARE(search->isVisible(), visible[8] == QLatin1Char('1'));
    QVERIFY(item("MItemPlayShowHints")->isVisible()); // for every kind
    menu->hide();
}

void CommandsTest::popupFromTheKeyboardRevealsALetter() {
    auto frame = FrameFromSample(QStringLiteral("schwedenraetsel"));
    TFormHolder h = Open(std::move(frame));
    zx::TDrawGrid* grid = h.Form->Raetsel();
    QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = h.Form->MenuRaetselPlay();
    QTRY_VERIFY(menu->isVisible());
    QAction* reveal = h.Form->findChild<QAction*>(QStringLiteral("MItemPlayBuchstEintragen"));
    menu->setActiveAction(reveal);
    QTest::keyClick(menu, Qt::Key_Return);
    QCOMPARE(h.Frame->St.Puzzle.entry(1, 1).str(), h.Frame->St.Puzzle.cell(1, 1).Text.str());
    // A double click on the cell takes the letter out again.
    QTest::mouseDClick(grid, Qt::LeftButton, {}, CellOnScreen(*h.Form, 1, 1).center());
    QCOMPARE(h.Frame->St.Puzzle.entry(1, 1).str(), std::string(" "));
}

void CommandsTest::captionsWithoutTitle() {
    const struct {
        const char* sample;
        int level;
        const char* caption;
    } cases[] = {{"sudoku-9x9", 2, "Sudoku (schwer)"},
                 {"sudoku-auf-zeit", 0, "Sudoku auf Zeit (leicht)"},
                 {"schwedenraetsel-loesungswort", 0, "Schwedenrätsel mit Lösungswort"}};
    for (const auto& c : cases) {
        auto frame = FrameFromSample(QString::fromLatin1(c.sample));
        frame->St.Puzzle.Title.clear();
        frame->St.Puzzle.Level = static_cast<std::uint8_t>(c.level);
        TFormHolder h = Open(std::move(frame));
        QCOMPARE(h.Form->windowTitle(), QString::fromUtf8(c.caption));
    }
}

void CommandsTest::buttonsSwitchTheirCommands() {
    TFormHolder h = Open(FrameFromSample(QStringLiteral("sudoku-9x9")));
    auto button = [&](const char* name) {
        return h.Form->findChild<zx::TSpeedButton*>(QString::fromLatin1(name));
    };
    const zx::TProgramSettings& s = h.Frame->Play.Settings();
    const bool shown = s.MoeglicheZahlenZeigen;
    QTest::mouseClick(button("SBShowHintGrids"), Qt::LeftButton);
    QCOMPARE(s.MoeglicheZahlenZeigen, !shown);
    QCOMPARE(button("SBShowHintGrids")->Down(), !shown);
    QCOMPARE(h.Frame->Commands_.Action(zx::TPlayCommand::ShowLengths)->isChecked(), !shown);
    // The marking buttons are one radio group with the submenu's items.
    QTest::mouseClick(button("SBMark3"), Qt::LeftButton);
    QCOMPARE(h.Frame->Play.MarkSymbol(), 3);
    QVERIFY(button("SBMark3")->Down() && !button("SBMarkKeine")->Down());
    QVERIFY(h.Frame->Commands_.MarkAction(3)->isChecked());
    // The submenus tick the chosen marking.
    QVERIFY(h.Frame->Commands_.MarkItem(3)->isChecked());
    auto* submenu = h.Form->findChild<QMenu*>(QStringLiteral("MItemPlayFelderMarkieren"));
    Q_EMIT submenu->aboutToShow();
    int ticked = 0;
    for (QAction* a : submenu->actions())
        if (a->isChecked()) {
            ++ticked;
            QCOMPARE(a->text(), QString::fromUtf8("\"3\" möglich"));
        }
    QCOMPARE(ticked, 1);
    h.Frame->Commands_.MarkItem(0)->trigger();
    QCOMPARE(h.Frame->Play.MarkSymbol(), 0);
    QVERIFY(button("SBMarkKeine")->Down() && !button("SBMark3")->Down());
    // Nine symbols: no buttons A, B and C; the two-symbol button follows the 9.
    for (const char* name : {"SBMark10", "SBMark11", "SBMark12"})
        QVERIFY2(!button(name)->isVisibleTo(h.Form->ToolBar()), name);
    QCOMPARE(button("SBMarkDuo")->x(), button("SBMark9")->x() + 22);
    // Revealing does nothing on a given symbol, so it is not offered there.
    const zx::TPuzzleData& p = h.Frame->St.Puzzle;
    QPoint given, open;
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r)
            ((p.cell(c, r).Flags & zx::cfSolution) ? given : open) = QPoint(c, r);
    QAction* reveal = h.Frame->Commands_.Action(zx::TPlayCommand::RevealLetter);
    h.Form->Raetsel()->SelectCell(given.x(), given.y());
    QVERIFY(!reveal->isEnabled());
    h.Form->Raetsel()->SelectCell(open.x(), open.y());
    QVERIFY(reveal->isEnabled());
}

QTEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
