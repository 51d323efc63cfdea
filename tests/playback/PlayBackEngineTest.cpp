// The engine driven tick by tick: ppqn 120 at 25 bpm makes one tick exactly one score
// tick, so the recording device logs every message at the position it was due.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "playback/PlayBackEngine.h"
#include "playback/RecordingDevice.h"

using namespace ks;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

constexpr int kBar = 480;  // 4/4 at ppqn 120

CScore testScore(int tracks = 1) {
    CScore s;
    s.ppqn = 120;
    s.setTimeSignature(4, 4, 0);
    s.setLength(4 * kBar);
    setPlaybackTempo(s, 25);
    s.midi.channel = 2;
    s.midi.program = 5;
    s.midi.tickchannel = 9;
    s.midi.tickprogram = 0;
    s.midi.tickpitch = 37;
    for (int t = 0; t < tracks; ++t) {
        s.addTrack(CTrack{});
        s.parts[static_cast<size_t>(t)] = t + 1;
    }
    return s;
}

void addNote(CScore& s, int track, int time, int duration, int pitch, int velocity = 100) {
    s.tracks[static_cast<size_t>(track)].notes.Add(
        {.time = time, .duration = duration, .pitch = pitch, .velocity = velocity});
}

std::string describe(const RecordingDevice::Message& m) {
    const int channel = m.bytes[0] & 0x0F;
    std::string kind;
    switch (m.bytes[0] & 0xF0) {
        case 0x80:
            kind = "off";
            break;
        case 0x90:
            kind = "on";
            break;
        case 0xB0:
            kind = "cc";
            break;
        case 0xC0:
            kind = "pc";
            break;
        default:
            kind = "?";
    }
    std::string out = std::to_string(static_cast<int>(m.time)) + " " + kind + " " +
                      std::to_string(channel) + " " + std::to_string(m.bytes[1]);
    if (m.count == 3 && kind != "off") out += " " + std::to_string(m.bytes[2]);
    return out;
}

struct Harness {
    RecordingDevice device;
    CPlayBackEngine engine{device, CPlayBackEngine::Clock::Manual};
    std::vector<std::pair<int, int>> positions;
    int finished = 0;

    Harness() {
        device.setClock([this] { return double(engine.position()); });
        engine.setPositionCallback([this](int32_t p, int32_t s) { positions.push_back({p, s}); });
        engine.setFinishedCallback([this] { ++finished; });
    }
    // Tick until playback ends (or `limit` ticks); the number of ticks.
    int run(int limit = 100000) {
        int ticks = 0;
        while (ticks < limit && engine.tick())
            ++ticks;
        return ticks;
    }
    std::vector<std::string> log() const {
        std::vector<std::string> out;
        for (const auto& m : device.messages())
            out.push_back(describe(m));
        return out;
    }
};

}  // namespace

TEST(PlayBackEngine, PlaysToTheEndAndSilencesBothChannels) {
    CScore s = testScore(2);
    s.setLength(kBar);
    addNote(s, 0, 0, 240, 60);
    addNote(s, 1, 0, 240, 48, 90);  // the same tick: the earlier part first
    addNote(s, 0, 240, 120, 62, 110);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    EXPECT_TRUE(h.engine.IsPlaying(&s));
    EXPECT_DOUBLE_EQ(h.engine.ticksPerTick(), 1.0);
    h.run();
    EXPECT_THAT(h.log(),
                ElementsAre("0 pc 2 5", "0 pc 9 0",  // sent by Start
                            "1 on 2 60 100", "1 on 2 48 90", "225 off 2 60", "225 off 2 48",
                            "240 on 2 62 110", "353 off 2 62", "480 cc 2 123 0", "480 cc 9 123 0"));
    EXPECT_FALSE(h.engine.IsPlaying(&s));
    EXPECT_EQ(h.finished, 1);
    ASSERT_FALSE(h.positions.empty());
    EXPECT_EQ(h.positions.front(), std::make_pair(1, 1));
    EXPECT_EQ(h.positions.back(), std::make_pair(480, 480));
    EXPECT_FALSE(h.engine.tick());
}

