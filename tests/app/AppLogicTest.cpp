// Rules of the shell without widgets: the Open dialog's filter, the feedback prompt's
// timing, zoom validation and scroll sizes, the predecessor's settings, recent files,
// the command line.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "app/FeedbackTiming.h"
#include "app/OpenFilter.h"
#include "app/ZoomRules.h"

using namespace ks;

namespace {

struct FilterCase {
    std::optional<QString> lastFileType;
    int index;
    QString extension;
};

TEST(OpenFilter, InitialFilterFollowsLastFileType) {
    const FilterCase cases[] = {
        {std::nullopt, 1, "ksv"}, {"all", 4, ""},    {"music", 1, ""},  {"ksv", 2, "ksv"},
        {"tpm", 2, "tpm"},        {"mid", 3, "mid"}, {"smf", 3, "smf"}, {"xml", 1, "ksv"},
        {"", 1, "ksv"},           {"KSV", 1, "ksv"},  // the stored value is compared as it stands
    };
    for (const FilterCase& c : cases) {
        const OpenFilterChoice choice = openFilterFor(c.lastFileType);
        EXPECT_EQ(choice.filterIndex, c.index) << c.lastFileType.value_or("(absent)").toStdString();
        EXPECT_EQ(choice.defaultExtension, c.extension)
            << c.lastFileType.value_or("(absent)").toStdString();
    }
}

TEST(OpenFilter, LastFileTypeAfterOpening) {
    EXPECT_EQ(lastFileTypeAfterOpen(2, "/a/b/song.tpm"), "tpm");
    EXPECT_EQ(lastFileTypeAfterOpen(2, "/a/b/song.ksv"), "ksv");
    EXPECT_EQ(lastFileTypeAfterOpen(3, "/a/b/tune.smf"), "smf");
    EXPECT_EQ(lastFileTypeAfterOpen(4, "/a/b/tune.mid"), "all");
    EXPECT_EQ(lastFileTypeAfterOpen(1, "/a/b/tune.mid"), "music");
    // What was stored opens the dialog on the same entry next time.
    EXPECT_EQ(openFilterFor(lastFileTypeAfterOpen(3, "x.mid")).filterIndex, 3);
    EXPECT_EQ(openFilterFor(lastFileTypeAfterOpen(4, "x.mid")).filterIndex, 4);
}

TEST(OpenFilter, FilterTextSplitsIntoEntries) {
    const QList<FilterEntry> entries = parseFilterText(
        "All Music Files (*.ksv, *.mid, *.smf)|*.ksv; *.mid; *.smf|Keystaves Files "
        "(*.ksv)|*.ksv|Standard MIDI Files (*.mid, *.smf)|*.mid; *.smf|All Files (*.*)|*.*||");
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[0].patterns, QStringList({"*.ksv", "*.mid", "*.smf"}));
    EXPECT_EQ(entries[2].description, "Standard MIDI Files (*.mid, *.smf)");
    EXPECT_EQ(entries[3].patterns, QStringList({"*.*"}));
    EXPECT_EQ(entries[0].suffix(), "ksv");
    EXPECT_EQ(entries[2].suffix(), "mid");
    EXPECT_EQ(entries[3].suffix(), "");  // "*.*" leaves the name as typed
    EXPECT_EQ((FilterEntry{"Odd", {"piece*"}}).suffix(), "");
    EXPECT_TRUE(parseFilterText("").isEmpty());
    EXPECT_TRUE(parseFilterText("dangling").isEmpty());
}

TEST(FeedbackTiming, PromptsOnlyAfterSixtyDays) {
    const int64_t now = 1'700'000'000;
    EXPECT_EQ(feedbackDecision(std::nullopt, now), (FeedbackDecision{false, true}));
    EXPECT_EQ(feedbackDecision(now, now), (FeedbackDecision{false, true}));
    EXPECT_EQ(feedbackDecision(now + 1000, now), (FeedbackDecision{false, true}));
    EXPECT_EQ(feedbackDecision(now - 10, now), (FeedbackDecision{false, false}));
    EXPECT_EQ(feedbackDecision(now - kFeedbackInterval, now), (FeedbackDecision{false, false}));
    EXPECT_EQ(feedbackDecision(now - kFeedbackInterval - 1, now), (FeedbackDecision{true, true}));
}

TEST(FeedbackTiming, FutureTimeIsReplacedThenCountsSixtyDaysFromThen) {
    const int64_t start = 1'700'000'000;
    const FeedbackDecision first = feedbackDecision(start + 100 * 86400, start);
    ASSERT_TRUE(first.storeNow);
    EXPECT_FALSE(first.prompt);
    EXPECT_FALSE(feedbackDecision(start, start + 59 * 86400).prompt);
    EXPECT_TRUE(feedbackDecision(start, start + 61 * 86400).prompt);
}

TEST(Zoom, CustomZoomAcceptsTenToThousand) {
    EXPECT_EQ(validCustomZoom("10"), 10);
    EXPECT_EQ(validCustomZoom("1000"), 1000);
    EXPECT_EQ(validCustomZoom(" 250 "), 250);
    for (const char* bad : {"9", "1001", "0", "-50", "", "abc", "12.5", "99999999999"})
        EXPECT_FALSE(validCustomZoom(bad).has_value()) << bad;
}

