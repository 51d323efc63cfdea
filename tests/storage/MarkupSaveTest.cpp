// Writing markup: building the list, layout of the output, round trips, appending with
// reading back by offset, and failures that must be reported and leave files intact.
#include <gtest/gtest.h>

#include "MarkupTestUtil.h"

#include "storage/MarkupEntities.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace ks;
using namespace ks::test;

namespace {

class MarkupSave : public ::testing::Test {
  protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QByteArray saved(CMarkupFile& markup, bool append = false) {
        const QString p = path("out.xml");
        EXPECT_TRUE(markup.Save(p, append));
        return readBytes(p);
    }
    QTemporaryDir dir_;
};

// A small document of every writer call, used by several tests.
void buildDocument(CMarkupFile& markup) {
    markup.AddTag(CMarkupElement::kStartTag, QStringLiteral("keystaves"), true);
    CMarkupElement score(QStringLiteral("score"), CMarkupElement::kStartTag);
    CMarkupFile::AddAttribute(score, QStringLiteral("title"),
                              QStringLiteral("Fish & Chips <\"À`\">"));
    CMarkupFile::AddAttribute(score, QStringLiteral("ppqn"), 96);
    CMarkupFile::AddAttribute(score, QStringLiteral("length"), -1536);
    score.newline = true;
    markup.AppendElement(score);
    CMarkupElement note(QStringLiteral("note"), CMarkupElement::kEmptyElement);
    CMarkupFile::AddAttribute(note, QStringLiteral("pitch"), 60);
    markup.AppendElement(note);
    markup.AddTextElement(QStringLiteral("work-title"), QStringLiteral("Étude – 1"));
    markup.AddTextElement(QStringLiteral("count"), 3);
    markup.AddTag(CMarkupElement::kEndTag, QStringLiteral("score"), true);
    markup.AddTag(CMarkupElement::kEndTag, QStringLiteral("keystaves"), true);
}

TEST_F(MarkupSave, WritesIndentedLinesWithEncodedValues) {
    CMarkupFile markup;
    buildDocument(markup);
    EXPECT_EQ(saved(markup),
              "<keystaves>\n"
              "  <score title=\"Fish &amp; Chips &lt;&quot;&Agrave;&#96&quot;&gt;\" ppqn=\"96\" "
              "length=\"-1536\">\n"
              "    <note pitch=\"60\" />\n"
              "    <work-title>\xC3\x89tude \xE2\x80\x93 1</work-title>\n"
              "    <count>3</count>\n"
              "  </score>\n"
              "</keystaves>\n");
}

TEST_F(MarkupSave, ThreeLinesWithTheMiddleOneIndented) {
    CMarkupFile markup;
    markup.AddTag(CMarkupElement::kStartTag, QStringLiteral("a"), true);
    markup.AddTag(CMarkupElement::kEmptyElement, QStringLiteral("b"), true);
    markup.AddTag(CMarkupElement::kEndTag, QStringLiteral("a"), true);
    EXPECT_EQ(saved(markup), "<a>\n  <b />\n</a>\n");
}

TEST_F(MarkupSave, BuildingRules) {
    CMarkupFile markup;
    EXPECT_FALSE(markup.AddTag(CMarkupElement::kText, QStringLiteral("x"), true));
    EXPECT_FALSE(markup.AddTag(CMarkupElement::kDeclaration, QStringLiteral("x"), true));
    EXPECT_EQ(markup.elementCount(), 0);

    // Values are stored decoded, as a parsed value would be.
    CMarkupElement e(QStringLiteral("e"), CMarkupElement::kEmptyElement);
    EXPECT_FALSE(e.newline);
    CMarkupFile::AddAttribute(e, QStringLiteral("q"), QStringLiteral("\"quoted\""));
    CMarkupFile::AddAttribute(e, QStringLiteral("amp"), QStringLiteral("a&amp;lt;b"));
    CMarkupFile::AddAttribute(e, QStringLiteral("one"), QStringLiteral("\""));
    ASSERT_EQ(e.attributes.size(), 3u);
    EXPECT_EQ(e.attributes[0].value, QStringLiteral("quoted"));
    EXPECT_EQ(e.attributes[1].value, QStringLiteral("a<b"));
    EXPECT_EQ(e.attributes[2].value, QStringLiteral("\""));

    // An appended empty element always ends its line.
    markup.AppendElement(e);
    EXPECT_TRUE(markup.elements().back().newline);
    // Text items are written as they stand, line break only when asked.
    markup.AddText(QStringLiteral("a<b"), false);
    markup.AddText(QStringLiteral("c"), true);
    EXPECT_EQ(saved(markup), "<e q=\"quoted\" amp=\"a&lt;b\" one=\"&quot;\" />\na<bc\n");
}

// A grave accent goes out as "&#96" without a semicolon and comes back as the accent; an
// empty element reads the same with or without the space before the slash.
TEST_F(MarkupSave, ValuesAndEmptyElementsReadBack) {
    CMarkupFile markup;
    CMarkupElement e(QStringLiteral("e"), CMarkupElement::kEmptyElement);
    const QString value = QStringLiteral("`tick` & \"quote\" 'apos' <> ÀÝàýßð – — Ø");
    CMarkupFile::AddAttribute(e, QStringLiteral("v"), value);
    markup.AppendElement(e);
    const QByteArray bytes = saved(markup);
    EXPECT_TRUE(bytes.contains("&#96tick&#96"));

    CMarkupFile back;
    ASSERT_TRUE(back.Load(path("out.xml"), 0));
    ASSERT_EQ(back.elementCount(), 1);
    EXPECT_EQ(back.elements()[0].type, CMarkupElement::kEmptyElement);
    EXPECT_EQ(back.elements()[0].attributes[0].value, value);

    for (const char* text : {"<e/>", "<e />"}) {
        CMarkupFile m;
        ASSERT_TRUE(m.Parse(text));
        ASSERT_EQ(m.elementCount(), 1);
        EXPECT_EQ(m.elements()[0].type, CMarkupElement::kEmptyElement);
        EXPECT_EQ(m.elements()[0].name, QStringLiteral("e"));
    }
}

TEST_F(MarkupSave, SaveLoadSaveGivesTheSameBytes) {
    CMarkupFile markup;
    markup.AddText(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), true);
    markup.AddText(QStringLiteral("<!-- comment -->"), true);
    buildDocument(markup);
    const QByteArray first = saved(markup);

