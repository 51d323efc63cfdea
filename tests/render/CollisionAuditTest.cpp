// The collision audit: boxes and kinds taken from a recording, the pairs that may touch,
// and the command line that prints what it finds.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "render/audit/CollisionAudit.h"
#include "render/audit/PageAudit.h"
#include "render/output/PageImage.h"
#include "storage/DocumentContainer.h"
#include "render/surface/FontMetricsEngine.h"
#include "resources/MusicFont.h"
#include "resources/MusicGlyphs.h"
#include "TestPaths.h"

using namespace ks;

namespace {

FontSpec music() {
    return FontSpec{.family = QString::fromLatin1(kMusicFontFamily), .height = -200};
}

FontSpec words() {
    return FontSpec{.family = QStringLiteral("Liberation Sans"), .height = -150};
}

// A chord of one head with an up stem, drawn in line 0 and hand `part` at x.
void drawChord(RecordingSurface& s, int part, int chord, int x, int headTop) {
    s.beginElement(QStringLiteral("line"), 0);
    s.beginElement(QStringLiteral("part"), part);
    s.beginElement(QStringLiteral("chord"), chord);
    s.beginElement(QStringLiteral("note"), chord);
    s.drawText(QPoint(x, headTop), QString(QChar(glyph::HeadFilled)), music(), Qt::black,
               TextAlign::Left | TextAlign::Top);
    s.endElement();
    s.drawLine(QPoint(x + 100, headTop + 60), QPoint(x + 100, headTop - 300), Pen{.width = 12});
    s.endElement();
    s.endElement();
    s.endElement();
}

void drawLyric(RecordingSurface& s, int index, QPoint at, const QString& text) {
    s.beginElement(QStringLiteral("line"), 0);
    s.beginElement(QStringLiteral("part"), 0);
    s.beginElement(QStringLiteral("lyric"), index);
    s.beginElement(QStringLiteral("event"), index);
    s.drawText(at, text, words(), Qt::black, TextAlign::Left | TextAlign::Top);
    for (int i = 0; i < 4; ++i)
        s.endElement();
}

std::vector<Collision> audit(const RecordingSurface& s) {
    return findCollisions(drawnBoxes(s.items()));
}

}  // namespace

class CollisionAudit : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(loadMusicFont()); }
};

TEST_F(CollisionAudit, KindsAndInkBoxesComeFromTheRecording) {
    RecordingSurface s;
    drawChord(s, 0, 3, 1000, 2000);
    drawLyric(s, 0, QPoint(1000, 3000), QStringLiteral("shine"));
    s.beginElement(QStringLiteral("stave"), 0);
    s.drawLine(QPoint(0, 2000), QPoint(8000, 2000), Pen{});
    s.endElement();
    const std::vector<DrawnBox> boxes = drawnBoxes(s.items());
    ASSERT_EQ(boxes.size(), 3u);  // the stave line is not audited
    EXPECT_EQ(boxes[0].kind, u"notehead");
    EXPECT_EQ(boxes[1].kind, u"stem");
    EXPECT_EQ(boxes[2].kind, u"lyric");
    // Glyphs are boxed by their ink, which lies inside the font cell and, for a dot,
    // fills little of it.
    EXPECT_TRUE(s.items()[0].rect.contains(boxes[0].box));
    s.beginElement(QStringLiteral("note"), 0);
    s.drawText(QPoint(2000, 2000), QString(QChar(glyph::Dot)), music(), Qt::black, 0);
    s.endElement();
    const DrawnBox dot = drawnBoxes(s.items()).back();
    EXPECT_EQ(dot.kind, u"dot");
    EXPECT_TRUE(s.items().back().rect.contains(dot.box));
    EXPECT_LT(dot.box.height(), s.items().back().rect.height() / 3);
    EXPECT_EQ(boxes[1].box, QRect(QPoint(1094, 1694), QPoint(1106, 2066)));
}

