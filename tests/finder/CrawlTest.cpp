// The crawl over a generated tree: which files it finds and which it passes over (links,
// loops, hidden and unreadable folders, odd and undecodable names, mount points), the
// order of its folders, the states and their steps, and the details it reads.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

#include "app/finder/IndexCrawler.h"
#include "storage/AppPaths.h"
#include "tests/finder/FinderTree.h"

using namespace ks;
using namespace ks::test;

namespace {

DriveList drivesOf(std::vector<QString> roots, QSet<QString> mountPoints = {}) {
    return {std::move(roots), std::move(mountPoints)};
}

void crawl(CIndexCrawler& crawler) {
    crawler.setState(CIndexCrawler::kStart);
    while (!crawler.finished())
        crawler.Step();
    crawler.setState(CIndexCrawler::kDetails);
    while (!crawler.finished())
        crawler.Step();
}

// The files of the index relative to `root`, sorted.
QStringList filesBelow(const CFileIndex& index, const QString& root) {
    QStringList files;
    for (const CIndexedDrive& drive : index.drives)
        for (const CIndexedDirectory& directory : drive.directories)
            for (const CIndexedFile& file : directory.files)
                files.append(pathIn(directory.name, file.name).mid(root.size() + 1));
    files.sort();
    return files;
}

}  // namespace

TEST(FinderCrawl, FindsScoreFilesAndPassesOverLinksLoopsHiddenAndUnreadableFolders) {
    FinderTree tree;
    CFileIndex index;
    CIndexCrawler crawler(index, [&] { return drivesOf({tree.root}, {tree.mountPoint}); });
    bool lockedReadable = true;
    runWithoutReadOverride([&] {
        const int fd = ::open(QFile::encodeName(tree.locked).constData(), O_RDONLY | O_DIRECTORY);
        lockedReadable = fd >= 0;
        if (fd >= 0) ::close(fd);
        crawl(crawler);
    });
    ASSERT_FALSE(lockedReadable) << "the locked folder must be unreadable for the crawl";

    ASSERT_EQ(index.drives.size(), 1u);
    EXPECT_EQ(index.drives[0].name, tree.root);
    EXPECT_EQ(filesBelow(index, tree.root), FinderTree::expected());
    // Every folder appears once, breadth-first: no folder is deeper than a later one.
    int depth = 0;
    QSet<QString> seen;
    for (const CIndexedDirectory& directory : index.drives[0].directories) {
        EXPECT_FALSE(seen.contains(directory.name)) << directory.name.toStdString();
        seen.insert(directory.name);
        const int d = int(directory.name.count(u'/'));
        EXPECT_GE(d, depth) << directory.name.toStdString();
        depth = d;
    }
    EXPECT_GT(crawler.counters().detailed, 0);
}

TEST(FinderCrawl, NeverEntersAFolderTwiceOrADriveGivenTwice) {
    FinderTree tree;
    CFileIndex index;
    // The second drive lies inside the first, the third is the first through a link, the
    // fourth does not exist.
    CIndexCrawler crawler(index, [&] {
        return drivesOf(
            {tree.root, tree.root + "/sub", tree.root + "/sublink/..", tree.root + "/missing"});
    });
    crawl(crawler);
    QStringList all;
    for (const CIndexedDrive& drive : index.drives)
        for (const CIndexedDirectory& directory : drive.directories)
            for (const CIndexedFile& file : directory.files)
                all.append(pathIn(directory.name, file.name));
    const int count = int(all.size());
    all.removeDuplicates();
    EXPECT_EQ(all.size(), count);
    // The root once, and its "sub" folder as a drive of its own whose folders were all
    // visited under the root already.
    ASSERT_EQ(index.drives.size(), 2u);
    EXPECT_EQ(index.drives[1].name, tree.root + "/sub");
    EXPECT_TRUE(index.drives[1].directories.empty());
}

