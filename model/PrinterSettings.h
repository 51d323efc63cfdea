// The printer settings a document stores: the platform's printer mode record and
// printer names record as raw bytes (kept byte for byte so documents keep their page
// setup), and the page margins in thousandths of an inch.
#pragma once

#include <QByteArray>
#include <cstdint>

namespace ks {

struct CPrinterSettings {
    QByteArray devmode;   // printer mode record (its fixed part), empty when none
    QByteArray devnames;  // printer names record, empty when none
    bool hasMargins = false;
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool isEmpty() const { return devmode.isEmpty() && devnames.isEmpty() && !hasMargins; }
    bool operator==(const CPrinterSettings&) const = default;
};

}  // namespace ks
