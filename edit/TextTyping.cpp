#include "TextTyping.h"

#include <algorithm>

#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/SelectionOps.h"
#include "edit/TrackLookup.h"
#include "render/layout/StaveGeometry.h"

namespace ks {

namespace {

constexpr int32_t kMinTempo = 50;
constexpr int32_t kMaxTempo = 300;

bool noteStartsAt(const CTrack& track, int32_t tick) {
    const int i = firstNoteFrom(track, tick);
    return i < track.notes.size() && track.notes.at(i).time == tick;
}

int lyricIndexAt(const CTrack& track, int32_t tick, int32_t verse) {
    return eventAt(track, tick, [verse](const CEvent& e) {
        return e.type == EventType::Lyric && e.data[0] == verse;
    });
}

// Replaces event `index` of `events` by `changed`; returns its new index.
int replaceEvent(CSortedArray<CEvent>& events, int index, const CEvent& changed) {
    events.removeAt(index);
    return events.Add(changed);
}

// The cursor on the note (chord) starting at `tick`, the notes there selected.
void cursorToNote(CScore& score, const CTrack& track, int32_t tick) {
    int32_t top = 0;
    for (int i = firstNoteFrom(track, tick);
         i < track.notes.size() && track.notes.at(i).time == tick; ++i)
        top = std::max(top, track.notes.at(i).pitch);
    const int32_t mode = score.selection.mode;
    collapseCursor(score.selection, tick, top);
    score.selection.mode = EditMode::Notes;
    selectAtCursor(score, false);
    score.selection.mode = mode;
}

CTrack* eventTrack(CScore& score, const CEventRef& ref) {
    if (ref.track == kAnnotationTrackRef) return &score.annotationTrack;
    if (ref.track == kTempoTrackRef) return &score.tempoTrack;
    return score.trackPtr(ref.track);
}

}  // namespace

// --- Lyric mode -------------------------------------------------------------------

EditOutcome toggleLyricMode(CScore& score) {
    CSelection& s = score.selection;
    if (s.mode == EditMode::Lyric) {
        setEditMode(score, EditMode::Notes);
        selectAtCursor(score, false);
        return EditOutcome::Selection;
    }
    const CTrack* track = currentTrack(score);
    if (s.mode != EditMode::Notes || !track || s.notes.empty()) return EditOutcome::Nothing;
    const int32_t first = s.notes.front().time;
    setEditMode(score, EditMode::Lyric);
    cursorToNote(score, *track, first);
    return EditOutcome::Selection;
}

const CEvent* lyricAtCursor(const CScore& score) {
    const CTrack* track = currentTrack(score);
    if (!track) return nullptr;
    const int i = lyricIndexAt(*track, score.selection.timestart, score.selection.lyricindex);
    return i >= 0 ? &track->events.at(i) : nullptr;
}

EditOutcome typeLyric(EditContext& ctx, const QString& text) {
    CScore& score = ctx.score;
    const CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    CTrack* track = score.trackPtr(t);
    if (!track || text.isEmpty() || s.mode != EditMode::Lyric || !noteStartsAt(*track, s.timestart))
        return EditOutcome::Nothing;
    ctx.history.Push(StringId::LyricEditing, UndoKind::Track, t);
    track = score.trackPtr(t);
    const int i = lyricIndexAt(*track, s.timestart, s.lyricindex);
    if (i >= 0) {
        track->events[i].text += text;
    } else {
        CEvent lyric{.time = s.timestart, .text = text, .type = EventType::Lyric};
        lyric.data[0] = s.lyricindex;
        track->events.Add(lyric);
    }
    return EditOutcome::Score;
}

EditOutcome lyricBackspace(EditContext& ctx) {
    CScore& score = ctx.score;
    const int t = score.trackOfPart(score.selection.hand);
    const CTrack* track = score.trackPtr(t);
    if (!track || score.selection.mode != EditMode::Lyric) return EditOutcome::Nothing;
    const int i = lyricIndexAt(*track, score.selection.timestart, score.selection.lyricindex);
    if (i < 0 || track->events.at(i).text.isEmpty()) return EditOutcome::Nothing;
    ctx.history.Push(StringId::LyricEditing, UndoKind::Track, t);
    CEvent& lyric = score.trackPtr(t)->events[i];
    lyric.text.chop(1);
    if (lyric.text.isEmpty() && lyric.data[1] == 0) score.trackPtr(t)->events.removeAt(i);
    return EditOutcome::Score;
}

EditOutcome lyricStepNote(CScore& score, int direction) {
    const CTrack* track = currentTrack(score);
    if (!track || score.selection.mode != EditMode::Lyric) return EditOutcome::Nothing;
    const int32_t at = score.selection.timestart;
    const CNote* found = nullptr;
    if (direction > 0) {
        for (int i = firstNoteFrom(*track, at + 1); i < track->notes.size(); ++i)
            if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) {
                found = &track->notes.at(i);
                break;
            }
    } else {
        for (int i = firstNoteFrom(*track, at) - 1; i >= 0; --i)
            if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) {
                found = &track->notes.at(i);
                break;
            }
    }
    if (!found) return EditOutcome::Nothing;
    cursorToNote(score, *track, found->time);
    return EditOutcome::Selection;
}

