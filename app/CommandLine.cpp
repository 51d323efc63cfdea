#include "app/CommandLine.h"

#include <QCoreApplication>

#include "storage/AppPaths.h"

namespace ks {

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnd = false;
    for (const QString& argument : arguments) {
        if (!optionsEnd && argument == u"--") {
            optionsEnd = true;
        } else if (!optionsEnd && (argument == u"-h" || argument == u"--help")) {
            line.help = true;
        } else if (!optionsEnd && (argument == u"-v" || argument == u"--version")) {
            line.version = true;
        } else if (!optionsEnd && argument.startsWith(u'-') && argument.size() > 1) {
            if (line.unknown.isEmpty()) line.unknown = argument;
        } else if (line.file.isEmpty()) {
            line.file = argument;
        }
    }
    return line;
}

QString releaseNotesPath() {
    return pathIn(QCoreApplication::applicationDirPath(),
                  QStringLiteral("Keystaves4-Release-Notes.txt"));
}

}  // namespace ks
