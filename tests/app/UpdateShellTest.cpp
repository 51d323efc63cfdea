// The version check and the update download in the editor, against the reference site:
// the menu's and start-up's answers, the download dialog's endings, the hand-over to the
// updater, and web access switched off.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTest>

#include "SiteServer.h"
#include "app/CommandIds.h"
#include "app/DownloadDialog.h"
#include "app/MainFrame.h"
#include "app/OnlineTextIds.h"
#include "app/UpdateChecker.h"
#include "app/Version.h"
#include "model/TextTable.h"
#include "tests/app/ShellFixture.h"
#include "updater/InstallerDigest.h"
#include "updater/UpdaterCommand.h"

namespace ks {
namespace {

template <typename Condition>
bool waitFor(Condition condition, int ms = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < ms)
        QTest::qWait(20);
    return condition();
}

class UpdateShell : public test::Shell {
  protected:
    void SetUp() override {
        Shell::SetUp();
        ASSERT_TRUE(site.running()) << site.why().toStdString();
        qputenv("KEYSTAVES_CA_FILE", site.caFile().toLocal8Bit());
        programSettings()->setValue("SiteAddress", site.base());
    }
    void TearDown() override {
        Shell::TearDown();
        qunsetenv("KEYSTAVES_CA_FILE");
    }
    // Publishes an installer one build newer than the running program.
    QString publishNewer(qint64 size = UpdateDownload::kMinimumSize) {
        const QString name = QStringLiteral("keystaves_%1_%2_%3_amd64.deb")
                                 .arg(kVersionMajor)
                                 .arg(kVersionMinor)
                                 .arg(kVersionBuild + 1);
        const QByteArray content = test::patternBytes(size);
        site.put("downloadsv4/" + name, content);
        site.put("latestversion",
                 "<html><a href=/downloadsv4/" + name.toLatin1() +
                     ">Download</a> SHA-256: " + test::sha256Hex(content).toLatin1() + "</html>");
        return name;
    }
    // Runs the check and waits for its answer; whether it handed over to the updater.
    std::optional<bool> check(bool verbose) {
        std::optional<bool> handedOver;
        app->updates().finished = [&](bool over) { handedOver = over; };
        app->updates().startDetached = [this](const QString& program, const QStringList& args) {
            started << program << args;
            return true;
        };
        app->updates().closeEditor = [this] { ++closes; };
        if (verbose)
            app->runCommand(Cmd::CheckForUpdates);
        else
            app->updates().start(false);
        waitFor([&] { return handedOver.has_value(); });
        return handedOver;
    }

    test::SiteServer site;
    QStringList started;
    int closes = 0;
};

TEST_F(UpdateShell, MenuCheckSaysUpToDateAndStartUpCheckSaysNothing) {
    start();
    EXPECT_EQ(check(true), false);
    EXPECT_EQ(count(OnlineText::LatestVersion), 1);
    EXPECT_EQ(check(false), false);
    EXPECT_EQ(count(OnlineText::LatestVersion), 1);
    EXPECT_TRUE(ui.statuses.contains(text(OnlineText::CheckingVersion)));
    EXPECT_EQ(site.requests(), QStringList(2, "GET /latestversion"));
}

TEST_F(UpdateShell, StartUpCheckRunsWithoutDelayingStartUp) {
    publishNewer();
    site.put("latestversion.stall", "0");  // the site never finishes its answer
    versionCheckAtStart = true;
    QElapsedTimer timer;
    timer.start();
    start();
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(app->updates().running());
    EXPECT_TRUE(ui.questions.empty());
    app.reset();  // ends the waiting check without an answer
}

TEST_F(UpdateShell, NewVersionDeclinedDownloadsNothing) {
    publishNewer();
    start();
    ui.answers = {false};
    EXPECT_EQ(check(true), false);
    EXPECT_EQ(ui.questions, std::vector<int>{OnlineText::NewVersionQuestion});
    EXPECT_EQ(site.requests(), QStringList{"GET /latestversion"});
}

TEST_F(UpdateShell, AcceptedUpdateIsDownloadedVerifiedAndHandedToTheUpdater) {
    const QString name = publishNewer();
    start();
    ui.answers = {true};
    EXPECT_EQ(check(false), true);
    EXPECT_EQ(count(OnlineText::WillClose), 1);
    EXPECT_EQ(closes, 1);
    ASSERT_EQ(started.size(), 3);
    EXPECT_EQ(started[0], updaterProgram());
    EXPECT_EQ(started[1], QString::number(QCoreApplication::applicationPid()));
    EXPECT_EQ(QFileInfo(started[2]).fileName(), name);
    EXPECT_TRUE(installerVerified(started[2]));
    EXPECT_EQ(parseUpdaterCommand(started.mid(1).join(' ')).installerPath, started[2]);
}

TEST_F(UpdateShell, WebAccessOffReachesNothing) {
    publishNewer();
    programSettings()->setValue("EnableWeb", 0);
    versionCheckAtStart = true;
    start();
    EXPECT_EQ(check(true), false);
    EXPECT_EQ(count(OnlineText::LatestVersion), 1);
    CDownloadDialog dialog(
        {site.base() + "downloadsv4/x.deb", tempFile("x.deb"), QString(64, 'a')});
    dialog.startDownload();
    EXPECT_EQ(dialog.sizeText(), text(OnlineText::InternetDisabled));
    QTest::qWait(200);
    EXPECT_TRUE(site.requests().isEmpty()) << site.requests().join(' ').toStdString();
    // Nor are the site's pages opened in the browser.
    app->frame()->updateCommandStates();
    for (int id : {Cmd::VisitWebsite, Cmd::Feedback, Cmd::Library})
        EXPECT_FALSE(app->frame()->routeCommand(id)) << id;
}

class DownloadDialogTest : public UpdateShell {};

TEST_F(DownloadDialogTest, ShortDownloadShowsTheErrorAndStaysOpen) {
    site.put("downloadsv4/k.deb", test::patternBytes(UpdateDownload::kMinimumSize - 1));
    const QString path = tempFile("k.deb");
    CDownloadDialog dialog({site.base() + "downloadsv4/k.deb", path,
                            test::sha256Hex(test::patternBytes(UpdateDownload::kMinimumSize - 1))});
    dialog.show();
    ASSERT_TRUE(waitFor([&] { return dialog.sizeText() == text(OnlineText::DownloadError); }));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.percentText().isEmpty());
    EXPECT_EQ(dialog.fileText(), "k.deb");
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(DownloadDialogTest, ProgressLabelsAndCancel) {
    site.put("downloadsv4/k.deb", test::patternBytes(UpdateDownload::kMinimumSize));
    site.put("downloadsv4/k.deb.stall", "3000000");
    const QString path = tempFile("k.deb");
    CDownloadDialog dialog({site.base() + "downloadsv4/k.deb", path, QString(64, 'a')});
    dialog.show();
    ASSERT_TRUE(waitFor([&] { return dialog.progressValue() == 3000000; }));
    EXPECT_EQ(dialog.progressMaximum(), UpdateDownload::kMinimumSize);
    EXPECT_EQ(dialog.sizeText(), "2929 of 6144k");
    EXPECT_EQ(dialog.percentText(), "47%");
    dialog.reject();
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_TRUE(waitFor([&] { return !dialog.busy(); }, 10000));
    EXPECT_FALSE(QFileInfo::exists(path));
}

}  // namespace
}  // namespace ks
