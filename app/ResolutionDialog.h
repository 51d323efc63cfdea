// The export resolution dialog: its question and one choice per resolution offered.
#pragma once

#include <QDialog>
#include <vector>

#include "render/output/ExportResolution.h"

class QComboBox;

namespace ks {

class CResolutionDlg : public QDialog {
    Q_OBJECT
  public:
    CResolutionDlg(const std::vector<ResolutionChoice>& choices, int preselected,
                   QWidget* parent = nullptr);
    // The resolution chosen, in dots per inch.
    int resolution() const;

  private:
    std::vector<ResolutionChoice> choices_;
    QComboBox* list_;
};

}  // namespace ks
