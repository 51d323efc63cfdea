// make-samples: writes the sample scores of resources/samples as ".ksv" documents.
//
//   make-samples OUTPUT_FOLDER
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "SampleScores.h"
#include "storage/DocumentContainer.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fputs("usage: make-samples OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QDir folder(args[1]);
    struct Sample {
        const char* file;
        ks::CScore (*make)();
    };
    const Sample samples[] = {{"minuet-in-g.ksv", ks::samples::minuetInG},
                              {"twinkle-twinkle.ksv", ks::samples::twinkleTwinkle}};
    ks::ContainerWriteOptions options;
    options.backup = false;
    for (const Sample& sample : samples) {
        ks::CScore score = sample.make();
        const QString path = folder.filePath(QString::fromLatin1(sample.file));
        if (!ks::writeContainer(path, score, ks::CPrinterSettings{}, options).ok) {
            std::fprintf(stderr, "make-samples: cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return 0;
}
