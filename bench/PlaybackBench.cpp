// Playback speed: scheduling the benchmark score (100,000 notes), one tick, the timing
// of a 60-second playback on a real clock, and rendering the score to audio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "model/PerformanceWalk.h"
#include "model/PlayBackMap.h"
#include "model/PlaybackTempo.h"
#include "model/TieChain.h"
#include "playback/PlayBackEngine.h"
#include "playback/PlayBackQueue.h"
#include "playback/WaveRender.h"
#include "support/BenchmarkScore.h"

using namespace ks;

namespace {

using Clock = std::chrono::steady_clock;

const CScore& benchmarkScore() {
    static const CScore score = [] {
        CScore s = bench::makeBenchmarkScore();
        s.midi.velocity = 100;
        s.midi.compression = 30;
        return s;
    }();
    return score;
}

int64_t noteCount(const CScore& s) {
    int64_t n = 0;
    for (int t : partTracks(s))
        n += s.track(t).notes.size();
    return n;
}

// An open device that sends nowhere, or that notes the wall time of every note message.
class TimingDevice : public CPlayDevice {
  public:
    bool IsOpen() const override { return true; }
    bool record = false;
    std::vector<Clock::time_point> noteTimes;
    int64_t sent = 0;

  protected:
    bool send(const uint8_t* bytes, int count, QString&) override {
        ++sent;
        const uint8_t kind = bytes[0] & 0xF0;
        if (record && (kind == 0x80 || kind == 0x90) && (bytes[0] & 0x0F) == 0)
            noteTimes.push_back(Clock::now());
        return true;
    }
};

}  // namespace

// The scheduler's work: every note-on and note-off of the score, repeats unrolled.
static void BM_ScheduleAllNotes(benchmark::State& state) {
    const CScore& s = benchmarkScore();
    int64_t events = 0;
    for (auto _ : state) {
        CPlayBackMap map;
        map.Rebuild(s);
        PerformanceOptions o;
        o.map = &map;
        o.endTime = s.length;
        o.playVelocity = s.midi.velocity;
        o.compression = compressionFactor(s.midi.compression);
        PerformanceWalk walk(s, partTracks(s), o);
        CPlayBackEvent e;
        events = 0;
        while (walk.next(e))
            ++events;
        benchmark::DoNotOptimize(events);
    }
    state.counters["notes"] = static_cast<double>(noteCount(s));
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_ScheduleAllNotes)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The same through the ring, with a reader on another thread taking events as they come.
static void BM_ScheduleThroughTheRing(benchmark::State& state) {
    const CScore& s = benchmarkScore();
    for (auto _ : state) {
        auto queue = std::make_unique<PlayBackQueue>();
        std::atomic<bool> done{false};
        int64_t read = 0;
        std::thread reader([&] {
            while (!done || !queue->empty()) {
                if (queue->front()) {
                    queue->pop();
                    ++read;
                } else {
                    std::this_thread::yield();
                }
            }
        });
        CPlayBackMap map;
        map.Rebuild(s);
        PerformanceOptions o;
        o.map = &map;
        o.endTime = s.length;
        PerformanceWalk walk(s, partTracks(s), o);
        CPlayBackEvent e;
        while (walk.next(e))
            while (!queue->push(e))
                std::this_thread::yield();
        done = true;
        reader.join();
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ScheduleThroughTheRing)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

// One tick at a fast tempo (about 10 events due per tick), the scheduler running ahead.
// Timed by hand: between two real ticks the scheduler has 20 ms to top the ring up, so
// the pauses that let it do so here are not counted.
static void BM_OneTick(benchmark::State& state) {
    CScore s = benchmarkScore();
    setPlaybackTempo(s, 600);
    TimingDevice device;
    CPlayBackEngine engine(device, CPlayBackEngine::Clock::Manual);
    engine.Start(s, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let the ring fill
    double worst = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const bool playing = engine.tick();
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        state.SetIterationTime(seconds);
        if (!playing) {
            engine.Start(s, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        worst = std::max(worst, seconds * 1e6);
        if (engine.waitingEvents() < 256 && engine.schedulerState() == CPlayBackEngine::Running)
            std::this_thread::sleep_for(std::chrono::milliseconds(12));
    }
    engine.Stop();
    state.counters["worst_us"] = worst;
    state.counters["sent_per_tick"] = double(device.sent) / double(state.iterations());
}
BENCHMARK(BM_OneTick)->Unit(benchmark::kMicrosecond)->Iterations(20000)->UseManualTime();

// 60 seconds of the score on the real 20 ms timer: how late each note message is sent
// against the moment the play position reaches its time.
static void BM_LatenessOverSixtySeconds(benchmark::State& state) {
    const CScore& s = benchmarkScore();
    for (auto _ : state) {
        // The note messages playback sends, in order, from the shared walk.
        CPlayBackMap map;
        map.Rebuild(s);
        PerformanceOptions o;
        o.map = &map;
        o.endTime = s.length;
        o.playVelocity = s.midi.velocity;
        o.compression = compressionFactor(s.midi.compression);
        PerformanceWalk walk(s, partTracks(s), o);
        const double msPerTick = kTickMilliseconds / ticksPerTick(playbackTempo(s), s.ppqn);
        std::vector<double> idealMs;
        CPlayBackEvent e;
        while (walk.next(e) && e.time * msPerTick < 60000)
            idealMs.push_back(e.time * msPerTick);

        TimingDevice device;
        device.record = true;
        device.noteTimes.reserve(idealMs.size() + 100);
        CPlayBackEngine engine(device);
        engine.Start(s, 0);
        const auto t0 = Clock::now();  // the timer starts as Start returns
        std::this_thread::sleep_until(t0 + std::chrono::milliseconds(60000));
        engine.Stop();

        std::vector<double> late;
        const size_t n = std::min(idealMs.size(), device.noteTimes.size());
        for (size_t i = 0; i < n; ++i)
            late.push_back(
                std::chrono::duration<double, std::milli>(device.noteTimes[i] - t0).count() -
                idealMs[i]);
        std::sort(late.begin(), late.end());
        state.counters["messages"] = static_cast<double>(n);
        state.counters["median_ms"] = late.empty() ? 0 : late[late.size() / 2];
        state.counters["max_ms"] = late.empty() ? 0 : late.back();
        state.counters["min_ms"] = late.empty() ? 0 : late.front();
    }
}
BENCHMARK(BM_LatenessOverSixtySeconds)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The whole score rendered through the built-in synthesizer, the audio discarded.
static void BM_RenderToAudio(benchmark::State& state) {
    const CScore& s = benchmarkScore();
    int64_t frames = 0;
    int peak = 0;
    for (auto _ : state) {
        const RenderResult r = renderPerformance(s, RenderOptions{}, [&](const int16_t* p, int f) {
            for (int i = 0; i < 2 * f; ++i)
                peak = std::max(peak, std::abs(int(p[i])));
            return true;
        });
        frames = r.frames;
    }
    const double audioSeconds = double(frames) / 44100;
    state.counters["audio_s"] = audioSeconds;
    state.counters["x_realtime"] =
        benchmark::Counter(audioSeconds * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak"] = peak / 32768.0;
}
BENCHMARK(BM_RenderToAudio)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

BENCHMARK_MAIN();
