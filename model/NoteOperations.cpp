#include "NoteOperations.h"

#include <algorithm>
#include <set>

#include "BarOperations.h"
#include "TieChain.h"

namespace ks {

namespace {

// Valid indices, ascending and unique.
std::vector<int> cleaned(const CTrack& track, std::vector<int> notes) {
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    notes.erase(std::remove_if(notes.begin(), notes.end(),
                               [&](int i) { return i < 0 || i >= track.notes.size(); }),
                notes.end());
    return notes;
}

}  // namespace

bool autoNoteLength(CScore& score, int trackIndex, const std::vector<int>& selected) {
    CTrack* track = score.trackPtr(trackIndex);
    if (!track) return false;
    const std::vector<int> heads = cleaned(*track, selected);
    if (heads.empty()) return false;
    const auto& notes = track->notes;
    // New whole lengths by note; the tied pieces of a changed note are joined into it.
    std::vector<std::pair<int, int32_t>> grown;
    for (int i : heads) {
        const CNote& n = notes.at(i);
        int32_t limit = score.length;
        for (int j = notes.lowerBound(CNote{.time = n.time + 1, .pitch = -1}); j < notes.size();
             ++j) {
            if (notes.at(j).flags & NoteFlag::TieEnd) continue;
            limit = notes.at(j).time;
            break;
        }
        limit = std::min(limit, score.barStart(score.barAtTick(n.time) + 1));
        if (tieChainEnd(*track, i) < limit) grown.emplace_back(i, limit - n.time);
    }
    if (grown.empty()) return false;
    std::set<int> drop;
    for (const auto& [i, length] : grown) {
        const std::vector<int> pieces = withTiedPieces(*track, {i});
        for (int p : pieces)
            if (p != i) drop.insert(p);
    }
    for (const auto& [i, length] : grown) {
        CNote& n = track->notes[i];
        n.duration = length;
        n.flags &= ~NoteFlag::TieStart;
    }
    int index = 0;
    track->notes.removeIf([&](const CNote&) { return drop.count(index++) > 0; });
    track->chordsvalid = false;
    score.rebuildTrack(trackIndex);
    return true;
}

bool makePhrase(CScore& score, int trackIndex, const std::vector<int>& selected) {
    CTrack* track = score.trackPtr(trackIndex);
    if (!track) return false;
    const std::vector<int> notes = cleaned(*track, selected);
    if (notes.empty()) return false;
    const CNote& first = track->notes.at(notes.front());
    const CNote& last = track->notes.at(notes.back());
    if (last.time - first.time <= score.ppqn / 8) return false;
    CEvent start;
    start.type = EventType::Phrase;
    start.data[1] = first.pitch;
    start.data[2] = last.pitch;
    start.data[3] = first.time;
    start.data[4] = last.time;
    CEvent end = start;
    start.time = first.time;
    start.setKey(first.pitch);
    start.data[0] = 0;
    end.time = last.time;
    end.setKey(last.pitch);
    end.data[0] = 1;
    const int before = track->events.size();
    track->addEvent(start);
    track->addEvent(end);
    return track->events.size() != before;
}

int phraseStartingAt(const CTrack& track, int32_t tick) {
    int found = -1;
    for (int i = track.events.lowerBound(CEvent{.time = tick}); i < track.events.size(); ++i) {
        const CEvent& e = track.events.at(i);
        if (e.time != tick) break;
        if (e.type == EventType::Phrase && e.data[0] == 0) found = i;
    }
    return found;
}

bool removePhrase(CScore& score, int trackIndex, int32_t tick) {
    CTrack* track = score.trackPtr(trackIndex);
    if (!track) return false;
    const int start = phraseStartingAt(*track, tick);
    if (start < 0) return false;
    const CEvent key = track->events.at(start);
    bool endGone = false;
    track->events.removeAt(start);
    track->events.removeIf([&](const CEvent& e) {
        if (endGone || e.type != EventType::Phrase || e.data[0] != 1) return false;
        if (!std::equal(e.data + 1, e.data + 5, key.data + 1)) return false;
        endGone = true;
        return true;
    });
    return true;
}

bool flipStems(CScore& score, int trackIndex, const std::vector<int>& selected) {
    CTrack* track = score.trackPtr(trackIndex);
    if (!track) return false;
    if (!track->chordsvalid) score.rebuildTrack(trackIndex);
    const std::vector<int> notes = withTiedPieces(*track, cleaned(*track, selected));
    if (notes.empty()) return false;
    // The chords of the notes, counted by the way their stems point now.
    std::set<int> chords;
    for (int i : notes) {
        const int c = track->chords.lowerBound(CChord{.time = track->notes.at(i).time + 1}) - 1;
        if (c >= 0) chords.insert(c);
    }
    int down = 0, up = 0;
    for (int c : chords) {
        const CChord& chord = track->chords.at(c);
        const bool pointsDown = (chord.flags & ChordFlag::StemDown) ||
                                (!(chord.flags & ChordFlag::StemUp) && chord.stemBalance < 0);
        (pointsDown ? down : up)++;
    }
    const int32_t force = down < up ? NoteFlag::StemDown : NoteFlag::StemUp;
    // Every note of those chords carries the force, so the chord's first note decides.
    std::set<int> touched(notes.begin(), notes.end());
    for (int c : chords) {
        const CChord& chord = track->chords.at(c);
        for (int k = 0; k < chord.noteCount; ++k)
            touched.insert(chord.firstNote + k);
    }
    bool changed = false;
    for (int i : touched) {
        CNote& n = track->notes[i];
        const int32_t flags = (n.flags & ~NoteFlag::StemMask) | force;
        if (flags != n.flags) changed = true;
        n.flags = flags;
    }
    for (int c : chords) {
        CChord& chord = track->chords[c];
        chord.flags = (chord.flags & ~(ChordFlag::StemUp | ChordFlag::StemDown)) | force;
    }
    return changed;
}

}  // namespace ks
