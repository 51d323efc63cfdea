// CPlayDevice: the output side towards the sound hardware. Playback, metronome, MIDI
// thru and the settings previews send every MIDI short message through one device.
// Sends are skipped silently while the device is not open.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace ks {

// MIDI short messages and their bytes.
namespace MidiStatus {
constexpr uint8_t NoteOff = 0x80;
constexpr uint8_t NoteOn = 0x90;
constexpr uint8_t Controller = 0xB0;
constexpr uint8_t ProgramChange = 0xC0;
constexpr uint8_t ActiveSensing = 0xFE;
}  // namespace MidiStatus
namespace MidiController {
constexpr uint8_t ChannelVolume = 7;
constexpr uint8_t AllNotesOff = 123;
}  // namespace MidiController

// The value a short message is packed into: status + data1 * 256 + data2 * 65536.
constexpr uint32_t packShortMessage(uint8_t status, uint8_t data1, uint8_t data2) {
    return uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16;
}

class CPlayDevice {
  public:
    // Receives the text of every failed open or send. It is called on the thread that
    // failed (during playback, the timer thread); the editor forwards it to a message box.
    using ErrorReporter = std::function<void(const QString&)>;

    CPlayDevice() = default;
    CPlayDevice(const CPlayDevice&) = delete;
    CPlayDevice& operator=(const CPlayDevice&) = delete;
    virtual ~CPlayDevice() = default;

    virtual bool Open() { return false; }
    virtual bool Close() { return true; }
    virtual bool IsOpen() const { return false; }
    // Make sure the output can be heard; nothing needs doing on this platform.
    virtual void EnsureAudible() {}
    virtual void SetDevice(int device) {}

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    // The short messages. Channels are masked to 0..15 and data bytes to 0..127.
    void noteOn(int channel, int key, int velocity);
    void noteOff(int channel, int key);
    void programChange(int channel, int program);
    void allNotesOff(int channel);
    void channelVolume(int channel, int volume);

    // Send one packed short message as it stands (used by MIDI thru).
    void sendPacked(uint32_t message);

  protected:
    // Hand one message of 1 to 3 bytes to the output; only called while IsOpen() is
    // true. On failure return false and set `error` to the output's own text (an empty
    // text is reported as the unknown-error text).
    virtual bool send(const uint8_t* bytes, int count, QString& error) { return true; }

    void reportError(const QString& text) const;

  private:
    void sendMessage(uint8_t status, uint8_t data1, uint8_t data2, int count);

    ErrorReporter reporter_;
};

// A device that never opens and never sounds: an entry of the device list that has no
// MIDI output behind it.
class CPlayDeviceWave : public CPlayDevice {};

}  // namespace ks
