// The page the layout fills: paper size and margins in thousandths of an inch, from
// the document's printer settings, and the printable rectangle derived from them.
#pragma once

#include <cstdint>

#include "PrinterRecord.h"
#include "model/PrinterSettings.h"

namespace ks {

constexpr int32_t kDefaultMargin = 500;  // half an inch

struct PageSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PageSize&) const = default;
};

// Tenths of a millimetre to thousandths of an inch: x 1000 / 254, rounded.
int32_t tenthsMmToThou(int32_t tenths);

// A4 portrait.
PageSize a4Portrait();

// The page size a printer mode record describes, by its paper size code (the table of
// standard papers, or the record's own paper width and length), with width and height
// swapped for landscape. Codes that keep the size ("A4 small"), and records that name
// no usable size, give `current`.
PageSize pageSizeFor(const DevModeRecord& record, PageSize current);

struct PageGeometry {
    int32_t width = 0;
    int32_t height = 0;
    int32_t marginLeft = kDefaultMargin;
    int32_t marginTop = kDefaultMargin;
    int32_t marginRight = kDefaultMargin;
    int32_t marginBottom = kDefaultMargin;

    // The rectangle lines are laid out in.
    int32_t left() const { return marginLeft; }
    int32_t top() const { return marginTop; }
    int32_t right() const;
    int32_t bottom() const;

    bool operator==(const PageGeometry&) const = default;
};

// The page of a document: its own printer settings where it has them, else the
// default settings (may be null), else A4 portrait with half-inch margins. Negative
// margins count as 0.
PageGeometry pageGeometryFor(const CPrinterSettings& document,
                             const CPrinterSettings* defaults = nullptr);

// Margins as the page-setup dialog shows them (hundredths of a millimetre) and back.
int32_t thouToHundredthsMm(int32_t thou);
int32_t hundredthsMmToThou(int32_t hundredths);

}  // namespace ks
