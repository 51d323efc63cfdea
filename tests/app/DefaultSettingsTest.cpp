// The default settings file: built-in defaults without it, saving, applying to new
// documents and to an open one, removing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/DefaultSettings.h"
#include "app/DocumentLayout.h"
#include "storage/AppPaths.h"

using namespace ks;

namespace {

class DefaultSettings : public ::testing::Test {
  protected:
    void SetUp() override { QFile::remove(defaultSettingsPath()); }
    void TearDown() override { QFile::remove(defaultSettingsPath()); }
};

TEST_F(DefaultSettings, WithoutTheFileTheBuiltInDefaultsApply) {
    ASSERT_FALSE(defaultSettingsExist());
    CScore score;
    score.prefs.fontsize = 150;
    score.prefs.colourmode = 0;
    score.midi.tempo = 60;
    CPrinterSettings printer;
    applyDefaultSettings(score, printer);
    // The settings' own defaults, but with room between the hands (a file without the
    // attribute still reads as no gap).
    CDisplaySettings expected;
    expected.stavegap = 8;
    EXPECT_EQ(score.prefs, expected);
    EXPECT_EQ(CDisplaySettings{}.stavegap, 0);
    EXPECT_EQ(score.midi, CMidiSettings{});
    EXPECT_EQ(score.font.name, "Arial");
    EXPECT_EQ(score.font.size, -110);
    EXPECT_EQ(score.prefs.barsperline, 3);
    EXPECT_EQ(score.prefs.paper, 0xFFFFFF);
    EXPECT_EQ(score.prefs.grid, 128);
}

TEST_F(DefaultSettings, SavedSettingsReachNewDocuments) {
    CScore source;
    source.applyBuiltInDefaults();
    source.prefs.fontsize = 90;
    source.prefs.barsperline = 4;
    source.prefs.showkeyboards = true;
    source.prefs.paper = 0x00E0F0;
    source.midi.program = 19;
    source.font.name = "Serif";
    CPrinterSettings printer;
    setDocumentOrientation(printer, 2);
    printer.hasMargins = true;
    printer.left = 300;
    ASSERT_TRUE(saveDefaultSettings(source, printer));
    ASSERT_TRUE(defaultSettingsExist());

    CScore fresh;
    CPrinterSettings freshPrinter;
    applyDefaultSettings(fresh, freshPrinter);
    EXPECT_EQ(fresh.prefs.fontsize, 90);
    EXPECT_EQ(fresh.prefs.barsperline, 4);
    EXPECT_TRUE(fresh.prefs.showkeyboards);
    EXPECT_EQ(fresh.prefs.paper, 0x00E0F0);
    EXPECT_EQ(fresh.midi.program, 19);
    EXPECT_EQ(fresh.font.name, "Serif");
    EXPECT_EQ(documentOrientation(freshPrinter), 2);
    EXPECT_TRUE(freshPrinter.hasMargins);
    EXPECT_EQ(freshPrinter.left, 300);
}

TEST_F(DefaultSettings, UseDefaultsKeepsTempoKeyAndZoom) {
    CScore source;
    source.applyBuiltInDefaults();
    source.prefs.fontsize = 70;
    source.midi.tempo = 200;
    source.prefs.key = 3;
    ASSERT_TRUE(saveDefaultSettings(source, {}));

    CScore score;
    score.makeNewDocument();
    score.prefs.paper = score.prefs.margin = 0x0000FF;  // the defaults' paper is white
    score.midi.tempo = 88;
    score.prefs.zoom = 250;
    score.setKeySignature(5, 0);
    const auto keysigs = score.keysigs;
    CPrinterSettings printer;
    applyDefaultSettingsKeepingMusic(score, printer);
    EXPECT_EQ(score.prefs.fontsize, 70);
    EXPECT_EQ(score.prefs.paper, 0xFFFFFF);
    EXPECT_EQ(score.midi.tempo, 88);
    EXPECT_EQ(score.prefs.key, -1);
    EXPECT_EQ(score.prefs.zoom, 250);
    EXPECT_EQ(score.keysigs.size(), keysigs.size());
}

TEST_F(DefaultSettings, UnreadableFileFallsBackToBuiltIn) {
    QDir().mkpath(dataFolder());
    QFile file(defaultSettingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<notkeystaves><preferences fontsize=\"60\"/></notkeystaves>");
    file.close();
    CScore score;
    score.prefs.fontsize = 150;
    CPrinterSettings printer;
    EXPECT_FALSE(readDefaultSettings(defaultSettingsPath(), score, printer));
    EXPECT_EQ(score.prefs.fontsize, 150);  // nothing read
    applyDefaultSettings(score, printer);
    EXPECT_EQ(score.prefs.fontsize, 107);
}

TEST_F(DefaultSettings, RemoveDeletesTheFileOnce) {
    EXPECT_FALSE(removeDefaultSettings());
    ASSERT_TRUE(saveDefaultSettings(CScore{}, {}));
    EXPECT_TRUE(removeDefaultSettings());
    EXPECT_FALSE(defaultSettingsExist());
    EXPECT_FALSE(removeDefaultSettings());
}

}  // namespace
