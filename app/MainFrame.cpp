#include "app/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/Accelerators.h"
#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveView.h"
#include "app/MenuTable.h"
#include "app/NoteLengthWindow.h"
#include "app/PlaybackControl.h"
#include "app/ToolBarIcons.h"
#include "app/UserInterface.h"
#include "model/TextTable.h"
#include "playback/MidiInputHandler.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// A command's prompt: the status text, then the tool tip after a line break.
QString statusPrompt(int id) {
    return text(id).section(u'\n', 0, 0);
}

QString toolTipOf(int id) {
    const QString& prompt = text(id);
    return prompt.contains(u'\n') ? prompt.section(u'\n', 1) : prompt;
}

// A maximised document window fills the area with its own title bar. Otherwise it puts
// its controls into the menu bar and writes its name into the frame's title ("... -
// [Untitled]"), where the name stays behind once the window closes; the frame's title
// is the frame's own.
class DocumentWindowStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_Workspace_FillSpaceOnMaximize) return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

CMainFrame::CMainFrame(IUserInterface& ui, QWidget* parent)
    : QMainWindow(parent),
      ui_(ui),
      mdi_(new QMdiArea(this)),
      autosaveTimer_(new QTimer(this)),
      repeatTimer_(new QTimer(this)),
      idleTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("CMainFrame"));
    setCentralWidget(mdi_);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        refreshTitle();
        updateCommandStates();
    });
    autosaveTimer_->setInterval(kAutosaveTickMs);
    connect(autosaveTimer_, &QTimer::timeout, this, &CMainFrame::autosaveTick);
    autosaveTimer_->start();
    repeatTimer_->setInterval(kButtonRepeatMs);
    connect(repeatTimer_, &QTimer::timeout, this, &CMainFrame::buttonRepeat);
    repeatTimer_->start();
    // The states of commands and panes follow the documents between user actions.
    idleTimer_->setInterval(250);
    connect(idleTimer_, &QTimer::timeout, this, &CMainFrame::updateCommandStates);
    idleTimer_->start();
}

CMainFrame::~CMainFrame() {
    // A frame destroyed while shown closes its windows on the way: the area's signals
    // would then reach a frame already half gone.
    disconnect(mdi_, nullptr, this, nullptr);
}

void CMainFrame::buildMenus() {
    for (const MenuDef& def : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(text(def.title));
        if (def.title == StringId::MenuWindow)
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { listWindows(menu); });
        if (def.title == StringId::MenuPage) pageMenu_ = menu;
        if (def.title == StringId::MenuLayout) layoutMenu_ = menu;
        if (def.title == StringId::MenuMusic) musicMenu_ = menu;
        if (def.title == StringId::MenuTrack) trackMenu_ = menu;
        QMenu* target = menu;
        for (const MenuItemDef& item : def.items) {
            if (item.command == 0) {
                target->addSeparator();
                continue;
            }
            if (item.command == -1) {
                target = menu->addMenu(text(item.label));
                continue;
            }
            if (item.command == -2) {
                target = menu;
                continue;
            }
            if (item.command == Cmd::FileMru1) {
                for (int i = 0; i < Cmd::kMruCount; ++i) {
                    QAction* recent = target->addAction(QString());
                    recent->setVisible(false);
                    recent->setStatusTip(statusPrompt(Cmd::FileMru1 + i));
                    const int id = Cmd::FileMru1 + i;
                    connect(recent, &QAction::triggered, this, [this, id] { routeCommand(id); });
                    actions_.insert(id, recent);
                    recentActions_.append(recent);
                }
                continue;
            }
            QAction* action = actions_.value(item.command);
            if (!action) {
                QString label = text(item.label);
                // A key the view handles is shown as the menu's shortcut text.
                if (const char* key = item.viewKey ? item.viewKey : item.hotKey)
                    label += QStringLiteral("\t") +
                             QKeySequence(QLatin1String(key)).toString(QKeySequence::NativeText);
                action = new QAction(label, this);
                action->setData(item.command);
                action->setStatusTip(statusPrompt(item.command));
                action->setToolTip(toolTipOf(item.command));
                if (item.shortcut) action->setShortcut(QKeySequence(QLatin1String(item.shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
                const int id = item.command;
                connect(action, &QAction::triggered, this, [this, id] { routeCommand(id); });
                actions_.insert(id, action);
                addAction(action);
            }
            target->addAction(action);
        }
    }
}

void CMainFrame::buildToolBar() {
    toolBar_ = addToolBar(text(StringId::ToolBarTitle));
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setMovable(false);
    for (int id : toolBarCommands()) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.value(id);
        if (!action) continue;
        action->setIcon(toolBarIcon(id, style()));
        toolBar_->addAction(action);
    }
}

void CMainFrame::buildStatusBar() {
    for (int i = 0; i < Pane::kCount; ++i) {
        const int id = Pane::kFirst + i;
        auto* label = new QLabel(text(id), this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->sizeHint().width());
        statusBar()->addPermanentWidget(label);
        panes_.insert(id, label);
    }
    // When no prompt is shown the status text is "Ready".
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(text(StringId::Ready));
    });
    statusBar()->showMessage(text(StringId::Ready));
}

