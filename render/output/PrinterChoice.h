// The printer a document stores and the platform's page layout: what the print cycle and
// the page-setup dialog take from the stored printer settings and what they store back.
#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

#include "model/PrinterSettings.h"
#include "render/layout/PageGeometry.h"

namespace ks {

struct StoredPrinterChoice {
    // The stored printer when it is installed; empty means the system default printer.
    QString printer;
    bool storedPrinterUsed = false;
    // The stored orientation and paper, each only when the stored printer mode record
    // marks its field present.
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<QPageSize> paper;
};

// What to hand to the print dialog, given the printers installed on this machine.
StoredPrinterChoice storedPrinterChoice(const CPrinterSettings& settings,
                                        const QStringList& installed);

// `layout` with the stored orientation and paper of `choice` written into it.
QPageLayout withStoredPaper(QPageLayout layout, const StoredPrinterChoice& choice);

// The printer settings paper code of a page size: the standard papers by their code,
// anything else as a user-defined size (its width and length are stored beside it).
int16_t paperCodeFor(const QPageSize& size);

// Stores the printer and its page layout: the printer names record (the device name),
// the printer mode record (device name, orientation, paper code, paper width and length
// in tenths of a millimetre), and, with `storeMargins`, the layout's margins, rounded
// from hundredths of a millimetre to thousandths of an inch.
void storePrinterSettings(CPrinterSettings& settings, const QString& printer,
                          const QPageLayout& layout, bool storeMargins);

// The page's margins as the page-setup dialog shows them, in millimetres: each margin
// in hundredths of a millimetre (x 254 / 100, rounded), divided by 100.
QMarginsF pageSetupMargins(const PageGeometry& page);

// The page layout that shows the document's page in the page-setup dialog: its page size
// in inches (matched to a standard paper where one fits), portrait or landscape, and its
// margins in millimetres.
QPageLayout pageSetupLayout(const CPrinterSettings& settings, const PageGeometry& page);

}  // namespace ks
