// The editor: one main window with a window per open document.
#include <QApplication>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

#include "app/AppTextIds.h"
#include "app/CommandLine.h"
#include "app/DialogUserInterface.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/LanguageModules.h"
#include "app/MainFrame.h"
#include "app/Version.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"
#include "resources/MusicFont.h"

int main(int argc, char** argv) {
    // The options that print and end are answered before any window system is needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const ks::CommandLine command = ks::parseCommandLine(arguments);
    if (command.help || !command.unknown.isEmpty()) {
        const QCoreApplication core(argc, argv);  // finds the language module beside us
        ks::loadUserLanguageModule(QLocale::system());
        const QString usage = ks::text(ks::StringId::CommandLineHelp);
        std::fputs(usage.toLocal8Bit().constData(), command.help ? stdout : stderr);
        std::fputc('\n', command.help ? stdout : stderr);
        return command.help ? 0 : 2;
    }
    if (command.version) {
        std::printf("%d.%d.%d\n", ks::kVersionMajor, ks::kVersionMinor, ks::kVersionBuild);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("keystaves"));
    ks::loadUserLanguageModule(QLocale::system());
    if (!ks::loadMusicFont()) std::fputs("The music font could not be loaded.\n", stderr);

    ks::DialogUserInterface ui;
    ks::CKeystaveApp keystaves(ui);
    if (!keystaves.start(arguments)) return 0;
    ui.statusSink = [&keystaves](const QString& message) {
        if (keystaves.frame()) keystaves.frame()->statusBar()->showMessage(message, 5000);
    };
    QObject::connect(&app, &QApplication::aboutToQuit, [&keystaves] { keystaves.shutdown(); });
    // For measuring start-up: end once the first page has been painted.
    if (qEnvironmentVariableIsSet("KEYSTAVES_QUIT_AFTER_FIRST_PAINT")) {
        if (ks::CKeystaveView* view = keystaves.frame()->activeView())
            view->painted = [] { QTimer::singleShot(0, qApp, &QApplication::quit); };
    }
    return app.exec();
}
