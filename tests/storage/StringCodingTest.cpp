// The entity table and the small encoders.
#include <gtest/gtest.h>

#include "storage/MarkupEntities.h"
#include "storage/StringCoding.h"

#include <QRandomGenerator>
#include <iterator>

using namespace ks;

namespace {

TEST(Entities, TableHoldsSixtyFourDistinctPairsInOrder) {
    EXPECT_EQ(kCharacterEntities.front().entity, "&amp;");
    EXPECT_EQ(kCharacterEntities[3].entity, "&#96");
    EXPECT_EQ(kCharacterEntities[32].entity, "&Yacute;");
    EXPECT_EQ(kCharacterEntities[33].entity, "&szlig;");
    EXPECT_EQ(kCharacterEntities[50].entity, "&eth;");
    EXPECT_EQ(kCharacterEntities.back().entity, "&mdash;");
    // Every pair round-trips on its own.
    for (const CharacterEntity& e : kCharacterEntities) {
        const QString c(QChar(e.character));
        const QString entity = QString::fromLatin1(e.entity.data(), qsizetype(e.entity.size()));
        EXPECT_EQ(EncodeEntities(c), entity);
        EXPECT_EQ(DecodeEntities(entity), c);
    }
}

TEST(Entities, EncodersAndDecoder) {
    struct Case {
        QString text, all, basic;
    };
    const Case cases[] = {
        {QStringLiteral("plain 123"), QStringLiteral("plain 123"), QStringLiteral("plain 123")},
        {QStringLiteral("a&b<c>\"'`"), QStringLiteral("a&amp;b&lt;c&gt;&quot;&apos;&#96"),
         QStringLiteral("a&amp;b&lt;c&gt;&quot;&apos;`")},
        {QStringLiteral("Ça–ÿ"), QStringLiteral("&Ccedil;a&ndash;ÿ"), QStringLiteral("Ça–ÿ")},
        {QStringLiteral("&lt;"), QStringLiteral("&amp;lt;"), QStringLiteral("&amp;lt;")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeEntities(c.text), c.all);
        EXPECT_EQ(EncodeBasic(c.text), c.basic);
    }
    // Line breaks in attribute values are kept as character references, since the reader
    // drops raw line breaks.
    EXPECT_EQ(EncodeEntities(QStringLiteral("a\r\nb")), QStringLiteral("a&#13;&#10;b"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("a&#13;&#10;b")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(EncodeBasic(QStringLiteral("a\nb")), QStringLiteral("a\nb"));
    // Decoding applies the pairs one after the other over the whole text.
    EXPECT_EQ(DecodeEntities(QStringLiteral("&amp;lt;")), QStringLiteral("<"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&amp;amp;")), QStringLiteral("&amp;"));
    EXPECT_EQ(DecodeEntities(QStringLiteral("&AMP; &unknown; &")),
              QStringLiteral("&AMP; &unknown; &"));
}

// The decoder works in two scans; it must give what replacing pair after pair in table
// order gives, on texts dense with entity pieces.
TEST(Entities, DecodingMatchesPairByPairReplacement) {
    const auto reference = [](QString text) {
        for (const auto* table : {&kCharacterEntities[0], &kLineBreakEntities[0]}) {
            const size_t count = table == &kCharacterEntities[0] ? kCharacterEntities.size()
                                                                 : kLineBreakEntities.size();
            for (size_t k = 0; k < count; ++k)
                text.replace(
                    QLatin1StringView(table[k].entity.data(), qsizetype(table[k].entity.size())),
                    QString(QChar(table[k].character)));
        }
        return text;
    };
    const char* pieces[] = {"&",     "amp;", "&amp;", "lt;", "&#96",    "#96",     ";",  "&#10;",
                            "quot;", "&eth", "eth;",  "x",   "&mdash;", "Agrave;", "&&", "#13;"};
    QRandomGenerator rng(7);
    for (int round = 0; round < 5000; ++round) {
        QString text;
        const int count = int(rng.bounded(1, 8));
        for (int i = 0; i < count; ++i)
            text += QLatin1StringView(pieces[rng.bounded(int(std::size(pieces)))]);
        ASSERT_EQ(DecodeEntities(text), reference(text)) << text.toStdString();
    }
}

TEST(StringCoding, HexBytes) {
    const QByteArray bytes("\x00\x7F\x80\xAB\xFF", 5);
    EXPECT_EQ(hexEncode(bytes), QStringLiteral("007F80ABFF"));
    QByteArray out = "keep";
    EXPECT_TRUE(hexDecode(u"007f80AbFF", out));
    EXPECT_EQ(out, bytes);
    out = "keep";
    for (const char16_t* bad : {u"0", u"0G", u"zz", u"ABC"}) {
        EXPECT_FALSE(hexDecode(bad, out));
        EXPECT_EQ(out, "keep");
    }
    EXPECT_TRUE(hexDecode(u"", out));
    EXPECT_TRUE(out.isEmpty());
}

TEST(StringCoding, PercentEncodeWritesCodeUnitsNotUtf8) {
    EXPECT_EQ(PercentEncode(u"Az09-_.~"), QStringLiteral("Az09-_.~"));
    EXPECT_EQ(PercentEncode(u"a b&\n"), QStringLiteral("a%20b%26%0A"));
    EXPECT_EQ(PercentEncode(u"é€Ā"), QStringLiteral("%E9%20AC%100"));
}

}  // namespace
