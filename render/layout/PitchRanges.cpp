#include "PitchRanges.h"

#include <algorithm>

#include "BarFlags.h"
#include "ConventionalSpelling.h"
#include "KeySignatureTable.h"
#include "ShownNotes.h"
#include "StaveGeometry.h"
#include "StemDirection.h"

namespace ks {

namespace {

// Highest black-key line of the pitch's group: C-E gives D sharp, F-B A sharp.
int32_t groupTopLine(int32_t pitch) {
    const int32_t step = pitch % 12;
    return std::min(pitch - step + (step <= 4 ? 3 : 10), 127);
}

template <class Visit>
void forEachShownChord(const CScore& score, Visit visit) {
    for (int p = 0; p < kPartCount; ++p) {
        const int t = score.trackOfPart(p);
        if (t < 0) continue;
        const CTrack& track = score.track(t);
        for (int i = 0; i < track.chords.size(); ++i)
            if (!track.chords.at(i).isRest()) visit(p, track, i);
    }
}

}  // namespace

void barPitchRanges(CScore& score) {
    const StaveRange range = defaultStaveRange(score.prefs.stavetype);
    const bool onlyUsed = score.prefs.showonlyusedlines &&
                          !isConventionalStaveType(score.prefs.stavetype) &&
                          firstShownNoteTick(score) != kNoShownNote;
    for (CScoreBar& bar : score.bars) {
        bar.pitchHigh = bar.extentHigh = 0;
        bar.pitchLow = bar.extentLow = 127;
    }
    const int32_t n = static_cast<int32_t>(score.bars.size());
    forEachShownChord(score, [&](int part, const CTrack& track, int chord) {
        const CChord& c = track.chords.at(chord);
        if (c.bar < 0 || c.bar >= n) return;
        CScoreBar& bar = score.bars[static_cast<size_t>(c.bar)];
        bar.pitchLow = std::min(bar.pitchLow, c.pitchLow);
        bar.pitchHigh = std::max(bar.pitchHigh, c.pitchHigh);
        if (!onlyUsed) return;
        if (chordPointsUp(score, part, track, chord))
            bar.extentHigh = std::max(bar.extentHigh, std::min(c.pitchHigh + 5, range.top - 1));
        else
            bar.extentLow = std::min(bar.extentLow, std::max(c.pitchLow - 4, range.bottom));
    });
    for (int32_t b = 0; b < n; ++b) {
        CScoreBar& bar = score.bars[static_cast<size_t>(b)];
        if (!onlyUsed) {
            bar.extentHigh = bar.pitchHigh;
            bar.extentLow = bar.pitchLow;
        }
        if (barShowsKeySignature(score, b)) {
            const int32_t top = keySignatureTopPitch(keySignatureStartingAt(score, b));
            bar.pitchHigh = std::max(bar.pitchHigh, top);
            bar.extentHigh = std::max(bar.extentHigh, top);
        }
    }
}

void linePitchRanges(CScore& score) {
    const StaveRange range = defaultStaveRange(score.prefs.stavetype);
    // Showing only used lines needs the music to start inside the piece; a piece with
    // no music at all collapses each stave around middle C.
    const int32_t firstNote = firstShownNoteTick(score);
    const bool notesBeforeEnd = firstNote == kNoShownNote || firstNote < score.length;
    const int32_t n = static_cast<int32_t>(score.bars.size());
    for (CScoreLine& line : score.lines) {
        const bool onlyUsed = (line.flags & LineFlag::OnlyUsedLines) != 0;
        const int32_t first = std::clamp(line.firstBar, 0, n);
        const int32_t last =
            static_cast<int32_t>(std::min<int64_t>(int64_t(first) + line.barsInLine, n));
        int32_t high, low;
        if (onlyUsed && notesBeforeEnd) {
            high = 0;
            low = 127;
            for (int32_t b = first; b < last; ++b) {
                const CScoreBar& bar = score.bars[static_cast<size_t>(b)];
                high = std::max({high, bar.pitchHigh, bar.extentHigh});
                low = std::min({low, bar.pitchLow, bar.extentLow});
            }
        } else {
            high = range.top - 1;
            low = range.bottom;
            for (int32_t b = first; b < last; ++b) {
                const CScoreBar& bar = score.bars[static_cast<size_t>(b)];
                high = std::max(high, bar.pitchHigh);
                low = std::min(low, bar.pitchLow);
            }
        }
        high = std::clamp(high, 0, 127);
        low = std::clamp(low, 0, 127);
        if (onlyUsed) {
            if (high == 0 && low == 127) high = low = 60;
            high = groupTopLine(high);
            low = groupBottom(low);
        } else {
            if (high == 60 && low == 60) high = range.top - 1;
            if (high >= 61 && high <= range.top - 2) high = range.top - 1;
            if (high == 60 && low > range.bottom && low < 59) low = range.bottom;
        }
        line.pitchHigh = high;
        line.pitchLow = low;
    }
}

void conventionalHandGaps(CScore& score) {
    const int32_t n = static_cast<int32_t>(score.bars.size());
    for (CScoreLine& line : score.lines) {
        if (!(line.flags & LineFlag::Conventional)) continue;
        const int32_t first = std::clamp(line.firstBar, 0, n);
        const int32_t end =
            static_cast<int32_t>(std::min<int64_t>(int64_t(first) + line.barsInLine, n));
        const int32_t key = score.keyAtBar(first);
        int32_t lowerHigh = 60;  // highest note of the left-hand parts
        int32_t upperLow = 60;   // lowest note of the right-hand parts
        for (int p = 0; p < kPartCount; ++p) {
            const int t = score.trackOfPart(p);
            if (t < 0) continue;
            const bool lower = p == Part::LeftHand || p == Part::LeftHand2;
            const CSortedArray<CChord>& chords = score.track(t).chords;
            for (int i = chords.lowerBound(CChord{.time = score.bar(first).startTick});
                 i < chords.size() && chords.at(i).bar < end; ++i) {
                const CChord& c = chords.at(i);
                if (c.isRest() || c.bar < first) continue;
                if (lower)
                    lowerHigh = std::max(lowerHigh, c.pitchHigh);
                else
                    upperLow = std::min(upperLow, c.pitchLow);
            }
        }
        const int32_t reference = diatonicPosition(60, key);
        int64_t gap = std::max(score.prefs.stavegap, 2);
        const int32_t c = diatonicPosition(lowerHigh, key) + 2;
        if (c > reference) gap += c - reference;
        const int32_t d = diatonicPosition(upperLow, key) - 2;
        if (d < reference) gap += reference - d;
        line.minStaveGap = static_cast<int32_t>(std::min<int64_t>(gap, kMaxHandGap));
    }
}

}  // namespace ks