TEST(Zoom, ScrollSizeIsThePageAtTheZoom) {
    PageGeometry a4;
    a4.width = 8268;
    a4.height = 11693;
    EXPECT_EQ(pageScrollSize(a4, 100), QSize(826, 1169));
    EXPECT_EQ(pageScrollSize(a4, 50), QSize(413, 584));
    EXPECT_EQ(pageScrollSize(a4, 1000), QSize(8268, 11693));
    EXPECT_EQ(zoomForPageWidth(826, a4), 99);  // 826 * 1000 / 8268, rounded down
    EXPECT_EQ(zoomForFullPage(1169, a4), 99);
    EXPECT_EQ(zoomForPageWidth(100000, a4), kMaxZoom);  // kept in the range the view shows
    EXPECT_EQ(zoomForPageWidth(0, a4), kMinZoom);
    PageGeometry empty;
    EXPECT_EQ(zoomForPageWidth(800, empty), 100);
}

class SettingsFiles : public ::testing::Test {
  protected:
    std::unique_ptr<QSettings> ini(const QString& name) {
        return std::make_unique<QSettings>(dir.filePath(name), QSettings::IniFormat);
    }
    QTemporaryDir dir;
};

TEST_F(SettingsFiles, PredecessorValuesAreTakenOverOnceAndDeleted) {
    auto old = ini("old.ini");
    old->setValue("ShowHelp", "true");
    old->setValue("EnableWeb", "false");
    old->setValue("LastFileType", "tpm");
    old->setValue("Password", "secret");
    old->setValue("URL", "ftp://x");
    auto ours = ini("ours.ini");
    EXPECT_TRUE(takeOverPredecessorSettings(*old, *ours));
    EXPECT_EQ(ours->value("ShowHelp").toString(), "true");
    EXPECT_EQ(ours->value("EnableWeb").toInt(), 0);
    EXPECT_EQ(ours->value("LastFileType").toString(), "tpm");
    EXPECT_FALSE(ours->contains("DownloadPath"));  // the predecessor had none
    EXPECT_TRUE(old->allKeys().isEmpty());
    // The second start finds nothing to take.
    ours->setValue("LastFileType", "mid");
    EXPECT_FALSE(takeOverPredecessorSettings(*old, *ours));
    EXPECT_EQ(ours->value("LastFileType").toString(), "mid");
}

TEST_F(SettingsFiles, PredecessorWithOnlyAFolderKeepsOurSwitches) {
    auto old = ini("old.ini");
    old->setValue("DownloadPath", "/home/me/scores");
    auto ours = ini("ours.ini");
    EXPECT_TRUE(takeOverPredecessorSettings(*old, *ours));
    EXPECT_EQ(ours->value("DownloadPath").toString(), "/home/me/scores");
    EXPECT_FALSE(ours->contains("EnableWeb"));
    EXPECT_TRUE(readFlag(*ours, SettingKey::EnableWeb, true));
}

TEST_F(SettingsFiles, RecentFilesKeepEightMostRecentFirst) {
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i)
        recent.add(dir.filePath(QString("f%1.ksv").arg(i)));
    recent.add(dir.filePath("f5.ksv"));
    ASSERT_EQ(recent.paths().size(), RecentFiles::kMax);
    EXPECT_TRUE(recent.paths()[0].endsWith("f5.ksv"));
    EXPECT_TRUE(recent.paths()[1].endsWith("f10.ksv"));
    EXPECT_EQ(recent.paths().count(recent.paths()[0]), 1);
    auto profile = ini("profile.ini");
    recent.save(*profile);
    EXPECT_TRUE(profile->contains("Recent File List/File8"));
    EXPECT_FALSE(profile->contains("Recent File List/File9"));
    RecentFiles loaded;
    loaded.load(*profile);
    EXPECT_EQ(loaded.paths(), recent.paths());
}

TEST_F(SettingsFiles, SitePagesHangOffTheBaseAddress) {
    auto settings = ini("site.ini");
    EXPECT_EQ(sitePage(*settings, "page/library"), QString(kDefaultSiteAddress) + "page/library");
    settings->setValue("SiteAddress", "https://mirror.example");
    EXPECT_EQ(sitePage(*settings, "page/givefeedback"), "https://mirror.example/page/givefeedback");
}

TEST(CommandLine, FileAndOptions) {
    EXPECT_EQ(parseCommandLine({"song.ksv"}).file, "song.ksv");
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
    EXPECT_TRUE(parseCommandLine({"-v"}).version);
    EXPECT_EQ(parseCommandLine({"--frobnicate", "a.ksv"}).unknown, "--frobnicate");
    EXPECT_EQ(parseCommandLine({"--", "-odd-name.ksv"}).file, "-odd-name.ksv");
    EXPECT_TRUE(parseCommandLine({}).file.isEmpty());
}

}  // namespace
