#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "edit/ScoreTextIds.h"
#include "edit/dialogs/SplitTrackDialog.h"
#include "edit/dialogs/TrackDialogs.h"
#include "edit/dialogs/TransposeDialog.h"
#include "model/TextTable.h"

using namespace ks;

namespace {

CScore threeTracks() {
    CScore s;
    s.makeNewDocument();
    CTrack third;
    third.title = QStringLiteral("Bass");
    s.addTrack(third);
    return s;
}

}  // namespace

TEST(TransposeDialog, OpensOnUnisonAndGivesTwelveMinusThePosition) {
    CTransposeDlg dialog;
    ASSERT_EQ(dialog.intervals()->count(), 25);
    EXPECT_EQ(dialog.intervals()->currentItem()->text(), QStringLiteral("+0 (Unison)"));
    EXPECT_EQ(dialog.intervals()->item(24)->text(), QStringLiteral("-12 (Octave)"));
    EXPECT_EQ(dialog.amount(), 0);
    EXPECT_FALSE(dialog.allTracks());
    dialog.intervals()->setCurrentRow(0);
    EXPECT_EQ(dialog.amount(), 12);
    dialog.intervals()->setCurrentRow(17);
    EXPECT_EQ(dialog.amount(), -5);
    dialog.allTracksBox()->setChecked(true);
    EXPECT_TRUE(dialog.allTracks());
}

TEST(TrackDialogs, AddDeleteAndNameStartFromTheirPresets) {
    CTrackAddNewDlg add;
    EXPECT_EQ(add.title(), QStringLiteral("Untitled Track"));
    EXPECT_EQ(add.part(), -1);
    EXPECT_EQ(add.destination()->count(), 5);
    add.destination()->setCurrentIndex(4);
    EXPECT_EQ(add.part(), Part::LeftHand2);

    const CScore s = threeTracks();
    CTrackDeleteDlg remove(s);
    EXPECT_EQ(remove.tracks()->count(), 3);
    EXPECT_EQ(remove.track(), 0);

    CTrackNameDlg name(QStringLiteral("Mélodie 旋律"));
    EXPECT_EQ(name.name(), QStringLiteral("Mélodie 旋律"));
}

TEST(TrackDialogs, MergeRefusesOneTrackTwiceAndStaysOpen) {
    const CScore s = threeTracks();
    CTrackMergeDlg dialog(s);
    std::vector<int> shown;
    dialog.message = [&](QWidget*, int id) { shown.push_back(id); };
    EXPECT_EQ(dialog.first(), 0);
    EXPECT_EQ(dialog.second(), 1);
    EXPECT_EQ(dialog.part(), -1);
    dialog.secondList()->setCurrentIndex(0);
    dialog.show();
    dialog.accept();
    EXPECT_EQ(shown, (std::vector<int>{StringId::MergeWithItself}));
    EXPECT_TRUE(dialog.isVisible());
    dialog.secondList()->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(SplitDialog, PresetsFollowTheCurrentPartAndSameDestinationsAreRefused) {
    CScore s = threeTracks();
    struct Case {
        int hand, source, one, two;
    };
    for (const Case& c : {Case{Part::RightHand, 0, 1, 2}, Case{Part::LeftHand, 1, 3, 4},
                          Case{Part::RightHand2, 0, 1, 3}}) {
        SCOPED_TRACE(c.hand);
        s.selection.hand = c.hand;
        CTrackSplitDlg dialog(s, 60);
        EXPECT_EQ(dialog.source()->currentIndex(), c.source);
        EXPECT_EQ(dialog.destination1()->currentIndex(), c.one);
        EXPECT_EQ(dialog.destination2()->currentIndex(), c.two);
        EXPECT_TRUE(dialog.method(SplitMethod::TopNotes)->isChecked());
    }
    CTrackSplitDlg dialog(s, 60);
    EXPECT_TRUE(dialog.method(SplitMethod::AtPitch)
                    ->text()
                    .endsWith(QStringLiteral("(above or equal to Middle C)")));
    std::vector<int> shown;
    dialog.message = [&](QWidget*, int id) { shown.push_back(id); };
    dialog.destination2()->setCurrentIndex(dialog.destination1()->currentIndex());
    dialog.method(SplitMethod::ChordsLeft)->setChecked(true);
    dialog.show();
    dialog.accept();
    EXPECT_EQ(shown, (std::vector<int>{StringId::SameDestinations}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.request().method, SplitMethod::ChordsLeft);
    EXPECT_EQ(dialog.request().pitch, 60);
    EXPECT_EQ(cursorPitchName(66), QStringLiteral("F#4"));
}
