// Tuplets and Tuplet mode; typing lyrics, annotations and tempo marks.
#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"
#include "edit/TextTyping.h"
#include "edit/Tuplets.h"
#include "tests/edit/NoteEditTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class Tuplets : public NoteEditTest {
  protected:
    TupletQuestions answer(int n, bool yes = true) {
        return {[n] { return n; },
                [this, yes](int id) {
                    asked.push_back(id);
                    return yes;
                }};
    }
    std::vector<int> asked;
};

TEST(TupletLength, IsTheLargestPowerOfTwoDemisemiquaversWithinOneAndAHalfSpans) {
    EXPECT_EQ(tupletLength(96, 96), 96);
    EXPECT_EQ(tupletLength(96, 192), 192);
    EXPECT_EQ(tupletLength(96, 5), 12);  // even ppqn / 8 is too long
    EXPECT_EQ(tupletLength(96, 64), 96);
}

TEST_F(Tuplets, TwoQuaversBecomeATripletOfThree) {
    useNotes({{.time = 0, .duration = 48, .pitch = 60}, {.time = 48, .duration = 48, .pitch = 62}});
    select({{0, 60}, {48, 62}});
    fitBoxToNotes(score);
    auto c = ctx();
    EXPECT_EQ(convertToTuplet(c, answer(3)), EditOutcome::Score);
    // Two start times against three notes: the count question was asked.
    EXPECT_EQ(asked, (std::vector<int>{StringId::AskTupletCountMismatch}));
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {32, 62}}));
    for (const CNote& n : score.track(0).notes) {
        EXPECT_EQ(n.duration, 32);
        EXPECT_TRUE(n.flags & NoteFlag::Tuplet);
    }
    const int m = tupletMarkerAt(score.track(0), 0);
    ASSERT_GE(m, 0);
    EXPECT_EQ(score.track(0).events.at(m).data[0], 3);
    EXPECT_EQ(score.track(0).events.at(m).data[1], 96);
    EXPECT_EQ(lastLabel(), QStringLiteral("Convert Tuplet"));
    EXPECT_EQ(score.selection.mode, EditMode::Tuplet);
    expectChordsAsRebuilt();

    // In Tuplet mode the cursor walks the slots and Insert fills the empty one.
    score.selection.timestart = 0;
    score.selection.timeend = 1;
    EXPECT_EQ(tupletCursorSlot(score, +1), EditOutcome::Selection);
    EXPECT_EQ(tupletCursorSlot(score, +1), EditOutcome::Selection);
    EXPECT_EQ(score.selection.timestart, 64);
    EXPECT_EQ(tupletCursorSlot(score, +1), EditOutcome::Nothing);  // the tuplet ends at 96
    score.selection.pitchlo = score.selection.pitchhi = 64;
    EXPECT_EQ(tupletInsert(c), EditOutcome::Score);
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {32, 62}, {64, 64}}));
    EXPECT_TRUE(score.track(0).notes.at(2).flags & NoteFlag::Tuplet);
    EXPECT_EQ(score.track(0).notes.at(2).duration, 32);
    EXPECT_EQ(score.selection.mode, EditMode::Tuplet);
    EXPECT_EQ(toggleTupletMode(score), EditOutcome::Selection);
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
}

TEST_F(Tuplets, OneNoteIsRepeatedAndStrangersNeedConsent) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60}, {.time = 24, .duration = 24, .pitch = 59}});
    select({{0, 60}});
    score.selection.timestart = 0;
    score.selection.timeend = 96;
    score.selection.pitchlo = 72;
    score.selection.pitchhi = 48;
    auto c = ctx();
    EXPECT_EQ(convertToTuplet(c, answer(3, false)), EditOutcome::Nothing);
    EXPECT_EQ(asked, (std::vector<int>{StringId::AskTupletDeletesNotes}));
    EXPECT_EQ(steps(), 0u);
    EXPECT_EQ(convertToTuplet(c, answer(3)), EditOutcome::Score);
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {32, 60}, {64, 60}}));
}

