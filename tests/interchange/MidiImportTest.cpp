#include <gtest/gtest.h>

#include "interchange/MidiImport.h"

using namespace ks;

namespace {

CMidiEvent ev(int32_t time, int status, int key, int velocity) {
    return CMidiEvent{.time = time,
                      .status = static_cast<uint8_t>(status),
                      .data = {static_cast<uint8_t>(key), static_cast<uint8_t>(velocity), 0}};
}

CMidiTrack trackNamed(const char* name, std::initializer_list<std::array<int, 4>> notes) {
    CMidiTrack t;
    t.name = QString::fromLatin1(name);
    for (const auto& n : notes)
        t.AddNote(n[0], n[1], n[2], n[3]);  // time, key, velocity, length
    return t;
}

std::vector<std::pair<int, int>> timesAndDurations(const CTrack& t) {
    std::vector<std::pair<int, int>> out;
    for (const CNote& n : t.notes)
        out.emplace_back(n.time, n.duration);
    return out;
}

}  // namespace

TEST(MidiImport, ReleasesPairOldestFirstAndUnreleasedNotesAreDropped) {
    CMidiTrack m;
    for (const CMidiEvent& e :
         {ev(0, 0x90, 60, 80), ev(10, 0x90, 60, 70), ev(50, 0x80, 60, 0),
          ev(60, 0x90, 60, 0),  // note-on with velocity 0 releases
          ev(70, 0x91, 62, 90), ev(80, 0x81, 62, 0), ev(90, 0x80, 64, 0)})  // a release of nothing
        m.events.Add(e);
    CTrack t;
    pairNotes(m, t);
    // The first release ends the first note-on; the overlap pass then cuts it at the second.
    ASSERT_EQ(t.notes.size(), 3);
    EXPECT_EQ(t.notes.at(0).time, 0);
    EXPECT_EQ(t.notes.at(0).duration, 10);
    EXPECT_EQ(t.notes.at(0).velocity, 80);
    EXPECT_EQ(t.notes.at(1).time, 10);
    EXPECT_EQ(t.notes.at(1).duration, 50);
    EXPECT_EQ(t.notes.at(2).pitch, 62);
    EXPECT_EQ(t.length, 80);

    // A note-on at 0, another at 96, one release at 192: the first lasts 192, is cut to 96;
    // the second is never released.
    CMidiTrack r;
    for (const CMidiEvent& e : {ev(0, 0x90, 60, 80), ev(96, 0x90, 60, 80), ev(192, 0x80, 60, 0)})
        r.events.Add(e);
    CTrack u;
    pairNotes(r, u);
    EXPECT_EQ(timesAndDurations(u), (std::vector<std::pair<int, int>>{{0, 96}}));
}

TEST(MidiImport, ResolutionTempoTextsAndSignatures) {
    for (const auto& [division, ppqn] :
         {std::pair{480, 480}, std::pair{15, 96}, std::pair{17, 96}}) {
        CMidiFile f;
        f.division = division;
        f.tempo = 90;
        f.title = QStringLiteral("Song");
        f.tracks.push_back(trackNamed("Piano", {{0, 60, 80, 100}}));
        f.addTimeSig({.time = 0, .numerator = 3, .denominator = 4});
        f.addKeySig({.time = 0, .key = -3, .minor = true});
        CScore s;
        importMidiFile(f, s);
        EXPECT_EQ(s.ppqn, ppqn) << division;
        EXPECT_EQ(s.startTempo(), 90);
        EXPECT_EQ(s.title, QStringLiteral("Song"));
        ASSERT_EQ(s.timesigs.size(), 1u);
        EXPECT_EQ(s.timesigs[0].nom, 3);
        EXPECT_EQ(s.keyAtBar(0), 7 + 3 + 15);             // three flats, minor: C minor
        EXPECT_EQ(s.track(0).notes.at(0).duration, 100);  // ticks taken as they are
    }
}

TEST(MidiImport, SignaturesAtTheirTicksAndLengthToTheLastNote) {
    CMidiFile f;
    f.division = 96;
    f.tracks.push_back(trackNamed("Piano", {{3000, 60, 80, 96}}));
    f.addTimeSig({.time = 0, .numerator = 4, .denominator = 4});
    f.addTimeSig({.time = 8 * 384, .numerator = 3, .denominator = 4});
    f.addKeySig({.time = 400, .key = 2});
    CScore s;
    importMidiFile(f, s);
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].bar, 8);
    EXPECT_EQ(s.keyAtBar(1), 5);
    EXPECT_EQ(s.length, 3072 + 288);  // the note ends in bar 8, rounded to its end
}

