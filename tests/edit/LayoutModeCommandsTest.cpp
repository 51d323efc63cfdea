#include <gtest/gtest.h>

#include "edit/EditTextIds.h"
#include "edit/LayoutModeCommands.h"
#include "model/TextTable.h"
#include "render/layout/FullRelayout.h"
#include "render/layout/TickMapping.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class LayoutModeCommands : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        score.makeNewDocument();  // 75 bars
        score.prefs.barsperline = 3;
        fullRelayout(score, page);
        history = std::make_unique<CUndoHistory>(&score);
    }
    bool run(LayoutCommand command, int line = 0) {
        LayoutCommandContext c{score, *history, prompts, page, line};
        return runLayoutCommand(command, c);
    }
    QStringList labels() const {
        QStringList out;
        for (const CUndoItem& i : history->undoItems())
            out.append(i.label);
        return out;
    }

    CScore score;
    PageGeometry page = pageGeometryFor({});
    ScriptedPrompts prompts;
    std::unique_ptr<CUndoHistory> history;
};

}  // namespace

TEST_F(LayoutModeCommands, BarsInLineRecordsALineStepAndUndoes) {
    ASSERT_TRUE(run(LayoutCommand::IncreaseBarsInLine, 1));
    EXPECT_EQ(score.lines[1].barCount, 4);
    EXPECT_EQ(score.lines[1].barsInLine, 4);
    ASSERT_EQ(history->undoItems().size(), 1u);
    EXPECT_EQ(history->undoItems()[0].label, text(StringId::ChangeBarsPerLine));
    EXPECT_EQ(history->undoItems()[0].kind, UndoKind::Line);
    EXPECT_EQ(history->undoItems()[0].index, 1);
    ASSERT_TRUE(history->Undo());
    fullRelayout(score, page);
    EXPECT_EQ(score.lines[1].barCount, 0);
    EXPECT_EQ(score.lines[1].barsInLine, 3);
}

TEST_F(LayoutModeCommands, CommandsThatChangeNothingLeaveNoStep) {
    score.lines[0].barCount = 1;
    EXPECT_FALSE(run(LayoutCommand::DecreaseBarsInLine, 0));  // already at one bar
    EXPECT_FALSE(run(LayoutCommand::ResetBarsInLine, 2));     // nothing to reset
    EXPECT_TRUE(history->undoItems().empty());
    EXPECT_FALSE(history->IsModified());
}

TEST_F(LayoutModeCommands, ResetsAskFirstAndNoLeavesEverything) {
    score.lines[2].size = 0.5;
    score.lines[2].y = 7;
    fullRelayout(score, page);
    prompts.answers = {false};
    EXPECT_FALSE(run(LayoutCommand::ResetStavePositions));
    EXPECT_EQ(prompts.questions, std::vector<int>{StringId::AskResetLinePositions});
    EXPECT_EQ(score.lines[2].size, 0.5);
    EXPECT_TRUE(history->undoItems().empty());

    prompts.answers = {true};
    ASSERT_TRUE(run(LayoutCommand::ResetStavePositions));
    EXPECT_EQ(score.lines[2].size, 1.0);
    EXPECT_EQ(score.lines[2].y, 0);
    EXPECT_EQ(labels(), QStringList{text(StringId::ResetLinePositioning)});
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(score.lines[2].size, 0.5);
    EXPECT_EQ(score.lines[2].y, 7);
}

TEST_F(LayoutModeCommands, ResetThenAutoSpaceIsTwoSteps) {
    score.lines[1].y = 40;
    score.prefs.textoffset2 = 3;
    fullRelayout(score, page);
    prompts.answers = {true};
    ASSERT_TRUE(run(LayoutCommand::ResetAndAutoSpace));
    EXPECT_EQ(score.prefs.textoffset2, 0);
    // The reset lines are stacked at their natural distances; spacing them out over the
    // pages moves them again, as a step of its own.
    EXPECT_EQ(labels(),
              (QStringList{text(StringId::ResetLayout), text(StringId::AutoSpaceLinesOnPages)}));
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(labels(), QStringList{text(StringId::ResetLayout)});
}

TEST_F(LayoutModeCommands, LineSizeStepsAreKeptInRange) {
    score.lines[0].size = 2.0;
    fullRelayout(score, page);
    EXPECT_FALSE(run(LayoutCommand::LengthenLine));
    ASSERT_TRUE(run(LayoutCommand::ShortenLine));
    EXPECT_DOUBLE_EQ(score.lines[0].size, 1.995);
    EXPECT_EQ(labels(), QStringList{text(StringId::SetLineSize)});
}

TEST_F(LayoutModeCommands, MarksLeftOfTheMarginMoveToIt) {
    // Shift the first line far left, as repeated auto adjustments of a cropped start can.
    score.lines[0].x = -40;
    fullRelayout(score, page);
    CEvent words;
    words.type = EventType::Annotation;
    words.time = 0;
    words.text = QStringLiteral("dolce");
    score.annotationTrack.addEvent(words);
    ASSERT_LT(tickToX(score, 0, 0), page.left());
    EXPECT_TRUE(moveMarksToLeftMargin(score, page));
    const CEvent& moved = score.annotationTrack.events.at(0);
    EXPECT_GT(moved.time, 0);
    EXPECT_GE(tickToX(score, 0, moved.time), page.left());
    EXPECT_LT(tickToX(score, 0, moved.time - 1), page.left());
    // Marks already right of the margin stay.
    EXPECT_FALSE(moveMarksToLeftMargin(score, page));
}
