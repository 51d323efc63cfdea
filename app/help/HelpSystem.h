// The help system of the editor: the help state, the help pane and the search window,
// and the commands of the Help menu. It follows what the user does: the views report
// their modes, and dialogs with a page of their own switch the pane while they are open.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "app/CommandTarget.h"
#include "app/KeystaveView.h"
#include "app/help/HelpIndex.h"
#include "app/help/HelpSearchDialog.h"
#include "app/help/HelpState.h"

namespace ks {

class CHelpBrowser;
class CHelpSearchDialog;
class CKeystaveView;
class CMainFrame;

class HelpSystem : public QObject, public ICommandTarget {
    Q_OBJECT
  public:
    explicit HelpSystem(CMainFrame& frame);
    ~HelpSystem() override;

    HelpState& state() { return state_; }
    // The pane, once it has been shown (null before).
    CHelpBrowser* pane() const { return pane_; }
    CHelpSearchDialog* searchWindow() const { return search_; }
    bool paneShown() const;

    // Shows the pane with the current page.
    void showPane();
    void showPage(const QString& name);
    void openSearch();

    // A view of a new document window: its modes set the context page.
    void watchView(CKeystaveView& view);
    // The active view's editing mode, checked whenever the frame refreshes its commands.
    void followActiveView();

    std::optional<CommandState> commandState(int id) override;
    void runCommand(int id) override;

    // Builds the keyword index from the pages in the resources, with the titles and
    // keywords of the language module.
    static void buildIndex(HelpIndex& index);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ensurePane();
    void display(const QString& name, bool open);

    CMainFrame& frame_;
    HelpState state_;
    HelpIndex index_;
    CHelpBrowser* pane_ = nullptr;
    QPointer<CHelpSearchDialog> search_;
    QPointer<CKeystaveView> followedView_;
    int followedEditMode_ = -1;
};

}  // namespace ks
