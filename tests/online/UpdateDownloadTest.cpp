// The installer download against the reference site: the 6 MiB rule, the digest, cancel,
// a stalled server, and what is left in the Updates folder after each.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SiteServer.h"
#include "app/online/UpdateDownload.h"
#include "updater/InstallerDigest.h"

namespace ks {
namespace {

class UpdateDownloadTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(site.running()) << site.why().toStdString(); }

    DownloadRequest publish(const QByteArray& content, const QString& digest = {}) {
        site.put("downloadsv4/keystaves_4_2_19.deb", content);
        DownloadRequest request;
        request.address = site.base() + "downloadsv4/keystaves_4_2_19.deb";
        request.localPath = installerPath(folder.path(), "keystaves_4_2_19");
        request.sha256 = digest.isEmpty() ? test::sha256Hex(content) : digest;
        return request;
    }
    bool leftNothing() const { return QDir(folder.path()).isEmpty(); }

    test::SiteServer site;
    HttpsClient client{site.caFile()};
    QTemporaryDir folder;
};

TEST_F(UpdateDownloadTest, SixMebibytesSucceedsAndIsVerified) {
    const QByteArray content = test::patternBytes(UpdateDownload::kMinimumSize);
    const DownloadRequest request = publish(content);
    EXPECT_TRUE(request.localPath.endsWith("/keystaves_4_2_19.deb"));
    int64_t lastReceived = 0, lastExpected = 0;
    const DownloadOutcome outcome = UpdateDownload::run(
        client, request, [&](int64_t r, int64_t e) { lastReceived = r, lastExpected = e; }, nullptr);
    ASSERT_EQ(outcome, DownloadOutcome::Done);
    EXPECT_EQ(lastReceived, content.size());
    EXPECT_EQ(lastExpected, content.size());
    EXPECT_EQ(QFileInfo(request.localPath).size(), content.size());
    EXPECT_TRUE(installerVerified(request.localPath));
    // A file changed after the download no longer verifies.
    QFile file(request.localPath);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write("X");
    file.close();
    EXPECT_FALSE(installerVerified(request.localPath));
}

TEST_F(UpdateDownloadTest, OneByteShortFailsAndLeavesNothing) {
    const DownloadRequest request = publish(test::patternBytes(UpdateDownload::kMinimumSize - 1));
    EXPECT_EQ(UpdateDownload::run(client, request, {}, nullptr), DownloadOutcome::Failed);
    EXPECT_TRUE(leftNothing());
}

TEST_F(UpdateDownloadTest, DigestMismatchOrMissingFails) {
    const QByteArray content = test::patternBytes(UpdateDownload::kMinimumSize);
    EXPECT_EQ(UpdateDownload::run(client, publish(content, QString(64, '0')), {}, nullptr),
              DownloadOutcome::Failed);
    EXPECT_TRUE(leftNothing());
    DownloadRequest unpublished = publish(content);
    unpublished.sha256.clear();
    EXPECT_EQ(UpdateDownload::run(client, unpublished, {}, nullptr), DownloadOutcome::Failed);
    EXPECT_TRUE(leftNothing());
}

TEST_F(UpdateDownloadTest, MissingFileOnTheSiteFails) {
    DownloadRequest request = publish("x");
    request.address = site.base() + "downloadsv4/other.deb";
    EXPECT_EQ(UpdateDownload::run(client, request, {}, nullptr), DownloadOutcome::Failed);
    EXPECT_TRUE(leftNothing());
}

TEST_F(UpdateDownloadTest, CancelAndStallLeaveNothing) {
    const QByteArray content = test::patternBytes(UpdateDownload::kMinimumSize);
    DownloadRequest request = publish(content);
    site.put("downloadsv4/keystaves_4_2_19.deb.stall", "1000000");
    request.limits.stallSeconds = 1;
    EXPECT_EQ(UpdateDownload::run(client, request, {}, nullptr), DownloadOutcome::Failed);
    EXPECT_TRUE(leftNothing());

    request.limits.stallSeconds = 30;
    std::atomic<bool> cancel = false;
    EXPECT_EQ(UpdateDownload::run(client, request,
                                  [&](int64_t received, int64_t) { cancel = received > 500000; },
                                  &cancel),
              DownloadOutcome::Cancelled);
    EXPECT_TRUE(leftNothing());
}

TEST_F(UpdateDownloadTest, UnannouncedLengthStillDownloads) {
    const QByteArray content = test::patternBytes(UpdateDownload::kMinimumSize + 10);
    const DownloadRequest request = publish(content);
    site.put("downloadsv4/keystaves_4_2_19.deb.nolength", "");
    int64_t lastExpected = 0;
    EXPECT_EQ(UpdateDownload::run(client, request, [&](int64_t, int64_t e) { lastExpected = e; }, nullptr),
              DownloadOutcome::Done);
    EXPECT_EQ(lastExpected, -1);
}

TEST_F(UpdateDownloadTest, UnwritableFileIsReportedAsSuch) {
    DownloadRequest request = publish("x");
    request.localPath = folder.path() + "/missing-folder/keystaves.deb";
    EXPECT_EQ(UpdateDownload::run(client, request, {}, nullptr), DownloadOutcome::CannotOpenFile);
    EXPECT_TRUE(site.requests().isEmpty());
}

TEST(DownloadProgressText, RangeSizeAndPercent) {
    EXPECT_EQ(progressRange(6291456), 6291456);
    EXPECT_EQ(progressRange(0), 2147483647);
    EXPECT_EQ(progressRange(-1), 2147483647);
    EXPECT_EQ(progressSizeText(2048, 10240), "2 of 10k");
    EXPECT_EQ(progressPercentText(2048, 10240), "20%");
    EXPECT_EQ(progressPercentText(20480, 10240), "100%");
    EXPECT_EQ(progressPercentText(6291456, -1), "0%");  // no length: stays near 0
    EXPECT_EQ(installerPath("/u", "k_4_2_19"), "/u/k_4_2_19.deb");
    EXPECT_EQ(installerPath("/u", "k_4_2_19.deb"), "/u/k_4_2_19.deb");
}

}  // namespace
}  // namespace ks
