// The zip layer: members in and out by name, replacement, and refusal of what is
// missing, broken or too large.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "MarkupTestUtil.h"
#include "ZipFixtures.h"
#include "storage/NZip.h"

using namespace ks;
using namespace ks::test;

namespace {

class NZipTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString file(const QString& name, const QByteArray& content) const {
        const QString p = path(name);
        writeBytes(p, content);
        return p;
    }
    QByteArray unzipped(const QString& archive, const QString& member) const {
        const QString out = path(QStringLiteral("out.bin"));
        QFile::remove(out);
        if (n_unzip(archive, out, member) != 1) return QByteArrayLiteral("<failed>");
        return readBytes(out);
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(NZipTest, MembersGoInAndComeOutByNameInTheOrderAdded) {
    const QString zip = path(QStringLiteral("a.zip"));
    QByteArray big(300000, 'x');
    for (int i = 0; i < big.size(); i += 7)
        big[i] = char('a' + i % 26);
    ASSERT_NE(n_zip(file(QStringLiteral("1"), "first"), zip, QStringLiteral("tonePad.xml")), 0);
    ASSERT_NE(n_zip(file(QStringLiteral("2"), big), zip, QStringLiteral("keystaves.xml")), 0);
    ASSERT_NE(n_zip(file(QStringLiteral("3"), QByteArray()), zip, QStringLiteral("tonePad.gfx")),
              0);
    EXPECT_EQ(unzipped(zip, QStringLiteral("tonePad.xml")), "first");
    EXPECT_EQ(unzipped(zip, QStringLiteral("keystaves.xml")), big);
    EXPECT_EQ(unzipped(zip, QStringLiteral("tonePad.gfx")), QByteArray());

    // A member written again replaces the old one and keeps its place.
    ASSERT_NE(n_zip(file(QStringLiteral("1"), "second"), zip, QStringLiteral("tonePad.xml")), 0);
    EXPECT_EQ(unzipped(zip, QStringLiteral("tonePad.xml")), "second");
    const QByteArray bytes = readBytes(zip);
    const qsizetype stub = bytes.indexOf("tonePad.xml");
    const qsizetype doc = bytes.indexOf("keystaves.xml");
    const qsizetype gfx = bytes.indexOf("tonePad.gfx");
    EXPECT_TRUE(stub >= 0 && stub < doc && doc < gfx);
    EXPECT_EQ(bytes.count("tonePad.xml"), 2);  // one local header, one directory entry
}

TEST_F(NZipTest, FailuresReturnOtherValuesAndLeaveNoDestination) {
    const QString zip = path(QStringLiteral("a.zip"));
    ASSERT_TRUE(makeZip(zip, {{"dir/keystaves.xml", "<keystaves/>"},
                              {"../tonePad.gfx", "1234"},
                              {"Keystaves.xml", "case"}}));
    const QString notZip = file(QStringLiteral("song.mid"), "MThd\0\0\0\x06\0\0\0\x01\0\x60");
    const QString out = path(QStringLiteral("out.bin"));
    struct Case {
        QString archive, member;
    } cases[] = {
        {zip, QStringLiteral("keystaves.xml")},  // only under a folder or in another case
        {zip, QStringLiteral("tonePad.gfx")},
        {notZip, QStringLiteral("keystaves.xml")},
        {path(QStringLiteral("missing.zip")), QStringLiteral("keystaves.xml")},
        {path(QString()), QStringLiteral("keystaves.xml")},  // a folder
        {zip, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(n_unzip(c.archive, out, c.member), kUnzipMissing) << c.archive.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    // Member names with paths are never used to place files.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_FALSE(
        QFile::exists(QFileInfo(dir.path()).dir().filePath(QStringLiteral("tonePad.gfx"))));
    // Zipping needs a source file.
    EXPECT_EQ(
        n_zip(path(QStringLiteral("none")), path(QStringLiteral("b.zip")), QStringLiteral("x")), 0);
    EXPECT_EQ(n_zip(notZip, notZip, QStringLiteral("x")), 0);  // not an archive to add to
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("b.zip"))));
}

TEST_F(NZipTest, CorruptMemberIsRefused) {
    const QString zip = path(QStringLiteral("a.zip"));
    QByteArray noise(5000, '\0');
    quint32 seed = 12345;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }
    ASSERT_TRUE(makeZip(zip, {{"keystaves.xml", noise}}));
    QByteArray bytes = readBytes(zip);
    // Noise does not compress, so the middle of the archive is the member's data.
    const qsizetype middle = bytes.size() / 2;
    bytes[middle] = char(bytes[middle] ^ 0x5A);
    writeBytes(zip, bytes);
    EXPECT_EQ(n_unzip(zip, path(QStringLiteral("out.bin")), QStringLiteral("keystaves.xml")),
              kUnzipFailed);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.bin"))));
}

TEST_F(NZipTest, MembersLargerThanTheLimitAreRefusedWhateverTheyClaim) {
    const QString out = path(QStringLiteral("out.bin"));
    // A bomb that states its size is refused before anything is extracted.
    const QString bomb = path(QStringLiteral("bomb.zip"));
    ASSERT_TRUE(makeZeroBomb(bomb, "keystaves.xml", zip_uint64_t(kMaxUnzippedMember) + 1));
    EXPECT_LT(QFileInfo(bomb).size(), 2 * 1024 * 1024);
    EXPECT_EQ(n_unzip(bomb, out, QStringLiteral("keystaves.xml")), kUnzipFailed);
    EXPECT_FALSE(QFile::exists(out));

    // One that claims to be small is stopped at the limit all the same.
    const QString liar = path(QStringLiteral("liar.zip"));
    ASSERT_TRUE(makeZeroBomb(liar, "keystaves.xml", 3 * 1024 * 1024));
    writeBytes(liar, withClaimedSize(readBytes(liar), 100));
    EXPECT_EQ(unzipMember(liar, out, QStringLiteral("keystaves.xml"), 1024 * 1024), kUnzipFailed);
    EXPECT_FALSE(QFile::exists(out));

    // Up to the limit is fine.
    const QString fits = path(QStringLiteral("fits.zip"));
    ASSERT_TRUE(makeZeroBomb(fits, "keystaves.xml", 1024 * 1024));
    EXPECT_EQ(unzipMember(fits, out, QStringLiteral("keystaves.xml"), 1024 * 1024), 1);
    EXPECT_EQ(QFileInfo(out).size(), 1024 * 1024);
}