TEST(PlayBackEngine, MetronomeClicksEveryBeatWithAccentedBarStarts) {
    CScore s = testScore();
    s.setTimeSignature(3, 4, 0);
    s.setLength(2 * 360);
    s.midi.tick = true;
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.run();
    std::vector<std::string> log = h.log();
    log.erase(log.begin(), log.begin() + 2);  // the program changes
    EXPECT_THAT(log, ElementsAre("1 on 9 37 127", "30 off 9 37", "120 on 9 37 80", "150 off 9 37",
                                 "240 on 9 37 80", "270 off 9 37", "360 on 9 37 127",
                                 "390 off 9 37", "480 on 9 37 80", "510 off 9 37", "600 on 9 37 80",
                                 "630 off 9 37", "720 cc 2 123 0", "720 cc 9 123 0"));

    // Started off the beat, the clicks stay off the beat: none is a bar start.
    h.device.clear();
    ASSERT_TRUE(h.engine.Start(s, 300));
    h.run();
    log = h.log();
    EXPECT_THAT(std::vector<std::string>(log.begin() + 2, log.end()),
                ElementsAre("301 on 9 37 80", "330 off 9 37", "420 on 9 37 80", "450 off 9 37",
                            "540 on 9 37 80", "570 off 9 37", "660 on 9 37 80", "690 off 9 37",
                            "720 cc 2 123 0", "720 cc 9 123 0"));
}

TEST(PlayBackEngine, RepeatsAreHeardTwiceAndTheMetronomeFollowsThePerformance) {
    CScore s = testScore();
    s.setLength(2 * kBar);
    s.bars[0].styleRight = 3;
    addNote(s, 0, 0, 120, 60);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.run();
    EXPECT_THAT(h.log(), ElementsAre("0 pc 2 5", "0 pc 9 0", "1 on 2 60 100", "113 off 2 60",
                                     "480 on 2 60 100", "593 off 2 60", "1440 cc 2 123 0",
                                     "1440 cc 9 123 0"));
    // The position is told in both times: the second pass maps back to bar 1.
    EXPECT_EQ(h.positions[600 - 1], std::make_pair(600, 120));
}

TEST(PlayBackEngine, StopDiscardsWaitingEventsAndSilences) {
    CScore s = testScore();
    addNote(s, 0, 0, 960, 60);
    addNote(s, 0, 960, 240, 64);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.run(100);
    h.engine.Stop(&s);  // another score's stop would do nothing; this one stops
    EXPECT_FALSE(h.engine.IsPlaying(&s));
    EXPECT_FALSE(h.engine.tick());
    EXPECT_THAT(h.log(), ElementsAre("0 pc 2 5", "0 pc 9 0", "1 on 2 60 100", "100 cc 2 123 0",
                                     "100 cc 9 123 0"));
    EXPECT_EQ(h.finished, 0);

    // A later start plays from its own position.
    h.device.clear();
    ASSERT_TRUE(h.engine.Start(s, 960));
    h.run();
    EXPECT_THAT(h.log(), ElementsAre("960 pc 2 5", "960 pc 9 0", "961 on 2 64 100", "1185 off 2 64",
                                     "1920 cc 2 123 0", "1920 cc 9 123 0"));
}

TEST(PlayBackEngine, StopOfAnotherScoreDoesNothing) {
    CScore s = testScore();
    addNote(s, 0, 0, 960, 60);
    CScore other = testScore();
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.engine.Stop(&other);
    EXPECT_TRUE(h.engine.IsPlaying(&s));
    EXPECT_FALSE(h.engine.IsPlaying(&other));
    h.engine.Stop();
    EXPECT_FALSE(h.engine.IsPlaying(&s));
}

TEST(PlayBackEngine, SoloPlaysTheCurrentPartAndNothingStartsWithoutTracks) {
    CScore s = testScore(2);
    s.setLength(kBar);
    addNote(s, 0, 0, 120, 72);
    addNote(s, 1, 0, 120, 48);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0, PlayRequest{.solo = true, .currentPart = 1}));
    h.run();
    EXPECT_THAT(h.log(), ElementsAre("0 pc 2 5", "0 pc 9 0", "1 on 2 48 100", "113 off 2 48",
                                     "480 cc 2 123 0", "480 cc 9 123 0"));

    h.device.clear();
    EXPECT_FALSE(h.engine.Start(s, 0, PlayRequest{.solo = true, .currentPart = 3}));
    CScore empty = testScore(0);
    EXPECT_FALSE(h.engine.Start(empty, 0));
    EXPECT_FALSE(h.engine.IsPlaying(&empty));
    EXPECT_THAT(h.log(), IsEmpty());
}

