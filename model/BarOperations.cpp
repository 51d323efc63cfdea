#include "BarOperations.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <tuple>

#include "TrackOperations.h"

namespace ks {

namespace {

int32_t addTicks(int32_t t, int64_t delta) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t(t) + delta, 0, std::numeric_limits<int32_t>::max()));
}

// Moves the ticks the data fields of a music-track event hold by `delta`: the end of a
// tuplet, both note times of a phrase, the end of a spelling range. A field moves when
// it lies at or after `from` (ends: after it).
void shiftFields(CEvent& e, int32_t from, int64_t delta) {
    switch (e.type) {
        case EventType::Tuplet:
            if (e.data[1] > from) e.data[1] = addTicks(e.data[1], delta);
            break;
        case EventType::Phrase:
            if (e.data[3] >= from) e.data[3] = addTicks(e.data[3], delta);
            if (e.data[4] >= from) e.data[4] = addTicks(e.data[4], delta);
            break;
        case EventType::SpellingRange:
            if (e.data[0] > from) e.data[0] = addTicks(e.data[0], delta);
            break;
        default:
            break;
    }
}

// Phrase events come in pairs (start and end carrying the same four fields); a half
// whose partner was deleted goes too.
void dropUnpairedPhrases(CSortedArray<CEvent>& events) {
    using Key = std::tuple<int32_t, int32_t, int32_t, int32_t>;
    std::set<Key> starts, ends;
    for (const CEvent& e : events) {
        if (e.type != EventType::Phrase) continue;
        (e.data[0] == 0 ? starts : ends).insert({e.data[1], e.data[2], e.data[3], e.data[4]});
    }
    events.removeIf([&](const CEvent& e) {
        if (e.type != EventType::Phrase) return false;
        const Key key{e.data[1], e.data[2], e.data[3], e.data[4]};
        return e.data[0] == 0 ? !ends.count(key) : !starts.count(key);
    });
}

// The tempo and annotation tracks: marks from `from` move by `delta`; with `removeUpTo`
// above `from`, marks in [from, removeUpTo) go first. Marks at tick 0 stay where they
// are when the change starts at 0: the first tempo and the start marker belong there.
void shiftMarks(CTrack& marks, int32_t from, int32_t removeUpTo, int64_t delta) {
    std::vector<CEvent> kept;
    kept.reserve(static_cast<size_t>(marks.events.size()));
    for (CEvent e : marks.events) {
        const bool pinned = from == 0 && e.time == 0;
        if (!pinned && e.time >= from && e.time < removeUpTo) continue;
        if (!pinned && e.time >= std::max(from, removeUpTo)) e.time = addTicks(e.time, delta);
        kept.push_back(std::move(e));
    }
    marks.events.assign(std::move(kept));
}

}  // namespace

std::vector<int> notesInBox(const CTrack& track, int32_t start, int32_t end, int32_t pitchLow,
                            int32_t pitchHigh) {
    std::vector<int> found;
    if (pitchLow > pitchHigh) std::swap(pitchLow, pitchHigh);
    for (int i = 0; i < track.notes.size(); ++i) {
        const CNote& n = track.notes.at(i);
        if (n.time >= end) break;
        if (n.end() > start && !(n.flags & NoteFlag::TieEnd) && n.pitch >= pitchLow &&
            n.pitch <= pitchHigh)
            found.push_back(i);
    }
    return found;
}

