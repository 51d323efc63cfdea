#include "TrackOperations.h"

#include <algorithm>

namespace ks {

bool transposeTracks(CScore& score, int track, int amount) {
    if (amount == 0) return false;
    bool changed = false;
    for (int t = 0; t < score.trackCount(); ++t) {
        if (track >= 0 && t != track) continue;
        CTrack& tr = score.tracks[static_cast<size_t>(t)];
        // Two notes clamped onto the same pitch at the same time become one.
        std::vector<CNote> notes(tr.notes.begin(), tr.notes.end());
        bool trackChanged = false;
        for (CNote& n : notes) {
            const int32_t pitch = std::clamp(n.pitch + amount, 0, 127);
            if (pitch != n.pitch) trackChanged = true;
            n.pitch = pitch;
        }
        if (!trackChanged) continue;
        tr.notes.assign(std::move(notes));
        tr.chordsvalid = false;
        score.rebuildTrack(t);
        changed = true;
    }
    return changed;
}

void keepCurrentPartShown(CScore& score) {
    if (score.trackOfPart(score.selection.hand) >= 0) return;
    const int first = score.firstShownPart();
    if (first < kPartCount) score.selection.hand = first;
}

int addNewTrack(CScore& score, const QString& title, int part) {
    CTrack track;
    track.title = title;
    track.length = score.length;
    const int index = score.addTrack(track);
    score.rebuildTrack(index);
    if (part >= 0 && part < kPartCount) {
        score.assignTrackToPart(index, part);
        score.selection.hand = part;
    }
    return index;
}

bool deleteTrack(CScore& score, int track) {
    if (track < 0 || track >= score.trackCount()) return false;
    const bool shownInCurrent = score.trackOfPart(score.selection.hand) == track;
    for (int32_t& entry : score.parts) {
        if (entry == track + 1)
            entry = 0;
        else if (entry > track + 1)
            --entry;
    }
    score.tracks.erase(score.tracks.begin() + track);
    if (shownInCurrent) keepCurrentPartShown(score);
    if (score.selection.selecttrack >= score.trackCount())
        score.selection.selecttrack = score.trackCount() - 1;
    return true;
}

int mergeTracks(CScore& score, int first, int second, int part, const QString& title) {
    if (first == second || first < 0 || second < 0 || first >= score.trackCount() ||
        second >= score.trackCount())
        return -1;
    CTrack merged = score.track(first);
    const CTrack& other = score.track(second);
    merged.title = title;
    merged.notes.AddAll(other.notes.items());
    merged.events.AddAll(other.events.items());
    merged.length = std::max(merged.length, other.length);
    merged.chordsvalid = false;
    const int index = score.addTrack(merged);
    score.rebuildTrack(index);
    if (part >= 0 && part < kPartCount) {
        for (int32_t& entry : score.parts)
            if (entry == first + 1 || entry == second + 1) entry = 0;
        score.assignTrackToPart(index, part);
        score.selection.hand = part;
    }
    keepCurrentPartShown(score);
    return index;
}

bool renameTrack(CScore& score, int track, const QString& title) {
    CTrack* t = score.trackPtr(track);
    if (!t || t->title == title) return false;
    t->title = title;
    return true;
}

void allocateTrack(CScore& score, int track, int part) {
    if (part >= 0 && part < kPartCount) {
        score.assignTrackToPart(track, part);
    } else if (track >= 0) {
        for (int32_t& entry : score.parts)
            if (entry == track + 1) entry = 0;
    }
    keepCurrentPartShown(score);
}

}  // namespace ks
