// CMainFrame: the main window with the multiple-document area, menus, toolbar and
// status bar. It owns one action per command id and sends each command to the first
// target that handles it: the active view, its document, this frame, the application.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

#include "app/CommandTarget.h"

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QStyle;
class QTimer;
class QToolBar;

namespace ks {

class CChildFrame;
class CKeystaveView;
class CNoteLengthWindow;
class IUserInterface;
class PlaybackControl;

class CMainFrame : public QMainWindow, public ICommandTarget {
    Q_OBJECT
  public:
    static constexpr int kAutosaveTickMs = 30000;
    static constexpr int kButtonRepeatMs = 300;

    CMainFrame(IUserInterface& ui, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The next target after the frame (the application).
    void setApplicationTarget(ICommandTarget* app) { app_ = app; }
    // Playback: the frame hands the MIDI keyboard's messages to the active view, follows
    // the end of playback in the command states, and stops playback when it closes.
    void setPlayback(PlaybackControl* playback);

    QMdiArea* mdiArea() const { return mdi_; }
    void addChild(CChildFrame* child);
    QList<CChildFrame*> children() const;
    CChildFrame* activeChild() const;
    CKeystaveView* activeView() const;

    QAction* action(int id) const { return actions_.value(id); }
    // Sends a command along the route; false when no target took it or it is disabled.
    bool routeCommand(int id);
    // The state of a command from the first target that handles it; disabled when none does.
    CommandState routedState(int id);
    // Enabled, checked state and menu texts of every action, and the status panes.
    void updateCommandStates();
    QLabel* pane(int paneId) const;
    // The note-length window, once opened (null before).
    CNoteLengthWindow* noteLengthWindow() const { return noteLengths_; }
    // The status panes the active view fills.
    void refreshPanes();

    // The recent-file entries of the File menu.
    void setRecentFiles(const QStringList& paths);

    // The base of the frame's title ("Halvern Keystaves 4.0.0").
    void setBaseTitle(const QString& title);

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    // Called for each file dropped on the window.
    std::function<void(const QString&)> fileDropped;
    // Called after every refresh of the command states (between user actions).
    std::function<void()> statesUpdated;
    // Called when the frame has closed (all documents closed).
    std::function<void()> closed;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void refreshTitle();
    void autosaveTick();
    void buttonRepeat();
    void showModeMenus();
    void playbackEnded();
    void midiInputArrived();
    // The Window menu lists the open documents after its commands.
    void listWindows(QMenu* menu);

    IUserInterface& ui_;
    ICommandTarget* app_ = nullptr;
    PlaybackControl* playback_ = nullptr;
    QMdiArea* mdi_;
    QHash<int, QAction*> actions_;
    QList<QAction*> recentActions_;
    QList<QAction*> windowActions_;
    QMenu* pageMenu_ = nullptr;
    QMenu* layoutMenu_ = nullptr;
    QMenu* musicMenu_ = nullptr;
    QMenu* trackMenu_ = nullptr;
    CNoteLengthWindow* noteLengths_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QHash<int, QLabel*> panes_;
    QTimer* autosaveTimer_;
    QTimer* repeatTimer_;
    QTimer* idleTimer_;
    QString baseTitle_;
    QStyle* windowStyle_ = nullptr;  // the document windows' style
};

}  // namespace ks
