#include <gtest/gtest.h>

#include "ScoreFileTestUtil.h"

using namespace ks;
using namespace ks::test;

// A document of the predecessor format with one of everything it converts.
static const char kDocument[] = R"(<tonepad version1="3" version2="1" version3="0">
 <printer><devmode data1="0102" /></printer>
 <score title="Old Tune" copyright="PD" artist="Anon" internetID="12">
  <preferences fontsize="60" key="9" minorkey="1" />
  <bars count="4">
   <bar index="1" startLine="3" endLine="2" keysignature="4">
    <annotation symbol="0" time="96" offsety="5" text="dolce"><font name="Arial" size="-90" /></annotation>
   </bar>
  </bars>
  <displayitems><displayitem type="2" time="192" pitch="70" data1="96" hand="1" /><displayitem type="1" time="0" pitch="70" data1="48" hand="0" /></displayitems>
  <lines><line index="0" padding="3" lyricPadding="2" barCount="4" offset="-1" width="90000" /></lines>
  <part track="2" /><part track="0" /><part track="1" />
  <voltamarks><volta type="0" startbar="1" endbar="1" caption="1." /></voltamarks>
 </score>
 <midi ppq="192" length="3072" tempo="100">
  <timesignature bar="0" nom="3" denom="4" />
  <track title="Melody" length="3072">
   <events>
    <event time="0" pitch="72" velocity="90" duration="192" grace="74" ornaments="ORNAMENTS" ornamentOffset="2" lyric="la" lyric3="lo" lyricAlign3="-4" />
    <event time="192" pitch="74" velocity="90" duration="192" hide="1" />
    <event time="384" pitch="76" duration="192" />
    <event time="576" pitch="76" velocity="80" duration="192">
     <triplet time="576" duration="192"><chord time="576" duration="64"><note pitch="77" velocity="70" /></chord></triplet>
    </event>
   </events>
   <phrases><phrase fromTime="0" fromPitch="72" toTime="576" toPitch="76" /></phrases>
   <spelling><chord time="0" duration="192" /><chord time="192" duration="192" /><chord time="960" duration="96" /></spelling>
  </track>
  <track title="Bass"><events><event time="0" pitch="48" velocity="80" duration="576" /></events></track>
 </midi>
</tonepad>
)";

TEST(PredecessorRead, ConvertsEveryKindOfContent) {
    CScore s;
    CPrinterSettings printer;
    // The ornament characters are raw control characters in these documents.
    const QByteArray document = QByteArray(kDocument).replace("ORNAMENTS", "\x01\x07");
    ASSERT_TRUE(readDocument(document, s, &printer).ok);
    EXPECT_EQ(printer.devmode, QByteArray("\x01\x02"));
    EXPECT_EQ(s.title, QStringLiteral("Old Tune"));
    EXPECT_EQ(s.internetID, 12);
    EXPECT_EQ(s.ppqn, 192);
    EXPECT_EQ(s.length, 3072);
    EXPECT_EQ(s.startTempo(), 100);
    EXPECT_EQ(s.prefs.fontsize, 60);
    EXPECT_EQ(s.keyAtBar(0), 24);  // key 9 + 15 for minor
    EXPECT_EQ(s.keyAtBar(1), 4);
    ASSERT_EQ(s.timesigs.size(), 1u);
    EXPECT_EQ(s.timesigs[0].barlength, 576);
    EXPECT_EQ(s.bars[1].styleLeft, 3);
    EXPECT_EQ(s.bars[1].styleRight, 2);
    EXPECT_EQ(s.parts, (std::array<int32_t, 4>{2, 0, 1, 0}));
    ASSERT_EQ(s.voltamarks.size(), 1u);
    EXPECT_EQ(s.voltamarks[0].flags, 1);

    ASSERT_EQ(s.trackCount(), 2);
    const CTrack& m = s.track(0);
    EXPECT_EQ(m.title, QStringLiteral("Melody"));
    ASSERT_EQ(m.notes.size(), 3);  // the hidden note is skipped; the velocity-less one too
    EXPECT_EQ(m.notes.at(0).flags, NoteFlag::Grace | NoteFlag::Spelling);
    EXPECT_EQ(m.notes.at(2).pitch, 77);
    EXPECT_EQ(m.notes.at(2).flags, NoteFlag::Tuplet);
    EXPECT_EQ(m.notes.at(2).duration, 64);
    auto eventsOf = [&](int type) {
        std::vector<CEvent> out;
        for (const CEvent& e : m.events)
            if (e.type == type) out.push_back(e);
        return out;
    };
    const auto grace = eventsOf(EventType::GraceNote);
    ASSERT_EQ(grace.size(), 1u);
    EXPECT_EQ(grace[0].data[0], 74);
    EXPECT_EQ(grace[0].data[1], 48);
    EXPECT_EQ(grace[0].data[2], 72);
    const auto marks = eventsOf(EventType::NoteMarks);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].data[0], NoteMark::Accent | NoteMark::Staccato);
    EXPECT_EQ(marks[0].data[1], 2);
    const auto lyrics = eventsOf(EventType::Lyric);
    ASSERT_EQ(lyrics.size(), 2u);
    EXPECT_EQ(lyrics[1].data[0], 2);
    EXPECT_EQ(lyrics[1].data[1], -4);
    EXPECT_EQ(lyrics[1].text, QStringLiteral("lo"));
    const auto tuplets = eventsOf(EventType::Tuplet);
    ASSERT_EQ(tuplets.size(), 1u);
    EXPECT_EQ(tuplets[0].time, 576);
    EXPECT_EQ(tuplets[0].data[1], 768);
    const auto phrase = eventsOf(EventType::Phrase);
    ASSERT_EQ(phrase.size(), 2u);
    EXPECT_EQ(phrase[1].data[0], 1);
    EXPECT_EQ(phrase[1].key(), 76);
    EXPECT_EQ(phrase[1].data[4], 576);
    // Touching spelling chords join into one range with a split point.
    const auto ranges = eventsOf(EventType::SpellingRange);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].time, 0);
    EXPECT_EQ(ranges[0].data[0], 384);
    EXPECT_EQ(ranges[1].time, 960);
    const auto splits = eventsOf(EventType::SpellingSplit);
    ASSERT_EQ(splits.size(), 1u);
    EXPECT_EQ(splits[0].time, 192);

    ASSERT_EQ(s.annotationTrack.events.size(), 1);
    const CEvent& words = s.annotationTrack.events.at(0);
    EXPECT_EQ(words.time, 576 + 96);
    EXPECT_EQ(words.text, QStringLiteral("dolce"));
    EXPECT_EQ(words.data[1], 1);
    EXPECT_EQ(words.data[3], 5);
    EXPECT_EQ(s.userfonts.at(static_cast<size_t>(words.fontindex)).size, -90);
    ASSERT_EQ(s.displayItems.size(), 2u);
    EXPECT_EQ(s.displayItems[0].type, EventType::Diminuendo);
    EXPECT_EQ(s.displayItems[0].data[0], 96);
    EXPECT_EQ(s.displayItems[0].key(), 70);
    EXPECT_EQ(s.displayItems[1].type, EventType::Crescendo);
    ASSERT_EQ(s.linePaddings.size(), 1u);
    EXPECT_EQ(s.linePaddings[0].width, 0.9);
    EXPECT_EQ(s.linePaddings[0].offset, -1);
}
