#include "edit/MusicXmlLayoutSource.h"

#include "render/layout/StemDirection.h"
#include "render/layout/TickMapping.h"

namespace ks {

MusicXmlPage LaidOutMusicXmlLayout::page() const {
    return MusicXmlPage{.width = page_.width,
                        .height = page_.height,
                        .marginLeft = page_.marginLeft,
                        .marginTop = page_.marginTop,
                        .marginRight = page_.marginRight,
                        .marginBottom = page_.marginBottom};
}

int32_t LaidOutMusicXmlLayout::barWidth(int bar) const {
    if (!laidOut(bar)) return 0;
    // The notes' room runs from the bar's first tick to its end, past the bar line,
    // the leading margin and the signatures at its start.
    const int32_t start = score_.barStart(bar);
    return tickToX(score_, bar, start + score_.barLength(bar)) - tickToX(score_, bar, start);
}

int32_t LaidOutMusicXmlLayout::chordX(int bar, int32_t tick) const {
    if (!laidOut(bar)) return 0;
    return tickToX(score_, bar, tick) - score_.bar(bar).left;
}

bool LaidOutMusicXmlLayout::stemUp(int part, const CTrack& track, int chord) const {
    return chordPointsUp(score_, part, track, chord);
}

}  // namespace ks
