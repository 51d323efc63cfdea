// Events tied to chords: lyrics, note marks and fingering, phrase marks.
#include <gtest/gtest.h>

#include "MarksTestUtil.h"
#include "render/layout/StemDirection.h"
#include "render/draw/Drawing.h"
#include "render/draw/EventDrawing.h"
#include "resources/MusicGlyphs.h"

using namespace ks;
using namespace ks::test;

namespace {

std::vector<DrawnItem> textsIn(const MarksFixture& f, const QString& element) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : f.inElement(element))
        if (i.type == DrawnItem::Type::Text) out.push_back(i);
    return out;
}

CScore lyricScore(int32_t align, int32_t position) {
    CScore s = marksScore(2, {{0, 0, 96, 64}, {0, 96, 96, 65}, {2, 0, 96, 48}});
    s.prefs.lyricalign = align;
    s.prefs.lyricposition = position;
    s.tracks[0].addEvent(event(EventType::Lyric, 96, 60, QStringLiteral("joy"), {0, 4}));
    s.tracks[0].addEvent(event(EventType::Lyric, 96, 60, QStringLiteral("two"), {1}));
    return s;
}

}  // namespace

TEST(LyricDrawing, CentredLyricSitsUnderTheMiddleOfTheHead) {
    MarksFixture f(lyricScore(6, 1));
    f.score.lines[0].lpad = 2;
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const auto first = f.texts(QStringLiteral("joy"));
    ASSERT_EQ(first.size(), 1u);
    const CScoreLine& line = f.score.line(0);
    // Centred on the head (x + W / 2), moved by data1 x u / 2, at the height of middle C
    // raised by the line's lyric padding.
    const double centre = tickX(ctx, 0, 96) + ctx.W / 2 + 20;
    EXPECT_EQ(first[0].points[0], QPoint(qRound(centre), pitchToY(line, 10, 60) - 20));
    EXPECT_EQ(first[0].align, TextAlign::Centre | TextAlign::Top);
    EXPECT_NEAR(first[0].rect.center().x(), centre, 1);
    // The second verse lies one text height lower.
    const auto second = f.texts(QStringLiteral("two"));
    ASSERT_EQ(second.size(), 1u);
    const double height = f.surface.cellHeight(first[0].font);
    EXPECT_EQ(second[0].points[0].y(), qRound(pitchToY(line, 10, 60) - 20 + height));
    // The hit rectangle covers the centred text.
    ASSERT_EQ(ctx.hitRects.size(), 2u);
    EXPECT_NEAR(ctx.hitRects[0].rect.center().x(), centre, 1);
    EXPECT_EQ(ctx.hitRects[0].rect.top(), first[0].points[0].y());
}

TEST(LyricDrawing, SyllablesOfOneVerseKeepAWordSpaceApart) {
    // Two long syllables on neighbouring short notes would run together; the second verse's
    // short ones have room and stay where their notes are.
    CScore s = marksScore(2, {{0, 0, 12, 64}, {0, 12, 84, 65}});
    s.tracks[0].addEvent(event(EventType::Lyric, 0, 60, QStringLiteral("twinkle-twinkle-twinkle-twinkle-shines-"), {0}));
    s.tracks[0].addEvent(event(EventType::Lyric, 12, 60, QStringLiteral("upon-upon-upon,"), {0}));
    s.tracks[0].addEvent(event(EventType::Lyric, 0, 60, QStringLiteral("a"), {1}));
    s.tracks[0].addEvent(event(EventType::Lyric, 12, 60, QStringLiteral("b"), {1}));
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    const double natural = tickX(ctx, 0, 12) + ctx.W / 2;
    for (int pass = 0; pass < 2; ++pass) {  // drawing the line again places them alike
        f.surface.clear();
        DrawEvents(ctx, 0);
        const auto first = f.texts(QStringLiteral("twinkle-twinkle-twinkle-twinkle-shines-"));
        const auto second = f.texts(QStringLiteral("upon-upon-upon,"));
        ASSERT_EQ(first.size(), 1u);
        ASSERT_EQ(second.size(), 1u);
        const double space = f.surface.measure(first[0].font, QStringLiteral(" ")).width;
        ASSERT_LT(natural - second[0].rect.width() / 2.0, first[0].rect.right() + space);
        EXPECT_NEAR(second[0].rect.left(), first[0].rect.left() + first[0].rect.width() + space, 2)
            << pass;
        EXPECT_EQ(first[0].points[0].x(), qRound(tickX(ctx, 0, 0) + ctx.W / 2)) << pass;
        const auto b = f.texts(QStringLiteral("b"));
        ASSERT_EQ(b.size(), 1u);
        EXPECT_EQ(b[0].points[0].x(), qRound(natural)) << pass;
    }
}

