#include "StemDirection.h"

namespace ks {

bool stemPointsUp(const CScore& score, int part, const CChord& chord) {
    if (chord.flags & ChordFlag::StemUp) return true;
    if (chord.flags & ChordFlag::StemDown) return false;
    const bool rightHand = part == Part::RightHand || part == Part::RightHand2;
    const int first = rightHand ? Part::RightHand : Part::LeftHand;
    if (score.trackOfPart(first) >= 0 && score.trackOfPart(first + 1) >= 0) return part == first;
    if (!score.prefs.dynamicorientation) return rightHand;
    return chord.stemBalance >= 0;
}

}  // namespace ks
