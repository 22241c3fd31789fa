// The clue lists: rows and sort order per puzzle kind, ticking, hiding and
// rebuilding, the row the grid selects, hover texts, the box click, word
// entry, the popup commands, the drag cursor and the printed lists.
#include <QAction>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "../grid/GridTestSupport.h"
#include "controls/SpeedButton.h"
#include "legend/BegriffDialog.h"
#include "legend/LegendeDialog.h"

using namespace zx;
using gridtest::TFakeFrame;

namespace {
// Numbers: HAUS and HOH 1, SRE 2, HASE 3.
const char* const Swedish = R"(typ: 0
[gitter]
HAUS
O##R
HASE
[begriffe]
HAUS = Gebaeude
HASE = Langohr
HOH = hoch
SRE [s] = Abkuerzung
)";
// Lengths 5, 9, 5, 7 in record order.
const char* const Teaser = R"(typ: 6
rueckwaerts: ja
[gitter]
LEBEN####
#########
SCHULHAUS
#########
KURZE####
#########
LEHRERN##
[begriffe]
LEBEN = Dasein
SCHULHAUS
KURZE
LEHRERN
)";
const char* const Jigsaw = R"(typ: 12
[gitter]
ABENDROT
AUTOXXXX
ABENDXXX
[begriffe]
AUTO
ABENDROT
ABEND [@1,3]
)";
// Row 1 holds three across words, no column holds a down word.
const char* const Lines = R"(typ: %1
[gitter]
AB#CD#EF
########
GH######
[begriffe]
AB = Aa
CD = Cc
EF = Ee
GH = Gg
)";

std::unique_ptr<TFakeFrame> Frame(const QString& source) {
    auto f = gridtest::FrameFromSource(source.toStdString());
    if (f) f->Play.StartPlay();
    return f;
}

// A list as "c0,c1,c2;..." (column 0 left out when it is ">").
QString Dump(const TLegendRows& rows) {
    QStringList out;
    for (const TLegendRow& r : rows) {
        QStringList cells;
        for (int c = 0; c < 3; ++c)
            if (!(c == 0 && r.Cells[0] == ">")) cells << QString::fromLatin1(r.Cells[c].c_str());
        out << cells.join(',');
    }
    return out.join(';');
}

struct TOpen {
    std::unique_ptr<TFakeFrame> F;
    std::unique_ptr<TLegendForm> L;
    TDrawGrid* List(int tag) const { return tag == 0 ? L->LegendeWaager() : L->LegendeSenkr(); }
    const TPuzzleData& P() const { return F->Play.Puzzle(); }
};

TOpen OpenLegend(const QString& source, const std::function<void(TProgramSettings&)>& tweak = {}) {
    TOpen t;
    t.F = Frame(source);
    if (tweak) tweak(t.F->St.Settings);
    t.L = std::make_unique<TLegendForm>(*t.F);
    t.F->OpenChild(TFormKind::Legend, t.L.get());
    t.L->show();
    t.L->ShowLegend();
    t.L->activateWindow();
    if (!QTest::qWaitForWindowActive(t.L.get())) qWarning("legend not active");
    return t;
}

QPoint InCell(TDrawGrid* list, int col, int row, int dx = -1) {
    const QRect r = list->CellRect(col, row);
    return QPoint(dx < 0 ? r.center().x() : dx, r.center().y());
}

QString Hover(TOpen& t, int tag, QPoint pos) {
    QMouseEvent move(QEvent::MouseMove, pos, t.List(tag)->mapToGlobal(pos), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.List(tag), &move);
    return t.List(tag)->toolTip();
}
} // namespace

class LegendTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void doneMarks_data();
    void doneMarks();
    void buildLegend_data();
    void buildLegend();
    void tickHideAndRebuild();
    void selectRowAndChooseWord();
    void hoverTexts();
    void enterLegendWord_data();
    void enterLegendWord();
    void menuCommands();
    void dragCursor();
    void everyPressCounts();
    void selectionFollowsTheGridWord();
    void printLegend();
};

