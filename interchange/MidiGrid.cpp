#include "MidiGrid.h"

#include <algorithm>
#include <cmath>

namespace ks {

namespace {

// The coarsest resolution on which a grid can be told from played timing.
constexpr int32_t kFinestDivision = 24;
// Share of note starts on the grid for the file to count as written.
constexpr double kOnGridShare = 0.9;
// Share of note ends short of the grid for the file to count as played short.
constexpr double kShortShare = 0.6;
// Notes are never lengthened by more than this part of their length.
constexpr double kMostShortening = 0.25;

struct Grid {
    int32_t straight = 0;  // 32nd notes
    int32_t triplet = 0;   // 16th-note triplets

    bool holds(int32_t tick) const {
        return (straight > 0 && tick % straight == 0) || (triplet > 0 && tick % triplet == 0);
    }
    // The first grid point at or after `tick`.
    int32_t upFrom(int32_t tick) const {
        int32_t best = INT32_MAX;
        for (int32_t step : {straight, triplet})
            if (step > 0) best = std::min(best, int32_t((int64_t(tick) + step - 1) / step * step));
        return best;
    }
};

Grid gridOf(int32_t division) {
    Grid g;
    if (division % 8 == 0) g.straight = division / 8;
    if (division % 6 == 0) g.triplet = division / 6;
    return g;
}

}  // namespace

bool notesOnGrid(const std::vector<CTrack>& tracks, int32_t division) {
    if (division < kFinestDivision) return true;
    const Grid grid = gridOf(division);
    if (grid.straight == 0 && grid.triplet == 0) return true;
    int64_t on = 0, all = 0;
    for (const CTrack& track : tracks)
        for (const CNote& n : track.notes) {
            ++all;
            if (grid.holds(n.time)) ++on;
        }
    return all == 0 || double(on) >= kOnGridShare * double(all);
}

bool restoreShortenedLengths(std::vector<CTrack>& tracks, int32_t division) {
    if (division < kFinestDivision || !notesOnGrid(tracks, division)) return false;
    const Grid grid = gridOf(division);
    // Starts of every track, rising: a shortened note was written to reach the next one.
    std::vector<std::vector<int32_t>> starts(tracks.size());
    for (size_t t = 0; t < tracks.size(); ++t)
        for (const CNote& n : tracks[t].notes)
            starts[t].push_back(n.time);
    // The end a short-played note was written with, or its own end when it was not.
    const auto writtenEnd = [&](size_t t, const CNote& n) -> int32_t {
        if (n.duration <= 0 || grid.holds(n.end())) return n.end();
        const auto fits = [&](int32_t end) {
            return end > n.end() && (end - n.end()) <= kMostShortening * (end - n.time);
        };
        auto next = std::upper_bound(starts[t].begin(), starts[t].end(), n.end() - 1);
        if (next != starts[t].end() && fits(*next)) return *next;
        const int32_t up = grid.upFrom(n.end());
        return fits(up) ? up : n.end();
    };
    int64_t shortened = 0, all = 0;
    for (size_t t = 0; t < tracks.size(); ++t)
        for (const CNote& n : tracks[t].notes) {
            ++all;
            if (writtenEnd(t, n) != n.end()) ++shortened;
        }
    if (all == 0 || double(shortened) < kShortShare * double(all)) return false;
    for (size_t t = 0; t < tracks.size(); ++t) {
        CTrack& track = tracks[t];
        std::vector<CNote> notes(track.notes.begin(), track.notes.end());
        // Later starts of each pitch, so no note grows into the next one of its key.
        std::vector<std::vector<int32_t>> ofPitch(128);
        for (const CNote& n : notes)
            ofPitch[size_t(std::clamp(n.pitch, 0, 127))].push_back(n.time);
        for (CNote& n : notes) {
            int32_t end = writtenEnd(t, n);
            if (end == n.end()) continue;
            const auto& list = ofPitch[size_t(std::clamp(n.pitch, 0, 127))];
            auto next = std::upper_bound(list.begin(), list.end(), n.time);
            if (next != list.end()) end = std::min(end, *next);
            n.duration = std::max(n.duration, end - n.time);
            track.length = std::max(track.length, n.end());
        }
        track.notes.assign(std::move(notes));
        track.chordsvalid = false;
    }
    return true;
}

}  // namespace ks
