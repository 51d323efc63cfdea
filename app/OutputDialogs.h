// The dialogs of printing and export behind one interface: the editor shows the
// platform's print, page-setup and preview dialogs and its own resolution and printer
// alignment dialogs; tests answer from a script with a printer writing a PDF file.
#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "render/output/ExportProgress.h"
#include "render/output/ExportResolution.h"
#include "render/output/PrinterAlignment.h"

class QPrinter;

namespace ks {

class IOutputDialogs {
  public:
    virtual ~IOutputDialogs() = default;
    // The printers installed on this machine.
    virtual QStringList installedPrinters() = 0;
    // The export resolution in dots per inch; nothing when cancelled.
    virtual std::optional<int> chooseResolution(const std::vector<ResolutionChoice>& choices,
                                                int preselected) = 0;
    // The print dialog for `printer`, pages 1 to `maxPage`; false when cancelled.
    virtual bool runPrintDialog(QPrinter& printer, int maxPage) = 0;
    // The page-setup dialog for `printer`'s page layout; false when cancelled.
    virtual bool runPageSetupDialog(QPrinter& printer) = 0;
    // The print preview of `printer`, its pages drawn by `paint`, until it is closed.
    virtual void runPrintPreview(QPrinter& printer,
                                 const std::function<void(QPrinter*)>& paint) = 0;
    // The preview in the alignment view with the "Align Printer" dialog: every change of
    // its scroll bars goes to `changed`, then the preview is drawn again. Closing the
    // dialog closes the preview.
    virtual void runAlignment(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                              const std::function<void(const PrinterAlignment&)>& changed) = 0;
    // The progress report of one export (a dialog with Cancel for long ones), kept for
    // as long as the callback lives; none by default.
    virtual ExportProgress exportProgress() { return {}; }
};

class QtOutputDialogs : public IOutputDialogs {
  public:
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    QStringList installedPrinters() override;
    std::optional<int> chooseResolution(const std::vector<ResolutionChoice>& choices,
                                        int preselected) override;
    bool runPrintDialog(QPrinter& printer, int maxPage) override;
    bool runPageSetupDialog(QPrinter& printer) override;
    void runPrintPreview(QPrinter& printer, const std::function<void(QPrinter*)>& paint) override;
    void runAlignment(QPrinter& printer, const std::function<void(QPrinter*)>& paint,
                      const std::function<void(const PrinterAlignment&)>& changed) override;
    ExportProgress exportProgress() override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace ks