    CMarkupFile loaded;
    ASSERT_TRUE(loaded.Load(path("out.xml"), 0));
    EXPECT_EQ(loaded.elements()[0].type, CMarkupElement::kDeclaration);
    EXPECT_EQ(loaded.elements()[1].type, CMarkupElement::kComment);
    const QString again = path("again.xml");
    ASSERT_TRUE(loaded.Save(again, false));
    EXPECT_EQ(readBytes(again), first);
}

// Snapshots are appended one after the other; each is read back from its own offset.
TEST_F(MarkupSave, AppendedDocumentsLoadFromTheirOffsets) {
    const QString p = path("undo.tmp");
    std::vector<qint64> offsets;
    for (int i = 0; i < 3; ++i) {
        offsets.push_back(QFileInfo(p).exists() ? QFileInfo(p).size() : 0);
        CMarkupFile snapshot;
        snapshot.AddTag(CMarkupElement::kStartTag, QStringLiteral("keystaves"), true);
        CMarkupElement step(QStringLiteral("step"), CMarkupElement::kEmptyElement);
        CMarkupFile::AddAttribute(step, QStringLiteral("n"), i);
        snapshot.AppendElement(step);
        snapshot.AddTag(CMarkupElement::kEndTag, QStringLiteral("keystaves"), true);
        ASSERT_TRUE(snapshot.Save(p, true));
    }
    for (int i = 2; i >= 0; --i) {
        CMarkupFile back;
        ASSERT_TRUE(back.Load(p, offsets[size_t(i)]));
        // Root, indentation text, step, end of root: one document only.
        ASSERT_EQ(back.elementCount(), 4);
        int first = -1, last = -1, n = -1;
        ASSERT_TRUE(back.FindElement(0, u"step", first, last));
        EXPECT_TRUE(CMarkupFile::GetInt(u"n", back.elements()[size_t(first)], n));
        EXPECT_EQ(n, i);
        ASSERT_TRUE(QFile::resize(p, offsets[size_t(i)]));  // undo cuts the file back
    }
}

TEST_F(MarkupSave, OverlongItemFailsAndLeavesTheFileAlone) {
    const QString p = path("out.xml");
    ASSERT_TRUE(writeBytes(p, "old"));
    CMarkupFile markup;
    markup.AddTag(CMarkupElement::kStartTag, QStringLiteral("a"), true);
    markup.AddText(QString(4095, u'x'), true);  // fits
    CMarkupElement big(QStringLiteral("b"), CMarkupElement::kEmptyElement);
    CMarkupFile::AddAttribute(big, QStringLiteral("v"), QString(2000, u'&'));  // 10000 bytes
    markup.AppendElement(big);
    for (bool append : {false, true}) {
        EXPECT_FALSE(markup.Save(p, append));
        EXPECT_EQ(readBytes(p), "old");
    }
    EXPECT_EQ(markup.errors().first(),
              QStringLiteral("CMarkupFile::ProcessTag() : Buffer Overflow - Line 3"));

    CMarkupFile tooLong;
    tooLong.AddText(QString(4096, u'x'), false);
    EXPECT_FALSE(tooLong.Save(p, false));
    CMarkupFile multiByte;
    multiByte.AddText(QString(1365, QChar(0x20AC)), false);  // 4095 bytes
    EXPECT_TRUE(multiByte.Save(p, false));
}

TEST_F(MarkupSave, UnwritableTargetsReportFailure) {
    CMarkupFile markup;
    buildDocument(markup);
    EXPECT_FALSE(markup.Save(path("missing/out.xml"), false));
    EXPECT_FALSE(markup.Save(path("missing/out.xml"), true));
    EXPECT_FALSE(markup.Save(dir_.path(), false));
    EXPECT_FALSE(markup.Save(dir_.path(), true));
    EXPECT_FALSE(markup.Save(QString(), false));
    if (QFileInfo::exists(QStringLiteral("/dev/full"))) {
        // A full disk: every write fails.
        EXPECT_FALSE(markup.Save(QStringLiteral("/dev/full"), false));
        EXPECT_FALSE(markup.Save(QStringLiteral("/dev/full"), true));
    }
    EXPECT_TRUE(markup.errors().isEmpty());
}

TEST_F(MarkupSave, ReplacingKeepsPermissionsAndFollowsLinks) {
    const QString target = path("doc.xml");
    ASSERT_TRUE(writeBytes(target, "old"));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QString link = path("link.xml");
    ASSERT_TRUE(QFile::link(target, link));

    CMarkupFile markup;
    markup.AddTag(CMarkupElement::kEmptyElement, QStringLiteral("new"), true);
    ASSERT_TRUE(markup.Save(link, false));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(target), "<new />\n");
    const QFile::Permissions modeBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFileInfo(target).permissions() & modeBits,
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // No temporary files are left behind.
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);
}

}  // namespace
