// The custom zoom dialog: a whole percentage between 10 and 1000; anything else is
// refused with a message and the dialog stays open.
#pragma once

#include <QDialog>

class QLineEdit;

namespace ks {

class CZoomDialog : public QDialog {
    Q_OBJECT
  public:
    CZoomDialog(int zoom, QWidget* parent = nullptr);
    int zoom() const { return zoom_; }
    QLineEdit* edit() const { return edit_; }
    void accept() override;

  private:
    QLineEdit* edit_;
    int zoom_;
};

}  // namespace ks
