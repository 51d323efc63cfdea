// Printing and export of a 10-page score (the generated piano piece, imported from MIDI
// and laid out): the raster PDF at 150 and 300 dpi, the vector PDF and the bitmaps, in
// this process; then the whole keystaves-cli process as a user runs it (start-up, font
// loading, import, layout, drawing, writing), timed from start to exit with its peak
// memory: the vector PDF of the 600-bar piece, and the raster PDF of the 10 pages at
// 300 dpi.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "interchange/MidiImport.h"
#include "render/output/BmpExport.h"
#include "render/output/PageImage.h"
#include "render/output/RasterPdfExport.h"
#include "render/output/VectorPdfExport.h"
#include "resources/MusicFont.h"
#include "support/PianoPiece.h"

extern char** environ;

using namespace ks;

namespace {

constexpr int kPieceBars = 600;
constexpr int kTenPageBars = 84;

struct Files {
    QTemporaryDir dir;
    QString piece = dir.filePath(QStringLiteral("piece.mid"));
    QString tenPages = dir.filePath(QStringLiteral("ten.mid"));
    CScore score;  // the 10-page score, laid out
    PageGeometry page = pageGeometryFor({});
    Files() {
        bench::writePianoPiece(piece, kPieceBars);
        const CMidiFile ten = bench::makePianoPiece(kTenPageBars);
        ten.Write(tenPages);
        // As the editor opens a MIDI file: a new document with the built-in defaults.
        score.Reset();
        score.applyBuiltInDefaults();
        score.prefs.key = -1;
        importMidiFile(ten, score);
        layoutForExport(score, page);
    }
};

Files& files() {
    static Files f;
    return f;
}

bool tenPages(benchmark::State& state) {
    if (files().score.pages.size() == 10) return true;
    state.SkipWithError("the score does not have 10 pages");
    return false;
}

struct ChildRun {
    double seconds = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs a program to its end: its wall time and peak resident memory. Called in a small
// process of its own (see main), since a child's peak counts the memory of the
// process that started it.
ChildRun measureChild(char** argv) {
    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Runs `args` through this program started as "--measure ARGS...", which reports the
// figures of its own child on its standard output.
ChildRun runChild(std::vector<std::string> args) {
    static std::string self = QCoreApplication::applicationFilePath().toStdString();
    static std::string flag = "--measure";
    std::vector<char*> argv = {self.data(), flag.data()};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ChildRun run;
    int out[2];
    if (pipe(out) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const bool started = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string report;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    if (!started || waitpid(pid, &status, 0) != pid) return run;
    std::sscanf(report.c_str(), "%lf %ld %d", &run.seconds, &run.peakKb, &run.status);
    return run;
}

void runCli(benchmark::State& state, const QString& in, const QString& out,
            std::vector<std::string> options) {
    std::vector<std::string> args = {KS_CLI, "convert", in.toStdString(), out.toStdString()};
    args.insert(args.end(), options.begin(), options.end());
    long peak = 0;
    for (auto _ : state) {
        const ChildRun run = runChild(args);
        if (run.status != 0) {
            state.SkipWithError("keystaves-cli failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak = std::max(peak, run.peakKb);
    }
    state.counters["peak_MB"] = peak / 1024.0;
    state.counters["kB"] = QFileInfo(out).size() / 1024.0;
}

}  // namespace

static void BM_RasterPdf(benchmark::State& state) {
    if (!tenPages(state)) return;
    const QString out = files().dir.filePath(QStringLiteral("raster.pdf"));
    const int dpi = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CScore score = files().score;
        if (!ExportPdf(score, files().page, out, dpi).ok) state.SkipWithError("export failed");
    }
    state.counters["kB"] = QFileInfo(out).size() / 1024.0;
}
BENCHMARK(BM_RasterPdf)->Arg(150)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_VectorPdf(benchmark::State& state) {
    if (!tenPages(state)) return;
    const QString out = files().dir.filePath(QStringLiteral("vector.pdf"));
    for (auto _ : state) {
        CScore score = files().score;
        if (!ExportVectorPdf(score, files().page, out).ok) state.SkipWithError("export failed");
    }
    state.counters["kB_per_page"] = QFileInfo(out).size() / 1024.0 / 10;
}
BENCHMARK(BM_VectorPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_Bitmaps(benchmark::State& state) {
    if (!tenPages(state)) return;
    const QString out = files().dir.filePath(QStringLiteral("page.bmp"));
    for (auto _ : state) {
        CScore score = files().score;
        if (!ExportBmp(score, files().page, out, static_cast<int>(state.range(0))).complete())
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_Bitmaps)->Arg(150)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CliVectorPdfOfThePiece(benchmark::State& state) {
    runCli(state, files().piece, files().dir.filePath(QStringLiteral("piece.pdf")), {"--vector"});
}
BENCHMARK(BM_CliVectorPdfOfThePiece)->Unit(benchmark::kMillisecond)->UseManualTime();

static void BM_CliRasterPdfOfTenPages(benchmark::State& state) {
    runCli(state, files().tenPages, files().dir.filePath(QStringLiteral("ten.pdf")),
           {"--dpi", std::to_string(state.range(0))});
}
BENCHMARK(BM_CliRasterPdfOfTenPages)
    ->Arg(150)
    ->Arg(300)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--measure") {
        const ChildRun run = measureChild(argv + 2);
        std::printf("%f %ld %d\n", run.seconds, run.peakKb, run.status);
        return 0;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!loadMusicFont()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
