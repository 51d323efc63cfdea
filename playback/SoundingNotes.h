// The notes sounding now: 16 slots filled by the tick as it sends note-ons and freed
// as it sends note-offs, read by the view to highlight the notes being played. A slot
// is in use while its `duration` is above 0, so grace and trill notes (duration 0) are
// not listed. A seventeenth note sounds but is not listed.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "model/PlayBackEvent.h"

namespace ks {

class SoundingNotes {
  public:
    static constexpr int kSlots = 16;
    using Slots = std::array<CPlayBackEvent, kSlots>;

    // Writer side (the tick thread); no allocation.
    void noteOn(const CPlayBackEvent& event);
    void noteOff(int32_t pitch);  // frees the first slot in use with that pitch
    void clear();

    // Reader side, any thread: a consistent copy of the slots.
    Slots snapshot() const;
    // Counts the slots freed by note-offs: a view redraws its highlights when it changes.
    uint32_t changes() const { return changes_.load(std::memory_order_acquire); }

  private:
    struct Slot {
        std::atomic<int32_t> time{0}, scoreTime{0}, trackIndex{0}, pitch{0}, duration{0},
            velocity{0};
    };
    void beginWrite();
    void endWrite();
    void store(Slot& slot, const CPlayBackEvent& e);

    std::array<Slot, kSlots> slots_;
    std::atomic<uint32_t> sequence_{0};  // odd while a write is under way
    std::atomic<uint32_t> changes_{0};
};

}  // namespace ks
