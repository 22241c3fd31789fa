// Random play: a seeded sequence of the operations the windows call, over
// every sample kind and over damaged records, with the play's invariants
// checked after every step. ZX_SOAK_OPS sets the number of operations per
// record (a short run by default), ZX_SOAK_SEED the seed.
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <random>

#include "document/PuzzleFile.h"
#include "rules/EntryCheck.h"
#include "rules/SudokuRule.h"
#include "rules/WordQueries.h"
#include "session/PlayerSession.h"

using namespace zx;

namespace {

long long EnvNumber(const char* name, long long otherwise) {
    const char* v = std::getenv(name);
    return v && *v ? std::atoll(v) : otherwise;
}

// Whether every entry the play wrote (one that differs from the loaded one:
// a damaged file brings what it brings) is empty, one character the kind
// allows there, or the cell's solution.
QString BadEntry(const TPuzzleData& p, const TPuzzleData& loaded) {
    const TPuzzleKind kind = KindOf(p);
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            const PuzzleEntry& e = p.entry(c, r);
            if (IsEmptyEntry(e) || e.view() == loaded.entry(c, r).view()) continue;
            // Revealing writes the cell's own solution, which a damaged file
            // may spell with any byte.
            if (e.view() == p.cell(c, r).Text.view().substr(0, 1)) continue;
            if (e.size() != 1) return QStringLiteral("entry of length %1 at %2,%3").arg(e.size()).arg(c).arg(r);
            const char ch = e.at(1);
            bool ok = ch >= 'A' && ch <= 'Z';
            if (IsSudoku(kind)) ok = SymbolValue(std::string_view(&ch, 1)) >= 1;
            // A jigsaw's filler letters are the puzzle's own.
            if (IsJigsaw(kind)) ok = true;
            if (!ok) return QStringLiteral("entry '%1' at %2,%3").arg(QChar::fromLatin1(ch)).arg(c).arg(r);
        }
    return {};
}

// A solved puzzle judged without the completion check: every letter cell
// holds its solution, the American blank marks lie on the blocks, the
// solution word is typed.
bool SolvedByItsSolution(const TPuzzleData& p) {
    const TPuzzleKind kind = KindOf(p);
    if (IsJigsaw(kind)) return true; // judged by its painted words only
    for (int c = 1; c <= UsedCols(p); ++c)
        for (int r = 1; r <= UsedRows(p); ++r) {
            const TPuzzleCell& cell = p.cell(c, r);
            if (IsAmerican(kind) && ((cell.Flags & cfBlank) != 0) != ((cell.Flags & cfBlock) != 0))
                return false;
            if (cell.Flags & cfBlock) continue;
            if (!cell.Text.empty() && p.entry(c, r).view() != cell.Text.view().substr(0, 1)) return false;
        }
    return true;
}

void Damage(TPuzzleData& p, std::mt19937& rng) {
    // Bytes of the cells and entries changed at random, then repaired as a reader would.
    auto* bytes = reinterpret_cast<unsigned char*>(&p);
    for (int i = 0; i < 200; ++i) bytes[rng() % sizeof p] = static_cast<unsigned char>(rng());
    RepairRecord(p);
}

} // namespace

class SoakTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void randomPlayKeepsThePuzzleSound_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("damaged");
        const QDir samples(QStringLiteral(ZX_SAMPLES_DIR));
        for (const QString& name : samples.entryList({QStringLiteral("*.raetsel")}, QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(name)) << samples.filePath(name) << false;
            QTest::newRow(qPrintable(name + QStringLiteral(", damaged"))) << samples.filePath(name) << true;
        }
    }
    void randomPlayKeepsThePuzzleSound() {
        QFETCH(QString, file);
        QFETCH(bool, damaged);
        const long long ops = EnvNumber("ZX_SOAK_OPS", 1000);
        std::mt19937 rng(static_cast<std::uint32_t>(EnvNumber("ZX_SOAK_SEED", 1)) ^
                         static_cast<std::uint32_t>(qHash(file)) ^ (damaged ? 0x9e37u : 0u));
        TPlayerSession s;
        TPlayerState& st = s.Edit();
        QCOMPARE(LoadPuzzleFile(st.Puzzle, file.toStdString()), lrLoaded);
        if (damaged) Damage(st.Puzzle, rng);
        SetDefaultSettings(st.Settings, st.Puzzle);
        s.SetFormOpen(TFormKind::Puzzle, true);
        s.SetFormOpen(TFormKind::Legend, true);
        s.StartPlay();
        auto loaded = std::make_unique<TPuzzleData>(s.Puzzle());

        // The record as it was when the last undo copy was taken.
        auto copy = std::make_unique<TPuzzleData>();
        bool haveCopy = false;
        connect(&s, &TPlayerSession::UndoCopyTaken, this, [&] {
            *copy = s.Puzzle();
            haveCopy = true;
        });
        bool solvedClaimed = false;
        connect(&s, &TPlayerSession::ResultMessage, this,
                [&](const QString&, bool success) { solvedClaimed = success; });
        auto fresh = std::make_unique<TPuzzleData>();
        auto verdicts = std::make_unique<TErrorGrid>();

        const TPuzzleData& p = s.Puzzle();
        const int cols = std::max(UsedCols(p), 1), rows = std::max(UsedRows(p), 1);
        const char keys[] = "ABCEGHILMNORSTUZaez19C ?\r#";
        for (long long i = 0; i < ops; ++i) {
            const int c = static_cast<int>(rng() % (cols + 2)) - 1 + (rng() % 8 == 0 ? 60 : 0);
            const int r = static_cast<int>(rng() % (rows + 2)) - 1;
            const TInputDir dir = rng() % 2 ? TInputDir::Across : TInputDir::Down;
            const char key = keys[rng() % (sizeof keys - 1)];
            s.SetCursor(QPoint(c, r), dir);
            solvedClaimed = false;
            bool undone = false;
            switch (rng() % 24) {
            case 0: case 1: case 2: case 3: case 4: case 5:
                s.TypeKey(c, r, key, dir);
                s.CheckCompletion();
                break;
            case 6: s.ClearEntry(c, r, dir); break;
            case 7: s.EnterWord(c, r, dir, rng() % 2 ? "HAUS" : "ABENDROTXYZQQQQQQQ"); break;
            case 8: s.DropWord(c, r, WordDirOf(dir), "LEBEN", rng() % 2, static_cast<int>(rng() % 205) - 2); break;
            case 9: s.RevealLetter(c, r); break;
            case 10: s.SetBlank(c, r, rng() % 2); break;
            case 11: s.PaintRange(QRect(QPoint(c, r), QPoint(c + static_cast<int>(rng() % 6), r + static_cast<int>(rng() % 3)))); break;
            case 12: s.SetCodeGuess(static_cast<int>(rng() % 28) - 1, key); break;
            case 13: s.SetSolutionLetter(static_cast<int>(rng() % 22) - 1, key); break;
            case 14: case 15:
                undone = s.UndoAvailable();
                s.Undo();
                break;
            case 16: if (rng() % 20 == 0) s.Reset(); break;
            case 17: s.TakeSnapshot(); break;
            case 18: s.RestoreSnapshot(static_cast<int>(rng() % 6)); break;
            case 19: s.SetViewMode(static_cast<std::uint8_t>(rng() % 2)); break;
            case 20: s.SetShowErrors(rng() % 2); s.SetHideDoneWords(rng() % 2); break;
            case 21: s.SetMarkSymbol(static_cast<int>(rng() % 16) - 1); break;
            case 22: s.Zoom(rng() % 2 ? 1 : -1); break;
            case 23: s.SetWordDone(static_cast<int>(rng() % 205) - 2, WordDirOf(dir), rng() % 2); break;
            }
            const QString step = QStringLiteral("step %1").arg(i);
            const QString bad = BadEntry(p, *loaded);
            QVERIFY2(bad.isEmpty(), qPrintable(step + QStringLiteral(": ") + bad));
            // The verdicts are those the entries get when judged afresh.
            *fresh = p;
            RebuildErrorGrid(*fresh, *verdicts);
            QVERIFY2(std::memcmp(verdicts.get(), &s.ErrorGrid(), sizeof *verdicts) == 0, qPrintable(step));
            if (undone && haveCopy) {
                // The Sudoku marking lights cells by the entries now shown;
                // it lies outside what undo restores.
                *fresh = p;
                if (IsSudoku(KindOf(p)))
                    for (int cc = 0; cc < GridDim; ++cc)
                        for (int rr = 0; rr < GridDim; ++rr) {
                            fresh->cell(cc, rr).Flags &= ~static_cast<std::uint32_t>(cfMarked);
                            copy->cell(cc, rr).Flags &= ~static_cast<std::uint32_t>(cfMarked);
                        }
                QVERIFY2(std::memcmp(fresh.get(), copy.get(), sizeof p) == 0,
                         qPrintable(step + QStringLiteral(": undo")));
                haveCopy = false;
            }
            if (solvedClaimed) QVERIFY2(SolvedByItsSolution(p), qPrintable(step + QStringLiteral(": solved")));
        }
    }
};

QTEST_MAIN(SoakTest)
#include "SoakTest.moc"
