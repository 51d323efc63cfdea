// Keystaves Updater: hands a downloaded update to the system's package installer once the
// editor has closed, then starts the editor again.
//   keystaves-updater /Install
//   keystaves-updater PID INSTALLER
#include <QCoreApplication>

#include "updater/SystemUpdater.h"
#include "updater/UpdaterCommand.h"
#include "updater/UpdaterRun.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString tail = ks::commandTail(app.arguments().mid(1));
    return ks::runUpdater(ks::parseUpdaterCommand(tail),
                          ks::systemUpdater(QCoreApplication::applicationDirPath()));
}
