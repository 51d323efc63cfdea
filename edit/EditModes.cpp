#include "EditModes.h"

#include <algorithm>

#include "edit/SelectionOps.h"

namespace ks {

namespace {

void revalidateLayoutIndex(const CScore& score, CSelection& s) {
    const int32_t lines = static_cast<int32_t>(score.lines.size());
    s.layoutindex = std::clamp(s.layoutindex, -3, std::max(lines - 1, 0));
}

}  // namespace

void setEditMode(CScore& score, int32_t mode) {
    CSelection& s = score.selection;
    if (mode == s.mode) return;
    const int32_t top = std::max(s.pitchlo, s.pitchhi);
    switch (mode) {
        case EditMode::Notes:
        case EditMode::Picked:
            collapseCursor(s, s.timestart, top);
            s.notes.clear();
            s.objects.clear();
            break;
        case EditMode::Annotation:
        case EditMode::TempoMark:
            collapseCursor(s, s.timestart, top);
            break;
        case EditMode::Lyric:
            collapseCursor(s, s.timestart, top);
            s.lyricindex = 0;
            break;
        case EditMode::Grace:
            s.pitchlo = 127;
            s.pitchhi = 0;
            break;
        case EditMode::LayoutLine:
            revalidateLayoutIndex(score, s);
            break;
        case EditMode::LayoutBar: {
            revalidateLayoutIndex(score, s);
            const CScoreLine& line = score.line(std::max(s.layoutindex, 0));
            const int32_t first = line.firstBar;
            const int32_t last = first + std::max(line.barsInLine, 1) - 1;
            if (s.layoutbar < first || s.layoutbar > last) s.layoutbar = std::max(last, 0);
            break;
        }
        case EditMode::TrackSelect:
            s.selecttrack = std::clamp(s.selecttrack, 0, std::max(score.trackCount() - 1, 0));
            break;
        default:
            break;
    }
    switch (mode) {
        case EditMode::Notes:
        case EditMode::Picked:
        case EditMode::Annotation:
        case EditMode::Lyric:
        case EditMode::Grace:
        case EditMode::TempoMark:
            s.currentObject = CEventRef{};
            break;
        default:
            break;
    }
    s.mode = mode;
}

}  // namespace ks
