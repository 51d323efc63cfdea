// Playback and the MIDI keyboard in the whole editor: the MIDI input settings read at
// start-up and written at exit, keyboard messages from the MIDI system's thread reaching
// the active view and echoed through to the output, and the status panes that follow
// the playback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QSettings>
#include <QUuid>
#include <thread>

#include "app/AppSettings.h"
#include "app/ChildFrame.h"
#include "app/CommandIds.h"
#include "app/KeystaveApp.h"
#include "app/KeystaveView.h"
#include "app/MainFrame.h"
#include "app/PlaybackControl.h"
#include "playback/MidiPorts.h"
#include "playback/RecordingDevice.h"
#include "storage/KeystaveDoc.h"
#include "tests/app/FakeUserInterface.h"

using namespace ks;
using namespace ks::test;

namespace {

using Bytes = std::array<uint8_t, 3>;
using Receiver = std::function<void(const std::vector<unsigned char>&)>;

class QuietPort : public midiports::InputPort {};

class PlaybackShell : public ::testing::Test {
  protected:
    void SetUp() override {
        programSettings()->clear();
        programSettings()->setValue("FirstRun", 1);
    }
    void TearDown() override {
        app.reset();
        programSettings()->clear();
    }
    CKeystaveApp& start() {
        PlaybackOptions playback{
            .device = &device,
            .clock = CPlayBackEngine::Clock::Manual,
            .inputOpener = [this](int number, Receiver receive,
                                  QString&) -> std::unique_ptr<midiports::InputPort> {
                opened.push_back(number);
                receiver = std::move(receive);
                return std::make_unique<QuietPort>();
            },
            .inputNames =
                [] {
                    return QStringList{"A", "B", "C"};
                }};
        app = std::make_unique<CKeystaveApp>(
            ui, AppOptions{.instanceName = QStringLiteral("ks-play-") +
                                           QUuid::createUuid().toString(QUuid::Id128),
                           .splash = false,
                           .showWindow = false,
                           .playback = playback});
        EXPECT_TRUE(app->start({}));
        return *app;
    }
    // Plays the bytes as the MIDI system does: from a thread of its own.
    void keyboard(std::vector<unsigned char> bytes) {
        std::thread system([&] { receiver(bytes); });
        system.join();
        QApplication::processEvents();
    }
    std::vector<Bytes> sent() const {
        std::vector<Bytes> out;
        for (const RecordingDevice::Message& m : device.messages())
            out.push_back(m.bytes);
        return out;
    }

