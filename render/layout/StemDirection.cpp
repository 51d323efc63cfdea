#include "StemDirection.h"

#include <algorithm>
#include <optional>

namespace ks {

namespace {

// The direction the part rules give, or none.
std::optional<bool> partDirection(const CScore& score, int part) {
    const bool rightHand = part == Part::RightHand || part == Part::RightHand2;
    const int first = rightHand ? Part::RightHand : Part::LeftHand;
    if (score.trackOfPart(first) >= 0 && score.trackOfPart(first + 1) >= 0) return part == first;
    if (!score.prefs.dynamicorientation) return rightHand;
    return std::nullopt;
}

std::optional<bool> fixedDirection(const CChord& chord) {
    if (chord.flags & ChordFlag::StemUp) return true;
    if (chord.flags & ChordFlag::StemDown) return false;
    return std::nullopt;
}

}  // namespace

bool stemPointsUp(const CScore& score, int part, const CChord& chord) {
    if (auto fixed = fixedDirection(chord)) return *fixed;
    if (auto byPart = partDirection(score, part)) return *byPart;
    return chord.stemBalance >= 0;
}

bool beamPointsUp(const CScore& score, int part, const CTrack& track, int beam) {
    if (beam < 0 || beam >= static_cast<int>(track.beams.size())) return true;
    const CBeam& b = track.beams[static_cast<size_t>(beam)];
    const int end = std::min(b.firstChord + std::max(b.chordCount, 0), track.chords.size());
    for (int i = std::max(b.firstChord, 0); i < end; ++i)
        if (auto fixed = fixedDirection(track.chords.at(i))) return *fixed;
    if (auto byPart = partDirection(score, part)) return *byPart;
    int64_t balance = 0;
    for (int i = std::max(b.firstChord, 0); i < end; ++i)
        balance += track.chords.at(i).stemBalance;
    return balance >= 0;
}

bool chordPointsUp(const CScore& score, int part, const CTrack& track, int chord) {
    const CChord& c = track.chords.at(chord);
    if (c.beam >= 0 && c.beam < static_cast<int>(track.beams.size()))
        return beamPointsUp(score, part, track, c.beam);
    return stemPointsUp(score, part, c);
}

}  // namespace ks