// Signatures arrive in time order, any number of them: each bar keeps the last one.
TEST(MidiImport, ManyKeySignaturesKeepTheLastOfEachBar) {
    constexpr int kCount = 20000;
    CMidiFile f;
    f.division = 96;
    for (int i = 0; i < kCount; ++i)
        f.keySigs.push_back({.time = (i / 2) * 384, .key = i % 15 - 7, .minor = i % 2 == 1});
    CScore s;
    importMidiFile(f, s);
    ASSERT_EQ(s.keysigs.size(), size_t(kCount / 2));
    for (int bar : {0, 1, 4567, kCount / 2 - 1}) {
        const int last = 2 * bar + 1;  // minor, like every second signature
        EXPECT_EQ(s.keyAtBar(bar), 7 - (last % 15 - 7) + 15) << bar;
    }
    EXPECT_EQ(s.prefs.key, (7 - (1 % 15 - 7) + 15) % 15);
    EXPECT_TRUE(s.prefs.minorkey);
}

TEST(MidiImport, HandsByNameThenByPitch) {
    {
        CMidiFile f;
        f.tracks.push_back(trackNamed("Left Hand", {{0, 40, 80, 96}}));
        f.tracks.push_back(trackNamed("Right Hand", {{0, 72, 80, 96}}));
        f.tracks.push_back(trackNamed("Copyright 2001", {{0, 80, 80, 96}}));
        CScore s;
        importMidiFile(f, s);
        EXPECT_EQ(s.trackOfPart(Part::RightHand), 1);
        EXPECT_EQ(s.trackOfPart(Part::LeftHand), 0);
    }
    {
        // No names: the pitches decide; a lone low track ends up in the right hand.
        CMidiFile f;
        f.tracks.push_back(
            trackNamed("Piano", {{0, 40, 80, 96}, {96, 45, 80, 96}, {192, 62, 80, 96}}));
        CScore s;
        importMidiFile(f, s);
        EXPECT_EQ(s.trackOfPart(Part::RightHand), 0);
        EXPECT_EQ(s.trackOfPart(Part::LeftHand), -1);
        EXPECT_EQ(s.selection.hand, 0);
    }
    {
        CMidiFile f;
        f.tracks.push_back(trackNamed("A", {{0, 40, 80, 96}}));
        f.tracks.push_back(trackNamed("B", {{0, 70, 80, 96}, {96, 72, 80, 96}}));
        f.tracks.push_back(trackNamed("Empty", {}));
        CScore s;
        importMidiFile(f, s);
        EXPECT_EQ(s.trackOfPart(Part::RightHand), 1);
        EXPECT_EQ(s.trackOfPart(Part::LeftHand), 0);
    }
}

TEST(MidiImport, TripletsAreSnappedMarkedAndCut) {
    // A quarter-note beat of three slightly uneven eighth-triplets at ppqn 96: 0, 33, 63.
    CTrack t;
    t.notes.AddAll({{.time = 0, .duration = 30, .pitch = 60},
                    {.time = 33, .duration = 30, .pitch = 62},
                    {.time = 63, .duration = 30, .pitch = 64}});
    detectTriplets(t, 0, 384, 96);
    ASSERT_EQ(t.notes.size(), 3);
    const int starts[] = {0, 32, 64};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(t.notes.at(i).time, starts[i]);
        EXPECT_TRUE(t.notes.at(i).flags & NoteFlag::Tuplet);
        EXPECT_EQ(t.notes.at(i).duration, 32);
    }
    ASSERT_EQ(t.events.size(), 1);
    EXPECT_EQ(t.events.at(0).type, EventType::Tuplet);
    EXPECT_EQ(t.events.at(0).data[0], 3);
    EXPECT_EQ(t.events.at(0).data[1], 96);
}

TEST(MidiImport, SwungPairsBecomeDottedPairs) {
    // Long-short swing in each beat of a 2/4 bar: 0 (64 long) and 64.
    CTrack t;
    t.notes.AddAll({{.time = 0, .duration = 64, .pitch = 60},
                    {.time = 64, .duration = 32, .pitch = 62},
                    {.time = 96, .duration = 64, .pitch = 60},
                    {.time = 160, .duration = 32, .pitch = 62}});
    detectTriplets(t, 0, 192, 96);
    EXPECT_EQ(timesAndDurations(t),
              (std::vector<std::pair<int, int>>{{0, 72}, {72, 32}, {96, 72}, {168, 32}}));
    EXPECT_TRUE(t.events.empty());
    // Straight eighths are left alone.
    CTrack straight;
    straight.notes.AddAll(
        {{.time = 0, .duration = 48, .pitch = 60}, {.time = 48, .duration = 48, .pitch = 62}});
    detectTriplets(straight, 0, 192, 96);
    EXPECT_EQ(timesAndDurations(straight), (std::vector<std::pair<int, int>>{{0, 48}, {48, 48}}));
}

TEST(MidiImport, AnEmptyFileGivesAnEmptyScore) {
    CMidiFile f;
    CScore s;
    importMidiFile(f, s);
    EXPECT_EQ(s.ppqn, 48);
    EXPECT_EQ(s.trackCount(), 0);
    EXPECT_EQ(s.startTempo(), 120);
}