TEST_F(CollisionAudit, FindsMarksOfDifferentElementsThatOverlap) {
    RecordingSurface s;
    drawChord(s, 1, 7, 1000, 3000);
    // A syllable drawn over the left-hand head.
    const DrawnBox head = drawnBoxes(s.items())[0];
    drawLyric(s, 4, QPoint(head.box.left() - 50, head.box.top() - 20), QStringLiteral("up"));
    const std::vector<Collision> found = audit(s);
    const QMap<QString, int> counts = countByPairKind(found);
    EXPECT_EQ(counts.value(QStringLiteral("lyric/notehead")), 1);
    EXPECT_EQ(counts.value(QStringLiteral("lyric/stem")), 1);
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(CollisionAudit, AllowedTouchesAreNotReported) {
    RecordingSurface s;
    // A head and its own stem; the same chord number in the other hand, on the same keys
    // (a unison between the hands); a stem ending in a beam; a bar line and repeat dots.
    drawChord(s, 0, 3, 1000, 2000);
    drawChord(s, 2, 3, 1000, 2000);
    s.beginElement(QStringLiteral("beam"), 0);
    s.fillPolygon({{1090, 1690}, {1600, 1690}, {1600, 1740}, {1090, 1740}}, Qt::black);
    s.endElement();
    s.beginElement(QStringLiteral("bar"), 1);
    s.drawLine(QPoint(3000, 1000), QPoint(3000, 4000), Pen{.width = 12});
    s.drawText(QPoint(3000, 2000), QString(QChar(glyph::RepeatDot)), music(), Qt::black,
               TextAlign::Centre | TextAlign::Top);
    s.endElement();
    EXPECT_TRUE(audit(s).empty());
}

TEST_F(CollisionAudit, ChordsOfOneNumberOnTwoLinesAreTwoElements) {
    const QStringList line0 = {QStringLiteral("line 0"), QStringLiteral("part 0"),
                               QStringLiteral("chord 3")};
    QStringList line1 = line0;
    line1[0] = QStringLiteral("line 1");
    const DrawnBox a{QStringLiteral("stem"), QRect(0, 0, 10, 100), line0, {}};
    const DrawnBox b{QStringLiteral("flag"), QRect(5, 50, 40, 100), line1, {}};
    EXPECT_FALSE(mayOverlap(a, b));
    EXPECT_TRUE(mayOverlap(a, DrawnBox{b.kind, b.box, line0, {}}));
    EXPECT_EQ(findCollisions({a, b}).size(), 1u);
}

TEST_F(CollisionAudit, SyllablesOfOneVerseKeepAGap) {
    const QStringList path = {QStringLiteral("line 0"), QStringLiteral("part 0")};
    auto syllable = [&](int index, int left, int width) {
        QStringList p = path;
        p << QStringLiteral("lyric %1").arg(index) << QStringLiteral("event %1").arg(index);
        return DrawnBox{QStringLiteral("lyric"), QRect(left, 0, width, 100), p, {}};
    };
    struct Case {
        int secondLeft;
        size_t found;
    };
    // The first syllable's ink ends at 299.
    for (const Case c : {Case{250, 1}, Case{300, 1}, Case{300 + kLyricGap - 1, 1},
                         Case{300 + kLyricGap, 0}, Case{600, 0}})
        EXPECT_EQ(findCollisions({syllable(0, 100, 200), syllable(1, c.secondLeft, 200)}).size(),
                  c.found)
            << c.secondLeft;
}

TEST(CollisionAuditCli, PrintsTheCollisionsOfEveryPageAsJson) {
    QProcess cli;
    cli.setProcessChannelMode(QProcess::SeparateChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(KS_CLI),
              {QStringLiteral("layout"),
               QStringLiteral(KS_SOURCE_DIR "/resources/samples/minuet-in-g.ksv"),
               QStringLiteral("--collisions")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    EXPECT_EQ(json.value(QStringLiteral("pages")).toArray().size(), 4);
    EXPECT_TRUE(json.value(QStringLiteral("counts")).isObject());
    EXPECT_EQ(json.value(QStringLiteral("total")).toInt(-1), 0);

    cli.start(QStringLiteral(KS_CLI), {QStringLiteral("layout"), QStringLiteral("x.ksv"),
                                       QStringLiteral("--defaults")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 2);  // --defaults only goes with --collisions
}

// With the built-in settings the hands used to meet: the minuet's "mf" touched a
// left-hand head and its wedge crossed left-hand notes. The default gap keeps them apart.
TEST_F(CollisionAudit, TheMinuetDrawsCleanWithTheBuiltInSettings) {
    CScore score;
    CPrinterSettings printer;
    ASSERT_TRUE(
        readContainer(QStringLiteral(KS_SOURCE_DIR "/resources/samples/minuet-in-g.ksv"), score,
                      &printer)
            .ok);
    CScore defaults;
    defaults.applyBuiltInDefaults();
    score.prefs = defaults.prefs;
    score.font = defaults.font;
    const PageGeometry page = pageGeometryFor(printer);
    layoutForExport(score, page);
    ASSERT_GT(score.pages.size(), 1u);
    for (int p = 0; p < static_cast<int>(score.pages.size()); ++p) {
        const std::vector<Collision> found = auditPage(score, page, p);
        EXPECT_TRUE(found.empty()) << "page " << p + 1 << ": " << found.size() << ", first "
                                   << (found.empty() ? "" : found[0].pairKind().toStdString());
    }
}
