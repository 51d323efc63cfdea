// The editor's command line: a file to open, and the options that print and end.
#pragma once

#include <QString>
#include <QStringList>

namespace ks {

struct CommandLine {
    QString file;          // the file to open; empty = a new document
    bool help = false;     // -h, --help
    bool version = false;  // -v, --version
    QString unknown;       // the first option not understood
};

CommandLine parseCommandLine(const QStringList& arguments);

// The release notes beside the program.
QString releaseNotesPath();

}  // namespace ks
