#include "WaveRender.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "PlayDevice.h"
#include "PlaybackStrings.h"
#include "WavFile.h"
#include "model/PerformanceWalk.h"
#include "model/PlayBackMap.h"
#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "model/TextTable.h"
#include "model/TieChain.h"

namespace ks {

namespace {

constexpr int kBlockFrames = 1024;
constexpr int kTailBlockFrames = 441;  // 10 ms at 44.1 kHz

// Feeds the synthesizer's output to the sink in blocks and keeps count.
class BlockRenderer {
  public:
    BlockRenderer(Synthesizer& synth, const AudioSink& sink, int64_t maxFrames)
        : synth_(synth), sink_(sink), maxFrames_(maxFrames) {}

    // Render up to frame `until`; false when the sink refused or the audio got too long.
    bool renderTo(int64_t until) {
        while (frames_ < until)
            if (!block(static_cast<int>(std::min<int64_t>(until - frames_, kBlockFrames))))
                return false;
        return true;
    }
    // Render one block; `silent` tells whether every sample of it was zero.
    bool block(int n, bool* silent = nullptr) {
        if (frames_ + n > maxFrames_) {
            tooLong_ = true;
            return false;
        }
        synth_.render(left_.data(), right_.data(), n);
        bool quiet = true;
        for (int i = 0; i < n; ++i) {
            out_[static_cast<size_t>(2 * i)] = toSample(left_[static_cast<size_t>(i)]);
            out_[static_cast<size_t>(2 * i + 1)] = toSample(right_[static_cast<size_t>(i)]);
            quiet = quiet && out_[static_cast<size_t>(2 * i)] == 0 &&
                    out_[static_cast<size_t>(2 * i + 1)] == 0;
        }
        if (silent) *silent = quiet;
        frames_ += n;
        return sink_(out_.data(), n);
    }
    int64_t frames() const { return frames_; }
    bool tooLong() const { return tooLong_; }

  private:
    static int16_t toSample(float x) {
        return static_cast<int16_t>(std::clamp(std::lround(double(x) * 32767.0), -32768L, 32767L));
    }
    Synthesizer& synth_;
    const AudioSink& sink_;
    const int64_t maxFrames_;
    int64_t frames_ = 0;
    bool tooLong_ = false;
    std::array<float, kBlockFrames> left_{}, right_{};
    std::array<int16_t, 2 * kBlockFrames> out_{};
};

void sendShort(Synthesizer& synth, uint8_t status, int data1, int data2) {
    const uint8_t bytes[3] = {status, uint8_t(data1 & 0x7F), uint8_t(data2 & 0x7F)};
    QString ignored;
    synth.send(bytes, 3, ignored);
}

}  // namespace

RenderResult renderPerformance(const CScore& score, const RenderOptions& options,
                               const AudioSink& sink) {
    RenderResult result;
    std::unique_ptr<Synthesizer> synth = Synthesizer::create(options.synth, result.message);
    if (!synth) return result;

    CPlayBackMap map;
    map.Rebuild(score);
    const double framesPerTick =
        synth->sampleRate() * 60.0 / (double(playbackTempo(score)) * std::max(score.ppqn, 1));
    const auto frameOf = [&](int64_t tick) {
        return static_cast<int64_t>(std::llround(double(tick) * framesPerTick));
    };
    const int64_t maxFrames = WavWriter::kMaxDataBytes / 4;
    const int32_t endTick = map.ScoreToPlay(score.length);
    if (frameOf(endTick) > maxFrames) {
        result.message = text(PlaybackString::PerformanceTooLong);
        return result;
    }

    const CMidiSettings& midi = score.midi;
    const int channel = midi.channel & 0x0F;
    sendShort(*synth, MidiStatus::ProgramChange | channel, midi.program, 0);

    PerformanceOptions walkOptions;
    walkOptions.map = &map;
    walkOptions.endTime = score.length;
    walkOptions.playVelocity = midi.velocity;
    walkOptions.compression = compressionFactor(std::clamp(midi.compression, 0, 100));
    PerformanceWalk walk(score, partTracks(score), walkOptions);

    BlockRenderer out(*synth, sink, maxFrames);
    const auto failed = [&] {
        result.message = text(out.tooLong() ? PlaybackString::PerformanceTooLong
                                            : PlaybackString::AudioFileNotWritten);
        return result;
    };
    CPlayBackEvent e;
    while (walk.next(e)) {
        if (!out.renderTo(frameOf(e.time))) return failed();
        if (e.noteOff)
            sendShort(*synth, MidiStatus::NoteOff | channel, e.pitch, 0);
        else
            sendShort(*synth, MidiStatus::NoteOn | channel, e.pitch, e.velocity);
    }
    if (!out.renderTo(frameOf(endTick))) return failed();
    sendShort(*synth, MidiStatus::Controller | channel, MidiController::AllNotesOff, 0);

    // Let the last notes die away.
    const int64_t tailEnd =
        out.frames() + int64_t(options.maxTailMilliseconds) * synth->sampleRate() / 1000;
    bool silent = false;
    while (!silent && out.frames() < tailEnd)
        if (!out.block(kTailBlockFrames, &silent)) return failed();

    result.ok = true;
    result.frames = out.frames();
    return result;
}

RenderResult renderPerformanceToWav(const CScore& score, const QString& path,
                                    const RenderOptions& options) {
    WavWriter wav(path, options.synth.sampleRate);
    if (!wav.open()) return RenderResult{.message = text(PlaybackString::AudioFileNotWritten)};
    RenderResult result = renderPerformance(
        score, options,
        [&](const int16_t* samples, int frames) { return wav.write(samples, frames); });
    if (result.ok && !wav.commit()) {
        result.ok = false;
        result.message = text(PlaybackString::AudioFileNotWritten);
    }
    return result;
}

}  // namespace ks
