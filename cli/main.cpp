// keystaves-cli: the headless front end of the editor.
//
//   keystaves-cli dump FILE                          the score model as JSON
//   keystaves-cli layout FILE [--music]              the page layout as JSON
//   keystaves-cli convert IN OUT.ksv                 re-save a document in the current format
//                                                    (a MIDI file IN is imported)
//   keystaves-cli convert IN OUT.mid                 export the notes as a standard MIDI file
//   keystaves-cli convert IN OUT.wav                 the performance of IN as audio
//   keystaves-cli convert IN OUT.png --dpi R [--page N]   draw the pages as PNG images
//   keystaves-cli convert IN OUT.pdf [--dpi R | --vector] the pages as a PDF file
//   keystaves-cli convert IN OUT.bmp [--dpi R]           the pages as bitmap files
//
// layout and the page outputs refuse more than 2,000 pages unless --max-pages N allows
// them. A read that ends with an error stops every command unless --keep-partial asks
// to go on with what was read.
//
// Exit status 0 on success; on failure the message the editor would show goes to
// standard error and the status is non-zero: 1 failed, 2 wrong command line, 3 done
// with --keep-partial after a read that ended with an error.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "CliCommands.h"

namespace {

// Commands that draw pages need a GUI application for their fonts.
bool draws(int argc, char** argv) {
    if (argc >= 3 && QByteArray(argv[1]) == "layout")
        for (int i = 2; i < argc; ++i)
            if (QByteArray(argv[i]) == "--collisions") return true;
    if (argc < 4 || QByteArray(argv[1]) != "convert") return false;
    const QByteArray out = QByteArray(argv[3]).toLower();
    return out.endsWith(".png") || out.endsWith(".pdf") || out.endsWith(".bmp");
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QTemporaryDir> runtime;
    if (draws(argc, argv)) {
        // Without a display the drawing runs on the offscreen platform, with a private
        // runtime folder when the session has none.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtime = std::make_unique<QTemporaryDir>();
            if (runtime->isValid()) qputenv("XDG_RUNTIME_DIR", runtime->path().toLocal8Bit());
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("keystaves-cli"));
    return ks::cli::run(QCoreApplication::arguments().mid(1));
}
