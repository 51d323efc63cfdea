#include "HandSplit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ks {

namespace {

// Weights of the costs, in cost units per semitone unless noted.
constexpr double kRegister = 0.25;  // a right-hand note below middle C, a left above E4
constexpr int32_t kRightLowest = 60;
constexpr int32_t kLeftHighest = 60;
constexpr int32_t kLeftChordHighest = 67;  // the upper notes of a left-hand chord: above G4
constexpr double kSpan = 3.0;              // each semitone a hand stretches beyond an octave
constexpr int32_t kComfortSpan = 12;       // an octave
constexpr int32_t kMaxSpan = 16;           // beyond this the hand cannot reach
constexpr double kUnreachable = 200.0;
constexpr int kMaxFingers = 5;
constexpr double kTexture = 0.15;  // per note added below the melody, per semitone
constexpr double kMotion = 0.6;
constexpr int32_t kBassRegister = 48;  // below C3
constexpr double kLeap = 0.1;          // movement of a hand's centre from group to group
constexpr double kChordChange = 0.6;   // per semitone and per note a left-hand chord differs
                                       // from the one it played before the bass note

struct Group {
    int32_t time = 0;
    std::vector<int> notes;  // indices, ascending pitch
};

struct HandShape {
    bool used = false;
    double top = 0, bottom = 0;
    int count = 0;
};

double handCost(const std::vector<int32_t>& pitches, size_t from, size_t to, bool right) {
    if (from >= to) return 0;
    double cost = 0;
    const int32_t span = pitches[to - 1] - pitches[from];
    if (span > kComfortSpan) cost += (span - kComfortSpan) * kSpan;
    if (span > kMaxSpan || to - from > size_t(kMaxFingers)) cost += kUnreachable;
    // A left-hand chord sits on its lowest note: the notes above it may reach a little
    // higher than a single left-hand note would.
    for (size_t i = from; i < to; ++i) {
        const int32_t p = pitches[i];
        cost += right ? std::max(0, kRightLowest - p) * kRegister
                      : std::max(0, p - (i == from ? kLeftHighest : kLeftChordHighest)) * kRegister;
    }
    return cost;
}

HandShape shapeOf(const std::vector<int32_t>& pitches, size_t from, size_t to) {
    if (from >= to) return {};
    return {true, double(pitches[to - 1]), double(pitches[from]), int(to - from)};
}

double centre(const HandShape& h) {
    return (h.top + h.bottom) / 2;
}

// How far a hand moves: its outer notes, each half-weighted.
double movement(const HandShape& now, const HandShape& before) {
    return (std::abs(now.top - before.top) + std::abs(now.bottom - before.bottom)) / 2;
}

}  // namespace

std::vector<int> assignHands(const CTrack& track, int32_t ppqn) {
    const auto& notes = track.notes;
    std::vector<int> hand(size_t(notes.size()), 1);
    // Groups of the notes that start together (tie continuations are not played).
    std::vector<Group> groups;
    for (int i = 0; i < notes.size(); ++i) {
        const CNote& n = notes.at(i);
        if (n.flags & NoteFlag::TieEnd) continue;
        if (groups.empty() || groups.back().time != n.time) groups.push_back({n.time, {}});
        groups.back().notes.push_back(i);
    }
    if (groups.empty()) return hand;

    // One state per cut: the lowest k notes of a group go to the left hand. Each state
    // keeps the best cost so far and the centres of both hands on that best path.
    struct State {
        double cost = 0;
        int from = -1;
        HandShape right, left;
        HandShape leftChord;  // the left hand's last chord of two notes or more
    };
    std::vector<std::vector<State>> states(groups.size());
    const double beat = std::max(ppqn, 1);
    for (size_t g = 0; g < groups.size(); ++g) {
        std::vector<int32_t> pitches;
        for (int i : groups[g].notes)
            pitches.push_back(notes.at(i).pitch);
        const size_t n = pitches.size();
        states[g].resize(n + 1);
        // Hands move further, at no extra cost, over a longer time.
        const double gap = g == 0 ? 4.0 : (groups[g].time - groups[g - 1].time) / beat;
        const double motion = kMotion / (1.0 + std::max(gap - 0.5, 0.0));
        for (size_t k = 0; k <= n; ++k) {
            const double local = handCost(pitches, k, n, true) + handCost(pitches, 0, k, false);
            const HandShape right = shapeOf(pitches, k, n);
            const HandShape left = shapeOf(pitches, 0, k);
            State best;
            best.cost = std::numeric_limits<double>::infinity();
            {
                // Before the first group the hands rest at their usual places.
                static const std::vector<State> start = {
                    State{0, -1, {true, 67, 67, 1}, {true, 48, 48, 1}, {}}};
                const std::vector<State>& before = g == 0 ? start : states[g - 1];
                for (size_t from = 0; from < before.size(); ++from) {
                    const State& prev = before[from];
                    double cost = prev.cost + local;
                    if (right.used) cost += movement(right, prev.right) * motion;
                    // A melody keeps its texture: the right hand does not take up
                    // chords below a line of single notes.
                    if (right.used && right.count > prev.right.count)
                        cost += (right.count - prev.right.count) * (right.top - right.bottom) *
                                kTexture;
                    // Between a lone bass note and a chord the left hand leaps (waltz,
                    // stride): that leap costs little, either way.
                    const auto bass = [](const HandShape& h) {
                        return h.count == 1 && h.top < kBassRegister;
                    };
                    const bool leap = (bass(prev.left) && left.count >= 2) ||
                                      (bass(left) && prev.left.count >= 2);
                    if (left.used) cost += movement(left, prev.left) * motion * (leap ? kLeap : 1);
                    // After the bass note the left hand comes back to a chord like the one
                    // it left (oom-pah accompaniment): the chord is measured against that one.
                    if (leap && left.count >= 2 && prev.leftChord.used)
                        cost += (movement(left, prev.leftChord) +
                                 std::abs(left.count - prev.leftChord.count)) *
                                kChordChange;
                    // The hands do not cross: the right stays above where the left was.
                    if (right.used && centre(right) < centre(prev.left))
                        cost += (centre(prev.left) - centre(right)) * kSpan;
                    if (left.used && centre(left) > centre(prev.right))
                        cost += (centre(left) - centre(prev.right)) * kSpan;
                    if (cost < best.cost)
                        best = {cost, g == 0 ? -1 : int(from), right.used ? right : prev.right,
                                left.used ? left : prev.left,
                                left.count >= 2 ? left : prev.leftChord};
                }
            }
            states[g][k] = best;
        }
    }
    // Back along the best path.
    size_t k = 0;
    const auto& last = states.back();
    for (size_t s = 1; s < last.size(); ++s)
        if (last[s].cost < last[k].cost) k = s;
    for (size_t g = groups.size(); g-- > 0;) {
        const std::vector<int>& members = groups[g].notes;
        for (size_t i = 0; i < members.size(); ++i)
            hand[size_t(members[i])] = i < k ? 2 : 1;
        const int from = states[g][k].from;
        k = from < 0 ? 0 : size_t(from);
    }
    return hand;
}

}  // namespace ks
