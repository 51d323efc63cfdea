#include "Tuplets.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "edit/EditModes.h"
#include "edit/EditTextIds.h"
#include "edit/NoteEntry.h"
#include "edit/NoteLength.h"
#include "edit/Rederive.h"
#include "edit/SelectionOps.h"
#include "edit/TrackLookup.h"

namespace ks {

namespace {

struct Span {
    int32_t start = 0, end = 0, count = 1;
    int32_t slot() const { return std::max((end - start) / std::max(count, 1), 1); }
};

// The tuplet Tuplet mode works on: the current object's marker.
std::optional<Span> currentTuplet(const CScore& score) {
    const CSelection& s = score.selection;
    if (s.mode != EditMode::Tuplet || s.currentObject.track < 0) return std::nullopt;
    const CEvent* e = eventOf(score, s.currentObject);
    if (!e || e->type != EventType::Tuplet) return std::nullopt;
    return Span{e->time, e->data[1], e->data[0]};
}

bool inBox(const CSelection& s, const CNote& n) {
    return n.time >= s.timestart && n.time < s.timeend &&
           n.pitch <= std::max(s.pitchlo, s.pitchhi) && n.pitch >= std::min(s.pitchlo, s.pitchhi);
}

void enterTupletMode(CScore& score, int marker) {
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    const std::vector<CNoteRef> kept = s.notes;
    s.mode = EditMode::Tuplet;
    s.objects.clear();
    s.currentObject = CEventRef{t, marker};
    s.notes = kept;
}

// Selects the notes under the cursor box, keeping Tuplet mode.
EditOutcome reselect(CScore& score) {
    selectAtCursor(score, false);
    return EditOutcome::Selection;
}

}  // namespace

int tupletMarkerAt(const CTrack& track, int32_t tick) {
    return eventAt(track, tick, [](const CEvent& e) { return e.type == EventType::Tuplet; });
}

bool selectionIsOneTuplet(const CScore& score) {
    const CTrack* track = currentTrack(score);
    if (!track || score.selection.notes.empty()) return false;
    const int m = tupletMarkerAt(*track, score.selection.timestart);
    if (m < 0) return false;
    const CEvent& marker = track->events.at(m);
    const std::vector<int> selected = selectedNoteIndexes(*track, score.selection);
    if (selected.empty()) return false;
    for (int i : selected) {
        const CNote& n = track->notes.at(i);
        if (!(n.flags & NoteFlag::Tuplet) || n.time < marker.time || n.time >= marker.data[1])
            return false;
    }
    return true;
}

int32_t tupletLength(int32_t ppqn, int32_t span) {
    const int64_t unit = std::max(ppqn / 8, 1);
    int64_t length = unit;
    while (length * 2 * 2 <= int64_t(span) * 3)
        length *= 2;
    return static_cast<int32_t>(std::min<int64_t>(length, INT32_MAX));
}

EditOutcome convertToTuplet(EditContext& ctx, const TupletQuestions& questions) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const int t = score.trackOfPart(s.hand);
    const CTrack* track = score.trackPtr(t);
    if (!track || selectionIsOneTuplet(score)) return EditOutcome::Nothing;
    std::vector<CNote> chosen;
    for (int i : selectedNoteIndexes(*track, s))
        if (!(track->notes.at(i).flags & NoteFlag::TieEnd)) chosen.push_back(track->notes.at(i));
    if (chosen.empty()) return EditOutcome::Nothing;
    int n = questions.noteCount ? questions.noteCount() : 0;
    if (n <= 0) return EditOutcome::Nothing;
    if (score.barAtTick(s.timestart) != score.barAtTick(std::max(s.timeend - 1, s.timestart)))
        return EditOutcome::Nothing;
    const int32_t unit = std::max(score.ppqn / 8, 1);
    for (const CEvent& e : track->events)
        if (e.type == EventType::Tuplet && e.time >= s.timestart && e.time <= s.timeend &&
            (e.time - s.timestart) % unit == 0)
            return EditOutcome::Nothing;
    bool strangers = false;
    for (const CNote& note : track->notes) {
        if (note.time >= s.timeend) break;
        if (inBox(s, note) && !(note.flags & NoteFlag::TieEnd) &&
            !std::binary_search(s.notes.begin(), s.notes.end(), CNoteRef{note.time, note.pitch}))
            strangers = true;
    }
    if (strangers && !(questions.confirm && questions.confirm(StringId::AskTupletDeletesNotes)))
        return EditOutcome::Nothing;
    std::set<int32_t> times;
    int32_t latestEnd = s.timestart;
    for (const CNote& note : chosen) {
        times.insert(note.time);
        // A tied note ends where its last piece ends.
        int32_t end = note.end();
        for (int j = track->notes.find(note);
             j >= 0 && (track->notes.at(j).flags & NoteFlag::TieStart);) {
            j = track->notes.find(CNote{.time = track->notes.at(j).end(), .pitch = note.pitch});
            if (j >= 0) end = track->notes.at(j).end();
        }
        latestEnd = std::max(latestEnd, end);
    }
    if (times.size() > 1 && static_cast<int>(times.size()) != n &&
        !(questions.confirm && questions.confirm(StringId::AskTupletCountMismatch)))
        return EditOutcome::Nothing;

