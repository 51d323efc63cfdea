#include "SelectionOps.h"

#include <algorithm>

#include "edit/TrackLookup.h"

namespace ks {

namespace {

// The note `index` and the tied pieces that continue it.
std::vector<CNoteRef> withTiedPieces(const CTrack& track, int index) {
    std::vector<CNoteRef> chain;
    const CNote* note = &track.notes.at(index);
    chain.push_back({note->time, note->pitch});
    while (note->flags & NoteFlag::TieStart) {
        const int next = track.notes.find(CNote{.time = note->end(), .pitch = note->pitch});
        if (next < 0) break;
        const CNote& piece = track.notes.at(next);
        if (!(piece.flags & NoteFlag::TieEnd) || piece.duration <= 0) break;
        note = &piece;
        chain.push_back({note->time, note->pitch});
    }
    return chain;
}

void sortNotes(std::vector<CNoteRef>& notes) {
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
}

}  // namespace

CTrack* currentTrack(CScore& score) {
    return score.trackPtr(score.trackOfPart(score.selection.hand));
}

const CTrack* currentTrack(const CScore& score) {
    const int t = score.trackOfPart(score.selection.hand);
    return t >= 0 ? &score.tracks[static_cast<size_t>(t)] : nullptr;
}

int32_t lastCursorTick(const CScore& score, int32_t step) {
    return std::max(0, score.length - std::max(step, 1));
}

void clearSelection(CSelection& s) {
    s.notes.clear();
    s.objects.clear();
    s.dragDx = s.dragDy = 0;
}

void collapseCursor(CSelection& s, int32_t time, int32_t pitch) {
    s.timestart = std::max(time, 0);
    s.timeend = s.timestart + 1;
    s.pitchlo = s.pitchhi = std::clamp(pitch, 0, 127);
}

void selectAtCursor(CScore& score, bool add) {
    CSelection& s = score.selection;
    if (!add) s.notes.clear();
    s.dragDx = s.dragDy = 0;
    const CTrack* track = currentTrack(score);
    if (!track) return;
    const int32_t top = std::max(s.pitchlo, s.pitchhi);
    const int32_t bottom = std::min(s.pitchlo, s.pitchhi);
    for (int i = firstNoteFrom(*track, s.timestart);
         i < track->notes.size() && track->notes.at(i).time < s.timeend; ++i) {
        const CNote& n = track->notes.at(i);
        if (n.end() <= s.timestart || (n.flags & NoteFlag::TieEnd)) continue;
        if (n.pitch < bottom || n.pitch > top) continue;
        const std::vector<CNoteRef> chain = withTiedPieces(*track, i);
        const bool present = std::binary_search(s.notes.begin(), s.notes.end(), chain.front());
        if (add && present) {
            for (const CNoteRef& r : chain)
                std::erase(s.notes, r);
        } else {
            for (const CNoteRef& r : chain) {
                auto it = std::lower_bound(s.notes.begin(), s.notes.end(), r);
                if (it == s.notes.end() || *it != r) s.notes.insert(it, r);
            }
        }
    }
    if (!s.notes.empty()) s.objects.clear();
}

void fitBoxToNotes(CScore& score) {
    CSelection& s = score.selection;
    if (s.notes.empty()) return;
    sortNotes(s.notes);
    int32_t top = 0, bottom = 127, first = INT32_MAX, last = 0;
    for (const CNoteRef& n : s.notes) {
        top = std::max(top, n.pitch);
        bottom = std::min(bottom, n.pitch);
        first = std::min(first, n.time);
        last = std::max(last, n.time);
    }
    s.pitchlo = top;
    s.pitchhi = bottom;
    s.timestart = first;
    s.timeend = last + 1;
}

void placeCursorAt(CScore& score, const TickPitchRect& rect, int32_t step) {
    CSelection& s = score.selection;
    step = std::max(step, 1);
    const int32_t top = std::max(rect.pitchTop, rect.pitchBottom);
    const int32_t bottom = std::min(rect.pitchTop, rect.pitchBottom);
    if (const CTrack* track = currentTrack(score)) {
        for (int widen = 0; widen <= 1; ++widen) {
            for (const CNote& n : track->notes) {
                if (n.time >= rect.timeEnd) break;
                if (n.end() <= rect.timeStart || (n.flags & NoteFlag::TieEnd)) continue;
                if (n.pitch > top + widen || n.pitch < bottom - widen) continue;
                clearSelection(s);
                collapseCursor(s, n.time, n.pitch);
                selectAtCursor(score, false);
                fitBoxToNotes(score);
                return;
            }
        }
    }
    clearSelection(s);
    int32_t t = std::max(rect.timeStart, 0) + step / 4;
    t -= t % step;
    collapseCursor(s, std::min(t, lastCursorTick(score, step)), top);
}

std::vector<int> selectedNoteIndexes(const CTrack& track, const CSelection& selection) {
    std::vector<int> indexes;
    indexes.reserve(selection.notes.size());
    for (const CNoteRef& r : selection.notes) {
        const int i = track.notes.find(CNote{.time = r.time, .pitch = r.pitch});
        if (i >= 0) indexes.push_back(i);
    }
    std::sort(indexes.begin(), indexes.end());
    return indexes;
}

void keepSelectionValid(CScore& score) {
    CSelection& s = score.selection;
    s.hand = std::clamp(s.hand, 0, kPartCount - 1);
    s.pitchlo = std::clamp(s.pitchlo, 0, 127);
    s.pitchhi = std::clamp(s.pitchhi, 0, 127);
    s.timestart = std::clamp(s.timestart, 0, std::max(score.length - 1, 0));
    if (s.timeend <= s.timestart) s.timeend = s.timestart + 1;
    std::erase_if(s.objects, [&](const CEventRef& r) { return !eventOf(score, r); });
    if (!eventOf(score, s.currentObject)) s.currentObject = CEventRef{};
    if (s.notes.empty()) return;
    const CTrack* track = currentTrack(score);
    const size_t before = s.notes.size();
    if (!track)
        s.notes.clear();
    else
        std::erase_if(s.notes, [&](const CNoteRef& r) {
            return track->notes.find(CNote{.time = r.time, .pitch = r.pitch}) < 0;
        });
    if (s.notes.size() != before && s.mode == EditMode::Notes) selectAtCursor(score, false);
}

const CEvent* eventOf(const CScore& score, const CEventRef& ref) {
    const CTrack* track = ref.track == kAnnotationTrackRef ? &score.annotationTrack
                          : ref.track == kTempoTrackRef    ? &score.tempoTrack
                          : ref.track >= 0 && ref.track < score.trackCount()
                              ? &score.tracks[static_cast<size_t>(ref.track)]
                              : nullptr;
    if (!track || ref.index < 0 || ref.index >= track->events.size()) return nullptr;
    return &track->events.at(ref.index);
}

CEvent* eventOf(CScore& score, const CEventRef& ref) {
    const CEvent* e = eventOf(static_cast<const CScore&>(score), ref);
    if (!e) return nullptr;
    CTrack* track = ref.track == kAnnotationTrackRef ? &score.annotationTrack
                    : ref.track == kTempoTrackRef    ? &score.tempoTrack
                                                  : &score.tracks[static_cast<size_t>(ref.track)];
    return &track->events[ref.index];
}

}  // namespace ks
