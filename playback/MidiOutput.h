// One place MIDI short messages can go: the built-in synthesizer or a MIDI output port.
#pragma once

#include <QString>
#include <cstdint>

namespace ks {

class MidiOutput {
  public:
    virtual ~MidiOutput() = default;
    // Send a message of 1 to 3 bytes; on failure false with the output's error text.
    virtual bool send(const uint8_t* bytes, int count, QString& error) = 0;
};

}  // namespace ks
