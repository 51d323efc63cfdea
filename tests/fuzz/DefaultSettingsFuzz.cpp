// libFuzzer target for the default settings file ("keystave.ini"): any file either is
// taken or leaves the settings exactly as they were.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "app/DefaultSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = ks::fuzz::inputFile(data, size, QStringLiteral("keystave.ini"));
    ks::CScore score;
    score.applyBuiltInDefaults();
    ks::CPrinterSettings printer;
    const ks::CDisplaySettings prefs = score.prefs;
    const ks::CMidiSettings midi = score.midi;
    if (!ks::readDefaultSettings(path, score, printer) &&
        (!(score.prefs == prefs) || !(score.midi == midi)))
        ks::fuzz::fail();
    return 0;
}