void LegendTest::doneMarks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("doneText");
    QTest::addColumn<bool>("isDone");
    QTest::addColumn<QString>("key");
    QTest::newRow("open ticked") << "7" << true << "-7" << false << "007";
    QTest::newRow("ticked opened") << "-12" << false << "12" << true << "012";
    QTest::newRow("leading zeros") << "007" << false << "7" << false << "007";
    QTest::newRow("long") << "1234" << true << "-1234" << false << "1234";
    QTest::newRow("text") << "AB" << true << "AB" << false << "AB";
    QTest::newRow("half number") << "-5x" << false << "-5x" << false << "-5x";
    QTest::newRow("smallest int") << "-2147483648" << false << "2147483648" << true
                                  << "2147483648";
}

void LegendTest::doneMarks() {
    QFETCH(QString, text);
    const std::string t = text.toStdString();
    QFETCH(bool, done);
    QFETCH(QString, doneText);
    QFETCH(bool, isDone);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(DoneText(t, done)), doneText);
    QCOMPARE(IsDoneText(t), isDone);
    QCOMPARE(QString::fromStdString(SortKey(t)), key);
}

void LegendTest::buildLegend_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("oneList");
    QTest::addColumn<QString>("across");
    QTest::addColumn<QString>("down");
    QTest::newRow("swedish by number") << Swedish << true << "1,Gebaeude;3,Langohr"
                                       << "1,hoch;2,Abkuerzung";
    // The exchange sort leaves KURZE before LEBEN (a stable sort would not).
    QTest::newRow("teaser one list") << Teaser << true << ",,"
                                     << "9,SCHULHAUS;7,LEHRERN;5,KURZE;5,LEBEN";
    QTest::newRow("teaser two lists") << Teaser << false
                                      << "9,SCHULHAUS;7,LEHRERN;5,KURZE;5,LEBEN" << ",,";
    QTest::newRow("jigsaw prefix first") << Jigsaw << true << ",," << "1,ABEND;1,ABENDROT;1,AUTO";
    QTest::newRow("french") << QString::fromLatin1(Lines).arg(8) << true
                            << "1,,Aa  |  Cc  |  Ee;2,,;3,,Gg"
                            << "1,,;2,,;3,,;4,,;5,,;6,,;7,,;8,,";
    QTest::newRow("american blocks") << QString::fromLatin1(Lines).arg(10) << true
                                     << "1,2,Aa  |  Cc  |  Ee;2,8,;3,6,Gg"
                                     << "1,1,;2,1,;3,3,;4,2,;5,2,;6,3,;7,2,;8,2,";
}

void LegendTest::buildLegend() {
    QFETCH(QString, source);
    QFETCH(bool, oneList);
    auto f = Frame(source);
    QVERIFY(f);
    f->St.Settings.EinfacheLegende = oneList;
    const TLegendContent c = BuildLegend(f->Play.Puzzle(), f->Play.Settings());
    QTEST(Dump(c.Across), "across");
    QTEST(Dump(c.Down), "down");
    for (const TLegendRow& r : c.Across)
        if (r.Cells[2].empty() && r.Cells[1].empty() && r.Cells[0] != "1") QCOMPARE(r.WordIndex, NoWord);
}

