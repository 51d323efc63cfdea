// What one playback reads, copied from the score when it starts, so that the scheduler
// and timer threads never look at a score the user-interface thread may change.
#pragma once

#include <vector>

#include "PlayBackEngine.h"
#include "model/PlayBackMap.h"
#include "model/Score.h"

namespace ks {

struct CPlayBackEngine::Performance {
    Performance(const CScore& source, const PlayRequest& request);

    // The played tracks (at their own indices; the others left empty), time and key
    // structure, bar lines and voltas of the score.
    CScore score;
    CPlayBackMap map;
    std::vector<int> tracks;  // indices of the played tracks, in part order
    CMidiSettings midi;
};

}  // namespace ks
