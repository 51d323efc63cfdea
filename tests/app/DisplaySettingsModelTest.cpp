// The display settings dialog's controls and preferences, without the dialog: the
// mapping each way, the labels and the approximate number of lines per page.
#include <gtest/gtest.h>

#include "app/DisplaySettingsModel.h"
#include "render/ColourScheme.h"

using namespace ks;

namespace {

TEST(DisplaySettingsModel, ColourModeEntriesMapBothWays) {
    // Stored 0..4 show as entries 1, 2, 2, 3, 0; entries 0..3 store 4, 0, 2, 3.
    const int shown[] = {1, 2, 2, 3, 0};
    for (int stored = 0; stored <= 4; ++stored) {
        CDisplaySettings prefs;
        prefs.colourmode = stored;
        const DisplayControls c = controlsFromPreferences(prefs, 1);
        EXPECT_EQ(c.colourEntry, shown[stored]) << stored;
        CDisplaySettings back = prefs;
        applyControls(c, back);
        // Mode 1 ("Staves" shading) comes back as 2: the entry it shows is "Staves".
        EXPECT_EQ(back.colourmode, stored == 1 ? 2 : stored) << stored;
    }
}

TEST(DisplaySettingsModel, UntouchedControlsStoreWhatTheyShow) {
    CDisplaySettings prefs;
    prefs.barsperline = 5;
    prefs.fontsize = 80;
    prefs.stavegap = 7;
    prefs.extendmode = 2;
    prefs.stavetype = 1;
    prefs.dynamicorientation = true;
    prefs.reducedspacing = false;
    prefs.showsubtitle = true;
    prefs.showkeyboards = true;
    prefs.hiderestsatend = false;
    CDisplaySettings back = prefs;
    applyControls(controlsFromPreferences(prefs, 2), back);
    EXPECT_EQ(back, prefs);
}

TEST(DisplaySettingsModel, InvertedAndConventionalControls) {
    CDisplaySettings prefs;
    prefs.dynamicorientation = false;
    prefs.reducedspacing = true;
    prefs.stavetype = 4;
    prefs.stavegap = 0;
    prefs.showonlyusedlines = true;
    const DisplayControls c = controlsFromPreferences(prefs, 1);
    EXPECT_TRUE(c.stemDirection);
    EXPECT_FALSE(c.whiteNoteSpace);
    EXPECT_EQ(c.stavegap, 2);       // conventional staves show at least 2
    EXPECT_FALSE(c.onlyUsedLines);  // and never "only lines in use"
    EXPECT_EQ(c.staveType, 4);
    DisplayControls changed = c;
    changed.stemDirection = false;
    changed.whiteNoteSpace = true;
    changed.staveType = 7;  // not a stave type: the stored one stays
    CDisplaySettings back = prefs;
    applyControls(changed, back);
    EXPECT_TRUE(back.dynamicorientation);
    EXPECT_FALSE(back.reducedspacing);
    EXPECT_EQ(back.stavetype, 4);
    EXPECT_EQ(back.stavegap, 2);
}

TEST(DisplaySettingsModel, IndentsAreStoredOnlyWithTheirCropping) {
    CDisplaySettings prefs;
    DisplayControls c = controlsFromPreferences(prefs, 1);
    c.cropStart = false;
    c.indentStart = false;
    c.barZero = false;
    c.cropEnd = true;
    c.indentEnd = false;
    applyControls(c, prefs);
    EXPECT_FALSE(prefs.hiderestsatstart);
    EXPECT_TRUE(prefs.indentatstart);  // kept: not stored without "Crop to first note"
    EXPECT_TRUE(prefs.usebarzero);
    EXPECT_FALSE(prefs.indentatend);
}

TEST(DisplaySettingsModel, TitleAndSubtitleStayConsistent) {
    DisplayControls c;
    c.title = false;
    c.subtitle = true;
    coupleTitleBoxes(c, true);  // Title was unticked
    EXPECT_FALSE(c.subtitle);
    c.subtitle = true;
    coupleTitleBoxes(c, false);  // Subtitle was ticked
    EXPECT_TRUE(c.title);
}

TEST(DisplaySettingsModel, SliderLabels) {
    EXPECT_EQ(musicSizeLabel(53), "1.50mm");
    EXPECT_EQ(musicSizeLabel(107), "3.02mm");
    EXPECT_EQ(handGapLabel(0, 107), "0.00mm");
    EXPECT_EQ(handGapLabel(10, 107), "15.10mm");
}

TEST(DisplaySettingsModel, StaveTypeListAcceptsOnlyTypesZeroToFour) {
    const auto entries =
        staveTypeEntries("0|Keystaves 3 octaves;3|Conventional;9|Bogus;x|Bad;4|Colour letters");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].number, 3);
    EXPECT_EQ(entries[2].name, "Colour letters");
}

TEST(DisplaySettingsModel, BarsPerLineListCoversTheStoredValue) {
    EXPECT_EQ(barsPerLineChoices(3), 16);
    EXPECT_EQ(barsPerLineChoices(40), 40);
    EXPECT_EQ(barsPerLineChoices(1000000), 100);
}

struct LinesCase {
    std::vector<int> counts;
    int expected;
};

TEST(DisplaySettingsModel, ApproximateLinesPerPage) {
    const LinesCase cases[] = {
        {{}, 0},           {{7}, 7}, {{5, 2}, 6},  // two pages, short last: max(c0 + 1, 7 / 2)
        {{2, 1}, 3},                               // max(3, 1.5)
        {{3, 8}, 9},                               // last not shorter: (0 + 8 + 1) / 1
        {{6, 8, 8, 3}, 8},                         // short last page: the middle pages' mean
        {{6, 8, 7, 3}, 8},                         // 7.5 rounds half away from zero
        {{6, 8, 8, 8}, 8},                         // (16 + 8 + 1) / 3 = 8.33
        {{6, 8, 8, 9}, 9},                         // (16 + 9 + 1) / 3 = 8.67
    };
    for (const LinesCase& c : cases)
        EXPECT_EQ(approximateLinesPerPage(c.counts), c.expected)
            << ::testing::PrintToString(c.counts);
}

}  // namespace