void LegendTest::tickHideAndRebuild() {
    TOpen t = OpenLegend(Swedish, [](TProgramSettings& s) { s.BegriffeAusblenden = true; });
    TDrawGrid* across = t.List(0);
    const int box = across->ColWidth(0);
    // A click just right of the box only selects the row.
    QTest::mouseClick(across, Qt::LeftButton, {}, InCell(across, 1, 0, box + 16));
    QCOMPARE(t.P().Words[0].Done, 0);
    QCOMPARE(t.F->UndoSaves, 0);
    // Inside the box: HAUS is ticked and hidden, HASE moves up with its word.
    QTest::mouseClick(across, Qt::LeftButton, {}, InCell(across, 1, 0, box + 15));
    QCOMPARE(t.P().Words[0].Done, 1);
    QCOMPARE(t.F->UndoSaves, 1);
    QCOMPARE(Dump(t.L->Content().Across), QString("3,Langohr"));
    QCOMPARE(t.L->Content().Across[0].WordIndex, 1);
    QCOMPARE(across->RowCount(), 1);
    // The last word of the list: one empty row that carries no word.
    t.L->ToggleRowDone(true, 0, true);
    QCOMPARE(Dump(t.L->Content().Across), QString(",,"));
    QCOMPARE(t.L->Content().Across[0].WordIndex, NoWord);
    // The grid window unticks HAUS: it is listed again in its place.
    t.F->Play.SetWordDone(0, TWordDir::Across, false);
    QCOMPARE(Dump(t.L->Content().Across), QString("1,Gebaeude"));
    // Undo brings the state before the last tick back (HAUS done, HASE open).
    t.F->Play.Undo();
    QCOMPARE(Dump(t.L->Content().Across), QString("3,Langohr"));
    // Without hiding a tick only changes the mark.
    t.F->Play.Edit().Settings.BegriffeAusblenden = false;
    t.L->BuildLegend();
    QCOMPARE(Dump(t.L->Content().Across), QString("-1,Gebaeude;3,Langohr"));
    QCOMPARE(t.L->ReadLegendRow(0, TWordDir::Across).Number, 1);
    QCOMPARE(t.L->FindLegendRow(3, TWordDir::Across, 4), 1);
    QCOMPARE(t.L->FindLegendRow(3, TWordDir::Across, 5), -1);
}

void LegendTest::selectRowAndChooseWord() {
    TOpen t = OpenLegend(Swedish);
    t.F->Play.SetWordDone(1, TWordDir::Across, true);
    QSignalSpy chosen(t.L.get(), &TLegendForm::WordChosen);
    // The grid's word 3 selects the ticked row -3 without choosing it back.
    QVERIFY(t.L->SelectLegendRow(3, TWordDir::Across));
    QCOMPARE(t.List(0)->Row(), 1);
    QCOMPARE(chosen.count(), 0);
    QVERIFY(!t.L->SelectLegendRow(7, TWordDir::Down));
    // A click on the down row of SRE moves the grid to word 2 down.
    QTest::mouseClick(t.List(1), Qt::LeftButton, {}, InCell(t.List(1), 2, 1));
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen[0][0].toInt(), 2);
    QCOMPARE(chosen[0][1].value<TWordDir>(), TWordDir::Down);
    // The keyboard: leaving a row chooses the new one on key release.
    QTest::keyClick(t.List(1), Qt::Key_Up);
    QCOMPARE(chosen.count(), 2);
    QCOMPARE(chosen[1][0].toInt(), 1);
}

void LegendTest::hoverTexts() {
    TOpen sw = OpenLegend(Swedish);
    QCOMPARE(Hover(sw, 0, InCell(sw.List(0), 1, 0)),
             QString::fromUtf8("Die Nummer des gesuchten Begriffs / Den Begriff als gelöst oder "
                               "ungelöst markieren"));
    QCOMPARE(Hover(sw, 1, InCell(sw.List(1), 2, 0)),
             QString::fromUtf8("Umschreibungen für senkrechte Begriffe im Rätsel"));

    TOpen fr = OpenLegend(QString::fromLatin1(Lines).arg(8));
    QCOMPARE(Hover(fr, 0, InCell(fr.List(0), 2, 0)),
             QString::fromUtf8("3 Begriff(e) in dieser Rätselzeile"));
    QCOMPARE(Hover(fr, 1, InCell(fr.List(1), 2, 0)),
             QString::fromUtf8("Kein Begriff in dieser Rätselspalte"));
    QCOMPARE(Hover(fr, 1, InCell(fr.List(1), 0, 2)),
             QString::fromUtf8("Nummer der Spalte für die umschriebenen Begriffe"));

    TOpen kg = OpenLegend(Teaser, [](TProgramSettings& s) { s.EinfacheLegende = false; });
    QCOMPARE(Hover(kg, 0, InCell(kg.List(0), 2, 3)), QString::fromUtf8("waagerecht: Dasein"));
    QCOMPARE(Hover(kg, 0, InCell(kg.List(0), 2, 0)), QString()); // a word without a clue
    const QPoint below(20, kg.List(1)->CellRect(2, 0).bottom() + 10);
    QCOMPARE(Hover(kg, 1, below),
             QString::fromUtf8("Die senkrecht ins Rätsel einzufügenden Begriffe"));
}

