// The page layout as the MusicXML export reads it: bar widths, chord positions and stem
// directions of a laid-out score, and its page.
#pragma once

#include "interchange/MusicXmlLayout.h"
#include "render/layout/PageGeometry.h"

namespace ks {

class LaidOutMusicXmlLayout final : public MusicXmlLayout {
  public:
    // `score` has been laid out for `page`.
    LaidOutMusicXmlLayout(const CScore& score, const PageGeometry& page)
        : score_(score), page_(page) {}

    MusicXmlPage page() const override;
    int32_t barWidth(int bar) const override;
    int32_t chordX(int bar, int32_t tick) const override;
    bool stemUp(int part, const CTrack& track, int chord) const override;

  private:
    bool laidOut(int bar) const { return bar >= 0 && bar < int(score_.bars.size()); }

    const CScore& score_;
    PageGeometry page_;
};

}  // namespace ks
