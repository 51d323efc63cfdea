// The small dialogs of the shell: the About box (also the splash window at start) and
// the Internet settings.
#pragma once

#include <QDialog>

class QCheckBox;

namespace ks {

class CAboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

// One check box "Enable Web Site Access"; OK stores it in `EnableWeb`.
class CInternetSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CInternetSettingsDialog(QWidget* parent = nullptr);
    void accept() override;

  private:
    QCheckBox* enable_;
};

}  // namespace ks
