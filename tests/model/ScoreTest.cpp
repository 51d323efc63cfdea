#include <gtest/gtest.h>

#include "model/Score.h"
#include "model/StringIds.h"
#include "model/TextTable.h"

using namespace ks;

namespace {

CTrack namedTrack(const char* name, bool withNotes = true) {
    CTrack t;
    t.title = QString::fromLatin1(name);
    if (withNotes) t.addNote({.time = 0, .duration = 96});
    return t;
}

}  // namespace

TEST(Score, ResetGivesTheEmptyDocumentState) {
    CScore s;
    s.title = QStringLiteral("x");
    s.ppqn = 480;
    s.addTrack(namedTrack("a"));
    s.annotationTrack.addEvent(CEvent{.time = 5, .type = EventType::Annotation});
    s.userfonts.push_back(CUserFont{.name = QStringLiteral("Arial")});
    s.setTimeSignature(3, 4, 0);
    s.Reset();
    EXPECT_TRUE(s.title.isEmpty());
    EXPECT_EQ(s.ppqn, 96);
    EXPECT_EQ(s.trackCount(), 0);
    EXPECT_TRUE(s.timesigs.empty());
    ASSERT_EQ(s.userfonts.size(), 1u);
    EXPECT_EQ(s.userfonts[0], CUserFont{});
    EXPECT_EQ(s.annotationTrack.events.size(), 0);
    EXPECT_EQ(s.annotationTrack.title, QStringLiteral("Annotation Track"));
    EXPECT_EQ(s.tempoTrack.title, QStringLiteral("Tempo Track"));
    ASSERT_EQ(s.tempoTrack.events.size(), 1);
    EXPECT_EQ(s.tempoTrack.events.at(0).type, EventType::Tempo);
    EXPECT_EQ(s.startTempo(), 120);
    EXPECT_EQ(s.selection, CSelection{});
    EXPECT_EQ(s.firstShownPart(), kNoPart);
}

TEST(Score, NewDocumentContent) {
    CScore s;
    s.makeNewDocument();
    ASSERT_EQ(s.trackCount(), 2);
    EXPECT_EQ(s.track(0).title, QStringLiteral("Untitled"));
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{1, 0, 2, 0}));
    EXPECT_EQ(s.length, 28800);
    EXPECT_EQ(s.editlength, 28800);
    ASSERT_EQ(s.bars.size(), 75u);
    EXPECT_EQ(s.bars.back().styleRight, 4);
    EXPECT_EQ(s.bars[74].startTick, 74 * 384);
    // Both tracks are one long rest.
    ASSERT_EQ(s.track(1).chords.size(), 1);
    EXPECT_TRUE(s.track(1).chords.at(0).isRest());
    EXPECT_EQ(s.track(1).chords.at(0).duration, 28800);
}

TEST(Score, CopiesPointTheirTracksAtThemselves) {
    CScore a;
    a.makeNewDocument();
    CScore b = a;
    EXPECT_EQ(b.track(0).owner, &b);
    EXPECT_EQ(b.tempoTrack.owner, &b);
    CScore c;
    c = a;
    EXPECT_EQ(c.track(1).owner, &c);
}

TEST(Parts, AssignMovesATrackAndOutOfRangeEmptiesThePart) {
    CScore s;
    s.addTrack(namedTrack("a"));
    s.addTrack(namedTrack("b"));
    s.assignTrackToPart(0, 0);
    s.assignTrackToPart(1, 2);
    s.assignTrackToPart(0, 3);  // moves track 0 from part 0 to part 3
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 2, 1}));
    EXPECT_EQ(s.partOfTrack(0), 3);
    EXPECT_EQ(s.firstShownPart(), 2);
    s.assignTrackToPart(5, 2);
    s.assignTrackToPart(-1, 3);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    s.assignTrackToPart(0, 4);  // no such part
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(s.track(0).chordsvalid);
}

