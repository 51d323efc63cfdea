// The commands of keystaves-cli, callable from tests.
#pragma once

#include <QStringList>

namespace ks::cli {

// Runs one command line (without the program name); returns the exit status.
int run(const QStringList& args);

}  // namespace ks::cli
