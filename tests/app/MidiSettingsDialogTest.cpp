// The MIDI Settings dialog and the MIDI input device chooser: digit-only boxes, the
// limits applied on OK, the previews, the undo step, the MIDI input settings written on
// OK, and the chooser's monitor and its "No Input Device is Available".
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "app/AppSettings.h"
#include "app/AppTextIds.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/MidiDeviceDialog.h"
#include "app/MidiSettingsDialog.h"
#include "app/PlaybackControl.h"
#include "model/PlaybackTempo.h"
#include "model/TextTable.h"
#include "playback/MidiPorts.h"
#include "playback/PlaybackStrings.h"
#include "playback/RecordingDevice.h"
#include "storage/KeystaveDoc.h"
#include "storage/StorageSession.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

using Bytes = std::array<uint8_t, 3>;

std::vector<Bytes> bytesOf(const RecordingDevice& device) {
    std::vector<Bytes> out;
    for (const RecordingDevice::Message& m : device.messages())
        out.push_back(m.count == 2 ? Bytes{m.bytes[0], m.bytes[1], 0} : m.bytes);
    return out;
}

// An input port that only stays open; messages are handed to the input directly.
class QuietPort : public midiports::InputPort {};

class MidiSettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        programSettings()->clear();
        playback = std::make_unique<PlaybackControl>(
            ui, PlaybackOptions{
                    .device = &device,
                    .clock = CPlayBackEngine::Clock::Manual,
                    .inputOpener = [this](int number,
                                          std::function<void(const std::vector<unsigned char>&)>,
                                          QString&) -> std::unique_ptr<midiports::InputPort> {
                        opened.push_back(number);
                        return std::make_unique<QuietPort>();
                    },
                    .inputNames = [this] { return inputNames; },
                    .outputNames =
                        [] {
                            return QStringList{"Synth", "Port A"};
                        }});
        child = new CChildFrame(session, ui);
        child->setPlayback(playback.get());
        child->newDocument();
    }
    void TearDown() override {
        delete child;
        playback.reset();
        programSettings()->clear();
    }
    CScore& score() { return child->document().score(); }
    std::unique_ptr<CMidiSettingsDlg> dialog() {
        auto d = std::make_unique<CMidiSettingsDlg>(*playback, score());
        d->setPreviewWait([](int) {});
        return d;
    }
    // Runs the settings command; `answer` fills in and closes the dialog.
    void runSettings(std::function<void(CMidiSettingsDlg&)> answer) {
        QTimer::singleShot(0, [answer] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<CMidiSettingsDlg*>(w); d && d->isVisible()) {
                    d->setPreviewWait([](int) {});
                    answer(*d);
                    return;
                }
            ADD_FAILURE() << "no dialog";
        });
        child->runCommand(Cmd::MidiSettings);
    }

    StorageSession session{false};
    FakeUserInterface ui;
    RecordingDevice device;
    QStringList inputNames{"Keys A", "Keys B", "Keys C"};
    std::vector<int> opened;
    std::unique_ptr<PlaybackControl> playback;
    CChildFrame* child = nullptr;
};

TEST_F(MidiSettingsDialog, ShowsTheSettingsOneBased) {
    score().midi.channel = 15;
    score().midi.program = 40;
    score().midi.tickpitch = 37;
    score().prefs.cursorstyle = 1;
    auto d = dialog();
    EXPECT_EQ(d->windowTitle(), "MIDI Settings...");
    EXPECT_EQ(d->deviceList()->count(), 2);
    EXPECT_EQ(d->channelList()->currentText(), "16");
    // Instruments by number and General MIDI name; the metronome's pitch by number.
    EXPECT_EQ(d->instrumentList()->currentText(), "41 Violin");
    EXPECT_EQ(d->instrumentList()->count(), 128);
    EXPECT_EQ(d->metronomeInstrumentList()->itemText(127), "128 Gunshot");
    EXPECT_EQ(d->metronomePitchList()->currentText(), "38");
    // The metronome is off: its fields wait until it is switched on.
    EXPECT_FALSE(d->metronomeBox()->isChecked());
    EXPECT_FALSE(d->metronomeChannelList()->isEnabled());
    EXPECT_FALSE(d->metronomePitchList()->isEnabled());
    d->metronomeBox()->setChecked(true);
    EXPECT_TRUE(d->metronomeInstrumentList()->isEnabled());
    EXPECT_TRUE(d->metronomePitchList()->isEnabled());
    EXPECT_EQ(d->cursorStyleList()->currentText(), "Highlight Notes");
    EXPECT_EQ(d->cursorStepList()->count(), 2);
    EXPECT_EQ(d->tempoBox()->text(), "120");
    EXPECT_FALSE(d->setDeviceButton()->isEnabled());
}

