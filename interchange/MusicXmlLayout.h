// What the MusicXML export takes from the page layout: the page, the bars' widths, the
// chords' positions and their stem directions. The layout engine lives above this
// library; the caller supplies an implementation that reads it.
#pragma once

#include <cstdint>

#include "model/Score.h"

namespace ks {

// The page and its margins, in thousandths of an inch.
struct MusicXmlPage {
    int32_t width = 8268;  // A4
    int32_t height = 11693;
    int32_t marginLeft = 500;
    int32_t marginTop = 500;
    int32_t marginRight = 500;
    int32_t marginBottom = 500;
};

class MusicXmlLayout {
  public:
    virtual ~MusicXmlLayout() = default;
    virtual MusicXmlPage page() const = 0;
    // The room bar `bar` gives its notes: its drawn width less its left bar line, its
    // leading margin and what it shows at its start (clef, key and time signature).
    virtual int32_t barWidth(int bar) const = 0;
    // x of a chord at `tick` in bar `bar`, counted from the bar's left edge.
    virtual int32_t chordX(int bar, int32_t tick) const = 0;
    // Whether the stem of chord `chord` of `track`, shown in `part`, points up.
    virtual bool stemUp(int part, const CTrack& track, int chord) const = 0;
};

}  // namespace ks