std::vector<int> withTiedPieces(const CTrack& track, const std::vector<int>& notes) {
    std::vector<int> all;
    for (int index : notes) {
        if (index < 0 || index >= track.notes.size()) continue;
        all.push_back(index);
        const CNote* last = &track.notes.at(index);
        for (int j = index + 1; j < track.notes.size() && (last->flags & NoteFlag::TieStart); ++j) {
            const CNote& n = track.notes.at(j);
            if (n.time > last->end()) break;
            if (n.time == last->end() && n.pitch == last->pitch && (n.flags & NoteFlag::TieEnd)) {
                all.push_back(j);
                last = &n;
            }
        }
    }
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

void mendTies(CTrack& track) {
    std::array<int, 128> last;
    last.fill(-1);
    for (int i = 0; i < track.notes.size(); ++i) {
        CNote& n = track.notes[i];
        const size_t p = size_t(std::clamp(n.pitch, 0, 127));
        const int prev = last[p];
        const bool joined = prev >= 0 && (track.notes[prev].flags & NoteFlag::TieStart) &&
                            track.notes[prev].end() == n.time && (n.flags & NoteFlag::TieEnd);
        if (!joined) {
            n.flags &= ~NoteFlag::TieEnd;
            if (prev >= 0) track.notes[prev].flags &= ~NoteFlag::TieStart;
        }
        last[p] = i;
    }
    for (int i : last)
        if (i >= 0) track.notes[i].flags &= ~NoteFlag::TieStart;
}

bool insertBar(CScore& score, int32_t a) {
    const int32_t count = score.barCount();
    if (a < 0 || a > count || count >= kMaxBars) return false;
    const int32_t s = score.barStart(a);
    const int32_t L = score.barLength(a);

    for (CTrack& track : score.tracks) {
        std::vector<CNote> notes;
        notes.reserve(static_cast<size_t>(track.notes.size()) + 4);
        for (CNote n : track.notes) {
            if (n.time >= s) {
                // Music after the new bar no longer continues a tie from before it.
                if (n.time == s) n.flags &= ~NoteFlag::TieEnd;
                n.time = addTicks(n.time, L);
            } else if (n.end() > s) {
                // A note sounding across the insertion point: its rest follows the new bar.
                CNote rest = n;
                rest.time = addTicks(s, L);
                rest.duration = n.end() - s;
                rest.flags &= ~NoteFlag::TieEnd;
                notes.push_back(rest);
                n.duration = s - n.time;
                n.flags &= ~NoteFlag::TieStart;
            } else if (n.end() == s) {
                n.flags &= ~NoteFlag::TieStart;
            }
            notes.push_back(n);
        }
        track.notes.assign(std::move(notes));
        std::vector<CEvent> events;
        events.reserve(static_cast<size_t>(track.events.size()));
        for (CEvent e : track.events) {
            if (e.time >= s) e.time = addTicks(e.time, L);
            shiftFields(e, s, L);
            events.push_back(std::move(e));
        }
        track.events.assign(std::move(events));
        track.length = addTicks(track.length, L);
        track.chordsvalid = false;
    }
    shiftMarks(score.tempoTrack, s, s, L);
    shiftMarks(score.annotationTrack, s, s, L);

    score.length = addTicks(score.length, L);
    score.editlength = std::max(addTicks(score.editlength, L), score.length);

    for (CKeySignature& k : score.keysigs)
        if (k.bar > a) ++k.bar;
    bool movedSig = false;
    for (size_t i = 1; i < score.timesigs.size(); ++i)
        if (score.timesigs[i].bar > a) {
            ++score.timesigs[i].bar;
            movedSig = true;
        }
    if (movedSig) score.normaliseTimeSignatures();
    for (CScoreVolta& v : score.voltamarks) {
        const int32_t h = v.type == VoltaType::Open ? a + 1 : a;
        if (v.startbar >= h) ++v.startbar;
        if (v.endbar >= h) ++v.endbar;
    }

    CScoreBar fresh;
    score.bars.insert(score.bars.begin() + std::min<size_t>(size_t(a), score.bars.size()), fresh);
    score.rebuildBars();
    score.rebuildAllTracks();
    score.rebuildPlaybackMap();
    return true;
}

bool deleteBars(CScore& score, int32_t first, int32_t count) {
    const int32_t bars = score.barCount();
    if (first < 0 || first >= bars || count <= 0) return false;
    count = std::min(count, bars - first);
    const int32_t s = score.barStart(first);
    const int32_t e = score.barStart(first + count);
    const int64_t L = int64_t(e) - s;

    for (CTrack& track : score.tracks) {
        std::vector<CNote> notes;
        notes.reserve(static_cast<size_t>(track.notes.size()));
        for (CNote n : track.notes) {
            if (n.time >= s && n.time < e) continue;
            if (n.time < s) {
                // Nothing of a note sounds inside the deleted bars.
                if (n.end() > s) n.duration = s - n.time;
                if (n.end() >= s) n.flags &= ~NoteFlag::TieStart;
            } else {
                if (n.time == e) n.flags &= ~NoteFlag::TieEnd;
                n.time = addTicks(n.time, -L);
            }
            notes.push_back(n);
        }
        track.notes.assign(std::move(notes));
        mendTies(track);
        std::vector<CEvent> events;
        events.reserve(static_cast<size_t>(track.events.size()));
        for (CEvent ev : track.events) {
            if (ev.time >= s && ev.time < e) continue;
            if (ev.time >= e) ev.time = addTicks(ev.time, -L);
            shiftFields(ev, e, -L);
            events.push_back(std::move(ev));
        }
        track.events.assign(std::move(events));
        dropUnpairedPhrases(track.events);
        track.length = std::max(addTicks(track.length, -L), 0);
        track.chordsvalid = false;
    }
    shiftMarks(score.tempoTrack, s, e, -L);
    shiftMarks(score.annotationTrack, s, e, -L);

    score.length = addTicks(score.length, -L);
    score.editlength = std::max(addTicks(score.editlength, -L), score.length);

    // Key signatures inside the deleted bars go; later ones follow the music.
    std::vector<CKeySignature> keys;
    for (CKeySignature k : score.keysigs) {
        if (k.bar >= first && k.bar < first + count) continue;
        if (k.bar >= first + count) k.bar -= count;
        keys.push_back(k);
    }
    score.keysigs = std::move(keys);
    for (const CKeySignature& k : score.keysigs)
        if (k.bar == 0) {
            score.prefs.key = k.key % 15;
            score.prefs.minorkey = k.key > 14;
        }
    // A time signature inside the deleted bars ends up at `first`; of several there, the
    // latest is the one in force at the music that now starts there.
    if (!score.timesigs.empty()) {
        std::vector<CTimeSignature> sigs{score.timesigs.front()};
        for (size_t i = 1; i < score.timesigs.size(); ++i) {
            CTimeSignature sig = score.timesigs[i];
            if (sig.bar > first) sig.bar = std::max(first, sig.bar - count);
            if (sig.bar == sigs.back().bar)
                sigs.back() = sig;
            else
                sigs.push_back(sig);
        }
        score.timesigs = std::move(sigs);
        score.normaliseTimeSignatures();
    }
    // Voltas follow their bars; one lying wholly in the deleted bars goes.
    if (bars > 1) {
        std::vector<CScoreVolta> voltas;
        for (CScoreVolta v : score.voltamarks) {
            const int32_t end = first + count;
            if (v.startbar >= end)
                v.startbar -= count;
            else if (v.startbar >= first)
                v.startbar = first;
            if (v.endbar >= end)
                v.endbar -= count;
            else if (v.endbar >= first)
                v.endbar = first - 1;
            if (v.endbar < v.startbar || v.endbar < 0) continue;
            voltas.push_back(std::move(v));
        }
        score.voltamarks = std::move(voltas);
    }

    // The cursor follows the music; inside the deleted bars it goes to their start.
    CSelection& sel = score.selection;
    if (sel.timestart >= s) {
        const int32_t moved = sel.timestart < e ? s : addTicks(sel.timestart, -L);
        sel.timeend = addTicks(sel.timeend, int64_t(moved) - sel.timestart);
        sel.timestart = moved;
    }

    const size_t from = std::min<size_t>(size_t(first), score.bars.size());
    const size_t to = std::min<size_t>(size_t(first + count), score.bars.size());
    score.bars.erase(score.bars.begin() + from, score.bars.begin() + to);
    score.rebuildBars();
    score.rebuildAllTracks();
    score.rebuildPlaybackMap();
    return true;
}

bool cropToBars(CScore& score, int32_t first, int32_t last) {
    const int32_t bars = score.barCount();
    first = std::max(first, 0);
    last = std::min(last, bars - 1);
    if (first > last) return false;
    if (last + 1 < bars) deleteBars(score, last + 1, bars - last - 1);
    if (first > 0) deleteBars(score, 0, first);
    return true;
}

bool cropToNotes(CScore& score, int32_t first, int32_t last, int trackIndex,
                 const std::vector<int>& notes) {
    const CTrack* source = score.trackPtr(trackIndex);
    if (!source || notes.empty()) return false;
    const int32_t bars = score.barCount();
    first = std::max(first, 0);
    last = std::min(last, bars - 1);
    if (first > last) return false;
    const int32_t offset = score.barStart(first);
    std::vector<CNote> kept;
    for (int i : withTiedPieces(*source, notes))
        kept.push_back(source->notes.at(i));
    const int32_t width = score.selection.timeend - score.selection.timestart;
    cropToBars(score, first, last);
    for (CTrack& t : score.tracks) {
        t.notes.clear();
        t.chordsvalid = false;
    }
    CTrack& target = score.tracks[static_cast<size_t>(trackIndex)];
    std::vector<CNote> moved;
    for (CNote n : kept) {
        n.time -= offset;
        if (n.time < 0 || n.time >= score.length) continue;
        n.duration = std::min(n.duration, score.length - n.time);
        moved.push_back(n);
    }
    target.notes.assign(std::move(moved));
    score.rebuildAllTracks();
    score.selection.timestart = 0;
    score.selection.timeend = std::max(width, 1);
    keepCurrentPartShown(score);
    return true;
}

}  // namespace ks
