#include "PlaybackTempo.h"

#include <algorithm>

#include "Score.h"

namespace ks {

int32_t playbackTempo(const CScore& score) {
    const int32_t tempo = score.startTempo();
    return tempo >= 1 ? tempo : kDefaultTempo;
}

double ticksPerTick(int32_t tempo, int32_t ppqn) {
    return double(std::max(tempo, 1)) * std::max(ppqn, 1) / 60.0 / (1000.0 / kTickMilliseconds);
}

void setPlaybackTempo(CScore& score, int32_t bpm) {
    score.midi.tempo = bpm;
    CSortedArray<CEvent>& events = score.tempoTrack.events;
    if (events.empty()) {
        CEvent mark;
        mark.type = EventType::Tempo;
        mark.data[0] = 1;
        mark.data[1] = bpm;
        events.Add(mark);
        return;
    }
    // The mark is changed where it stands: taken out and put back, it could sort behind
    // another mark at the same tick and stop being the first.
    CEvent& first = events[0];
    first.type = EventType::Tempo;
    first.data[0] = 1;
    first.data[1] = bpm;
    first.text.clear();
}

}  // namespace ks
