#include "PlayBackPerformance.h"

#include "model/PerformanceWalk.h"

namespace ks {

namespace {

// The tracks playback plays: the track of the current part when playing solo, else
// the tracks of parts 0 to 3 in this order, skipping empty parts.
std::vector<int> playedTracks(const CScore& score, const PlayRequest& request) {
    std::vector<int> tracks;
    if (request.solo) {
        const int t = score.trackOfPart(request.currentPart);
        if (t >= 0) tracks.push_back(t);
        return tracks;
    }
    return partTracks(score);
}

}  // namespace

CPlayBackEngine::Performance::Performance(const CScore& source, const PlayRequest& request)
    : tracks(playedTracks(source, request)), midi(source.midi) {
    if (tracks.empty()) return;
    score.ppqn = source.ppqn;
    score.length = source.length;
    score.editlength = source.editlength;
    score.timesigs = source.timesigs;
    score.voltamarks = source.voltamarks;
    score.bars.resize(source.bars.size());
    for (size_t b = 0; b < source.bars.size(); ++b) {
        score.bars[b].startTick = source.bars[b].startTick;
        score.bars[b].lengthTicks = source.bars[b].lengthTicks;
        score.bars[b].styleLeft = source.bars[b].styleLeft;
        score.bars[b].styleRight = source.bars[b].styleRight;
    }
    score.tracks.resize(source.tracks.size());
    for (int t : tracks) {
        score.tracks[static_cast<size_t>(t)].notes = source.tracks[static_cast<size_t>(t)].notes;
        score.tracks[static_cast<size_t>(t)].events = source.tracks[static_cast<size_t>(t)].events;
    }
    map.Rebuild(score);
}

}  // namespace ks
