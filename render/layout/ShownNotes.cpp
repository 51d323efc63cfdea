#include "ShownNotes.h"

#include <algorithm>

namespace ks {

int32_t firstShownNoteTick(const CScore& score) {
    int32_t first = kNoShownNote;
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0 || score.track(t).notes.empty()) continue;
        first = std::min(first, score.track(t).notes.at(0).time);
    }
    return first;
}

}  // namespace ks
