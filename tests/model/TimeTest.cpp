#include <gtest/gtest.h>

#include <tuple>

#include "model/Score.h"

using namespace ks;

namespace {

CScore scoreWith(std::initializer_list<CTimeSignature> sigs) {
    CScore s;
    for (const CTimeSignature& t : sigs)
        s.setTimeSignature(t.nom, t.denom, t.bar, 0, true);
    s.normaliseTimeSignatures();
    return s;
}

}  // namespace

TEST(ScoreTime, NoSignatureAnswersAsFourFour) {
    const CScore s;
    EXPECT_TRUE(s.timesigs.empty());
    EXPECT_EQ(s.barLength(0), 384);
    EXPECT_EQ(s.barAtTick(383), 0);
    EXPECT_EQ(s.barAtTick(384), 1);
    EXPECT_EQ(s.barStart(3), 1152);
    EXPECT_EQ(s.beatLength(2), 96);
    EXPECT_EQ(s.startTempo(), 120);
}

TEST(ScoreTime, BarAndBeatArithmeticAcrossSignatureChanges) {
    // 4/4 for bars 0-1, 6/8 for bars 2-3, 3/4 from bar 4.
    const CScore s = scoreWith({{4, 4, 0}, {6, 8, 2}, {3, 4, 4}});
    ASSERT_EQ(s.timesigs.size(), 3u);
    struct Case {
        int bar, start, length, beat;
    };
    for (const Case c : {Case{0, 0, 384, 96}, Case{1, 384, 384, 96}, Case{2, 768, 288, 144},
                         Case{3, 1056, 288, 144}, Case{4, 1344, 288, 96}, Case{6, 1920, 288, 96}}) {
        SCOPED_TRACE(c.bar);
        EXPECT_EQ(s.barStart(c.bar), c.start);
        EXPECT_EQ(s.barLength(c.bar), c.length);
        EXPECT_EQ(s.beatLength(c.bar), c.beat);
        EXPECT_EQ(s.barAtTick(c.start), c.bar);
        EXPECT_EQ(s.barAtTick(c.start + c.length - 1), c.bar);
    }
}

TEST(ScoreTime, SixteenthCompoundAndOddSignatures) {
    CScore s;
    struct Case {
        int nom, denom, barlength, beat;
    };
    for (const Case c : {Case{12, 8, 576, 144}, Case{6, 16, 144, 72}, Case{5, 8, 240, 48},
                         Case{2, 2, 384, 192}, Case{7, 4, 672, 96}}) {
        s.setTimeSignature(c.nom, c.denom, 0);
        EXPECT_EQ(s.barLength(0), c.barlength) << c.nom << "/" << c.denom;
        EXPECT_EQ(s.beatLength(0), c.beat) << c.nom << "/" << c.denom;
    }
}

TEST(ScoreTime, SettingTheSameSignatureBackLeavesOneEntry) {
    CScore s;
    s.setTimeSignature(4, 4, 0);
    s.setTimeSignature(3, 4, 4);
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].time, 4 * 384);
    s.setTimeSignature(4, 4, 4);
    ASSERT_EQ(s.timesigs.size(), 1u);
    EXPECT_EQ(s.timesigs[0].bar, 0);
    EXPECT_EQ(s.timesigs[0].nom, 4);
}

