// The HTTPS client against the reference site: verified certificates only, https only,
// capped bodies, stalls and cancel.
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "SiteServer.h"
#include "app/online/HttpsClient.h"

namespace ks {
namespace {

class HttpsClientTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(site.running()) << site.why().toStdString(); }
    test::SiteServer site;
    HttpsClient client{site.caFile()};
};

TEST_F(HttpsClientTest, FetchesAPageOverVerifiedHttps) {
    site.put("latestversion", "hello");
    const TransferResult result = client.get(site.base() + "latestversion", TransferLimits{});
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "hello");
    EXPECT_EQ(result.expected, 5);
}

TEST_F(HttpsClientTest, RefusesAServerItCannotVerifyAndPlainAddresses) {
    // The system's authorities do not know the test authority.
    const TransferResult untrusted =
        HttpsClient(QString()).get(site.base() + "latestversion", TransferLimits{});
    EXPECT_FALSE(untrusted.ok);
    EXPECT_FALSE(untrusted.error.isEmpty());
    for (const QString& address : {QStringLiteral("http://127.0.0.1:%1/latestversion"),
                                   QStringLiteral("ftp://127.0.0.1:%1/latestversion"),
                                   QStringLiteral("https:///latestversion")}) {
        const TransferResult plain = client.get(address.arg(site.port()), TransferLimits{});
        EXPECT_FALSE(plain.ok) << address.toStdString();
    }
    EXPECT_TRUE(site.requests().isEmpty()) << site.requests().join(' ').toStdString();
}

TEST_F(HttpsClientTest, ErrorStatusFails) {
    const TransferResult result = client.get(site.base() + "nothing-here", TransferLimits{});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.status, 404);
    EXPECT_TRUE(result.body.isEmpty());
}

TEST_F(HttpsClientTest, CapsTheBodyWithAndWithoutAnnouncedLength) {
    TransferLimits limits;
    limits.maxBody = 64 * 1024;
    site.put("big", QByteArray(64 * 1024 + 1, 'x'));
    site.put("exact", QByteArray(64 * 1024, 'x'));
    site.put("unannounced", QByteArray(200 * 1024, 'x'));
    site.put("unannounced.nolength", "");
    EXPECT_TRUE(client.get(site.base() + "exact", limits).ok);
    for (const char* path : {"big", "unannounced"}) {
        const TransferResult result = client.get(site.base() + path, limits);
        EXPECT_FALSE(result.ok) << path;
        EXPECT_TRUE(result.tooLarge) << path;
        EXPECT_LE(result.received, limits.maxBody) << path;
    }
}

TEST_F(HttpsClientTest, AStalledServerTimesOut) {
    site.put("slow", QByteArray(10000, 'x'));
    site.put("slow.stall", "100");
    TransferLimits limits;
    limits.stallSeconds = 1;
    QElapsedTimer timer;
    timer.start();
    const TransferResult result = client.get(site.base() + "slow", limits);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.cancelled);
    EXPECT_LT(timer.elapsed(), 15000);
}

TEST_F(HttpsClientTest, CancelEndsAStalledTransfer) {
    site.put("slow", QByteArray(10000, 'x'));
    site.put("slow.stall", "100");
    std::atomic<bool> cancel = false;
    QElapsedTimer timer;
    timer.start();
    const TransferResult result = client.download(
        site.base() + "slow", TransferLimits{}, [](const char*, size_t) { return true; },
        [&](int64_t received, int64_t) { cancel = received >= 100; }, &cancel);
    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.ok);
    EXPECT_LT(timer.elapsed(), 10000);
}

TEST_F(HttpsClientTest, PostsContent) {
    const TransferResult result =
        client.post(site.base() + "upload?kind=mid&name=abcdefgh", "MThd",
                    QStringLiteral("application/octet-stream"), TransferLimits{});
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.body, "[Name](abcdefgh)");
    EXPECT_EQ(site.requests(), QStringList{"POST /upload?kind=mid&name=abcdefgh"});
}

}  // namespace
}  // namespace ks
