// The MIDI device on a machine without MIDI ports or sound card: what opens, what is
// reported, and that a closed device takes sends silently.
#include <gtest/gtest.h>

#include "playback/MidiPorts.h"
#include "playback/PlayDeviceMidi.h"

using namespace ks;

TEST(PlayDeviceMidi, DeviceListStartsWithTheSynthesizer) {
    const QStringList names = CPlayDeviceMidi::deviceNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names[0], QStringLiteral("Built-in Synthesizer"));
    EXPECT_EQ(names.size(), 1 + midiports::outputNames().size());
}

TEST(PlayDeviceMidi, MissingOutputsAreReportedAndSendsSkipped) {
    std::vector<QString> reports;
    CPlayDeviceMidi device;
    device.setErrorReporter([&](const QString& t) { reports.push_back(t); });
    device.SetDevice(CPlayDeviceMidi::kSynthesizer);  // the current device: nothing happens
    EXPECT_TRUE(reports.empty());
    EXPECT_FALSE(device.IsOpen());

    const int past = static_cast<int>(CPlayDeviceMidi::deviceNames().size()) + 3;
    device.SetDevice(past);
    EXPECT_FALSE(device.IsOpen());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], QStringLiteral("MIDI output device %1 is not available.").arg(past));

    device.noteOn(0, 60, 100);  // closed: skipped without a report
    device.allNotesOff(0);
    EXPECT_EQ(reports.size(), 1u);

    // A negative device number opens nothing and is not a failure.
    device.SetDevice(-1);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(reports.size(), 1u);
}

TEST(PlayDeviceMidi, NoAudioOutputIsReportedOnce) {
    std::vector<QString> reports;
    CPlayDeviceMidi device;
    device.setErrorReporter([&](const QString& t) { reports.push_back(t); });
    if (device.Open()) GTEST_SKIP() << "this machine has an audio output";
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(
        reports[0],
        QStringLiteral("No audio output is available on this computer. Playback runs silently."));
    CPlayDeviceMidi another;
    another.setErrorReporter([&](const QString& t) { reports.push_back(t); });
    EXPECT_FALSE(another.Open());
    EXPECT_EQ(reports.size(), 1u);
}
