// What the active view does with the MIDI keyboard's messages: MIDI thru echoes the
// keys to the output device, and in Music mode each struck key is entered as a note at
// the cursor (keys struck within 50 ms of each other form one chord). The view itself
// is reached through a small interface, so this runs without widgets.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace ks {

class CMidiInput;
class CPlayDevice;

// The note entry side of a document view.
class MidiNoteEntry {
  public:
    virtual ~MidiNoteEntry() = default;
    virtual bool inMusicMode() const = 0;
    virtual int32_t cursorTime() const = 0;
    virtual void setCursorTime(int32_t time) = 0;
    // Enter `key` at the cursor exactly as the insert-note command does (the cursor's
    // pitch range becomes this key; the current note length, velocity 100; the cursor
    // then advances), then refresh the selection and redraw.
    virtual void enterNote(int key) = 0;
};

// Keys struck less than this many milliseconds apart are entered as one chord.
constexpr uint32_t kChordMilliseconds = 50;

// Drain the input's ring (on the user-interface thread, when the input has notified).
// `entry` may be null when no view takes notes.
void handleMidiInput(CMidiInput& input, CPlayDevice& device, MidiNoteEntry* entry);

// The device chooser's starting state.
struct InputDeviceChoice {
    QStringList names;  // listed only while MIDI input is enabled
    int selected = -1;
    bool noDevice = false;  // tell "No Input Device is Available" and close as cancelled
};
InputDeviceChoice chooseInputDevice(const QStringList& names, int deviceNumber, bool enabled);

// A line of the chooser's monitor list: "%04x %02X  %02X  %02X" with the time stamp,
// status, data 1 and data 2.
QString monitorLine(uint32_t milliseconds, uint32_t packedMessage);

}  // namespace ks
