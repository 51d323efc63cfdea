#include "PlayDevice.h"

#include "PlaybackStrings.h"
#include "model/TextTable.h"

namespace ks {

void CPlayDevice::noteOn(int channel, int key, int velocity) {
    sendMessage(MidiStatus::NoteOn | (channel & 0x0F), key & 0x7F, velocity & 0x7F, 3);
}

void CPlayDevice::noteOff(int channel, int key) {
    sendMessage(MidiStatus::NoteOff | (channel & 0x0F), key & 0x7F, 0, 3);
}

void CPlayDevice::programChange(int channel, int program) {
    sendMessage(MidiStatus::ProgramChange | (channel & 0x0F), program & 0x7F, 0, 2);
}

void CPlayDevice::allNotesOff(int channel) {
    sendMessage(MidiStatus::Controller | (channel & 0x0F), MidiController::AllNotesOff, 0, 3);
}

void CPlayDevice::channelVolume(int channel, int volume) {
    sendMessage(MidiStatus::Controller | (channel & 0x0F), MidiController::ChannelVolume,
                volume & 0x7F, 3);
}

void CPlayDevice::sendPacked(uint32_t message) {
    const uint8_t status = message & 0xFF;
    // Program change and channel pressure carry one data byte, the other channel
    // messages two; system messages are not passed on.
    if (status < 0x80 || status >= 0xF0) return;
    const int count = (status & 0xE0) == 0xC0 ? 2 : 3;
    sendMessage(status, (message >> 8) & 0x7F, count == 3 ? (message >> 16) & 0x7F : 0, count);
}

void CPlayDevice::sendMessage(uint8_t status, uint8_t data1, uint8_t data2, int count) {
    if (!IsOpen()) return;
    const uint8_t bytes[3] = {status, data1, data2};
    QString error;
    if (!send(bytes, count, error)) reportError(error);
}

void CPlayDevice::reportError(const QString& message) const {
    if (reporter_) reporter_(message.isEmpty() ? text(PlaybackString::BadErrorNumber) : message);
}

}  // namespace ks
