// make-piano-midi OUT.mid [BARS]: writes the generated two-hand piano piece of the
// benchmarks (600 bars, about 7,000 notes, unless BARS is given).
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "support/PianoPiece.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    bool ok = args.size() == 1 || args.size() == 2;
    const int bars = args.size() == 2 ? args[1].toInt(&ok) : 600;
    if (!ok || bars < 1 || bars > 100000) {
        std::fputs("usage: make-piano-midi OUT.mid [BARS]\n", stderr);
        return 2;
    }
    const ks::CMidiFile piece = ks::bench::makePianoPiece(bars);
    if (!piece.Write(args[0]).ok) {
        std::fputs("the file could not be written\n", stderr);
        return 1;
    }
    std::printf("%d bars, %d notes\n", bars, ks::bench::noteCount(piece));
    return 0;
}