    FakeUserInterface ui;
    RecordingDevice device;
    std::vector<int> opened;
    Receiver receiver;
    std::unique_ptr<CKeystaveApp> app;
};

TEST_F(PlaybackShell, InputSettingsAreReadAtStartAndWrittenAtExit) {
    {
        std::unique_ptr<QSettings> settings = programSettings();
        settings->setValue("EnableMidiIn", 1);
        settings->setValue("EnableMidiThru", 1);
        settings->setValue("MidiInDevice", 2);
    }
    start();
    CMidiInput& input = app->playback()->midiInput();
    EXPECT_TRUE(input.enabled);
    EXPECT_TRUE(input.thru);
    EXPECT_EQ(input.deviceNumber, 2);
    EXPECT_EQ(opened, std::vector<int>{2});
    EXPECT_TRUE(input.isStarted());

    input.thru = false;
    input.deviceNumber = 1;
    app->shutdown();
    EXPECT_FALSE(input.isOpen());
    std::unique_ptr<QSettings> settings = programSettings();
    EXPECT_EQ(settings->value("EnableMidiIn").toInt(), 1);
    EXPECT_EQ(settings->value("EnableMidiThru").toInt(), 0);
    EXPECT_EQ(settings->value("MidiInDevice").toInt(), 1);
}

TEST_F(PlaybackShell, DisabledInputIsNotOpenedAndDefaultsAreWrittenAtExit) {
    start();
    EXPECT_TRUE(opened.empty());
    EXPECT_FALSE(app->playback()->midiInput().isOpen());
    app->shutdown();
    std::unique_ptr<QSettings> settings = programSettings();
    EXPECT_EQ(settings->value("EnableMidiIn").toInt(), 0);
    EXPECT_EQ(settings->value("EnableMidiThru").toInt(), 0);
    EXPECT_EQ(settings->value("MidiInDevice").toInt(), 0);
}

TEST_F(PlaybackShell, KeyboardNotesReachTheViewAndAreEchoedWithThru) {
    {
        std::unique_ptr<QSettings> settings = programSettings();
        settings->setValue("EnableMidiIn", 1);
        settings->setValue("EnableMidiThru", 1);
    }
    start();
    ASSERT_TRUE(receiver);
    device.clear();
    keyboard({0x93, 60, 100});  // note on, channel 4
    keyboard({0xFE});           // active sensing
    keyboard({0x93, 60, 0});    // note on at velocity 0: a note off
    keyboard({0x83, 62, 40});
    keyboard({0xB3, 64, 127});  // the sustain pedal is not echoed
    EXPECT_EQ(sent(), (std::vector<Bytes>{{0x93, 60, 100}, {0x83, 60, 0}, {0x83, 62, 0}}));

    // Without thru the keys are taken from the ring and nothing sounds.
    app->playback()->midiInput().thru = false;
    device.clear();
    keyboard({0x90, 70, 90});
    EXPECT_TRUE(sent().empty());
    uint32_t stamp = 0, message = 0;
    EXPECT_FALSE(app->playback()->midiInput().read(stamp, message));
}

TEST_F(PlaybackShell, KeyboardNotesAreEnteredInMusicModeAndNearNotesMakeChords) {
    {
        std::unique_ptr<QSettings> settings = programSettings();
        settings->setValue("EnableMidiIn", 1);
    }
    start();
    CChildFrame* child = app->frame()->activeChild();
    CKeystaveView& view = child->view();
    CMidiInput& input = app->playback()->midiInput();
    const CScore& score = child->document().score();
    auto notes = [&] {
        std::vector<CNoteRef> out;
        for (const CNote& n : score.track(0).notes)
            out.push_back({n.time, n.pitch});
        return out;
    };
    // Not in Music mode: the keys are read and nothing is entered.
    input.receive(1000, 0x00643C90);
    view.midiInputArrived();
    EXPECT_TRUE(notes().empty());

    ASSERT_TRUE(app->frame()->routeCommand(Cmd::MusicMode));
    EXPECT_TRUE(input.isStarted());
    // 30 ms apart: one chord at the cursor; 60 ms later: the next crotchet.
    input.receive(2000, 0x00643C90);  // C4
    input.receive(2030, 0x00504090);  // E4, played softer: entered at velocity 100
    input.receive(2030, 0x00003C90);  // C4 released (note on, velocity 0)
    input.receive(2090, 0x00644390);  // G4
    input.receive(2095, 0x00FE);      // not a note
    view.midiInputArrived();
    EXPECT_EQ(notes(), (std::vector<CNoteRef>{{0, 60}, {0, 64}, {96, 67}}));
    for (const CNote& n : score.track(0).notes)
        EXPECT_EQ(n.velocity, 100);
    EXPECT_EQ(score.selection.timestart, 192);
    EXPECT_EQ(child->document().history().undoItems().size(), 3u);
}

TEST_F(PlaybackShell, StatusPanesFollowThePlayback) {
    start();
    CMainFrame& frame = *app->frame();
    CChildFrame* child = frame.activeChild();
    ASSERT_TRUE(frame.routeCommand(Cmd::Play));
    EXPECT_TRUE(app->playback()->isPlaying(&child->document().score()));
    for (int i = 0; i < 250; ++i)  // 960 ticks: bar 3, beat 3
        app->playback()->engine().tick();
    QApplication::processEvents();
    EXPECT_EQ(frame.pane(Pane::Position)->text(), " 3/3/0  /  75");
    EXPECT_EQ(frame.pane(Pane::Time)->text(), " 00:05 / 02:30");
    EXPECT_EQ(frame.pane(Pane::Tempo)->text(), " 120bpm ");
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(Cmd::Play)->isEnabled());
    EXPECT_TRUE(frame.action(Cmd::Stop)->isEnabled());
    // Closing the main window stops playback first.
    const CScore* score = &child->document().score();
    frame.close();
    EXPECT_FALSE(app->playback()->isPlaying(score));
}

}  // namespace
