#include "BeatTracker.h"

#include <algorithm>
#include <cmath>

namespace ks {

namespace {

constexpr double kFrame = 0.01;         // seconds per envelope frame
constexpr double kSpread = 2.5;         // frames: how far an onset's mark spreads
constexpr double kShortestBeat = 0.25;  // seconds (240 beats per minute)
constexpr double kLongestBeat = 1.5;    // seconds (40 beats per minute)
constexpr double kPriorWidth = 0.7;     // octaves around the claimed beat
constexpr double kTightness = 100;      // how strongly the beats keep their period
constexpr double kLongestSpan = 4 * 3600.0;  // seconds: longer spans are not followed

// The onsets as a smooth curve over frames, scaled to unit spread so the period
// penalty weighs the same for quiet and busy music.
std::vector<double> envelopeOf(const std::vector<BeatOnset>& onsets, size_t frames) {
    std::vector<double> env(frames, 0.0);
    const int reach = int(std::ceil(3 * kSpread));
    for (const BeatOnset& o : onsets) {
        const double at = o.seconds / kFrame;
        const int centre = int(std::lround(at));
        for (int f = std::max(0, centre - reach); f <= centre + reach && f < int(frames); ++f) {
            const double x = (f - at) / kSpread;
            env[size_t(f)] += o.weight * std::exp(-0.5 * x * x);
        }
    }
    double sum = 0, squares = 0;
    for (double v : env) {
        sum += v;
        squares += v * v;
    }
    const double mean = sum / double(frames);
    const double spread = std::sqrt(std::max(squares / double(frames) - mean * mean, 1e-12));
    for (double& v : env)
        v /= spread;
    return env;
}

// The beat period in frames: the lag at which the envelope repeats best, weighted
// towards the claimed beat.
double periodOf(const std::vector<double>& env, double nominalFrames) {
    const int shortest = int(kShortestBeat / kFrame);
    const int longest = std::min<int>(int(kLongestBeat / kFrame), int(env.size()) / 2);
    if (longest <= shortest) return std::clamp(nominalFrames, double(shortest), kLongestBeat / kFrame);
    std::vector<double> score(size_t(longest + 2), 0.0);
    for (int lag = shortest - 1; lag <= longest + 1; ++lag) {
        double a = 0;
        for (size_t f = size_t(lag); f < env.size(); ++f)
            a += env[f] * env[f - size_t(lag)];
        const double octaves = std::log2(lag / nominalFrames);
        score[size_t(lag)] = a * std::exp(-0.5 * (octaves / kPriorWidth) * (octaves / kPriorWidth));
    }
    int best = shortest;
    for (int lag = shortest; lag <= longest; ++lag)
        if (score[size_t(lag)] > score[size_t(best)]) best = lag;
    // The peak between frames, from the parabola through it and its neighbours.
    const double l = score[size_t(best - 1)], c = score[size_t(best)], r = score[size_t(best + 1)];
    const double bend = l - 2 * c + r;
    const double shift = bend < 0 ? std::clamp(0.5 * (l - r) / bend, -0.5, 0.5) : 0.0;
    return best + shift;
}

// Dynamic programming over frames: each beat's score is its envelope plus the best
// earlier beat's score, less a penalty for straying from the local period.
std::vector<double> followBeats(const std::vector<double>& env, const std::vector<double>& period,
                                double firstOnset, double lastOnset) {
    const size_t n = env.size();
    std::vector<double> score(n, 0.0);
    std::vector<int> back(n, -1);
    // Logarithms of every distance a beat can span, so the inner loop takes none.
    std::vector<double> logOf(size_t(2 * kLongestBeat / kFrame) + 3, 0.0);
    for (size_t d = 1; d < logOf.size(); ++d)
        logOf[d] = std::log(double(d));
    for (size_t f = 0; f < n; ++f) {
        const double tau = period[f];
        const double logTau = std::log(tau);
        const int from = std::max<int>(0, int(f) - int(std::lround(2 * tau)));
        const int to = int(f) - int(std::lround(tau / 2));
        double best = 0;
        int bestAt = -1;
        for (int p = from; p <= to; ++p) {
            const double stretch = logOf[size_t(int(f) - p)] - logTau;
            const double value = score[size_t(p)] - kTightness * stretch * stretch;
            if (bestAt < 0 || value > best) {
                best = value;
                bestAt = p;
            }
        }
        if (bestAt >= 0 && best > 0) {
            score[f] = env[f] + best;
            back[f] = bestAt;
        } else {
            score[f] = env[f];
        }
    }
    // The chain ends at the best frame near the last onset.
    const double tau = period[std::min(n - 1, size_t(std::max(0.0, lastOnset / kFrame)))];
    const int lo = std::max(0, int(lastOnset / kFrame - tau));
    const int hi = std::min(int(n) - 1, int(lastOnset / kFrame + tau / 4));
    int end = std::max(0, std::min(lo, hi));
    for (int f = lo; f <= hi; ++f)
        if (score[size_t(f)] > score[size_t(end)]) end = f;
    std::vector<double> beats;
    for (int f = end; f >= 0; f = back[size_t(f)])
        beats.push_back(f * kFrame);
    std::reverse(beats.begin(), beats.end());
    // Extended by whole periods until the beats cover every onset.
    while (beats.front() > firstOnset + 0.5 * tau * kFrame)
        beats.insert(beats.begin(), beats.front() - (beats.size() > 1 ? beats[1] - beats[0]
                                                                        : tau * kFrame));
    while (beats.size() < 2 || beats.back() < lastOnset) {
        const double step = beats.size() > 1 ? beats.back() - beats[beats.size() - 2] : tau * kFrame;
        beats.push_back(beats.back() + step);
    }
    return beats;
}

// The local period at every frame: the median beat length over nine beats around it.
std::vector<double> localPeriods(const std::vector<double>& beats, size_t frames, double fallback) {
    std::vector<double> lengths;
    for (size_t k = 1; k < beats.size(); ++k)
        lengths.push_back((beats[k] - beats[k - 1]) / kFrame);
    std::vector<double> period(frames, fallback);
    if (lengths.empty()) return period;
    std::vector<double> local(lengths.size());
    for (size_t k = 0; k < lengths.size(); ++k) {
        const size_t a = k >= 4 ? k - 4 : 0, b = std::min(lengths.size(), k + 5);
        std::vector<double> window(lengths.begin() + long(a), lengths.begin() + long(b));
        std::nth_element(window.begin(), window.begin() + long(window.size() / 2), window.end());
        local[k] = window[window.size() / 2];
    }
    size_t k = 0;
    for (size_t f = 0; f < frames; ++f) {
        while (k + 1 < local.size() && beats[k + 1] / kFrame < double(f))
            ++k;
        period[f] = std::clamp(local[k], kShortestBeat / kFrame, kLongestBeat / kFrame);
    }
    return period;
}

// Music starts on a beat (or on a pickup that is): when the chain followed off-beat
// chords, the beats move by the quarter, half or three quarters of a beat that puts
// one on the first onset.
void startOnABeat(std::vector<double>& beats, double firstOnset) {
    if (beats.size() < 2) return;
    auto it = std::upper_bound(beats.begin(), beats.end(), firstOnset);
    const size_t k = std::min<size_t>(it == beats.begin() ? 0 : size_t(it - beats.begin()) - 1,
                                      beats.size() - 2);
    const double place = (firstOnset - beats[k]) / (beats[k + 1] - beats[k]);
    const double part = std::round((place - std::floor(place)) * 4) / 4;
    if (part <= 0 || part >= 1) return;
    std::vector<double> moved = beats;
    for (size_t i = 0; i < beats.size(); ++i) {
        const double length = i + 1 < beats.size() ? beats[i + 1] - beats[i] : beats[i] - beats[i - 1];
        moved[i] += part * length;
    }
    beats = moved;
}

}  // namespace

std::vector<double> trackBeats(const std::vector<BeatOnset>& onsets, double nominalBeat) {
    if (onsets.empty()) return {};
    double first = onsets.front().seconds, last = first;
    for (const BeatOnset& o : onsets) {
        first = std::min(first, o.seconds);
        last = std::max(last, o.seconds);
    }
    // Ticks far apart (a stray note hours after the rest) would make the envelope huge.
    if (!(last - first <= kLongestSpan)) return {};
    std::vector<BeatOnset> shifted = onsets;
    for (BeatOnset& o : shifted)
        o.seconds -= first;
    const double nominal = std::clamp(nominalBeat, kShortestBeat, kLongestBeat) / kFrame;
    const size_t frames = size_t((last - first) / kFrame + 2 * kLongestBeat / kFrame) + 1;
    const std::vector<double> env = envelopeOf(shifted, frames);
    const double tau = periodOf(env, nominal);
    std::vector<double> beats =
        followBeats(env, std::vector<double>(frames, tau), 0.0, last - first);
    // A second pass follows the tempo the first one found, bar by bar.
    beats = followBeats(env, localPeriods(beats, frames, tau), 0.0, last - first);
    startOnABeat(beats, 0.0);
    while (beats.front() > 0.5 * (beats[1] - beats[0]))
        beats.insert(beats.begin(), 2 * beats[0] - beats[1]);
    for (double& b : beats)
        b += first;
    return beats;
}

}  // namespace ks
