// Finding elements and reading typed attribute values.
#include <gtest/gtest.h>

#include "MarkupTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

TEST(MarkupFindElement, StartTagsSetFirstAndTheFirstEndTagEndsTheScan) {
    CMarkupFile markup;
    ASSERT_TRUE(markup.Parse("<memory><a><b/><a></a></a><c/><B/></memory>"));
    // 0 memory, 1 a, 2 b/, 3 a, 4 /a, 5 /a, 6 c/, 7 B/, 8 /memory
    struct Case {
        int start;
        const char16_t* name;
        bool found;
        int first, last;
    };
    const Case cases[] = {
        {0, u"a", true, 3, 4},   // nesting is not tracked: the inner start wins
        {4, u"a", true, -1, 4},  // an end tag alone still ends the scan
        {0, u"b", true, 2, 2},   // an empty element sets both
        {0, u"B", true, 7, 7},   // names compare with case
        {3, u"b", false, -1, -1}, {0, u"x", false, -1, -1},
        {-5, u"c", true, 6, 6},   {99, u"c", false, -1, -1},
    };
    for (const Case& c : cases) {
        int first = -1, last = -1;
        EXPECT_EQ(markup.FindElement(c.start, c.name, first, last), c.found) << c.start;
        EXPECT_EQ(first, c.first) << c.start;
        EXPECT_EQ(last, c.last) << c.start;
    }
}

TEST(MarkupAttributes, TypedReadsKeepTheDefaultWhenAbsentOrMalformed) {
    CMarkupFile markup;
    ASSERT_TRUE(markup.Parse(
        "<e Name=\"first\" name=\"second\" n=\" -42x\" p=\"+7\" big=\"2147483648\" "
        "min=\"-2147483648\" bad=\"x1\" sign=\"-\" empty=\"\" b0=\"0\" b1=\"1\" b2=\"2\"/>"
        "</memory>"));
    const CMarkupElement& e = markup.elements()[0];

    QString s = QStringLiteral("default");
    EXPECT_TRUE(CMarkupFile::GetString(u"NAME", e, s));
    EXPECT_EQ(s, QStringLiteral("first"));  // the first match, case ignored
    s = QStringLiteral("default");
    EXPECT_FALSE(CMarkupFile::GetString(u"absent", e, s));
    EXPECT_EQ(s, QStringLiteral("default"));

    struct IntCase {
        const char16_t* name;
        bool read;
        int value;
    };
    const IntCase ints[] = {
        {u"n", true, -42},    {u"p", true, 7},       {u"min", true, INT_MIN},
        {u"big", false, 5},   {u"bad", false, 5},    {u"sign", false, 5},
        {u"empty", false, 5}, {u"absent", false, 5}, {u"Name", false, 5},
    };
    for (const IntCase& c : ints) {
        int v = 5;
        EXPECT_EQ(CMarkupFile::GetInt(c.name, e, v), c.read)
            << QStringView(c.name).toString().toStdString();
        EXPECT_EQ(v, c.value) << QStringView(c.name).toString().toStdString();
    }

    struct BoolCase {
        const char16_t* name;
        bool read;
        bool value;
    };
    const BoolCase bools[] = {
        {u"b0", true, false}, {u"b1", true, true}, {u"b2", false, true}, {u"n", false, true}};
    for (const BoolCase& c : bools) {
        bool v = true;
        EXPECT_EQ(CMarkupFile::GetBool(c.name, e, v), c.read)
            << QStringView(c.name).toString().toStdString();
        EXPECT_EQ(v, c.value) << QStringView(c.name).toString().toStdString();
    }
}

TEST(MarkupAttributes, NonAsciiNamesCompareWithoutCase) {
    CMarkupElement e(QStringLiteral("e"), CMarkupElement::kEmptyElement);
    CMarkupFile::AddAttribute(e, QStringLiteral("Größe"), 3);
    int v = 0;
    EXPECT_TRUE(CMarkupFile::GetInt(u"GRÖßE", e, v));
    EXPECT_EQ(v, 3);
    EXPECT_FALSE(CMarkupFile::GetInt(u"Groe", e, v));
}

}  // namespace
