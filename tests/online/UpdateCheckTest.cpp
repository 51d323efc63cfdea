// The version page: which installer it names, the version in the name, the digest, and
// the verdict against the running version.
#include <gtest/gtest.h>

#include "SiteServer.h"
#include "app/online/UpdateCheck.h"

namespace ks {
namespace {

const QByteArray kDigest(64, 'a');

QByteArray link(const QByteArray& name) {
    return "<a href=/downloadsv4/" + name + ">Download</a> SHA-256: " + kDigest + "\n";
}

TEST(VersionPage, NamesTheLastInstallerAndItsVersion) {
    struct Case {
        QByteArray page;
        bool found;
        QString name;
        int major, minor, build;
    } cases[] = {
        {link("keystaves_4_2_19_amd64.deb"), true, "keystaves_4_2_19_amd64.deb", 4, 2, 19},
        {link("keystaves_4_1_0.deb") + link("keystaves_4_3_2.deb"), true, "keystaves_4_3_2.deb", 4, 3, 2},
        {link("keystaves_5.deb"), true, "keystaves_5.deb", 5, 0, 0},  // fields not read stay 0
        {link("keystaves.deb"), true, "keystaves.deb", 0, 0, 0},
        {"<html>no release</html>", false, "", 0, 0, 0},
        {"<a href=/downloadsv4/keystaves_9_9_9.deb", false, "", 0, 0, 0},  // no ">"
        {link("../keystaves_9_9_9.deb"), false, "", 0, 0, 0},
        {link("sub/keystaves_9_9_9.deb"), false, "", 0, 0, 0},
        {link("sub\\keystaves_9_9_9.deb"), false, "", 0, 0, 0},
        {link("keystaves\x01_9_9_9.deb"), false, "", 0, 0, 0},
        {link(QByteArray(252, 'k') + ".deb"), false, "", 0, 0, 0},  // 256 bytes
        {link(QByteArray(251, 'k') + ".deb"), true, QString(251, 'k') + ".deb", 0, 0, 0},
        {"", false, "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        const VersionPageInfo info = parseVersionPage(c.page);
        SCOPED_TRACE(c.page.left(80).toStdString());
        EXPECT_EQ(info.found, c.found);
        EXPECT_EQ(info.fileName, c.name);
        EXPECT_EQ(info.major, c.major);
        EXPECT_EQ(info.minor, c.minor);
        EXPECT_EQ(info.build, c.build);
        if (c.found) {
            EXPECT_EQ(info.sha256, QString::fromLatin1(kDigest));
        }
    }
}

TEST(VersionPage, DigestMustFollowTheLinkAndBeComplete) {
    EXPECT_EQ(parseVersionPage("SHA-256: " + kDigest + link("k_1_0_0.deb").replace(kDigest, "")).sha256, "");
    EXPECT_EQ(parseVersionPage("<a href=/downloadsv4/k_1_0_0.deb>x</a> SHA-256: abc").sha256, "");
    EXPECT_EQ(parseVersionPage("<a href=/downloadsv4/k_1_0_0.deb>x</a> SHA-256:" +
                               QByteArray(64, 'F')).sha256,
              QString(64, 'f'));
}

TEST(VersionPage, PackedVersionsCompareAsThreeNumbers) {
    EXPECT_EQ(packVersion(4, 2, 18), 4 * 65536 + 2 * 256 + 18);
    EXPECT_LT(packVersion(4, 2, 18), packVersion(4, 2, 19));
    EXPECT_LT(packVersion(4, 2, 255), packVersion(4, 3, 0));
    EXPECT_LT(packVersion(3, 255, 255), packVersion(4, 0, 0));
}

class UpdateCheckTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(site.running()) << site.why().toStdString(); }
    test::SiteServer site;
    HttpsClient client{site.caFile()};
};

TEST_F(UpdateCheckTest, NewVersionAgainstOlderRunningVersionOnly) {
    site.put("latestversion", "<html>" + link("keystaves_4_2_19_amd64.deb") + "</html>");
    const UpdateCheckResult older = checkLatestVersion(client, site.base(), packVersion(4, 2, 18));
    EXPECT_TRUE(older.newVersion) << older.error.toStdString();
    EXPECT_EQ(older.page.fileName, "keystaves_4_2_19_amd64.deb");
    EXPECT_FALSE(checkLatestVersion(client, site.base(), packVersion(4, 2, 19)).newVersion);
    EXPECT_FALSE(checkLatestVersion(client, site.base(), packVersion(5, 0, 0)).newVersion);
    EXPECT_EQ(site.requests().first(), "GET /latestversion");
}

TEST_F(UpdateCheckTest, UnusablePagesCountAsUpToDate) {
    const int running = packVersion(4, 0, 0);
    // No page published: the site's own default page names no release.
    EXPECT_FALSE(checkLatestVersion(client, site.base(), running).newVersion);
    site.put("latestversion", "");
    EXPECT_FALSE(checkLatestVersion(client, site.base(), running).newVersion);
    site.put("latestversion", "<a href=/downloadsv4/keystaves_9_0_0.deb>no digest</a>");
    EXPECT_FALSE(checkLatestVersion(client, site.base(), running).newVersion);
    // A page past the version page's cap is a faulty answer.
    site.put("latestversion", link("keystaves_9_0_0.deb") + QByteArray(64 * 1024, ' '));
    const UpdateCheckResult big = checkLatestVersion(client, site.base(), running);
    EXPECT_FALSE(big.newVersion);
    EXPECT_FALSE(big.error.isEmpty());
    // A site that does not answer at all.
    const UpdateCheckResult none =
        checkLatestVersion(client, QStringLiteral("https://127.0.0.1:1/"), running);
    EXPECT_FALSE(none.newVersion);
    EXPECT_FALSE(none.error.isEmpty());
}

}  // namespace
}  // namespace ks
