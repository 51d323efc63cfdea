#include "app/OutputDialogs.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <memory>

#include "app/AlignPrinterDialog.h"
#include "app/OutputJobTextIds.h"
#include "app/ResolutionDialog.h"
#include "model/TextFormat.h"
#include "model/TextTable.h"

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

PageProgress QtOutputDialogs::startPageProgress(int pages) {
    // Shown only when the job takes longer than a moment; it blocks the windows while it
    // is up and gives the events (its Cancel button among them) their turn at each page.
    auto dialog = std::make_shared<QProgressDialog>(parent_);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->setWindowTitle(text(OutputJobTextId::ProgressTitle));
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->setMinimumDuration(500);
    dialog->setRange(0, std::max(pages, 1));
    return [dialog](int page, int count) {
        dialog->setMaximum(std::max(count, 1));
        dialog->setLabelText(formatText(text(OutputJobTextId::ProgressPage), {page + 1, count}));
        dialog->setValue(page);
        return !dialog->wasCanceled();
    };
}

}  // namespace ks
