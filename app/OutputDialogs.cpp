#include "app/OutputDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/AlignPrinterDialog.h"
#include "app/ExportProgressDialog.h"
#include "app/ResolutionDialog.h"

namespace ks {

QStringList QtOutputDialogs::installedPrinters() {
    return QPrinterInfo::availablePrinterNames();
}

std::optional<int> QtOutputDialogs::chooseResolution(const std::vector<ResolutionChoice>& choices,
                                                     int preselected) {
    CResolutionDlg dialog(choices, preselected, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.resolution();
}

bool QtOutputDialogs::runPrintDialog(QPrinter& printer, int maxPage) {
    QPrintDialog dialog(&printer, parent_);
    dialog.setMinMax(1, std::max(maxPage, 1));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

bool QtOutputDialogs::runPageSetupDialog(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtOutputDialogs::runPrintPreview(QPrinter& printer,
                                      const std::function<void(QPrinter*)>& paint) {
    QPrintPreviewDialog preview(&printer, parent_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, paint);
    preview.exec();
}

void QtOutputDialogs::runAlignment(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                                   const std::function<void(const PrinterAlignment&)>& changed) {
    QPrintPreviewDialog preview(&printer, parent_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, paint);
    preview.show();
    CAlignPrinterDlg align(parent_);
    QObject::connect(&align, &CAlignPrinterDlg::alignmentChanged, [&](const PrinterAlignment& a) {
        changed(a);
        if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) widget->updatePreview();
    });
    align.exec();
    preview.close();
}

ExportProgress QtOutputDialogs::exportProgress() {
    return ExportProgressDialog::start(parent_);
}

}  // namespace ks
