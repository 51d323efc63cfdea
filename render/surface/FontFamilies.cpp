#include "render/surface/FontFamilies.h"

#include <array>

namespace ks {

namespace {

struct Substitute {
    const char* named;
    const char* open;
};

// Families of the same widths, glyph for glyph: Liberation for the core Windows fonts
// and the PostScript ones they stand in for, Carlito and Caladea for the Office fonts.
constexpr std::array kSubstitutes{
    Substitute{"Times New Roman", "Liberation Serif"},
    Substitute{"Times", "Liberation Serif"},
    Substitute{"Arial", "Liberation Sans"},
    Substitute{"Helvetica", "Liberation Sans"},
    Substitute{"Courier New", "Liberation Mono"},
    Substitute{"Courier", "Liberation Mono"},
    Substitute{"Calibri", "Carlito"},
    Substitute{"Cambria", "Caladea"},
};

}  // namespace

QString metricCompatibleFamily(const QString& family) {
    const QString name = family.trimmed();
    for (const Substitute& s : kSubstitutes)
        if (name.compare(QLatin1String(s.named), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.open);
    return {};
}

QString drawingFamily(const QString& family, const QStringList& available) {
    const QString open = metricCompatibleFamily(family);
    if (!open.isEmpty() && available.contains(open, Qt::CaseInsensitive)) return open;
    return family;
}

}  // namespace ks
