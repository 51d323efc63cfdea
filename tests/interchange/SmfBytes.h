// Small helpers that spell MIDI files byte by byte for the reader and writer tests.
#pragma once

#include "interchange/MidiFile.h"

#include <QByteArray>
#include <QString>
#include <initializer_list>

namespace ks::test {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

inline QByteArray bigEndian(uint32_t value, int size) {
    QByteArray out;
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        out.append(char(value >> shift));
    return out;
}

// A chunk with its true length.
inline QByteArray chunk(const char* id, const QByteArray& data) {
    return QByteArray(id, 4) + bigEndian(uint32_t(data.size()), 4) + data;
}

inline QByteArray header(int format, int tracks, int division) {
    return chunk("MThd", bigEndian(format, 2) + bigEndian(tracks, 2) + bigEndian(division, 2));
}

inline const QByteArray kEndOfTrack = bytes({0x00, 0xFF, 0x2F, 0x00});

// A track chunk holding `events` followed by the end-of-track event.
inline QByteArray track(const QByteArray& events) {
    return chunk("MTrk", events + kEndOfTrack);
}

// A format 1 file with division 96 and the given track chunks.
inline QByteArray format1(std::initializer_list<QByteArray> tracks) {
    QByteArray out = header(1, int(tracks.size()), 96);
    for (const QByteArray& t : tracks)
        out += t;
    return out;
}

inline CMidiEvent ev(int32_t time, int status, int d0, int d1 = 0) {
    return CMidiEvent{time, uint8_t(status), {uint8_t(d0), uint8_t(d1), 0}};
}

inline CMidiFile readOk(const QByteArray& data) {
    CMidiFile file;
    MidiResult result = file.readBytes(data);
    EXPECT_TRUE(result.ok) << result.messages.join(" | ").toStdString();
    return file;
}

}  // namespace ks::test

namespace ks {
// Readable failure output for events.
inline void PrintTo(const CMidiEvent& e, std::ostream* os) {
    *os << "{" << e.time << ", 0x" << std::hex << int(e.status) << std::dec << ", "
        << int(e.data[0]) << ", " << int(e.data[1]) << "}";
}
}  // namespace ks
