#include "app/help/HelpSystem.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/ViewModeRules.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/help/ContextPages.h"
#include "app/help/HelpBrowser.h"
#include "app/help/HelpPages.h"
#include "app/help/HelpSearchDialog.h"
#include "app/help/HelpTextIds.h"
#include "model/TextTable.h"
#include "model/Selection.h"
#include "storage/KeystaveDoc.h"

namespace ks {

namespace {

// The dialog's page property marks a dialog whose page was set on showing it.
constexpr const char* kContextSet = "ksHelpContextSet";

// A text of the table, or empty where it has none.
QString moduleText(int id) {
    const QString& value = text(id);
    return value == QLatin1String(TextTable::kFallback) ? QString() : value;
}

}  // namespace

HelpSystem::HelpSystem(CMainFrame& frame) : QObject(&frame), frame_(frame) {
    state_.showRequested = [this](const QString& name, bool open) { display(name, open); };
    if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(this);
}

HelpSystem::~HelpSystem() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
}

void HelpSystem::buildIndex(HelpIndex& index) {
    index.build(helpPageNames(), loadHelpPage);
    for (int i = 0; i < static_cast<int>(index.pages().size()); ++i) {
        const QString keywords = moduleText(HelpTextId::FirstPageKeywords + i);
        index.addTranslation(i, moduleText(HelpTextId::FirstPageTitle + i),
                             keywords.isEmpty() ? QStringList() : keywords.split(u','));
    }
}

bool HelpSystem::paneShown() const {
    // Shown as the user left it, whether or not the frame itself is on screen.
    return pane_ && !pane_->isHidden();
}

void HelpSystem::ensurePane() {
    if (pane_) return;
    pane_ = new CHelpBrowser(&frame_);
    pane_->setVisible(false);
    frame_.addDockWidget(Qt::RightDockWidgetArea, pane_);
    pane_->searchRequested = [this] { openSearch(); };
    pane_->contentsRequested = [this] { showPage(QLatin1String(kDynamicHelpPage)); };
    connect(pane_, &QDockWidget::visibilityChanged, this, [this] {
        state_.setShown(!pane_->isHidden());
    });
}

void HelpSystem::display(const QString& name, bool open) {
    ensurePane();
    if (open && pane_->isHidden()) pane_->show();
    state_.setShown(!pane_->isHidden());
    pane_->navigate(name);
}

void HelpSystem::showPane() {
    state_.showPage(QString());
}

void HelpSystem::showPage(const QString& name) {
    state_.showPage(name);
}

void HelpSystem::openSearch() {
    if (!search_) {
        search_ = new CHelpSearchDialog(index_, &HelpSystem::buildIndex, &frame_);
        search_->pageChosen = [this](const QString& page) { showPage(page); };
    }
    showPage(QLatin1String(kHelpSearchPage));
    search_->show();
    search_->raise();
    search_->activateWindow();
}

void HelpSystem::watchView(CKeystaveView& view) {
    view.helpPageRequested = [this](const QString& page) { state_.setContextPage(page); };
}

void HelpSystem::followActiveView() {
    CChildFrame* child = frame_.activeChild();
    if (!child) return;
    CKeystaveView* view = &child->view();
    const int mode = child->document().score().selection.mode;
    if (view != followedView_) {
        // Another document window: its mode's page, and its editing mode from now on.
        followedView_ = view;
        followedEditMode_ = mode;
        state_.setContextPage(helpPageFor(view->viewMode()));
        return;
    }
    if (mode == followedEditMode_) return;
    const QString page = view->viewMode() == ViewMode::Music
                             ? editModeHelpPage(followedEditMode_, mode)
                             : QString();
    followedEditMode_ = mode;
    state_.setContextPage(page);
}

std::optional<CommandState> HelpSystem::commandState(int id) {
    switch (id) {
        case Cmd::HelpIndex:
        case Cmd::HelpMainPage:
        case Cmd::HelpSearch:
            return CommandState{};
        case Cmd::DynamicHelp:
            return CommandState{true, state_.dynamic(), true};
        default:
            return std::nullopt;
    }
}

void HelpSystem::runCommand(int id) {
    switch (id) {
        case Cmd::HelpIndex:
            // F1: the page of what the user is doing.
            showPane();
            break;
        case Cmd::HelpMainPage:
            showPage(QLatin1String(kDynamicHelpPage));
            break;
        case Cmd::HelpSearch:
            openSearch();
            break;
        case Cmd::DynamicHelp:
            state_.setDynamic(!state_.dynamic());
            frame_.update();
            break;
        default:
            break;
    }
}

bool HelpSystem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // F1 in a dialog shows the page of that dialog: the frame's key does not reach
        // other windows. Keys go to the dialog's focused control, so go by its window.
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* window = widget ? qobject_cast<QDialog*>(widget->window()) : nullptr;
        if (window && window != search_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            showPane();
            return true;
        }
        return false;
    }
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog) return false;
    switch (event->type()) {
        case QEvent::Show: {
            if (dialog->property(kContextSet).toBool()) break;
            const QString page = dialogHelpPage(dialog->metaObject()->className());
            if (page.isEmpty()) break;
            dialog->setProperty(kContextSet, true);
            state_.setContextPage(page);
            break;
        }
        case QEvent::Hide:
            if (!dialog->property(kContextSet).toBool()) break;
            dialog->setProperty(kContextSet, false);
            state_.restoreContextPage();
            break;
        default:
            break;
    }
    return false;
}

}  // namespace ks
