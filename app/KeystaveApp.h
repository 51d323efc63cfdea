// CKeystaveApp: the editor's application object. It keeps one copy running, creates the
// main frame, runs the start-up chores in order, owns New, Open and the recent files,
// and tidies up at exit.
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/AppSettings.h"
#include "app/CommandTarget.h"
#include "app/PlaybackControl.h"

namespace ks {

class BritishQtTexts;
class CChildFrame;
class CFileFinderDialog;
class CMainFrame;
class DialogTitleFitter;
class HelpSystem;
class SiteCheck;
class UpdateChecker;
class IUserInterface;
class SingleInstance;
class StorageSession;

// Steps of start-up and exit whose work belongs to other parts of the editor. Each
// does nothing when not set.
struct StartupHooks {
    // Shows the help pane with its current page (`ShowHelp` was "true").
    std::function<void()> showHelpPane;
    // Shows a page of the manual in the help pane ("CREDITS.HTM" after the About box).
    std::function<void(const QString& page)> showHelpPage;
    // The silent version check; true when it started the updater, which ends the editor.
    std::function<bool()> silentVersionCheck;
    // Puts the desktop icon back where it was before an update.
    std::function<void()> restoreDesktopIcon;
    // Whether the help pane is shown, for `ShowHelp` at exit; unset keeps the value read.
    std::function<bool()> helpPaneShown;
};

struct AppOptions {
    QString instanceName;    // the single-instance socket; empty = the default name
    bool splash = true;      // the About box as a splash window at start
    bool showWindow = true;  // show the main frame (maximised)
    int64_t now = 0;         // seconds since 1970 for the feedback prompt; 0 = the clock
    // The output device and the MIDI system playback uses.
    PlaybackOptions playback;
    // The silent version check at start-up (web access permitting).
    bool versionCheckAtStart = true;
};

class CKeystaveApp : public QObject, public ICommandTarget {
    Q_OBJECT
  public:
    static constexpr int kMaxDocuments = 25;

    CKeystaveApp(IUserInterface& ui, AppOptions options = {});
    ~CKeystaveApp() override;

    StartupHooks hooks;

    // Start-up with the program's arguments (without the program name). False when the
    // editor should end: another copy took the file, or a start-up step asked for it.
    bool start(const QStringList& arguments);
    // The exit chores, once.
    void shutdown();

    CMainFrame* frame() const { return frame_.get(); }
    PlaybackControl* playback() const { return playback_.get(); }
    // The help pane, its search and context help (owned by the frame).
    HelpSystem* help() const { return help_; }
    StorageSession& session() { return *session_; }
    int documentCount() const;

    // File New and File Open with their limits and messages.
    CChildFrame* newDocument();
    void openWithDialog();
    // File Import: a MIDI file through its own Open dialog.
    void importMidiWithDialog();
    void importMusicXmlWithDialog();
    // Opens a file as a document (the command line, a dropped file, a recent file, a
    // second copy's file). A file that is open already is brought to the front.
    CChildFrame* openDocumentFile(const QString& path);
    CChildFrame* openRecovered(const QString& autosavePath);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    const RecentFiles& recentFiles() const { return recent_; }
    // Whether the first start is still asking the site for its welcome page.
    bool welcomePageCheckPending() const;
    // The version check behind start-up and "Check For Updates".
    UpdateChecker& updates() { return *updates_; }

  private:
    CChildFrame* createChild();
    void addRecentFile(const QString& path);
    void bringForward();
    void firstRun();
    void feedbackPrompt();
    void openSitePage(const QString& page);
    void showAbout();
    // The file finder: one window, brought forward when open already.
    void showFileFinder();

    IUserInterface& ui_;
    AppOptions options_;
    std::unique_ptr<StorageSession> session_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<PlaybackControl> playback_;
    std::unique_ptr<CMainFrame> frame_;
    RecentFiles recent_;
    std::unique_ptr<SiteCheck> welcomeCheck_;
    std::unique_ptr<UpdateChecker> updates_;
    std::unique_ptr<DialogTitleFitter> titleFitter_;
    std::unique_ptr<BritishQtTexts> qtTexts_;
    bool shutDown_ = false;
    QPointer<CFileFinderDialog> finder_;
    HelpSystem* help_ = nullptr;  // a child of the frame
};

}  // namespace ks
