#include "PartCommands.h"

#include <algorithm>

#include "edit/EditModes.h"
#include "edit/SelectionOps.h"

namespace ks {

bool partHasTrack(const CScore& score, int part) {
    return score.trackOfPart(part) >= 0;
}

bool choosePart(CScore& score, int part) {
    if (part < 0 || part >= kPartCount || !partHasTrack(score, part)) return false;
    CSelection& s = score.selection;
    clearSelection(s);
    s.currentObject = CEventRef{};
    s.hand = part;
    selectAtCursor(score, false);
    return true;
}

bool stepPart(CScore& score, int direction) {
    for (int p = score.selection.hand + direction; p >= 0 && p < kPartCount; p += direction)
        if (partHasTrack(score, p)) return choosePart(score, p);
    return false;
}

int32_t clampedBarNumber(int32_t typed, int32_t barCount) {
    return std::clamp(typed, 1, std::max(barCount, 1));
}

int32_t cursorBarNumber(const CScore& score) {
    const int32_t bars = std::max(score.barCount(), 1);
    return std::min(score.barAtTick(score.selection.timestart), bars - 1) + 1;
}

void goToBarInMusic(CScore& score, int32_t number, int32_t step) {
    CSelection& s = score.selection;
    clearSelection(s);
    const int32_t bar = clampedBarNumber(number, score.barCount()) - 1;
    int32_t start = score.barStart(bar);
    const int32_t last = lastCursorTick(score, step);
    if (start > last) {
        start = last;
        setEditMode(score, EditMode::Notes);
    }
    collapseCursor(s, start, std::max(s.pitchlo, s.pitchhi));
    selectAtCursor(score, false);
}

}  // namespace ks
