// The progress of a long export: a dialog with a bar and Cancel that appears only when
// the export takes a while, driven by the callback the export loops call after each
// page. It closes when the last copy of the callback is gone.
#pragma once

#include <QPointer>
#include <memory>

#include "render/output/ExportProgress.h"

class QProgressDialog;
class QWidget;

namespace ks {

class ExportProgressDialog {
  public:
    // Exports shorter than this show no dialog.
    static constexpr int kShowAfterMs = 700;

    explicit ExportProgressDialog(QWidget* parent);
    ~ExportProgressDialog();

    // After `done` of `total` pages: moves the bar and lets Cancel be clicked; false
    // once the user has cancelled.
    bool update(int done, int total);

    // A callback that keeps the dialog open as long as it exists.
    static ExportProgress start(QWidget* parent);

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace ks
