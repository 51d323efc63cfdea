// Ids of the text-table texts of playback, the devices and MIDI input.
#pragma once

namespace ks::PlaybackString {
constexpr int CursorSteps = 34184;          // "Beat;Smooth;"
constexpr int CursorStyles = 34185;         // "Vertical line;Highlight Notes;Both;"
constexpr int InputBadErrorNumber = 34262;  // "Bad Error Number"
constexpr int MidiInputTitle = 34263;       // "Midi Input"
constexpr int NoInputDevice = 34264;        // "No Input Device is Available"
constexpr int BadErrorNumber = 40400;       // "BAD ERROR NUMBER"
constexpr int BuiltInSynthesizer = 40401;
constexpr int NoAudioOutput = 40402;
constexpr int SoundFontNotLoaded = 40403;
constexpr int NoSuchOutputDevice = 40404;  // %d: the device number
constexpr int NoSuchInputDevice = 40405;   // %d: the device number
constexpr int AudioFileNotWritten = 40406;
constexpr int PerformanceTooLong = 40407;
constexpr int SynthesizerFailed = 40408;
}  // namespace ks::PlaybackString
