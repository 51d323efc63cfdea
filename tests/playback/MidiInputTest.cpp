#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "playback/MidiInput.h"
#include "playback/MidiInputHandler.h"
#include "playback/MidiPorts.h"
#include "playback/RecordingDevice.h"

using namespace ks;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

uint32_t pack(int status, int d1, int d2) {
    return packShortMessage(uint8_t(status), uint8_t(d1), uint8_t(d2));
}

// A MIDI input port the test plays into.
struct FakePort : midiports::InputPort {
    std::function<void(const std::vector<unsigned char>&)> receiver;
};

// An input opened on a fake port and started.
struct Keyboard {
    CMidiInput input;
    FakePort* port = nullptr;
    int notifications = 0;
    std::vector<QString> errors;

    explicit Keyboard(int device = 0) {
        input.setNotify([this] { ++notifications; });
        input.setErrorReporter([this](const QString&, const QString& t) { errors.push_back(t); });
        input.setPortOpener(
            [this](int d, auto receiver, QString& error) -> std::unique_ptr<midiports::InputPort> {
                if (d != 0) {
                    error = QStringLiteral("no such port");
                    return nullptr;
                }
                auto p = std::make_unique<FakePort>();
                p->receiver = receiver;
                port = p.get();
                return p;
            });
        input.enabled = true;
        input.deviceNumber = device;
        input.Open();
        input.Start();
    }
    void play(std::vector<unsigned char> bytes) { port->receiver(bytes); }
};

// A view that records the notes entered and where.
class FakeView : public MidiNoteEntry {
  public:
    bool music = true;
    int32_t cursor = 0;
    std::vector<std::pair<int, int>> entered;  // (time, key)

    bool inMusicMode() const override { return music; }
    int32_t cursorTime() const override { return cursor; }
    void setCursorTime(int32_t t) override { cursor = t; }
    void enterNote(int key) override {
        entered.push_back({cursor, key});
        cursor += 96;  // the current note length
    }
};

std::vector<std::string> sent(const RecordingDevice& d) {
    std::vector<std::string> out;
    for (const auto& m : d.messages()) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%02X %d %d", m.bytes[0], m.bytes[1], m.bytes[2]);
        out.push_back(buf);
    }
    return out;
}

}  // namespace

TEST(MidiInput, StoresWhatTheKeyboardSendsAndDropsActiveSensing) {
    Keyboard k;
    ASSERT_TRUE(k.input.isOpen());
    ASSERT_TRUE(k.input.isStarted());
    k.play({0xFE});
    k.play({0x92, 60, 100});
    k.play({0xC0, 5});
    uint32_t t = 0, m = 0;
    ASSERT_TRUE(k.input.read(t, m));
    EXPECT_EQ(m, pack(0x92, 60, 100));
    EXPECT_LT(t, 1000u);  // milliseconds since the start
    ASSERT_TRUE(k.input.read(t, m));
    EXPECT_EQ(m, 0x05C0u);
    EXPECT_FALSE(k.input.read(t, m));
    EXPECT_EQ(k.notifications, 2);  // one per stored message

    // Stopped or closed, nothing is stored.
    k.input.Stop();
    k.input.receive(1, pack(0x90, 61, 1));
    EXPECT_FALSE(k.input.read(t, m));
}

TEST(MidiInput, RingHolds128MessagesAndDropsTheRest) {
    Keyboard k;
    for (uint32_t i = 0; i < 130; ++i)
        k.input.receive(i, pack(0x90, int(i % 128), 1));
    EXPECT_EQ(k.input.dropped(), 2u);
    uint32_t t = 0, m = 0;
    for (uint32_t i = 0; i < 128; ++i) {
        ASSERT_TRUE(k.input.read(t, m));
        ASSERT_EQ(t, i);
    }
    EXPECT_FALSE(k.input.read(t, m));
    k.input.receive(500, pack(0x80, 1, 0));  // room again
    ASSERT_TRUE(k.input.read(t, m));
    EXPECT_EQ(t, 500u);

    k.input.receive(600, pack(0x90, 2, 3));
    k.input.Start();  // starting again empties the ring
    EXPECT_FALSE(k.input.read(t, m));
}