TEST(Parts, EmptyPartChoosesATrackByItsName) {
    CScore s;
    s.addTrack(namedTrack("Copyright 1998"));     // "right" inside copyright does not count
    s.addTrack(namedTrack("Piano RH"));           // rh
    s.addTrack(namedTrack("Right Hand Melody"));  // right, hand, melody (and "rh" nowhere)
    s.addTrack(namedTrack("Left hand", false));   // no notes
    s.addTrack(namedTrack("LH"));                 // lh
    s.addTrack(namedTrack("Left Hand"));          // left, hand
    EXPECT_EQ(s.chooseTrackForPart(0), 2);
    EXPECT_EQ(s.parts[0], 3);
    EXPECT_EQ(s.chooseTrackForPart(1), 1);
    EXPECT_EQ(s.chooseTrackForPart(2), 5);
    EXPECT_EQ(s.chooseTrackForPart(3), 4);
    // Nothing left that matches.
    CScore t;
    t.addTrack(namedTrack("Copyright"));
    EXPECT_EQ(t.chooseTrackForPart(0), -1);
    EXPECT_EQ(t.parts[0], 0);
}

TEST(Fonts, FindOrAddComparesFaceNamesWithoutCase) {
    CScore s;
    EXPECT_EQ(s.findOrAddFont(CUserFont{.name = QStringLiteral("times new roman")}), 0);
    EXPECT_EQ(s.findOrAddFont(CUserFont{.name = QStringLiteral("Arial")}), 1);
    EXPECT_EQ(s.findOrAddFont(CUserFont{.name = QStringLiteral("Arial"), .italic = true}), 2);
    EXPECT_EQ(s.findOrAddFont(CUserFont{.name = QStringLiteral("ARIAL")}), 1);
    EXPECT_EQ(s.userfonts.size(), 3u);
}

TEST(SectionMarkers, SnapNumberAndRefuse) {
    CScore s;
    s.setTimeSignature(6, 8, 0);
    s.setLength(288 * 4);
    EXPECT_TRUE(s.addSectionMarker(300));   // bar 1, snapped to its start (beat 144)
    EXPECT_FALSE(s.addSectionMarker(290));  // same snapped position
    EXPECT_TRUE(s.addSectionMarker(0));
    EXPECT_TRUE(s.addSectionMarker(288 + 150));  // second beat of bar 1
    const auto& ev = s.annotationTrack.events;
    ASSERT_EQ(ev.size(), 3);
    EXPECT_EQ(ev.at(0).time, 0);
    EXPECT_EQ(ev.at(1).time, 288);
    EXPECT_EQ(ev.at(2).time, 432);
    EXPECT_EQ(ev.at(2).data[1], 144);
    EXPECT_EQ(ev.at(2).key(), 84);
    EXPECT_EQ(ev.at(1).text, QStringLiteral("Section 2"));
    // A typed caption keeps its text; the others are renumbered.
    s.annotationTrack.events[1].data[2] = 1;
    s.annotationTrack.events[1].text = QStringLiteral("Chorus");
    EXPECT_EQ(s.removeSectionMarker(0), StringId::MarkerAtStart);
    EXPECT_EQ(s.removeSectionMarker(432), 0);
    EXPECT_EQ(s.removeSectionMarker(432), -1);
    EXPECT_EQ(s.annotationTrack.events.at(1).text, QStringLiteral("Chorus"));
    EXPECT_EQ(s.removeSectionMarker(288), 0);
    EXPECT_EQ(s.removeSectionMarker(0), 0);  // the last one may go
}

TEST(Defaults, BuiltInDefaultsOfANewDocument) {
    CScore s;
    s.prefs.fontsize = 60;
    s.applyBuiltInDefaults();
    EXPECT_EQ(s.title, QStringLiteral("Untitled"));
    EXPECT_EQ(s.artist, QStringLiteral("Unknown"));
    EXPECT_EQ(s.prefs.fontsize, 107);
    EXPECT_EQ(s.prefs.extendmode, 4);
    EXPECT_EQ(s.prefs.key, -1);
    EXPECT_EQ(s.midi.tickpitch, 37);
    EXPECT_EQ(s.midi.velocity, 127);
    EXPECT_EQ(s.font.name, QStringLiteral("Arial"));
    EXPECT_EQ(s.font.size, -110);
}
