// Beams (slope, stems reaching the beam, tuplet numbers) and ties.
#include <gtest/gtest.h>

#include <cmath>

#include "NotesTestUtil.h"
#include "render/layout/TickMapping.h"
#include "render/draw/Beams.h"
#include "render/draw/LineGeometry.h"

using namespace ks;
using namespace ks::test;

namespace {

std::vector<DrawnItem> beamQuads(const RecordingSurface& r, int beam) {
    return inElement(r, DrawnItem::Type::FillPolygon, QStringLiteral("beam %1").arg(beam));
}

// Slope of a beam quad's outer edge (first two points).
double slopeOf(const DrawnItem& quad) {
    const QPoint a = quad.points[0], b = quad.points[1];
    return double(b.y() - a.y()) / (b.x() - a.x());
}

std::vector<DrawnItem> stems(const RecordingSurface& r) {
    std::vector<DrawnItem> out;
    for (const DrawnItem& i : r.itemsOf(DrawnItem::Type::Line, QStringLiteral("chord")))
        if (i.points[0].x() == i.points[1].x()) out.push_back(i);
    return out;
}

int penWidth(const CScore& s) {
    RecordingSurface probe;
    return CDrawContext(probe, s, CViewState{}, a4Page()).w;
}

}  // namespace

// Two eighths far apart in pitch: the beam rises no more than 1 in 4, and the stem that
// would be cut short lifts the whole beam, so every stem ends on it.
TEST(Beams, SlopeIsClampedAndStemsReachTheBeam) {
    CScore s = drawingScore(3, {{0, 0, 48, 60}, {0, 48, 48, 76}}, {0});
    layOut(s);
    ASSERT_EQ(s.tracks[0].beams.size(), 1u);
    const auto r = record(s);
    const auto quads = beamQuads(*r, 0);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_NEAR(slopeOf(quads[0]), -0.25, 0.01);
    const int w = penWidth(s);
    const auto st = stems(*r);
    ASSERT_EQ(st.size(), 2u);
    for (const DrawnItem& stem : st) {
        // The stem's square cap ends on the beam's outer edge.
        const QPoint a = quads[0].points[0], b = quads[0].points[1];
        const double edge =
            a.y() + double(b.y() - a.y()) * (stem.points[0].x() - a.x()) / (b.x() - a.x());
        EXPECT_NEAR(stem.points[1].y() - w / 2, edge, 1.5);
    }
    // The high note's stem keeps its own length (7u above its head's top); the low
    // note's grows.
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    const int32_t highTop = CDrawContext::round(yOf(s, 0, 76) - ctx.H / 2);
    EXPECT_NEAR(st[1].points[1].y() - w / 2, highTop - 7 * kUnit, 1);
}

TEST(Beams, FlatWhenFarAboveDownOrFarBelowUp) {
    // Part 0 points up and part 1 down when both have tracks.
    CScore s = drawingScore(3, {{1, 0, 48, 77}, {1, 48, 48, 90}, {0, 96, 48, 30}, {0, 144, 48, 38}},
                            {0, 1});
    layOut(s);
    const auto r = record(s);
    const auto down = r->itemsOf(DrawnItem::Type::FillPolygon, QStringLiteral("beam"));
    ASSERT_EQ(down.size(), 2u);
    for (const DrawnItem& q : down)
        EXPECT_EQ(slopeOf(q), 0.0);
    // Between those limits the same intervals slope.
    CScore t = drawingScore(3, {{1, 0, 48, 60}, {1, 48, 48, 62}}, {0, 1});
    layOut(t);
    EXPECT_NE(slopeOf(record(t)->itemsOf(DrawnItem::Type::FillPolygon, QStringLiteral("beam"))[0]),
              0.0);
}

