#include "PageGeometry.h"

#include <algorithm>

#include "LayoutMath.h"

namespace ks {

namespace {

struct PaperEntry {
    int16_t code;
    bool metric;  // width and height in tenths of a millimetre, else thousandths of an inch
    int32_t width;
    int32_t height;
};

constexpr PaperEntry kPapers[] = {
    {PaperCode::Letter, false, 8500, 11000},  {PaperCode::LetterSmall, false, 8500, 11000},
    {PaperCode::Ledger, false, 17000, 11000}, {PaperCode::Legal, false, 8500, 14000},
    {PaperCode::A3, true, 2970, 4200},        {PaperCode::A4, true, 2100, 2970},
    {PaperCode::A5, true, 1480, 2100},        {PaperCode::B4, true, 2500, 3540},
    {PaperCode::B5, true, 1820, 2570},
};

}  // namespace

int32_t tenthsMmToThou(int32_t tenths) {
    return roundToInt(tenths * 1000.0 / 254.0);
}

PageSize a4Portrait() {
    return {tenthsMmToThou(2100), tenthsMmToThou(2970)};
}

PageSize pageSizeFor(const DevModeRecord& record, PageSize current) {
    std::optional<PageSize> size;
    if (record.has(DevModeField::PaperSize)) {
        const int16_t code = record.paperSize();
        if (code == PaperCode::A4Small) return current;
        for (const PaperEntry& p : kPapers) {
            if (p.code != code) continue;
            size = p.metric ? PageSize{tenthsMmToThou(p.width), tenthsMmToThou(p.height)}
                            : PageSize{p.width, p.height};
        }
    }
    // Any other paper: the record's own width and length, when it holds usable ones.
    if (!size && record.has(DevModeField::PaperWidth) && record.has(DevModeField::PaperLength) &&
        record.paperWidth() > 0 && record.paperLength() > 0)
        size = PageSize{tenthsMmToThou(record.paperWidth()), tenthsMmToThou(record.paperLength())};
    if (!size) return current;
    if (record.has(DevModeField::Orientation) && record.orientation() == Orientation::Landscape)
        std::swap(size->width, size->height);
    return *size;
}

int32_t PageGeometry::right() const {
    return saturate(int64_t(width) - marginRight - 1);
}

int32_t PageGeometry::bottom() const {
    return saturate(int64_t(height) - marginBottom - 1);
}

PageGeometry pageGeometryFor(const CPrinterSettings& document, const CPrinterSettings* defaults) {
    PageGeometry g;
    PageSize size = a4Portrait();
    if (DevModeRecord::isUsable(document.devmode))
        size = pageSizeFor(DevModeRecord(document.devmode), size);
    else if (defaults && DevModeRecord::isUsable(defaults->devmode))
        size = pageSizeFor(DevModeRecord(defaults->devmode), size);
    g.width = size.width;
    g.height = size.height;
    const CPrinterSettings* margins = document.hasMargins                  ? &document
                                      : (defaults && defaults->hasMargins) ? defaults
                                                                           : nullptr;
    if (margins) {
        g.marginLeft = std::max(margins->left, 0);
        g.marginTop = std::max(margins->top, 0);
        g.marginRight = std::max(margins->right, 0);
        g.marginBottom = std::max(margins->bottom, 0);
    }
    return g;
}

int32_t thouToHundredthsMm(int32_t thou) {
    return roundToInt(thou * 254.0 / 100.0);
}

int32_t hundredthsMmToThou(int32_t hundredths) {
    return roundToInt(hundredths * 100.0 / 254.0);
}

}  // namespace ks
