#include "PreventOverlaps.h"

#include <algorithm>
#include <vector>

#include "StaveGeometry.h"
#include "StemDirection.h"

namespace ks {

namespace {

// A chord, or a whole beam: what turns as one.
struct Unit {
    int first = 0;  // first and last chord
    int last = 0;
    int32_t start = 0;
    int32_t end = 0;
    int32_t high = 0;
    int32_t low = 127;
};

std::vector<Unit> unitsOf(const CTrack& track) {
    std::vector<Unit> units;
    const int n = track.chords.size();
    for (int i = 0; i < n;) {
        const CChord& c = track.chords.at(i);
        if (c.isRest()) {
            ++i;
            continue;
        }
        Unit u{.first = i, .last = i, .start = c.time, .end = c.end()};
        if (c.beam >= 0 && c.beam < static_cast<int>(track.beams.size())) {
            const CBeam& b = track.beams[static_cast<size_t>(c.beam)];
            u.last = std::clamp(b.firstChord + b.chordCount - 1, i, n - 1);
        }
        for (int k = u.first; k <= u.last; ++k) {
            const CChord& m = track.chords.at(k);
            u.end = std::max(u.end, m.end());
            u.high = std::max(u.high, m.pitchHigh);
            u.low = std::min(u.low, m.pitchLow);
        }
        units.push_back(u);
        i = u.last + 1;
    }
    return units;
}

// The user flipped a chord of the unit (the chord's stem bits come from its first note).
bool setByUser(const CTrack& track, const Unit& u) {
    for (int k = u.first; k <= u.last; ++k) {
        const CChord& c = track.chords.at(k);
        if (c.noteCount > 0 && (track.notes.at(c.firstNote).flags & NoteFlag::StemMask))
            return true;
    }
    return false;
}

void turn(CTrack& track, const Unit& u, bool up) {
    if (setByUser(track, u)) return;
    for (int k = u.first; k <= u.last; ++k) {
        CChord& c = track.chords[k];
        c.flags &= ~(ChordFlag::StemUp | ChordFlag::StemDown);
        c.flags |= up ? ChordFlag::StemUp : ChordFlag::StemDown;
    }
}

}  // namespace

void preventOverlaps(CScore& score) {
    if (!score.prefs.optimise) return;
    const int rightTrack = score.trackOfPart(Part::RightHand);
    const int leftTrack = score.trackOfPart(Part::LeftHand);
    if (rightTrack < 0 || leftTrack < 0 || score.trackOfPart(Part::RightHand2) >= 0 ||
        score.trackOfPart(Part::LeftHand2) >= 0)
        return;
    CTrack& right = score.tracks[static_cast<size_t>(rightTrack)];
    CTrack& left = score.tracks[static_cast<size_t>(leftTrack)];
    const bool conventional = isConventionalStaveType(score.prefs.stavetype);
    const int32_t a = conventional ? 27 : 16;
    const int32_t b = conventional ? 15 : 9;
    const std::vector<Unit> rs = unitsOf(right);
    const std::vector<Unit> ls = unitsOf(left);
    auto up = [&](const CTrack& t, int part, const Unit& u) {
        return chordPointsUp(score, part, t, u.first);
    };
    size_t i = 0, j = 0;
    while (i < rs.size() && j < ls.size()) {
        const Unit& r = rs[i];
        const Unit& l = ls[j];
        if (r.start < l.end && l.start < r.end) {
            const int32_t top = l.high;
            int32_t bottom = r.low;
            if (!up(right, Part::RightHand, r)) {
                bottom = std::min(bottom, a + 51);
                if (!up(left, Part::LeftHand, l)) {
                    if (top >= bottom - b) turn(right, r, true);
                } else if (top >= bottom - a) {
                    turn(left, l, false);
                    if (top >= bottom - b) turn(right, r, true);
                }
            } else if (up(left, Part::LeftHand, l) && top >= bottom - b) {
                turn(left, l, false);
            }
        }
        if (r.end <= l.end)
            ++i;
        else
            ++j;
    }
}

}  // namespace ks