EditOutcome lyricStepLine(CScore& score, int direction) {
    CSelection& s = score.selection;
    const int32_t line = std::clamp(s.lyricindex + direction, 0, 3);
    if (s.mode != EditMode::Lyric || line == s.lyricindex) return EditOutcome::Nothing;
    s.lyricindex = line;
    return EditOutcome::Selection;
}

EditOutcome moveLyric(EditContext& ctx, int32_t delta) {
    CScore& score = ctx.score;
    const int t = score.trackOfPart(score.selection.hand);
    const CTrack* track = score.trackPtr(t);
    if (!track || delta == 0) return EditOutcome::Nothing;
    const int i = lyricIndexAt(*track, score.selection.timestart, score.selection.lyricindex);
    if (i < 0) return EditOutcome::Nothing;
    ctx.history.Push(StringId::MoveLyric, UndoKind::Track, t);
    CEvent changed = track->events.at(i);
    changed.data[1] += delta;
    replaceEvent(score.trackPtr(t)->events, i, changed);
    return EditOutcome::Score;
}

EditOutcome resetLyricOffset(EditContext& ctx) {
    CScore& score = ctx.score;
    const int t = score.trackOfPart(score.selection.hand);
    const CTrack* track = score.trackPtr(t);
    if (!track || score.selection.mode != EditMode::Lyric) return EditOutcome::Nothing;
    const int i = lyricIndexAt(*track, score.selection.timestart, score.selection.lyricindex);
    if (i < 0 || track->events.at(i).data[1] == 0) return EditOutcome::Nothing;
    ctx.history.Push(StringId::ResetLyricAlignment, UndoKind::Track, t);
    CEvent changed = track->events.at(i);
    changed.data[1] = 0;
    replaceEvent(score.trackPtr(t)->events, i, changed);
    return EditOutcome::Score;
}

bool selectionHasLyricOffsets(const CScore& score) {
    const CTrack* track = currentTrack(score);
    if (!track) return false;
    const CSelection& s = score.selection;
    for (const CEvent& e : track->events)
        if (e.type == EventType::Lyric && e.time >= s.timestart && e.time < s.timeend &&
            e.data[1] != 0)
            return true;
    return false;
}

EditOutcome resetSelectionLyrics(EditContext& ctx) {
    CScore& score = ctx.score;
    if (!selectionHasLyricOffsets(score)) return EditOutcome::Nothing;
    const int t = score.trackOfPart(score.selection.hand);
    ctx.history.Push(StringId::ResetLyricAlignment, UndoKind::Track, t);
    CTrack* track = score.trackPtr(t);
    const CSelection& s = score.selection;
    std::vector<CEvent> events = track->events.items();
    for (CEvent& e : events)
        if (e.type == EventType::Lyric && e.time >= s.timestart && e.time < s.timeend)
            e.data[1] = 0;
    track->events.assign(std::move(events));
    return EditOutcome::Score;
}

// --- Annotation mode --------------------------------------------------------------

EditOutcome toggleAnnotationMode(CScore& score) {
    CSelection& s = score.selection;
    if (s.mode == EditMode::Annotation) {
        setEditMode(score, EditMode::Notes);
        selectAtCursor(score, false);
        return EditOutcome::Selection;
    }
    if (s.mode != EditMode::Notes && s.mode != EditMode::Picked) return EditOutcome::Nothing;
    // A picked annotation stays picked, so typing goes on in its text.
    const std::vector<CEventRef> objects = s.objects;
    setEditMode(score, EditMode::Annotation);
    if (objects.size() == 1 && objects.front().track == kAnnotationTrackRef)
        s.currentObject = objects.front();
    return EditOutcome::Selection;
}

