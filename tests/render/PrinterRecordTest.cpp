// The stored printer records: fields read and written in place, fresh records, and
// records that are too short, too long or inconsistent.
#include <gtest/gtest.h>

#include "render/layout/PrinterRecord.h"

using namespace ks;

namespace {

// A record as a Windows printer dialog might leave it: every byte distinct enough to
// notice a stray write.
QByteArray storedRecord() {
    QByteArray b(DevModeRecord::kSize, '\0');
    for (int i = 0; i < b.size(); ++i)
        b[i] = static_cast<char>(0x20 + i % 90);
    const char name[] = "Office Laser";
    std::copy(name, name + sizeof name, b.begin());
    auto put16 = [&](int at, int v) {
        b[at] = static_cast<char>(v & 0xFF);
        b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    put16(36, 156);                    // dmSize
    put16(40, 0x1 | 0x2 | 0x4 | 0x8);  // dmFields low word
    put16(42, 0x0001);                 // high word (a flag we do not use)
    put16(44, 2);                      // landscape
    put16(46, 9);                      // A4
    put16(48, 2970);                   // paper length
    put16(50, 2100);                   // paper width
    return b;
}

}  // namespace

TEST(PrinterRecord, ReadsTheFieldsOfAStoredRecord) {
    const DevModeRecord r(storedRecord());
    EXPECT_TRUE(r.wasStored());
    EXPECT_EQ(r.deviceName(), QStringLiteral("Office Laser"));
    EXPECT_EQ(r.fields(), 0x1000Fu);
    EXPECT_EQ(r.orientation(), Orientation::Landscape);
    EXPECT_EQ(r.paperSize(), PaperCode::A4);
    EXPECT_EQ(r.paperLength(), 2970);
    EXPECT_EQ(r.paperWidth(), 2100);
}

TEST(PrinterRecord, WritesFieldsInPlaceAndKeepsEveryOtherByte) {
    const QByteArray original = storedRecord();
    DevModeRecord r(original);
    r.setOrientation(Orientation::Portrait);
    r.setPaperSize(PaperCode::Letter);
    const QByteArray& now = r.bytes();
    ASSERT_EQ(now.size(), original.size());
    for (int i = 0; i < now.size(); ++i)
        if (i < 44 || i >= 48) {
            EXPECT_EQ(now[i], original[i]) << "byte " << i;
        }
    EXPECT_EQ(DevModeRecord(now).orientation(), Orientation::Portrait);
    EXPECT_EQ(DevModeRecord(now).paperSize(), PaperCode::Letter);
}

TEST(PrinterRecord, SettingAFieldMarksItPresent) {
    QByteArray b = storedRecord();
    b[40] = 0;  // no fields
    DevModeRecord r(b);
    r.setPaperWidth(1000);
    EXPECT_EQ(r.fields() & 0xFFFF, DevModeField::PaperWidth);
    EXPECT_EQ(r.fields() >> 16, 1u);  // untouched high word
}

TEST(PrinterRecord, FreshRecordIsA4PortraitWithItsFlags) {
    const DevModeRecord r;
    EXPECT_FALSE(r.wasStored());
    EXPECT_EQ(r.bytes().size(), DevModeRecord::kSize);
    EXPECT_TRUE(DevModeRecord::isUsable(r.bytes()));
    EXPECT_EQ(r.fields(), DevModeField::Orientation | DevModeField::PaperSize);
    EXPECT_EQ(r.orientation(), Orientation::Portrait);
    EXPECT_EQ(r.paperSize(), PaperCode::A4);
    EXPECT_EQ(r.deviceName(), QString());
}

TEST(PrinterRecord, UnusableRecordsCountAsAbsent) {
    QByteArray badSize = storedRecord();
    badSize[36] = static_cast<char>(0xFF);  // claims 0x00FF bytes: more than the fixed part
    QByteArray tooSmall = storedRecord();
    tooSmall[36] = 20;  // ends before the paper fields
    tooSmall[37] = 0;
    const QByteArray cases[] = {QByteArray(), storedRecord().left(100),
                                storedRecord() + QByteArray(40, 'x'), badSize, tooSmall};
    for (const QByteArray& bytes : cases) {
        const DevModeRecord r(bytes);
        EXPECT_FALSE(r.wasStored()) << bytes.size();
        EXPECT_EQ(r.bytes(), DevModeRecord().bytes());
    }
}

TEST(PrinterNames, RoundTripAndLayout) {
    const DevNames names{.driver = QStringLiteral("winspool"),
                         .device = QStringLiteral("Office Laser"),
                         .output = QStringLiteral("USB001"),
                         .isDefault = true};
    const QByteArray bytes = makeDevNames(names);
    // Offsets follow the header: driver at 8, device after "winspool\0", output after that.
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 8);
    EXPECT_EQ(static_cast<uint8_t>(bytes[2]), 17);
    EXPECT_EQ(static_cast<uint8_t>(bytes[4]), 30);
    EXPECT_EQ(static_cast<uint8_t>(bytes[6]), 1);
    EXPECT_EQ(readDevNames(bytes), names);
}

TEST(PrinterNames, CorruptRecordsGiveNothing) {
    const QByteArray good = makeDevNames({.driver = "d", .device = "e", .output = "o"});
    QByteArray pastEnd = good;
    pastEnd[2] = 100;  // device offset beyond the record
    QByteArray intoHeader = good;
    intoHeader[0] = 2;  // driver offset inside the header
    QByteArray unterminated = good;
    unterminated.chop(1);  // output name loses its NUL
    for (const QByteArray& bytes : {QByteArray("\x08\x00", 2), pastEnd, intoHeader, unterminated})
        EXPECT_FALSE(readDevNames(bytes).has_value());
}
