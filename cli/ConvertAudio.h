// keystaves-cli convert IN OUT.wav: the performance of a score as an audio file.
#pragma once

#include <QString>

namespace ks {
class CScore;
}

namespace ks::cli {

// Whether `path` names an audio file the convert command writes.
bool isAudioPath(const QString& path);

// Render the performance of `score` (repeats and voltas unrolled, no metronome) through
// the built-in synthesizer into the WAV file `out`. Returns the message to show on
// failure, in which case nothing is written; an empty text on success.
QString writeAudio(const CScore& score, const QString& out);

}  // namespace ks::cli
