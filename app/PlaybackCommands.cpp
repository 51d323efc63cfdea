// The playback commands of a document window: Play (and Tab), Pause, Stop, Solo, the
// MIDI Settings dialog and the MIDI input device chooser.
#include <QDialog>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/MidiDeviceDialog.h"
#include "app/MidiSettingsDialog.h"
#include "app/PlaybackControl.h"
#include "app/PlaybackTextIds.h"
#include "model/TextTable.h"
#include "playback/PlayDevice.h"
#include "storage/KeystaveDoc.h"

namespace ks {

void CChildFrame::setPlayback(PlaybackControl* playback) {
    playback_ = playback;
    view_->setPlayback(playback);
    if (!playback) return;
    // The view follows the playback of its own document.
    connect(playback, &PlaybackControl::positionReached, this,
            [this](const CScore* score, int playTime) {
                if (score == &doc_->score()) view_->followPlayback(playTime);
            });
    connect(playback, &PlaybackControl::playbackEnded, this, [this](const CScore* score) {
        if (score == &doc_->score()) view_->refreshPlaybackOverlay();
    });
}

bool CChildFrame::isPlaying() const {
    return playback_ && playback_->isPlaying(&doc_->score());
}

void CChildFrame::stopPlayback() {
    if (!playback_ || !playback_->stop(&doc_->score())) return;
    if (view_) view_->refreshPlaybackOverlay();
}

void CChildFrame::play() {
    if (!playback_) return;
    CScore& score = doc_->score();
    if (playback_->play(score, PlayRequest{.solo = solo_, .currentPart = score.selection.hand}))
        view_->refreshPlaybackOverlay();
}

void CChildFrame::togglePlayback() {
    if (isPlaying())
        stopPlayback();
    else
        play();
}

std::optional<CommandState> CChildFrame::playbackCommandState(int id) const {
    const bool available = playback_ != nullptr;
    switch (id) {
        case Cmd::Play:
            return CommandState{available && !isPlaying()};
        case Cmd::Pause:
        case Cmd::Stop:
            return CommandState{isPlaying()};
        case Cmd::Solo:
            return CommandState{available, solo_, true};
        case Cmd::MidiSettings:
        case Cmd::MidiInputSettings:
            return CommandState{available};
        default:
            return std::nullopt;
    }
}

bool CChildFrame::runPlaybackCommand(int id) {
    switch (id) {
        case Cmd::Play:
            play();
            return true;
        case Cmd::Pause:
        case Cmd::Stop:
            stopPlayback();
            return true;
        case Cmd::Solo:
            solo_ = !solo_;
            return true;
        case Cmd::MidiSettings:
            midiSettings();
            return true;
        case Cmd::MidiInputSettings:
            chooseMidiInputDevice();
            return true;
        default:
            return false;
    }
}

void CChildFrame::midiSettings() {
    if (!playback_) return;
    stopPlayback();
    CMidiInput& input = playback_->midiInput();
    if (input.isOpen()) input.Stop();
    // The tempo lives in the tempo track as well as in the settings: the step holds both.
    const bool recorded = doc_->history().Push(text(PlaybackText::SettingsStep), UndoKind::Score);
    CMidiSettingsDlg dialog(*playback_, doc_->score(), this);
    if (dialog.exec() == QDialog::Accepted) {
        playback_->device().SetDevice(doc_->score().midi.device);
        relayout();
        view_->refreshPlaybackOverlay();
    } else if (recorded) {
        doc_->history().DiscardLast();
    }
    // The keyboard opens again with the device that may have been chosen.
    if (input.enabled) playback_->reopenMidiInput();
}

void CChildFrame::chooseMidiInputDevice() {
    if (!playback_) return;
    CMidiDeviceDlg chooser(*playback_, this);
    chooser.exec();
    playback_->reopenMidiInput();
}

}  // namespace ks
