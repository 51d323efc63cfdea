#include "ScoreOperations.h"

#include <algorithm>

namespace ks {

namespace {

// A note as the player sees it: the pieces a chord rebuild split it into, joined again.
// A later piece joins a chain when it has the chain's pitch, starts exactly where the
// chain's last piece ends, that piece is tied onward and the later one continues a tie.
struct Chain {
    std::vector<int> pieces;  // note indices in time order
    int32_t start = 0;
    int64_t end = 0;
    int32_t pitch = 0;
};

std::vector<Chain> chainsOf(const CTrack& track) {
    const auto& notes = track.notes;
    std::vector<char> taken(static_cast<size_t>(notes.size()), 0);
    std::vector<Chain> chains;
    for (int i = 0; i < notes.size(); ++i) {
        if (taken[static_cast<size_t>(i)]) continue;
        Chain c;
        c.pieces.push_back(i);
        c.start = notes.at(i).time;
        c.pitch = notes.at(i).pitch;
        c.end = int64_t(c.start) + notes.at(i).duration;
        int last = i;
        for (int j = i + 1; j < notes.size() && (notes.at(last).flags & NoteFlag::TieStart); ++j) {
            const CNote& n = notes.at(j);
            if (n.time > c.end) break;
            if (!taken[static_cast<size_t>(j)] && n.time == c.end && n.pitch == c.pitch &&
                (n.flags & NoteFlag::TieEnd)) {
                taken[static_cast<size_t>(j)] = 1;
                c.pieces.push_back(j);
                c.end = int64_t(n.time) + n.duration;
                last = j;
            }
        }
        chains.push_back(std::move(c));
    }
    return chains;
}

// Cuts every chain to its (possibly earlier) end: pieces after it go, the piece across it
// is shortened and no longer tied onward. Returns whether a note changed.
bool applyChainEnds(CTrack& track, const std::vector<Chain>& chains) {
    std::vector<char> drop(static_cast<size_t>(track.notes.size()), 0);
    bool changed = false;
    for (const Chain& c : chains) {
        for (size_t k = 0; k < c.pieces.size(); ++k) {
            CNote& n = track.notes[c.pieces[k]];
            if (n.time >= c.end || (k == 0 && c.end <= c.start)) {
                drop[static_cast<size_t>(c.pieces[k])] = 1;
                changed = true;
            } else if (n.end() >= c.end && (n.end() != c.end || k + 1 < c.pieces.size())) {
                if (n.end() != c.end) n.duration = static_cast<int32_t>(c.end - n.time);
                n.flags &= ~NoteFlag::TieStart;
                changed = true;
            }
        }
    }
    if (!changed) return false;
    int index = 0;
    track.notes.removeIf([&](const CNote&) { return drop[static_cast<size_t>(index++)] != 0; });
    track.chordsvalid = false;
    return true;
}

}  // namespace

int removeShortNotes(CTrack& track, int32_t ppqn) {
    // A note counts with its whole tie chain: a short piece of a long note stays.
    const int32_t shortest = std::max(ppqn, 0) / 8;
    std::vector<char> drop(static_cast<size_t>(track.notes.size()), 0);
    int removed = 0;
    for (const Chain& c : chainsOf(track)) {
        if (c.end - c.start >= shortest) continue;
        for (int i : c.pieces)
            drop[static_cast<size_t>(i)] = 1;
        removed += static_cast<int>(c.pieces.size());
    }
    if (removed == 0) return 0;
    int index = 0;
    track.notes.removeIf([&](const CNote&) { return drop[static_cast<size_t>(index++)] != 0; });
    track.chordsvalid = false;
    return removed;
}

bool removeOverlaps(CScore& score) {
    bool changed = false;
    for (int t = 0; t < score.trackCount(); ++t) {
        CTrack& track = score.tracks[static_cast<size_t>(t)];
        std::vector<Chain> chains = chainsOf(track);  // ordered by start, then pitch
        for (size_t i = 0; i < chains.size(); ++i) {
            Chain& n = chains[i];
            for (size_t j = i + 1; j < chains.size() && chains[j].start < n.end; ++j) {
                const Chain& m = chains[j];
                if (m.start == n.start && m.end == n.end) continue;
                n.end = m.start;
            }
        }
        bool trackChanged = applyChainEnds(track, chains);
        if (removeShortNotes(track, score.ppqn) > 0) trackChanged = true;
        changed = changed || trackChanged;
        score.rebuildTrack(t);
    }
    return changed;
}

bool extendNotes(CScore& score) {
    bool changed = false;
    for (int t = 0; t < score.trackCount(); ++t) {
        CTrack& track = score.tracks[static_cast<size_t>(t)];
        if (!track.chordsvalid) score.rebuildTrack(t);
        // A rest after a sounding chord (directly or after other rests) lengthens its notes.
        int lastChord = -1;
        std::vector<int32_t> extra(static_cast<size_t>(track.chords.size()), 0);
        for (int c = 0; c < track.chords.size(); ++c) {
            const CChord& chord = track.chords.at(c);
            if (!chord.isRest())
                lastChord = c;
            else if (lastChord >= 0)
                extra[static_cast<size_t>(lastChord)] += chord.duration;
        }
        bool trackChanged = false;
        for (int c = 0; c < track.chords.size(); ++c) {
            const int32_t add = extra[static_cast<size_t>(c)];
            if (add == 0) continue;
            const CChord& chord = track.chords.at(c);
            for (int k = 0; k < chord.noteCount; ++k)
                track.notes[chord.firstNote + k].duration += add;
            trackChanged = true;
        }
        if (trackChanged) {
            track.chordsvalid = false;
            changed = true;
        }
        score.rebuildTrack(t);
    }
    return changed;
}

bool shortenNotesAtBarLines(CScore& score) {
    bool changed = false;
    for (int t = 0; t < score.trackCount(); ++t) {
        CTrack& track = score.tracks[static_cast<size_t>(t)];
        std::vector<Chain> chains = chainsOf(track);
        for (Chain& c : chains) {
            const int32_t bar = score.barAtTick(c.start);
            if (score.barAtTick(static_cast<int32_t>(c.end - 1)) > bar)
                c.end = score.barStart(bar + 1);
        }
        bool trackChanged = applyChainEnds(track, chains);
        if (removeShortNotes(track, score.ppqn) > 0) trackChanged = true;
        changed = changed || trackChanged;
        score.rebuildTrack(t);
    }
    return changed;
}

}  // namespace ks
