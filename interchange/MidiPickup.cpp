#include "MidiPickup.h"

namespace ks {

int32_t takePickup(std::vector<CMidiTimeSig>& sigs, int32_t firstNote,
                   const std::function<int32_t(int32_t, int32_t)>& barLength) {
    if (sigs.empty()) return 0;
    // The signature of the short bar: the file's own at tick 0, else the 4/4 that a
    // file without one plays in.
    const bool ownFirst = sigs.front().time == 0;
    if (ownFirst && sigs.size() < 2) return 0;
    const CMidiTimeSig pickupSig = ownFirst ? sigs[0] : CMidiTimeSig{};
    const CMidiTimeSig& full = ownFirst ? sigs[1] : sigs[0];
    const int32_t length = full.time;  // ticks of the short bar
    const int32_t fullBar = barLength(full.numerator, full.denominator);
    if (length <= 0 || firstNote >= length || length >= fullBar ||
        length > barLength(pickupSig.numerator, pickupSig.denominator))
        return 0;
    const int32_t shift = fullBar - length;
    if (ownFirst) sigs.erase(sigs.begin());
    for (CMidiTimeSig& sig : sigs)
        sig.time += shift;
    sigs.front().time = 0;
    return shift;
}

}  // namespace ks
