// The help state of the process: which page the help pane shows, the page before it,
// whether the pane is shown and whether dynamic help lets the program change pages.
#pragma once

#include <QString>
#include <functional>

namespace ks {

class HelpState {
  public:
    HelpState();

    const QString& currentPage() const { return current_; }
    const QString& previousPage() const { return previous_; }
    bool shown() const { return shown_; }
    bool dynamic() const { return dynamic_; }

    // The pane reports whether it is visible.
    void setShown(bool shown) { shown_ = shown; }

    // Context help: a mode or dialog names the page of what the user is doing. The
    // page is recorded; the pane moves to it only while shown with dynamic help on.
    void setContextPage(const QString& name);
    // The page before the last context change becomes current again (a dialog closes).
    void restoreContextPage();
    // Shows a page at the user's request: the pane opens and moves there whatever the
    // dynamic flag says.
    void showPage(const QString& name);

    // Switching dynamic help on shows "DYNAMICHELP.HTM".
    void setDynamic(bool on);

    // Asked to show a page in the pane; `open` says the pane must be made visible.
    std::function<void(const QString& name, bool open)> showRequested;

  private:
    void follow();

    QString current_;
    QString previous_;
    bool shown_ = false;
    bool dynamic_ = true;
};

}  // namespace ks
