// Text-table ids of the MIDI file reader and writer.
#pragma once

namespace ks::MidiStringId {
constexpr int Untitled = 34014;
constexpr int Unknown = 34015;
constexpr int UnableToOpen = 34250;
constexpr int NotTicksPerQuarter = 34251;
constexpr int OnlyFormat01 = 34252;
constexpr int TrackNumber = 34253;  // "Track %d"
constexpr int TrackWithoutHeader = 34254;
constexpr int ErrorReading = 34255;
constexpr int UnableToCreate = 34257;
constexpr int FileReadError = 34258;  // followed by the track's name
constexpr int MalformedData = 34259;  // followed by the track's name
constexpr int InvalidStatusByte = 34260;
constexpr int NotEnoughMemory = 34261;
}  // namespace ks::MidiStringId
