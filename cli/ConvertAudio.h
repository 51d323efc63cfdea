// keystaves-cli convert IN OUT.wav: the performance of a score as an audio file.
#pragma once

#include <QString>

namespace ks::cli {

// Whether `path` names an audio file this command writes.
bool isAudioPath(const QString& path);

// Read the score in `in` and render its performance (repeats and voltas unrolled, no
// metronome) through the built-in synthesizer into the WAV file `out`. Returns the exit
// status; on failure the message goes to standard error and nothing is written.
int convertToAudio(const QString& in, const QString& out);

}  // namespace ks::cli
