// A lock-free ring of 1024 playback events between one writer (the scheduler thread)
// and one reader (the tick). The writer only moves the write index and the reader the
// read index, each after the slot has been written or read. Empty when the indices are
// equal; full when the slot after the write index is the read index (1023 waiting).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "model/PlayBackEvent.h"

namespace ks {

class PlayBackQueue {
  public:
    static constexpr uint32_t kSize = 1024;
    static constexpr uint32_t kMask = kSize - 1;

    // Writer side: false when the ring is full.
    bool push(const CPlayBackEvent& event) {
        const uint32_t w = writeIndex_.load(std::memory_order_relaxed);
        const uint32_t next = (w + 1) & kMask;
        if (next == readIndex_.load(std::memory_order_acquire)) return false;
        slots_[w] = event;
        writeIndex_.store(next, std::memory_order_release);
        return true;
    }

    // Reader side: the oldest waiting event, or null when the ring is empty.
    const CPlayBackEvent* front() const {
        const uint32_t r = readIndex_.load(std::memory_order_relaxed);
        if (r == writeIndex_.load(std::memory_order_acquire)) return nullptr;
        return &slots_[r];
    }
    void pop() {
        const uint32_t r = readIndex_.load(std::memory_order_relaxed);
        readIndex_.store((r + 1) & kMask, std::memory_order_release);
    }
    bool empty() const { return front() == nullptr; }

    // Discard every waiting event. Only while the writer is not writing.
    void discard() {
        readIndex_.store(writeIndex_.load(std::memory_order_acquire), std::memory_order_release);
    }

    uint32_t waiting() const {
        return (writeIndex_.load(std::memory_order_acquire) -
                readIndex_.load(std::memory_order_acquire)) &
               kMask;
    }

  private:
    std::array<CPlayBackEvent, kSize> slots_{};
    alignas(64) std::atomic<uint32_t> writeIndex_{0};
    alignas(64) std::atomic<uint32_t> readIndex_{0};
};

}  // namespace ks
