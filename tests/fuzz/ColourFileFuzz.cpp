// libFuzzer target for the colour file ("colours.txt"), read as the program reads it: at
// most 64 KB of 8-bit text. A file that is accepted gives ten colours of the RGB range.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "render/ColourScheme.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data),
                           qsizetype(std::min<size_t>(size, 64 * 1024)));
    ks::Palette palette;
    if (!ks::parseColourText(QString::fromLatin1(bytes), palette)) return 0;
    for (const QColor& colour : palette)
        if (!colour.isValid() || colour.alpha() != 255) ks::fuzz::fail();
    return 0;
}