QLabel* CMainFrame::pane(int paneId) const {
    return panes_.value(paneId);
}

void CMainFrame::addChild(CChildFrame* child) {
    if (!windowStyle_) {
        windowStyle_ = new DocumentWindowStyle;
        windowStyle_->setParent(this);
    }
    child->setStyle(windowStyle_);
    mdi_->addSubWindow(child);
    // Keys of the hot key table send their commands along the normal command path.
    child->view().sendCommand = [this](int id) { return routeCommand(id); };
    child->view().commandStateOf = [this](int id) { return routedState(id); };
    // The window's own menu would take Ctrl+W (Page Width) and other keys of ours.
    releaseProgramKeys(child);
    // The panes show where the active document's playback cursor stands.
    connect(&child->view(), &CKeystaveView::playbackCursorMoved, this, [this, child] {
        if (child == activeChild()) refreshPanes();
    });
    connect(child, &QObject::destroyed, this, [this] {
        QTimer::singleShot(0, this, [this] {
            refreshTitle();
            updateCommandStates();
        });
    });
    if (mdi_->subWindowList().size() == 1)
        child->showMaximized();
    else
        child->show();
    mdi_->setActiveSubWindow(child);
    refreshTitle();
    updateCommandStates();
}

QList<CChildFrame*> CMainFrame::children() const {
    QList<CChildFrame*> list;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(w)) list.append(child);
    return list;
}

CChildFrame* CMainFrame::activeChild() const {
    if (auto* child = qobject_cast<CChildFrame*>(mdi_->activeSubWindow())) return child;
    // Without a focused window (at start, offscreen) the last one added is the active one.
    const QList<CChildFrame*> list = children();
    return list.isEmpty() ? nullptr : list.back();
}

CKeystaveView* CMainFrame::activeView() const {
    CChildFrame* child = activeChild();
    return child ? &child->view() : nullptr;
}

bool CMainFrame::routeCommand(int id) {
    CChildFrame* child = activeChild();
    ICommandTarget* route[] = {child ? static_cast<ICommandTarget*>(&child->view()) : nullptr,
                               child, this, app_};
    for (ICommandTarget* target : route) {
        if (!target) continue;
        const std::optional<CommandState> state = target->commandState(id);
        if (!state) continue;
        if (!state->enabled) return false;
        target->runCommand(id);
        QTimer::singleShot(0, this, [this] {
            refreshTitle();
            updateCommandStates();
            // A note-length command or key changes the length the window marks.
            if (noteLengths_) noteLengths_->refresh();
        });
        return true;
    }
    return false;
}

CommandState CMainFrame::routedState(int id) {
    CChildFrame* child = activeChild();
    ICommandTarget* route[] = {child ? static_cast<ICommandTarget*>(&child->view()) : nullptr,
                               child, this, app_};
    for (ICommandTarget* target : route)
        if (target)
            if (std::optional<CommandState> state = target->commandState(id)) return *state;
    return CommandState{false};
}

