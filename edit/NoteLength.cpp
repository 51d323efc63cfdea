#include "NoteLength.h"

#include <algorithm>
#include <atomic>

namespace ks {

namespace {

constexpr int32_t kFactors[kNoteLengthCount] = {
    0x2000,  0x4000,  0x8000,  0x10000, 0x18000, 0x20000, 0x40000, 0x6000,
    0x30000, 0x60000, 0x1C000, 0x38000, 0x2AAB,  0x5556,  0xAAAB,  0x15556,
};

std::atomic<int> current{kDefaultNoteLength};

}  // namespace

int currentNoteLength() {
    return current.load();
}

void setCurrentNoteLength(int index) {
    current.store(index);
}

int32_t noteLengthFactor(int index) {
    return index >= 0 && index < kNoteLengthCount ? kFactors[index] : 0x10000;
}

int32_t noteLengthTicks(int32_t ppqn, int index) {
    const int64_t ticks = (int64_t(std::max(ppqn, 1)) * noteLengthFactor(index)) >> 16;
    return static_cast<int32_t>(std::clamp<int64_t>(ticks, 1, INT32_MAX));
}

int32_t currentStep(int32_t ppqn) {
    return noteLengthTicks(ppqn, currentNoteLength());
}

}  // namespace ks
