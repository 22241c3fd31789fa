// The play session: which operations take the undo copy, judge the puzzle,
// tick words and announce what, and the sound behaviour of reset, reveal and
// snapshots where the plain procedure would lose or misjudge entries.
#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <cstring>
#include <functional>

#include "RecordingDialogs.h"
#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "tools/PuzzleSource.h"

using zx::TFormKind;
using zx::TInputDir;
using zx::TPlayerSession;

namespace {

// One row with the words OB and AT; the solution word OT lies in O and T.
const char* const TwoWords = "typ: 5\nloesungswort: OT\n[gitter]\noB#At\n"
                             "[begriffe]\nOB = a\nAT = b\n";

// A session playing a compiled source, its grid window open.
bool Load(TPlayerSession& s, const char* source) {
    zx::TCompiledPuzzle compiled;
    zx::TSourceError error;
    if (!zx::CompilePuzzleSource(source, "fixture", compiled, error)) return false;
    s.Edit().Puzzle = compiled.Record;
    zx::SetDefaultSettings(s.Edit().Settings, s.Edit().Puzzle);
    s.SetFormOpen(TFormKind::Puzzle, true);
    s.StartPlay();
    return true;
}

// Signals counted per operation.
struct TSpies {
    QSignalSpy Undo, Cells, Replaced, Done, Result;
    explicit TSpies(TPlayerSession& s)
        : Undo(&s, &TPlayerSession::UndoCopyTaken), Cells(&s, &TPlayerSession::CellsChanged),
          Replaced(&s, &TPlayerSession::RecordReplaced), Done(&s, &TPlayerSession::WordDoneChanged),
          Result(&s, &TPlayerSession::ResultMessage) {}
};

} // namespace

class PlayerSessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operationsAnnounceTheirChanges();
    void resetKeepsThePuzzleAndClearsEverySolutionSlot();
    void revealLeavesGivenSymbols();
    void snapshotRestoreRejudgesTheEntries();
    void solutionSlotsOutsideTheWordAreIgnored();
    void blankFieldsSolveAnAmericanCrossword();
    void fifthSnapshotReplacesTheOldest();
    void markingFilterOfANineByNineSudoku();
    void solutionViewChangesNoEntry();
    void everyEntryChangeCanBeUndone();
    void wordsTickedThroughTheLastCell();
    void clueAndLookUp_data();
    void clueAndLookUp();
    void lookUpAddressIsOnePathSegment_data();
    void lookUpAddressIsOnePathSegment();
};