TEST_F(MidiSettingsDialog, BoxesKeepDigitsAndOkKeepsTheLimits) {
    struct Case {
        QString tempo, velocity, compression;
        int32_t tempoOut, velocityOut, compressionOut;
    } cases[] = {
        {"5", "200", "", 20, 127, 0},
        {"1000", "0", "101", 900, 0, 100},
        {"9x0", "6-4", "5%0", 90, 64, 50},
        {"99999999999999999999", "99999999999999", "7", 900, 127, 7},
    };
    for (const Case& c : cases) {
        auto d = dialog();
        d->tempoBox()->setText(c.tempo);
        d->velocityBox()->setText(c.velocity);
        d->compressionBox()->setText(c.compression);
        d->channelList()->setCurrentIndex(15);
        d->accept();
        EXPECT_EQ(score().midi.tempo, c.tempoOut) << c.tempo.toStdString();
        EXPECT_EQ(playbackTempo(score()), c.tempoOut) << c.tempo.toStdString();
        EXPECT_EQ(score().midi.velocity, c.velocityOut) << c.velocity.toStdString();
        EXPECT_EQ(score().midi.compression, c.compressionOut) << c.compression.toStdString();
        EXPECT_EQ(score().midi.channel, 15);
    }
    // Typing: letters vanish at once; an emptied tempo box shows 1, velocity 0.
    auto d = dialog();
    d->tempoBox()->clear();
    EXPECT_EQ(d->tempoBox()->text(), "1");
    d->tempoBox()->selectAll();
    QTest::keyClicks(d->tempoBox(), "7a5");
    EXPECT_EQ(d->tempoBox()->text(), "75");
    d->velocityBox()->clear();
    EXPECT_EQ(d->velocityBox()->text(), "0");
}

TEST_F(MidiSettingsDialog, ChoosingSoundsPlaysPreviews) {
    auto d = dialog();
    d->channelList()->setCurrentIndex(2);
    d->instrumentList()->setCurrentIndex(40);
    device.clear();
    emit d->instrumentList()->activated(40);
    EXPECT_EQ(bytesOf(device),
              (std::vector<Bytes>{{0xB2, 7, 127}, {0xC2, 40, 0}, {0x92, 64, 100}, {0x82, 64, 0}}));
    device.clear();
    d->testButton()->click();
    EXPECT_EQ(bytesOf(device).size(), 4u);

    d->metronomeChannelList()->setCurrentIndex(9);
    d->metronomeInstrumentList()->setCurrentIndex(3);
    d->metronomePitchList()->setCurrentIndex(75);
    device.clear();
    emit d->metronomeChannelList()->activated(9);
    EXPECT_EQ(bytesOf(device), (std::vector<Bytes>{{0xC9, 3, 0}, {0x99, 75, 60}, {0x89, 75, 0}}));
    device.clear();
    emit d->metronomePitchList()->activated(75);
    EXPECT_EQ(bytesOf(device), (std::vector<Bytes>{{0x99, 75, 60}, {0x89, 75, 0}}));
}

TEST_F(MidiSettingsDialog, OkIsOneUndoStepAndCancelLeavesNone) {
    child->relayout();
    score().playbackCursor = 384;
    runSettings([](CMidiSettingsDlg& d) {
        d.tempoBox()->setText("90");
        d.accept();
    });
    EXPECT_EQ(playbackTempo(score()), 90);
    CUndoHistory& history = child->document().history();
    ASSERT_EQ(history.undoItems().size(), 1u);
    EXPECT_EQ(history.undoItems().back().label, "MIDI Settings");
    EXPECT_TRUE(child->document().isModified());
    child->runCommand(Cmd::EditUndo);
    EXPECT_EQ(playbackTempo(score()), 120);
    EXPECT_EQ(score().midi.tempo, 120);
    EXPECT_EQ(score().playbackCursor, 384);  // the cursor is not part of the step

    child->runCommand(Cmd::EditRedo);
    EXPECT_EQ(playbackTempo(score()), 90);
    const size_t steps = history.undoItems().size();
    runSettings([](CMidiSettingsDlg& d) {
        d.tempoBox()->setText("60");
        d.reject();
    });
    EXPECT_EQ(playbackTempo(score()), 90);
    EXPECT_EQ(history.undoItems().size(), steps);
}

