// "Align Printer": two scroll bars, horizontal and vertical, that move the margin bands
// of the alignment preview (0..100, line steps of 1, page steps of 10, both from 0).
#pragma once

#include <QDialog>

#include "render/output/PrinterAlignment.h"

class QScrollBar;

namespace ks {

class CAlignPrinterDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAlignPrinterDlg(QWidget* parent = nullptr);
    PrinterAlignment alignment() const;
    QScrollBar* horizontalBar() const { return horizontal_; }
    QScrollBar* verticalBar() const { return vertical_; }

  signals:
    // Both values, after every change of either.
    void alignmentChanged(const PrinterAlignment& alignment);

  private:
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
};

}  // namespace ks
