// main() for test programs that measure or draw text: a QGuiApplication on the offscreen
// platform with the music font registered and only the program's fonts in sight (a
// font configuration of the tests' own), then every GoogleTest case.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "TestFonts.h"
#include "resources/MusicFont.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ks::test::usePrivateFontConfiguration();
    QGuiApplication app(argc, argv);
    if (!ks::loadMusicFont()) {
        fprintf(stderr, "the music font could not be loaded\n");
        return 1;
    }
    if (!ks::test::testFontsAvailable()) return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
