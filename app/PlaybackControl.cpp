#include "app/PlaybackControl.h"

#include <QMetaObject>

#include "app/AppTextIds.h"
#include "app/UserInterface.h"
#include "model/Score.h"
#include "model/TextTable.h"
#include "playback/MidiPorts.h"
#include "playback/PlayDeviceMidi.h"

namespace ks {

PlaybackControl::PlaybackControl(IUserInterface& ui, PlaybackOptions options, QObject* parent)
    : QObject(parent), ui_(ui), options_(std::move(options)) {
    device_ = options_.device;
    if (!device_) {
        ownDevice_ = std::make_unique<CPlayDeviceMidi>();
        device_ = ownDevice_.get();
    }
    device_->setErrorReporter(
        [this](const QString& message) { reportError(text(StringId::ApplicationTitle), message); });
    // The output opens when the program starts (the built-in synthesizer by default).
    if (ownDevice_) device_->Open();
    engine_ = std::make_unique<CPlayBackEngine>(*device_, options_.clock);

    if (options_.inputOpener) input_.setPortOpener(options_.inputOpener);
    input_.setErrorReporter(
        [this](const QString& title, const QString& message) { reportError(title, message); });
    // Called on the MIDI system's thread once per message stored in the ring.
    input_.setNotify([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (inputMonitor)
                    inputMonitor();
                else
                    emit midiInputArrived();
            },
            Qt::QueuedConnection);
    });
}

PlaybackControl::~PlaybackControl() {
    engine_->Stop(nullptr);
    engine_.reset();
    input_.Close();
    device_->setErrorReporter({});
}

void PlaybackControl::reportError(const QString& title, const QString& message) {
    if (errorShown_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this, title, message] {
            ui_.showError(title, message);
            errorShown_ = false;
        },
        Qt::QueuedConnection);
}

bool PlaybackControl::play(CScore& score, const PlayRequest& request) {
    // Stopping first also ends the engine's threads, so the callbacks below are not in use.
    engine_->Stop(nullptr);
    if (score.playbackCursor < 0 ||
        score.playbackCursor >= score.playbackMap.ScoreToPlay(score.length))
        score.playbackCursor = 0;
    const unsigned run = ++run_;
    positionPosted_ = false;
    const CScore* playing = &score;
    engine_->setPositionCallback([this, run, playing](int32_t playTime, int32_t) {
        latestPosition_.store(playTime);
        if (positionPosted_.exchange(true)) return;
        QMetaObject::invokeMethod(
            this, [this, run, playing] { deliverPosition(run, playing); }, Qt::QueuedConnection);
    });
    engine_->setFinishedCallback([this, run, playing] {
        QMetaObject::invokeMethod(
            this,
            [this, run, playing] {
                if (run == run_) emit playbackEnded(playing);
            },
            Qt::QueuedConnection);
    });
    lastRequest_ = request;
    return engine_->Start(score, score.playbackCursor, request);
}

bool PlaybackControl::resume(CScore& score) {
    return play(score, lastRequest_);
}

void PlaybackControl::deliverPosition(unsigned run, const CScore* score) {
    positionPosted_ = false;
    if (run == run_) emit positionReached(score, latestPosition_.load());
}

bool PlaybackControl::stop(const CScore* score) {
    const bool playing = score ? engine_->IsPlaying(score) : false;
    engine_->Stop(score);
    return playing;
}

bool PlaybackControl::isPlaying(const CScore* score) const {
    return engine_->IsPlaying(score);
}

std::vector<SoundingHead> PlaybackControl::soundingHeads() const {
    std::vector<SoundingHead> heads;
    for (const CPlayBackEvent& e : engine_->sounding().snapshot())
        if (e.duration > 0) heads.push_back({e.scoreTime, e.trackIndex, e.pitch});
    return heads;
}

void PlaybackControl::startMidiInput() {
    const std::unique_ptr<QSettings> settings = MidiInputSettings::store();
    input_.applySettings(MidiInputSettings::read(*settings));
    input_.Open();
    input_.Start();
}

void PlaybackControl::stopMidiInput() {
    const std::unique_ptr<QSettings> settings = MidiInputSettings::store();
    input_.currentSettings().write(*settings);
    settings->sync();
    input_.Close();
}

void PlaybackControl::listenToMidiInput() {
    if (input_.isOpen()) input_.Start();
}

void PlaybackControl::reopenMidiInput() {
    input_.Close();
    if (!input_.enabled) return;
    input_.Open();
    input_.Start();
}

QStringList PlaybackControl::inputDeviceNames() const {
    return options_.inputNames ? options_.inputNames() : CMidiInput::deviceNames();
}

bool PlaybackControl::midiSystemFound() const {
    return options_.inputNames || midiports::system() != midiports::System::None;
}

QStringList PlaybackControl::outputDeviceNames() const {
    return options_.outputNames ? options_.outputNames() : CPlayDeviceMidi::deviceNames();
}

}  // namespace ks
