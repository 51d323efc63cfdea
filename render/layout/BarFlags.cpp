#include "BarFlags.h"

#include <algorithm>

#include "KeySignatureTable.h"

namespace ks {

namespace {

constexpr int32_t kPrefixBits =
    BarFlag::Clef | BarFlag::TimeSig | BarFlag::TimeSigWide | BarFlag::KeySig;

}  // namespace

const CTimeSignature* timeSignatureStartingAt(const CScore& score, int32_t bar) {
    auto it = std::lower_bound(score.timesigs.begin(), score.timesigs.end(), bar,
                               [](const CTimeSignature& s, int32_t b) { return s.bar < b; });
    return it != score.timesigs.end() && it->bar == bar ? &*it : nullptr;
}

int32_t keySignatureStartingAt(const CScore& score, int32_t bar) {
    auto it = std::lower_bound(score.keysigs.begin(), score.keysigs.end(), bar,
                               [](const CKeySignature& k, int32_t b) { return k.bar < b; });
    if (it == score.keysigs.end() || it->bar != bar) return -1;
    return it->key >= 0 && it->key < kKeyCount ? it->key : -1;
}

bool barShowsKeySignature(const CScore& score, int32_t bar) {
    return score.prefs.showkey && keySignatureStartingAt(score, bar) >= 0;
}

void applyBarFlags(CScore& score, int32_t first, int32_t count) {
    const int32_t n = static_cast<int32_t>(score.bars.size());
    const int32_t end = static_cast<int32_t>(std::min<int64_t>(int64_t(first) + count, n));
    for (int32_t b = std::max(first, 0); b < end; ++b) {
        CScoreBar& bar = score.bars[static_cast<size_t>(b)];
        int32_t flags = bar.flags & ~kPrefixBits;
        if (score.prefs.showclefs && b == first) flags |= BarFlag::Clef;
        bar.keyAccidentals = 0;
        if (barShowsKeySignature(score, b)) {
            flags |= BarFlag::KeySig;
            bar.keyAccidentals = keyAccidentalCount(keySignatureStartingAt(score, b));
        }
        if (score.prefs.showtimesignature) {
            if (const CTimeSignature* sig = timeSignatureStartingAt(score, b)) {
                flags |= BarFlag::TimeSig;
                if (sig->nom > 9 || sig->denom > 9) flags |= BarFlag::TimeSigWide;
            }
        }
        bar.flags = flags;
    }
}

}  // namespace ks