void CMainFrame::updateCommandStates() {
    CChildFrame* child = activeChild();
    ICommandTarget* route[] = {child ? static_cast<ICommandTarget*>(&child->view()) : nullptr,
                               child, this, app_};
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        std::optional<CommandState> state;
        for (ICommandTarget* target : route) {
            if (target && (state = target->commandState(it.key()))) break;
        }
        QAction* action = it.value();
        // Commands that nothing handles yet are shown, but disabled.
        const CommandState s = state.value_or(CommandState{false});
        if (action->isEnabled() != s.enabled) action->setEnabled(s.enabled);
        if (action->isCheckable() != s.checkable) action->setCheckable(s.checkable);
        if (s.checkable && action->isChecked() != s.checked) action->setChecked(s.checked);
        if (!s.text.isEmpty()) {
            // A menu text with its shortcut after a tab: the shortcut is the action's own.
            const QString label =
                action->shortcut().isEmpty() ? s.text : s.text.section(u'\t', 0, 0);
            if (action->text() != label) action->setText(label);
        }
    }
    if (child) child->refreshTitle();
    refreshTitle();
    refreshPanes();
    showModeMenus();
    if (statesUpdated) statesUpdated();
}

void CMainFrame::refreshPanes() {
    CKeystaveView* view = activeView();
    for (int paneId :
         {Pane::Editing, Pane::Mode, Pane::Position, Pane::Time, Pane::Tempo, Pane::Page}) {
        QLabel* label = panes_.value(paneId);
        const QString value = view ? view->paneText(paneId) : text(paneId);
        if (label && label->text() != value) label->setText(value);
    }
}

void CMainFrame::setPlayback(PlaybackControl* playback) {
    playback_ = playback;
    connect(playback, &PlaybackControl::playbackEnded, this, &CMainFrame::playbackEnded);
    connect(playback, &PlaybackControl::midiInputArrived, this, &CMainFrame::midiInputArrived);
}

void CMainFrame::playbackEnded() {
    updateCommandStates();
}

void CMainFrame::midiInputArrived() {
    if (!playback_) return;
    if (CKeystaveView* view = activeView())
        view->midiInputArrived();
    else
        handleMidiInput(playback_->midiInput(), playback_->device(), nullptr);
}

void CMainFrame::listWindows(QMenu* menu) {
    for (QAction* old : windowActions_) {
        menu->removeAction(old);
        old->deleteLater();
    }
    windowActions_.clear();
    const QList<CChildFrame*> list = children();
    if (list.isEmpty()) return;
    windowActions_.append(menu->addSeparator());
    CChildFrame* active = activeChild();
    for (int i = 0; i < list.size(); ++i) {
        CChildFrame* child = list[i];
        QAction* item =
            menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(child->document().title()));
        item->setStatusTip(statusPrompt(StringId::SwitchToWindow));
        item->setCheckable(true);
        item->setChecked(child == active);
        QPointer<CChildFrame> target(child);
        connect(item, &QAction::triggered, this, [this, target] {
            if (target) mdi_->setActiveSubWindow(target);
        });
        windowActions_.append(item);
    }
}

void CMainFrame::showModeMenus() {
    CKeystaveView* view = activeView();
    const int mode = view ? view->viewMode() : 0;
    if (pageMenu_) pageMenu_->menuAction()->setVisible(mode == ViewMode::Page);
    if (layoutMenu_) layoutMenu_->menuAction()->setVisible(mode == ViewMode::Layout);
    if (musicMenu_) musicMenu_->menuAction()->setVisible(mode == ViewMode::Music);
    if (trackMenu_) trackMenu_->menuAction()->setVisible(mode == ViewMode::TrackSelect);
    // The note-length window belongs to Music mode.
    if (noteLengths_ && noteLengths_->isVisible() && mode != ViewMode::Music) noteLengths_->hide();
    if (noteLengths_) noteLengths_->refresh();
}

