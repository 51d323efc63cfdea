// The MIDI ports of the machine, through RtMidi. Where the machine has no MIDI system
// at all (no ALSA sequencer and no JACK server) there are simply no ports: RtMidi's
// failures are caught here and never reach the callers.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "MidiOutput.h"

namespace ks::midiports {

enum class System { None, Alsa, Jack, Native };

// The MIDI system RtMidi can use here, found once per process: the ALSA sequencer,
// else a running JACK server (never started for us), else none. Other platforms use
// their native system.
System system();

QStringList outputNames();
QStringList inputNames();

// An output connected to output port `port` (0-based); null with the error text when
// that fails.
std::unique_ptr<MidiOutput> openOutput(int port, QString& error);

// A MIDI input port being listened to. The receiver is called on RtMidi's thread with
// each complete message (system exclusive messages are not passed on).
class InputPort {
  public:
    using Receiver = std::function<void(const std::vector<unsigned char>& message)>;
    virtual ~InputPort() = default;
};

// Opens input port `port` (0-based) and passes its messages to `receiver` until the
// returned object is destroyed; null with the error text when that fails.
std::unique_ptr<InputPort> openInput(int port, InputPort::Receiver receiver, QString& error);

}  // namespace ks::midiports
