// Reading markup: tokenising, classification, attribute scanning and decoding, the
// differences between files and memory text, overflow and hostile input.
#include <gtest/gtest.h>

#include "MarkupTestUtil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace ks;
using namespace ks::test;

namespace {

struct TokenCase {
    const char* input;
    const char* expected;  // describe() of the loaded list
};

class LoadTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(LoadTokens, GiveTheseElements) {
    CMarkupFile markup;
    EXPECT_TRUE(loadBytes(markup, GetParam().input));
    EXPECT_EQ(describe(markup), GetParam().expected) << GetParam().input;
    EXPECT_TRUE(markup.errors().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Markup, LoadTokens,
    ::testing::Values(
        // Kinds.
        TokenCase{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                  "1 xml version=1.0 encoding=UTF-8\n"},
        TokenCase{"<a>", "2 a\n"}, TokenCase{"<a/>", "3 a\n"}, TokenCase{"<a />", "3 a\n"},
        TokenCase{"<a b=\"1\"/>", "3 a b=1\n"}, TokenCase{"</a>", "4 a\n"},
        TokenCase{"<!-- x <b>", "5 '<!-- x <b>'\n"},
        TokenCase{"<!-- x --><b>", "6 '<!-- x -->'\n2 b\n"},
        TokenCase{"<!DOCTYPE score-partwise PUBLIC \"-//R//EN\" \"x.dtd\">",
                  "6 '<!DOCTYPE score-partwise PUBLIC \"-//R//EN\" \"x.dtd\">' DOCTYPE\n"},
        TokenCase{"<!-- a <b> c --><d>", "5 '<!-- a <b>'\n7 ' c -->'\n2 d\n"},
        TokenCase{"<t>hello world</t>", "2 t\n8 'hello world'\n4 t\n"},
        // Text after the last tag is not processed; empty tokens are skipped.
        TokenCase{"<a>tail", "2 a\n"}, TokenCase{"<a b=\"1", ""}, TokenCase{"<a><b>", "2 a\n2 b\n"},
        // Line ends are dropped, not turned into spaces; indentation is text.
        TokenCase{"<a>\r\n  <b\r\nc='1'>", "2 a\n8 '  '\n2 bc='1'\n"},
        // Attribute scanning.
        TokenCase{"<a b=\"1\" c='2' d=3 e = \"4\" >", "2 a b=1 c=2 d=3 e=4\n"},
        TokenCase{"< \tname x=\"1\">", "2 name x=1\n"},
        TokenCase{"<a t='say \"hi\"' u=\"it's\">", "2 a t=say \"hi\" u=it's\n"},
        TokenCase{"<a t=\"\" u=''>", "2 a t= u=\n"},
        TokenCase{"<a b c=\"1\">", "2 a\n"},  // a name without '=' ends the scan
        TokenCase{"<a t=x/>", "3 a t=x\n"},
        TokenCase{"<a t=\"a/>b\">", "3 a t=a/>b\n"},  // contains "/>", so an empty element
        // Decoding: table order, so an escaped entity is decoded twice.
        TokenCase{"<a t=\"&lt;&amp;&gt;&quot;&apos;\">", "2 a t=<&>\"'\n"},
        TokenCase{"<a t=\"&amp;lt;\">", "2 a t=<\n"},
        TokenCase{"<a t=\"&#96\" u=\"&#96;\">", "2 a t=` u=`;\n"},
        TokenCase{"<a t=\"&Eacute;&eth;&szlig;&mdash;&nbsp;\">",
                  "2 a t=\xC3\x89\xC3\xB0\xC3\x9F\xE2\x80\x94&nbsp;\n"},
        // A quoted '>' stays inside the tag when reading a file.
        TokenCase{"<a t=\"x>y\">", "2 a t=x>y\n"}),
    [](const ::testing::TestParamInfo<TokenCase>& info) { return std::to_string(info.index); });

TEST(MarkupParse, DoesNotTrackQuotesAndStopsAfterTheMemoryEndTag) {
    CMarkupFile markup;
    EXPECT_TRUE(markup.Parse("<memory><a t=\"x>y\"></Memory></memory><after/>"));
    EXPECT_EQ(describe(markup), "2 memory\n2 a t=\"x\n8 'y\">'\n4 Memory\n4 memory\n");
    EXPECT_EQ(markup.sourceName(), QStringLiteral("Memory"));
}

TEST(MarkupLoad, UnopenableFilesFailWithoutMessages) {
    QTemporaryDir dir;
    CMarkupFile markup;
    EXPECT_FALSE(markup.Load(dir.filePath(QStringLiteral("missing.xml")), 0));
    EXPECT_FALSE(markup.Load(dir.path(), 0));  // a folder
    const QString path = dir.filePath(QStringLiteral("a.xml"));
    ASSERT_TRUE(writeBytes(path, "<a/>"));
    EXPECT_FALSE(markup.Load(path, -1));
    EXPECT_TRUE(markup.errors().isEmpty());
    EXPECT_TRUE(markup.elements().empty());
    // An offset past the end reads nothing and is no error.
    EXPECT_TRUE(markup.Load(path, 100));
    EXPECT_TRUE(markup.elements().empty());
}

// Token sizes around the 4096-byte buffer: the reader drops bytes beyond it, and a token
// of more than 4095 UTF-16 units is dropped when it is processed.
TEST(MarkupLoad, OverlongTokensAreReportedWithTheirLine) {
    struct Case {
        QByteArray token;
        QStringList errors;
        bool kept;
    };
    const QString loadOverflow = QStringLiteral("CMarkupFile::Load() : Buffer Overflow - Line 3");
    const QString tagOverflow =
        QStringLiteral("CMarkupFile::ProcessTag() : Buffer Overflow - Line 3");
    const Case cases[] = {
        {QByteArray(4095, 'x'), {}, true},
        {QByteArray(4096, 'x'), {tagOverflow}, false},
        {QByteArray(4097, 'x'), {loadOverflow, tagOverflow}, false},
        {QByteArray(10'000'000, 'x'), {loadOverflow, tagOverflow}, false},
        {"<t v=\"" + QByteArray(5000, 'v') + "\">", {loadOverflow, tagOverflow}, false},
        {QByteArray(2048, 'x').replace("x", "\xC3\xA9"), {}, true},  // 4096 bytes, 2048 units
    };
    for (const Case& c : cases) {
        CMarkupFile markup;
        const bool ok = loadBytes(markup, "<a>\n\n" + c.token + "<b>");
        EXPECT_EQ(ok, c.errors.isEmpty());
        EXPECT_EQ(markup.errors(), c.errors) << c.token.size();
        EXPECT_EQ(markup.elementCount(), c.kept ? 3 : 2) << c.token.size();
        EXPECT_EQ(markup.elements().back().name, QStringLiteral("b"));
    }
}

TEST(MarkupParse, OverflowHasItsOwnMessage) {
    CMarkupFile markup;
    EXPECT_FALSE(markup.Parse("<memory>" + QByteArray(5000, 'x') + "</memory>"));
    EXPECT_EQ(
        markup.errors(),
        QStringList({QStringLiteral("CMarkupFile::Parse() : Buffer Overflow - Line 1"),
                     QStringLiteral("CMarkupFile::ProcessTag() : Buffer Overflow - Line 1")}));
    EXPECT_EQ(markup.elements().back().name, QStringLiteral("memory"));
}

TEST(MarkupLoad, HostileBytesNeverCrash) {
    static const char withNul[] = "<a t=\"\0\xFF\xFE\x80\">\0\0<b>";
    QByteArray garbage(1 << 20, '\0');
    auto* rng = QRandomGenerator::global();
    for (char& c : garbage)
        c = char(rng->bounded(256));
    // Runs of delimiters, NUL bytes, invalid UTF-8 and a truncated tag.
    const QByteArray inputs[] = {
        garbage,
        QByteArray(100'000, '<'),
        QByteArray(100'000, '>'),
        QByteArray(100'000, '"'),
        QByteArray(withNul, sizeof(withNul) - 1),
        "<a t=\"\xE2\x82\">",
        "<a t=\"1\" u",
        "<a b " + QByteArray(4000, '=') + ">",
    };
    for (const QByteArray& input : inputs) {
        CMarkupFile markup;
        loadBytes(markup, input);
        CMarkupFile parsed;
        parsed.Parse(input);
        for (const CMarkupElement& e : markup.elements()) {
            EXPECT_LE(e.text.size(), 4095);
            EXPECT_EQ(e.attributes.capacity(), e.attributes.size());  // no room held idle
        }
    }
    CMarkupFile markup;
    EXPECT_TRUE(loadBytes(markup, "<a t=\"\xE2\x82\">"));
    // A cut-off UTF-8 sequence reads as replacement characters.
    const QString value = markup.elements()[0].attributes[0].value;
    EXPECT_FALSE(value.isEmpty());
    EXPECT_EQ(value.count(QChar(0xFFFD)), value.size());
}

TEST(MarkupLoad, NamesAndIndentationAreShared) {
    CMarkupFile markup;
    ASSERT_TRUE(loadBytes(markup, "<n t=\"1\"/>\n  <n t=\"2\"/>\n  <n t=\"1\"/>"));
    const auto& e = markup.elements();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_TRUE(e[0].name.isSharedWith(e[2].name));
    EXPECT_TRUE(e[2].attributes[0].name.isSharedWith(e[4].attributes[0].name));
    EXPECT_TRUE(e[1].text.isSharedWith(e[3].text));
}

}  // namespace
