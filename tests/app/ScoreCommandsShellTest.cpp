// The score commands in the editor: the Score menu, its enabling, and the commands run
// through the frame with scripted dialogs.
#include <gtest/gtest.h>

#include <QFile>
#include <QUuid>

#include "app/AppSettings.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/DefaultSettings.h"
#include "app/KeystaveApp.h"
#include "app/MainFrame.h"
#include "app/ScoreDialogs.h"
#include "app/ScoreEditCommands.h"
#include "playback/RecordingDevice.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

class ScriptedScoreDialogs : public IScoreDialogs {
  public:
    std::optional<TransposeChoice> transpose;
    std::optional<NewTrackChoice> newTrack;
    std::optional<int> deleteTrack;
    std::optional<MergeChoice> merge;
    std::optional<SplitRequest> split;
    int settingsShown = 0;

    std::optional<TransposeChoice> chooseTranspose() override { return transpose; }
    std::optional<NewTrackChoice> chooseNewTrack() override { return newTrack; }
    std::optional<int> chooseTrackToDelete(const CScore&) override { return deleteTrack; }
    std::optional<MergeChoice> chooseMerge(const CScore&) override { return merge; }
    std::optional<SplitRequest> chooseSplit(const CScore&, int) override { return split; }
    void scoreSettings(CScore& score, CUndoHistory& history,
                       const std::function<void()>& relayout) override {
        ++settingsShown;
        history.Push(QStringLiteral("Score Settings"), UndoKind::Score);
        score.title = QStringLiteral("Set");
        relayout();
    }
    void lyricSettings(CScore&, CUndoHistory&, const std::function<void()>&) override {
        ++settingsShown;
    }
};

class ScoreCommandsShell : public ::testing::Test {
  protected:
    void SetUp() override {
        programSettings()->clear();
        programSettings()->setValue("FirstRun", 1);
        QFile::remove(defaultSettingsPath());
        app = std::make_unique<CKeystaveApp>(
            ui, AppOptions{.instanceName = QStringLiteral("ks-score-") +
                                           QUuid::createUuid().toString(QUuid::Id128),
                           .splash = false,
                           .showWindow = false,
                           .playback = {.device = &device}});
        ASSERT_TRUE(app->start({}));
        child = app->frame()->activeChild();
        ASSERT_NE(child, nullptr);
        child->scoreCommands().setDialogs(dialogs);
    }
    void TearDown() override {
        app.reset();
        programSettings()->clear();
    }
    CScore& score() { return child->document().score(); }
    bool enabled(int id) {
        app->frame()->updateCommandStates();
        return app->frame()->action(id) && app->frame()->action(id)->isEnabled();
    }

    FakeUserInterface ui;
    RecordingDevice device;
    ScriptedScoreDialogs dialogs;
    std::unique_ptr<CKeystaveApp> app;
    CChildFrame* child = nullptr;
};

}  // namespace

TEST_F(ScoreCommandsShell, MenuItemsFollowWhatTheCommandsNeed) {
    // A new document: two empty tracks, Page mode.
    EXPECT_TRUE(enabled(Cmd::AddTrack));
    EXPECT_TRUE(enabled(Cmd::MergeTracks));
    EXPECT_TRUE(enabled(Cmd::SplitTrack));
    EXPECT_TRUE(enabled(Cmd::ScoreSettings));
    EXPECT_TRUE(enabled(Cmd::LyricSettings));
    EXPECT_FALSE(enabled(Cmd::InsertBarBefore));  // bars are edited in Music mode
    EXPECT_FALSE(enabled(Cmd::DeleteBar));
    EXPECT_FALSE(enabled(Cmd::FlipStems));        // no note selected
    EXPECT_FALSE(enabled(Cmd::AllocateRightHand));  // no track highlighted
    score().selection.selecttrack = 1;
    EXPECT_TRUE(enabled(Cmd::AllocateRightHand));
    EXPECT_TRUE(app->frame()->action(Cmd::AllocateRightHand + 2)->isChecked());
    dialogs.deleteTrack = 0;
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::DeleteTrack));
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::DeleteTrack));
    EXPECT_EQ(score().trackCount(), 0);
    EXPECT_FALSE(enabled(Cmd::MergeTracks));
    EXPECT_FALSE(enabled(Cmd::DeleteTrack));
    EXPECT_FALSE(enabled(Cmd::TransposeTracks));
}

TEST_F(ScoreCommandsShell, TrackCommandsChangeTheDocumentAndUndo) {
    dialogs.newTrack = NewTrackChoice{QStringLiteral("Voice"), Part::RightHand2};
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::AddTrack));
    ASSERT_EQ(score().trackCount(), 3);
    EXPECT_EQ(score().trackOfPart(Part::RightHand2), 2);
    EXPECT_TRUE(child->document().isModified());

    score().tracks[0].addNote({.time = 0, .duration = 96, .pitch = 72});
    score().tracks[0].addNote({.time = 0, .duration = 96, .pitch = 48});
    score().rebuildTrack(0);
    dialogs.split = SplitRequest{.source = 0,
                                 .destination1 = Part::RightHand,
                                 .destination2 = Part::LeftHand,
                                 .method = SplitMethod::AtPitch,
                                 .pitch = 60};
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::SplitTrack));
    EXPECT_EQ(score().trackCount(), 5);
    EXPECT_EQ(score().parts, (std::array<int32_t, 4>{4, 3, 5, 0}));

    dialogs.transpose = TransposeChoice{12, true};
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::TransposeTracks));
    EXPECT_EQ(score().track(3).notes.at(0).pitch, 84);
    app->frame()->routeCommand(Cmd::EditUndo);
    EXPECT_EQ(score().track(3).notes.at(0).pitch, 72);
    app->frame()->routeCommand(Cmd::EditUndo);
    EXPECT_EQ(score().trackCount(), 3);

    score().selection.selecttrack = 2;
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::AllocateRightHand));
    EXPECT_EQ(score().parts, (std::array<int32_t, 4>{3, 0, 2, 0}));
    ASSERT_TRUE(app->frame()->routeCommand(Cmd::ScoreSettings));
    EXPECT_EQ(score().title, QStringLiteral("Set"));
    EXPECT_EQ(dialogs.settingsShown, 1);
}
