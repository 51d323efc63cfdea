// The 20 ms tick: advance the play position, click the metronome, send the events that
// have become due, and tell the position. It allocates nothing.
#include <algorithm>
#include <chrono>
#include <limits>
#include <thread>

#include "PlayBackEngine.h"
#include "PlayBackPerformance.h"
#include "model/PlaybackTempo.h"

namespace ks {

namespace {

constexpr int kAccentVelocity = 127;
constexpr int kClickVelocity = 80;

}  // namespace

bool CPlayBackEngine::tick() {
    if (playState_ == Stopped) return false;
    const Performance& perf = *performance_;
    ++ticks_;
    constexpr int64_t kTicksPerMinute = 60 * 1000 / kTickMilliseconds;
    const int32_t p = static_cast<int32_t>(
        std::min<int64_t>(startTime_ + ticks_ * ticksPerMinute_ / kTicksPerMinute,
                          std::numeric_limits<int32_t>::max()));
    position_.store(p);
    const int32_t s = perf.map.PlayToScore(p);
    if (s < endTime_) clickMetronome(p);

    for (;;) {
        drainDue(p);
        if (!queue_.empty()) break;
        // The queue ran dry while the scheduler is still at work: wait for its next
        // event, so that nothing due in this tick is missed.
        if (schedulerState_ == Running) {
            if (timerStop_) return false;
            // Sleep rather than spin: the timer thread may run at a raised priority.
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            continue;
        }
        if (s >= endTime_) {
            finish(p, s);
            return false;
        }
        break;
    }
    if (onPosition_) onPosition_(p, s);
    return playState_ != Stopped;
}

bool CPlayBackEngine::drainDue(int32_t p) {
    const int channel = performance_->midi.channel;
    bool sent = false;
    while (const CPlayBackEvent* e = queue_.front()) {
        if (e->time > p) break;
        if (e->noteOff) {
            device_.noteOff(channel, e->pitch);
            sounding_.noteOff(e->pitch);
        } else {
            device_.noteOn(channel, e->pitch, e->velocity);
            sounding_.noteOn(*e);
        }
        queue_.pop();
        sent = true;
    }
    return sent;
}

void CPlayBackEngine::clickMetronome(int32_t p) {
    const Performance& perf = *performance_;
    if (!perf.midi.tick) return;
    if (p >= nextClick_) {
        // The accent goes by where the click belongs, not by where the tick fell: a tick
        // rarely lands exactly on a bar line.
        const int32_t at = perf.map.PlayToScore(nextClick_);
        const int32_t bar = perf.score.barAtTick(at);
        const bool barStart = at == perf.score.barStart(bar);
        device_.noteOn(perf.midi.tickchannel, perf.midi.tickpitch,
                       barStart ? kAccentVelocity : kClickVelocity);
        clickSounding_ = true;
        clickOff_ = nextClick_ + clickLength_;
        const int32_t denom = std::max(perf.score.timeSigAtBar(bar).denom, 1);
        nextClick_ += std::max(std::max(perf.score.ppqn, 1) * 4 / denom, 1);
    } else if (p >= clickOff_ && clickSounding_) {
        device_.noteOff(perf.midi.tickchannel, perf.midi.tickpitch);
        clickSounding_ = false;
    }
}

void CPlayBackEngine::finish(int32_t p, int32_t s) {
    queue_.discard();
    playState_ = Stopped;
    silence();
    if (onPosition_) onPosition_(p, s);
    if (onFinished_) onFinished_();
}

}  // namespace ks
