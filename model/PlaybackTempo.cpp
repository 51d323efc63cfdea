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
    CEvent mark;
    auto first = std::find_if(events.begin(), events.end(),
                              [](const CEvent& e) { return e.type == EventType::Tempo; });
    if (first != events.end()) {
        mark = *first;
        // data1 is part of the order: take the mark out and put it back.
        events.removeAt(static_cast<int>(first - events.begin()));
    } else {
        mark.type = EventType::Tempo;
    }
    mark.data[0] = 1;
    mark.data[1] = bpm;
    mark.text.clear();
    events.Add(mark);
}

}  // namespace ks