void PlayerSessionTest::operationsAnnounceTheirChanges() {
    // {undo copies, cell notices, record replaced, word ticks, result messages}
    const struct {
        const char* name;
        bool legend;
        std::function<void(TPlayerSession&)> act;
        int undo, cells, replaced, done, results;
    } cases[] = {
        {"a typed letter takes the copy and names its cell", false,
         [](TPlayerSession& s) { s.TypeKey(1, 1, 'o', TInputDir::Across); }, 1, 1, 0, 0, 0},
        {"a completed word is ticked while the legend is open", true,
         [](TPlayerSession& s) {
             s.TypeKey(1, 1, 'o', TInputDir::Across);
             s.TypeKey(2, 1, 'b', TInputDir::Across);
         },
         2, 2, 0, 1, 0},
        {"a key that is no letter changes nothing", true,
         [](TPlayerSession& s) { s.TypeKey(1, 1, '5', TInputDir::Across); }, 0, 0, 0, 0, 0},
        {"a block takes no key", true,
         [](TPlayerSession& s) { s.TypeKey(3, 1, 'x', TInputDir::Across); }, 0, 0, 0, 0, 0},
        {"Delete on a filled word unticks it", true,
         [](TPlayerSession& s) { s.ClearEntry(1, 1, TInputDir::Across); }, 1, 1, 0, 1, 0},
        {"undo replaces the record once per copy", false,
         [](TPlayerSession& s) {
             s.TypeKey(1, 1, 'o', TInputDir::Across);
             s.Undo();
             s.Undo();
         },
         1, 1, 1, 0, 0},
        {"a whole word is judged at once; solution letters take copies too", true,
         [](TPlayerSession& s) {
             s.SetSolutionLetter(1, 'o');
             s.SetSolutionLetter(2, 't');
             s.EnterWord(4, 1, TInputDir::Across, "at");
             s.EnterWord(1, 1, TInputDir::Across, "ob");
         },
         4, 4, 0, 2, 1},
        {"the blank switch takes no copy", false, [](TPlayerSession& s) { s.SetBlank(1, 1, true); },
         0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TPlayerSession s;
        QVERIFY(Load(s, TwoWords));
        if (c.legend) s.SetFormOpen(TFormKind::Legend, true);
        if (QByteArray(c.name).startsWith("Delete")) {
            s.TypeKey(1, 1, 'o', TInputDir::Across);
            s.TypeKey(2, 1, 'b', TInputDir::Across);
        }
        TSpies spy(s);
        c.act(s);
        QVERIFY2(spy.Undo.count() == c.undo, c.name);
        QVERIFY2(spy.Cells.count() == c.cells, c.name);
        QVERIFY2(spy.Replaced.count() == c.replaced, c.name);
        QVERIFY2(spy.Done.count() == c.done, c.name);
        QVERIFY2(spy.Result.count() == c.results, c.name);
    }
}

void PlayerSessionTest::resetKeepsThePuzzleAndClearsEverySolutionSlot() {
    // A 15-letter solution word: the slots beyond 13 are cleared as well.
    TPlayerSession s;
    QVERIFY(Load(s, TwoWords));
    s.Edit().Puzzle.SolutionEntry.assign("ABCDEFGHIJKLMNO");
    s.TypeKey(1, 1, 'o', TInputDir::Across);
    const zx::TPuzzleData before = s.Puzzle();
    s.Reset();
    QCOMPARE(s.Puzzle().SolutionEntry.str(), std::string(20, ' '));
    QCOMPARE(s.Puzzle().entry(1, 1).str(), std::string(" "));
    s.Undo();
    QVERIFY(std::memcmp(&s.Puzzle(), &before, sizeof before) == 0);

    // A jigsaw keeps the letters of its filler cells, which are entries, and
    // loses the words the player painted.
    TPlayerSession jigsaw;
    QVERIFY(Load(jigsaw, "typ: 12\n[gitter]\nOBX\nQAT\n[begriffe]\nOB = a\nAT = b\n"));
    jigsaw.SetFormOpen(TFormKind::Legend, true);
    jigsaw.PaintRange(QRect(QPoint(1, 1), QPoint(2, 1)));
    const int ob = zx::FindWord(jigsaw.Puzzle(), std::abs(jigsaw.Puzzle().cell(1, 1).Number),
                                zx::TWordDir::Across);
    QVERIFY(jigsaw.Puzzle().cell(1, 1).Flags & zx::cfMarked);
    QCOMPARE(jigsaw.Puzzle().Words[ob].Done, std::uint8_t(1));
    const std::string filler = jigsaw.Puzzle().entry(3, 1).str();
    QCOMPARE(filler, std::string("X"));
    jigsaw.Reset();
    QCOMPARE(jigsaw.Puzzle().entry(3, 1).str(), filler);
    QVERIFY(!(jigsaw.Puzzle().cell(1, 1).Flags & zx::cfMarked));
    QCOMPARE(jigsaw.Puzzle().Words[ob].Done, std::uint8_t(0));
}

void PlayerSessionTest::revealLeavesGivenSymbols() {
    TPlayerSession s;
    QVERIFY(Load(s, "typ: 14\n[gitter]\n12 34\n34 12\n\n21 43\n43 2.\n"));
    s.Edit().Puzzle.HelpOptions = zx::hoInsertLetter;
    s.RevealLetter(1, 1); // given: revealing would toggle it away for good
    QCOMPARE(s.Puzzle().entry(1, 1).str(), std::string("1"));
    QVERIFY(!s.UndoAvailable());
    s.RevealLetter(4, 4);
    QCOMPARE(s.Puzzle().entry(4, 4).str(), std::string("1"));
    s.RevealLetter(4, 4);
    QCOMPARE(s.Puzzle().entry(4, 4).str(), std::string(" "));
    // Whole words are for crosswords: found by random play, they wrote letters into a Sudoku.
    s.EnterWord(4, 4, TInputDir::Across, "HAUS");
    s.DropWord(4, 4, zx::TWordDir::Down, "LEBEN", false, 0);
    QCOMPARE(s.Puzzle().entry(4, 4).str(), std::string(" "));
}

void PlayerSessionTest::snapshotRestoreRejudgesTheEntries() {
    TPlayerSession s;
    QVERIFY(Load(s, TwoWords));
    s.TypeKey(1, 1, 'o', TInputDir::Across);
    s.TakeSnapshot();
    s.TypeKey(1, 1, 'x', TInputDir::Across);
    QCOMPARE(s.ErrorGrid().get(1, 1), zx::evWrong);
    s.RestoreSnapshot(1);
    QCOMPARE(s.Puzzle().entry(1, 1).str(), std::string("O"));
    QCOMPARE(s.ErrorGrid().get(1, 1), zx::evAccepted);
}

void PlayerSessionTest::solutionSlotsOutsideTheWordAreIgnored() {
    TPlayerSession s;
    QVERIFY(Load(s, TwoWords));
    const zx::TPuzzleData before = s.Puzzle();
    for (int slot : {0, -1, 21, 1000})
        s.SetSolutionLetter(slot, 'A');
    for (int code : {-1, 26, 1000})
        s.SetCodeGuess(code, 'A');
    QVERIFY(std::memcmp(&s.Puzzle(), &before, sizeof before) == 0);
}

void PlayerSessionTest::blankFieldsSolveAnAmericanCrossword() {
    // OB#AT with its block hidden: the letters alone are not yet the solution.
    TPlayerSession s;
    QVERIFY(Load(s, "typ: 10\n[gitter]\nOB#AT\n[begriffe]\nOB = a\nAT = b\n"));
    for (int col : {1, 2, 4, 5})
        s.TypeKey(col, 1, s.Puzzle().cell(col, 1).Text.at(1), TInputDir::Across);
    s.CheckCompletion();
    // Revealing on the hidden block marks it blank, and the switch is judged.
    s.Edit().Puzzle.HelpOptions = zx::hoInsertLetter;
    TSpies spy(s);
    s.RevealLetter(3, 1);
    QVERIFY(s.Puzzle().cell(3, 1).Flags & zx::cfBlank);
    QCOMPARE(spy.Result.count(), 1);
    QCOMPARE(spy.Result.at(0).at(1).toBool(), true);
}

void PlayerSessionTest::fifthSnapshotReplacesTheOldest() {
    TPlayerSession s;
    QVERIFY(Load(s, "typ: 14\n[gitter]\n12 34\n34 12\n\n21 43\n43 2.\n"));
    s.SetCursor(QPoint(4, 4), TInputDir::None);
    const char symbols[] = "12341";
    for (char symbol : symbols) {
        if (!symbol) break;
        s.TypeKey(4, 4, symbol, TInputDir::None);
        s.TakeSnapshot();
    }
    // Slot 1 held "1", the oldest: the fifth snapshot took it.
    s.TypeKey(4, 4, ' ', TInputDir::None);
    for (const auto& [slot, entry] : {std::pair{1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}}) {
        s.RestoreSnapshot(slot);
        QCOMPARE(s.Puzzle().entry(4, 4).str(), std::string(entry));
    }
    QVERIFY(s.Snapshot(1).Stamp >= s.Snapshot(4).Stamp);
}

void PlayerSessionTest::markingFilterOfANineByNineSudoku() {
    zxtest::TRecordingDialogs dialogs;
    TPlayerSession s;
    QVERIFY(Load(s, "typ: 14\n[gitter]\n"
                    "53. .7. ...\n6.. 195 ...\n.98 ... .6.\n\n"
                    "8.. .6. ..3\n4.. 8.3 ..1\n7.. .2. ..6\n\n"
                    ".6. ... 28.\n... 419 ..5\n... .8. .79\n"));
    zx::TPlayCommands commands(s, dialogs);
    commands.UpdateMarkItems();
    for (int tag = 10; tag <= 12; ++tag)
        QVERIFY(!commands.MarkItem(tag)->isVisible());
    QVERIFY(commands.MarkItem(9)->isVisible() && commands.MarkItem(13)->isVisible());
    commands.MarkAction(13)->trigger();
    QCOMPARE(s.MarkSymbol(), 13);
    for (int c = 1; c <= 9; ++c)
        for (int r = 1; r <= 9; ++r) {
            const bool lit = s.Puzzle().cell(c, r).Flags & zx::cfMarked;
            const bool expected = zx::IsEmptyEntry(s.Puzzle().entry(c, r)) &&
                                  zx::CountAllowedSymbols(s.Puzzle(), c, r) <= 2;
            QCOMPARE(lit, expected);
        }
    commands.MarkAction(0)->trigger();
    QVERIFY(!(s.Puzzle().cell(3, 1).Flags & zx::cfMarked));
}

void PlayerSessionTest::solutionViewChangesNoEntry() {
    // Whatever the player does while the solution is shown, the record stays
    // as it was: the changes would be out of sight.
    TPlayerSession s;
    QVERIFY(Load(s, TwoWords));
    s.SetFormOpen(TFormKind::Legend, true);
    s.Edit().Puzzle.HelpOptions = zx::hoInsertLetter;
    s.TakeSnapshot();
    s.TypeKey(1, 1, 'x', TInputDir::Across);
    s.SetViewMode(1);
    const zx::TPuzzleData before = s.Puzzle();
    QCOMPARE(s.TypeKey(2, 1, 'b', TInputDir::Across), zx::TKeyEntry::Ignored);
    QCOMPARE(s.TypeKey(2, 1, '\r', TInputDir::Across), zx::TKeyEntry::NotAnEntry);
    QVERIFY(!s.ClearEntry(1, 1, TInputDir::Across));
    s.EnterWord(1, 1, TInputDir::Across, "OB");
    s.DropWord(4, 1, zx::TWordDir::Across, "AT", false, 1);
    s.RevealLetter(2, 1);
    s.SetSolutionLetter(1, 'O');
    s.SetCodeGuess(0, 'O');
    s.RestoreSnapshot(1);
    QVERIFY(std::memcmp(&s.Puzzle(), &before, sizeof before) == 0);

    TPlayerSession jigsaw;
    QVERIFY(Load(jigsaw, "typ: 12\n[gitter]\nOBX\nQAT\n[begriffe]\nOB = a\nAT = b\n"));
    jigsaw.SetViewMode(1);
    jigsaw.PaintRange(QRect(QPoint(1, 1), QPoint(2, 1)));
    QVERIFY(!(jigsaw.Puzzle().cell(1, 1).Flags & zx::cfMarked));
}

void PlayerSessionTest::everyEntryChangeCanBeUndone() {
    // Undo takes back exactly the last change: the solution strip's letter,
    // the code table's guess and a restored snapshot take their copies too.
    TPlayerSession s;
    QVERIFY(Load(s, TwoWords));
    s.TypeKey(1, 1, 'o', TInputDir::Across);
    s.SetSolutionLetter(1, 'O');
    s.Undo();
    QCOMPARE(s.Puzzle().SolutionEntry.at(1), ' ');
    QCOMPARE(s.Puzzle().entry(1, 1).str(), std::string("O"));

    s.TakeSnapshot();
    s.TypeKey(1, 1, 'x', TInputDir::Across);
    s.RestoreSnapshot(1);
    s.Undo();
    QCOMPARE(s.Puzzle().entry(1, 1).str(), std::string("X"));

    TPlayerSession numbers;
    QVERIFY(Load(numbers, "typ: 2\n[gitter]\nOB#AT\n[begriffe]\nOB\nAT\n"));
    const int code = zx::CodeOfLetter(numbers.Puzzle(), "O");
    numbers.TypeKey(4, 1, 'a', TInputDir::Across);
    numbers.SetCodeGuess(code, 'O');
    numbers.SetCodeGuess(code, 'O'); // changes nothing: no copy replaces the last one
    numbers.Undo();
    QVERIFY(numbers.Puzzle().Words[code].Guess.view() != "O");
    QCOMPARE(numbers.Puzzle().entry(4, 1).str(), std::string("A"));
}

void PlayerSessionTest::wordsTickedThroughTheLastCell() {
    // OB across ends where BE down starts: the last letter completes both.
    TPlayerSession s;
    QVERIFY(Load(s, "typ: 4\n[gitter]\nOB\n#E\n[begriffe]\nOB = a\nBE = b\n"));
    s.SetFormOpen(TFormKind::Legend, true);
    s.TypeKey(1, 1, 'o', TInputDir::Across);
    s.TypeKey(2, 2, 'e', TInputDir::Down);
    s.TypeKey(2, 1, 'b', TInputDir::Across);
    for (int i = 0; i < 2; ++i)
        QVERIFY2(s.Puzzle().Words[i].Done, s.Puzzle().Words[i].Answer.str().c_str());

    // Hidden words starting in one cell: the painted range ticks the word of its length.
    TPlayerSession jigsaw;
    QVERIFY(Load(jigsaw, "typ: 12\n[gitter]\nABENDROT\n[begriffe]\nABEND = a\nABENDROT = b\n"));
    jigsaw.SetFormOpen(TFormKind::Legend, true);
    jigsaw.PaintRange(QRect(QPoint(1, 1), QPoint(5, 1)));
    QVERIFY(jigsaw.Puzzle().Words[0].Done && !jigsaw.Puzzle().Words[1].Done);
    jigsaw.PaintRange(QRect(QPoint(1, 1), QPoint(8, 1)));
    QVERIFY(jigsaw.Puzzle().Words[1].Done);
}

void PlayerSessionTest::clueAndLookUp_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("typed"); // the entries of row 1, '.' empty
    QTest::addColumn<QString>("kind");  // what the commands show
    QTest::addColumn<QString>("text");
    QTest::newRow("clue with unknown letters")
        << "typ: 4\n[gitter]\nKUERBIS\n[begriffe]\nKUERBIS = Gemuese\n"
        << "KU.RB.S"
        << "note"
        << "KU?RB?S|Gemuese";
    QTest::newRow("clue of a reversed word")
        << "typ: 4\nrueckwaerts: ja\n[gitter]\nSIBREUK\n[begriffe]\nKUERBIS [r] = Gemuese\n"
        << "SIB...."
        << "note"
        << "????BIS|Gemuese";
    QTest::newRow("look-up of a solved word")
        << "typ: 4\n[gitter]\nKUERBIS\n[begriffe]\nKUERBIS = Gemuese\n"
        << "KUERBIS"
        << "address"
        << "https://de.wikipedia.org/wiki/Kuerbis";
    QTest::newRow("dictionary look-up of a solved word")
        << "typ: 4\n[gitter]\nKUERBIS\n[begriffe]\nKUERBIS = Gemuese\n"
        << "KUERBIS"
        << "word"
        << "https://de.wiktionary.org/wiki/Kuerbis";
    // The cursor stands on the hidden block: the clues of its row tell nothing of it.
    QTest::newRow("American crossword: the clues of the cursor's row")
        << "typ: 10\n[gitter]\nOB#AT\n[begriffe]\nOB = a\nAT = b\n"
        << "....."
        << "note"
        << QString::fromUtf8("Rätselzeile 1|a  |  b");
    QTest::newRow("look-up of an incomplete word")
        << "typ: 4\n[gitter]\nKUERBIS\n[begriffe]\nKUERBIS = Gemuese\n"
        << "KUERBI."
        << "error"
        << QString::fromUtf8(
               "Sie können nur komplett gelöste Begriffe im Online-Lexikon nachschlagen.");
}

