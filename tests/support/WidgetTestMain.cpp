// main() for test programs with widgets: a QApplication on the offscreen platform with
// the music font registered and only the program's fonts in sight. Settings, data and
// temporary folders point into a folder of the run's own, so tests never touch the
// user's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "TestFonts.h"
#include "resources/MusicFont.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ks::test::usePrivateFontConfiguration();
    QTemporaryDir root;
    if (!root.isValid()) return 1;
    for (const char* sub : {"config", "data", "temp", "runtime"})
        QDir(root.path()).mkpath(QLatin1String(sub));
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    qputenv("KEYSTAVES_DATA_DIR", (root.path() + "/data").toLocal8Bit());
    qputenv("KEYSTAVES_TEMP_DIR", (root.path() + "/temp").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (root.path() + "/runtime").toLocal8Bit());
    QFile::setPermissions(root.path() + "/runtime",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, root.path() + "/config");
    if (!ks::loadMusicFont()) {
        fprintf(stderr, "the music font could not be loaded\n");
        return 1;
    }
    if (!ks::test::testFontsAvailable()) return 1;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
