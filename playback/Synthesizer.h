// The built-in software synthesizer: FluidSynth with a General MIDI sound font. It
// plays live through the machine's sound server, or renders into a buffer for audio
// files. It takes MIDI short messages like any other output.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "MidiOutput.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_audio_driver_t;

namespace ks {

struct SynthOptions {
    QString soundFont;  // empty: the General MIDI sound font found by defaultSoundFont()
    double gain = 0.6;  // FluidSynth's own default of 0.2 is very quiet
    bool reverb = true;
    bool chorus = true;
    int sampleRate = 44100;
};

class Synthesizer : public MidiOutput {
  public:
    // A synthesizer with the sound font loaded; null with the error text on failure.
    static std::unique_ptr<Synthesizer> create(const SynthOptions& options, QString& error);
    ~Synthesizer() override;

    // The installed General MIDI sound font: $KEYSTAVES_SOUNDFONT when set, else the
    // first of the usual places that exists; empty when none does.
    static QString defaultSoundFont();

    // Start sounding through the machine's audio output. False when there is none.
    bool startAudio();

    // Apply a message. Failures inside the synthesizer (a note-off for a key that is not
    // sounding, say) are not errors of the output, so this always succeeds.
    bool send(const uint8_t* bytes, int count, QString& error) override;

    // Render `frames` frames of stereo into two buffers of floats (full scale 1.0).
    void render(float* left, float* right, int frames);
    int sampleRate() const { return sampleRate_; }

  private:
    Synthesizer() = default;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_audio_driver_t* driver_ = nullptr;
    int sampleRate_ = 44100;
};

}  // namespace ks