    ctx.history.Push(StringId::ConvertTuplet, UndoKind::Track, t);
    CTrack* edited = score.trackPtr(t);
    const int32_t start = s.timestart;
    const int32_t length = tupletLength(score.ppqn, latestEnd - start);
    // No more notes than ticks: every note keeps at least one tick inside the tuplet.
    n = std::min(n, length);
    const int32_t d = length / n;
    const int32_t boxEnd = s.timeend;
    edited->notes.removeIf([&](const CNote& note) { return inBox(s, note); });
    std::vector<CNote> added;
    auto make = [&](const CNote& from, int slot) {
        CNote note = from;
        note.time = start + slot * d;
        note.duration = d;
        note.flags = (from.flags & ~NoteFlag::TieMask) | NoteFlag::Tuplet;
        note.work0 = d;
        added.push_back(note);
    };
    if (times.size() == 1) {
        for (const CNote& note : chosen)
            for (int i = 0; i < n; ++i)
                make(note, i);
    } else {
        for (const CNote& note : chosen) {
            int best = 0;
            for (int i = 1; i < n; ++i)
                if (std::abs(start + i * d - note.time) < std::abs(start + best * d - note.time))
                    best = i;
            make(note, best);
        }
    }
    edited->notes.AddAll(added);
    edited->chordsvalid = false;
    CEvent marker{.time = start, .type = EventType::Tuplet};
    marker.data[0] = n;
    marker.data[1] = start + length;
    edited->events.Add(marker);
    rederiveTicks(score, t, start, std::max(boxEnd, start + length));
    s.notes.clear();
    for (const CNote& note : edited->notes)
        if (note.time >= start && note.time < start + length && (note.flags & NoteFlag::Tuplet))
            s.notes.push_back({note.time, note.pitch});
    std::sort(s.notes.begin(), s.notes.end());
    fitBoxToNotes(score);
    s.timestart = start;
    enterTupletMode(score, tupletMarkerAt(*edited, start));
    return EditOutcome::Score;
}

EditOutcome toggleTupletMode(CScore& score) {
    CSelection& s = score.selection;
    if (s.mode == EditMode::Tuplet) {
        setEditMode(score, EditMode::Notes);
        selectAtCursor(score, false);
        return EditOutcome::Selection;
    }
    if (s.mode != EditMode::Notes || !selectionIsOneTuplet(score)) return EditOutcome::Nothing;
    enterTupletMode(score, tupletMarkerAt(*currentTrack(score), s.timestart));
    return EditOutcome::Selection;
}

