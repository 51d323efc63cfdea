#include "MidiQuantise.h"

#include <algorithm>
#include <cmath>

#include "BeatTracker.h"

namespace ks {

namespace {

// Rounds refining the beats from every note once the notes have been snapped.
constexpr int kRefinements = 3;
// A beat is split into triplets only when they fit this much better than 16ths.
constexpr double kTripletAdvantage = 0.4;
// How far (in beats) a played end may lie outside the lengths it can stand for.
constexpr double kEndTolerance = 0.12;
// Played notes are commonly released this share of their written length.
constexpr double kUsualHeld = 0.875;
// The shortest share of its written length a note is taken to be held.
constexpr double kLeastHeld = 0.75;

struct Played {
    size_t track = 0;
    size_t index = 0;
    double start = 0;  // seconds
    double end = 0;
    double beatStart = 0;  // beat position, from the beat map
    double beatEnd = 0;
};

// Subdivisions of a beat that the score resolution can hold: 16ths and triplets.
struct Divisions {
    int straight = 4;
    int triplet = 3;
};

Divisions divisionsFor(int32_t ppqn) {
    Divisions d;
    d.straight = ppqn % 4 == 0 ? 4 : ppqn % 2 == 0 ? 2 : 1;
    d.triplet = ppqn % 3 == 0 ? 3 : 0;
    return d;
}

double snapTo(double frac, int division) {
    return std::round(frac * division) / division;
}

// The subdivision of every beat: triplets where the starts within the beat fit them
// clearly better than 16ths, else 16ths.
std::vector<int> chooseDivisions(const std::vector<Played>& notes, size_t beatCount,
                                 const Divisions& allowed) {
    std::vector<double> straight(beatCount + 2, 0.0), triplet(beatCount + 2, 0.0);
    std::vector<int> offTriplet(beatCount + 2, 0);
    for (const Played& n : notes) {
        const double k = std::floor(n.beatStart + 0.125);
        if (k < 0 || k >= double(beatCount + 2)) continue;
        const double frac = n.beatStart - k;
        const size_t b = size_t(k);
        const double s = frac - snapTo(frac, allowed.straight);
        straight[b] += s * s;
        if (allowed.triplet) {
            const double t = frac - snapTo(frac, allowed.triplet);
            triplet[b] += t * t;
            const double at = snapTo(frac, allowed.triplet);
            if (at > 0.01 && at < 0.99) ++offTriplet[b];
        }
    }
    std::vector<int> chosen(beatCount + 2, allowed.straight);
    if (!allowed.triplet) return chosen;
    for (size_t b = 0; b < chosen.size(); ++b)
        if (offTriplet[b] > 0 && triplet[b] < kTripletAdvantage * straight[b])
            chosen[b] = allowed.triplet;
    return chosen;
}

int divisionAt(const std::vector<int>& divisions, double beat, const Divisions& allowed) {
    const double k = std::floor(beat);
    if (k < 0 || k >= double(divisions.size())) return allowed.straight;
    return divisions[size_t(k)];
}

// The snapped start of a note in beats.
double snappedStart(double beat, const std::vector<int>& divisions, const Divisions& allowed) {
    const double k = std::floor(beat + 0.125);
    return k + snapTo(beat - k, divisionAt(divisions, k, allowed));
}

}  // namespace

CPerformanceMap::CPerformanceMap(std::vector<double> beats, const PerformanceTiming& timing,
                                 int32_t shift)
    : beats_(std::move(beats)), timing_(timing), shift_(shift) {}

double CPerformanceMap::secondsOf(int32_t fileTick) const {
    return double(fileTick) * 60.0 / (double(std::max(timing_.tempo, 1)) * std::max(timing_.division, 1));
}

double CPerformanceMap::beatOf(double seconds) const {
    if (empty()) return 0;
    auto it = std::upper_bound(beats_.begin(), beats_.end(), seconds);
    size_t k = it == beats_.begin() ? 0 : size_t(it - beats_.begin()) - 1;
    k = std::min(k, beats_.size() - 2);
    return double(k) + (seconds - beats_[k]) / (beats_[k + 1] - beats_[k]);
}

namespace {

double secondsAtBeat(const std::vector<double>& beats, double beat) {
    const double k = std::clamp(std::floor(beat), 0.0, double(beats.size() - 2));
    const size_t i = size_t(k);
    return beats[i] + (beat - k) * (beats[i + 1] - beats[i]);
}

}  // namespace

int32_t CPerformanceMap::beatTickOf(int32_t fileTick) const {
    if (empty()) return 0;
    return int32_t(std::lround(beatOf(secondsOf(fileTick)))) * timing_.ppqn + shift_;
}

double CPerformanceMap::tempoBetween(int32_t from, int32_t to) const {
    if (empty() || to <= from) return timing_.tempo;
    const double a = double(from - shift_) / timing_.ppqn, b = double(to - shift_) / timing_.ppqn;
    const double seconds = secondsAtBeat(beats_, b) - secondsAtBeat(beats_, a);
    return seconds > 0 ? 60.0 * (b - a) / seconds : timing_.tempo;
}

CPerformanceMap quantisePerformance(std::vector<CTrack>& tracks, const PerformanceTiming& timing) {
    const CPerformanceMap clock({}, timing, 0);
    std::vector<Played> notes;
    std::vector<BeatOnset> onsets;
    for (size_t t = 0; t < tracks.size(); ++t)
        for (int i = 0; i < tracks[t].notes.size(); ++i) {
            const CNote& n = tracks[t].notes.at(i);
            Played p;
            p.track = t;
            p.index = size_t(i);
            p.start = clock.secondsOf(n.time);
            p.end = clock.secondsOf(n.end());
            notes.push_back(p);
            // Beats fall where notes are long, low and loud.
            const double held = std::min((p.end - p.start) * timing.tempo / 60.0, 2.0);
            const double low = std::clamp((72 - n.pitch) / 24.0, 0.0, 1.5);
            onsets.push_back({p.start, (0.5 + n.velocity / 127.0) * (0.25 + held + low)});
        }
    if (notes.empty()) return {};
    std::vector<double> beats = trackBeats(onsets, 60.0 / std::max(timing.tempo, 1));
    if (beats.size() < 2) return {};
    const Divisions allowed = divisionsFor(timing.ppqn);

    // Snap, then move every beat towards where the notes snapped around it were played,
    // so that one early or late note does not drag its beat along.
    std::vector<int> divisions;
    for (int round = 0; round <= kRefinements; ++round) {
        const CPerformanceMap map(beats, timing, 0);
        for (Played& p : notes) {
            p.beatStart = map.beatOf(p.start);
            p.beatEnd = map.beatOf(p.end);
        }
        divisions = chooseDivisions(notes, beats.size(), allowed);
        if (round == kRefinements) break;
        std::vector<double> pull(beats.size(), 0.0), weight(beats.size(), 1.0);
        for (const Played& p : notes) {
            const double s = snappedStart(p.beatStart, divisions, allowed);
            const double k = std::floor(s);
            if (k < 0 || k + 1 >= double(beats.size())) continue;
            const double u = s - k;
            const double residual = p.start - secondsAtBeat(beats, s);
            pull[size_t(k)] += (1 - u) * residual;
            weight[size_t(k)] += 1 - u;
            pull[size_t(k) + 1] += u * residual;
            weight[size_t(k) + 1] += u;
        }
        std::vector<double> moved = beats;
        for (size_t k = 0; k < beats.size(); ++k)
            moved[k] += pull[k] / weight[k];
        bool rising = true;
        for (size_t k = 1; k < moved.size(); ++k)
            rising = rising && moved[k] > moved[k - 1];
        if (!rising) break;
        beats = moved;
    }

    // Starts on the grid; lengths chosen among the written values the played length can
    // stand for, preferring ends where a neighbouring note starts.
    const int32_t ppqn = timing.ppqn;
    std::vector<std::vector<CNote>> out(tracks.size());
    std::vector<std::vector<std::pair<int32_t, int>>> starts(tracks.size());  // tick, pitch
    std::vector<int32_t> startOf(notes.size());
    for (size_t i = 0; i < notes.size(); ++i) {
        const Played& p = notes[i];
        startOf[i] = int32_t(std::lround(snappedStart(p.beatStart, divisions, allowed) * ppqn));
        starts[p.track].push_back({startOf[i], tracks[p.track].notes.at(int(p.index)).pitch});
    }
    for (auto& list : starts)
        std::sort(list.begin(), list.end());
    for (size_t i = 0; i < notes.size(); ++i) {
        const Played& p = notes[i];
        CNote n = tracks[p.track].notes.at(int(p.index));
        const int32_t start = startOf[i];
        const double played = std::max(p.beatEnd - p.beatStart, 0.0);
        const double lo = double(start) / ppqn + played - kEndTolerance;
        const double hi = double(start) / ppqn + played / kLeastHeld + kEndTolerance;
        const auto& list = starts[p.track];
        const auto startsNear = [&](int32_t tick) {
            auto it = std::lower_bound(list.begin(), list.end(), std::make_pair(tick, -1));
            bool any = false, near = false;
            for (; it != list.end() && it->first == tick; ++it) {
                any = true;
                near = near || std::abs(it->second - n.pitch) <= 12;
            }
            return near ? 2 : any ? 1 : 0;
        };
        int32_t bestEnd = -1;
        double bestScore = 0;
        for (double beat = std::floor(std::max(lo, 0.0)); beat <= hi; beat += 1) {
            const int division = divisionAt(divisions, beat, allowed);
            for (int step = 0; step < division; ++step) {
                const double at = beat + double(step) / division;
                if (at < lo || at > hi) continue;
                const int32_t end = int32_t(std::lround(at * ppqn));
                if (end <= start) continue;
                const double length = double(end - start) / ppqn;
                double score = -3.0 * std::abs(std::log(std::max(played, 1e-3) / length) -
                                               std::log(kUsualHeld));
                score += 0.75 * startsNear(end);
                if (step == 0) score += 0.25;
                if (bestEnd < 0 || score > bestScore) {
                    bestScore = score;
                    bestEnd = end;
                }
            }
        }
        if (bestEnd < 0) {
            // Nothing fits (a note far shorter than written, or one tick long): the
            // nearest grid point after the start.
            const double at = double(start) / ppqn + played;
            const int division = divisionAt(divisions, at, allowed);
            bestEnd = int32_t(std::lround(std::max(snapTo(at, division), double(start) / ppqn +
                                                                           1.0 / division) * ppqn));
        }
        n.time = start;
        n.duration = std::max(bestEnd - start, 1);
        out[p.track].push_back(n);
    }

    // A performance starting ahead of its first beat is moved on by whole bars.
    int32_t first = INT32_MAX;
    for (const auto& list : out)
        for (const CNote& n : list)
            first = std::min(first, n.time);
    const int32_t bar = timing.barLength > 0 ? timing.barLength : 4 * ppqn;
    const int32_t shift = first < 0 ? int32_t((int64_t(-first) + bar - 1) / bar * bar) : 0;
    for (size_t t = 0; t < tracks.size(); ++t) {
        if (tracks[t].notes.empty()) continue;
        // Same-pitch overlaps that snapping made are cut where the later note starts.
        std::vector<CNote>& list = out[t];
        for (CNote& n : list)
            n.time += shift;
        std::sort(list.begin(), list.end(),
                  [](const CNote& a, const CNote& b) { return CNote::compare(a, b) < 0; });
        for (size_t i = 0; i < list.size(); ++i)
            for (size_t j = i + 1; j < list.size() && list[j].time < list[i].end(); ++j)
                if (list[j].pitch == list[i].pitch && list[j].time > list[i].time)
                    list[i].duration = list[j].time - list[i].time;
        tracks[t].length = 0;
        for (const CNote& n : list)
            tracks[t].length = std::max(tracks[t].length, n.end());
        tracks[t].notes.assign(std::move(list));
        tracks[t].chordsvalid = false;
    }
    return CPerformanceMap(std::move(beats), timing, shift);
}

}  // namespace ks
