#include "CursorKeys.h"

#include <algorithm>

#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/MoveSelection.h"
#include "edit/SelectionOps.h"

namespace ks {

namespace {

bool annotationModes(const CSelection& s) {
    return s.mode == EditMode::Picked || s.mode == EditMode::Annotation;
}

// Ctrl with an annotation picked: the annotation moves by dt ticks or dp semitones.
EditOutcome movePicked(EditContext& ctx, int32_t dt, int32_t dp) {
    CSelection& s = ctx.score.selection;
    const CEventRef ref = s.currentObject.valid() ? s.currentObject
                          : s.objects.size() == 1 ? s.objects.front()
                                                  : CEventRef{};
    const CEvent* e = eventOf(ctx.score, ref);
    if (!e) return EditOutcome::Nothing;
    CEvent moved = *e;
    moved.time = std::max(0, moved.time + dt);
    moved.setKey(moved.key() + dp);
    if (moved.time == e->time && moved.pitch == e->pitch) return EditOutcome::Nothing;
    ctx.history.Push(StringId::MoveItem, UndoKind::Score);
    CTrack& track = ref.track == kAnnotationTrackRef ? ctx.score.annotationTrack
                    : ref.track == kTempoTrackRef    ? ctx.score.tempoTrack
                                                     : ctx.score.tracks[size_t(ref.track)];
    track.events.removeAt(ref.index);
    const CEventRef now{ref.track, track.addEvent(moved)};
    s.objects = {now};
    s.currentObject = now;
    s.timestart = moved.time;
    s.timeend = moved.time + 1;
    s.pitchlo = s.pitchhi = moved.key();
    return EditOutcome::Score;
}

}  // namespace

int32_t steppedCursorTime(const CScore& score, int32_t start, int32_t step, int direction,
                          bool bars) {
    step = std::max(step, 1);
    int64_t t = start;
    if (direction < 0) {
        if (bars) {
            const int32_t bar = score.barAtTick(start);
            t = score.barStart(bar);
            if (t == start && bar > 0) t = score.barStart(bar - 1);
        } else {
            t = start % step != 0 ? start - start % step : int64_t(start) - step;
        }
        return static_cast<int32_t>(std::max<int64_t>(t, 0));
    }
    t = bars ? score.barStart(score.barAtTick(start) + 1) : int64_t(start) + step - start % step;
    return static_cast<int32_t>(std::clamp<int64_t>(t, 0, lastCursorTick(score, step)));
}

bool pickAtCursor(CScore& score) {
    CSelection& s = score.selection;
    clearSelection(s);
    s.currentObject = CEventRef{};
    s.timeend = s.timestart + std::max(score.ppqn / 8, 1);
    const int32_t top = std::max(s.pitchlo, s.pitchhi);
    const int32_t bottom = std::min(s.pitchlo, s.pitchhi);
    const bool annotation = s.mode == EditMode::Annotation;
    const int t = annotation ? kAnnotationTrackRef : score.trackOfPart(s.hand);
    if (t == -1 && !annotation) return false;
    const CTrack& track = annotation ? score.annotationTrack : score.tracks[size_t(t)];
    for (int i = 0; i < track.events.size(); ++i) {
        const CEvent& e = track.events.at(i);
        if (e.time < s.timestart) continue;
        if (e.time > s.timeend) break;
        if (e.key() < bottom || e.key() > top) continue;
        s.currentObject = CEventRef{t, i};
        s.objects = {s.currentObject};
        return true;
    }
    return false;
}

EditOutcome cursorKey(CursorKeyContext& ctx, CursorKey key, bool shift, bool ctrl) {
    CScore& score = ctx.edit.score;
    CSelection& s = score.selection;
    const int32_t step = std::max(ctx.step, 1);
    const int32_t top = std::max(s.pitchlo, s.pitchhi);
    const bool horizontal = key == CursorKey::Left || key == CursorKey::Right;
    const int direction = key == CursorKey::Left || key == CursorKey::Down ? -1 : 1;
    if (s.mode == EditMode::TempoMark) return EditOutcome::Nothing;

    if (annotationModes(s) && key != CursorKey::Home && key != CursorKey::End) {
        if (horizontal) {
            const int32_t to = steppedCursorTime(score, s.timestart, step, direction, shift);
            if (ctrl) return movePicked(ctx.edit, to - s.timestart, 0);
            collapseCursor(s, to, top);
        } else {
            const int32_t dp = direction * (shift ? 12 : 1);
            if (ctrl) return movePicked(ctx.edit, 0, dp);
            collapseCursor(s, s.timestart, top + dp);
        }
        pickAtCursor(score);
        return EditOutcome::Selection;
    }

    switch (key) {
        case CursorKey::Left:
        case CursorKey::Right:
            if (ctrl && shift)
                return ctx.changeNoteLengths ? ctx.changeNoteLengths(direction * step)
                                             : EditOutcome::Nothing;
            if (ctrl) return moveSelection(ctx.edit, direction * step, 0, false);
            collapseCursor(s, steppedCursorTime(score, s.timestart, step, direction, shift), top);
            break;
        case CursorKey::Up:
        case CursorKey::Down: {
            const int32_t dp = direction * (shift ? 12 : 1);
            if (ctrl) return moveSelection(ctx.edit, 0, dp, false);
            collapseCursor(s, s.timestart, top + dp);
            break;
        }
        case CursorKey::Home:
        case CursorKey::End:
            collapseCursor(s, key == CursorKey::Home ? 0 : lastCursorTick(score, step), top);
            setEditMode(score, EditMode::Notes);
            selectAtCursor(score, false);
            fitBoxToNotes(score);
            return EditOutcome::Selection;
    }
    setEditMode(score, EditMode::Notes);
    selectAtCursor(score, false);
    return EditOutcome::Selection;
}

}  // namespace ks
