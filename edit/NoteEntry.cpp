#include "NoteEntry.h"

#include <algorithm>

#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/Rederive.h"
#include "edit/SelectionOps.h"
#include "edit/TrackLookup.h"
#include "edit/UndoStep.h"

namespace ks {

namespace {

// Whether a note (not a tie continuation) of `track` starts at `tick`.
bool noteStartsAt(const CTrack& track, int32_t tick) {
    for (int i = firstNoteFrom(track, tick); i < track.notes.size(); ++i) {
        const CNote& n = track.notes.at(i);
        if (n.time != tick) break;
        if (!(n.flags & NoteFlag::TieEnd)) return true;
    }
    return false;
}

// Grows the score by whole bars until it holds `end`; true when it grew.
bool growTo(CScore& score, int64_t end) {
    if (end <= score.length) return false;
    score.setLength(static_cast<int32_t>(std::min<int64_t>(end, INT32_MAX)));
    return true;
}

}  // namespace

EditOutcome insertNoteAtCursor(EditContext& ctx, int32_t step) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (!track || score.length <= 0) return EditOutcome::Nothing;
    step = std::max(step, 1);
    const int32_t position = std::clamp(s.timestart, 0, lastCursorTick(score, 1));
    const int32_t pitch = std::clamp(s.pitchTop(), 0, 127);
    if (track->notes.find(CNote{.time = position, .pitch = pitch}) >= 0)
        return EditOutcome::Nothing;
    ctx.history.Push(StringId::InsertNotes, UndoKind::Track, t);
    clearSelection(s);
    track = score.trackPtr(t);
    CNote note{.time = position,
               .duration = step,
               .flags = 0,
               .pitch = pitch,
               .velocity = kDefaultVelocity,
               .work0 = step};
    track->addNote(note);
    // A note past the score's end is cut at the end, as the score holds no music there.
    rederiveTicks(score, t, position, std::min<int64_t>(int64_t(position) + step, score.length));
    collapseCursor(s, std::min(position + step, lastCursorTick(score, step)), pitch);
    selectAtCursor(score, false);
    return EditOutcome::Score;
}

EditOutcome stepToNote(CScore& score, int direction) {
    CSelection& s = score.selection;
    const CTrack* track = currentTrack(score);
    if (!track) return EditOutcome::Nothing;
    const CNote* found = nullptr;
    if (direction > 0) {
        for (int i = firstNoteFrom(*track, s.timeend); i < track->notes.size(); ++i)
            if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) {
                found = &track->notes.at(i);
                break;
            }
    } else {
        if (s.timestart <= 0) return EditOutcome::Nothing;
        for (int i = firstNoteFrom(*track, s.timestart) - 1; i >= 0; --i)
            if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) {
                // The nearest: the highest note of the latest chord before the cursor.
                found = &track->notes.at(i);
                break;
            }
    }
    if (!found) return EditOutcome::Nothing;
    setEditMode(score, EditMode::Notes);
    clearSelection(s);
    collapseCursor(s, found->time, found->pitch);
    selectAtCursor(score, false);
    return EditOutcome::Selection;
}

DeleteOutcome deleteSelection(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (s.objects.empty()) {
        if (!track) return {};
        const std::vector<int> selected = selectedNoteIndexes(*track, s);
        if (selected.empty()) return {};
        ctx.history.Push(StringId::DeleteNotes, UndoKind::Track, t);
        track = score.trackPtr(t);
        int32_t from = INT32_MAX, to = 0;
        for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
            const CNote& n = track->notes.at(*it);
            from = std::min(from, n.time);
            to = std::max(to, n.end());
            track->removeNote(*it);
        }
        track->events.removeIf([&](const CEvent& e) {
            if (e.type != EventType::Lyric && e.type != EventType::NoteMarks) return false;
            return e.time >= from && e.time < to && !noteStartsAt(*track, e.time);
        });
        // Grace notes of removed notes go with them.
        track->events.removeIf([&](const CEvent& e) {
            return e.type == EventType::GraceNote &&
                   track->notes.find(CNote{.time = e.time, .pitch = e.data[2]}) < 0;
        });
        rederiveTicks(score, t, from, to);
        clearSelection(s);
        return {EditOutcome::Score, 0};
    }
    if (s.objects.size() != 1) return {};
    const CEventRef ref = s.objects.front();
    const CEvent* event = eventOf(score, ref);
    if (!event) return {};
    DeleteOutcome out;
    if (ref.track == kTempoTrackRef) {
        int marks = 0;
        for (const CEvent& e : score.tempoTrack.events)
            marks += e.type == EventType::Tempo;
        if (marks < 2) return {};
        ctx.history.Push(StringId::DeleteTempo, UndoKind::Score, 0);
        score.tempoTrack.events.removeAt(ref.index);
        score.rebuildPlaybackMap();
        out.outcome = EditOutcome::Score;
    } else if (ref.track == kAnnotationTrackRef && event->type == EventType::SectionMarker) {
        const int32_t tick = event->time;
        ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score, 0);
        const int result = score.removeSectionMarker(tick);
        if (result != 0) {
            ctx.history.DiscardLast();
            out.message = result > 0 ? result : 0;
        } else {
            out.outcome = EditOutcome::Score;
        }
    } else if (ref.track == kAnnotationTrackRef) {
        ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score, 0);
        score.annotationTrack.events.removeAt(ref.index);
        out.outcome = EditOutcome::Score;
    } else {
        return {};
    }
    clearSelection(s);
    s.currentObject = {};
    setEditMode(score, EditMode::Notes);
    if (out.outcome == EditOutcome::Nothing) out.outcome = EditOutcome::Selection;
    return out;
}

