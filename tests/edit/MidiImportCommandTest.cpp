#include <gtest/gtest.h>

#include <QSettings>

#include "edit/EditTextIds.h"
#include "edit/MidiExportCommand.h"
#include "edit/MidiImportCommand.h"
#include "edit/ScoreTextIds.h"
#include "interchange/MidiFile.h"
#include "model/TextTable.h"
#include "storage/StorageSession.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class MidiImportCommand : public IsolatedStorageTest {
  protected:
    // A two-hand file: an overlapping pair in the right hand and a rest in the left.
    QString writeFile() {
        CMidiFile f;
        f.division = 96;
        CMidiTrack right;
        right.name = QStringLiteral("Right Hand");
        right.AddNote(0, 72, 90, 96);
        right.AddNote(0, 76, 90, 192);
        CMidiTrack left;
        left.name = QStringLiteral("Left Hand");
        left.AddNote(0, 48, 80, 96);
        left.AddNote(192, 50, 80, 96);
        f.tracks = {right, left};
        const QString path = workPath(QStringLiteral("piece.mid"));
        EXPECT_TRUE(f.Write(path).ok);
        return path;
    }
    QStringList labels() {
        QStringList out;
        for (const CUndoItem& i : doc.history().undoItems())
            out.append(i.label);
        return out;
    }

    ScriptedPrompts prompts;
    StorageSession session{false};
    CKeystaveDoc doc{session, &prompts};
    MidiImportSteps steps;
    std::optional<MidiImportOptions> answer = MidiImportOptions{};  // OK, nothing ticked
    std::optional<MidiImportOptions> offered;

    void SetUp() override {
        IsolatedStorageTest::SetUp();
        steps.chooseOptions = [this](const MidiImportOptions& current) {
            offered = current;
            return answer;
        };
        doc.hooks.importMidi = [this](CKeystaveDoc& d, const QString& path) {
            return importMidiDocument(d, path, prompts, steps);
        };
    }
};

}  // namespace

TEST_F(MidiImportCommand, OpeningAMidiFileBuildsATwoHandScore) {
    ASSERT_TRUE(doc.open(writeFile()));
    const CScore& s = doc.score();
    // The writer's first track holds the tempo and signatures and no notes.
    ASSERT_EQ(s.trackCount(), 3);
    EXPECT_EQ(s.trackOfPart(Part::RightHand), 1);
    EXPECT_EQ(s.trackOfPart(Part::LeftHand), 2);
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(labels().isEmpty());
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(*offered, MidiImportOptions{});  // nothing stored yet
}

TEST_F(MidiImportCommand, ChosenCleanUpsRunAsUndoStepsAndTheChoiceIsKept) {
    answer =
        MidiImportOptions{.removeOverlapping = true, .extendNotes = true, .shortenNotes = true};
    prompts.answers = {true};  // yes to the overlap question
    ASSERT_TRUE(doc.open(writeFile()));
    EXPECT_EQ(prompts.questions, std::vector<int>{StringId::AskRemoveOverlaps});
    // Shortening finds nothing crossing a bar line after the other two.
    EXPECT_EQ(labels(), (QStringList{text(StringId::RemoveOverlaps), text(StringId::ExtendNotes)}));
    const CTrack& right = doc.score().track(doc.score().trackOfPart(Part::RightHand));
    // The shorter note sharing the start is cut away; the longer one stays (as the tied
    // pieces the chord rebuild made of it).
    ASSERT_FALSE(right.notes.empty());
    for (const CNote& n : right.notes)
        EXPECT_EQ(n.pitch, 76);
    EXPECT_EQ(MidiImportOptions::load(), *answer);
    // Undo takes the clean-ups back one at a time.
    ASSERT_TRUE(doc.history().Undo());
    ASSERT_TRUE(doc.history().Undo());
    EXPECT_EQ(doc.score().track(1).notes.at(0).pitch, 72);
}

TEST_F(MidiImportCommand, PlayedFilesAreQuantisedUnlessTheBoxIsUnticked) {
    // Quarter notes played a few ticks off the beat at 480 ticks a quarter.
    CMidiFile f;
    f.division = 480;
    CMidiTrack played;
    const int32_t offsets[] = {3, -5, 7, -2, 4, -6, 5, -3, 2, -4, 6, -7, 3, -2, 5, -5};
    for (int i = 0; i < 16; ++i)
        played.AddNote(std::max(0, i * 480 + offsets[i]), 60 + i % 5, 80, 400 + offsets[i]);
    f.tracks = {played};
    const QString path = workPath(QStringLiteral("played.mid"));
    ASSERT_TRUE(f.Write(path).ok);
    const auto starts = [this] {
        std::vector<int32_t> out;
        for (const CTrack& t : doc.score().tracks)
            for (const CNote& n : t.notes)
                if (!(n.flags & NoteFlag::TieEnd)) out.push_back(n.time);
        return out;
    };
    std::vector<int32_t> beats;
    for (int i = 0; i < 16; ++i)
        beats.push_back(i * 480);
    answer = MidiImportOptions{};
    ASSERT_TRUE(doc.open(path));
    EXPECT_TRUE(offered->quantise);
    EXPECT_EQ(starts(), beats);
    EXPECT_EQ(doc.score().title, QStringLiteral("played"));
    // Unticked: the file is read again as played, and the choice is kept.
    answer->quantise = false;
    ASSERT_TRUE(doc.open(path));
    EXPECT_NE(starts(), beats);
    EXPECT_FALSE(MidiImportOptions::load().quantise);
    answer->quantise = true;
    ASSERT_TRUE(doc.open(path));
    EXPECT_FALSE(offered->quantise);
    EXPECT_EQ(starts(), beats);
}

