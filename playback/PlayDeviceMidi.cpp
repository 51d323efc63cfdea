#include "PlayDeviceMidi.h"

#include "MidiPorts.h"
#include "PlaybackStrings.h"
#include "model/TextTable.h"

namespace ks {

namespace {

// The missing audio output is told once per run, not at every open.
std::atomic<bool> noAudioReported{false};

}  // namespace

CPlayDeviceMidi::CPlayDeviceMidi(SynthOptions synthOptions)
    : synthOptions_(std::move(synthOptions)) {}

CPlayDeviceMidi::~CPlayDeviceMidi() {
    // Close(), virtual in the base, is not called through the base here.
    CPlayDeviceMidi::Close();
}

QStringList CPlayDeviceMidi::deviceNames() {
    return QStringList{text(PlaybackString::BuiltInSynthesizer)} + midiports::outputNames();
}

bool CPlayDeviceMidi::Open() {
    Close();
    if (deviceNumber_ < 0) return true;
    QString error;
    std::unique_ptr<MidiOutput> output;
    if (deviceNumber_ == kSynthesizer) {
        std::unique_ptr<Synthesizer> synth = Synthesizer::create(synthOptions_, error);
        if (synth && !synth->startAudio()) {
            if (!noAudioReported.exchange(true)) reportError(text(PlaybackString::NoAudioOutput));
            return false;
        }
        output = std::move(synth);
    } else {
        output = midiports::openOutput(deviceNumber_ - 1, error);
    }
    if (!output) {
        reportError(error);
        return false;
    }
    std::lock_guard lock(mutex_);
    output_ = std::move(output);
    open_.store(true, std::memory_order_release);
    return true;
}

bool CPlayDeviceMidi::Close() {
    std::unique_ptr<MidiOutput> closing;
    {
        std::lock_guard lock(mutex_);
        open_.store(false, std::memory_order_release);
        closing = std::move(output_);
    }
    if (closing) {
        // Reset: silence every channel before the output goes.
        QString ignored;
        for (uint8_t channel = 0; channel < 16; ++channel) {
            const uint8_t bytes[3] = {uint8_t(MidiStatus::Controller | channel),
                                      MidiController::AllNotesOff, 0};
            closing->send(bytes, 3, ignored);
        }
    }
    return true;
}

void CPlayDeviceMidi::SetDevice(int device) {
    if (device == deviceNumber_) return;
    Close();
    deviceNumber_ = device;
    Open();
}

bool CPlayDeviceMidi::send(const uint8_t* bytes, int count, QString& error) {
    std::lock_guard lock(mutex_);
    if (!output_) return true;
    return output_->send(bytes, count, error);
}

}  // namespace ks
