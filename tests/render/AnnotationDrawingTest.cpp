// Tempo marks, annotations and section markers: words in the event's user font led by
// a symbol of the music font, sitting on the event's height.
#include <gtest/gtest.h>

#include "MarksTestUtil.h"
#include "render/draw/Drawing.h"
#include "render/draw/EventDrawing.h"
#include "resources/MusicFont.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

const QString kKeystave = QString::fromLatin1(kMusicFontFamily);

std::vector<DrawnItem> textsIn(const MarksFixture& f, const QString& element) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : f.inElement(element))
        if (i.type == DrawnItem::Type::Text) out.push_back(i);
    return out;
}

}  // namespace

TEST(AnnotationDrawing, TempoMarkWithoutTextShowsANoteSymbolAndTheTempo) {
    CScore s = marksScore(2);
    s.prefs.showtempo = true;
    ASSERT_EQ(s.tempoTrack.events.size(), 1);  // the reset's 120 bpm at tick 0, height 0
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const auto items = textsIn(f, QStringLiteral("tempo 0"));
    ASSERT_EQ(items.size(), 2u);
    const DrawnItem& symbol = items[0];
    const DrawnItem& words = items[1];
    EXPECT_EQ(symbol.text, glyphText(glyph::TempoQuarter));
    EXPECT_EQ(symbol.font.family, kKeystave);
    EXPECT_EQ(symbol.font.height, 10 * -130 / 15);  // the default user font, doubled
    EXPECT_EQ(words.text, QStringLiteral(" = 120"));
    EXPECT_EQ(words.font.family, QStringLiteral("Times New Roman"));
    EXPECT_EQ(words.font.height, 10 * -130 / 30);
    // A mark with no height of its own sits above the stave: the words' line ends at
    // pitch 84, at the x of the first beat; the symbol stands on the words' baseline.
    const CScoreLine& line = f.score.line(0);
    const TextMetrics m = f.surface.measure(words.font, {});
    const int top = qRound(pitchToY(line, 10, 84) - m.height());
    EXPECT_EQ(words.points[0].y(), top);
    EXPECT_EQ(symbol.align, TextAlign::Left | TextAlign::Baseline);
    EXPECT_EQ(symbol.points[0],
              QPoint(tickX(ctx, 0, 0), qRound(pitchToY(line, 10, 84) - m.height() + m.ascent)));
    EXPECT_EQ(words.points[0].x(),
              qRound(symbol.points[0].x() + f.surface.measure(symbol.font, symbol.text).width));
    ASSERT_EQ(ctx.hitRects.size(), 1u);
    EXPECT_EQ(ctx.hitRects[0].track, kTempoTrack);
    EXPECT_EQ(ctx.hitRects[0].rect.left(), symbol.points[0].x());
    EXPECT_EQ(ctx.hitRects[0].rect.bottom(), pitchToY(line, 10, 84));
}

TEST(AnnotationDrawing, TempoTextFollowsTheTimeSignatureAndItsOwnText) {
    CScore s = marksScore(2);
    s.prefs.showtempo = true;
    CEvent& mark = s.tempoTrack.events[0];
    mark.data[1] = 92;
    EXPECT_EQ(tempoMarkText(s, mark), glyphText(glyph::TempoQuarter) + " = 92");
    s.setTimeSignature(6, 8, 0);
    EXPECT_EQ(tempoMarkText(s, mark),
              glyphText(glyph::TempoQuarter) + glyphText(glyph::TempoDot) + " = 92");
    s.setTimeSignature(9, 16, 0);
    EXPECT_EQ(tempoMarkText(s, mark).size(), 7);
    s.setTimeSignature(3, 4, 0);  // simple triple time: a plain quarter
    EXPECT_EQ(tempoMarkText(s, mark).size(), 6);
    mark.text = QStringLiteral("Allegro");
    EXPECT_EQ(tempoMarkText(s, mark), QStringLiteral("Allegro"));

    // A compound mark draws both leading characters as its symbol; a worded mark has
    // none.
    s.setTimeSignature(6, 8, 0);
    s.setLength(2 * 288);
    mark.text.clear();
    CEvent worded = event(EventType::Tempo, 288, 90, QStringLiteral("Andante"), {1, 80});
    s.tempoTrack.addEvent(worded);
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const auto first = textsIn(f, QStringLiteral("tempo 0"));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].text.size(), 2);
    EXPECT_EQ(first[0].font.family, kKeystave);
    const auto second = textsIn(f, QStringLiteral("tempo 1"));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, QStringLiteral("Andante"));
    EXPECT_EQ(second[0].points[0].x(), tickX(ctx, 1, 288));
    // Its own height: the words end at pitch 90.
    EXPECT_EQ(second[0].rect.bottom() + 1, pitchToY(f.score.line(0), 10, 90));

    // Hidden tempo marks draw nothing.
    f.surface.clear();
    f.score.prefs.showtempo = false;
    CDrawContext hidden = f.context();
    DrawEvents(hidden, 0);
    EXPECT_TRUE(f.surface.items().empty());
    EXPECT_TRUE(hidden.hitRects.empty());
}

