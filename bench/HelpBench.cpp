// The help system: opening the help pane on its first page, and the first search, which
// builds the keyword index from all 44 pages. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include "app/DialogUserInterface.h"
#include "app/MainFrame.h"
#include "app/help/HelpIndex.h"
#include "app/help/HelpSystem.h"
#include "support/OffscreenMain.h"

using namespace ks;

namespace {

void BM_OpenHelpPane(benchmark::State& state) {
    DialogUserInterface ui;
    for (auto _ : state) {
        CMainFrame frame(ui);
        frame.show();
        HelpSystem help(frame);
        QElapsedTimer timer;
        timer.start();
        help.showPane();
        QApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_OpenHelpPane)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstSearch(benchmark::State& state) {
    for (auto _ : state) {
        HelpIndex index;
        HelpSystem::buildIndex(index);
        benchmark::DoNotOptimize(index.search(QStringLiteral("volta")));
    }
}
BENCHMARK(BM_FirstSearch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return ks::runOffscreenBenchmarks(argc, argv);
}