TEST(FinderCrawl, StatesAndSteps) {
    FinderTree tree;
    CFileIndex index;
    CIndexCrawler crawler(index, [&] { return drivesOf({tree.root}); });
    crawler.clock = [] { return int64_t(1700000000); };
    std::vector<int> states;
    crawler.setState(CIndexCrawler::kStart);
    crawler.Step();
    EXPECT_EQ(crawler.state(), CIndexCrawler::kListing);  // the drives are listed at once
    int steps = 0;
    while (crawler.state() == CIndexCrawler::kListing) {
        crawler.Step();
        ++steps;
    }
    EXPECT_GT(steps, 30);  // one entry per step
    EXPECT_EQ(crawler.state(), CIndexCrawler::kTidying);
    crawler.Step();
    EXPECT_EQ(crawler.state(), CIndexCrawler::kFinished);
    EXPECT_EQ(index.scanTime, 1700000000);
    crawler.Step();  // finished does nothing
    EXPECT_EQ(crawler.state(), CIndexCrawler::kFinished);

    // Details: one file per step, then finished.
    crawler.setState(CIndexCrawler::kDetails);
    const int files = index.fileCount();
    for (int i = 0; i < files; ++i)
        crawler.Step();
    EXPECT_EQ(crawler.counters().detailed, files);
    EXPECT_EQ(crawler.state(), CIndexCrawler::kDetails);
    crawler.Step();
    EXPECT_EQ(crawler.state(), CIndexCrawler::kFinished);

    crawler.setState(7);  // an unknown state starts again
    crawler.Step();
    EXPECT_EQ(crawler.state(), CIndexCrawler::kStart);
    crawler.setState(CIndexCrawler::kListingDrives);
    crawler.Step();
    EXPECT_EQ(crawler.state(), CIndexCrawler::kListingDrives);
}

TEST(FinderCrawl, DetailsHoldSizeAndTimesAndDropFilesGoneSinceTheListing) {
    QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    ASSERT_TRUE(makeFile(root + "/big.ksv", 5000));
    ASSERT_TRUE(makeFile(root + "/gone.ksv", 10));
    ASSERT_TRUE(makeFile(root + "/lonely/gone.tpm", 10));
    const QDateTime stamp(QDate(2024, 1, 15), QTime(12, 34, 56));
    {
        QFile f(root + "/big.ksv");
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        ASSERT_TRUE(f.setFileTime(stamp.addDays(1), QFileDevice::FileAccessTime));
    }
    CFileIndex index;
    CIndexCrawler crawler(index, [&] { return drivesOf({root}); });
    crawler.setState(CIndexCrawler::kStart);
    while (!crawler.finished())
        crawler.Step();
    ASSERT_EQ(index.fileCount(), 3);
    QFile::remove(root + "/gone.ksv");
    QFile::remove(root + "/lonely/gone.tpm");
    crawler.setState(CIndexCrawler::kDetails);
    while (!crawler.finished())
        crawler.Step();

    ASSERT_EQ(index.fileCount(), 1);
    ASSERT_EQ(index.drives[0].directories.size(), 1u);  // the emptied folder went too
    const CIndexedFile& file = index.drives[0].directories[0].files[0];
    EXPECT_EQ(file.name, "big.ksv");
    EXPECT_EQ(file.size, 5000);
    EXPECT_EQ(file.modified, (CFileTime{2024, 1, 15, 12, 34, 56}));
    EXPECT_EQ(file.accessed, (CFileTime{2024, 1, 16, 12, 34, 56}));
    EXPECT_FALSE(file.created.isEmpty());
}

TEST(FinderCrawl, ADriveWithoutScoreFilesKeepsOnlyItsDrive) {
    QTemporaryDir dir;
    ASSERT_TRUE(makeFile(dir.path() + "/a/b/c/readme.txt"));
    CFileIndex index;
    CIndexCrawler crawler(index, [&] { return drivesOf({dir.path()}); });
    crawler.setState(CIndexCrawler::kStart);
    while (!crawler.finished())
        crawler.Step();
    ASSERT_EQ(index.drives.size(), 1u);
    EXPECT_TRUE(index.drives[0].directories.empty());
    EXPECT_EQ(crawler.counters().folders, 4);
    EXPECT_EQ(crawler.counters().files, 1);
}

TEST(FinderCrawl, ScoreFileNames) {
    struct Case {
        const char* name;
        bool score;
    };
    for (const Case& c : std::initializer_list<Case>{{"a.ksv", true},
                                                     {"a.KSV", true},
                                                     {"a.tpm", true},
                                                     {"a.TPM", true},
                                                     {"a.Ksv", false},
                                                     {"a.kSv", false},
                                                     {"a.Tpm", false},
                                                     {"a.ksv.bak", false},
                                                     {"a.b.ksv", true},
                                                     {"ksv", false},
                                                     {"a.ksvx", false},
                                                     {".ksv", true}})
        EXPECT_EQ(isScoreFileName(QString::fromUtf8(c.name)), c.score) << c.name;
}
