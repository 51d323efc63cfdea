// Ids of the texts of the playback commands, the MIDI Settings dialog and the MIDI input
// device chooser.
#pragma once

namespace ks::PlaybackText {
constexpr int SettingsTitle = 43000;  // "MIDI Settings..."
constexpr int PlaybackDevice = 43001;
constexpr int Channel = 43002;
constexpr int Instrument = 43003;
constexpr int Tempo = 43004;
constexpr int CursorStep = 43005;
constexpr int CursorStyle = 43006;
constexpr int Velocity = 43007;
constexpr int Compression = 43008;
constexpr int Metronome = 43009;
constexpr int MetronomeChannel = 43010;
constexpr int MetronomeInstrument = 43011;
constexpr int MetronomePitch = 43012;
constexpr int Test = 43013;
constexpr int Enable = 43014;
constexpr int SetDevice = 43015;
constexpr int PlaybackGroup = 43016;
constexpr int SettingsGroup = 43017;
constexpr int InputGroup = 43018;
constexpr int ThruGroup = 43019;
constexpr int SettingsStep = 43020;  // the undo step "MIDI Settings"
constexpr int ChooseInputTitle = 43021;
constexpr int PlainMessage = 43022;  // "%s": a text from a device, shown as it stands
constexpr int InputDevice = 43023;
constexpr int MessagesReceived = 43024;
constexpr int TimePane = 43025;  // " %.2d:%.2d / %.2d:%.2d": position and length, min:s
}  // namespace ks::PlaybackText
