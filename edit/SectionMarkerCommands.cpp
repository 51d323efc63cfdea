#include "SectionMarkerCommands.h"

#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"

namespace ks {

namespace {

bool markerExactlyAt(const CScore& score, int32_t tick) {
    for (const CEvent& e : score.annotationTrack.events)
        if (e.type == EventType::SectionMarker && e.time == tick) return true;
    return false;
}

}  // namespace

MarkerOutcome toggleSectionMarker(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    int32_t at = s.timestart;
    if (s.objects.size() == 1) {
        const CEvent* e = eventOf(score, s.objects.front());
        if (e && s.objects.front().track == kAnnotationTrackRef &&
            e->type == EventType::SectionMarker)
            at = e->time;
    }
    MarkerOutcome out;
    if (markerExactlyAt(score, at)) {
        if (at == 0) {
            for (const CEvent& e : score.annotationTrack.events)
                if (e.type == EventType::SectionMarker && e.time > 0) {
                    out.message = StringId::MarkerAtStart;
                    return out;
                }
        }
        ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score);
        out.changed = score.removeSectionMarker(at) == 0;
        score.ensureStartSectionMarker();
    } else {
        ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score);
        out.changed = score.addSectionMarker(at);
        out.changed = score.ensureStartSectionMarker() || out.changed;
    }
    if (!out.changed) {
        ctx.history.DiscardLast();
        return out;
    }
    score.renumberSectionMarkers();
    // Indexes of annotation-track events may have moved.
    s.objects.clear();
    s.currentObject = CEventRef{};
    return out;
}

MarkerOutcome moveSectionMarker(EditContext& ctx, int index, int32_t tick) {
    CScore& score = ctx.score;
    CTrack& track = score.annotationTrack;
    MarkerOutcome out;
    if (index < 0 || index >= track.events.size() ||
        track.events.at(index).type != EventType::SectionMarker)
        return out;
    const int32_t to = score.snapToBeat(std::max(tick, 0));
    if (to == track.events.at(index).time) return out;
    if (markerExactlyAt(score, to)) {
        out.message = StringId::MarkerAtSamePosition;
        return out;
    }
    ctx.history.Push(StringId::MoveItem, UndoKind::Score);
    CEvent marker = track.events.at(index);
    track.events.removeAt(index);
    marker.time = to;
    marker.data[1] = to - score.barStart(score.barAtTick(to));
    track.addEvent(marker);
    score.ensureStartSectionMarker();
    score.renumberSectionMarkers();
    out.changed = true;
    return out;
}

}  // namespace ks
