// The updater: its two command-line forms, waiting for the editor, the 10-second give-up,
// the digest check, and the real program handing a file to an installer command.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "updater/InstallerDigest.h"
#include "updater/SystemUpdater.h"
#include "updater/UpdaterCommand.h"
#include "updater/UpdaterRun.h"

namespace ks {
namespace {

TEST(UpdaterCommandLine, BothForms) {
    struct Case {
        QString tail;
        bool install;
        int64_t pid;
        QString path;
    } cases[] = {
        {"/Install", true, 0, ""},
        {"/install", false, 0, "/install"},          // case-sensitive: a short path
        {"/Install ", false, 0, "/Install "},
        {"/tmp/k_4_2_19.deb", false, 0, "/tmp/k_4_2_19.deb"},  // 17 characters
        {"123 /tmp/short.deb", false, 123, "/tmp/short.deb"},  // 18
        {"4242   /home/u/Updates/k_4_2_19.deb", false, 4242, "/home/u/Updates/k_4_2_19.deb"},
        {" 4242 /home/u/Updates/k_4_2_19.deb", false, 0, "4242 /home/u/Updates/k_4_2_19.deb"},
        {"99999999999999999999999 /tmp/x.deb", false, -1, "/tmp/x.deb"},
        {"77 /home/u/My Updates/k.deb", false, 77, "/home/u/My Updates/k.deb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail.toStdString());
        const UpdaterCommand command = parseUpdaterCommand(c.tail);
        EXPECT_EQ(command.install, c.install);
        EXPECT_EQ(command.editorPid, c.pid);
        EXPECT_EQ(command.installerPath, c.path);
    }
}

class UpdaterRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        installer = dir.path() + "/keystaves_4_2_19.deb";
        QFile file(installer);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("package");
        file.close();
        ASSERT_TRUE(writeInstallerDigest(installer, fileSha256(installer)));
        system.processRunning = [this](int64_t pid) {
            ++checks;
            return pid == editorPid && waitedMs < editorClosesAfterMs;
        };
        system.sleep = [this](int ms) { waitedMs += ms; };
        system.runInstaller = [this](const QString& path) {
            installed << path;
            return installStatus;
        };
        system.startEditor = [this] {
            ++editorStarts;
            return true;
        };
        system.showError = [this](const QString& message) { errors << message; };
    }

    QTemporaryDir dir;
    QString installer;
    UpdaterSystem system;
    int64_t editorPid = 4242;
    int editorClosesAfterMs = 0;
    int waitedMs = 0, checks = 0, editorStarts = 0, installStatus = 0;
    QStringList installed, errors;
};

TEST_F(UpdaterRunTest, InstallFormWaitsAndStartsTheEditorOnly) {
    EXPECT_EQ(runUpdater(parseUpdaterCommand("/Install"), system), 0);
    EXPECT_EQ(waitedMs, 6000);
    EXPECT_EQ(editorStarts, 1);
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(installed.isEmpty());
}

TEST_F(UpdaterRunTest, WaitsForTheEditorThenInstallsAndRestarts) {
    editorClosesAfterMs = 3000;
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + installer), system), 0);
    EXPECT_EQ(waitedMs, 3000);
    EXPECT_EQ(installed, QStringList{installer});
    EXPECT_EQ(editorStarts, 1);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(UpdaterRunTest, GivesUpAfterTenSeconds) {
    editorClosesAfterMs = 10100;
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + installer), system), 1);
    EXPECT_EQ(waitedMs, 10000);
    EXPECT_EQ(errors, QStringList{kUnableToClose});
    EXPECT_TRUE(installed.isEmpty());
    EXPECT_EQ(editorStarts, 0);
}

TEST_F(UpdaterRunTest, RefusesAnUnverifiedFile) {
    QFile::remove(installerDigestPath(installer));
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + installer), system), 1);
    ASSERT_TRUE(writeInstallerDigest(installer, QString(64, '0')));
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + installer), system), 1);
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + dir.path() + "/missing.deb"), system), 1);
    EXPECT_EQ(errors, QStringList(3, kNotVerified));
    EXPECT_TRUE(installed.isEmpty());
}

TEST_F(UpdaterRunTest, FailedInstallationIsReportedAndTheEditorComesBack) {
    installStatus = 100;
    EXPECT_EQ(runUpdater(parseUpdaterCommand("4242 " + installer), system), 1);
    EXPECT_EQ(errors, QStringList{kInstallFailed});
    EXPECT_EQ(editorStarts, 1);
}

TEST(UpdaterSystem, InstallCommandKeepsThePathOneArgument) {
    EXPECT_EQ(installCommand(kDefaultInstallCommand, "/a b/k.deb"),
              (QStringList{"pkexec", "apt-get", "install", "-y", "/a b/k.deb"}));
    EXPECT_EQ(installCommand("gdebi-gtk", "/k.deb"), (QStringList{"gdebi-gtk", "/k.deb"}));
}

// The program itself, with an installer command that records what it was given.
TEST(UpdaterProgram, HandsAVerifiedFileToTheInstallerCommand) {
    QTemporaryDir dir;
    const QString installer = dir.path() + "/k.deb";  // short tail: no editor to wait for
    QFile file(installer);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("package");
    file.close();
    ASSERT_TRUE(writeInstallerDigest(installer, fileSha256(installer)));
    const QString record = dir.path() + "/installed.txt";
    const QString script = dir.path() + "/install.sh";
    QFile scriptFile(script);
    ASSERT_TRUE(scriptFile.open(QIODevice::WriteOnly));
    scriptFile.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$1\")/installed.txt\"\n");
    scriptFile.close();
    scriptFile.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QProcess updater;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KEYSTAVES_INSTALL_COMMAND", script + " %f");
    environment.insert("KEYSTAVES_EDITOR_COMMAND", "/bin/true");
    updater.setProcessEnvironment(environment);
    const bool shortTail = installer.size() < 18;
    // A long temporary path gives the process-id form with id 0: no editor to wait for.
    updater.start(KS_UPDATER_BINARY, shortTail ? QStringList{installer} : QStringList{"0", installer});
    ASSERT_TRUE(updater.waitForFinished(20000));
    EXPECT_EQ(updater.exitCode(), 0) << updater.readAllStandardError().toStdString();
    QFile recorded(record);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(recorded.readAll()), installer);

    // The same file altered is refused and never reaches the installer.
    QFile::remove(record);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("tampered");
    file.close();
    updater.start(KS_UPDATER_BINARY, {"0", installer});
    ASSERT_TRUE(updater.waitForFinished(20000));
    EXPECT_NE(updater.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(record));
}

}  // namespace
}  // namespace ks
