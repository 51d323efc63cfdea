// The index file: written and read back, the drive of an empty drive, the time format,
// and files that must not load (missing, cut short, not an index, too large) or entries
// that are dropped (not score files, files that no longer exist).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/finder/IndexFile.h"
#include "tests/finder/FinderTree.h"

using namespace ks;
using namespace ks::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

CFileIndex sampleIndex() {
    CFileIndex index;
    index.scanTime = CFileTime{2026, 3, 4, 5, 6, 7}.toSeconds();
    CIndexedFile odd{QString::fromUtf8("Ünïcødé & <b> \"q\" 'a' ´`—.ksv"),
                     {2020, 1, 2, 3, 4, 5},
                     {2021, 6, 7, 8, 9, 10},
                     {2022, 11, 12, 13, 14, 15},
                     int64_t(5) << 32};
    CIndexedFile plain{"plain.TPM", {2019, 12, 31, 23, 59, 59}, {}, {2019, 12, 31, 23, 59, 58}, 0};
    CIndexedFile lines{"two\nlines\tand tab.ksv", {}, {}, {2001, 2, 3, 4, 5, 6}, 77};
    CIndexedFile entities{"&lt;not an entity&gt; &amp;amp; &#10; &#96.ksv", {}, {}, {}, 1};
    index.drives.push_back({"/home/ann",
                            {{"/home/ann/Music & Co", {odd, plain}},
                             {QString::fromUtf8("/home/ann/日本語"), {lines, entities}}}});
    index.drives.push_back({"/srv", {}});
    return index;
}

void expectSame(const CFileIndex& a, const CFileIndex& b) {
    EXPECT_EQ(a.scanTime, b.scanTime);
    ASSERT_EQ(a.drives.size(), b.drives.size());
    for (size_t d = 0; d < a.drives.size(); ++d) {
        EXPECT_EQ(a.drives[d].name, b.drives[d].name);
        ASSERT_EQ(a.drives[d].directories.size(), b.drives[d].directories.size());
        for (size_t k = 0; k < a.drives[d].directories.size(); ++k) {
            const CIndexedDirectory& x = a.drives[d].directories[k];
            const CIndexedDirectory& y = b.drives[d].directories[k];
            EXPECT_EQ(x.name, y.name);
            ASSERT_EQ(x.files.size(), y.files.size());
            for (size_t f = 0; f < x.files.size(); ++f) {
                EXPECT_EQ(x.files[f].name, y.files[f].name);
                EXPECT_EQ(x.files[f].size, y.files[f].size);
                EXPECT_EQ(x.files[f].created, y.files[f].created);
                EXPECT_EQ(x.files[f].accessed, y.files[f].accessed);
                EXPECT_EQ(x.files[f].modified, y.files[f].modified);
            }
        }
    }
}

}  // namespace

TEST(FinderIndexFile, WrittenAndReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("data/Keystave.files");  // the folder is made
    const CFileIndex index = sampleIndex();
    ASSERT_TRUE(saveIndexFile(path, index));
    CFileIndex read;
    ASSERT_TRUE(loadIndexFile(path, read));
    expectSame(read, index);

    const QByteArray bytes = readAll(path);
    EXPECT_TRUE(bytes.startsWith("<indexer updated=\"2026.03.04.05.06.07\">\n")) << bytes.data();
    // The drive without score files is only its drive element.
    EXPECT_TRUE(bytes.contains("<drive name=\"/srv\" />")) << bytes.data();
    EXPECT_TRUE(
        bytes.contains("created=\"2020.01.02.03.04.05\" accessed=\"2021.06.07.08.09.10\" "
                       "modified=\"2022.11.12.13.14.15\""))
        << bytes.data();
    EXPECT_TRUE(bytes.trimmed().endsWith("</indexer>"));
}

TEST(FinderIndexFile, TimeTexts) {
    EXPECT_EQ(indexTimeText({2026, 12, 1, 9, 5, 0}), "2026.12.01.09.05.00");
    EXPECT_EQ(parseIndexTime("2026.12.01.09.05.00"), (CFileTime{2026, 12, 1, 9, 5, 0}));
    EXPECT_EQ(parseIndexTime("2026.1.2.3.4.5"), (CFileTime{2026, 1, 2, 3, 4, 5}));
    for (const char* bad : {"", "2026.12.01", "yesterday", "2026.13.01.00.00.00",
                            "2026.12.01.25.00.00", "0.0.0.0.0.0"})
        EXPECT_TRUE(parseIndexTime(bad).isEmpty()) << bad;
}