void LegendTest::enterLegendWord_data() {
    QTest::addColumn<bool>("showErrors");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("right") << true << "HAUS" << "HAUS" << true;
    QTest::newRow("wrong, errors shown") << true << "HAXS" << "HAXS" << false;
    QTest::newRow("wrong, errors hidden") << false << "HAXS" << "HAXS" << true;
    // SRE runs down from (4, 1); a longer word stops at the grid's edge.
    QTest::newRow("stops at block") << true << "HAUSBAU" << "HAUS" << true;
}

void LegendTest::enterLegendWord() {
    QFETCH(bool, showErrors);
    QFETCH(QString, typed);
    TOpen t = OpenLegend(Swedish, [&](TProgramSettings& s) {
        s.FehlerZeigen = showErrors;
        s.AutomatischMarkieren = false;
        s.BegriffeAusblenden = true;
    });
    t.F->Dlg.OnExec = [&](QDialog& d) {
        auto& dlg = static_cast<TWordEditDlg&>(d);
        QCOMPARE(dlg.WordText(), std::string("    "));
        dlg.SetWordText(typed.toStdString());
    };
    t.List(0)->setFocus();
    QTest::mouseDClick(t.List(0), Qt::LeftButton, {}, InCell(t.List(0), 2, 0));
    QString entries;
    for (int c = 1; c <= 4; ++c) entries += QString::fromLatin1(t.P().entry(c, 1).str().c_str());
    QTEST(entries, "entries");
    QFETCH(bool, ticked);
    QCOMPARE(t.P().Words[0].Done != 0, ticked);
    // A ticked row stays listed until the next rebuild.
    QCOMPARE(Dump(t.L->Content().Across).startsWith(ticked ? "-1," : "1,"), true);
    QCOMPARE(t.F->UndoSaves, 1);
}

void LegendTest::menuCommands() {
    TOpen t = OpenLegend(QStringLiteral("typ: 6\n[gitter]\nMARIENKAEFER\n[begriffe]\n"
                                        "MARIENKAEFER = Gluecksbringer\n"));
    QTest::mouseClick(t.List(1), Qt::LeftButton, {}, InCell(t.List(1), 2, 0));
    t.L->MenuItem(TLegendForm::TMenuItem::Nachschlagen)->trigger();
    t.L->MenuItem(TLegendForm::TMenuItem::Umschreibung)->trigger();
    QCOMPARE(t.F->Dlg.Log.size(), std::size_t(2));
    QVERIFY(t.F->Dlg.Log[0].Text.endsWith("/wiki/Marienkaefer"));
    QCOMPARE(t.F->Dlg.Log[1].Text, QString("MARIENKAEFER|Gluecksbringer"));

    t.L->MenuLegendePopup();
    QVERIFY(!t.L->MenuItem(TLegendForm::TMenuItem::Eingeben)->isVisible());
    QVERIFY(t.L->MenuItem(TLegendForm::TMenuItem::EineLegende)->isChecked());
    const bool first = t.F->Play.Settings().AutomatischMarkieren;
    for (bool expected : {!first, first}) {
        t.L->MenuItem(TLegendForm::TMenuItem::Markieren)->trigger();
        QCOMPARE(t.F->Play.Settings().AutomatischMarkieren, expected);
        QCOMPARE(t.L->Button(TLegendForm::TButton::Markieren)->Down(), expected);
        QCOMPARE(t.L->Button(TLegendForm::TButton::NichtMarkieren)->Down(), !expected);
    }
    // The one-list switch on the toolbar rebuilds into two lists.
    QTest::mouseClick(t.L->Button(TLegendForm::TButton::ZweiLegenden), Qt::LeftButton);
    QVERIFY(t.L->TwoLists());
    QCOMPARE(Dump(t.L->Content().Across), QString("12,MARIENKAEFER"));
}

