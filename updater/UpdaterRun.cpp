#include "updater/UpdaterRun.h"

#include "updater/InstallerDigest.h"

namespace ks {

int runUpdater(const UpdaterCommand& command, const UpdaterSystem& system) {
    if (command.install) {
        system.sleep(system.installWaitMs);
        return system.startEditor() ? 0 : 1;
    }
    if (command.editorPid != 0) {
        int waited = 0;
        while (system.processRunning(command.editorPid) && waited < system.closeWaitMs) {
            system.sleep(system.pollMs);
            waited += system.pollMs;
        }
        if (system.processRunning(command.editorPid)) {
            system.showError(QLatin1String(kUnableToClose));
            return 1;
        }
    }
    if (!installerVerified(command.installerPath)) {
        system.showError(QLatin1String(kNotVerified));
        return 1;
    }
    const int status = system.runInstaller(command.installerPath);
    if (status != 0) system.showError(QLatin1String(kInstallFailed));
    // The editor comes back either way: the old version when the installation failed.
    const bool started = system.startEditor();
    return status == 0 && started ? 0 : 1;
}

}  // namespace ks
