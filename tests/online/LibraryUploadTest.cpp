// The library upload's pieces: which scores may go, the names and hashes, the
// registration address's encoding and the site's registration answer.
#include <gtest/gtest.h>

#include <QSet>

#include "app/online/LibraryUpload.h"

namespace ks {
namespace {

CScore scoreWith(const QString& title, int notes, int part = 0) {
    CScore score;
    score.makeNewDocument();
    score.title = title;
    for (int i = 0; i < notes; ++i)
        score.tracks[0].addNote({.time = 96 * i, .duration = 96, .pitch = 60 + i});
    score.parts = {0, 0, 0, 0};
    score.parts[part] = 1;
    return score;
}

TEST(LibraryUpload, OnlyTitledPiecesWithMoreThanFiveNotesInAPart) {
    EXPECT_TRUE(isUploadable(scoreWith("Minuet", 6)));
    EXPECT_TRUE(isUploadable(scoreWith("Minuet", 6, 3)));
    EXPECT_FALSE(isUploadable(scoreWith("Minuet", 5)));
    EXPECT_FALSE(isUploadable(scoreWith("Untitled", 20)));
    EXPECT_FALSE(isUploadable(scoreWith("", 20)));
    CScore hidden = scoreWith("Minuet", 20);
    hidden.parts = {2, 0, 0, 0};  // the notes' track is in no part
    EXPECT_FALSE(isUploadable(hidden));
}

TEST(LibraryUpload, NamesAndHashes) {
    const QString alphabet = "23456789abcdefghijkmnopqrstuvwxyzABCDEFGHIJKLMNPQRSTUVWXYZ";
    QSet<QString> names;
    for (int i = 0; i < 50; ++i) {
        const QString name = makeUploadName();
        ASSERT_EQ(name.size(), 8);
        for (QChar c : name)
            EXPECT_TRUE(alphabet.contains(c)) << name.toStdString();
        names.insert(name);
    }
    EXPECT_GT(names.size(), 45);
    const QString hash = makeFileHash("abcdefgh", "minuet.ksv", 1765400000);
    EXPECT_EQ(hash.size(), 32);
    EXPECT_EQ(hash, hash.toUpper());
    EXPECT_NE(hash, makeFileHash("abcdefgh", "minuet.ksv", 1765400001));
}

TEST(LibraryUpload, RegistrationTextEncoding) {
    EXPECT_EQ(encodeRegistrationText("Tom & Jerry"), "Tom%20%26amp%3B%20Jerry");
    EXPECT_EQ(encodeRegistrationText("a|b"), "a%20b");
    EXPECT_EQ(encodeRegistrationText("Az09-_.~"), "Az09-_.~");
    EXPECT_EQ(encodeRegistrationText(QString::fromUtf8("Caf\u00e9 \u20ac")), "Caf%26eacute%3B%20%20AC");  // the entity first
}

TEST(LibraryUpload, RegistrationAddressLeavesOutEmptyTexts) {
    RegistrationFields f;
    f.title = "Minuet & Trio";
    f.artist = "J. S. Bach";
    f.fileName = "minuet.ksv";
    f.uploadName = "abcdefgh";
    f.bars = 16, f.pages = 1, f.lengthSeconds = 32, f.fileSize = 1234;
    f.hash = "0123456789ABCDEF0123456789ABCDEF";
    EXPECT_EQ(registrationAddress("https://site.example/", f),
              "https://site.example/page/files?title=Minuet%20%26amp%3B%20Trio"
              "&artist=J.%20S.%20Bach&filename=minuet.ksv&tmpfile=abcdefgh"
              "&bars=16&pages=1&length=32&fsize=1234&hash=0123456789ABCDEF0123456789ABCDEF");
}

TEST(LibraryUpload, PlayingTimeFromTheFirstTempo) {
    CScore score = scoreWith("Minuet", 6);
    score.editlength = 96 * 4 * 16;  // 16 bars of 4/4
    EXPECT_EQ(playingSeconds(score), 32);  // at 120 beats a minute
}

TEST(LibraryUpload, RegistrationAnswer) {
    struct Case {
        const char* reply;
        bool registered;
    } cases[] = {
        {"[ID](1001)[Hash](ABC)", true},
        {"[ID](0)[Hash](ABC)", false},
        {"[ID](1001)", false},
        {"<html>[ID](1001)[Hash](ABC)", false},
        {"", false},
        {"[ID](00)[Hash](ABC)", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileIdRegistered(c.reply), c.registered) << c.reply;
}

}  // namespace
}  // namespace ks