TEST(PlayBackEngine, SoundingTableFollowsTheNotes) {
    CScore s = testScore();
    for (int k = 0; k < 18; ++k)  // two more than the table holds
        addNote(s, 0, 0, 240, 40 + k);
    addNote(s, 0, 0, 60, 70);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.run(1);
    auto table = h.engine.sounding().snapshot();
    int used = 0;
    for (const CPlayBackEvent& e : table)
        used += e.duration > 0 ? 1 : 0;
    EXPECT_EQ(used, 16);
    EXPECT_EQ(table[0].pitch, 40);
    const uint32_t before = h.engine.sounding().changes();
    h.run(60);  // past the release of the short note: it was not listed
    EXPECT_EQ(h.engine.sounding().changes(), before);
    h.run(200);  // the long notes end
    EXPECT_EQ(h.engine.sounding().changes(), before + 16);
    h.engine.Stop();
}

TEST(PlayBackEngine, ClosedDeviceSkipsSendsWhilePlaybackRuns) {
    CScore s = testScore();
    s.setLength(kBar);
    addNote(s, 0, 0, 120, 60);
    Harness h;
    h.device.Close();
    ASSERT_TRUE(h.engine.Start(s, 0));
    EXPECT_EQ(h.run(), kBar - 1);
    EXPECT_THAT(h.log(), IsEmpty());
    EXPECT_EQ(h.positions.back().first, kBar);
}

TEST(PlayBackEngine, FailedSendsAreReportedWithTheDeviceText) {
    CScore s = testScore();
    s.setLength(kBar);
    addNote(s, 0, 0, 120, 60);
    Harness h;
    std::vector<QString> reports;
    h.device.setErrorReporter([&](const QString& t) { reports.push_back(t); });
    h.device.failSends(true);
    ASSERT_TRUE(h.engine.Start(s, 0));
    h.run();
    // Two program changes, note-on, note-off, two all-notes-off: each reported.
    ASSERT_EQ(reports.size(), 6u);
    EXPECT_EQ(reports[0], QStringLiteral("BAD ERROR NUMBER"));
    h.device.failSends(true, QStringLiteral("device gone"));
    h.device.noteOn(0, 60, 100);
    EXPECT_EQ(reports.back(), QStringLiteral("device gone"));
}

TEST(PlayBackEngine, FullRingHoldsTheSchedulerUntilTheTickDrains) {
    CScore s = testScore();
    s.setLength(60 * kBar);
    for (int i = 0; i < 1500; ++i)  // 3000 events
        addNote(s, 0, i * 16, 8, 40 + i % 40);
    Harness h;
    ASSERT_TRUE(h.engine.Start(s, 0));
    // Unticked, the scheduler fills the ring and waits with 1023 events.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(h.engine.schedulerState(), CPlayBackEngine::Running);
    h.run();
    const auto log = h.log();
    ASSERT_EQ(log.size(), 2u + 3000u + 2u);
    EXPECT_EQ(log[2], "1 on 2 40 100");
    EXPECT_EQ(log[2 + 2999], "23992 off 2 59");

    // Stopping while the scheduler waits on a full ring ends it promptly.
    ASSERT_TRUE(h.engine.Start(s, 0));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const auto t0 = std::chrono::steady_clock::now();
    h.engine.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
    EXPECT_NE(h.engine.schedulerState(), CPlayBackEngine::Running);
}

TEST(PlayBackEngine, RealTimerPlaysThrough) {
    CScore s = testScore();
    setPlaybackTempo(s, 600);  // 24 ticks every 20 ms
    s.setLength(kBar);
    addNote(s, 0, 0, 120, 60);
    RecordingDevice device;
    CPlayBackEngine engine(device);
    std::atomic<int> finished{0};
    engine.setFinishedCallback([&] { ++finished; });
    ASSERT_TRUE(engine.Start(s, 0));
    for (int i = 0; i < 200 && !finished; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(engine.IsPlaying(&s));
    EXPECT_EQ(device.messages().size(), 2u + 2u + 2u);
}