// Down-stem groups of sixteenths get stems 2 u longer than groups with an eighth, and
// a second beam.
TEST(Beams, SixteenthsBelowGetLongerStemsAndTwoBeams) {
    auto lowestStemEnd = [](int32_t length) {
        CScore s = drawingScore(3, {{1, 0, length, 79}, {1, length, length, 79}}, {0, 1});
        layOut(s);
        const auto r = record(s);
        const auto st = stems(*r);
        EXPECT_EQ(st.size(), 2u);
        return std::make_pair(st.empty() ? 0 : st[0].points[1].y(), beamQuads(*r, 0).size());
    };
    const auto [eighthEnd, eighthBeams] = lowestStemEnd(48);
    const auto [sixteenthEnd, sixteenthBeams] = lowestStemEnd(24);
    EXPECT_EQ(sixteenthEnd - eighthEnd, 2 * kUnit);
    EXPECT_EQ(eighthBeams, 1u);
    EXPECT_EQ(sixteenthBeams, 2u);
}

TEST(Beams, ShortValueInAGroupGetsAStub) {
    // A dotted eighth and a sixteenth: the full beam and a stub at the sixteenth.
    CScore s = drawingScore(3, {{0, 0, 72, 67}, {0, 72, 24, 69}}, {0});
    layOut(s);
    const auto quads = beamQuads(*record(s), 0);
    ASSERT_EQ(quads.size(), 2u);
    const int32_t stubLength = quads[1].points[1].x() - quads[1].points[0].x();
    EXPECT_LT(stubLength, quads[0].points[1].x() - quads[0].points[0].x());
    EXPECT_NEAR(stubLength, CDrawContext::round(2.5 * kUnit) + penWidth(s) / 2, 1);
}

TEST(Beams, TupletNumberCentredThreeUnitsFromTheBeam) {
    CScore s = drawingScore(3, {{0, 0, 32, 67}, {0, 32, 32, 67}, {0, 64, 32, 67}}, {0});
    s.tracks[0].addEvent(CEvent{.time = 0, .type = EventType::Tuplet, .data = {3, 96}});
    layOut(s);
    const auto r = record(s);
    const auto numbers = r->texts(QStringLiteral("3"));
    ASSERT_EQ(numbers.size(), 1u);
    const auto st = stems(*r);
    ASSERT_EQ(st.size(), 3u);
    const int32_t centreX = (st[0].points[0].x() + st[2].points[0].x()) / 2;
    EXPECT_EQ(numbers[0].points[0].x(), centreX);
    EXPECT_EQ(numbers[0].align & TextAlign::HorizontalMask, TextAlign::Centre);
    const int32_t beamEdge = beamQuads(*r, 0)[0].points[0].y();  // a flat beam
    EXPECT_NEAR(numbers[0].rect.center().y(), beamEdge - 3 * kUnit, 2);
    // Triplet eighths are plain eighths: one beam level (a piece between each pair of
    // chords), no dots.
    const auto quads = beamQuads(*r, 0);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].points[0].y(), quads[1].points[0].y());
    for (int note = 0; note < 3; ++note)
        EXPECT_EQ(inElement(*r, DrawnItem::Type::Text, QStringLiteral("note %1").arg(note)).size(),
                  1u);
}

namespace {

// The ends of a drawn tie: the arc's start and end points, left to right.
std::pair<QPoint, QPoint> tieEnds(const DrawnItem& arc) {
    QPoint a = arc.points[0], b = arc.points[1];
    if (a.x() > b.x()) std::swap(a, b);
    return {a, b};
}

}  // namespace