TEST(LyricDrawing, AlignmentAndPositionPreferences) {
    struct Case {
        int32_t align;
        int32_t position;
    };
    for (const Case c : {Case{0, 0}, Case{2, 2}}) {
        MarksFixture f(lyricScore(c.align, c.position));
        CDrawContext ctx = f.context();
        DrawEvents(ctx, 0);
        const DrawnItem joy = f.texts(QStringLiteral("joy"))[0];
        const double height = f.surface.cellHeight(joy.font);
        const CScoreLine& line = f.score.line(0);
        const int x = tickX(ctx, 0, 96) + 20;
        const int width = qRound(f.surface.measure(joy.font, QStringLiteral("joy")).width);
        if (c.align == 0) {
            // "Right" in the lyric settings: the text starts at the head.
            EXPECT_EQ(joy.points[0].x(), x);
            EXPECT_EQ(joy.rect.left(), x);
            EXPECT_EQ(joy.points[0].y(), qRound(line.staveTop - 8 * height));
            EXPECT_EQ(ctx.hitRects[0].rect.left(), x - 4);
        } else {
            // "Left": the text ends at the head's right side.
            EXPECT_EQ(joy.points[0].x(), qRound(x + ctx.W));
            EXPECT_NEAR(joy.rect.right(), x + ctx.W, 2);
            EXPECT_EQ(joy.points[0].y(), line.staveBottom);
            EXPECT_EQ(ctx.hitRects[0].rect.left(), qRound(x + ctx.W) - (width - 5));
        }
    }
}

TEST(LyricDrawing, HiddenGreyedAndEditedLyrics) {
    MarksFixture f(lyricScore(6, 1));
    f.view.mode = ViewMode::Music;
    f.view.currentPart = 2;
    f.view.lines = {f.score.line(0)};
    f.view.editedEvent = 1;
    f.view.editedEventTrack = 0;
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    EXPECT_EQ(f.texts(QStringLiteral("joy"))[0].colour, QColor(160, 160, 160));
    EXPECT_EQ(f.texts(QStringLiteral("two|")).size(), 1u);

    f.surface.clear();
    f.score.prefs.showlyrics = false;
    CDrawContext hidden = f.context();
    DrawEvents(hidden, 0);
    EXPECT_TRUE(f.surface.items().empty());
}

