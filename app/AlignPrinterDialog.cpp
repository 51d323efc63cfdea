#include "app/AlignPrinterDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QScrollBar>

#include "model/TextTable.h"
#include "render/output/ExportTextIds.h"

namespace ks {

namespace {

QScrollBar* alignmentBar(Qt::Orientation orientation, QWidget* parent) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setRange(PrinterAlignment::kMinimum, PrinterAlignment::kMaximum);
    bar->setSingleStep(PrinterAlignment::kLineStep);
    bar->setPageStep(PrinterAlignment::kPageStep);
    bar->setValue(PrinterAlignment::kMinimum);
    return bar;
}

}  // namespace

CAlignPrinterDlg::CAlignPrinterDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(OutputTextId::AlignPrinterTitle));
    auto* layout = new QFormLayout(this);
    horizontal_ = alignmentBar(Qt::Horizontal, this);
    vertical_ = alignmentBar(Qt::Horizontal, this);
    horizontal_->setMinimumWidth(240);
    layout->addRow(text(OutputTextId::AlignHorizontal), horizontal_);
    layout->addRow(text(OutputTextId::AlignVertical), vertical_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAlignPrinterDlg::reject);
    layout->addRow(buttons);
    for (QScrollBar* bar : {horizontal_, vertical_})
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { emit alignmentChanged(alignment()); });
}

PrinterAlignment CAlignPrinterDlg::alignment() const {
    return {PrinterAlignment::clamp(horizontal_->value()),
            PrinterAlignment::clamp(vertical_->value())};
}

}  // namespace ks