void LegendTest::dragCursor() {
    // The empty row of a list without words does nothing.
    TOpen empty = OpenLegend(Teaser, [](TProgramSettings& s) { s.EinfacheLegende = false; });
    QTest::mouseClick(empty.List(1), Qt::LeftButton, {}, InCell(empty.List(1), 2, 0));
    QCOMPARE(empty.L->CurrentDragCursor(), TDragCursor::LeftToRight);

    TOpen t = OpenLegend(R"(typ: 6
rueckwaerts: ja
[gitter]
HAUS
A###
S###
E###
[begriffe]
HAUS
HASE
)", [](TProgramSettings& s) { s.EinfacheLegende = false; });
    QTest::mousePress(t.List(1), Qt::LeftButton, {}, InCell(t.List(1), 2, 0));
    QTest::mouseRelease(t.List(1), Qt::LeftButton, {}, InCell(t.List(1), 2, 0));
    QCOMPARE(t.L->CurrentDragCursor(), TDragCursor::TopToBottom);
    QTest::mousePress(t.List(1), Qt::LeftButton, Qt::ControlModifier, InCell(t.List(1), 2, 0));
    QTest::mouseRelease(t.List(1), Qt::LeftButton, Qt::ControlModifier, InCell(t.List(1), 2, 0));
    QCOMPARE(t.L->CurrentDragCursor(), TDragCursor::BottomToTop);
    QTest::mousePress(t.List(0), Qt::LeftButton, {}, InCell(t.List(0), 2, 0));
    QTest::mouseRelease(t.List(0), Qt::LeftButton, {}, InCell(t.List(0), 2, 0));
    QCOMPARE(t.L->CurrentDragCursor(), TDragCursor::LeftToRight);
}

