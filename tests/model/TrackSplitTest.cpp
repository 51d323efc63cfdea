#include <gtest/gtest.h>

#include "ModelTestUtil.h"

#include "model/TrackSplit.h"

using namespace ks;
using ks::test::scoreWithTrack;

namespace {

// Pitches of the notes (first pieces) that go to each new track, as "1:..;2:..".
std::string destinations(const CScore& s, SplitMethod method, int pitch = 60) {
    const std::vector<int> dest = splitDestinations(s, 0, method, pitch);
    std::string one, two;
    for (int i = 0; i < s.track(0).notes.size(); ++i) {
        const CNote& n = s.track(0).notes.at(i);
        if (n.flags & NoteFlag::TieEnd) continue;
        (dest[size_t(i)] == 1 ? one : two) += std::to_string(n.pitch) + " ";
    }
    return "1:" + one + ";2:" + two;
}

CScore bassAndChords() {
    return scoreWithTrack({{.time = 0, .duration = 384, .pitch = 48},
                           {.time = 0, .duration = 384, .pitch = 64},
                           {.time = 0, .duration = 384, .pitch = 67},
                           {.time = 0, .duration = 384, .pitch = 72},
                           {.time = 384, .duration = 384, .pitch = 48},
                           {.time = 384, .duration = 384, .pitch = 64},
                           {.time = 384, .duration = 384, .pitch = 67},
                           {.time = 384, .duration = 384, .pitch = 72}},
                          2);
}

}  // namespace

TEST(SplitMethods, EachMethodDividesASmallTextureAsItsRulesSay) {
    // A held bass under a melody: the tied pieces of the bass follow its first piece.
    const CScore melody = scoreWithTrack({{.time = 0, .duration = 384, .pitch = 43},
                                          {.time = 0, .duration = 96, .pitch = 67},
                                          {.time = 96, .duration = 96, .pitch = 59},
                                          {.time = 192, .duration = 192, .pitch = 62},
                                          {.time = 192, .duration = 192, .pitch = 55}});
    struct Case {
        SplitMethod method;
        int pitch;
        const char* expected;
    };
    for (const Case& c : {
             Case{SplitMethod::TopNotes, 60, "1:67 59 62 ;2:43 55 "},
             Case{SplitMethod::AtPitch, 59, "1:67 59 62 ;2:43 55 "},
             Case{SplitMethod::AtPitch, 60, "1:67 62 ;2:43 59 55 "},
             // 59 alone over a tied bass scores 2*59-(67+43)+7 = 15, plus a quarter of
             // nothing: melody; 55 is the chord's middle: 110-110 = 0, not above.
             Case{SplitMethod::Analyse, 60, "1:67 59 62 ;2:43 55 "},
         }) {
        SCOPED_TRACE(static_cast<int>(c.method));
        EXPECT_EQ(destinations(melody, c.method, c.pitch), c.expected);
    }
    EXPECT_EQ(destinations(bassAndChords(), SplitMethod::ChordsRight),
              "1:64 67 72 64 67 72 ;2:48 48 ");
    EXPECT_EQ(destinations(bassAndChords(), SplitMethod::ChordsLeft),
              "1:72 72 ;2:48 64 67 48 64 67 ");
}

TEST(SplitMethods, TupletsStayWholeInTheFirstTrack) {
    CScore s = scoreWithTrack({{.time = 0, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 40},
                               {.time = 32, .duration = 32, .flags = NoteFlag::Tuplet, .pitch = 41},
                               {.time = 96, .duration = 96, .pitch = 40}});
    EXPECT_EQ(destinations(s, SplitMethod::AtPitch), "1:40 41 ;2:40 ");
}

TEST(SplitTrack, BuildsTwoNamedTracksWithTheirMarksAndShowsThem) {
    CScore s = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 72},
                               {.time = 0, .duration = 96, .pitch = 48},
                               {.time = 96, .duration = 96, .pitch = 50}});
    CEvent lyric;
    lyric.type = EventType::Lyric;
    lyric.text = QStringLiteral("la");
    CEvent grace;
    grace.type = EventType::GraceNote;
    grace.time = 96;
    grace.data[0] = 52;
    grace.data[1] = 12;
    grace.data[2] = 50;
    CEvent wedge;
    wedge.type = EventType::Crescendo;
    for (const CEvent& e : {lyric, grace, wedge})
        s.tracks[0].addEvent(e);
    s.tracks[0].title = QStringLiteral("Piano");

    SplitRequest r{.source = 0,
                   .destination1 = Part::RightHand,
                   .destination2 = Part::LeftHand,
                   .method = SplitMethod::AtPitch,
                   .pitch = 60,
                   .name1 = QStringLiteral("Piano (Split 1)"),
                   .name2 = QStringLiteral("Piano (Split 2)")};
    ASSERT_EQ(splitTrack(s, r), 1);
    ASSERT_EQ(s.trackCount(), 3);
    EXPECT_EQ(s.track(1).title, QStringLiteral("Piano (Split 1)"));
    EXPECT_EQ(s.track(1).notes.size(), 1);
    EXPECT_EQ(s.track(2).notes.size(), 2);
    ASSERT_EQ(s.track(1).events.size(), 1);  // the lyric
    EXPECT_EQ(s.track(1).events.at(0).type, EventType::Lyric);
    ASSERT_EQ(s.track(2).events.size(), 1);  // the grace note goes with its main note
    EXPECT_EQ(s.track(2).events.at(0).type, EventType::GraceNote);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{2, 0, 3, 0}));
    EXPECT_TRUE(s.track(1).chordsvalid);

    // A one-note track, no destinations: the parts stay as they were.
    CScore one = scoreWithTrack({{.time = 0, .duration = 96, .pitch = 60}});
    r.destination1 = r.destination2 = -1;
    ASSERT_EQ(splitTrack(one, r), 1);
    EXPECT_EQ(one.track(1).notes.size() + one.track(2).notes.size(), 1);
    EXPECT_EQ(one.parts, (std::array<int32_t, 4>{1, 0, 0, 0}));
    r.source = 7;
    EXPECT_EQ(splitTrack(one, r), -1);
}
