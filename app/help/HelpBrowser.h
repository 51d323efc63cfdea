// CHelpBrowser: the help pane docked in the main frame, a browser over the manual's
// pages in the program's resources, with a small toolbar (Back, Contents, Search).
#pragma once

#include <QDockWidget>
#include <functional>

class QTextBrowser;

namespace ks {

class CHelpBrowser : public QDockWidget {
    Q_OBJECT
  public:
    explicit CHelpBrowser(QWidget* parent = nullptr);

    // Navigates to a page of the manual; an unknown page shows a short note instead.
    void navigate(const QString& name);
    // The page shown ("VOLTAMARKS.HTM"), empty before the first one.
    QString pageName() const;
    QTextBrowser* browser() const { return browser_; }

    std::function<void()> searchRequested;
    std::function<void()> contentsRequested;

  private:
    QTextBrowser* browser_;
};

}  // namespace ks
