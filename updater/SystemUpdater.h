// The updater's ties to this system: process checks through /proc, the package installer
// and the editor started as commands that the environment can replace.
//   KEYSTAVES_INSTALL_COMMAND  the package installer, "%f" standing for the file
//                              (default "pkexec apt-get install -y %f")
//   KEYSTAVES_EDITOR_COMMAND   the editor (default "keystaves" beside the updater)
#pragma once

#include <QString>
#include <QStringList>

#include "updater/UpdaterRun.h"

namespace ks {

inline constexpr const char* kDefaultInstallCommand = "pkexec apt-get install -y %f";

// The installer command for `installer`: the command split as a shell would, with "%f"
// in any argument replaced by the path. The path is always one argument of its own.
QStringList installCommand(const QString& commandText, const QString& installer);

UpdaterSystem systemUpdater(const QString& updaterFolder);

}  // namespace ks
