// Test helper: saves the benchmark score to the path given, over and over, alternating
// its title between "A" and "B". After the first save it prints how many milliseconds
// that save took, so the test can kill it in the middle of a later one.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "storage/DocumentContainer.h"
#include "support/BenchmarkScore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString target = QString::fromLocal8Bit(argv[1]);
    ks::CScore score = ks::bench::makeBenchmarkScore();
    for (int i = 0;; ++i) {
        score.title = QString::fromLatin1(i % 2 ? "B" : "A");
        QElapsedTimer timer;
        timer.start();
        if (!ks::writeContainer(target, score, {}).ok) {
            std::fprintf(stderr, "save %d failed\n", i);
            return 1;
        }
        if (i == 0) {
            std::printf("%lld\n", static_cast<long long>(timer.elapsed()));
            std::fflush(stdout);
        }
    }
}