TEST(NoteMarkDrawing, StaccatoAndAccentSitOnTheHeadSideOffTheLines) {
    // Parts 0 and 1 both have tracks: part 0's stems point up, part 1's down.
    for (int part : {0, 1}) {
        for (int32_t pitch = 60; pitch <= 80; ++pitch) {
            CScore s = marksScore(1, {{part, 0, 96, pitch}});
            s.tracks[static_cast<size_t>(part)].addEvent(
                event(EventType::NoteMarks, 0, 60, {}, {NoteMark::Staccato | NoteMark::Accent}));
            MarksFixture f(std::move(s));
            CDrawContext ctx = f.context();
            DrawEvents(ctx, 0);
            const auto marks = textsIn(f, QStringLiteral("event 0"));
            ASSERT_EQ(marks.size(), 2u);
            const CScoreLine& line = f.score.line(0);
            const int y = pitchToY(line, 10, pitch);
            const DrawnItem& dot = marks[0];
            const DrawnItem& accent = marks[1];
            EXPECT_EQ(dot.text, glyphText(glyph::Staccato));
            EXPECT_EQ(accent.text, glyphText(glyph::Accent));
            EXPECT_EQ(dot.align, TextAlign::Centre | TextAlign::Top);
            EXPECT_EQ(dot.points[0].x(), qRound(tickX(ctx, 0, 0) + ctx.W / 2));
            // The dot's ink (0.2u..1.0u below its top) stays clear of the head and its
            // middle off every black-key line; the accent lies beyond the dot.
            const double dotMiddle = dot.points[0].y() + 6;
            for (int32_t q = 40; q < 100; ++q)
                if (isBlackKey(q))
                    EXPECT_GE(std::abs(pitchToY(line, 10, q) - dotMiddle), 4) << pitch;
            if (part == 0) {  // stem up: below the lowest note
                EXPECT_GT(dot.points[0].y() + 2, y + ctx.H / 2) << pitch;
                EXPECT_GT(accent.points[0].y(), dot.points[0].y() + 10) << pitch;
            } else {  // stem down: above
                EXPECT_LT(dot.points[0].y() + 10, y - ctx.H / 2) << pitch;
                EXPECT_LT(accent.points[0].y() + 17, dot.points[0].y()) << pitch;
            }
        }
    }
}

TEST(NoteMarkDrawing, FingeringRowsAndCustomFingering) {
    CScore s = marksScore(1, {{0, 0, 96, 64}, {2, 0, 96, 48}});
    const int32_t fingers = NoteMark::Finger1 | (NoteMark::Finger1 << 2);  // 1 and 3
    s.tracks[0].addEvent(event(EventType::NoteMarks, 0, 60, {}, {fingers}));
    s.tracks[2].addEvent(event(EventType::NoteMarks, 0, 60, {}, {fingers}));
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const CScoreLine& line = f.score.line(0);
    // Right hand: a row above the stave at pitch 77 at least, clear of the up stem (11
    // units above the note); finger 1 first, finger 3 three units higher.
    const auto right = textsIn(f, QStringLiteral("event 0"));
    ASSERT_EQ(right.size(), 4u);  // the left hand's event has index 0 too
    EXPECT_EQ(right[0].text, QStringLiteral("1"));
    EXPECT_EQ(right[1].text, QStringLiteral("3"));
    const int row = std::min(pitchToY(line, 10, 77), pitchToY(line, 10, 64) - 110);
    EXPECT_EQ(right[0].points[0].y(), row);
    EXPECT_EQ(right[1].points[0].y(), row - 30);
    // Left hand: below the stave at pitch 41 at most; finger 3 first, 1 below it.
    EXPECT_EQ(right[2].text, QStringLiteral("3"));
    EXPECT_EQ(right[3].text, QStringLiteral("1"));
    const int lowRow = std::max(pitchToY(line, 10, 41), pitchToY(line, 10, 48) + 60);
    EXPECT_EQ(right[2].points[0].y(), lowRow);
    EXPECT_EQ(right[3].points[0].y(), lowRow + 30);

    // Near the head: the first digit's middle 5 units (plus the offset, upward) beyond
    // the note on the head side.
    f.surface.clear();
    f.score.prefs.customfingering = true;
    f.score.tracks[0].events[0].data[1] = 2;
    CDrawContext custom = f.context();
    DrawEvents(custom, 0);
    const auto near = textsIn(f, QStringLiteral("event 0"));
    ASSERT_EQ(near.size(), 4u);
    EXPECT_EQ(near[0].points[0].y(), pitchToY(line, 10, 64) + 50 - 20 - 13);
    EXPECT_EQ(near[1].points[0].y(), near[0].points[0].y() + 30);

    // Hidden fingering draws nothing, but accents still show.
    f.surface.clear();
    f.score.prefs.showfingering = false;
    CDrawContext hidden = f.context();
    DrawEvents(hidden, 0);
    EXPECT_TRUE(textsIn(f, QStringLiteral("event 0")).empty());
    EXPECT_TRUE(hidden.hitRects.empty());
}

