// CMidiInput: the MIDI keyboard. Messages arrive on the MIDI system's thread, which only
// stores them in a ring of 256 words (a time stamp and the packed message each) and
// notifies; the user-interface thread reads the ring. Active sensing is dropped.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ks {

namespace midiports {
class InputPort;
}

// The three application settings of MIDI input, with their registry names.
struct MidiInputSettings {
    bool enabled = false;  // "EnableMidiIn"
    bool thru = false;     // "EnableMidiThru"
    int device = 0;        // "MidiInDevice"

    // The application's settings store ("Halvern", "Halvern Keystaves Notation Software").
    static std::unique_ptr<QSettings> store();
    static MidiInputSettings read(QSettings& settings);
    // "MidiInDevice" is written only with `withDevice` (the settings dialog writes it only
    // while input is enabled; at exit it is always written).
    void write(QSettings& settings, bool withDevice = true) const;
};

class CMidiInput {
  public:
    static constexpr int kRingWords = 256;

    // Called on the MIDI system's thread once per stored message; the editor posts a
    // queued call to its user-interface thread, which then drains the ring.
    using Notify = std::function<void()>;
    // Receives the title and text of an input error, on the thread that failed.
    using ErrorReporter = std::function<void(const QString& title, const QString& text)>;

    CMidiInput() = default;
    ~CMidiInput();
    CMidiInput(const CMidiInput&) = delete;
    CMidiInput& operator=(const CMidiInput&) = delete;

    bool enabled = false;
    bool thru = false;
    int deviceNumber = 0;  // -1: no device

    // Opens input device `device` delivering its messages to the receiver; null with
    // an error text on failure. By default the machine's MIDI input ports.
    using PortOpener = std::function<std::unique_ptr<midiports::InputPort>(
        int device, std::function<void(const std::vector<unsigned char>&)> receiver,
        QString& error)>;

    void setNotify(Notify notify) { notify_ = std::move(notify); }
    void setPortOpener(PortOpener opener) { opener_ = std::move(opener); }
    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    // Take the settings read at start-up; an input that is open while they say
    // disabled is stopped and closed.
    void applySettings(const MidiInputSettings& settings);
    MidiInputSettings currentSettings() const { return {enabled, thru, deviceNumber}; }

    // Close, then open `deviceNumber` when input is enabled; a failure is reported and
    // leaves the input closed.
    void Open();
    // Empty the ring and start listening (when open).
    void Start();
    void Stop();
    void Close();
    bool isOpen() const { return port_ != nullptr; }
    bool isStarted() const { return started_.load(); }

    // The names of the MIDI input devices, in device-number order.
    static QStringList deviceNames();

    // The input callback: store one message received `milliseconds` after Start. Only
    // a started input stores; active sensing (0xFE) is dropped; when the reader has
    // fallen 128 messages behind, new messages are dropped rather than overwriting.
    void receive(uint32_t milliseconds, uint32_t packedMessage);
    // Store a message of raw bytes from the MIDI system, stamped now.
    void receiveBytes(const unsigned char* bytes, size_t count);

    // Reader side: the oldest unread message; false when there is none.
    bool read(uint32_t& milliseconds, uint32_t& packedMessage);
    void emptyRing();
    uint32_t dropped() const { return dropped_.load(); }

    // What note entry remembers of the previous note: its time stamp and the cursor
    // time it was entered at (notes struck together form a chord).
    bool hasPreviousNote = false;
    uint32_t previousStamp = 0;
    int32_t previousCursor = 0;

  private:
    void report(const QString& message) const;

    Notify notify_;
    ErrorReporter reporter_;
    PortOpener opener_;
    std::unique_ptr<midiports::InputPort> port_;
    std::atomic<bool> started_{false};
    std::chrono::steady_clock::time_point startedAt_{};
    std::array<uint32_t, kRingWords> ring_{};
    std::atomic<uint32_t> written_{0};  // words ever written; the writer's index
    std::atomic<uint32_t> read_{0};     // words ever read; the reader's index
    std::atomic<uint32_t> dropped_{0};
};

}  // namespace ks