EditOutcome tupletCursorPitch(CScore& score, int direction) {
    CSelection& s = score.selection;
    if (!currentTuplet(score)) return EditOutcome::Nothing;
    const int32_t top = std::max(s.pitchlo, s.pitchhi), bottom = std::min(s.pitchlo, s.pitchhi);
    if ((direction > 0 && top >= 127) || (direction < 0 && bottom <= 0))
        return EditOutcome::Nothing;
    s.pitchlo = top + direction;
    s.pitchhi = bottom + direction;
    return reselect(score);
}

EditOutcome tupletCursorSlot(CScore& score, int direction) {
    CSelection& s = score.selection;
    const std::optional<Span> span = currentTuplet(score);
    if (!span) return EditOutcome::Nothing;
    const int32_t slot = span->slot();
    const int32_t next = s.timestart + direction * slot;
    if (next < span->start || next >= span->end) return EditOutcome::Nothing;
    s.timestart = next;
    s.timeend = next + 1;
    return reselect(score);
}

EditOutcome tupletStepNote(CScore& score, int direction) {
    CSelection& s = score.selection;
    const std::optional<Span> span = currentTuplet(score);
    const CTrack* track = currentTrack(score);
    if (!span || !track) return EditOutcome::Nothing;
    int32_t from = s.timestart;
    if (direction > 0) {
        for (int i : selectedNoteIndexes(*track, s))
            from = std::max(from, track->notes.at(i).end());
    } else {
        from = s.timestart - span->slot();
    }
    const int i = firstNoteFrom(*track, from);
    if (i >= track->notes.size()) return EditOutcome::Nothing;
    const CNote& note = track->notes.at(i);
    if (note.time < span->start || note.time >= span->end) return EditOutcome::Nothing;
    s.notes = {{note.time, note.pitch}};
    fitBoxToNotes(score);
    return EditOutcome::Selection;
}

EditOutcome tupletInsert(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const std::optional<Span> span = currentTuplet(score);
    if (!span) return EditOutcome::Nothing;
    const int thousandths =
        static_cast<int>(std::lround(span->slot() * 1000.0 / std::max(score.ppqn, 1)));
    int index = -1;
    switch (thousandths) {
        case 167:
            index = 12;
            break;
        case 333:
            index = 13;
            break;
        case 667:
            index = 14;
            break;
        case 1333:
            index = 15;
            break;
        default:
            return EditOutcome::Nothing;
    }
    const CEventRef marker = s.currentObject;
    const int32_t position = s.timestart;
    const int t = score.trackOfPart(s.hand);
    const int32_t step = noteLengthTicks(score.ppqn, index);
    if (insertNoteAtCursor(ctx, step) == EditOutcome::Nothing) return EditOutcome::Nothing;
    CTrack* track = score.trackPtr(t);
    const int added = track->notes.find(CNote{.time = position, .pitch = s.pitchTop()});
    if (added >= 0) track->notes[added].flags |= NoteFlag::Tuplet;
    rederiveTicks(score, t, position, position + step);
    collapseCursor(s, position, s.pitchTop());
    selectAtCursor(score, false);
    s.mode = EditMode::Tuplet;
    s.currentObject = marker;
    return EditOutcome::Score;
}

EditOutcome tupletDeleteAll(EditContext& ctx) {
    CScore& score = ctx.score;
    CSelection& s = score.selection;
    const std::optional<Span> span = currentTuplet(score);
    if (!span) return EditOutcome::Nothing;
    const CEventRef marker = s.currentObject;
    s.timestart = span->start;
    s.timeend = span->end;
    s.pitchlo = 127;
    s.pitchhi = 0;
    selectAtCursor(score, false);
    const DeleteOutcome out = deleteSelection(ctx);
    s.mode = EditMode::Tuplet;
    s.currentObject = marker;
    return out.outcome;
}

}  // namespace ks