TEST_F(MidiSettingsDialog, InputSettingsAreWrittenOnOkAndTheInputReopens) {
    playback->midiInput().deviceNumber = 1;
    runSettings([](CMidiSettingsDlg& d) {
        d.inputBox()->setChecked(true);
        EXPECT_TRUE(d.setDeviceButton()->isEnabled());
        d.thruBox()->setChecked(true);
        d.accept();
    });
    std::unique_ptr<QSettings> settings = programSettings();
    EXPECT_EQ(settings->value("EnableMidiIn").toInt(), 1);
    EXPECT_EQ(settings->value("EnableMidiThru").toInt(), 1);
    EXPECT_EQ(settings->value("MidiInDevice").toInt(), 1);
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_TRUE(playback->midiInput().isStarted());

    // Clearing the box closes the input at once; the device is then not written.
    settings->remove("MidiInDevice");
    runSettings([&](CMidiSettingsDlg& d) {
        d.inputBox()->setChecked(false);
        EXPECT_FALSE(playback->midiInput().isOpen());
        EXPECT_FALSE(d.setDeviceButton()->isEnabled());
        d.accept();
    });
    settings = programSettings();
    EXPECT_EQ(settings->value("EnableMidiIn").toInt(), 0);
    EXPECT_FALSE(settings->contains("MidiInDevice"));
    EXPECT_FALSE(playback->midiInput().isOpen());
}

TEST_F(MidiSettingsDialog, WithoutInputDevicesTheChooserSaysSoAndInputEndsDisabled) {
    inputNames.clear();
    auto d = dialog();
    d->inputBox()->setChecked(true);
    d->setDeviceButton()->click();
    // One message: what happened, then what to do.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messageTexts[0],
              "No Input Device is Available\n\n" + text(StringId::ConnectMidiKeyboard));
    EXPECT_EQ(playback->midiInput().deviceNumber, -1);
    EXPECT_FALSE(d->inputBox()->isChecked());
    EXPECT_FALSE(d->setDeviceButton()->isEnabled());
}

TEST_F(MidiSettingsDialog, ChooserSaysWhyItsListIsEmptyWhileInputIsOff) {
    playback->midiInput().enabled = false;
    CMidiDeviceDlg chooser(*playback);
    EXPECT_EQ(chooser.deviceList()->count(), 0);
    EXPECT_FALSE(chooser.explanation()->isHidden());
    EXPECT_EQ(chooser.explanation()->text(), text(StringId::MidiInputSwitchedOff));
    playback->midiInput().enabled = true;
    CMidiDeviceDlg listing(*playback);
    EXPECT_EQ(listing.deviceList()->count(), 3);
    EXPECT_TRUE(listing.explanation()->isHidden());
}

TEST_F(MidiSettingsDialog, ChooserListsDevicesAndMonitorsTheKeyboard) {
    CMidiInput& input = playback->midiInput();
    input.enabled = true;
    input.deviceNumber = 1;
    playback->reopenMidiInput();
    ASSERT_TRUE(input.isStarted());
    CMidiDeviceDlg chooser(*playback);
    EXPECT_EQ(chooser.windowTitle(), "Choose Midi Input Device");
    EXPECT_EQ(chooser.deviceList()->count(), 3);
    EXPECT_EQ(chooser.deviceList()->currentIndex(), 1);
    input.receive(0x12, 0x403C90);
    input.receive(0x13, 0xFE);  // active sensing is never stored
    input.receive(0x2A0, 0x003C80);
    QApplication::processEvents();
    ASSERT_EQ(chooser.monitor()->count(), 2);
    EXPECT_EQ(chooser.monitor()->item(0)->text(), "0012 90  3C  40");
    EXPECT_EQ(chooser.monitor()->item(1)->text(), "02a0 80  3C  00");
    chooser.deviceList()->setCurrentIndex(2);
    chooser.accept();
    EXPECT_EQ(input.deviceNumber, 2);
    EXPECT_FALSE(input.isOpen());
}

}  // namespace
