#include "MidiSettings.h"

#include <algorithm>

#include "PlayDevice.h"
#include "PlaybackStrings.h"
#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "model/TextTable.h"

namespace ks {

namespace {

// The value of a digits-only box; a number too long for an int counts as very large.
int64_t boxValue(const QString& box) {
    bool ok = false;
    const qlonglong v = box.toLongLong(&ok);
    if (ok) return v;
    return box.isEmpty() ? 0 : std::numeric_limits<int64_t>::max();
}

QStringList splitChoices(int id) {
    return text(id).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

}  // namespace

MidiSettingsForm MidiSettingsForm::fromScore(const CScore& score, const MidiInputSettings& input) {
    const CMidiSettings& m = score.midi;
    MidiSettingsForm f;
    f.device = m.device;
    f.channel = m.channel;
    f.program = m.program;
    f.tempo = QString::number(playbackTempo(score));
    f.cursorstep = score.prefs.cursorstep;
    f.cursorstyle = score.prefs.cursorstyle;
    f.velocity = QString::number(m.velocity);
    f.compression = QString::number(m.compression);
    f.metronome = m.tick;
    f.tickchannel = m.tickchannel;
    f.tickprogram = m.tickprogram;
    f.tickpitch = m.tickpitch;
    f.midiIn = input.enabled;
    f.midiThru = input.thru;
    return f;
}

int MidiSettingsForm::tempoValue(const QString& box) {
    return static_cast<int>(
        std::clamp<int64_t>(boxValue(digitsOnly(box, "1")), kMinTempo, kMaxTempo));
}

int MidiSettingsForm::velocityValue(const QString& box) {
    return static_cast<int>(std::clamp<int64_t>(boxValue(digitsOnly(box, "0")), 0, 127));
}

int MidiSettingsForm::compressionValue(const QString& box) {
    return static_cast<int>(std::clamp<int64_t>(boxValue(digitsOnly(box, "0")), 0, 100));
}

void MidiSettingsForm::applyTo(CScore& score) const {
    CMidiSettings& m = score.midi;
    m.device = device;
    m.channel = std::clamp(channel, 0, 15);
    m.program = std::clamp(program, 0, 127);
    m.velocity = velocityValue(velocity);
    m.compression = compressionValue(compression);
    m.tick = metronome;
    m.tickchannel = std::clamp(tickchannel, 0, 15);
    m.tickprogram = std::clamp(tickprogram, 0, 127);
    m.tickpitch = std::clamp(tickpitch, 0, 127);
    score.prefs.cursorstep = std::clamp(cursorstep, 0, 1);
    score.prefs.cursorstyle = std::clamp(cursorstyle, 0, 2);
    setPlaybackTempo(score, tempoValue(tempo));
}

MidiInputSettings MidiSettingsForm::inputSettings(int inputDevice) const {
    return MidiInputSettings{
        .enabled = midiIn && inputDevice >= 0, .thru = midiThru, .device = inputDevice};
}

QString digitsOnly(const QString& box, const QString& whenEmpty) {
    QString digits;
    for (QChar c : box)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits += c;
    return digits.isEmpty() ? whenEmpty : digits;
}

QStringList numberedChoices(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QString::number(i);
    return out;
}

QStringList cursorStepChoices() {
    return splitChoices(PlaybackString::CursorSteps);
}

QStringList cursorStyleChoices() {
    return splitChoices(PlaybackString::CursorStyles);
}

void playInstrumentPreview(CPlayDevice& device, int channel, int program, const PreviewWait& wait) {
    if (!device.IsOpen()) device.Open();
    device.channelVolume(channel, 127);
    device.programChange(channel, program);
    wait(100);
    device.noteOn(channel, 64, 100);
    wait(1000);
    device.noteOff(channel, 64);
}

void playMetronomePreview(CPlayDevice& device, int channel, int program, int pitch,
                          bool programChange, const PreviewWait& wait) {
    if (programChange) {
        device.programChange(channel, program);
        wait(100);
    }
    device.noteOn(channel, pitch, 60);
    wait(500);
    device.noteOff(channel, pitch);
}

}  // namespace ks
