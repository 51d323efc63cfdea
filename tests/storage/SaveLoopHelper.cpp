// Test helper: saves the benchmark score to the path given, over and over, alternating
// its title between "A" and "B". As each save reaches one of its steps (the three zip
// members and the final move) it prints the step's number on a line of its own, so the
// test can kill it right there.
#include <QCoreApplication>
#include <cstdio>

#include "storage/DocumentContainer.h"
#include "support/BenchmarkScore.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    const QString target = QString::fromLocal8Bit(argv[1]);
    ks::CScore score = ks::bench::makeBenchmarkScore();
    ks::ContainerWriteOptions options;
    options.fault = [](ks::SaveStep step) {
        std::printf("%d\n", static_cast<int>(step));
        std::fflush(stdout);
        return false;
    };
    for (int i = 0;; ++i) {
        score.title = QString::fromLatin1(i % 2 ? "B" : "A");
        if (!ks::writeContainer(target, score, {}, options).ok) {
            std::fprintf(stderr, "save %d failed\n", i);
            return 1;
        }
    }
}
