// A device that records what is sent to it instead of sounding: each message with the
// time it was sent at, by a clock the owner chooses (the play position for tests that
// tick by hand, a real clock for timing measurements).
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "PlayDevice.h"

namespace ks {

class RecordingDevice : public CPlayDevice {
  public:
    struct Message {
        double time;
        std::array<uint8_t, 3> bytes;
        int count;
    };
    using Clock = std::function<double()>;

    explicit RecordingDevice(Clock clock = {}) : clock_(std::move(clock)) {}

    bool Open() override { return open_ = true; }
    bool Close() override {
        open_ = false;
        return true;
    }
    bool IsOpen() const override { return open_; }

    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Make every send fail with `error` (an empty text stands for an unknown error).
    void failSends(bool fail, QString error = {}) {
        fail_ = fail;
        error_ = std::move(error);
    }

    std::vector<Message> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        messages_.clear();
    }

  protected:
    bool send(const uint8_t* bytes, int count, QString& error) override {
        if (fail_) {
            error = error_;
            return false;
        }
        Message m{clock_ ? clock_() : 0.0, {0, 0, 0}, count};
        for (int i = 0; i < count && i < 3; ++i)
            m.bytes[static_cast<size_t>(i)] = bytes[i];
        std::lock_guard lock(mutex_);
        messages_.push_back(m);
        return true;
    }

  private:
    Clock clock_;
    bool open_ = true;
    bool fail_ = false;
    QString error_;
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

}  // namespace ks