TEST(FinderIndexFile, FilesThatDoNotLoad) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.files");
    ASSERT_TRUE(saveIndexFile(good, sampleIndex()));
    const QByteArray bytes = readAll(good);
    CFileIndex index;
    EXPECT_FALSE(loadIndexFile(dir.filePath("missing.files"), index));
    EXPECT_FALSE(loadIndexFile(dir.path(), index));  // a folder

    // Cut short anywhere: never loads, never crashes.
    const QString cut = dir.filePath("cut.files");
    for (qsizetype n = 0; n + 12 < bytes.size(); n += 7) {
        writeAll(cut, bytes.left(n));
        EXPECT_FALSE(loadIndexFile(cut, index)) << n;
        EXPECT_TRUE(index.drives.empty());
    }
    const struct {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"another root", "<score updated=\"2026.01.01.00.00.00\"></score>"},
        {"no scan time", "<indexer><drive name=\"/x\" /></indexer>"},
        {"a bad scan time", "<indexer updated=\"soon\"></indexer>"},
        {"binary", QByteArray("\x00\x01\x02<<<>>>\xff", 11)},
    };
    const QString other = dir.filePath("other.files");
    for (const auto& c : cases) {
        writeAll(other, c.text);
        EXPECT_FALSE(loadIndexFile(other, index)) << c.what;
    }

    // Larger than any index the finder would read: refused before reading.
    const QString huge = dir.filePath("huge.files");
    writeAll(huge, bytes);
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.resize(kMaxIndexFileSize + 1));  // sparse: costs no disk
    }
    EXPECT_FALSE(loadIndexFile(huge, index));
}

TEST(FinderIndexFile, HandEditedEntriesThatCannotNameAScoreFileAreLeftOut) {
    QTemporaryDir dir;
    const QString path = dir.filePath("edited.files");
    writeAll(path,
             "<?xml version=\"1.0\"?>\n<!-- edited -->\n"
             "<indexer updated=\"2026.01.02.03.04.05\">\n"
             " <file name=\"outside.ksv\" />\n"
             " <drive name=\"/d\">\n"
             "  <directory name=\"relative/folder\"><file name=\"r.ksv\" /></directory>\n"
             "  <directory name=\"/d/m\">\n"
             "   <file name=\"ok.ksv\" size=\"12\" modified=\"2025.05.06.07.08.09\"></file>\n"
             "   <file name=\"../../etc/passwd\" />\n"
             "   <file name=\"notes.txt\" />\n"
             "   <file name=\"sub/x.ksv\" />\n"
             "   <file size=\"3\" />\n"
             "   <file name=\"neg.KSV\" size=\"-5\" created=\"garbage\" />\n"
             "   <unknown thing=\"1\" />\n"
             "  </directory>\n"
             "  <directory name=\"/d/empty\"></directory>\n"
             " </drive>\n"
             "</indexer>\n");
    CFileIndex index;
    ASSERT_TRUE(loadIndexFile(path, index));
    EXPECT_EQ(index.scanTime, (CFileTime{2026, 1, 2, 3, 4, 5}.toSeconds()));
    ASSERT_EQ(index.drives.size(), 1u);
    ASSERT_EQ(index.drives[0].directories.size(), 1u);
    const CIndexedDirectory& folder = index.drives[0].directories[0];
    EXPECT_EQ(folder.name, "/d/m");
    ASSERT_EQ(folder.files.size(), 2u);
    EXPECT_EQ(folder.files[0].name, "ok.ksv");
    EXPECT_EQ(folder.files[0].size, 12);
    EXPECT_EQ(folder.files[0].modified, (CFileTime{2025, 5, 6, 7, 8, 9}));
    EXPECT_EQ(folder.files[1].name, "neg.KSV");
    EXPECT_EQ(folder.files[1].size, 0);
    EXPECT_TRUE(folder.files[1].created.isEmpty());
}

TEST(FinderIndexFile, FilesThatNoLongerExistAreDropped) {
    QTemporaryDir dir;
    ASSERT_TRUE(makeFile(dir.filePath("here.ksv")));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ksv"));  // a folder, not a score file
    CFileIndex index;
    index.drives.push_back({dir.path(),
                            {{dir.path(), {{"here.ksv"}, {"gone.ksv"}, {"folder.ksv"}}},
                             {dir.filePath("vanished"), {{"a.ksv"}}}}});
    // A name read from a file in another encoding decodes to text naming no file.
    index.drives[0].directories[0].files.push_back({QString::fromLatin1("caf\xe9.ksv")});
    EXPECT_EQ(dropMissingFiles(index), 4);
    ASSERT_EQ(index.drives[0].directories.size(), 1u);
    ASSERT_EQ(index.drives[0].directories[0].files.size(), 1u);
    EXPECT_EQ(index.drives[0].directories[0].files[0].name, "here.ksv");
}

TEST(FinderIndexFile, AnOverlongPathIsLeftOutRatherThanFailingTheSave) {
    QTemporaryDir dir;
    CFileIndex index = sampleIndex();
    index.drives[0].directories.push_back({"/" + QString(5000, u'x'), {{"long.ksv"}}});
    const QString path = dir.filePath("Keystave.files");
    ASSERT_TRUE(saveIndexFile(path, index));
    CFileIndex read;
    ASSERT_TRUE(loadIndexFile(path, read));
    expectSame(read, sampleIndex());
}
