#include <gtest/gtest.h>

#include "edit/ScoreCommands.h"
#include "edit/ScoreTextIds.h"
#include "edit/SelectionOps.h"
#include "model/TextTable.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class ScoreCommands : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        score.makeNewDocument();  // 75 bars, two empty tracks in the hands
        score.tracks[0].title = QStringLiteral("Melody");
        score.tracks[0].addNote({.time = 0, .duration = 96, .pitch = 72});
        score.tracks[0].addNote({.time = 96, .duration = 96, .pitch = 74});
        score.tracks[1].addNote({.time = 0, .duration = 192, .pitch = 48});
        score.rebuildAllTracks();
        history = std::make_unique<CUndoHistory>(&score);
    }
    ScoreCommandContext context() { return {score, *history, prompts}; }
    struct Step {
        QString label;
        int32_t kind, index;
        bool operator==(const Step&) const = default;
    };
    std::vector<Step> steps() const {
        std::vector<Step> out;
        for (const CUndoItem& i : history->undoItems())
            out.push_back({i.label, i.kind, i.index});
        return out;
    }

    CScore score;
    ScriptedPrompts prompts;
    std::unique_ptr<CUndoHistory> history;
};

}  // namespace

TEST_F(ScoreCommands, EachCommandRecordsItsLabelAndScopeAndUndoes) {
    struct Case {
        const char* name;
        std::function<bool(ScoreCommandContext&)> run;
        int label;
        int32_t kind, index;
    };
    const std::vector<Case> cases = {
        {"insert bar", [](auto& c) { return runInsertBar(c, 0); }, StringId::InsertBar,
         UndoKind::Score, 0},
        {"delete bar", [](auto& c) { return runDeleteBar(c, 0); }, StringId::DeleteBar,
         UndoKind::Score, 0},
        {"transpose one", [](auto& c) { return runTranspose(c, 2, false, 1); },
         StringId::TransposeTrack, UndoKind::Track, 1},
        {"transpose all", [](auto& c) { return runTranspose(c, -3, true, 0); },
         StringId::TransposeAllTracks, UndoKind::Score, 0},
        {"add track", [](auto& c) { return runAddTrack(c, QStringLiteral("X"), 1); },
         StringId::AddTrack, UndoKind::Score, 0},
        {"delete track", [](auto& c) { return runDeleteTrack(c, 0); }, StringId::DeleteTrack,
         UndoKind::Score, 0},
        {"merge", [](auto& c) { return runMergeTracks(c, 0, 1, 0); }, StringId::MergeTracks,
         UndoKind::Score, 0},
        {"split",
         [](auto& c) {
             return runSplitTrack(c, {.source = 0, .destination1 = 0, .destination2 = 1});
         },
         StringId::SplitTrack, UndoKind::Score, 0},
        {"auto length", [](auto& c) { return runAutoNoteLength(c, 1, {0}); },
         StringId::AutoNoteLength, UndoKind::Score, 0},
        {"phrase",
         [](auto& c) {
             return runMakePhrase(c, 0, {0, 1});
         },
         StringId::MakePhrase, UndoKind::Track, 0},
        {"stems", [](auto& c) { return runFlipStems(c, 0, {0}); }, StringId::FlipNoteStems,
         UndoKind::Track, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const CScore before = score;
        ScoreCommandContext ctx = context();
        ASSERT_TRUE(c.run(ctx));
        EXPECT_EQ(steps(), (std::vector<Step>{{text(c.label), c.kind, c.index}}));
        ASSERT_TRUE(history->Undo());
        EXPECT_EQ(score.length, before.length);
        ASSERT_EQ(score.trackCount(), before.trackCount());
        for (int t = 0; t < score.trackCount(); ++t)
            EXPECT_EQ(score.track(t).notes, before.track(t).notes);
        EXPECT_EQ(score.parts, before.parts);
    }
}

TEST_F(ScoreCommands, RefusedCommandsAndCommandsThatChangeNothingLeaveNoStep) {
    ScoreCommandContext c = context();
    EXPECT_FALSE(runTranspose(c, 0, true, 0));
    EXPECT_FALSE(runTranspose(c, 3, false, 9));
    EXPECT_FALSE(runInsertBar(c, 76));
    EXPECT_FALSE(runDeleteBar(c, 75));
    EXPECT_FALSE(runDeleteTrack(c, 2));
    EXPECT_FALSE(runAutoNoteLength(c, 0, {0}));  // already reaches the next note
    EXPECT_FALSE(runRemovePhrase(c, 0, 0));
    EXPECT_FALSE(runMakePhrase(c, -1, {0}));
    EXPECT_FALSE(runFlipStems(c, 0, {}));
    EXPECT_TRUE(steps().empty());
    EXPECT_TRUE(prompts.messageIds.empty());
}

TEST_F(ScoreCommands, CropAsksFirstAndNoKeepsEverything) {
    ScoreCommandContext c = context();
    EXPECT_FALSE(runCropToBars(c, 0, 1));
    EXPECT_EQ(prompts.questions, (std::vector<int>{StringId::AskCropBars}));
    EXPECT_TRUE(steps().empty());
    EXPECT_EQ(score.barCount(), 75);

    prompts.answers = {true};
    ASSERT_TRUE(runCropToNotes(c, 0, 1, 0, {1}));
    EXPECT_EQ(prompts.questions.back(), StringId::AskCropNotes);
    EXPECT_EQ(score.barCount(), 2);
    EXPECT_EQ(score.track(0).notes.size(), 1);
    EXPECT_EQ(score.track(1).notes.size(), 0);
    EXPECT_EQ(prompts.statuses,
              (QStringList{text(StringId::CroppingSelection), text(StringId::CroppingComplete)}));
    EXPECT_EQ(steps().size(), 1u);
}

TEST_F(ScoreCommands, MergeAndSplitRefuseWithTheirMessages) {
    ScoreCommandContext c = context();
    EXPECT_FALSE(runMergeTracks(c, 1, 1, -1));
    EXPECT_FALSE(runSplitTrack(c, {.source = 0, .destination1 = 2, .destination2 = 2}));
    EXPECT_EQ(prompts.messages,
              (QStringList{text(StringId::MergeWithItself), text(StringId::SameDestinations)}));
    EXPECT_TRUE(steps().empty());
}

TEST_F(ScoreCommands, SplitNamesItsTracksAfterTheSource) {
    ScoreCommandContext c = context();
    ASSERT_TRUE(runSplitTrack(c, {.source = 0,
                                  .destination1 = Part::RightHand,
                                  .destination2 = Part::RightHand2,
                                  .method = SplitMethod::TopNotes}));
    EXPECT_EQ(score.track(2).title, QStringLiteral("Melody (Split 1)"));
    EXPECT_EQ(score.track(3).title, QStringLiteral("Melody (Split 2)"));
    EXPECT_EQ(score.parts, (std::array<int32_t, 4>{3, 4, 2, 0}));
    EXPECT_EQ(prompts.statuses.back(), text(StringId::SplittingComplete));
}

TEST_F(ScoreCommands, SelectedNotesComeFromTheSelectionOfTheCurrentPart) {
    score.selection.hand = Part::RightHand;
    score.selection.timestart = 0;
    score.selection.timeend = 192;
    score.selection.pitchlo = 80;  // the top of the box
    score.selection.pitchhi = 70;
    selectAtCursor(score, false);
    EXPECT_EQ(selectedNotes(score), (std::vector<int>{0, 1}));
    // A note taken out of the selection (Shift+click) is no longer selected, though it
    // lies in the box.
    score.selection.notes.erase(score.selection.notes.begin());
    EXPECT_EQ(selectedNotes(score), (std::vector<int>{1}));
    score.selection.hand = Part::RightHand2;  // an empty part
    EXPECT_TRUE(selectedNotes(score).empty());
}