TEST_F(Tuplets, RefusedAcrossABarOrOnAnotherTuplet) {
    useNotes({{.time = 336, .duration = 96, .pitch = 60}});
    select({{336, 60}});
    fitBoxToNotes(score);
    score.selection.timeend = 432;
    auto c = ctx();
    EXPECT_EQ(convertToTuplet(c, answer(3)), EditOutcome::Nothing);
    EXPECT_EQ(convertToTuplet(c, answer(0)), EditOutcome::Nothing);
    EXPECT_EQ(steps(), 0u);
}

class Typing : public NoteEditTest {};

TEST_F(Typing, LyricsAreTypedPerNoteAndLine) {
    useNotes({{.time = 0, .duration = 96, .pitch = 60}, {.time = 96, .duration = 96, .pitch = 62}});
    select({{0, 60}});
    auto c = ctx();
    EXPECT_EQ(toggleLyricMode(score), EditOutcome::Selection);
    EXPECT_EQ(score.selection.mode, EditMode::Lyric);
    typeLyric(c, "l");
    typeLyric(c, "a");
    EXPECT_EQ(lastLabel(), QStringLiteral("Lyric Editing"));
    lyricStepNote(score, +1);
    EXPECT_EQ(score.selection.timestart, 96);
    typeLyric(c, "di");
    lyricBackspace(c);
    lyricStepLine(score, +1);
    typeLyric(c, "x");
    lyricStepLine(score, -1);
    lyricStepLine(score, -1);  // stays on the first line
    EXPECT_EQ(score.selection.lyricindex, 0);
    ASSERT_NE(lyricAtCursor(score), nullptr);
    EXPECT_EQ(lyricAtCursor(score)->text, QStringLiteral("d"));
    moveLyric(c, -2);
    EXPECT_EQ(lyricAtCursor(score)->data[1], -2);
    EXPECT_EQ(resetLyricOffset(c), EditOutcome::Score);
    EXPECT_EQ(lyricAtCursor(score)->data[1], 0);
    lyricStepNote(score, -1);
    EXPECT_EQ(lyricAtCursor(score)->text, QStringLiteral("la"));
    toggleLyricMode(score);
    EXPECT_EQ(score.selection.mode, EditMode::Notes);
}

TEST_F(Typing, AnnotationsAreCreatedTypedAndEmptiedAway) {
    cursorAt(192, 70);
    score.selection.mode = EditMode::Notes;
    auto c = ctx();
    toggleAnnotationMode(score);
    EXPECT_EQ(typeAnnotation(c, "p"), EditOutcome::Score);
    ASSERT_EQ(score.annotationTrack.events.size(), 1);
    const CEvent& a = score.annotationTrack.events.at(0);
    EXPECT_EQ(a.type, EventType::Annotation);
    EXPECT_EQ(a.time, 192);
    EXPECT_EQ(a.key(), 70);
    typeAnnotation(c, "p");
    EXPECT_EQ(score.annotationTrack.events.at(0).text, QStringLiteral("pp"));
    EXPECT_EQ(lastLabel(), QStringLiteral("Annotation Editing"));
    annotationBackspace(c);
    annotationBackspace(c);
    EXPECT_TRUE(score.annotationTrack.events.empty());
    EXPECT_FALSE(score.selection.currentObject.valid());
}

TEST_F(Typing, TypedTempoIsClampedToFiftyThroughThreeHundred) {
    struct Case {
        const char* typed;
        int32_t bpm;
    };
    for (const Case& k : {Case{"20", 50}, Case{"400", 300}, Case{"96", 96}}) {
        SCOPED_TRACE(k.typed);
        useNotes({});
        score.tempoTrack.events.Add(CEvent{.time = 0, .type = EventType::Tempo, .data = {1, 120}});
        score.selection.mode = EditMode::TempoMark;
        score.selection.currentObject = {kTempoTrackRef, 0};
        auto c = ctx();
        for (const char* d = k.typed; *d; ++d)
            typeTempoDigit(c, QChar(*d));
        EXPECT_EQ(typeTempoDigit(c, u'x'), EditOutcome::Nothing);
        EXPECT_EQ(score.tempoTrack.events.at(0).data[1], k.bpm);
        EXPECT_EQ(score.startTempo(), k.bpm);
        finishTempo(score);
        EXPECT_TRUE(score.tempoTrack.events.at(0).text.isEmpty());
        EXPECT_EQ(score.selection.mode, EditMode::Notes);
    }
}

}  // namespace
