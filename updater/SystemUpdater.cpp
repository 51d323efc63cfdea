#include "updater/SystemUpdater.h"

#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <cstdio>

namespace ks {

namespace {

bool processRunning(int64_t pid) {
    if (pid <= 0) return false;
    if (kill(pid_t(pid), 0) != 0 && errno != EPERM) return false;
    // A process that has ended but was not yet collected by its parent counts as gone.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return !(close >= 0 && close + 2 < line.size() && line[close + 2] == 'Z');
}

QStringList commandFromEnvironment(const char* variable, const QString& fallback) {
    const QString text = qEnvironmentVariable(variable);
    return QProcess::splitCommand(text.isEmpty() ? fallback : text);
}

}  // namespace

QStringList installCommand(const QString& commandText, const QString& installer) {
    QStringList command = QProcess::splitCommand(commandText);
    bool placed = false;
    for (QString& argument : command) {
        if (argument.contains(QLatin1String("%f"))) {
            argument.replace(QLatin1String("%f"), installer);
            placed = true;
        }
    }
    if (!placed) command.append(installer);
    return command;
}

UpdaterSystem systemUpdater(const QString& updaterFolder) {
    UpdaterSystem system;
    system.processRunning = processRunning;
    system.sleep = [](int ms) { QThread::msleep(ulong(ms)); };
    system.runInstaller = [](const QString& installer) {
        const QString text = qEnvironmentVariable("KEYSTAVES_INSTALL_COMMAND");
        const QStringList command =
            installCommand(text.isEmpty() ? QLatin1String(kDefaultInstallCommand) : text, installer);
        if (command.isEmpty()) return -1;
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(command.first(), command.mid(1));
        if (!process.waitForStarted() || !process.waitForFinished(-1)) return -1;
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    };
    system.startEditor = [updaterFolder] {
        const QString beside = updaterFolder + QLatin1String("/keystaves");
        const QStringList command = commandFromEnvironment(
            "KEYSTAVES_EDITOR_COMMAND",
            QFileInfo(beside).isExecutable() ? beside : QStringLiteral("keystaves"));
        if (command.isEmpty()) return false;
        return QProcess::startDetached(command.first(), command.mid(1));
    };
    system.showError = [](const QString& message) {
        std::fprintf(stderr, "%s: %s\n", kUpdaterTitle, message.toLocal8Bit().constData());
    };
    return system;
}

}  // namespace ks
