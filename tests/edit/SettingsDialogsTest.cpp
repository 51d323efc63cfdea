#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "edit/ScoreTextIds.h"
#include "edit/dialogs/LyricSettingsDialog.h"
#include "edit/dialogs/ScoreSettingsDialog.h"
#include "model/TextTable.h"
#include "tests/storage/DocumentTestUtil.h"

using namespace ks;
using namespace ks::test;

namespace {

class SettingsDialogs : public IsolatedStorageTest {
  protected:
    void SetUp() override {
        IsolatedStorageTest::SetUp();
        score.makeNewDocument();
        score.title = QStringLiteral("Old");
        score.tracks[0].title = QStringLiteral("Upper");
        score.tracks[1].title = QStringLiteral("Lower");
        history = std::make_unique<CUndoHistory>(&score);
    }
    CScore score;
    std::unique_ptr<CUndoHistory> history;
    int relayouts = 0;
    std::function<void()> relayout = [this] { ++relayouts; };
};

}  // namespace

TEST_F(SettingsDialogs, ScoreSettingsPreviewsEachChangeAndIsOneStep) {
    CScoreSettingsDlg dialog(score, *history, relayout);
    EXPECT_EQ(dialog.titleEdit()->text(), QStringLiteral("Old"));
    EXPECT_EQ(dialog.partList(0)->currentText(), QStringLiteral("Upper"));
    EXPECT_EQ(dialog.partList(1)->currentText(), text(StringId::SsNoTrack));
    EXPECT_EQ(dialog.keyList()->currentText(), QStringLiteral("C Major"));

    dialog.titleEdit()->setText(QStringLiteral("Новое"));
    emit dialog.titleEdit()->textEdited(dialog.titleEdit()->text());
    EXPECT_EQ(score.title, QStringLiteral("Новое"));
    // The lower track moves to the right hand's second part; the left hand loses it.
    dialog.partList(1)->setCurrentIndex(dialog.partList(1)->findText(QStringLiteral("Lower")));
    EXPECT_EQ(score.parts, (std::array<int32_t, 4>{1, 2, 0, 0}));
    EXPECT_EQ(dialog.partList(2)->currentText(), text(StringId::SsNoTrack));
    dialog.minorBox()->setChecked(true);
    dialog.keyList()->setCurrentIndex(8);
    EXPECT_EQ(dialog.keyList()->currentText(), QStringLiteral("D Minor"));
    EXPECT_EQ(score.keyAtBar(0), 23);
    EXPECT_GT(relayouts, 0);
    dialog.accept();
    ASSERT_EQ(history->undoItems().size(), 1u);
    EXPECT_EQ(history->undoItems()[0].label, text(StringId::ScoreSettingsStep));
    ASSERT_TRUE(history->Undo());
    EXPECT_EQ(score.title, QStringLiteral("Old"));
    EXPECT_EQ(score.parts, (std::array<int32_t, 4>{1, 0, 2, 0}));
}

TEST_F(SettingsDialogs, CancelRestoresAndANewTrackIsCreatedOnOk) {
    {
        CScoreSettingsDlg dialog(score, *history, relayout);
        dialog.artistEdit()->setText(QStringLiteral("Someone"));
        emit dialog.artistEdit()->textEdited(QStringLiteral("Someone"));
        EXPECT_EQ(score.artist, QStringLiteral("Someone"));
        dialog.reject();
        EXPECT_TRUE(score.artist.isEmpty());
        EXPECT_TRUE(history->undoItems().empty());
    }
    CScoreSettingsDlg dialog(score, *history, relayout);
    std::vector<int> shown;
    dialog.message = [&](QWidget*, int id) { shown.push_back(id); };
    dialog.askName = [](const QString&) { return std::optional<QString>(QStringLiteral("Alto")); };
    QComboBox* second = dialog.partList(1);
    second->setCurrentIndex(second->count() - 1);  // "(new Track)"
    dialog.renamePart(1);
    EXPECT_EQ(shown, (std::vector<int>{StringId::RenameMissingTrack}));
    EXPECT_EQ(score.trackCount(), 2);  // not before OK
    dialog.renamePart(0);              // an existing track is renamed at once
    EXPECT_EQ(score.track(0).title, QStringLiteral("Alto"));
    dialog.accept();
    ASSERT_EQ(score.trackCount(), 3);
    EXPECT_EQ(score.track(2).title, QStringLiteral("Alto"));
    EXPECT_EQ(score.trackOfPart(1), 2);
    EXPECT_EQ(history->undoItems().size(), 1u);
}

TEST_F(SettingsDialogs, AnUntouchedDialogLeavesNoStep) {
    score.prefs.key = -1;  // no key: opening and closing keeps it so
    CScoreSettingsDlg(score, *history, relayout).accept();
    CLyricSettingsDlg(score, *history, relayout).accept();
    EXPECT_TRUE(history->undoItems().empty());
    EXPECT_EQ(score.prefs.key, -1);
}

TEST_F(SettingsDialogs, LyricSettingsMapTheListsToTheStoredValues) {
    score.prefs.lyricalign = 2;
    score.prefs.lyricposition = 0;
    CLyricSettingsDlg dialog(score, *history, relayout);
    EXPECT_EQ(dialog.alignment()->currentText(), QStringLiteral("Left"));
    EXPECT_EQ(dialog.position()->currentText(), QStringLiteral("Above Right Hand"));
    EXPECT_EQ(dialog.offset(0)->value(), score.prefs.textoffset1);
    dialog.alignment()->setCurrentIndex(1);
    dialog.position()->setCurrentIndex(2);
    dialog.offset(2)->setValue(-40);
    EXPECT_EQ(score.prefs.lyricalign, 0);
    EXPECT_EQ(score.prefs.lyricposition, 2);
    EXPECT_EQ(score.prefs.textoffset3, -40);
    dialog.reject();
    EXPECT_EQ(score.prefs.lyricalign, 2);
    EXPECT_EQ(score.prefs.textoffset3, 0);
    EXPECT_TRUE(history->undoItems().empty());
}