EditOutcome typeAnnotation(EditContext& ctx, const QString& text) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    if (text.isEmpty() || s.mode != EditMode::Annotation) return EditOutcome::Nothing;
    CEvent* picked =
        s.currentObject.track == kAnnotationTrackRef ? eventOf(score, s.currentObject) : nullptr;
    ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score, 0);
    if (picked) {
        picked = eventOf(score, s.currentObject);
        picked->text += text;
        // A marker named by the user keeps its name.
        if (picked->type == EventType::SectionMarker) {
            CEvent changed = *picked;
            changed.data[2] = 1;
            s.currentObject.index =
                replaceEvent(score.annotationTrack.events, s.currentObject.index, changed);
        }
        return EditOutcome::Score;
    }
    CEvent annotation{.time = s.timestart, .text = text, .type = EventType::Annotation};
    annotation.setPitch(std::min(s.pitchTop(), 127) << 16);
    s.currentObject = CEventRef{kAnnotationTrackRef, score.annotationTrack.events.Add(annotation)};
    s.objects = {s.currentObject};
    return EditOutcome::Score;
}

EditOutcome annotationBackspace(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    if (s.mode != EditMode::Annotation || s.currentObject.track != kAnnotationTrackRef)
        return EditOutcome::Nothing;
    CEvent* picked = eventOf(score, s.currentObject);
    if (!picked || picked->text.isEmpty()) return EditOutcome::Nothing;
    ctx.history.Push(StringId::AnnotationEditing, UndoKind::Score, 0);
    picked = eventOf(score, s.currentObject);
    picked->text.chop(1);
    if (picked->text.isEmpty() && picked->type == EventType::Annotation) {
        score.annotationTrack.events.removeAt(s.currentObject.index);
        s.currentObject = {};
        s.objects.clear();
    }
    return EditOutcome::Score;
}

EditOutcome resetAnnotationPosition(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    CEvent* picked = eventOf(score, s.currentObject);
    if (!picked || s.currentObject.track < kTempoTrackRef) return EditOutcome::Nothing;
    const int32_t pitch = (defaultStaveRange(score.prefs.stavetype).top + 8) << 16;
    const int32_t target = s.currentObject.track == kTempoTrackRef ? 0 : pitch;
    if (picked->pitch == target) return EditOutcome::Nothing;
    ctx.history.Push(StringId::AnnotationPositioning, UndoKind::Score, 0);
    CTrack* track = eventTrack(score, s.currentObject);
    CEvent changed = track->events.at(s.currentObject.index);
    changed.pitch = target;
    s.currentObject.index = replaceEvent(track->events, s.currentObject.index, changed);
    s.objects = {s.currentObject};
    return EditOutcome::Score;
}

// --- Tempo marks ------------------------------------------------------------------

namespace {

EditOutcome retypeTempo(EditContext& ctx, const std::function<bool(QString&)>& edit) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    if (s.mode != EditMode::TempoMark || s.currentObject.track != kTempoTrackRef)
        return EditOutcome::Nothing;
    const CEvent* mark = eventOf(score, s.currentObject);
    if (!mark || mark->type != EventType::Tempo) return EditOutcome::Nothing;
    QString text = mark->text;
    if (!edit(text)) return EditOutcome::Nothing;
    for (QChar& c : text)
        if (!c.isDigit()) c = u' ';
    bool ok = false;
    const int32_t typed = text.trimmed().section(u' ', 0, 0).toInt(&ok);
    ctx.history.Push(StringId::EditTempo, UndoKind::Score, 0);
    CEvent changed = score.tempoTrack.events.at(s.currentObject.index);
    changed.text = text;
    if (ok) changed.data[1] = std::clamp(typed, kMinTempo, kMaxTempo);
    s.currentObject.index = replaceEvent(score.tempoTrack.events, s.currentObject.index, changed);
    s.objects = {s.currentObject};
    score.rebuildPlaybackMap();
    return EditOutcome::Score;
}

}  // namespace

EditOutcome typeTempoDigit(EditContext& ctx, QChar digit) {
    if (!digit.isDigit()) return EditOutcome::Nothing;
    return retypeTempo(ctx, [digit](QString& text) {
        text += digit;
        return true;
    });
}

EditOutcome tempoBackspace(EditContext& ctx) {
    return retypeTempo(ctx, [](QString& text) {
        if (text.isEmpty()) return false;
        text.chop(1);
        return true;
    });
}

EditOutcome finishTempo(CScore& score) {
    CSelection& s = score.selection;
    if (s.mode != EditMode::TempoMark) return EditOutcome::Nothing;
    if (s.currentObject.track == kTempoTrackRef && s.currentObject.index >= 0 &&
        s.currentObject.index < score.tempoTrack.events.size())
        score.tempoTrack.events[s.currentObject.index].text.clear();
    setEditMode(score, EditMode::Notes);
    selectAtCursor(score, false);
    return EditOutcome::Score;
}

}  // namespace ks