void CMainFrame::setRecentFiles(const QStringList& paths) {
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* action = recentActions_[i];
        if (i < paths.size()) {
            action->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(paths[i]).fileName()));
            action->setData(paths[i]);
            action->setVisible(true);
        } else {
            action->setVisible(false);
            action->setData(QVariant());
        }
    }
}

void CMainFrame::setBaseTitle(const QString& title) {
    baseTitle_ = title;
    refreshTitle();
}

void CMainFrame::refreshTitle() {
    QString title = baseTitle_;
    CChildFrame* child = activeChild();
    if (child) title += QStringLiteral(" - ") + child->document().title();
    // "[*]" shows the active document's modified mark.
    title += QStringLiteral("[*]");
    if (windowTitle() != title) setWindowTitle(title);
    setWindowModified(child && child->document().isModified());
}

std::optional<CommandState> CMainFrame::commandState(int id) {
    switch (id) {
        case Cmd::ViewToolBar:
            return CommandState{true, toolBar_->isVisible(), true};
        case Cmd::ViewStatusBar:
            return CommandState{true, statusBar()->isVisible(), true};
        case Cmd::WindowCascade:
        case Cmd::WindowTile:
        case Cmd::WindowArrange:
            return CommandState{!mdi_->subWindowList().isEmpty()};
        case Cmd::NotePanel: {
            const CKeystaveView* view = activeView();
            const bool music = view && view->viewMode() == ViewMode::Music;
            return CommandState{music, noteLengths_ && noteLengths_->isVisible(), true};
        }
        default:
            return std::nullopt;
    }
}

void CMainFrame::runCommand(int id) {
    switch (id) {
        case Cmd::ViewToolBar:
            toolBar_->setVisible(!toolBar_->isVisible());
            break;
        case Cmd::ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            break;
        case Cmd::WindowCascade:
            mdi_->cascadeSubWindows();
            break;
        case Cmd::NotePanel:
            if (!noteLengths_) {
                noteLengths_ = new CNoteLengthWindow(this);
                noteLengths_->lengthChosen = [this](int) {
                    if (CKeystaveView* view = activeView()) view->viewport()->setFocus();
                };
                noteLengths_->insertRequested = [this] {
                    routeCommand(Cmd::InsertNote);
                    if (CKeystaveView* view = activeView()) view->viewport()->setFocus();
                };
            }
            noteLengths_->setVisible(!noteLengths_->isVisible());
            noteLengths_->refresh();
            break;
        case Cmd::WindowTile:
            mdi_->tileSubWindows();
            break;
        case Cmd::WindowArrange:
            // Minimised windows line up along the bottom edge.
            mdi_->tileSubWindows();
            break;
        default:
            break;
    }
}

void CMainFrame::autosaveTick() {
    for (CChildFrame* child : children())
        child->autosaveTick();
}

void CMainFrame::buttonRepeat() {
    // While the left button holds Rewind or Fast forward down, the playback cursor
    // steps back or forward: the command 38 below the button's.
    if (!(QApplication::mouseButtons() & Qt::LeftButton) || !toolBar_) return;
    const QPoint at = toolBar_->mapFromGlobal(QCursor::pos());
    auto* button = qobject_cast<QToolButton*>(toolBar_->childAt(at));
    if (!button || !button->defaultAction()) return;
    const int id = button->defaultAction()->data().toInt();
    if (id == Cmd::Rewind || id == Cmd::FastForward) routeCommand(id - 38);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Playback stops and both timers end before the documents close.
    if (playback_) playback_->stop();
    for (CChildFrame* child : children()) {
        if (!child->close()) {
            event->ignore();
            return;
        }
    }
    autosaveTimer_->stop();
    repeatTimer_->stop();
    idleTimer_->stop();
    event->accept();
    if (closed) closed();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls)
        if (url.isLocalFile() && fileDropped) fileDropped(url.toLocalFile());
}

}  // namespace ks
