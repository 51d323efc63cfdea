// Small scores for layout tests: a unit of exactly 10 page units, and every
// furniture preference off, so that positions can be worked out by hand.
#pragma once

#include <initializer_list>

#include "model/Score.h"
#include "render/layout/PageGeometry.h"

namespace ks::test {

struct TestNote {
    int part;  // 0..3
    int32_t time;
    int32_t duration;
    int32_t pitch;
};

// A score of `bars` bars of 4/4 at ppqn 96 with a track in each of the four parts,
// unit 10 and no clefs, signatures, titles, footers, keyboards, lead-in handling or
// reduced spacing. Chords and layout are not built yet.
inline CScore plainScore(int bars, std::initializer_list<TestNote> notes = {}) {
    CScore s;
    for (int p = 0; p < kPartCount; ++p) {
        s.addTrack(CTrack{});
        s.assignTrackToPart(p, p);
    }
    CDisplaySettings& d = s.prefs;
    d.showtitle = d.showsubtitle = d.showartist = d.showpagenumbers = d.showcopyright = false;
    d.showclefs = d.showtimesignature = d.showkey = d.showkeyboards = false;
    d.hiderestsatstart = d.hiderestsatend = d.indentatstart = d.indentatend = false;
    d.usebarzero = false;
    d.reducedspacing = false;
    d.showonlyusedlines = false;
    d.stavetype = 0;
    d.stavegap = 0;
    d.barsperline = 3;
    d.lyricposition = 1;
    s.unit = 10.0;
    for (const TestNote& n : notes)
        s.tracks[static_cast<size_t>(n.part)].addNote(
            CNote{.time = n.time, .duration = n.duration, .pitch = n.pitch});
    s.setLength(bars * 384);
    return s;
}

// A4 portrait with half-inch margins: rectangle 500..7767 across, 500..11192 down.
inline PageGeometry a4Page() {
    return PageGeometry{.width = 8268, .height = 11693};
}

}  // namespace ks::test
