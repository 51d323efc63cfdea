// CPlayBackEngine: plays one score at a time on the MIDI device. Start takes a private
// copy of what playback reads (the played tracks, signatures, bars and voltas) and
// builds its performance map; a scheduler thread walks that copy and fills a ring of
// timed events; a timer thread ticks every 20 ms, advances the play position, sends the
// events that have become due, clicks the metronome and reports the position.
//
// Start, Stop and IsPlaying are called on the user-interface thread. The callbacks are
// plain calls made on the timer thread (or on the caller's thread with a manual clock);
// the editor forwards them to its user-interface thread with queued calls.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "PlayBackQueue.h"
#include "PlayDevice.h"
#include "SoundingNotes.h"

namespace ks {

class CScore;

// How to play: all parts, or only the part holding the editing cursor.
struct PlayRequest {
    bool solo = false;
    int currentPart = 0;
};

class CPlayBackEngine {
  public:
    // Timer: a thread of the engine ticks every 20 ms. Manual: nothing ticks until the
    // owner calls tick(), which makes playback deterministic for tests.
    enum class Clock { Timer, Manual };

    enum PlayState { Stopped = 0, Playing = 2 };
    enum SchedulerState { Idle = 0, Running = 1, Finished = 2, StopRequested = 3 };

    // Called at every tick while playing, and once more at the end, with the play
    // position in performance and in score ticks.
    using PositionCallback = std::function<void(int32_t playTime, int32_t scoreTime)>;
    // Called when playback has reached the end of the score by itself.
    using FinishedCallback = std::function<void()>;

    explicit CPlayBackEngine(CPlayDevice& device, Clock clock = Clock::Timer);
    ~CPlayBackEngine();
    CPlayBackEngine(const CPlayBackEngine&) = delete;
    CPlayBackEngine& operator=(const CPlayBackEngine&) = delete;

    // Set while nothing plays.
    void setPositionCallback(PositionCallback callback) { onPosition_ = std::move(callback); }
    void setFinishedCallback(FinishedCallback callback) { onFinished_ = std::move(callback); }

    // Play `score` from performance time `start`, stopping whatever plays. False, with
    // nothing changed, when no part shows a track (with solo: the current part).
    bool Start(const CScore& score, int32_t start, const PlayRequest& request = {});
    // Stop when `score` is the playing score or no score is given: waiting events are
    // discarded and all notes on the music and metronome channels are turned off.
    void Stop(const CScore* score = nullptr);
    bool IsPlaying(const CScore* score) const;

    // One 20 ms tick. Returns false once playback is not running (any more).
    bool tick();

    // The play position in performance ticks.
    int32_t position() const { return position_.load(); }
    double ticksPerTick() const { return ticksPerTick_; }
    const SoundingNotes& sounding() const { return sounding_; }
    SchedulerState schedulerState() const { return SchedulerState(schedulerState_.load()); }
    // Events scheduled and not yet sent.
    uint32_t waitingEvents() const { return queue_.waiting(); }

  private:
    struct Performance;

    void schedule(std::shared_ptr<const Performance> performance, int32_t start);
    void runTimer();
    void clickMetronome(int32_t p);
    bool drainDue(int32_t p);
    void finish(int32_t p, int32_t s);
    void silence();
    void joinThreads();

    CPlayDevice& device_;
    const Clock clock_;
    PositionCallback onPosition_;
    FinishedCallback onFinished_;

    std::shared_ptr<const Performance> performance_;
    std::atomic<const CScore*> score_{nullptr};
    std::atomic<int> playState_{Stopped};
    std::atomic<int> schedulerState_{Idle};
    PlayBackQueue queue_;
    SoundingNotes sounding_;

    // Owned by the tick. The play position after n ticks is start + n * tempo * ppqn /
    // 3000, worked out in integers: truncating a sum of fractional steps would make an
    // event that falls exactly on a tick wait for the next one now and then.
    std::atomic<int32_t> position_{0};
    int64_t ticks_ = 0;
    int64_t ticksPerMinute_ = 0;  // tempo * ppqn
    double ticksPerTick_ = 10.0;
    int32_t startTime_ = 0;
    int32_t endTime_ = 0;
    int32_t nextClick_ = 0;
    int32_t clickOff_ = 0;
    int32_t clickLength_ = 0;
    bool clickSounding_ = false;

    std::thread scheduler_;
    std::thread timer_;
    std::atomic<bool> timerStop_{false};
    std::mutex wakeMutex_;
    std::condition_variable wake_;
};

}  // namespace ks