void LegendTest::everyPressCounts() {
    TOpen t = OpenLegend(Swedish);
    auto send = [](QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint at) {
        QMouseEvent e(type, at, w->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    // Eleven quick clicks on a box: every second press comes as a double click.
    TDrawGrid* across = t.List(0);
    const QPoint box = InCell(across, 1, 0, across->ColWidth(0) + 8);
    for (int i = 0; i < 11; ++i) {
        send(across, i % 2 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, Qt::LeftButton, box);
        send(across, QEvent::MouseButtonRelease, Qt::LeftButton, box);
    }
    QCOMPARE(t.F->UndoSaves, 11);
    QCOMPARE(t.P().Words[0].Done, 1);
    QCOMPARE(t.F->Dlg.Log.size(), std::size_t(0));
    // A right click chooses the row its popup acts on.
    send(across, QEvent::MouseButtonPress, Qt::RightButton, InCell(across, 2, 1));
    QCOMPARE(across->Row(), 1);
    // A double click opens the word dialog from either list.
    t.F->Dlg.ExecResult = QDialog::Rejected;
    send(t.List(1), QEvent::MouseButtonDblClick, Qt::LeftButton, InCell(t.List(1), 2, 1));
    QCOMPARE(t.F->Dlg.Log.size(), std::size_t(1));
    QCOMPARE(t.F->Dlg.Log[0].Kind, QString("zx::TWordEditDlg"));

    // The one empty row of a list whose words are all hidden does nothing.
    TOpen hidden = OpenLegend(Swedish, [](TProgramSettings& s) { s.BegriffeAusblenden = true; });
    hidden.F->Play.SetWordDone(0, TWordDir::Across, true);
    hidden.F->Play.SetWordDone(1, TWordDir::Across, true);
    QCOMPARE(hidden.L->Content().Across[0].WordIndex, NoWord);
    QSignalSpy chosen(hidden.L.get(), &TLegendForm::WordChosen);
    send(hidden.List(0), QEvent::MouseButtonPress, Qt::LeftButton, InCell(hidden.List(0), 2, 0));
    send(hidden.List(0), QEvent::MouseButtonDblClick, Qt::LeftButton, InCell(hidden.List(0), 2, 0));
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(hidden.F->Dlg.Log.size(), std::size_t(0));
}

void LegendTest::selectionFollowsTheGridWord() {
    // HAUS 1, HASE 2 and OBST 3 across; the grid cursor stands in HASE.
    TOpen t = OpenLegend(R"(typ: 0
[gitter]
HAUS
####
HASE
####
OBST
[begriffe]
HAUS = a
HASE = b
OBST = c
)",
                         [](TProgramSettings& s) { s.BegriffeAusblenden = true; });
    t.F->Play.SetCursor(QPoint(2, 3), TInputDir::Across);
    QVERIFY(t.L->SelectLegendRow(2, TWordDir::Across));
    QCOMPARE(t.List(0)->Row(), 1);
    t.F->Play.SetWordDone(0, TWordDir::Across, true); // HAUS is hidden
    QCOMPARE(t.L->Content().Across[static_cast<std::size_t>(t.List(0)->Row())].Cells[2], std::string("b"));

    // The across list keeps its height when the window grows.
    const int top = t.L->findChild<QWidget*>(QStringLiteral("PanelTop"))->height();
    t.L->resize(t.L->width(), t.L->height() + 200);
    QApplication::processEvents();
    QCOMPARE(t.L->findChild<QWidget*>(QStringLiteral("PanelTop"))->height(), top);
}

void LegendTest::printLegend() {
    auto f = Frame(Swedish);
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    p.setFont(font);
    const int h = std::max(QFontMetrics(font).height(), 18);
    const QSize side = TLegendForm::LegendPrintSize(p, f->Play.Puzzle(), f->Play.Settings(), false);
    const QSize stacked = TLegendForm::LegendPrintSize(p, f->Play.Puzzle(), f->Play.Settings(), true);
    QCOMPARE(side.height(), 4 * h);
    QCOMPARE(stacked.height(), 8 * h + 20);
    TLegendForm::PrintLegend(p, QRect(QPoint(0, 0), side), f->Play.Puzzle(), f->Play.Settings(),
                             false, true, 2);
    TLegendForm::PrintLegend(p, QRect(QPoint(0, 400), stacked), f->Play.Puzzle(),
                             f->Play.Settings(), true, true, 2);
    p.end();
    const QColor white(Qt::white);
    const int hp = QFontMetrics(font).height();
    // Side by side: the headings' ink starts at 1 and right of the across
    // block plus 20; stacked: below the across block plus 22.
    auto firstInkX = [&](int y0, int y1) {
        for (int x = 0; x < image.width(); ++x)
            if (gridtest::CountInk(image, QRect(x, y0, 1, y1 - y0), white) > 0) return x;
        return -1;
    };
    QVERIFY(firstInkX(1, hp) <= 3);
    // The across block is as wide as its widest texts + a gap per column, and
    // the number column holds the check box (its share of the line, + 4) too.
    const QFontMetrics fm(font);
    const int acrossWidth = fm.horizontalAdvance(">") + fm.horizontalAdvance("3") +
                            fm.horizontalAdvance("Gebaeude") + 4 * std::max(8, hp / 3) +
                            std::max(14, hp * 14 / 18) + 4;
    QCOMPARE(gridtest::CountInk(image, QRect(acrossWidth, 0, 20, 4 * hp), white), 0);
    QVERIFY(gridtest::CountInk(image, QRect(acrossWidth + 20, 1, hp, hp), white) > 0);
    const int downTop = 400 + 4 * hp + 22;
    QCOMPARE(gridtest::CountInk(image, QRect(0, 400 + 4 * hp, stacked.width(), 21), white), 0);
    QVERIFY(gridtest::CountInk(image, QRect(0, downTop, 300, hp), white) > 0);
}

QTEST_MAIN(LegendTest)
#include "LegendTest.moc"
