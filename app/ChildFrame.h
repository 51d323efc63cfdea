// CChildFrame: the window of one open document inside the main frame. It owns the
// document and its view and handles the document's commands (save, undo, settings).
#pragma once

#include <QMdiSubWindow>
#include <functional>
#include <memory>

#include "app/CommandTarget.h"

namespace ks {

class CDocumentOutput;
class CKeystaveDoc;
class CKeystaveView;
class CScoreEditCommands;
class IOutputDialogs;
class QtOutputDialogs;
class IUserInterface;
class PlaybackControl;
class StorageSession;

class CChildFrame : public QMdiSubWindow, public ICommandTarget {
    Q_OBJECT
  public:
    CChildFrame(StorageSession& session, IUserInterface& ui, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CKeystaveDoc& document() { return *doc_; }
    // Replaces the wait for the library's registration after an upload (tests); it
    // returns a CUploadWaitDialog::Ending.
    std::function<int(const QString& address)> uploadWait;
    CKeystaveView& view() { return *view_; }

    void newDocument();
    bool openDocument(const QString& path);
    bool openRecovered(const QString& autosavePath);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    // The playback every document window shares; null: no playback.
    void setPlayback(PlaybackControl* playback);
    // Stops this document's playback (before edits, dialogs, export and printing).
    void stopPlayback();
    bool isPlaying() const;
    bool solo() const { return solo_; }

    // Lays the document out again and refreshes the view (after a settings change).
    void relayout();
    // Title and modified mark of the window.
    void refreshTitle();
    // One 30-second tick of the autosave timer.
    void autosaveTick();

    // Printing and export; its dialogs can be replaced (tests answer from a script).
    CDocumentOutput& output() { return *output_; }
    void setOutputDialogs(IOutputDialogs& dialogs);
    // The score commands (bars, tracks, transposing, settings); tests replace their dialogs.
    CScoreEditCommands& scoreCommands() { return *scoreCommands_; }

    // Called with the document's new path after it was opened or saved under a name.
    std::function<void(const QString&)> pathChanged;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool save();
    bool saveAs();
    // Asks whether to save a modified document; false when the user cancelled.
    bool saveModified();
    void useDefaultSettings();
    void saveSettingsAsDefault();
    void removeSavedSettings();
    void setPaperColour();
    void displaySettings();
    void exportMidi();
    void exportMusicXml();
    // Play, Pause, Stop, Solo, MIDI Settings and MIDI input (PlaybackCommands.cpp).
    std::optional<CommandState> playbackCommandState(int id) const;
    bool runPlaybackCommand(int id);
    void play();
    void togglePlayback();
    void midiSettings();
    void chooseMidiInputDevice();

    IUserInterface& ui_;
    std::unique_ptr<CKeystaveDoc> doc_;
    CKeystaveView* view_ = nullptr;
    std::unique_ptr<QtOutputDialogs> outputDialogs_;
    std::unique_ptr<CDocumentOutput> output_;
    std::unique_ptr<CScoreEditCommands> scoreCommands_;
    PlaybackControl* playback_ = nullptr;
    bool solo_ = false;  // play only the part holding the editing cursor
    bool closing_ = false;
};

}  // namespace ks
