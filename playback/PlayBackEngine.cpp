// Starting and stopping playback, and the scheduler thread.
#include "PlayBackEngine.h"

#include <algorithm>
#include <cassert>

#include "PlayBackPerformance.h"
#include "ThreadPriority.h"
#include "model/PerformanceWalk.h"
#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "model/TieChain.h"

namespace ks {

namespace {

constexpr auto kFullQueueWait = std::chrono::milliseconds(10);

}  // namespace

CPlayBackEngine::CPlayBackEngine(CPlayDevice& device, Clock clock)
    : device_(device), clock_(clock) {}

CPlayBackEngine::~CPlayBackEngine() {
    Stop(nullptr);
    joinThreads();
}

bool CPlayBackEngine::Start(const CScore& score, int32_t start, const PlayRequest& request) {
    // Playback is driven from the user-interface thread, never from inside a tick.
    assert(std::this_thread::get_id() != timer_.get_id());
    if (std::this_thread::get_id() == timer_.get_id()) return false;
    if (playState_ > Stopped) Stop(nullptr);
    joinThreads();

    auto performance = std::make_shared<Performance>(score, request);
    if (performance->tracks.empty()) return false;
    start = std::max(start, 0);

    const CMidiSettings& midi = performance->midi;
    ticksPerTick_ = ks::ticksPerTick(playbackTempo(score), score.ppqn);
    ticksPerMinute_ = int64_t(playbackTempo(score)) * std::max(score.ppqn, 1);
    ticks_ = 0;
    endTime_ = score.length;
    nextClick_ = start;
    clickLength_ = std::max(score.ppqn, 1) >> 2;
    clickOff_ = start + clickLength_;
    clickSounding_ = false;
    sounding_.clear();
    position_ = start;
    startTime_ = start;
    queue_.discard();
    performance_ = performance;
    score_ = &score;

    schedulerState_ = Running;
    scheduler_ = std::thread(&CPlayBackEngine::schedule, this, performance, start);

    device_.programChange(midi.channel, midi.program);
    device_.programChange(midi.tickchannel, midi.tickprogram);
    device_.EnsureAudible();

    playState_ = Playing;
    timerStop_ = false;
    if (clock_ == Clock::Timer) timer_ = std::thread(&CPlayBackEngine::runTimer, this);
    return true;
}

void CPlayBackEngine::Stop(const CScore* score) {
    if ((score && score != score_.load()) || playState_ == Stopped) return;
    timerStop_ = true;
    int running = Running;
    schedulerState_.compare_exchange_strong(running, StopRequested);
    wake_.notify_all();
    // From inside a tick (a callback that stops playback) the timer thread cannot wait
    // for itself: it ends after this tick, and the next Start collects it.
    if (std::this_thread::get_id() != timer_.get_id())
        joinThreads();
    else if (scheduler_.joinable())
        scheduler_.join();
    queue_.discard();
    playState_ = Stopped;
    silence();
}

bool CPlayBackEngine::IsPlaying(const CScore* score) const {
    return playState_ >= Playing && score && score == score_.load();
}

void CPlayBackEngine::silence() {
    sounding_.clear();
    if (performance_) {
        device_.allNotesOff(performance_->midi.channel);
        device_.allNotesOff(performance_->midi.tickchannel);
    }
    score_ = nullptr;
}

void CPlayBackEngine::joinThreads() {
    if (timer_.joinable() && std::this_thread::get_id() != timer_.get_id()) timer_.join();
    if (scheduler_.joinable()) scheduler_.join();
}

void CPlayBackEngine::schedule(std::shared_ptr<const Performance> performance, int32_t start) {
    PerformanceOptions options;
    options.map = &performance->map;
    options.startTime = start;
    options.endTime = performance->score.length;
    options.playVelocity = performance->midi.velocity;
    options.compression = compressionFactor(std::clamp(performance->midi.compression, 0, 100));
    PerformanceWalk walk(performance->score, performance->tracks, options);
    CPlayBackEvent event;
    while (schedulerState_ == Running && walk.next(event)) {
        // A full ring waits for the tick in 10 ms steps, and gives up on a stop.
        while (!queue_.push(event)) {
            std::unique_lock lock(wakeMutex_);
            wake_.wait_for(lock, kFullQueueWait, [&] { return schedulerState_ != Running; });
            if (schedulerState_ != Running) return;
        }
    }
    int running = Running;
    schedulerState_.compare_exchange_strong(running, Finished);
}

void CPlayBackEngine::runTimer() {
    raiseThreadPriority();
    auto next = std::chrono::steady_clock::now();
    for (;;) {
        next += std::chrono::milliseconds(kTickMilliseconds);
        {
            std::unique_lock lock(wakeMutex_);
            if (wake_.wait_until(lock, next, [&] { return timerStop_.load(); })) return;
        }
        if (!tick()) return;
    }
}

}  // namespace ks