void PlayerSessionTest::clueAndLookUp() {
    QFETCH(QString, source);
    QFETCH(QString, typed);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    zxtest::TRecordingDialogs dialogs;
    TPlayerSession s;
    QVERIFY(Load(s, source.toUtf8().constData()));
    for (int c = 0; c < typed.size(); ++c)
        if (typed[c] != QLatin1Char('.'))
            s.TypeKey(c + 1, 1, typed[c].toLatin1(), TInputDir::Across);
    zx::TPlayCommands commands(s, dialogs);
    s.SetCursor(QPoint(3, 1), TInputDir::Across);
    const bool dictionary = kind == QLatin1String("word");
    if (dictionary) kind = QStringLiteral("address");
    if (kind == QLatin1String("note"))
        commands.ShowClue();
    else if (dictionary)
        commands.LookUpWord();
    else
        commands.LookUp();
    QCOMPARE(dialogs.Log.size(), std::size_t(1));
    QCOMPARE(dialogs.Log[0].Kind, kind);
    QCOMPARE(dialogs.Log[0].Text, text);
}

// Whatever a damaged file puts into a word, the desktop is handed a page of the
// encyclopedia: the word is one path segment and never a query, a fragment or
// a step out of /wiki/. A word that cannot be a page opens the search page.
void PlayerSessionTest::lookUpAddressIsOnePathSegment_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("segment"); // FullyEncoded
    QTest::newRow("umlaut, blanks and a slash")
        << QString::fromUtf8("Äpfel und/oder Birnen") << "%C3%84pfel%20und%2Foder%20Birnen";
    QTest::newRow("query") << "Rad?action=edit" << "Rad%3Faction%3Dedit";
    QTest::newRow("fragment") << "Rad#Geschichte" << "Rad%23Geschichte";
    QTest::newRow("percent sign and an encoded slash") << "100%/%2F" << "100%25%2F%252F";
    QTest::newRow("climbing out of /wiki/") << "../../w/index.php" << "..%2F..%2Fw%2Findex.php";
    QTest::newRow("dots inside a word") << "Dr..No" << "Dr..No";
    QTest::newRow("backslash and blanks") << "\\ a " << "%5C%20a%20";
    QTest::newRow("two dots alone") << ".." << "Spezial:Suche";
    QTest::newRow("one dot alone") << "." << "Spezial:Suche";
    QTest::newRow("nothing") << "" << "Spezial:Suche";
}

void PlayerSessionTest::lookUpAddressIsOnePathSegment() {
    QFETCH(QString, word);
    QFETCH(QString, segment);
    const QUrl url(zx::LookUpAddress(word), QUrl::StrictMode);
    QVERIFY2(url.isValid(), qPrintable(url.errorString()));
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.host(), QStringLiteral("de.wikipedia.org"));
    QVERIFY(!url.hasQuery());
    QVERIFY(!url.hasFragment());
    QCOMPARE(url.path(QUrl::FullyEncoded), QStringLiteral("/wiki/") + segment);
    // A browser resolves dot segments; the address must already be resolved.
    QCOMPARE(url.adjusted(QUrl::NormalizePathSegments), url);
}

QTEST_MAIN(PlayerSessionTest)
#include "PlayerSessionTest.moc"