TEST_F(MidiImportCommand, CancelInTheOptionsDialogLeavesTheDocumentAsItWas) {
    doc.newDocument();
    const int tracks = doc.score().trackCount();
    answer = std::nullopt;
    EXPECT_FALSE(doc.open(writeFile()));
    ASSERT_TRUE(offered.has_value());
    EXPECT_EQ(doc.score().trackCount(), tracks);
    EXPECT_TRUE(doc.pathName().isEmpty());
    EXPECT_FALSE(doc.isModified());
}

TEST_F(MidiImportCommand, SayingNoToTheOverlapQuestionSkipsOnlyThatStep) {
    answer = MidiImportOptions{.removeOverlapping = true};
    prompts.answers = {false};
    ASSERT_TRUE(doc.open(writeFile()));
    EXPECT_TRUE(labels().isEmpty());
    EXPECT_EQ(doc.score().track(1).notes.at(0).pitch, 72);
}

TEST_F(MidiImportCommand, AnUnreadableFileGivesAnEmptyScoreAndItsMessage) {
    const QString path = workPath(QStringLiteral("broken.mid"));
    ASSERT_TRUE(writeBytes(path, "MThd\x00\x00\x00\x06\x00\x05"));
    ASSERT_TRUE(doc.open(path));
    EXPECT_EQ(doc.score().trackCount(), 0);
    EXPECT_EQ(doc.score().ppqn, 48);
    EXPECT_FALSE(prompts.messages.isEmpty());
}

TEST_F(MidiImportCommand, ExportWritesTheFileAndReportsInTheStatusArea) {
    ASSERT_TRUE(doc.open(writeFile()));
    const QString out = workPath(QStringLiteral("out.mid"));
    EXPECT_TRUE(exportMidiDocument(doc.score(), out, prompts));
    EXPECT_EQ(prompts.statuses.last(), text(StringId::MidiFileSaved));
    CMidiFile back;
    ASSERT_TRUE(back.Read(out).ok);
    EXPECT_EQ(back.tracks.size(), 3u);  // tempo track and the two hands
    EXPECT_FALSE(
        exportMidiDocument(doc.score(), workPath(QStringLiteral("no/such/folder/x.mid")), prompts));
    EXPECT_EQ(prompts.statuses.last(), text(StringId::ErrorSavingMidiFile));
    EXPECT_FALSE(prompts.messages.isEmpty());
}

TEST_F(MidiImportCommand, AOneTrackPianoFileArrivesSplitIntoHands) {
    CMidiFile f;
    f.division = 96;
    CMidiTrack piano;
    piano.name = QStringLiteral("Piano");
    for (int bar = 0; bar < 4; ++bar) {
        piano.AddNote(bar * 384, 43, 80, 384);  // a held bass
        for (int beat = 0; beat < 4; ++beat)
            piano.AddNote(bar * 384 + beat * 96, 72 + beat, 90, 96);
    }
    f.tracks = {piano};
    const QString path = workPath(QStringLiteral("piano.mid"));
    ASSERT_TRUE(f.Write(path).ok);

    answer = std::nullopt;
    steps.chooseOptions = [this](const MidiImportOptions& current) {
        offered = current;
        MidiImportOptions chosen = current;
        return std::optional<MidiImportOptions>(chosen);
    };
    ASSERT_TRUE(doc.open(path));
    ASSERT_TRUE(offered.has_value());
    EXPECT_TRUE(offered->canSplitHands);
    EXPECT_TRUE(offered->splitHands);  // on by default for one note track
    const CScore& s = doc.score();
    EXPECT_EQ(labels(), QStringList{text(StringId::SplitTrack)});
    const int right = s.trackOfPart(Part::RightHand);
    const int left = s.trackOfPart(Part::LeftHand);
    ASSERT_GE(right, 0);
    ASSERT_GE(left, 0);
    for (const CNote& n : s.track(right).notes)
        EXPECT_GE(n.pitch, 72);
    for (const CNote& n : s.track(left).notes)
        EXPECT_EQ(n.pitch, 43);
    EXPECT_FALSE(s.track(left).notes.empty());

    // Declined, the file keeps its one track in the right hand.
    steps.chooseOptions = [](MidiImportOptions current) {
        current.splitHands = false;
        return std::optional<MidiImportOptions>(current);
    };
    ASSERT_TRUE(doc.open(path));
    EXPECT_TRUE(labels().isEmpty());
    EXPECT_LT(doc.score().trackOfPart(Part::LeftHand), 0);
}
