#include "NoteMarks.h"

#include <set>

#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"
#include "edit/TrackLookup.h"

namespace ks {

namespace {

int marksEventAt(const CTrack& track, int32_t tick) {
    return eventAt(track, tick, [](const CEvent& e) { return e.type == EventType::NoteMarks; });
}

// Replaces event `index` by `changed` (events are ordered by their data too).
void replaceEvent(CTrack& track, int index, const CEvent& changed) {
    track.events.removeAt(index);
    if (changed.type != EventType::NoteMarks || changed.data[0] != 0) track.events.Add(changed);
}

// The times of the selected notes (first pieces only).
std::set<int32_t> selectedTimes(const CScore& score) {
    std::set<int32_t> times;
    const CTrack* track = currentTrack(score);
    if (!track) return times;
    for (int i : selectedNoteIndexes(*track, score.selection))
        if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) times.insert(track->notes.at(i).time);
    return times;
}

// Applies `change` to the marks events at the selected notes' times; one undo step
// `label` when any changes.
template <class Change>
EditOutcome changeSelectedMarks(EditContext& ctx, int label, Change change) {
    CScore& score = ctx.score;
    const int t = score.trackOfPart(score.selection.hand);
    CTrack* track = score.trackPtr(t);
    if (!track) return EditOutcome::Nothing;
    std::vector<std::pair<int, CEvent>> edits;
    for (int32_t time : selectedTimes(score)) {
        const int e = marksEventAt(*track, time);
        if (e < 0) continue;
        CEvent changed = track->events.at(e);
        if (change(changed)) edits.emplace_back(e, changed);
    }
    if (edits.empty()) return EditOutcome::Nothing;
    ctx.history.Push(label, UndoKind::Track, t);
    track = score.trackPtr(t);
    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        replaceEvent(*track, it->first, it->second);
    return EditOutcome::Score;
}

}  // namespace

NoteMarkOutcome toggleNoteMark(EditContext& ctx, int32_t bit) {
    CScore& score = ctx.score;
    const CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (!track) return {};
    const std::set<int32_t> times = selectedTimes(score);
    if (times.empty()) return {};
    if (times.size() > 1 || *times.begin() != s.timestart)
        return {EditOutcome::Nothing, StringId::FingeringAtOneTime};
    const int e = marksEventAt(*track, s.timestart);
    const bool set = e >= 0 && (track->events.at(e).data[0] & bit);
    ctx.history.Push(set ? StringId::RemoveOrnament : StringId::AddOrnament, UndoKind::Track, t);
    track = score.trackPtr(t);
    if (e >= 0) {
        CEvent changed = track->events.at(e);
        changed.data[0] ^= bit;
        changed.data[1] = 0;
        replaceEvent(*track, e, changed);
    } else {
        CEvent marks{.time = s.timestart, .type = EventType::NoteMarks};
        marks.data[0] = bit;
        track->events.Add(marks);
    }
    return {EditOutcome::Score, 0};
}

EditOutcome clearNoteMarks(EditContext& ctx, bool all) {
    return changeSelectedMarks(ctx, StringId::ClearOrnament, [all](CEvent& e) {
        if (e.data[0] == 0) return false;
        if (all) {
            e.data[0] = 0;
            return true;
        }
        static constexpr int32_t order[] = {0x20, 0x10, 0x08, 0x04, 0x02, 0x01, 0x40};
        for (int32_t bit : order)
            if (e.data[0] & bit) {
                e.data[0] &= ~bit;
                return true;
            }
        return false;
    });
}

EditOutcome moveNoteMarks(EditContext& ctx, int32_t delta) {
    return changeSelectedMarks(ctx, StringId::MoveOrnament, [delta](CEvent& e) {
        if (e.data[0] == 0 || delta == 0) return false;
        e.data[1] += delta;
        return true;
    });
}

bool anyNoteMarkOffset(const CScore& score) {
    for (const CTrack& track : score.tracks)
        for (const CEvent& e : track.events)
            if (e.type == EventType::NoteMarks && e.data[1] != 0) return true;
    return false;
}

EditOutcome resetNoteMarkOffsets(EditContext& ctx) {
    if (!anyNoteMarkOffset(ctx.score)) return EditOutcome::Nothing;
    ctx.history.Push(StringId::ResetFingering, UndoKind::Score, 0);
    for (CTrack& track : ctx.score.tracks) {
        std::vector<CEvent> events = track.events.items();
        for (CEvent& e : events)
            if (e.type == EventType::NoteMarks) e.data[1] = 0;
        track.events.assign(std::move(events));
    }
    return EditOutcome::Score;
}

}  // namespace ks