// A tie lies away from the stem, 2 u beyond its note, and its ellipse is three times
// as high as the tie (2 u for a white key).
TEST(Ties, ArcBesideTheNotesAwayFromTheStem) {
    CScore s = drawingScore(3, {{0, 0, 192, 67}, {0, 192, 192, 67}}, {0});
    s.tracks[0].notes[0].flags |= NoteFlag::TieStart;
    s.tracks[0].notes[1].flags |= NoteFlag::TieEnd;
    s.prefs.grayties = false;
    layOut(s);
    const auto r = record(s);
    const auto arcs = r->itemsOf(DrawnItem::Type::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].element, QStringLiteral("tie 0"));
    EXPECT_EQ(arcs[0].pen.colour, QColor(Qt::black));
    RecordingSurface probe;
    CDrawContext ctx(probe, s, CViewState{}, a4Page());
    const auto [left, right] = tieEnds(arcs[0]);
    const int32_t y = yOf(s, 0, 67) + 2 * kUnit;  // stem up: below
    EXPECT_EQ(left.y(), y);
    EXPECT_EQ(right.y(), y);
    const int32_t inset = CDrawContext::round(ctx.W / 4) + ctx.w;
    const int32_t stem0 = CDrawContext::round(tickToX(s, 0, 0) + ctx.W - ctx.w * 12.0 / 16);
    const int32_t stem1 = CDrawContext::round(tickToX(s, 0, 192) + ctx.W - ctx.w * 12.0 / 16);
    EXPECT_EQ(left.x(), stem0 + inset);
    EXPECT_EQ(right.x(), stem1 - inset);
    EXPECT_EQ(arcs[0].rect.height(), 3 * 2 * kUnit);
    EXPECT_EQ(arcs[0].rect.bottom() + 1 - y, 2 * kUnit);  // bulges 2 u below its ends
    // Grey with "Fade tied notes".
    s.prefs.grayties = true;
    EXPECT_EQ(record(s)->itemsOf(DrawnItem::Type::Arc)[0].pen.colour, CDrawContext::grey());
}

TEST(Ties, SeveralTiedNotesTopOneAboveOthersBelowBlackKeysFlatter) {
    CScore s = drawingScore(
        3, {{2, 0, 192, 48}, {2, 0, 192, 54}, {2, 192, 192, 48}, {2, 192, 192, 54}}, {2});
    for (CNote& n : s.tracks[2].notes)
        n.flags |= n.time == 0 ? NoteFlag::TieStart : NoteFlag::TieEnd;
    layOut(s);
    const auto arcs = record(s)->itemsOf(DrawnItem::Type::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(tieEnds(arcs[0]).first.y(), yOf(s, 0, 48) + 2 * kUnit);  // C3 below
    EXPECT_EQ(arcs[0].rect.height(), 6 * kUnit);
    EXPECT_EQ(tieEnds(arcs[1]).first.y(), yOf(s, 0, 54) - 2 * kUnit);  // F#3 above
    EXPECT_EQ(arcs[1].rect.height(), 3 * 90);                          // round(1.5u) high
}

// A tie into the next line runs to the end of its line; the note it ties to gets a tie
// from the start of its own line.
TEST(Ties, AcrossLines) {
    CScore s = drawingScore(6, {{0, 3 * 384 - 96, 96, 67}, {0, 3 * 384, 96, 67}}, {0});
    s.tracks[0].notes[0].flags |= NoteFlag::TieStart;
    s.tracks[0].notes[1].flags |= NoteFlag::TieEnd;
    layOut(s);
    ASSERT_EQ(s.line(1).firstBar, 3);
    const auto arcs = record(s)->itemsOf(DrawnItem::Type::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(tieEnds(arcs[0]).second.x(), s.bar(2).right);
    EXPECT_EQ(tieEnds(arcs[1]).first.x(),
              tickToX(s.bar(3), s.bar(3).startTick, kUnit, true, false));
    EXPECT_EQ(tieEnds(arcs[1]).first.y(), yOf(s, 1, 67) + 2 * kUnit);
    EXPECT_EQ(arcs[1].element, QStringLiteral("tie 1"));
}

TEST(Ties, SelectedNoteTieIsRedInMusicMode) {
    CScore s = drawingScore(3, {{0, 0, 192, 67}, {0, 192, 192, 67}}, {0});
    s.tracks[0].notes[0].flags |= NoteFlag::TieStart;
    s.tracks[0].notes[1].flags |= NoteFlag::TieEnd;
    layOut(s);
    CViewState view;
    view.mode = ViewMode::Music;
    view.lines = {s.line(0)};
    view.selectedNotes = {{192, 67}};
    EXPECT_EQ(record(s, view)->itemsOf(DrawnItem::Type::Arc)[0].pen.colour, QColor(255, 0, 0));
}