TEST(AnnotationDrawing, SymbolAnnotationLeadsItsWordsInTheEventFont) {
    CScore s = marksScore(2);
    s.userfonts.push_back(
        CUserFont{.name = QStringLiteral("DejaVu Serif"), .size = -90, .italic = true});
    CEvent a = event(EventType::Annotation, 96, 79, QChar(38) + QStringLiteral(" espress."), {1});
    a.fontindex = 1;
    s.annotationTrack.addEvent(a);
    s.annotationTrack.addEvent(event(EventType::Annotation, 192, 50, QStringLiteral("rit.")));
    MarksFixture f(std::move(s));
    f.view.editedEvent = 1;
    f.view.editedEventTrack = kAnnotationTrack;
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const auto first = textsIn(f, QStringLiteral("annotation 0"));
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].text, QString(QChar(38)));  // mf
    EXPECT_EQ(first[0].font.family, kKeystave);
    EXPECT_EQ(first[0].font.height, 10 * -90 / 15);
    EXPECT_TRUE(first[0].font.italic);
    EXPECT_EQ(first[1].text, QStringLiteral(" espress."));
    EXPECT_EQ(first[1].font.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(first[1].font.height, -30);
    EXPECT_EQ(first[0].points[0].x(), tickX(ctx, 0, 96));
    // Plain words; the annotation being typed shows a "|" after its text.
    const auto second = textsIn(f, QStringLiteral("annotation 1"));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, QStringLiteral("rit.|"));
    EXPECT_EQ(second[0].rect.bottom() + 1, pitchToY(f.score.line(0), 10, 50));
    ASSERT_EQ(ctx.hitRects.size(), 2u);
    EXPECT_EQ(ctx.hitRects[1].track, kAnnotationTrack);
    EXPECT_EQ(ctx.hitRects[1].event, 1);
    EXPECT_EQ(ctx.hitRects[1].drawnX, tickX(ctx, 0, 192));

    // Annotations switched off are not drawn.
    f.surface.clear();
    f.score.prefs.showannotations = false;
    CDrawContext hidden = f.context();
    DrawEvents(hidden, 0);
    EXPECT_TRUE(f.surface.items().empty());
}

TEST(AnnotationDrawing, SectionMarkerHasItsCaptionAndAFlag) {
    CScore s = marksScore(2);
    ASSERT_TRUE(s.addSectionMarker(384));
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const int x = tickX(ctx, 1, 384);
    const int y = pitchToY(f.score.line(0), 10, 84);
    const auto items = f.inElement(QStringLiteral("annotation 0"));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, QStringLiteral("Section 1"));
    EXPECT_EQ(items[0].points[0].x(), x - 20);
    EXPECT_EQ(items[1].type, DrawnItem::Type::Polyline);
    EXPECT_EQ(items[1].points,
              QVector<QPoint>({{x, y}, {x, y + 480}, {x + ctx.w, y + 480}, {x + ctx.w, y}}));
}

TEST(AnnotationDrawing, EventsOfLinesOnOtherPagesOrOutsideTheScoreAreSafe) {
    CScore s = marksScore(2);
    CEvent far = event(EventType::Annotation, 1 << 30, 127, QStringLiteral("far"));
    far.fontindex = 99;
    s.annotationTrack.addEvent(far);
    CEvent odd = event(EventType::Annotation, 0, 0, QStringLiteral("x"), {5});
    odd.fontindex = -4;
    odd.text.clear();  // a symbol flag on an empty text
    s.annotationTrack.addEvent(odd);
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    DrawEvents(ctx, 5);  // no such line
    DrawEvents(ctx, -1);
    EXPECT_TRUE(f.texts(QStringLiteral("far")).empty());
    f.view.page = 1;  // line 0 is not on page 1
    f.surface.clear();
    CDrawContext other = f.context();
    DrawEvents(other, 0);
    EXPECT_TRUE(f.surface.items().empty());
}
