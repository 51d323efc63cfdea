// Real MIDI through RtMidi: a JACK server with its dummy driver (no sound card needed)
// carries what the playback device sends to a port of the test, and what a port of the
// test sends to the MIDI input. Skipped where jackd is not installed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <rtmidi/RtMidi.h>

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

#include "model/PlaybackTempo.h"
#include "model/Score.h"
#include "playback/MidiInput.h"
#include "playback/MidiInputHandler.h"
#include "playback/MidiPorts.h"
#include "playback/PlayBackEngine.h"
#include "playback/PlayDeviceMidi.h"

using namespace ks;
using testing::Contains;
using testing::ElementsAre;

namespace {

using Clock = std::chrono::steady_clock;

struct Silent {
    bool warned = false;
    static void callback(RtMidiError::Type, const std::string&, void* self) {
        static_cast<Silent*>(self)->warned = true;
    }
};

// A JACK server of this test alone, ended by its process id.
class JackServer {
  public:
    bool start() {
        const QString jackd = QStandardPaths::findExecutable(QStringLiteral("jackd"));
        if (jackd.isEmpty()) return false;
        const QString name = QStringLiteral("ks-test-%1").arg(QCoreApplication::applicationPid());
        qputenv("JACK_DEFAULT_SERVER", name.toUtf8());
        qputenv("JACK_NO_START_SERVER", "1");
        server_.start(jackd, {QStringLiteral("--no-realtime"), QStringLiteral("-n"), name,
                              QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                              QStringLiteral("44100")});
        if (!server_.waitForStarted(5000)) return false;
        // Ready once a client can connect.
        for (auto until = Clock::now() + std::chrono::seconds(10); Clock::now() < until;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            RtMidiOut probe(RtMidi::UNIX_JACK, "ks-probe");
            Silent s;
            probe.setErrorCallback(&Silent::callback, &s);
            probe.getPortCount();
            if (!s.warned) return true;
        }
        return false;
    }
    ~JackServer() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(3000)) server_.kill();
            server_.waitForFinished(3000);
        }
    }

  private:
    QProcess server_;
};

// What arrives at a port of the test.
struct Monitor {
    std::mutex mutex;
    std::vector<std::vector<unsigned char>> received;
    static void callback(double, std::vector<unsigned char>* m, void* self) {
        auto* mon = static_cast<Monitor*>(self);
        std::lock_guard lock(mon->mutex);
        mon->received.push_back(*m);
    }
    std::vector<std::vector<unsigned char>> waitFor(size_t count) {
        for (auto until = Clock::now() + std::chrono::seconds(5); Clock::now() < until;) {
            {
                std::lock_guard lock(mutex);
                if (received.size() >= count) return received;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard lock(mutex);
        return received;
    }
};

using Bytes = std::vector<unsigned char>;

}  // namespace

TEST(JackLoopback, PlaybackAndInputThroughRealPorts) {
    // A closing JACK1 client can write to a socket the server has already closed.
    std::signal(SIGPIPE, SIG_IGN);
    JackServer server;
    if (!server.start()) GTEST_SKIP() << "no JACK server could be started";
    ASSERT_EQ(midiports::system(), midiports::System::Jack);

    // The test's ports: one that listens, one that plays.
    RtMidiIn listen(RtMidi::UNIX_JACK, "ks-test-in");
    Monitor monitor;
    listen.setCallback(&Monitor::callback, &monitor);
    listen.openVirtualPort("monitor");
    RtMidiOut keys(RtMidi::UNIX_JACK, "ks-test-out");
    keys.openVirtualPort("keys");

    // Playback goes to the listening port, picked from the device list.
    const QStringList outputs = CPlayDeviceMidi::deviceNames();
    const int device = static_cast<int>(outputs.indexOf(QStringLiteral("ks-test-in:monitor")));
    ASSERT_GT(device, 0) << outputs.join(QStringLiteral(", ")).toStdString();
    CPlayDeviceMidi midi;
    std::vector<QString> errors;
    midi.setErrorReporter([&](const QString& t) { errors.push_back(t); });
    midi.SetDevice(device);
    ASSERT_TRUE(midi.IsOpen()) << (errors.empty() ? "" : errors[0].toStdString());

    CScore s;
    s.setLength(384);
    setPlaybackTempo(s, 480);  // one bar in half a second
    s.midi.channel = 1;
    s.midi.program = 7;
    s.addTrack(CTrack{});
    s.parts[0] = 1;
    s.tracks[0].notes.Add({.time = 0, .duration = 96, .pitch = 60, .velocity = 99});
    CPlayBackEngine engine(midi);
    std::atomic<bool> finished{false};
    engine.setFinishedCallback([&] { finished = true; });
    ASSERT_TRUE(engine.Start(s, 0));
    for (auto until = Clock::now() + std::chrono::seconds(5); !finished && Clock::now() < until;)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(finished);
    // Closing the device silences all sixteen channels after the playback's own sends.
    midi.Close();
    const auto played = monitor.waitFor(6 + 16);
    ASSERT_GE(played.size(), 6u);
    EXPECT_THAT(std::vector<Bytes>(played.begin(), played.begin() + 6),
                ElementsAre(Bytes{0xC1, 7}, Bytes{0xC9, 0}, Bytes{0x91, 60, 99}, Bytes{0x81, 60, 0},
                            Bytes{0xB1, 123, 0}, Bytes{0xB9, 123, 0}));
    EXPECT_TRUE(errors.empty());

    // The input listens to the playing port and echoes what it hears back through the
    // device (thru) to the listening port.
    midi.SetDevice(CPlayDeviceMidi::kSynthesizer);
    midi.SetDevice(device);
    {
        std::lock_guard lock(monitor.mutex);
        monitor.received.clear();
    }
    CMidiInput input;
    std::atomic<int> notified{0};
    input.setNotify([&] { ++notified; });
    input.setErrorReporter([&](const QString&, const QString& t) { errors.push_back(t); });
    const int inputDevice =
        static_cast<int>(CMidiInput::deviceNames().indexOf(QStringLiteral("ks-test-out:keys")));
    ASSERT_GE(inputDevice, 0);
    input.applySettings({.enabled = true, .thru = true, .device = inputDevice});
    input.Open();
    ASSERT_TRUE(input.isOpen()) << (errors.empty() ? "" : errors.back().toStdString());
    input.Start();
    for (const Bytes& m : {Bytes{0x90, 64, 70}, Bytes{0xFE}, Bytes{0x80, 64, 0}}) {
        keys.sendMessage(&m);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (auto until = Clock::now() + std::chrono::seconds(5); notified < 2 && Clock::now() < until;)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(notified, 2);  // active sensing never reaches the ring
    handleMidiInput(input, midi, nullptr);
    const auto echoed = monitor.waitFor(2);
    EXPECT_THAT(echoed, ElementsAre(Bytes{0x90, 64, 70}, Bytes{0x80, 64, 0}));
    input.Close();
    midi.Close();
}
