// CHelpSearchDialog: the window "Search for :-" that finds pages of the manual by
// keyword. Choosing a result shows its page in the help pane.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;

namespace ks {

class HelpIndex;

class CHelpSearchDialog : public QDialog {
    Q_OBJECT
  public:
    // `index` is built on the first search and must outlive the window.
    CHelpSearchDialog(HelpIndex& index, std::function<void(HelpIndex&)> buildIndex,
                      QWidget* parent = nullptr);

    void search();
    QLineEdit* searchText() const { return edit_; }
    QListWidget* results() const { return list_; }

    std::function<void(const QString& page)> pageChosen;

  private:
    HelpIndex& index_;
    std::function<void(HelpIndex&)> buildIndex_;
    QLineEdit* edit_;
    QListWidget* list_;
};

}  // namespace ks
