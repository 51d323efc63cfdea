#include "SoundingNotes.h"

namespace ks {

void SoundingNotes::beginWrite() {
    sequence_.fetch_add(1, std::memory_order_acq_rel);
    std::atomic_thread_fence(std::memory_order_release);
}

void SoundingNotes::endWrite() {
    sequence_.fetch_add(1, std::memory_order_release);
}

void SoundingNotes::store(Slot& slot, const CPlayBackEvent& e) {
    slot.time.store(e.time, std::memory_order_relaxed);
    slot.scoreTime.store(e.scoreTime, std::memory_order_relaxed);
    slot.trackIndex.store(e.trackIndex, std::memory_order_relaxed);
    slot.pitch.store(e.pitch, std::memory_order_relaxed);
    slot.velocity.store(e.velocity, std::memory_order_relaxed);
    slot.duration.store(e.duration, std::memory_order_relaxed);
}

void SoundingNotes::noteOn(const CPlayBackEvent& event) {
    for (Slot& slot : slots_) {
        if (slot.duration.load(std::memory_order_relaxed) > 0) continue;
        beginWrite();
        store(slot, event);
        endWrite();
        return;
    }
}

void SoundingNotes::noteOff(int32_t pitch) {
    for (Slot& slot : slots_) {
        if (slot.duration.load(std::memory_order_relaxed) <= 0 ||
            slot.pitch.load(std::memory_order_relaxed) != pitch)
            continue;
        beginWrite();
        slot.duration.store(0, std::memory_order_relaxed);
        endWrite();
        changes_.fetch_add(1, std::memory_order_release);
        return;
    }
}

void SoundingNotes::clear() {
    beginWrite();
    for (Slot& slot : slots_)
        slot.duration.store(0, std::memory_order_relaxed);
    endWrite();
}

SoundingNotes::Slots SoundingNotes::snapshot() const {
    Slots out{};
    for (;;) {
        const uint32_t before = sequence_.load(std::memory_order_acquire);
        if (before & 1u) continue;
        for (int i = 0; i < kSlots; ++i) {
            const Slot& s = slots_[static_cast<size_t>(i)];
            CPlayBackEvent& e = out[static_cast<size_t>(i)];
            e.time = s.time.load(std::memory_order_relaxed);
            e.scoreTime = s.scoreTime.load(std::memory_order_relaxed);
            e.trackIndex = s.trackIndex.load(std::memory_order_relaxed);
            e.pitch = s.pitch.load(std::memory_order_relaxed);
            e.velocity = s.velocity.load(std::memory_order_relaxed);
            e.duration = s.duration.load(std::memory_order_relaxed);
        }
        std::atomic_thread_fence(std::memory_order_acquire);
        if (sequence_.load(std::memory_order_relaxed) == before) return out;
    }
}

}  // namespace ks
