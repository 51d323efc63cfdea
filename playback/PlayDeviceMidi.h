// CPlayDeviceMidi: the MIDI output everything plays through. Device 0 is the built-in
// synthesizer; devices 1, 2, ... are the MIDI output ports of the machine.
#pragma once

#include <QStringList>
#include <atomic>
#include <memory>
#include <mutex>

#include "MidiOutput.h"
#include "PlayDevice.h"
#include "Synthesizer.h"

namespace ks {

class CPlayDeviceMidi : public CPlayDevice {
  public:
    static constexpr int kSynthesizer = 0;

    explicit CPlayDeviceMidi(SynthOptions synthOptions = {});
    ~CPlayDeviceMidi() override;

    // Close, then open device `deviceNumber()` when it is not negative. A failure is
    // reported with the output's own text and leaves the device closed. The missing
    // audio output of the synthesizer is reported only the first time in a process:
    // playback then runs silently.
    bool Open() override;
    bool Close() override;
    bool IsOpen() const override { return open_.load(std::memory_order_acquire); }
    // Switch to device `device`: nothing when it is the current one, else close and open.
    void SetDevice(int device) override;

    int deviceNumber() const { return deviceNumber_; }

    // The names of the device list: the built-in synthesizer, then the MIDI output ports.
    static QStringList deviceNames();

  protected:
    bool send(const uint8_t* bytes, int count, QString& error) override;

  private:
    const SynthOptions synthOptions_;
    int deviceNumber_ = kSynthesizer;
    // Sends come from the timer thread and the user-interface thread; open and close
    // from the user-interface thread only.
    std::mutex mutex_;
    std::unique_ptr<MidiOutput> output_;
    std::atomic<bool> open_{false};
};

}  // namespace ks
