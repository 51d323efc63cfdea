#include "MidiInputHandler.h"

#include "MidiInput.h"
#include "PlayDevice.h"

namespace ks {

void handleMidiInput(CMidiInput& input, CPlayDevice& device, MidiNoteEntry* entry) {
    uint32_t stamp = 0;
    uint32_t message = 0;
    while (input.read(stamp, message)) {
        const int status = message & 0xF0;
        const int channel = message & 0x0F;
        const int key = (message >> 8) & 0x7F;
        const int velocity = (message >> 16) & 0x7F;
        if (status == MidiStatus::NoteOn && velocity > 0) {
            if (input.thru) device.noteOn(channel, key, velocity);
            if (entry && entry->inMusicMode()) {
                if (input.hasPreviousNote && stamp - input.previousStamp < kChordMilliseconds)
                    entry->setCursorTime(input.previousCursor);
                input.hasPreviousNote = true;
                input.previousStamp = stamp;
                input.previousCursor = entry->cursorTime();
                entry->enterNote(key);
            }
        } else if (status == MidiStatus::NoteOff || status == MidiStatus::NoteOn) {
            if (input.thru) device.noteOff(channel, key);
        }
    }
}

InputDeviceChoice chooseInputDevice(const QStringList& names, int deviceNumber, bool enabled) {
    InputDeviceChoice choice;
    if (!enabled) {
        choice.selected = deviceNumber;
        return choice;
    }
    if (names.isEmpty()) {
        choice.noDevice = true;
        return choice;
    }
    choice.names = names;
    choice.selected = deviceNumber >= 0 && deviceNumber < names.size() ? deviceNumber : 0;
    return choice;
}

QString monitorLine(uint32_t milliseconds, uint32_t packedMessage) {
    return QString::asprintf("%04x %02X  %02X  %02X", milliseconds, packedMessage & 0xFF,
                             (packedMessage >> 8) & 0xFF, (packedMessage >> 16) & 0xFF);
}

}  // namespace ks
