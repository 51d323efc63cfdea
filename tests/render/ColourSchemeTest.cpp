#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "render/ColourScheme.h"

using namespace ks;

namespace {

QString colourText(int colourLines, const char* line = "10, 20, 30", const char* end = "[/KSV]") {
    QString text = QStringLiteral("[KSV]\n");
    for (int i = 0; i < colourLines; ++i)
        text += QString::fromLatin1(line) + u'\n';
    return text + QString::fromLatin1(end) + u'\n';
}

class ColourScheme : public ::testing::Test {
  protected:
    void TearDown() override { resetActivePalette(); }
};

}  // namespace

TEST_F(ColourScheme, OctaveColoursAndFading) {
    EXPECT_EQ(octaveColour(60), QColor(224, 0, 0));  // octave 5
    EXPECT_EQ(octaveColour(0), QColor(128, 96, 224));
    EXPECT_EQ(octaveColour(119), QColor(0, 128, 128));   // octave 9
    EXPECT_EQ(octaveColour(127), QColor(128, 96, 224));  // octave 10 wraps to index 0
    EXPECT_EQ(fade(QColor(0, 0, 224)), QColor(128, 128, 240));
    EXPECT_EQ(fade(QColor(0, 0, 224), 3), QColor(224, 224, 252));
    EXPECT_EQ(colourFromRef(0x0000FF), QColor(255, 0, 0));  // red in the low byte
    EXPECT_EQ(colourFromRef(128), QColor(128, 0, 0));
    EXPECT_EQ(refFromColour(QColor(1, 2, 3)), 0x030201);
}

TEST_F(ColourScheme, ColourModeEntriesOfTheDialog) {
    const int shown[] = {1, 2, 2, 3, 0};
    for (int mode = 0; mode <= 4; ++mode)
        EXPECT_EQ(colourModeEntry(mode), shown[mode]);
    const int stored[] = {4, 0, 2, 3};
    for (int entry = 0; entry < 4; ++entry)
        EXPECT_EQ(colourModeForEntry(entry), stored[entry]);
    // Mode 1 read from a document shows as "Staves" and is stored back as 2.
    EXPECT_EQ(colourModeForEntry(colourModeEntry(1)), 2);
}

TEST_F(ColourScheme, DerivedSwitches) {
    CDisplaySettings p;
    struct Case {
        int mode;
        bool shade, lines, heads;
    };
    for (const Case c :
         {Case{0, false, false, false}, Case{1, true, false, false}, Case{2, false, true, false},
          Case{3, false, false, true}, Case{4, false, true, true}}) {
        p.colourmode = c.mode;
        const DrawingSwitches s = deriveSwitches(p, true);
        EXPECT_EQ(s.shadeBackground, c.shade) << c.mode;
        EXPECT_EQ(s.colourStaveLines, c.lines) << c.mode;
        EXPECT_EQ(s.colourNoteHeads, c.heads) << c.mode;
    }
    p.extendmode = ExtendMode::AffectedBars;
    p.showonlyusedlines = false;
    p.showkeyboards = true;
    EXPECT_TRUE(deriveSwitches(p, true).extendOnAffectedBars);
    EXPECT_TRUE(deriveSwitches(p, true).keyboardGuides);
    // Conventional staves in Page mode: only stave-line colour, for type 4.
    p.stavetype = 4;
    DrawingSwitches s = deriveSwitches(p, true);
    EXPECT_TRUE(s.colourStaveLines);
    EXPECT_FALSE(s.colourNoteHeads || s.keyboardGuides || s.extendOnAffectedBars);
    p.stavetype = 3;
    EXPECT_FALSE(deriveSwitches(p, true).colourStaveLines);
    EXPECT_TRUE(deriveSwitches(p, false).colourNoteHeads);  // Music mode keeps the colours
}

TEST_F(ColourScheme, ColourTextAcceptanceRules) {
    struct Case {
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {colourText(10), true},
        {colourText(10, "  10,20,30  "), true},  // no blanks after the commas
        {colourText(10, "255, 255, 255 trailing"), true},
        {colourText(9), false},   // nine colours: the end tag is no colour
        {colourText(11), false},  // the eleventh line must be the end tag
        {colourText(10, "red, green, blue"), false},
        {colourText(10, "10 20 30"), false},
        {colourText(10, "10, 20, 30", "[/KSV"), false},
        {QStringLiteral("[ksv]\n") + colourText(10).mid(6), false},
        {QString(), false},
    };
    for (const Case& c : cases) {
        Palette p;
        EXPECT_EQ(parseColourText(c.text, p), c.accepted) << c.text.toStdString();
    }
    Palette p;
    ASSERT_TRUE(parseColourText(colourText(10, "1234, 5, 6"), p) == false);
    ASSERT_TRUE(parseColourText(colourText(10, "999, -5, 7"), p));
    EXPECT_EQ(p[0], QColor(255, 0, 7));  // clamped into 0..255
}

TEST_F(ColourScheme, LoadColourFileLooksInTheWorkingFolderThenTheProgramFolder) {
    QTemporaryDir work, program;
    auto write = [](const QTemporaryDir& dir, const QString& text) {
        QFile f(QDir(dir.path()).filePath(QStringLiteral("colours.txt")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1());
    };
    EXPECT_FALSE(LoadColourFile(work.path(), program.path()));
    write(program, colourText(10, "1, 2, 3"));
    EXPECT_TRUE(LoadColourFile(work.path(), program.path()));
    EXPECT_EQ(activePalette()[4], QColor(1, 2, 3));
    // A malformed file in the working folder wins the search and is rejected; the
    // palette stays.
    write(work, colourText(9));
    EXPECT_FALSE(LoadColourFile(work.path(), program.path()));
    EXPECT_EQ(activePalette()[4], QColor(1, 2, 3));
    EXPECT_TRUE(ApplyColourText(colourText(10, "9, 9, 9")));
    EXPECT_EQ(octaveColour(60), QColor(9, 9, 9));
}
