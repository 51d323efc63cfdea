// What the updater does with its command: after an installation, wait and start the
// editor; otherwise wait for the editor to close, check the installer against the digest
// kept beside it, hand it to the system's package installer, and start the editor again.
// Everything that touches the system comes in through `UpdaterSystem`, so tests run the
// whole sequence without processes, packages or waiting.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "updater/UpdaterCommand.h"

namespace ks {

struct UpdaterSystem {
    std::function<bool(int64_t pid)> processRunning;
    std::function<void(int ms)> sleep;
    // Runs the package installer on the file and waits for it; its exit status.
    std::function<int(const QString& installer)> runInstaller;
    std::function<bool()> startEditor;
    std::function<void(const QString& message)> showError;
    int installWaitMs = 6000;   // "/Install": time for the installer to finish
    int closeWaitMs = 10000;    // how long the editor may take to close
    int pollMs = 100;
};

inline constexpr const char* kUnableToClose = "Error : Unable to close Keystaves";
inline constexpr const char* kNotVerified =
    "Error : The update does not match the published download and was not installed";
inline constexpr const char* kInstallFailed = "Error : The update could not be installed";
inline constexpr const char* kUpdaterTitle = "Keystaves Updater";

// The updater's exit status: 0 when it did its part.
int runUpdater(const UpdaterCommand& command, const UpdaterSystem& system);

}  // namespace ks
