#include "TestFonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstdio>

namespace ks::test {

void usePrivateFontConfiguration() {
    qputenv("FONTCONFIG_FILE", KS_TEST_FONTCONFIG);
}

bool testFontsAvailable() {
    const QStringList families = QFontDatabase::families();
    bool all = true;
    for (const char* family : {"Liberation Serif", "Liberation Sans", "Liberation Mono"}) {
        if (families.contains(QLatin1String(family))) continue;
        fprintf(stderr, "the font \"%s\" is missing (scripts/setup installs it)\n", family);
        all = false;
    }
    return all;
}

}  // namespace ks::test
