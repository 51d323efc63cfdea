// The updater's command line: "/Install" after an installation, or the editor's process
// id and the installer to run once the editor has closed.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace ks {

struct UpdaterCommand {
    bool install = false;   // "/Install": start the editor again
    int64_t editorPid = 0;  // the editor to wait for; 0 waits for none
    QString installerPath;
};

// `tail` is the whole argument text. "/Install" exactly (case-sensitive) is the first form.
// Otherwise a tail shorter than 18 characters is all installer path; a longer one starts
// with the process id in decimal (reading stops at the first non-digit, so leading white
// space gives 0), then white space, then the installer path.
UpdaterCommand parseUpdaterCommand(const QString& tail);

// The arguments joined by single blanks, as one command tail.
QString commandTail(const QStringList& arguments);

}  // namespace ks