// Signatures set one by one in bar order (as a MIDI import does) give the list one
// normalisation of them all gives: repeats at a bar, values that change nothing and
// huge bars included.
TEST(ScoreTime, SignaturesSetInBarOrderMatchOneNormalisation) {
    CScore oneByOne, batch;
    uint32_t state = 12345;
    int32_t bar = 0;
    for (int i = 0; i < 3000; ++i) {
        state = state * 1103515245u + 12345u;
        bar += static_cast<int32_t>((state >> 16) % 3);  // 0: the same bar again
        const int32_t nom = 2 + static_cast<int32_t>((state >> 8) % 3);
        const int32_t denom = (state >> 4) % 2 ? 4 : 8;
        const int32_t at = i == 2999 ? kMaxBars : bar;
        oneByOne.setTimeSignature(nom, denom, at);
        batch.setTimeSignature(nom, denom, at, 0, true);
    }
    batch.normaliseTimeSignatures();
    ASSERT_EQ(oneByOne.timesigs.size(), batch.timesigs.size());
    for (size_t i = 0; i < batch.timesigs.size(); ++i) {
        const CTimeSignature& a = oneByOne.timesigs[i];
        const CTimeSignature& b = batch.timesigs[i];
        EXPECT_EQ(std::tie(a.nom, a.denom, a.bar, a.time, a.barlength),
                  std::tie(b.nom, b.denom, b.bar, b.time, b.barlength))
            << i;
    }
}

TEST(ScoreTime, SignatureByTickAndLengthMovesToABarLine) {
    CScore s;
    s.setLength(384 * 4);
    s.setTimeSignature(3, 4, -1, 384 * 2 + 10);  // lands on bar 2
    ASSERT_EQ(s.timesigs.size(), 2u);
    EXPECT_EQ(s.timesigs[1].bar, 2);
    // Bars 0-1 of 4/4, then 3/4: the old length 1536 is 768 + 768 = 2 bars + 2/3 bar.
    EXPECT_EQ(s.length, 768 + 3 * 288);
    EXPECT_EQ(s.barCount(), 5);
}

TEST(ScoreTime, HostileSignatureValuesAreClamped) {
    CScore s;
    s.setTimeSignature(0, 0, 0);
    EXPECT_GE(s.barLength(0), 1);
    s.setTimeSignature(-5, 3, 2);
    s.setTimeSignature(1000000, 1, 2000000000);
    for (const CTimeSignature& t : s.timesigs) {
        EXPECT_GE(t.barlength, 1);
        EXPECT_LE(t.bar, kMaxBars);
    }
    s.ppqn = 0;
    EXPECT_GE(s.beatLength(0), 1);
    EXPECT_GE(s.barLengthOf(4, 4), 1);
}

TEST(ScoreLength, MovesUpToTheNextBarAndKeepsEditLength) {
    CScore s;
    s.setLength(385);
    EXPECT_EQ(s.length, 768);
    EXPECT_EQ(s.editlength, 768);
    s.setLength(384);
    EXPECT_EQ(s.length, 384);
    EXPECT_EQ(s.editlength, 768);
    EXPECT_EQ(s.bars.size(), 1u);
    // An edit length beyond bar 100 with a length below bar 80 is brought back.
    s.editlength = 384 * 120;
    s.setLength(384 * 10);
    EXPECT_EQ(s.editlength, 384 * 10);
    // The bar count stays bounded whatever length is asked for.
    s.setLength(2000000000);
    EXPECT_LE(s.barCount(), kMaxBars);
    EXPECT_EQ(s.bars.size(), size_t(s.barCount()));
}

TEST(KeySignatures, MinorKeysAndBarZeroMirror) {
    CScore s;
    s.setKeySignature(22, 0);
    EXPECT_EQ(s.prefs.key, 7);
    EXPECT_TRUE(s.prefs.minorkey);
    s.setKeySignature(9, 8);
    s.setKeySignature(3, 4);
    s.setKeySignature(10, 8);  // replaces the entry at bar 8
    ASSERT_EQ(s.keysigs.size(), 3u);
    EXPECT_EQ(s.keysigs[1].bar, 4);
    EXPECT_EQ(s.keyAtBar(3), 22);
    EXPECT_EQ(s.keyAtBar(7), 3);
    EXPECT_EQ(s.keyAtBar(100), 10);
    s.setKeySignature(30, 2);
    s.setKeySignature(-1, 2);
    EXPECT_EQ(s.keysigs.size(), 3u);
}