TEST(NoteMarkDrawing, MarksOnRestsOrMissingChordsAreSkipped) {
    CScore s = marksScore(1, {{0, 96, 96, 64}});
    s.tracks[0].addEvent(event(EventType::NoteMarks, 0, 60, {}, {NoteMark::Accent}));  // a rest
    s.tracks[3].addEvent(
        event(EventType::NoteMarks, 5000, 60, {}, {NoteMark::Accent}));  // past the end
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    EXPECT_TRUE(f.surface.items().empty());
}

TEST(PhraseMarkDrawing, OneCurveOverTheNotesOrTwoAcrossLines) {
    CScore s = marksScore(6, {{1, 0, 96, 64}, {1, 288, 96, 66}, {1, 1152, 96, 70}});
    // Part 1 points its stems down: the ends lie at the notes' own heights, moved one
    // semitone up from a black key (66 to 67, 70 to 71).
    s.tracks[1].addEvent(event(EventType::Phrase, 0, 64, {}, {0, 64, 66, 0, 288}));
    s.tracks[1].addEvent(event(EventType::Phrase, 288, 66, {}, {1, 64, 66, 0, 288}));
    s.tracks[1].addEvent(event(EventType::Phrase, 288, 66, {}, {0, 66, 70, 288, 1152}));
    s.tracks[1].addEvent(event(EventType::Phrase, 1152, 70, {}, {1, 66, 70, 288, 1152}));
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    DrawEvents(ctx, 1);
    const CScoreLine& l0 = f.score.line(0);
    const CScoreLine& l1 = f.score.line(1);
    const int a = qRound(tickX(ctx, 0, 0) + ctx.W), b = qRound(tickX(ctx, 0, 288) + ctx.W);
    const int c = qRound(tickX(ctx, 3, 1152) + ctx.W);
    const int length = l0.right - l0.left;
    // The phrase within line 0 once (its end event draws nothing); the phrase across
    // lines twice: running off the end of line 0 by one line length, and coming in
    // from one line length before line 1.
    const auto drawn = f.surface.itemsOf(DrawnItem::Type::Bezier);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].points[0], QPoint(a, pitchToY(l0, 10, 64)));
    EXPECT_EQ(drawn[0].points[3], QPoint(b, pitchToY(l0, 10, 67)));
    EXPECT_LT(drawn[0].points[1].y(), drawn[0].points[0].y());  // arching upward
    EXPECT_EQ(drawn[1].points[0], QPoint(b, pitchToY(l0, 10, 67)));
    EXPECT_EQ(drawn[1].points[3], QPoint(c + length, pitchToY(l0, 10, 71)));
    EXPECT_EQ(drawn[2].points[0], QPoint(b - length, pitchToY(l1, 10, 67)));
    EXPECT_EQ(drawn[2].points[3], QPoint(c, pitchToY(l1, 10, 71)));
    EXPECT_EQ(drawn[2].pen.width, ctx.w);
    EXPECT_EQ(ctx.hitRects.size(), 3u);
}

TEST(PhraseMarkDrawing, UpStemsRaiseTheEndsClearOfTheStems) {
    CScore s = marksScore(1, {{0, 0, 96, 64}, {0, 96, 96, 62}});
    s.tracks[0].addEvent(event(EventType::Phrase, 0, 64, {}, {0, 64, 62, 0, 96}));
    MarksFixture f(std::move(s));
    CDrawContext ctx = f.context();
    DrawEvents(ctx, 0);
    const auto drawn = f.surface.itemsOf(DrawnItem::Type::Bezier);
    ASSERT_EQ(drawn.size(), 1u);
    const CScoreLine& line = f.score.line(0);
    EXPECT_EQ(drawn[0].points[0].y(), pitchToY(line, 10, 64 + 9 + 1));  // C sharp: up to D
    EXPECT_EQ(drawn[0].points[3].y(), pitchToY(line, 10, 62 + 9));
    f.surface.clear();
    f.score.tracks[0].events[0].data[2] = 61;
    CDrawContext moved = f.context();
    DrawEvents(moved, 0);
    EXPECT_EQ(f.surface.itemsOf(DrawnItem::Type::Bezier)[0].points[3].y(),
              pitchToY(line, 10, 61 + 9 + 1));
}
