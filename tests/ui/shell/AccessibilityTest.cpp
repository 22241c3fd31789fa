// What assistive technology sees of the player: named windows, buttons and
// lists, the grid and the lists as tables, cell texts after typing, and focus
// events that follow the cursor.
#include <QAccessible>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

#include "ShellTestSupport.h"
#include "controls/DrawGrid.h"
#include "controls/SpeedButton.h"
#include "grid/RaetselFormular.h"
#include "legend/LegendeDialog.h"
#include "legend/ZahlenDialog.h"
#include "session/PlayerSession.h"
#include "session/TextConv.h"
#include "shell/Hauptformular.h"

using namespace zx;

namespace {

QString Name(QObject* object) { return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name); }

struct TOpenFrame {
    zxtest::TRecordingDialogs dialogs;
    TVxMainForm frame;
    explicit TOpenFrame(const char* sample)
        : frame("player", {std::string(ZX_SAMPLES_DIR "/") + sample + ".raetsel"}, &dialogs) {
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
    }
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesOfWindowsButtonsAndLists() {
        TOpenFrame f("schwedenraetsel");
        const auto buttons = f.frame.findChildren<TSpeedButton*>();
        QVERIFY(buttons.size() > 10);
        for (TSpeedButton* button : buttons) {
            QVERIFY2(!button->Hint().isEmpty(), qPrintable(button->objectName()));
            QCOMPARE(Name(button), button->Hint());
        }
        const auto windows = f.frame.ChildArea()->subWindowList();
        QVERIFY(windows.size() >= 2);
        for (QMdiSubWindow* sub : windows) QCOMPARE(Name(sub->widget()), sub->widget()->windowTitle());
        auto* legend = f.frame.Child<TLegendForm>();
        QCOMPARE(QAccessible::queryAccessibleInterface(legend->LegendeSenkr())->role(), QAccessible::Table);
    }

    // The grid is a table: the typed letter is its cell's text, and every
    // cursor move raises a focus event for the new cell, whose description
    // names the kind of cell and the clue of the current word.
    void gridTableFollowsTheCursor() {
        TOpenFrame f("schwedenraetsel");
        auto* form = f.frame.Child<TRaetselForm>();
        TDrawGrid* grid = form->Raetsel();
        f.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.frame));
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
        QCOMPARE(table->role(), QAccessible::Table);
        const TPuzzleData& p = f.frame.Session().Puzzle();
        QCOMPARE(table->tableInterface()->rowCount(), int(p.RowCount));
        QCOMPARE(table->tableInterface()->columnCount(), int(p.ColCount));

        const int col = grid->Col(), row = grid->Row();
        QTest::keyClick(grid, Qt::Key_Q);
        QAccessibleInterface* typed = table->tableInterface()->cellAt(row - 1, col - 1);
        QCOMPARE(typed->role(), QAccessible::Cell);
        QCOMPARE(typed->text(QAccessible::Name), QStringLiteral("Q"));

        QSignalSpy focus(grid, &TDrawGrid::AccessibleFocusRaised);
        QTest::keyClick(grid, Qt::Key_Home);
        QCOMPARE(focus.count(), 1);
        QAccessibleInterface* focused = table->child(focus.at(0).at(0).toInt());
        QCOMPARE(focused, table->tableInterface()->cellAt(grid->Row() - 1, grid->Col() - 1));
        QCOMPARE(focused, table->focusChild());
        QVERIFY(focused->state().focused);
        const QString description = focused->text(QAccessible::Description);
        QVERIFY2(description.startsWith(QStringLiteral("Dieses Feld")), qPrintable(description));
        // Moving into other words selects their clues but leaves the keys with the grid.
        for (int i = 0; i < 4; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(grid->hasFocus());
        QVERIFY2(description.contains(QStringLiteral("Waagerecht")) || description.contains(QStringLiteral("Senkrecht")),
                 qPrintable(description));
    }

    // Rows of the clue lists read as number, clue and done state; the code
    // table reads its numbers and the letters typed next to them.
    void listsAndCodeTable() {
        {
            TOpenFrame f("schwedenraetsel");
            auto* legend = f.frame.Child<TLegendForm>();
            TDrawGrid* list = legend->LegendeSenkr();
            QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
            QCOMPARE(table->text(QAccessible::Name),
                     legend->Content().TwoLists ? zxtest::U("Senkrecht :") : QStringLiteral("Legende"));
            // Number and clue; a hidden first column is not part of the table.
            const int first = list->FirstAccessibleCol();
            const TLegendRow& row = legend->Content().Down.front();
            QAccessibleInterface* clue = table->tableInterface()->cellAt(0, 2 - first);
            QCOMPARE(clue->text(QAccessible::Name), ToQString(row.Cells[2]));
            QCOMPARE(table->tableInterface()->cellAt(0, 1 - first)->text(QAccessible::Name), ToQString(row.Cells[1]));
            QCOMPARE(clue->text(QAccessible::Description), QStringLiteral("offen"));
            const int word = legend->Content().Down.front().WordIndex;
            f.frame.Session().SetWordDone(word, DirOf(f.frame.Session().Puzzle().Words[word]), true);
            QCOMPARE(clue->text(QAccessible::Description), QStringLiteral("erledigt"));
        }
        TOpenFrame f("zahlenraetsel");
        auto* codes = f.frame.Child<TNumLegendForm>();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(codes->GridZahlen());
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Legende"));
        QCOMPARE(table->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("1"));
        f.frame.Session().SetCodeGuess(1, 'E');
        QCOMPARE(table->tableInterface()->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("E"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
