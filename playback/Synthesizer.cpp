#include "Synthesizer.h"

#include <fluidsynth.h>

#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>
#include <mutex>

#include "MidiPorts.h"
#include "PlaybackStrings.h"
#include "model/TextTable.h"

namespace ks {

namespace {

Q_LOGGING_CATEGORY(lcSynth, "keystaves.synth", QtWarningMsg)

// FluidSynth reports every audio driver it cannot open; the caller reports the outcome
// once, so its own lines only go to the debug log.
void logToDebug(int level, const char* message, void*) {
    qCDebug(lcSynth) << level << message;
}

void quietLogging() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, &logToDebug, nullptr);
    });
}

void collectOption(void* data, const char*, const char* option) {
    static_cast<QStringList*>(data)->append(QString::fromUtf8(option));
}

}  // namespace

QString Synthesizer::defaultSoundFont() {
    const QString chosen = qEnvironmentVariable("KEYSTAVES_SOUNDFONT");
    if (!chosen.isEmpty()) return QFileInfo::exists(chosen) ? chosen : QString();
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"}) {
        if (QFileInfo::exists(QString::fromLatin1(path))) return QString::fromLatin1(path);
    }
    return {};
}

std::unique_ptr<Synthesizer> Synthesizer::create(const SynthOptions& options, QString& error) {
    quietLogging();
    std::unique_ptr<Synthesizer> s(new Synthesizer);
    s->sampleRate_ = options.sampleRate;
    s->settings_ = new_fluid_settings();
    if (!s->settings_) {
        error = text(PlaybackString::SynthesizerFailed);
        return nullptr;
    }
    fluid_settings_setnum(s->settings_, "synth.sample-rate", options.sampleRate);
    fluid_settings_setnum(s->settings_, "synth.gain", options.gain);
    fluid_settings_setint(s->settings_, "synth.reverb.active", options.reverb ? 1 : 0);
    fluid_settings_setint(s->settings_, "synth.chorus.active", options.chorus ? 1 : 0);
    s->synth_ = new_fluid_synth(s->settings_);
    if (!s->synth_) {
        error = text(PlaybackString::SynthesizerFailed);
        return nullptr;
    }
    const QString font = options.soundFont.isEmpty() ? defaultSoundFont() : options.soundFont;
    if (font.isEmpty() ||
        fluid_synth_sfload(s->synth_, QFileInfo(font).absoluteFilePath().toLocal8Bit().constData(),
                           1) == FLUID_FAILED) {
        error = text(PlaybackString::SoundFontNotLoaded);
        return nullptr;
    }
    return s;
}

Synthesizer::~Synthesizer() {
    if (driver_) delete_fluid_audio_driver(driver_);
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

bool Synthesizer::startAudio() {
    if (driver_) return true;
    QStringList available;
    fluid_settings_foreach_option(settings_, "audio.driver", &available, &collectOption);
    char* preferred = nullptr;
    QStringList order;
    if (fluid_settings_dupstr(settings_, "audio.driver", &preferred) == FLUID_OK && preferred) {
        order << QString::fromUtf8(preferred);
        fluid_free(preferred);
    }
    order << QStringLiteral("pulseaudio") << QStringLiteral("pipewire") << QStringLiteral("alsa")
          << QStringLiteral("coreaudio") << QStringLiteral("wasapi") << QStringLiteral("dsound")
          << QStringLiteral("sdl2") << QStringLiteral("oss") << QStringLiteral("jack");
    order.removeDuplicates();
    for (const QString& name : order) {
        if (!available.contains(name)) continue;
        // FluidSynth's JACK driver would start a JACK server of its own: it is only used
        // when one is running already.
        if (name == u"jack" && midiports::system() != midiports::System::Jack) continue;
        fluid_settings_setstr(settings_, "audio.driver", name.toUtf8().constData());
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_) return true;
    }
    return false;
}

bool Synthesizer::send(const uint8_t* bytes, int count, QString&) {
    if (count < 1) return true;
    const int channel = bytes[0] & 0x0F;
    const int d1 = count > 1 ? bytes[1] : 0;
    const int d2 = count > 2 ? bytes[2] : 0;
    switch (bytes[0] & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, d1);
            break;
        case 0x90:
            if (d2 == 0)
                fluid_synth_noteoff(synth_, channel, d1);
            else
                fluid_synth_noteon(synth_, channel, d1, d2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, d1, d2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, d1, d2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, d1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, d1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, d1 | d2 << 7);
            break;
        default:
            break;
    }
    return true;
}

void Synthesizer::render(float* left, float* right, int frames) {
    fluid_synth_write_float(synth_, frames, left, 0, 1, right, 0, 1);
}

}  // namespace ks
