// Time and bar arithmetic, time and key signatures, and the score length.
#include <algorithm>
#include <limits>

#include "Score.h"

namespace ks {

namespace {

constexpr int32_t kMaxNom = 128;
constexpr int32_t kMaxDenom = 128;

int32_t clampTick(int64_t t) {
    return static_cast<int32_t>(std::clamp<int64_t>(t, 0, std::numeric_limits<int32_t>::max()));
}

// Index of the signature in force at a bar: the last with bar <= b, or the first.
size_t sigIndexAtBar(const std::vector<CTimeSignature>& sigs, int32_t bar) {
    auto it = std::upper_bound(sigs.begin(), sigs.end(), bar,
                               [](int32_t b, const CTimeSignature& s) { return b < s.bar; });
    return it == sigs.begin() ? 0 : static_cast<size_t>(it - sigs.begin() - 1);
}

}  // namespace

int32_t CScore::barLengthOf(int32_t nom, int32_t denom) const {
    nom = std::clamp(nom, 1, kMaxNom);
    denom = std::clamp(denom, 1, kMaxDenom);
    const int64_t len = int64_t(nom) * std::max(ppqn, 1) * 4 / denom;
    return static_cast<int32_t>(std::clamp<int64_t>(len, 1, std::numeric_limits<int32_t>::max()));
}

CTimeSignature CScore::timeSigAtBar(int32_t bar) const {
    if (timesigs.empty())
        return CTimeSignature{
            .nom = 4, .denom = 4, .bar = 0, .time = 0, .barlength = barLengthOf(4, 4)};
    return timesigs[sigIndexAtBar(timesigs, bar)];
}

const CTimeSignature& CScore::timeSigAtBar(int32_t bar) {
    if (timesigs.empty())
        timesigs.push_back(CTimeSignature{
            .nom = 4, .denom = 4, .bar = 0, .time = 0, .barlength = barLengthOf(4, 4)});
    return timesigs[sigIndexAtBar(timesigs, bar)];
}

int32_t CScore::barAtTick(int32_t tick) const {
    if (timesigs.empty()) {
        if (tick <= 0) return 0;
        return tick / barLengthOf(4, 4);
    }
    auto it = std::upper_bound(timesigs.begin(), timesigs.end(), tick,
                               [](int32_t t, const CTimeSignature& s) { return t < s.time; });
    const CTimeSignature& sig = it == timesigs.begin() ? timesigs.front() : *(it - 1);
    if (tick <= sig.time) return sig.bar;
    return sig.bar + (tick - sig.time) / std::max(sig.barlength, 1);
}

int32_t CScore::barStart(int32_t bar) const {
    const CTimeSignature sig = timeSigAtBar(bar);
    return clampTick(int64_t(bar - sig.bar) * sig.barlength + sig.time);
}

int32_t CScore::barLength(int32_t bar) const {
    return std::max(timeSigAtBar(bar).barlength, 1);
}

int32_t CScore::beatLength(int32_t bar) const {
    const CTimeSignature sig = timeSigAtBar(bar);
    const int32_t denom = std::clamp(sig.denom, 1, kMaxDenom);
    const bool compound = (denom == 8 || denom == 16) && sig.nom % 3 == 0;
    return std::max(1, std::max(ppqn, 1) * (compound ? 12 : 4) / denom);
}

int32_t CScore::barCount() const {
    if (length <= 0) return 0;
    const int32_t bar = barAtTick(length);
    const int32_t count = barStart(bar) == length ? bar : bar + 1;
    return std::min(count, kMaxBars);
}

int32_t CScore::startTempo() const {
    const CEvent& first = tempoTrack.events.at(0);
    if (tempoTrack.events.empty() || first.type != EventType::Tempo) return kDefaultTempo;
    return first.data[1];
}

void CScore::normaliseTimeSignatures() {
    if (timesigs.empty()) return;
    timesigs.front().bar = 0;
    timesigs.front().time = 0;
    std::vector<CTimeSignature> kept;
    kept.reserve(timesigs.size());
    for (CTimeSignature sig : timesigs) {
        sig.nom = std::clamp(sig.nom, 1, kMaxNom);
        sig.denom = std::clamp(sig.denom, 1, kMaxDenom);
        sig.barlength = barLengthOf(sig.nom, sig.denom);
        if (!kept.empty()) {
            const CTimeSignature& prev = kept.back();
            if (sig.nom == prev.nom && sig.denom == prev.denom) continue;
            if (sig.bar <= prev.bar) continue;  // out of order: the earlier entry stands
            sig.time = clampTick(int64_t(sig.bar - prev.bar) * prev.barlength + prev.time);
        }
        kept.push_back(sig);
    }
    timesigs = std::move(kept);
}

void CScore::setTimeSignature(int32_t nom, int32_t denom, int32_t bar, int32_t tick, bool defer) {
    if (bar < 0) bar = barAtTick(tick);
    bar = std::clamp(bar, 0, kMaxBars);
    timeSigAtBar(0);  // an empty list first gets the 4/4 that was in force
    CTimeSignature sig{.nom = std::clamp(nom, 1, kMaxNom),
                       .denom = std::clamp(denom, 1, kMaxDenom),
                       .bar = bar,
                       .time = 0,
                       .barlength = 0};
    sig.barlength = barLengthOf(sig.nom, sig.denom);
    const CTimeSignature last = timesigs.back();
    if (!defer && bar > last.bar) {
        // After the last signature: the list, normalised outside a deferred batch, stays
        // so with the new one appended at its start (or left out when it changes
        // nothing), without a pass over the list. Signatures set in time order (a MIDI
        // import) cost no more than the search.
        if (sig.nom != last.nom || sig.denom != last.denom) {
            sig.time = clampTick(int64_t(bar - last.bar) * last.barlength + last.time);
            timesigs.push_back(sig);
        }
    } else {
        auto at = std::lower_bound(timesigs.begin(), timesigs.end(), bar,
                                   [](const CTimeSignature& s, int32_t b) { return s.bar < b; });
        if (at != timesigs.end() && at->bar == bar)
            *at = sig;
        else
            timesigs.insert(at, sig);
        if (defer) return;
        normaliseTimeSignatures();
    }
    // The end of the music must stay on a bar line.
    const int32_t endBar = barAtTick(length);
    if (barStart(endBar) != length) length = barStart(endBar + 1);
    if (editlength < length) editlength = length;
    // Tempo texts name the beat, which may have changed: they are rebuilt when drawn.
    for (CEvent& e : tempoTrack.events)
        e.text.clear();
}

void CScore::setKeySignature(int32_t key, int32_t bar) {
    if (key < 0 || key >= kKeyCount || bar < 0) return;
    // The list is kept in bar order, one entry per bar: a binary search finds the place,
    // and signatures set in bar order (a MIDI import) are appended at the end.
    auto at = std::lower_bound(keysigs.begin(), keysigs.end(), bar,
                               [](const CKeySignature& k, int32_t b) { return k.bar < b; });
    if (at != keysigs.end() && at->bar == bar)
        at->key = key;
    else
        keysigs.insert(at, CKeySignature{.key = key, .bar = bar});
    if (bar == 0) {
        prefs.key = key % 15;
        prefs.minorkey = key > 14;
    }
}

int32_t CScore::keyAtBar(int32_t bar) const {
    // The last signature at or before the bar; -1 when there is none.
    auto after = std::upper_bound(keysigs.begin(), keysigs.end(), bar,
                                  [](int32_t b, const CKeySignature& k) { return b < k.bar; });
    return after == keysigs.begin() ? -1 : (after - 1)->key;
}

void CScore::setLength(int32_t tick) {
    tick = std::clamp(tick, 0, barStart(kMaxBars));
    const int32_t bar = barAtTick(tick);
    if (barStart(bar) != tick) tick = barStart(bar + 1);
    if (editlength < tick) editlength = tick;
    length = tick;
    for (int t = 0; t < trackCount(); ++t) {
        tracks[static_cast<size_t>(t)].length = tick;
        if (partOfTrack(t) >= 0) rebuildTrack(t);
    }
    if (barAtTick(editlength) > 100 && barAtTick(length) < 80) editlength = length;
    rebuildBars();
}

void CScore::rebuildBars() {
    const int32_t count = barCount();
    bars.resize(static_cast<size_t>(count));
    for (int32_t b = 0; b < count; ++b) {
        CScoreBar& bar = bars[static_cast<size_t>(b)];
        bar.index = b;
        bar.startTick = barStart(b);
        bar.lengthTicks = barLength(b);
    }
}

}  // namespace ks