EditOutcome selectAll(CScore& score) {
    CSelection& s = score.selection;
    s.timestart = 0;
    s.timeend = std::max(score.length, 1);
    s.pitchlo = 127;
    s.pitchhi = 0;
    selectAtCursor(score, false);
    fitBoxToNotes(score);
    return EditOutcome::Selection;
}

EditOutcome changeNoteLengths(EditContext& ctx, int32_t amount) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (!track || amount == 0) return EditOutcome::Nothing;
    const std::vector<int> selected = selectedNoteIndexes(*track, s);
    if (selected.empty()) return EditOutcome::Nothing;
    const int32_t minimum = std::max(score.ppqn / 8, 1);
    std::vector<int32_t> durations;
    int64_t newEnd = 0;
    int32_t from = INT32_MAX;
    bool changed = false;
    for (int i : selected) {
        const CNote& n = track->notes.at(i);
        int64_t d = int64_t(n.duration) + amount;
        if (d < minimum) d = n.duration;
        if (d > n.duration) {
            // A lengthened note stops at the next note of its pitch (or the track's end).
            int64_t limit = std::max<int64_t>(track->length, score.length) - n.time;
            for (int j = i + 1; j < track->notes.size(); ++j) {
                const CNote& o = track->notes.at(j);
                if (o.pitch == n.pitch && o.time > n.time) {
                    limit = std::min<int64_t>(limit, o.time - n.time);
                    break;
                }
            }
            if (amount > 0 && d > limit) d = std::max<int64_t>(limit, n.duration);
        }
        durations.push_back(static_cast<int32_t>(d));
        changed |= d != n.duration;
        newEnd = std::max<int64_t>(newEnd, n.time + d);
        from = std::min(from, n.time);
    }
    if (!changed) return EditOutcome::Nothing;
    const bool grows = newEnd > score.length;
    ctx.history.Push(StringId::ChangeNoteLengths, grows ? UndoKind::Score : UndoKind::Track,
                     grows ? 0 : t);
    growTo(score, newEnd);
    track = score.trackPtr(t);
    int32_t to = 0;
    for (size_t k = 0; k < selected.size(); ++k) {
        CNote& n = track->notes[selected[k]];
        to = std::max({to, n.end(), n.time + durations[k]});
        n.duration = durations[k];
    }
    track->chordsvalid = false;
    if (grows)
        score.rebuildTrack(t);
    else
        rederiveTicks(score, t, from, to);
    return grows ? EditOutcome::ScoreLengthened : EditOutcome::Score;
}

EditOutcome moveNotesToPart(EditContext& ctx, int direction) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int source = score.trackOfPart(s.hand);
    const CTrack* track = score.trackPtr(source);
    if (!track) return EditOutcome::Nothing;
    const std::vector<int> selected = selectedNoteIndexes(*track, s);
    if (selected.empty()) return EditOutcome::Nothing;
    int target = -1;
    for (int p = s.hand + direction; p >= 0 && p < kPartCount; p += direction)
        if (score.trackOfPart(p) >= 0 && score.trackOfPart(p) != source) {
            target = score.trackOfPart(p);
            break;
        }
    if (target < 0) return EditOutcome::Nothing;
    ctx.history.Push(StringId::MoveNotes, UndoKind::Score, 0);
    CTrack* from = score.trackPtr(source);
    std::vector<CNote> moved;
    int32_t first = INT32_MAX, last = 0;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        CNote n = from->notes.at(*it);
        first = std::min(first, n.time);
        last = std::max(last, n.end());
        moved.push_back(n);
        from->removeNote(*it);
    }
    CTrack* to = score.trackPtr(target);
    to->notes.AddAll(moved);
    to->chordsvalid = false;
    rederiveTicks(score, source, first, last);
    rederiveTicks(score, target, first, last);
    clearSelection(s);
    return EditOutcome::Score;
}

}  // namespace ks
