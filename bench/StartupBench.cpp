// Start-up in process: each iteration creates the frame as the program does,
// shows it and runs the event loop until its grid window has painted the grid,
// for the packed demo player, the 9 x 9 Sudoku sample and a 50 x 50 crossword
// file. The creation of the application itself is timed once (app_ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTranslator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchFrame.h"
#include "controls/DrawGrid.h"
#include "document/PuzzleFile.h"
#include "shell/AppSetup.h"
#include "shell/Hauptformular.h"
#include "tools/PuzzleSource.h"

namespace {

double g_appMs = 0;

// Notes the first paint of a grid control; the loop that delivered it returns
// once the grid is drawn.
class TGridPainted : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<zx::TDrawGrid*>(watched)) Painted = true;
        return false;
    }
};

// A 50 x 50 Swedish crossword of 196 words: 25 rows of four across words,
// and three-letter down words through the rows between them in 8 columns.
std::string CrosswordSource() {
    constexpr int N = 50;
    std::vector<std::string> grid(N, std::string(N, '#'));
    unsigned seed = 7;
    auto letter = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<char>('A' + (seed >> 16) % 20);
    };
    for (int r = 0; r < N; r += 2)
        for (int c = 0; c < N; ++c)
            if (c != 15 && c != 31 && c != 47) grid[r][c] = letter();
    for (int c : {0, 6, 12, 18, 24, 36, 42, 49})
        for (int r = 0; r < 46; r += 4) grid[r + 1][c] = letter();
    std::string source = "typ: 0\ntitel: Gitter 50 x 50\n[gitter]\n";
    for (const std::string& row : grid) source += row + "\n";
    source += "[begriffe]\n";
    auto runs = [&](bool down) {
        for (int line = 0; line < N; ++line) {
            std::string run;
            for (int i = 0; i <= N; ++i) {
                const char c = i < N ? (down ? grid[i][line] : grid[line][i]) : '#';
                if (c != '#') {
                    run += c;
                    continue;
                }
                if (run.size() >= 2)
                    source += run + (down ? " [s] = senkrecht\n" : " [w] = waagerecht\n");
                run.clear();
            }
        }
    };
    runs(false);
    runs(true);
    return source;
}

// The puzzle files and the packed player the cases start from.
struct TStartFiles {
    QTemporaryDir Dir;
    QString Crossword;
    QString Sudoku = QStringLiteral(ZX_SAMPLES_DIR "/sudoku-9x9.raetsel");
    QString Demo = QStringLiteral(ZX_DEMO_PLAYER);

    TStartFiles() {
        zx::TCompiledPuzzle compiled;
        zx::TSourceError error;
        if (!zx::CompilePuzzleSource(CrosswordSource(), "50x50", compiled, error)) return;
        const zx::TPuzzleData& p = compiled.Record;
        std::string bytes = zx::MakeHeader(std::string(p.CreatorVersion.view()));
        bytes.append(reinterpret_cast<const char*>(&p), sizeof p);
        QFile file(Dir.filePath(QStringLiteral("kreuz50.raetsel")));
        if (file.open(QIODevice::WriteOnly) &&
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                static_cast<qint64>(bytes.size()))
            Crossword = file.fileName();
    }
};

TStartFiles& Files() {
    static TStartFiles files;
    return files;
}

void StartUntilGridPainted(benchmark::State& state, const std::string& key, const QString& exe,
                           const QString& puzzle) {
    if (exe.isEmpty() || !QFileInfo::exists(puzzle.isEmpty() ? exe : puzzle)) {
        state.SkipWithError("start file missing");
        return;
    }
    std::vector<std::string> params;
    if (!puzzle.isEmpty()) params.push_back(QFile::encodeName(puzzle).toStdString());
    zxbench::TSilentDialogs dialogs;
    TGridPainted painted;
    qApp->installEventFilter(&painted);
    // The benchmark library runs a case more than once: its first start is kept.
    static std::map<std::string, double> firstStarts;
    const bool firstRun = firstStarts.count(key) == 0;
    QElapsedTimer first;
    first.start();
    for (auto _ : state) {
        painted.Painted = false;
        auto frame = std::make_unique<zx::TVxMainForm>(QFile::encodeName(exe).toStdString(),
                                                       params, &dialogs);
        QCoreApplication::processEvents();
        frame->show();
        // A puzzle that fails to load opens no grid window.
        while (!painted.Painted && !(frame->StartUpDone() && !frame->HasPuzzleForm()))
            QCoreApplication::processEvents();
        state.PauseTiming();
        if (firstRun && !firstStarts.count(key))
            firstStarts[key] = static_cast<double>(first.nsecsElapsed()) / 1e6;
        if (!painted.Painted) state.SkipWithError("no grid window");
        frame.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    qApp->removeEventFilter(&painted);
    // The first start of a case loads what the later ones find in the caches
    // (fonts, glyphs, pictures): the first case's is the start of a fresh process.
    state.counters["first_ms"] = firstStarts[key];
    state.counters["app_ms"] = g_appMs;
}

void BM_StartPackedPlayer(benchmark::State& state) {
    StartUntilGridPainted(state, "packed", Files().Demo, QString());
}

void BM_StartSudoku9x9File(benchmark::State& state) {
    StartUntilGridPainted(state, "sudoku", QCoreApplication::applicationFilePath(), Files().Sudoku);
}

void BM_StartCrossword50x50File(benchmark::State& state) {
    StartUntilGridPainted(state, "crossword", QCoreApplication::applicationFilePath(),
                          Files().Crossword);
}

} // namespace

BENCHMARK(BM_StartPackedPlayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartSudoku9x9File)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartCrossword50x50File)->Unit(benchmark::kMillisecond);

namespace {

// The offscreen platform complains at every window shown that it cannot pass on
// size hints; the benchmark's table stays readable without that.
QtMessageHandler g_toolkitMessages = nullptr;

void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (g_toolkitMessages && !text.contains(QLatin1String("propagateSizeHints")))
        g_toolkitMessages(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_toolkitMessages = qInstallMessageHandler(DropSizeHintNotes);
    QElapsedTimer clock;
    clock.start();
    // As the program starts.
    QApplication app(argc, argv);
    QTranslator toolkitTexts;
    zx::PrepareApplication(toolkitTexts);
    g_appMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
