// The General MIDI program names in the text table.
#include <gtest/gtest.h>

#include "model/GeneralMidi.h"
#include "model/TextTable.h"

#include <QSet>

using namespace ks;

TEST(GeneralMidi, EveryProgramHasItsOwnName) {
    EXPECT_EQ(generalMidiProgramName(0), "Acoustic Grand Piano");
    EXPECT_EQ(generalMidiProgramName(40), "Violin");
    EXPECT_EQ(generalMidiProgramName(127), "Gunshot");
    QSet<QString> names;
    for (int p = 0; p < 128; ++p) {
        const QString name = generalMidiProgramName(p);
        EXPECT_FALSE(name.isEmpty()) << p;
        EXPECT_NE(name, QString::fromLatin1(TextTable::kFallback)) << p;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 128);
    EXPECT_EQ(generalMidiProgramName(-1), "");
    EXPECT_EQ(generalMidiProgramName(128), "");
}
