// Rendering the performance of a score to audio offline: parts 0 to 3, repeats and
// voltas unrolled, no metronome, the events of the same walk as playback sent to the
// built-in synthesizer at their exact times. Much faster than real time.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "Synthesizer.h"

namespace ks {

class CScore;

struct RenderOptions {
    SynthOptions synth;
    // After the performance, the sound is left to die away for at most this long.
    int maxTailMilliseconds = 3000;
};

struct RenderResult {
    bool ok = false;
    QString message;  // why it failed
    int64_t frames = 0;
};

// Receives the rendered audio as interleaved 16-bit stereo, block by block; returns
// false to stop with a failure.
using AudioSink = std::function<bool(const int16_t* interleaved, int frames)>;

RenderResult renderPerformance(const CScore& score, const RenderOptions& options,
                               const AudioSink& sink);

// Render into a 44.1 kHz 16-bit stereo WAV file, which is only written when complete.
RenderResult renderPerformanceToWav(const CScore& score, const QString& path,
                                    const RenderOptions& options);

}  // namespace ks