TEST(MidiInput, OpenFailureIsReportedAndLeavesTheInputClosed) {
    Keyboard k(3);
    EXPECT_FALSE(k.input.isOpen());
    EXPECT_FALSE(k.input.isStarted());
    EXPECT_THAT(k.errors, ElementsAre(QStringLiteral("no such port")));
    // Disabled input never opens.
    Keyboard off;
    off.input.enabled = false;
    off.input.Open();
    EXPECT_FALSE(off.input.isOpen());
}

TEST(MidiInput, ThruEchoesKeysAndMusicModeEntersChords) {
    Keyboard k;
    k.input.thru = true;
    RecordingDevice device;
    FakeView view;
    view.cursor = 384;
    // A chord of three keys 20 ms apart each, then a key 60 ms after the third.
    k.input.receive(1000, pack(0x90, 60, 90));
    k.input.receive(1020, pack(0x90, 64, 80));
    k.input.receive(1040, pack(0x91, 67, 70));
    k.input.receive(1100, pack(0x90, 72, 60));
    k.input.receive(1150, pack(0x80, 60, 0));
    k.input.receive(1160, pack(0x90, 64, 0));    // velocity 0: a release, enters nothing
    k.input.receive(1170, pack(0xB0, 64, 127));  // the pedal: ignored
    handleMidiInput(k.input, device, &view);
    EXPECT_THAT(view.entered, ElementsAre(std::make_pair(384, 60), std::make_pair(384, 64),
                                          std::make_pair(384, 67), std::make_pair(480, 72)));
    EXPECT_THAT(sent(device),
                ElementsAre("90 60 90", "90 64 80", "91 67 70", "90 72 60", "80 60 0", "80 64 0"));
}

TEST(MidiInput, OutsideMusicModeKeysOnlySound) {
    Keyboard k;
    RecordingDevice device;
    FakeView view;
    view.music = false;
    k.input.receive(10, pack(0x90, 60, 90));
    handleMidiInput(k.input, device, &view);
    EXPECT_THAT(view.entered, IsEmpty());
    EXPECT_THAT(sent(device), IsEmpty());  // thru is off

    k.input.thru = true;
    k.input.receive(20, pack(0x90, 60, 90));
    handleMidiInput(k.input, device, nullptr);
    EXPECT_THAT(sent(device), ElementsAre("90 60 90"));
}

TEST(MidiInput, DeviceChooserAndMonitor) {
    const QStringList two{QStringLiteral("Keys A"), QStringLiteral("Keys B")};
    InputDeviceChoice c = chooseInputDevice(two, 1, true);
    EXPECT_EQ(c.names, two);
    EXPECT_EQ(c.selected, 1);
    EXPECT_EQ(chooseInputDevice(two, 5, true).selected, 0);  // nothing selected: the first
    c = chooseInputDevice({}, 0, true);
    EXPECT_TRUE(c.noDevice);
    c = chooseInputDevice(two, 1, false);
    EXPECT_TRUE(c.names.isEmpty());
    EXPECT_EQ(c.selected, 1);
    EXPECT_EQ(monitorLine(0x1a, pack(0x90, 0x3C, 0x64)), QStringLiteral("001a 90  3C  64"));
    EXPECT_EQ(monitorLine(0x12345, pack(0xC3, 5, 0)), QStringLiteral("12345 C3  05  00"));
}

TEST(MidiInput, SettingsSurviveARestart) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    {
        auto store = MidiInputSettings::store();
        const MidiInputSettings fresh = MidiInputSettings::read(*store);
        EXPECT_FALSE(fresh.enabled);
        EXPECT_FALSE(fresh.thru);
        EXPECT_EQ(fresh.device, 0);
        MidiInputSettings{.enabled = true, .thru = true, .device = 2}.write(*store);
        // The settings dialog leaves the device alone while input is disabled.
        MidiInputSettings{.enabled = false, .thru = false, .device = 7}.write(*store, false);
    }
    auto store = MidiInputSettings::store();
    EXPECT_EQ(store->value("MidiInDevice").toInt(), 2);
    const MidiInputSettings back = MidiInputSettings::read(*store);
    EXPECT_FALSE(back.enabled);
    EXPECT_FALSE(back.thru);
    EXPECT_EQ(back.device, 2);

    // Settings read at start-up that disable input close an open input.
    Keyboard k;
    k.input.applySettings(back);
    EXPECT_FALSE(k.input.isOpen());
    EXPECT_EQ(k.input.deviceNumber, 2);
}
