#include "PrinterChoice.h"

#include <algorithm>
#include <cmath>

#include "render/layout/LayoutMath.h"
#include "render/layout/PrinterRecord.h"

namespace ks {

namespace {

// A user-defined paper size in the printer mode record.
constexpr int16_t kUserPaper = 256;

struct PaperCodeEntry {
    QPageSize::PageSizeId id;
    int16_t code;
};

// The standard papers of the printer mode record and the page sizes that match them.
// (Its "B4" is 250 x 354 mm and its "B5" the JIS size, 182 x 257 mm.)
constexpr PaperCodeEntry kPaperCodes[] = {
    {QPageSize::Letter, PaperCode::Letter},
    {QPageSize::Tabloid, 3},
    {QPageSize::Ledger, PaperCode::Ledger},
    {QPageSize::Legal, PaperCode::Legal},
    {QPageSize::Statement, 6},
    {QPageSize::Executive, 7},
    {QPageSize::A3, PaperCode::A3},
    {QPageSize::A4, PaperCode::A4},
    {QPageSize::A5, PaperCode::A5},
    {QPageSize::B4, PaperCode::B4},
    {QPageSize::JisB5, PaperCode::B5},
};

int16_t tenthsMm(double mm) {
    return static_cast<int16_t>(std::clamp(roundToInt(mm * 10.0), 1, 32767));
}

QPageSize pageSizeInches(PageSize size) {
    return QPageSize(QSizeF(size.width / 1000.0, size.height / 1000.0), QPageSize::Inch, QString(),
                     QPageSize::FuzzyMatch);
}

}  // namespace

StoredPrinterChoice storedPrinterChoice(const CPrinterSettings& settings,
                                        const QStringList& installed) {
    StoredPrinterChoice choice;
    if (const auto names = readDevNames(settings.devnames);
        names && !names->device.isEmpty() && installed.contains(names->device)) {
        choice.printer = names->device;
        choice.storedPrinterUsed = true;
    }
    if (!DevModeRecord::isUsable(settings.devmode)) return choice;
    const DevModeRecord record(settings.devmode);
    if (record.has(DevModeField::Orientation))
        choice.orientation = record.orientation() == Orientation::Landscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait;
    if (record.has(DevModeField::PaperSize)) {
        // The paper as the layout reads it, upright.
        DevModeRecord upright = record;
        upright.setOrientation(Orientation::Portrait);
        const PageSize size = pageSizeFor(upright, PageSize{});
        if (size.width > 0 && size.height > 0) choice.paper = pageSizeInches(size);
    }
    return choice;
}

QPageLayout withStoredPaper(QPageLayout layout, const StoredPrinterChoice& choice) {
    if (choice.orientation) layout.setOrientation(*choice.orientation);
    if (choice.paper) layout.setPageSize(*choice.paper, layout.margins());
    return layout;
}

int16_t paperCodeFor(const QPageSize& size) {
    for (const PaperCodeEntry& entry : kPaperCodes)
        if (entry.id == size.id()) return entry.code;
    return kUserPaper;
}

void storePrinterSettings(CPrinterSettings& settings, const QString& printer,
                          const QPageLayout& layout, bool storeMargins) {
    DevModeRecord record(settings.devmode);
    record.setDeviceName(printer);
    record.setOrientation(layout.orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                         : Orientation::Portrait);
    const QPageSize size = layout.pageSize();
    const QSizeF mm = size.size(QPageSize::Millimeter);  // upright
    record.setPaperSize(paperCodeFor(size));
    record.setPaperWidth(tenthsMm(std::min(mm.width(), mm.height())));
    record.setPaperLength(tenthsMm(std::max(mm.width(), mm.height())));
    settings.devmode = record.bytes();

    DevNames names;
    if (const auto stored = readDevNames(settings.devnames)) names = *stored;
    if (names.device != printer) names = DevNames{.device = printer};
    settings.devnames = makeDevNames(names);

    if (!storeMargins) return;
    const QMarginsF m = layout.margins(QPageLayout::Millimeter);
    const auto thou = [](double mm) { return hundredthsMmToThou(roundToInt(mm * 100.0)); };
    settings.hasMargins = true;
    settings.left = thou(m.left());
    settings.top = thou(m.top());
    settings.right = thou(m.right());
    settings.bottom = thou(m.bottom());
}

QMarginsF pageSetupMargins(const PageGeometry& page) {
    const auto mm = [](int32_t thou) { return thouToHundredthsMm(thou) / 100.0; };
    return QMarginsF(mm(page.marginLeft), mm(page.marginTop), mm(page.marginRight),
                     mm(page.marginBottom));
}

QPageLayout pageSetupLayout(const CPrinterSettings& settings, const PageGeometry& page) {
    bool landscape = page.width > page.height;
    if (DevModeRecord::isUsable(settings.devmode)) {
        const DevModeRecord record(settings.devmode);
        if (record.has(DevModeField::Orientation))
            landscape = record.orientation() == Orientation::Landscape;
    }
    const PageSize upright{std::min(page.width, page.height), std::max(page.width, page.height)};
    QPageLayout layout(pageSizeInches(upright),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);  // margins are the document's own choice
    layout.setMargins(pageSetupMargins(page));
    return layout;
}

}  // namespace ks
