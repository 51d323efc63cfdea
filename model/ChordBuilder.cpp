// Chord rebuild: cuts a track into time slices at every note start and end, splits
// notes that cross a slice boundary into tied pieces, and fills the chords.
#include <algorithm>

#include "Score.h"
#include "Track.h"

namespace ks {

namespace {

int32_t stemBalanceOf(int32_t pitch) {
    return pitch >= 60 ? 68 - pitch : 50 - pitch;
}

// Spans [start, end) of the events of one type, in time order.
std::vector<std::pair<int32_t, int32_t>> spansOf(const CSortedArray<CEvent>& events, int32_t type,
                                                 int endField) {
    std::vector<std::pair<int32_t, int32_t>> spans;
    for (const CEvent& e : events)
        if (e.type == type && e.data[endField] > e.time)
            spans.emplace_back(e.time, e.data[endField]);
    return spans;
}

bool insideAny(const std::vector<std::pair<int32_t, int32_t>>& spans, int32_t tick) {
    for (const auto& [start, end] : spans) {
        if (start > tick) break;
        if (tick < end) return true;
    }
    return false;
}

}  // namespace

// After this, within [from, to): every note starts at a chord's time and lasts no longer
// than that chord; chords tile the window; rests are chords without notes.
//
// The rebuild always recomputes the boundaries and splits, whether or not the chords were
// marked valid: when the notes already fit, splitting changes nothing, and a window that
// moved (a new score length) still gets correct chords.
void CTrack::rebuildChords(int32_t scoreLength, int32_t from, int32_t to) {
    if (length < scoreLength) length = scoreLength;
    if (to < 0) to = length;
    to = std::min(to, scoreLength);
    from = std::clamp(from, 0, std::max(to, 0));

    // Notes without length have nothing to show; they are dropped.
    notes.removeIf([](const CNote& n) { return n.duration <= 0; });

    // 1-2. Boundaries inside the window, ascending and unique.
    std::vector<int32_t> bounds;
    bounds.reserve(static_cast<size_t>(notes.size()) * 2 + 2);
    bounds.push_back(from);
    for (const CNote& n : notes) {
        if (n.time >= to) break;
        if (n.time > from) bounds.push_back(n.time);
        const int64_t end = int64_t(n.time) + n.duration;
        if (end > from && end < to) bounds.push_back(static_cast<int32_t>(end));
    }
    bounds.push_back(to);
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());

    // 4a. Split every note of the window at the boundaries it crosses. The first piece
    // gains a tie start, inner pieces both tie flags, the last piece a tie end; the note's
    // own tie flags stay on its first and last piece. A piece that meets an existing note
    // of the same time and pitch gives way to it, as an ordered insert would.
    std::vector<CNote> pieces;
    for (CNote& n : notes) {
        if (n.time >= to || n.time < from) continue;
        const int64_t end = int64_t(n.time) + n.duration;
        auto it = std::upper_bound(bounds.begin(), bounds.end(), n.time);
        if (it == bounds.end() || *it >= end) continue;  // fits its slice
        const int32_t original = n.flags;
        n.duration = *it - n.time;
        n.flags = original | NoteFlag::TieStart;
        for (; it != bounds.end() && *it < end; ++it) {
            CNote piece = n;
            piece.time = *it;
            auto next = it + 1;
            const bool last = next == bounds.end() || *next >= end;
            piece.duration = static_cast<int32_t>((last ? end : *next) - *it);
            piece.flags = last ? (original | NoteFlag::TieEnd)
                               : (original | NoteFlag::TieStart | NoteFlag::TieEnd);
            pieces.push_back(piece);
        }
    }
    if (!pieces.empty()) notes.AddAll(std::move(pieces));

    // 3. One chord per pair of consecutive boundaries replaces the chords of the window.
    const int firstOut = chords.lowerBound(CChord{.time = from});
    const int lastOut = chords.lowerBound(CChord{.time = to});
    std::vector<CChord> rebuilt;
    rebuilt.reserve(chords.size() - (lastOut - firstOut) + bounds.size());
    for (int i = 0; i < firstOut; ++i)
        rebuilt.push_back(chords.at(i));
    const auto tuplets = spansOf(events, EventType::Tuplet, 1);
    const auto spellings = spansOf(events, EventType::SpellingRange, 0);
    int noteIndex = notes.lowerBound(CNote{.time = from, .pitch = -1});
    for (size_t b = 0; b + 1 < bounds.size(); ++b) {
        CChord chord;
        chord.time = bounds[b];
        chord.duration = bounds[b + 1] - bounds[b];
        chord.bar = owner ? owner->barAtTick(chord.time) : 0;
        // 4b. The notes starting at the chord's time join it.
        while (noteIndex < notes.size() && notes.at(noteIndex).time < chord.time)
            ++noteIndex;
        chord.firstNote = noteIndex;
        while (noteIndex < notes.size() && notes.at(noteIndex).time == chord.time) {
            const CNote& n = notes.at(noteIndex);
            chord.flags |= n.flags & (NoteFlag::TieStart | NoteFlag::TieEnd);
            chord.stemBalance += stemBalanceOf(n.pitch);
            ++chord.noteCount;
            ++noteIndex;
        }
        // 5. Finish: a rest, or the pitch range and stem direction of the notes.
        if (chord.noteCount == 0) {
            chord.flags = ChordFlag::Rest;
            chord.firstNote = 0;
            chord.pitchHigh = chord.pitchLow = 60;
        } else {
            chord.pitchLow = notes.at(chord.firstNote).pitch;
            chord.pitchHigh = notes.at(chord.firstNote + chord.noteCount - 1).pitch;
            chord.flags |= notes.at(chord.firstNote).flags & NoteFlag::StemMask;
        }
        if (insideAny(tuplets, chord.time)) chord.flags |= ChordFlag::Tuplet;
        if (insideAny(spellings, chord.time)) chord.flags |= ChordFlag::Spelling;
        rebuilt.push_back(chord);
    }
    for (int i = lastOut; i < chords.size(); ++i)
        rebuilt.push_back(chords.at(i));
    chords.assign(std::move(rebuilt));
    // Chords after the window may point at notes that moved when pieces were inserted.
    if (lastOut < chords.size()) {
        int n = 0;
        for (CChord& c : chords) {
            if (c.time < to || c.noteCount == 0) continue;
            while (n < notes.size() && notes.at(n).time < c.time)
                ++n;
            c.firstNote = n;
        }
    }
    // 6.
    chordsvalid = true;
}

}  // namespace ks
