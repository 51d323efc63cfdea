// PlaybackControl: the editor's side of playback and of the MIDI keyboard. One object for
// the whole program owns the MIDI output device, the playback engine and the MIDI input;
// it starts and stops playback for the document windows and brings what the engine, the
// device and the input report on their own threads over to the user-interface thread.
#pragma once

#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "playback/MidiInput.h"
#include "playback/PlayBackEngine.h"
#include "render/draw/PlaybackOverlay.h"

namespace ks {

class CPlayDevice;
class CScore;
class IUserInterface;

struct PlaybackOptions {
    // The output device; null: the MIDI output (the built-in synthesizer first), opened
    // when the object is made.
    CPlayDevice* device = nullptr;
    // Manual: nothing ticks until the engine's tick() is called (tests).
    CPlayBackEngine::Clock clock = CPlayBackEngine::Clock::Timer;
    // Opens a MIDI input device; unset: the machine's MIDI input ports.
    CMidiInput::PortOpener inputOpener;
    // The names of the MIDI input and output devices; unset: the machine's.
    std::function<QStringList()> inputNames;
    std::function<QStringList()> outputNames;
};

class PlaybackControl : public QObject {
    Q_OBJECT
  public:
    explicit PlaybackControl(IUserInterface& ui, PlaybackOptions options = {},
                             QObject* parent = nullptr);
    ~PlaybackControl() override;

    CPlayDevice& device() { return *device_; }
    CPlayBackEngine& engine() { return *engine_; }
    CMidiInput& midiInput() { return input_; }
    IUserInterface& ui() { return ui_; }

    // Plays `score` from its playback cursor; a cursor at the end of the performance
    // starts again from the beginning. False when nothing plays (no part shows a track).
    bool play(CScore& score, const PlayRequest& request);
    // Plays again with the request of the last play (after the cursor was moved).
    bool resume(CScore& score);
    // Stops when `score` is playing, or whatever plays when no score is given. True when
    // something was playing.
    bool stop(const CScore* score = nullptr);
    bool isPlaying(const CScore* score) const;
    // The notes sounding now, as the engine lists them.
    std::vector<SoundingHead> soundingHeads() const;

    // Start-up: read the three MIDI input settings, open the input device when enabled
    // and start listening. Exit: store the settings and close the input.
    void startMidiInput();
    void stopMidiInput();
    // A view entered Music mode: the input's ring is emptied and the input listens.
    void listenToMidiInput();
    // Close the input, then open it again with its device, empty its ring and start it
    // (when input is enabled).
    void reopenMidiInput();

    QStringList inputDeviceNames() const;
    // Whether the machine has a MIDI system at all (else no device can ever be listed).
    bool midiSystemFound() const;
    QStringList outputDeviceNames() const;

    // While set, the input's messages go here (the device chooser's monitor) instead of
    // to the views.
    std::function<void()> inputMonitor;

  signals:
    // Emitted on the user-interface thread, for the playback running now only. A position
    // may arrive after its playback has ended: followers check that the score still plays.
    void positionReached(const ks::CScore* score, int playTime);
    void playbackEnded(const ks::CScore* score);
    // The MIDI input has received messages; whoever takes them drains the input's ring.
    void midiInputArrived();

  private:
    void reportError(const QString& title, const QString& message);
    void deliverPosition(unsigned run, const CScore* score);

    IUserInterface& ui_;
    PlaybackOptions options_;
    std::unique_ptr<CPlayDevice> ownDevice_;
    CPlayDevice* device_ = nullptr;
    std::unique_ptr<CPlayBackEngine> engine_;
    CMidiInput input_;
    PlayRequest lastRequest_;

    // Only the positions of the current run are followed; a position waiting to be
    // delivered is replaced by a newer one rather than queued behind it.
    unsigned run_ = 0;
    std::atomic<int32_t> latestPosition_{0};
    std::atomic<bool> positionPosted_{false};
    // One error box at a time: a device that fails on every event does not stack boxes.
    std::atomic<bool> errorShown_{false};
};

}  // namespace ks
