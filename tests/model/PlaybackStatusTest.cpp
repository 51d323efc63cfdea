#include <gtest/gtest.h>

#include "model/PlayBackMap.h"
#include "model/PlaybackStatus.h"
#include "model/PlaybackTempo.h"
#include "model/Score.h"

using namespace ks;

TEST(PlaybackStatus, PositionText) {
    CScore s;
    s.setLength(8 * 384);
    // 50 ticks into the second beat of bar 3 in 4/4 at ppqn 96.
    EXPECT_EQ(statusPositionText(s, 2 * 384 + 96 + 50), QStringLiteral(" 3/2/50  /  8"));
    EXPECT_EQ(statusPositionText(s, 0), QStringLiteral(" 1/1/0  /  8"));
    // Past the end the bar stays the last one.
    EXPECT_EQ(statusPositionText(s, 9 * 384), QStringLiteral(" 8/9/0  /  8"));
    s.setTimeSignature(6, 8, 0);  // a dotted-crotchet beat
    EXPECT_EQ(statusPositionText(s, 144 + 10), QStringLiteral(" 1/2/10  /  11"));
}

TEST(PlaybackStatus, TimeAndTempoTexts) {
    CScore s;
    s.setLength(60 * 384);      // 60 bars of 4/4 at 120 bpm: two minutes
    s.bars[59].styleRight = 3;  // played twice: four minutes
    CPlayBackMap map;
    map.Rebuild(s);
    EXPECT_EQ(statusTimeText(s, map, 192 * 65 + 10), QStringLiteral(" 01:05 / 04:00"));
    setPlaybackTempo(s, 60);
    EXPECT_EQ(statusTimeText(s, map, 96 * 61), QStringLiteral(" 01:01 / 08:00"));
    EXPECT_EQ(statusTempoText(96), QStringLiteral(" 96bpm "));
}

TEST(PlaybackStatus, TempoAndTickRate) {
    CScore s;
    EXPECT_EQ(playbackTempo(s), 120);
    EXPECT_DOUBLE_EQ(ticksPerTick(120, 96), 3.84);
    s.tempoTrack.events[0].data[1] = 0;  // a damaged document
    EXPECT_EQ(playbackTempo(s), 120);
    s.tempoTrack.events.clear();
    EXPECT_EQ(playbackTempo(s), 120);

    // Two marks at the start: the first one is set and stays first.
    CEvent mark;
    mark.type = EventType::Tempo;
    mark.data[0] = 1;
    for (int bpm : {100, 120}) {
        mark.data[1] = bpm;
        s.tempoTrack.addEvent(mark);
    }
    setPlaybackTempo(s, 600);
    EXPECT_EQ(playbackTempo(s), 600);
    EXPECT_EQ(s.midi.tempo, 600);
    EXPECT_EQ(s.tempoTrack.events.size(), 2);
}

TEST(PlaybackStatus, FollowCursorSnapsToBeatsOrThirtySeconds) {
    CScore s;
    s.setLength(4 * 384);
    s.setTimeSignature(6, 8, 2);  // bars 2 and 3 in 6/8: beat 144
    CPlayBackMap map;
    map.Rebuild(s);
    EXPECT_EQ(followCursorTime(s, map, 100, 0), 96);
    EXPECT_EQ(followCursorTime(s, map, 100, 1), 96);
    EXPECT_EQ(followCursorTime(s, map, 107, 1), 96);
    EXPECT_EQ(followCursorTime(s, map, 108, 1), 108);
    EXPECT_EQ(followCursorTime(s, map, 768 + 150, 0), 864);  // 918 - 918 % 144
    EXPECT_EQ(followCursorTime(s, map, 100000, 1), map.ScoreToPlay(s.length));
}

TEST(PlaybackStatus, SteppingTheCursorByBarsFollowsThePerformance) {
    CScore s;
    s.setLength(4 * 384);
    s.bars[1].styleRight = 3;  // bars 1-2 play twice: performance length 6 bars
    s.rebuildPlaybackMap();
    const CPlayBackMap& map = s.playbackMap;
    ASSERT_EQ(map.ScoreToPlay(s.length), 6 * 384);
    struct Case {
        int32_t cursor;
        int direction;
        int32_t expected;
    } cases[] = {
        {0, 1, 384},
        {100, 1, 384},
        {384, -1, 0},
        {400, -1, 384},
        {0, -1, 0},
        {2 * 384, 1, 3 * 384},  // into the repeat
        {3 * 384 + 5, -1, 3 * 384},
        {6 * 384, 1, 6 * 384},
        {6 * 384, -1, 5 * 384},
        {9 * 384, -1, 5 * 384},
        {-50, 1, 384},
    };
    for (const Case& c : cases)
        EXPECT_EQ(steppedPlaybackCursor(s, map, c.cursor, c.direction), c.expected)
            << c.cursor << " " << c.direction;

    // A shorter score pulls the playback cursor back inside the performance.
    s.playbackCursor = 6 * 384;
    s.setLength(2 * 384);
    s.rebuildPlaybackMap();
    EXPECT_EQ(s.playbackCursor, s.playbackMap.ScoreToPlay(s.length));
}
