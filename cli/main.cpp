// keystaves-cli: the headless front end of the editor.
//
//   keystaves-cli dump FILE                          the score model as JSON
//   keystaves-cli layout FILE [--music]              the page layout as JSON
//   keystaves-cli convert IN OUT.ksv                 re-save a document in the current format
//   keystaves-cli convert IN OUT.png --dpi R [--page N]   draw the pages as PNG images
//
// Exit status 0 on success; on failure the message the editor would show goes to
// standard error and the status is non-zero.
#include <QGuiApplication>
#include <QStringList>

#include "CliCommands.h"

int main(int argc, char** argv) {
    // Drawing needs a GUI application for its fonts; without a display it runs on the
    // offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("keystaves-cli"));
    const QStringList args = QGuiApplication::arguments().mid(1);
    return ks::cli::run(args);
}
