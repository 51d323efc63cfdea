// The elements undo snapshots are made of: one track, bar or line restored into a
// target index, the settings, and the selection.
#include <gtest/gtest.h>

#include "ScoreFileTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

// Writes a snapshot document with `content` and reads it back into `target`.
template <class Content>
void roundTrip(CScore& target, int index, Content content, const CSelection& selection) {
    CMarkupFile file;
    ScoreWriter w(file);
    w.open(QStringLiteral("keystaves"));
    content(w);
    w.writeSelection(selection);
    w.close(QStringLiteral("keystaves"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("snap.tmp"));
    ASSERT_TRUE(file.Save(path));
    CMarkupFile back;
    ASSERT_TRUE(back.Load(path));
    ScoreReader reader(target, nullptr);
    reader.setUndoTarget(index);
    ASSERT_TRUE(reader.readCurrent(back).ok);
}

}  // namespace

TEST(ScoreSnapshot, TrackStepReplacesTheTargetTrackAndRebuildsIt) {
    CScore s;
    s.makeNewDocument();
    CTrack saved = s.track(1);
    saved.title = QStringLiteral("Bass");
    saved.addNote({.time = 0, .duration = 500, .pitch = 40});
    CSelection sel;
    sel.hand = 2;
    sel.timestart = 96;
    sel.lyricindex = 3;
    sel.selecttrack = 1;
    s.tracks[1].addNote({.time = 96, .duration = 96, .pitch = 41});
    s.selection.layoutbar = 9;
    roundTrip(
        s, 1,
        [&](ScoreWriter& w) {
            w.open(QStringLiteral("undo"));
            w.writeTrack(saved);
            w.close(QStringLiteral("undo"));
        },
        sel);
    const CTrack& t = s.track(1);
    EXPECT_EQ(t.title, QStringLiteral("Bass"));
    ASSERT_EQ(t.notes.size(), 1);
    EXPECT_EQ(t.notes.at(0).duration, 500);
    EXPECT_TRUE(t.chordsvalid);
    ASSERT_EQ(t.chords.size(), 2);
    EXPECT_EQ(t.chords.at(1).time, 500);
    EXPECT_EQ(s.track(0).notes.size(), 0);
    EXPECT_EQ(s.trackCount(), 2);
    EXPECT_EQ(s.selection.hand, 2);
    EXPECT_EQ(s.selection.lyricindex, 3);
    EXPECT_EQ(s.selection.layoutbar, 0);  // absent: 0
    EXPECT_EQ(s.selection.selecttrack, 1);
}

TEST(ScoreSnapshot, BarAndLineStepsRestoreDefaultsToo) {
    CScore s;
    s.makeNewDocument();
    CScoreBar defaults;
    defaults.index = 3;
    s.bars[3].width = 300;
    s.bars[3].styleLeft = 2;
    roundTrip(
        s, 3,
        [&](ScoreWriter& w) {
            w.open(QStringLiteral("undo"));
            w.writeBar(defaults, true);
            w.close(QStringLiteral("undo"));
        },
        s.selection);
    EXPECT_EQ(s.bars[3].width, 128);
    EXPECT_EQ(s.bars[3].styleLeft, 0);

    s.lines.resize(2);
    s.lines[1].size = 1.5;
    s.lines[1].yt = 3;
    roundTrip(
        s, 1,
        [&](ScoreWriter& w) {
            w.open(QStringLiteral("undo"));
            w.writeLine(CScoreLine{});
            w.close(QStringLiteral("undo"));
        },
        s.selection);
    EXPECT_EQ(s.lines[1].size, 1.0);
    EXPECT_EQ(s.lines[1].yt, kLineYtUnset);
}

TEST(ScoreSnapshot, SettingsStepAtTheRoot) {
    CScore s;
    CScore other;
    other.prefs.fontsize = 90;
    other.prefs.colourmode = 1;
    other.midi.program = 5;
    other.font.name = QStringLiteral("Courier");
    other.prefs.grid = 7;
    roundTrip(
        s, -1, [&](ScoreWriter& w) { w.writePreferences(other); }, s.selection);
    EXPECT_EQ(s.prefs.fontsize, 90);
    EXPECT_EQ(s.prefs.colourmode, 1);
    EXPECT_EQ(s.midi.program, 5);
    EXPECT_EQ(s.font.name, QStringLiteral("Courier"));
    EXPECT_EQ(s.prefs.grid, 7);
}
