// keystaves-cli: the headless front end of the editor.
//
//   keystaves-cli dump FILE           the score model as JSON
//   keystaves-cli convert IN OUT.ksv  re-save a document in the current format
//   keystaves-cli convert IN OUT.wav  the performance of IN as audio
//
// Exit status 0 on success; on failure the message the editor would show goes to
// standard error and the status is non-zero.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QStringList>
#include <cstdio>

#include "CliCommands.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keystaves-cli"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    return ks::cli::run(args);
}
