#include "GraceNotes.h"

#include <algorithm>

#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"
#include "edit/TrackLookup.h"

namespace ks {

namespace {

// The grace event of the note (time, pitch), or -1.
int graceEventOf(const CTrack& track, int32_t time, int32_t pitch) {
    return eventAt(track, time, [pitch](const CEvent& e) {
        return e.type == EventType::GraceNote && e.data[2] == pitch;
    });
}

// The main note Grace mode works on: the selected note, kept selected in that mode.
const CNote* mainNote(const CScore& score) {
    const int i = singleSelectedNote(score);
    return i >= 0 ? &currentTrack(score)->notes.at(i) : nullptr;
}

}  // namespace

int singleSelectedNote(const CScore& score) {
    const CTrack* track = currentTrack(score);
    if (!track) return -1;
    int found = -1;
    for (int i : selectedNoteIndexes(*track, score.selection)) {
        if (track->notes.at(i).flags & NoteFlag::TieEnd) continue;
        if (found >= 0) return -1;
        found = i;
    }
    return found;
}

bool selectedNoteHasGrace(const CScore& score) {
    const CNote* note = mainNote(score);
    return note && graceEventOf(*currentTrack(score), note->time, note->pitch) >= 0;
}

EditOutcome enterGraceMode(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    if (s.mode != EditMode::Notes) return EditOutcome::Nothing;
    const int t = score.trackOfPart(s.hand);
    const CNote* found = mainNote(score);
    if (!found) return EditOutcome::Nothing;
    const CNote note = *found;
    CTrack* track = score.trackPtr(t);
    int e = graceEventOf(*track, note.time, note.pitch);
    EditOutcome outcome = EditOutcome::Selection;
    if (e < 0) {
        ctx.history.Push(StringId::AddGraceNote, UndoKind::Track, t);
        track = score.trackPtr(t);
        CEvent grace{.time = note.time, .type = EventType::GraceNote};
        grace.data[0] = note.pitch;
        grace.data[1] = std::max(note.duration / 4, 1);
        grace.data[2] = note.pitch;
        e = track->events.Add(grace);
        track->notes[track->notes.find(note)].flags |= NoteFlag::Grace;
        score.rebuildTrack(t);
        outcome = EditOutcome::Score;
    }
    const std::vector<CNoteRef> kept = s.notes;
    setEditMode(score, EditMode::Grace);
    s.notes = kept;
    s.pitchlo = s.pitchhi =
        score.track(t).events.at(graceEventOf(score.track(t), note.time, note.pitch)).data[0];
    return outcome;
}

EditOutcome leaveGraceMode(CScore& score) {
    CSelection& s = score.selection;
    if (s.mode != EditMode::Grace) return EditOutcome::Nothing;
    const CNote* note = mainNote(score);
    const int32_t time = note ? note->time : s.timestart;
    const int32_t pitch = note ? note->pitch : s.pitchTop();
    setEditMode(score, EditMode::Notes);
    collapseCursor(s, time, pitch);
    selectAtCursor(score, false);
    return EditOutcome::Selection;
}

EditOutcome removeGraceNote(EditContext& ctx) {
    CScore& score = ctx.score;
    if (score.selection.mode != EditMode::Grace) return EditOutcome::Nothing;
    const int t = score.trackOfPart(score.selection.hand);
    const CNote* note = mainNote(score);
    if (!note) return leaveGraceMode(score);
    const CNote main = *note;
    const int e = graceEventOf(score.track(t), main.time, main.pitch);
    if (e < 0) return leaveGraceMode(score);
    ctx.history.Push(StringId::RemoveGraceNote, UndoKind::Track, t);
    CTrack* track = score.trackPtr(t);
    track->events.removeAt(e);
    track->notes[track->notes.find(main)].flags &= ~NoteFlag::Grace;
    score.rebuildTrack(t);
    leaveGraceMode(score);
    return EditOutcome::Score;
}

EditOutcome changeGracePitch(EditContext& ctx, int32_t delta) {
    CScore& score = ctx.score;
    if (score.selection.mode != EditMode::Grace) return EditOutcome::Nothing;
    const int t = score.trackOfPart(score.selection.hand);
    const CNote* note = mainNote(score);
    if (!note) return EditOutcome::Nothing;
    const int e = graceEventOf(score.track(t), note->time, note->pitch);
    if (e < 0) return EditOutcome::Nothing;
    CEvent grace = score.track(t).events.at(e);
    const int32_t pitch = std::clamp(grace.data[0] + delta, 0, 127);
    if (pitch == grace.data[0]) return EditOutcome::Nothing;
    ctx.history.Push(StringId::EditGraceNote, UndoKind::Track, t);
    CTrack* track = score.trackPtr(t);
    track->events.removeAt(e);
    grace.data[0] = pitch;
    track->events.Add(grace);
    score.selection.pitchlo = score.selection.pitchhi = pitch;
    return EditOutcome::Score;
}

}  // namespace ks
