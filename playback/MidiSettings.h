// The logic of the MIDI Settings dialog without its widgets: the values it shows and
// reads back, the digit filter of its edit boxes, the limits applied on OK and the
// previews it plays. Channels, programs and pitches are kept 0-based and shown 1-based.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "MidiInput.h"

namespace ks {

class CScore;
class CPlayDevice;

constexpr int kMinTempo = 20;
constexpr int kMaxTempo = 900;

struct MidiSettingsForm {
    int device = 0;   // index into the device list
    int channel = 0;  // 0..15
    int program = 0;  // 0..127
    QString tempo;
    int cursorstep = 0;   // 0 "Beat", 1 "Smooth"
    int cursorstyle = 0;  // 0 "Vertical line", 1 "Highlight Notes", 2 "Both"
    QString velocity;
    QString compression;
    bool metronome = false;
    int tickchannel = 0;
    int tickprogram = 0;
    int tickpitch = 0;
    bool midiIn = false;
    bool midiThru = false;

    // The dialog's initial contents: the score's settings and the input's flags.
    static MidiSettingsForm fromScore(const CScore& score, const MidiInputSettings& input);

    // OK: every value back into the score. The tempo is kept within 20..900 and also
    // written to the first tempo mark; velocity within 0..127, compression 0..100.
    void applyTo(CScore& score) const;
    // OK: the input flags, with the device chosen in the device chooser.
    MidiInputSettings inputSettings(int inputDevice) const;

    static int tempoValue(const QString& box);
    static int velocityValue(const QString& box);
    static int compressionValue(const QString& box);
};

// An edit box keeps digits only; an emptied box shows `whenEmpty` ("1" for the tempo,
// "0" for velocity and compression).
QString digitsOnly(const QString& box, const QString& whenEmpty);

// The entries of a numbered drop list: "1" .. `count`.
QStringList numberedChoices(int count);
// The entries of the cursor step and cursor style lists.
QStringList cursorStepChoices();
QStringList cursorStyleChoices();

// Waits the given milliseconds between the notes of a preview.
using PreviewWait = std::function<void(int milliseconds)>;

// The instrument preview: opens the device when it is closed, then channel volume 127,
// the program, 100 ms, key 64 at velocity 100 for 1000 ms.
void playInstrumentPreview(CPlayDevice& device, int channel, int program, const PreviewWait& wait);
// The metronome preview: with `programChange` the program and 100 ms first; then the
// pitch at velocity 60 for 500 ms.
void playMetronomePreview(CPlayDevice& device, int channel, int program, int pitch,
                          bool programChange, const PreviewWait& wait);

}  // namespace ks
